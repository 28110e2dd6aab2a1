#include "frthread.h"

frThread::frThread(const PortSettings &settings, const QStringList &rowAddr, const QStringList &rowData)
    : WriteListWorker(settings, rowAddr, rowData, LinkSetup::factoryWrite())
{
}

QString frThread::linePayload(const QString &, const QString &data) const
{
    // The rows hold spaced hex bytes; the line carries them without blanks.
    return QString(data).remove(QLatin1Char(' '));
}
