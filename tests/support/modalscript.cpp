#include "modalscript.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPointer>
#include <QProgressDialog>
#include <QTest>
#include <QTimer>
#include <QWindow>

namespace {

const char Claimed[] = "answered"; // the property ModalAnswerer looks at

} // namespace

ModalScript::ModalScript()
{
    qApp->installEventFilter(this);
}

ModalScript::~ModalScript()
{
    qApp->removeEventFilter(this);
}

ModalScript::Step ModalScript::press(const QString &buttonText)
{
    return [buttonText](QWidget *window) {
        for (QAbstractButton *button : window->findChildren<QAbstractButton *>()) {
            if (button->text() == buttonText)
                return button->click();
        }
        qWarning("no button \"%s\" in \"%s\"", qPrintable(buttonText), qPrintable(window->windowTitle()));
        window->close();
    };
}

ModalScript::Step ModalScript::press(QMessageBox::StandardButton which)
{
    return [which](QWidget *window) {
        if (QAbstractButton *button = static_cast<QMessageBox *>(window)->button(which))
            return button->click();
        qWarning("no such standard button in \"%s\"", qPrintable(window->windowTitle()));
        window->close();
    };
}

ModalScript::Step ModalScript::pressEscape()
{
    return [](QWidget *window) {
        QWidget *focus = window->focusWidget();
        QTest::keyClick(focus ? focus : window, Qt::Key_Escape);
    };
}

ModalScript::Step ModalScript::closeWindow()
{
    // As the window's close button does it: a close request from the window system.
    return [](QWidget *window) { window->windowHandle()->close(); };
}

bool ModalScript::eventFilter(QObject *watched, QEvent *event)
{
    auto *dialog = qobject_cast<QDialog *>(watched);
    if (event->type() != QEvent::Show || !dialog || dialog->property(Claimed).toBool())
        return false;
    dialog->setProperty(Claimed, true);

    Step step;
    if (auto *box = qobject_cast<QMessageBox *>(dialog)) {
        boxes << box->windowTitle() + QStringLiteral(": ") + box->text();
        icons << box->icon();
        boxesShownAt << stampNow();
        step = steps.isEmpty() ? press(QMessageBox::Ok) : steps.takeFirst();
    } else {
        const QString name = dialog->objectName();
        if (qobject_cast<QProgressDialog *>(dialog)) {
            ++progressDialogs;
            step = progressHandler;
        } else {
            dialogs << (name.isEmpty() ? QString::fromLatin1(dialog->metaObject()->className()) : name);
            step = dialogHandler ? dialogHandler : [](QWidget *window) { static_cast<QDialog *>(window)->reject(); };
        }
    }
    // Acts once the dialog's own event loop (or the next event processing)
    // runs; nothing happens if the dialog is gone by then.
    QPointer<QDialog> guard(dialog);
    QTimer::singleShot(0, this, [guard, step] {
        if (guard && step)
            step(guard);
    });
    return false;
}
