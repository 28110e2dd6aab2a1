#ifndef WRITELISTWORKER_H
#define WRITELISTWORKER_H

#include "devicelink.h"
#include "portsettings.h"
#include "transferworker.h"

#include <QStringList>

// Writes a list of items (commands such as "w0005" and their data) into the
// device on its own thread, on its own copies of the settings and of both
// lists. Each line sent, a repeated one included, is a progress step.
class WriteListWorker : public TransferWorker
{
    Q_OBJECT

public slots:
    // Nothing in the program connects these, and run() reads neither field they set.
    void pauseEnd();
    void noResponseSlot();

protected:
    WriteListWorker(const PortSettings &settings, const QStringList &rowAddr, const QStringList &rowData,
                    const LinkSetup &setup);
    void run() override;

    // The line payload of one item's data.
    virtual QString linePayload(const QString &command, const QString &data) const = 0;

private:
    bool pause = false;
    int response = 0;
    PortSettings settings;
    QStringList rowAddr;
    QStringList rowData;
    LinkSetup setup;
};

#endif // WRITELISTWORKER_H
