#ifndef SETACK_H
#define SETACK_H

#include <QDialog>

class Ui_setAck;

// Edits the acknowledge character, starting from the current one.
// Ok follows whether the field holds a character; the value stays in the
// form's line edit.
// Nothing in the program opens this dialog.
class setAck : public QDialog
{
    Q_OBJECT

public:
    setAck(QWidget *parent, char ackChar);
    ~setAck() override;

protected:
    void changeEvent(QEvent *event) override;

protected slots:
    void handleChange(const QString &text);

private:
    Ui_setAck *ui;
};

#endif // SETACK_H
