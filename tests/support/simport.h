#ifndef SIMPORT_H
#define SIMPORT_H

#include "simdevice.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <memory>

// A temporary folder named by DEVLOADER_PORTS for the life of the object,
// so that COM names resolve to entries placed in it. The variable's former
// value is restored afterwards.
class PortFolder
{
public:
    PortFolder();
    ~PortFolder();
    PortFolder(const PortFolder &) = delete;
    PortFolder &operator=(const PortFolder &) = delete;

    QString path() const { return dir.path(); }
    // Makes comName a symbolic link to target (which need not exist).
    bool link(const QString &comName, const QString &target) const;
    void unlink(const QString &comName) const;

private:
    QTemporaryDir dir;
    QByteArray previous;
    bool hadPrevious;
};

// A simulated device reachable under a COM name. Without a folder of its
// own choosing it creates one (and with it DEVLOADER_PORTS); several
// devices can share one folder, each under its own name.
class SimPort
{
public:
    explicit SimPort(const QString &comName = QStringLiteral("COM1"),
                     SimDevice::Model model = SimDevice::Model800, PortFolder *folder = nullptr);
    ~SimPort();
    SimPort(const SimPort &) = delete;
    SimPort &operator=(const SimPort &) = delete;

    // True when the device runs and its name is linked.
    bool isReady() const { return ready; }
    QString comName() const { return name; }
    SimDevice &device() { return *sim; }
    SimDevice *operator->() { return sim.get(); }

private:
    std::unique_ptr<PortFolder> ownFolder;
    PortFolder *folder;
    std::unique_ptr<SimDevice> sim;
    QString name;
    bool ready = false;
};

#endif // SIMPORT_H
