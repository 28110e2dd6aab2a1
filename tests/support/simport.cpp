#include "simport.h"

#include <QDir>
#include <QFile>

PortFolder::PortFolder()
    : previous(qgetenv("DEVLOADER_PORTS")),
      hadPrevious(qEnvironmentVariableIsSet("DEVLOADER_PORTS"))
{
    qputenv("DEVLOADER_PORTS", QFile::encodeName(dir.path()));
}

PortFolder::~PortFolder()
{
    if (hadPrevious)
        qputenv("DEVLOADER_PORTS", previous);
    else
        qunsetenv("DEVLOADER_PORTS");
}

bool PortFolder::link(const QString &comName, const QString &target) const
{
    unlink(comName);
    return QFile::link(target, dir.filePath(comName));
}

void PortFolder::unlink(const QString &comName) const
{
    QFile::remove(dir.filePath(comName));
}

SimPort::SimPort(const QString &comName, SimDevice::Model model, PortFolder *folder)
    : folder(folder),
      sim(std::make_unique<SimDevice>(model)),
      name(comName)
{
    if (!this->folder) {
        ownFolder = std::make_unique<PortFolder>();
        this->folder = ownFolder.get();
    }
    QString error;
    if (!sim->start(&error)) {
        qWarning("simulated device: %s", qPrintable(error));
        return;
    }
    ready = this->folder->link(comName, sim->ptyPath());
}

SimPort::~SimPort()
{
    sim->stop();
    folder->unlink(name);
}
