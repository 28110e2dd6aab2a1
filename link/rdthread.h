#ifndef RDTHREAD_H
#define RDTHREAD_H

#include "transferworker.h"

#include <QString>
#include <QStringList>

class DeviceLink;
class PortSettings;

// Reads 41 memory blocks byte by byte through the device's prompt dialogue
// (CR, 'c', '>' prompt, "*br" and the address) at 28800 baud, on its own
// thread. Only a complete read-out replaces the record's readRows, once,
// after the port is closed. Progress goes out as queued signals only.
// Only the kiolvas dialog runs it, and nothing in the program opens that.
class rdThread : public TransferWorker
{
    Q_OBJECT

public:
    struct Block
    {
        int start;
        int count;
        bool text;  // text: printable bytes as characters; otherwise hex pairs
    };

    explicit rdThread(PortSettings *settings);

    // The blocks in the order read.
    static const QList<Block> &blocks();

public slots:
    void pauseEnd();
    void noResponseSlot();

protected:
    void run() override;

private:
    // One block; "-1" when the device gave no prompt five times in a row.
    QString readBytes(DeviceLink &link, int start, int count, bool text);
    // CR, a short pause, 'c', then the wait for '>'.
    bool prompt(DeviceLink &link);

    bool pause = false;
    int response = 0;  // 0 waiting for the prompt, 1 prompt seen, -1 none in time
    PortSettings *settings;
    // Taken in the GUI thread, so the worker reads nothing of the record.
    QString port;
};

#endif // RDTHREAD_H
