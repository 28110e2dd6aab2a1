#ifndef TRANSFERWORKER_H
#define TRANSFERWORKER_H

#include <QThread>

#include <atomic>

// A device transfer on its own thread. It works on data of its own and talks
// to its dialog only through queued signals; a stop request
// (requestInterruption) ends it promptly with the port closed. Its owner
// stops it and waits for it before deleting it.
class TransferWorker : public QThread
{
    Q_OBJECT

public:
    // Set by the worker; read only after finished().
    std::atomic<bool> success{false};

signals:
    // Range of the progress bar; the bar starts below it.
    void progressRange(int minimum, int maximum);
    // One step of the transfer done.
    void progressStep();
    // Several steps at once (a negative count moves the bar back).
    // Only the block read-out worker sends it, and nothing in the program runs that.
    void progressAdvance(int steps);
    // The bar shows this value; one outside the range leaves it as it is.
    // Only the verify worker sends it, and nothing in the program runs that.
    void progressValue(int value);

protected:
    TransferWorker() : QThread(nullptr) {}
};

#endif // TRANSFERWORKER_H
