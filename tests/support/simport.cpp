#include "simport.h"

#include <QFile>

SimPort::SimPort(const QString &comName, SimDevice::Model model)
    : previous(qgetenv("DEVLOADER_PORTS")),
      hadPrevious(qEnvironmentVariableIsSet("DEVLOADER_PORTS")),
      sim(model),
      name(comName)
{
    qputenv("DEVLOADER_PORTS", QFile::encodeName(ports.path()));
    QString error;
    if (!sim.start(&error))
        qWarning("simulated device: %s", qPrintable(error));
    else
        ready = link(comName, sim.ptyPath());
}

SimPort::~SimPort()
{
    sim.stop();
    if (hadPrevious)
        qputenv("DEVLOADER_PORTS", previous);
    else
        qunsetenv("DEVLOADER_PORTS");
}

bool SimPort::link(const QString &comName, const QString &target) const
{
    QFile::remove(ports.filePath(comName));
    return QFile::link(target, ports.filePath(comName));
}
