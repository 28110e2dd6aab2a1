#include "transferdialog.h"

#include "transferworker.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>

TransferDialog::TransferDialog(QWidget *parent)
    : QDialog(parent)
{
}

TransferDialog::~TransferDialog()
{
    // Escape may have ended the dialog during the transfer.
    stopWorker();
    delete thread;
}

void TransferDialog::startWorker(TransferWorker *worker, QProgressBar *progressBar)
{
    thread = worker;
    bar = progressBar;
    connect(thread, &TransferWorker::progressRange, this,
            [this](int minimum, int maximum) {
                bar->setRange(minimum, maximum);
                bar->reset();
            },
            Qt::QueuedConnection);
    connect(thread, &TransferWorker::progressStep, this, [this] { advanceProgress(); }, Qt::QueuedConnection);
    connect(thread, &TransferWorker::progressAdvance, this, &TransferDialog::advanceProgress, Qt::QueuedConnection);
    connect(thread, &TransferWorker::progressValue, bar, &QProgressBar::setValue, Qt::QueuedConnection);
    connect(thread, &QThread::finished, this, &TransferDialog::completed, Qt::QueuedConnection);
    thread->start(QThread::InheritPriority);
}

void TransferDialog::stopWorker()
{
    if (!thread)
        return;
    thread->requestInterruption();
    thread->wait();
}

void TransferDialog::showOutcome(QLabel *label, QDialogButtonBox *buttons, const QString &successText,
                                 const QString &failureText)
{
    if (thread->success) {
        label->setText(successText);
        auto *timer = new QTimer(this);
        timer->setSingleShot(true);
        connect(timer, &QTimer::timeout, this, &QDialog::accept);
        timer->start(2000);
    } else {
        label->setText(failureText);
    }
    buttons->setStandardButtons(QDialogButtonBox::Ok);
    buttons->setEnabled(true);
}

void TransferDialog::closeEvent(QCloseEvent *event)
{
    event->ignore();
}

void TransferDialog::advanceProgress(int steps)
{
    // Steps beyond the range (a line sent again) leave the bar full; a value
    // below the range is ignored by the bar.
    bar->setValue(qMin(bar->value() + steps, bar->maximum()));
}
