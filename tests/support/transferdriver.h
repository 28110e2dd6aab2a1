#ifndef TRANSFERDRIVER_H
#define TRANSFERDRIVER_H

#include "eventwatch.h"
#include "timing.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <QTimer>

// Answers the modal transfer dialogs ("dload", "upload") that the main
// window runs with exec() like a user: records the result text once the
// transfer has ended, then presses Ok.
class TransferDriver
{
public:
    TransferDriver()
    {
        QObject::connect(&timer, &QTimer::timeout, [this] { poll(); });
        timer.start(5);
    }

    QStringList dialogs;  // object names, per dialog seen
    QStringList results;  // result texts, per dialog that showed one
    QList<Stamp> shownAt; // when each dialog showed its outcome

private:
    // The outcome enables the Ok button: stamped in that very call, however
    // late the poll below comes.
    static bool isTransferBox(QObject *object)
    {
        auto *box = qobject_cast<QDialogButtonBox *>(object);
        if (!box || !box->isEnabled() || box->objectName() != QLatin1String("buttonBox"))
            return false;
        const QString dialog = box->window()->objectName();
        return dialog == QLatin1String("dload") || dialog == QLatin1String("upload");
    }
    EventWatch outcomes{qApp, QEvent::EnabledChange, [this](QObject *object, QEvent *) {
                            if (isTransferBox(object))
                                shownAt << stampNow();
                        }};

    void poll()
    {
        auto *modal = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        const QString name = modal && modal->isVisible() ? modal->objectName() : QString();
        if (name != QLatin1String("dload") && name != QLatin1String("upload"))
            return;
        // A dialog on the stack of one slot may reuse the address of the last
        // one; the guarded pointer was cleared when that one went.
        if (current.isNull() || current.data() != modal) {
            current = modal;
            dialogs.append(name);
        }
        auto *box = modal->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
        if (!box->isEnabled())
            return;  // still running
        const char *label = name == QLatin1String("dload") ? "kiiras" : "msg";
        results.append(modal->findChild<QLabel *>(QLatin1String(label))->text());
        box->button(QDialogButtonBox::Ok)->click();
    }

    QTimer timer;
    QPointer<QDialog> current;
};

#endif // TRANSFERDRIVER_H
