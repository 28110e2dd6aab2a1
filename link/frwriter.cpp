#include "frwriter.h"

#include "devicelink.h"

#include <QProgressDialog>
#include <QWidget>

frWriter::frWriter(PortSettings settings, QStringList rowAddr, QStringList rowData, QWidget *parent)
    : parent(parent),
      settings(std::move(settings)),
      rowAddr(std::move(rowAddr)),
      rowData(std::move(rowData))
{
}

bool frWriter::writeRows()
{
    success = false;
    const int rows = int(rowAddr.size());

    // Never shown here: the dialog's minimum duration decides whether a
    // write takes long enough to show it. Once shown, every new value lets
    // it process events, which is where a click on its cancel button lands.
    QProgressDialog progress(QStringLiteral("Gyári beállítások visszatöltése"), QStringLiteral("Megszakítás"),
                             -1, rows, parent);
    progress.setWindowModality(Qt::WindowModal);

    DeviceLink link;
    if (!link.open(settings.port, LinkSetup::factoryWrite()))
        return false;
    progress.setValue(0);
    if (!link.handshake())
        return false;

    DeviceLink::ItemHooks hooks;
    hooks.cancelled = [&progress] { return progress.wasCanceled(); };

    int row = 0;
    while (row < rows) {
        progress.setValue(row);
        if (progress.wasCanceled()) {
            link.close();
            progress.hide();
            return false;
        }
        const QString data = QString(rowData.value(row)).remove(QLatin1Char(' '));
        switch (link.sendItem(rowAddr.at(row), data, hooks)) {
        case DeviceLink::Accepted:
            ++row;
            break;
        case DeviceLink::Rejected:
            // The same row again, at the same progress value.
            break;
        case DeviceLink::Cancelled:
            // The check before the next row ends the write; a cancel seen
            // during the last row lets the write complete.
            ++row;
            break;
        case DeviceLink::Failed:
            // A third '?' or a silent device; the port is already closed.
            return false;
        }
    }

    link.finish();
    progress.setValue(rows);
    success = true;
    progress.hide();
    return success;
}
