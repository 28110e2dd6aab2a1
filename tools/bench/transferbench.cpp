// Times a full download (48 items) and a full read-out (22 block reads)
// through the device protocol engine against the simulated device paced at
// 19200 baud, and compares the wall time with what the bytes exchanged need
// on the line (10 bits a byte). A ratio near 1 means the engine adds little
// beyond the line itself.

#include "devicelink.h"
#include "simdevice.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>

namespace {

const int Baud = 19200;

struct Item
{
    const char *command;
    QByteArray data;  // as the download sends it: hex already, or text to convert
    bool isText;
};

// Text items go out as one hex byte per character, '#' as 00.
QString textToHex(const QByteArray &text)
{
    QString hex;
    for (const char c : text)
        hex += c == '#' ? QStringLiteral("00") : QStringLiteral("%1").arg(quint8(c), 2, 16, QLatin1Char('0'));
    return hex;
}

// A model-800 write list with realistic field values, in download order.
QList<Item> writeList()
{
    return {
        {"w0000", "07", false},         {"w0001", "04", false},
        {"w0002", "0A", false},         {"w0003", "02", false},
        {"w0004", "34", false},         {"w0005", "AA23", true},
        {"w0009", "AA", true},          {"w000B", "AAA", true},
        {"w0010", "internet.telco#", true},
        {"w0020", "#", true},           {"w0030", "C000020A", false},
        {"w0034", "C000020B", false},   {"w00C0", "1024#", true},
        {"w00C8", "1025#", true},       {"w00D0", "+36301234567#", true},
        {"w00E0", "+36209876543#", true},
        {"w0100", "Alarm input 1#", true},
        {"w0110", "Alarm input 2#", true},
        {"w0120", "Power failure#", true},
        {"w0140", "OUT1 ON#", true},    {"w0150", "OUT1 OFF#", true},
        {"w0160", "OUT2 ON#", true},    {"w0170", "OUT2 OFF#", true},
        {"w0180", "OUT3 ON#", true},    {"w0190", "OUT3 OFF#", true},
        {"w0200", "01060501", false},   {"w0204", "03060501", false},
        {"w0208", "01060502", false},   {"w020C", "03060502", false},
        {"w0210", "01060503", false},   {"w0214", "03060503", false},
        {"w0220", "01060A0A", false},   {"w0224", "03060A0A", false},
        {"w0218", "01060A06", false},   {"w0228", "06060A01", false},
        {"w022C", "06060A09", false},   {"w0230", "06060A05", false},
        {"w02F7", "02", false},         {"w02F8", "04", false},
        {"w02FB", "09", false},         {"w02FC", "0A", false},
        {"w02FD", "0A", false},         {"w02FE", "40", false},
        {"w02FF", "0A", false},         {"w0300", "05", false},
        {"w0301", "05", false},         {"w0302", "DC", false},
        {"w0303", "08", false},
    };
}

const char *const ReadCommands[] = {
    "r0000", "r0020", "r0010", "r0030", "r00C0", "r00D0", "r00E0", "r0100",
    "r0110", "r0120", "r0140", "r0150", "r0160", "r0170", "r0180", "r0190",
    "r0200", "r0210", "r0220", "r0230", "r02F0", "r0300",
};

struct Phase
{
    bool ok = false;
    qint64 ms = 0;
    qint64 bytes = 0;
};

void report(const char *name, const Phase &phase)
{
    const double wall = phase.ms / 1000.0;
    const double bound = phase.bytes * 10.0 / Baud;
    std::printf("%-10s %-4s wall %7.3f s   bytes %6lld   line-rate bound %7.3f s   ratio %5.2f\n", name,
                phase.ok ? "ok" : "FAIL", wall, static_cast<long long>(phase.bytes), bound,
                bound > 0 ? wall / bound : 0.0);
}

qint64 exchanged(const SimDevice &device)
{
    return device.received().size() + device.sent().size();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);

    SimDevice device(SimDevice::Model800);
    device.setBaud(Baud);
    // The engine sends no queries, so a '!' is answered at once.
    device.setQueryWindow(0);
    QString error;
    if (!device.start(&error)) {
        std::fprintf(stderr, "transferbench: %s\n", qPrintable(error));
        return 1;
    }
    QTemporaryDir ports;
    QFile::link(device.ptyPath(), QDir(ports.path()).filePath(QStringLiteral("COM1")));
    qputenv("DEVLOADER_PORTS", QFile::encodeName(ports.path()));

    QElapsedTimer clock;
    Phase download;
    {
        clock.start();
        DeviceLink link;
        download.ok = link.open(QStringLiteral("COM1"), LinkSetup::download()) && link.handshake();
        for (const Item &item : writeList()) {
            if (!download.ok)
                break;
            const QString payload = item.isText ? textToHex(item.data) : QString::fromLatin1(item.data);
            download.ok = link.writeItem(QLatin1String(item.command), payload);
        }
        if (download.ok)
            link.finish();
        download.ms = clock.elapsed();
        QThread::msleep(20);  // let the device take the closing ESC
        download.bytes = exchanged(device);
    }

    device.clearRecords();
    Phase readOut;
    {
        clock.restart();
        DeviceLink link;
        readOut.ok = link.open(QStringLiteral("COM1"), LinkSetup::readOut()) && link.handshake();
        int answered = 0;
        for (const char *command : ReadCommands) {
            if (!readOut.ok)
                break;
            bool byCr = false;
            link.readBlock(QLatin1String(command), &byCr);
            answered += byCr ? 1 : 0;
        }
        readOut.ok = readOut.ok && answered == 22;
        link.finish();
        readOut.ms = clock.elapsed();
        QThread::msleep(20);
        readOut.bytes = exchanged(device);
    }

    std::printf("transferbench: %d items written, 22 blocks read, simulated line at %d baud\n",
                int(writeList().size()), Baud);
    report("download", download);
    report("read-out", readOut);
    Phase total;
    total.ok = download.ok && readOut.ok;
    total.ms = download.ms + readOut.ms;
    total.bytes = download.bytes + readOut.bytes;
    report("total", total);

    device.stop();
    return total.ok ? 0 : 1;
}
