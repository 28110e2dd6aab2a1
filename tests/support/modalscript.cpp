#include "modalscript.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

namespace {

const char Claimed[] = "answered"; // the property ModalAnswerer looks at

} // namespace

ModalScript::ModalScript(QObject *parent)
    : QObject(parent)
{
    qApp->installEventFilter(this);
}

ModalScript::~ModalScript()
{
    qApp->removeEventFilter(this);
}

QStringList ModalScript::summary() const
{
    QStringList lines;
    for (const Box &box : boxes)
        lines << box.title + QStringLiteral(": ") + box.text;
    return lines;
}

ModalScript::Step ModalScript::press(const QString &buttonText)
{
    return [buttonText](QWidget *window) {
        for (QAbstractButton *button : window->findChildren<QAbstractButton *>()) {
            if (button->text() == buttonText) {
                button->click();
                return;
            }
        }
        qWarning("no button \"%s\" in \"%s\"", qPrintable(buttonText), qPrintable(window->windowTitle()));
        window->close();
    };
}

ModalScript::Step ModalScript::press(QMessageBox::StandardButton which)
{
    return [which](QWidget *window) {
        auto *box = qobject_cast<QMessageBox *>(window);
        if (QAbstractButton *button = box ? box->button(which) : nullptr) {
            button->click();
            return;
        }
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
    // As the window's close button does it: a close request from the
    // window system.
    return [](QWidget *window) {
        if (QWindow *handle = window->windowHandle())
            handle->close();
        else
            window->close();
    };
}

ModalScript::Step ModalScript::accept()
{
    return [](QWidget *window) { static_cast<QDialog *>(window)->accept(); };
}

ModalScript::Step ModalScript::reject()
{
    return [](QWidget *window) { static_cast<QDialog *>(window)->reject(); };
}

ModalScript::Step ModalScript::cancelProgress()
{
    return [](QWidget *window) {
        if (auto *button = window->findChild<QPushButton *>())
            button->click();
    };
}

void ModalScript::later(QWidget *window, const Step &step)
{
    // Acts once the window's own event loop (or the next event processing)
    // runs; nothing happens if the window is gone by then.
    QPointer<QWidget> guard(window);
    QTimer::singleShot(0, this, [guard, step] {
        if (guard && step)
            step(guard);
    });
}

bool ModalScript::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Show || !watched->isWidgetType())
        return false;
    auto *window = static_cast<QWidget *>(watched);
    if (!window->isWindow() || window->property(Claimed).toBool())
        return false;

    if (auto *box = qobject_cast<QMessageBox *>(window)) {
        box->setProperty(Claimed, true);
        Box seen;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        for (QAbstractButton *button : box->findChildren<QAbstractButton *>())
            seen.buttons << button->text();
        seen.defaultButton = box->standardButton(box->defaultButton());
        seen.parent = box->parentWidget();
        seen.modality = box->windowModality();
        seen.box = box;
        boxes.append(seen);
        later(box, steps.isEmpty() ? press(QMessageBox::Ok) : steps.takeFirst());
    } else if (auto *progress = qobject_cast<QProgressDialog *>(window)) {
        progress->setProperty(Claimed, true);
        ++progressShown;
        later(progress, progressHandler);
    } else if (auto *dialog = qobject_cast<QDialog *>(window)) {
        dialog->setProperty(Claimed, true);
        dialogs << dialog->objectName();
        later(dialog, dialogHandler);
    }
    return false;
}
