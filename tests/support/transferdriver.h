#ifndef TRANSFERDRIVER_H
#define TRANSFERDRIVER_H

#include <QDialog>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <functional>

// Watches for the modal transfer dialogs ("dload", "upload") that the main
// window runs with exec(), and answers them like a user: records the result
// text once the transfer has ended, then presses Ok, or leaves the dialog to
// close itself, or presses Escape while the transfer still runs.
class TransferDriver : public QObject
{
    Q_OBJECT

public:
    enum Answer {
        PressOk,        // as soon as the result shows
        LetItClose,     // wait for the dialog's own timer (or press Ok after 5 s)
        PressEscape,    // once escapeWhen() holds, while the transfer runs
    };

    explicit TransferDriver(QObject *parent = nullptr);

    void setAnswer(Answer a, std::function<bool()> when = {})
    {
        answer = a;
        escapeWhen = std::move(when);
    }

    // Per dialog seen, in order.
    QStringList dialogs;      // object names
    QStringList results;      // result label text when the transfer ended
    // How long each dialog stayed open after its result showed (-1: none showed).
    QList<qint64> openAfterResultMs;
    bool escapedWhileRunning = false;

private:
    void poll();
    void finishDialog();

    QTimer timer;
    Answer answer = PressOk;
    std::function<bool()> escapeWhen;
    QPointer<QDialog> current;
    bool active = false;
    QElapsedTimer resultClock;
    bool resultSeen = false;
};

#endif // TRANSFERDRIVER_H
