#ifndef DLTHREAD_H
#define DLTHREAD_H

#include "portsettings.h"
#include "transferworker.h"

#include <QStringList>

// Writes a write list into the device on its own thread. It works on its own
// copies of the settings and of both lists; progress goes out as queued
// signals only. A stop request (requestInterruption) ends the transfer
// promptly with the port closed.
class dlThread : public TransferWorker
{
    Q_OBJECT

public:
    dlThread(const PortSettings &settings, const QStringList &rowAddr, const QStringList &rowData);

    // The line payload of one item: the hexadecimal items as they are, every
    // other item's text one byte per character as two hex digits.
    static QString payload(const QString &command, const QString &data);

public slots:
    void pauseEnd();
    void noResponseSlot();

protected:
    void run() override;

private:
    bool pause = false;
    int response = 0;
    PortSettings settings;
    QStringList rowAddr;
    QStringList rowData;
};

#endif // DLTHREAD_H
