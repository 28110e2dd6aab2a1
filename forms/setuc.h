#ifndef SETUC_H
#define SETUC_H

#include <QDialog>

class Ui_setUC;

// Edits the upload command character, starting from the current one.
// Ok follows whether the field holds a character; the value stays in the
// form's line edit.
// Nothing in the program opens this dialog.
class setUC : public QDialog
{
    Q_OBJECT

public:
    setUC(QWidget *parent, char uploadCommand);
    ~setUC() override;

protected:
    void changeEvent(QEvent *event) override;

protected slots:
    void handleChange(const QString &text);

private:
    Ui_setUC *ui;
};

#endif // SETUC_H
