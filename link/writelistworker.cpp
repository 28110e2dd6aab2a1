#include "writelistworker.h"

WriteListWorker::WriteListWorker(const PortSettings &settings, const QStringList &rowAddr,
                                 const QStringList &rowData, const LinkSetup &setup)
    : settings(settings),
      rowAddr(rowAddr),
      rowData(rowData),
      setup(setup)
{
}

// Nothing in the program connects these two slots.
void WriteListWorker::pauseEnd()
{
    pause = false;
}

void WriteListWorker::noResponseSlot()
{
    response = -1;
}

void WriteListWorker::run()
{
    success = false;
    emit progressRange(1, int(rowAddr.size()));

    DeviceLink link;
    if (!link.open(settings.port, setup) || !link.handshake())
        return;

    DeviceLink::ItemHooks hooks;
    hooks.lineSent = [this] { emit progressStep(); };
    for (int i = 0; i < rowAddr.size(); ++i) {
        if (!link.writeItem(rowAddr.at(i), linePayload(rowAddr.at(i), rowData.value(i)), hooks))
            return;
    }
    link.finish();
    success = true;
}
