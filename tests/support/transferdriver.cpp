#include "transferdriver.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

QLabel *resultLabel(QDialog *dialog)
{
    const char *name = dialog->objectName() == QLatin1String("dload") ? "kiiras" : "msg";
    return dialog->findChild<QLabel *>(QLatin1String(name));
}

} // namespace

TransferDriver::TransferDriver(QObject *parent)
    : QObject(parent)
{
    connect(&timer, &QTimer::timeout, this, &TransferDriver::poll);
    timer.start(5);
}

void TransferDriver::finishDialog()
{
    openAfterResultMs.append(resultSeen ? resultClock.elapsed() : -1);
    current.clear();
    active = false;
}

void TransferDriver::poll()
{
    auto *modal = qobject_cast<QDialog *>(QApplication::activeModalWidget());
    const bool transfer = modal && modal->isVisible()
        && (modal->objectName() == QLatin1String("dload") || modal->objectName() == QLatin1String("upload"));

    // A dialog on the stack of one slot may reuse the address of the last
    // one, hence the guarded pointer.
    if (active && (current.isNull() || modal != current.data()))
        finishDialog();
    if (!transfer)
        return;
    if (!active) {
        current = modal;
        active = true;
        dialogs.append(modal->objectName());
        resultSeen = false;
    }

    auto *box = current->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
    const bool ended = box && box->isEnabled();
    if (!ended) {
        if (answer == PressEscape && !escapedWhileRunning && (!escapeWhen || escapeWhen())) {
            escapedWhileRunning = true;
            results.append(QString());
            QTest::keyClick(current.data(), Qt::Key_Escape);
        }
        return;
    }
    if (!resultSeen) {
        resultSeen = true;
        resultClock.start();
        results.append(resultLabel(current)->text());
    }
    if (answer == LetItClose && resultClock.elapsed() < 5000)
        return;
    if (QPushButton *ok = box->button(QDialogButtonBox::Ok))
        ok->click();
}
