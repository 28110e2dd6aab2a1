#ifndef FRTHREAD_H
#define FRTHREAD_H

#include "writelistworker.h"

// Writes a list of memory rows into the device on its own thread, the way
// the factory-image writer sends them (blanks removed, upper case).
// Only the Factory dialog runs it, and nothing in the program opens that.
class frThread : public WriteListWorker
{
    Q_OBJECT

public:
    frThread(const PortSettings &settings, const QStringList &rowAddr, const QStringList &rowData);

protected:
    QString linePayload(const QString &command, const QString &data) const override;
};

#endif // FRTHREAD_H
