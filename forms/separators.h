#ifndef SEPARATORS_H
#define SEPARATORS_H

#include <QDialog>

class Ui_separators;

// Edits the download and upload separator characters, starting from the
// current ones. Ok needs both fields filled; the values stay in the form's
// line edits.
// Nothing in the program opens this dialog.
class separators : public QDialog
{
    Q_OBJECT

public:
    separators(QWidget *parent, char downloadSeparator, char uploadSeparator);
    ~separators() override;

protected:
    void changeEvent(QEvent *event) override;

protected slots:
    void handleChange();

private:
    Ui_separators *ui;
};

#endif // SEPARATORS_H
