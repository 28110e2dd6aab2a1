#ifndef ABOUT_H
#define ABOUT_H

#include <QDialog>

class Ui_about;

// The Help menu's "About" box: program name and version, maker, a link to the
// help document and credits. Non-modal; closing only hides it.
class about : public QDialog
{
    Q_OBJECT

public:
    explicit about(QWidget *parent);
    ~about() override;

protected:
    void changeEvent(QEvent *event) override;

private:
    Ui_about *ui;
};

#endif // ABOUT_H
