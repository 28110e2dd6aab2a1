#ifndef SIMPORT_H
#define SIMPORT_H

#include "simdevice.h"
#include "timing.h"
#include "waits.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A running simulated device under a COM name. The name is a link in a
// temporary folder that DEVLOADER_PORTS names for the life of the object
// (its former value is restored afterwards); more names can be added there.
class SimPort
{
public:
    explicit SimPort(const QString &comName = QStringLiteral("COM1"), SimDevice::Model model = SimDevice::Model800);
    ~SimPort();

    bool isReady() const { return ready; }
    QString comName() const { return name; }
    QString folder() const { return ports.path(); }
    // Makes comName a symbolic link to target (which need not exist).
    bool link(const QString &comName, const QString &target) const;
    SimDevice &device() { return sim; }

private:
    QTemporaryDir ports;
    QByteArray previous;
    bool hadPrevious;
    SimDevice sim;
    QString name;
    bool ready = false;
};

// What the device has received, once it has taken in every byte written to
// the line so far. After the operation under test has closed the port,
// nothing more can follow.
inline QByteArray receivedInAll(SimDevice &device)
{
    static_cast<void>(device.waitForAllReceived(MustComeMs));
    return device.received();
}

// Milliseconds from the device taking its from-th received byte to taking
// its to-th (from 0); -1 when either never came.
inline qint64 msBetweenReceipts(const SimDevice &device, int from, int to)
{
    return msBetween(device.receivedAt(from), device.receivedAt(to));
}

#endif // SIMPORT_H
