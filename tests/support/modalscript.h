#ifndef MODALSCRIPT_H
#define MODALSCRIPT_H

#include "timing.h"

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

// Plays a script against the windows the code under test opens: each message
// box takes the next step of the script (a button by its text or kind, the
// Escape key, the window's close button), a box beyond the script its Ok
// button. Other dialogs go to handlers. A window is claimed the moment it is
// shown, so a polling ModalAnswerer running beside it leaves it alone.
class ModalScript : public QObject
{
public:
    using Step = std::function<void(QWidget *)>;

    ModalScript();
    ~ModalScript() override;

    // Steps for the next message boxes, in order.
    void then(const Step &step) { steps.append(step); }

    static Step press(const QString &buttonText);
    static Step press(QMessageBox::StandardButton button);
    static Step pressEscape();
    static Step closeWindow();

    // For each progress dialog as it shows (left alone unless set), and for
    // each other dialog (rejected unless set).
    Step progressHandler;
    Step dialogHandler;

    QStringList boxes;  // "title: text" of each message box, in order
    QList<QMessageBox::Icon> icons;
    QList<Stamp> boxesShownAt;  // as each message box showed
    QStringList dialogs;  // object names of the other dialogs, or their class names
    // Progress dialogs show themselves only once an operation has run for a
    // while, which a busy machine reaches sooner: counted apart.
    int progressDialogs = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QList<Step> steps;
};

#endif // MODALSCRIPT_H
