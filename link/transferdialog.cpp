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
    delete workerThread;
}

void TransferDialog::startWorker(TransferWorker *worker, QProgressBar *progressBar)
{
    workerThread = worker;
    bar = progressBar;
    connect(workerThread, &TransferWorker::progressRange, this,
            [this](int minimum, int maximum) {
                bar->setRange(minimum, maximum);
                bar->reset();
            },
            Qt::QueuedConnection);
    connect(workerThread, &TransferWorker::progressStep, this, [this] { advanceProgress(); }, Qt::QueuedConnection);
    connect(workerThread, &TransferWorker::progressAdvance, this, &TransferDialog::advanceProgress,
            Qt::QueuedConnection);
    connect(workerThread, &TransferWorker::progressValue, bar, &QProgressBar::setValue, Qt::QueuedConnection);
    connect(workerThread, &QThread::finished, this, &TransferDialog::completed, Qt::QueuedConnection);
    workerThread->start(QThread::InheritPriority);
}

void TransferDialog::stopWorker()
{
    if (!workerThread)
        return;
    workerThread->requestInterruption();
    workerThread->wait();
}

void TransferDialog::showOutcome(QLabel *label, QDialogButtonBox *buttons, const QString &successText,
                                 const QString &failureText)
{
    if (workerThread->success) {
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
