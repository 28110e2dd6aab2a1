#ifndef TRANSFERDIALOG_H
#define TRANSFERDIALOG_H

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QProgressBar;
class TransferWorker;

// What the modal progress dialogs of the device transfers have in common:
// the worker they start and own, a progress bar only the GUI thread touches,
// a close button that does nothing, and the outcome shown with an Ok button
// (on success the dialog closes itself two seconds later). Escape ends the
// dialog at any time; destroying it stops a running worker and waits for it.
class TransferDialog : public QDialog
{
    Q_OBJECT

public:
    ~TransferDialog() override;

protected:
    explicit TransferDialog(QWidget *parent);

    // Takes the worker over, routes its progress to bar and starts it;
    // finished() reaches completed() in the GUI thread.
    void startWorker(TransferWorker *worker, QProgressBar *bar);
    TransferWorker *worker() const { return workerThread; }
    // Stops a running worker and waits until it has ended.
    void stopWorker();

    // Called once the worker has finished.
    virtual void completed() = 0;
    // The worker's outcome in label; the buttons become a single enabled Ok.
    void showOutcome(QLabel *label, QDialogButtonBox *buttons, const QString &successText,
                     const QString &failureText);

    void closeEvent(QCloseEvent *event) override;

private:
    void advanceProgress(int steps = 1);

    TransferWorker *workerThread = nullptr;
    QProgressBar *bar = nullptr;
};

#endif // TRANSFERDIALOG_H
