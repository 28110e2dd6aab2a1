#ifndef UPTHREAD_H
#define UPTHREAD_H

#include "transferworker.h"

#include <QString>
#include <QStringList>

class DeviceLink;
class PortSettings;

// Reads the configuration blocks out of the device on its own thread. Only a
// complete read-out, every block a whole row, replaces the record's readRows,
// once, after the port is closed; a stopped or failed one leaves them as they
// were. Progress goes out as queued signals only.
class upThread : public TransferWorker
{
    Q_OBJECT

public:
    explicit upThread(PortSettings *settings);

    // The read commands in the order sent.
    static const QStringList &commands();

    // Where the byte at a device address lies in readRows: its row and the
    // character offset of its two hexadecimal digits; row -1 when no read
    // command covers the address.
    struct RowPosition
    {
        int row = -1;
        int pos = 0;
    };
    static RowPosition rowPosition(int address);

protected:
    void run() override;

private:
    // Sends one read command; endedByCr tells whether its answer came whole.
    QString queryLine(DeviceLink &link, const QString &command, bool *endedByCr);

    PortSettings *settings;
    // Taken in the GUI thread, so the worker reads nothing of the record.
    QString port;
};

#endif // UPTHREAD_H
