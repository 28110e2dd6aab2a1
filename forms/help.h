#ifndef HELP_H
#define HELP_H

#include <QDialog>

class Ui_help;

// Shows the plain help text file "wqv_800.hlp" of the working folder, read-only.
// Nothing in the program opens this dialog; the Help menu opens the PDF document.
class help : public QDialog
{
    Q_OBJECT

public:
    explicit help(QWidget *parent);
    ~help() override;

protected:
    void changeEvent(QEvent *event) override;

private:
    Ui_help *ui;
};

#endif // HELP_H
