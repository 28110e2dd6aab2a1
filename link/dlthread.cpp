#include "dlthread.h"

namespace {

// Items whose data the write list already holds as hexadecimal text.
bool isHexItem(const QString &command)
{
    static const QStringList hexItems = {
        QStringLiteral("w0000"), QStringLiteral("w0001"), QStringLiteral("w0002"), QStringLiteral("w0003"),
        QStringLiteral("w0004"), QStringLiteral("w0030"), QStringLiteral("w0034"), QStringLiteral("w02F7"),
        QStringLiteral("w02F8"), QStringLiteral("w02FB"), QStringLiteral("w02FC"), QStringLiteral("w02FD"),
        QStringLiteral("w02FE"), QStringLiteral("w02FF"), QStringLiteral("w0300"), QStringLiteral("w0301"),
        QStringLiteral("w0302"), QStringLiteral("w0303"),
    };
    if (hexItems.contains(command))
        return true;
    // The code groups at 0x200 to 0x230.
    bool ok = false;
    const int address = command.right(3).toInt(&ok, 16);
    return ok && address >= 0x200 && address <= 0x230;
}

} // namespace

dlThread::dlThread(const PortSettings &settings, const QStringList &rowAddr, const QStringList &rowData)
    : WriteListWorker(settings, rowAddr, rowData, LinkSetup::download())
{
}

QString dlThread::payload(const QString &command, const QString &data)
{
    if (isHexItem(command))
        return data;

    const bool deviceId = command == QLatin1String("w0005");
    QString hex;
    for (const QChar c : data) {
        if (c == QLatin1Char('#')) {
            hex += QLatin1String("00");  // the end of a text in device memory
        } else if (deviceId && c == QLatin1Char('0')) {
            hex += QLatin1String("41");  // the device keeps an ID digit 0 as 0x41
        } else {
            // One byte per character, its Latin-1 code. The download refuses
            // text outside printable ASCII; a character beyond Latin-1 has no
            // byte and would end the text like '#'.
            hex += QString::number(uchar(c.toLatin1()), 16).toUpper().rightJustified(2, QLatin1Char('0'));
        }
    }
    return hex;
}
