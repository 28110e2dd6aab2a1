#ifndef MODALSCRIPT_H
#define MODALSCRIPT_H

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>

class QDialog;
class QProgressDialog;

// Plays a script against the windows the code under test opens: each message
// box takes the next step of the script (pressing a button by its text, the
// Escape key, the window's close button); a message box beyond the script is
// answered with its Ok button. Other dialogs go to handlers. A window is
// claimed the moment it is shown, so a polling ModalAnswerer running beside
// it leaves the message boxes alone.
class ModalScript : public QObject
{
public:
    using Step = std::function<void(QWidget *)>;

    struct Box
    {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QStringList buttons;  // in the order they were made
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
        QWidget *parent = nullptr;
        Qt::WindowModality modality = Qt::NonModal;
        QPointer<QMessageBox> box;  // null once the box is deleted
    };

    explicit ModalScript(QObject *parent = nullptr);
    ~ModalScript() override;

    // Steps for the next message boxes, in order.
    void then(const Step &step) { steps.append(step); }
    // For each dialog that is neither a message box nor a progress dialog.
    void setDialogHandler(const Step &step) { dialogHandler = step; }
    // For each progress dialog, when it first shows.
    void setProgressHandler(const Step &step) { progressHandler = step; }

    static Step press(const QString &buttonText);
    static Step press(QMessageBox::StandardButton button);
    static Step pressEscape();
    static Step closeWindow();
    static Step accept();
    static Step reject();
    // Clicks a progress dialog's cancel button.
    static Step cancelProgress();

    QList<Box> boxes;
    QStringList dialogs;  // object names of the other dialogs, in order
    int progressShown = 0;

    // "title: text" of each message box.
    QStringList summary() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void later(QWidget *window, const Step &step);

    QList<Step> steps;
    Step dialogHandler;
    Step progressHandler;
};

#endif // MODALSCRIPT_H
