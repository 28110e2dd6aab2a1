#ifndef ABOUT_H
#define ABOUT_H

#include <QDialog>
#include <QUrl>

class Ui_about;

// The Help menu's "About" box: program name and version, maker, a link to the
// help document and credits. Non-modal; closing only hides it.
class about : public QDialog
{
    Q_OBJECT

public:
    explicit about(QWidget *parent);
    ~about() override;

    // The build's help document in the working folder: the target of the
    // program's links and of the Contents action.
    static QUrl helpDocumentUrl();

protected:
    void changeEvent(QEvent *event) override;

private:
    Ui_about *ui;
};

#endif // ABOUT_H
