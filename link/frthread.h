#ifndef FRTHREAD_H
#define FRTHREAD_H

#include "portsettings.h"
#include "transferworker.h"

#include <QStringList>

// Writes a list of memory rows into the device on its own thread, the way
// the factory-image writer sends them (blanks removed, upper case). It works
// on its own copies of the settings and both lists; progress goes out as
// queued signals only.
class frThread : public TransferWorker
{
    Q_OBJECT

public:
    frThread(const PortSettings &settings, const QStringList &rowAddr, const QStringList &rowData);

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

#endif // FRTHREAD_H
