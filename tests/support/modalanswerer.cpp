#include "modalanswerer.h"

#include <QAbstractButton>
#include <QApplication>

ModalAnswerer::ModalAnswerer(QObject *parent)
    : QObject(parent)
{
    connect(&timer, &QTimer::timeout, this, &ModalAnswerer::poll);
    timer.start(10);
}

QStringList ModalAnswerer::summary() const
{
    QStringList lines;
    for (const Box &box : boxes)
        lines << box.title + QStringLiteral(": ") + box.text;
    return lines;
}

void ModalAnswerer::poll()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
        return;
    if (auto *box = qobject_cast<QMessageBox *>(modal)) {
        if (box->property("answered").toBool())
            return;
        box->setProperty("answered", true);
        boxes.append({box->windowTitle(), box->text(), box->icon(), stampNow()});
        QAbstractButton *button = box->button(answer);
        if (button)
            button->click();
        else
            box->done(answer);
        return;
    }
    if (dialogHandler && modal != handledDialog) {
        handledDialog = modal;
        dialogHandler(modal);
    }
}
