#ifndef SETFIX_H
#define SETFIX_H

#include <QDialog>

class Ui_setFix;

// Edits the fixed checksum character; starts empty.
// Ok follows whether the field holds a character; the value stays in the
// form's line edit.
// Nothing in the program opens this dialog.
class setFix : public QDialog
{
    Q_OBJECT

public:
    explicit setFix(QWidget *parent);
    ~setFix() override;

protected:
    void changeEvent(QEvent *event) override;

protected slots:
    void handleChange(const QString &text);

private:
    Ui_setFix *ui;
};

#endif // SETFIX_H
