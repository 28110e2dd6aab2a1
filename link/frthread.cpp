#include "frthread.h"

#include "devicelink.h"

frThread::frThread(const PortSettings &settings, const QStringList &rowAddr, const QStringList &rowData)
    : settings(settings),
      rowAddr(rowAddr),
      rowData(rowData)
{
}

void frThread::pauseEnd()
{
    pause = false;
}

void frThread::noResponseSlot()
{
    response = -1;
}

void frThread::run()
{
    success = false;
    emit progressRange(1, int(rowAddr.size()));

    DeviceLink link;
    if (!link.open(settings.port, LinkSetup::factoryWrite()) || !link.handshake())
        return;

    // Every line sent is a step, a line sent again included.
    DeviceLink::ItemHooks hooks;
    hooks.lineSent = [this] { emit progressStep(); };
    for (int i = 0; i < rowAddr.size(); ++i) {
        // The rows hold spaced hex bytes; the line carries them without blanks.
        QString payload = rowData.value(i);
        payload.remove(QLatin1Char(' '));
        if (!link.writeItem(rowAddr.at(i), payload, hooks))
            return;
    }
    link.finish();
    success = true;
}
