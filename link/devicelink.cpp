#include "devicelink.h"

#include <QDebug>

namespace {

const char Bang = '!';
const char Esc = 0x1B;
const char CR = 0x0D;
const char Accept = 'O';
const char Reject = '?';

// Reads per answer of an item line, and '?' answers in a row an item may get.
const int AnswerReads = 3;
const int RejectLimit = 3;

LinkSetup makeSetup(const QString &baud, quint32 multiplier, quint32 constant)
{
    LinkSetup setup;
    setup.baud = baud;
    setup.readMultiplier = multiplier;
    setup.readConstant = constant;
    return setup;
}

} // namespace

QString LinkSetup::modeString() const
{
    return QStringLiteral("baud=") + baud + QStringLiteral(" data=8 parity=N stop=1");
}

LinkSetup LinkSetup::download()
{
    return makeSetup(QStringLiteral("19200"), 0, 2000);
}

LinkSetup LinkSetup::factoryWrite()
{
    return makeSetup(QStringLiteral("19200"), 0, 2000);
}

LinkSetup LinkSetup::readOut()
{
    return makeSetup(QStringLiteral("19200"), 500, 1200);
}

LinkSetup LinkSetup::portSearch(const QString &baudText, int timeoutMs)
{
    return makeSetup(baudText, 0, quint32(qMax(0, timeoutMs)));
}

LinkSetup LinkSetup::verify(int serialTimeoutMs)
{
    return makeSetup(QStringLiteral("1200"), quint32(qMax(0, serialTimeoutMs)), 0);
}

LinkSetup LinkSetup::blockReadOut()
{
    return makeSetup(QStringLiteral("28800"), 500, 1200);
}

DeviceLink::DeviceLink() = default;

DeviceLink::~DeviceLink()
{
    close();
}

bool DeviceLink::open(const QString &port, const LinkSetup &setup)
{
    close();
    rejections = 0;
    stopFlag = false;
    return line.openConfigured(port, setup.modeString(), setup.readMultiplier + setup.readConstant);
}

bool DeviceLink::stopNow()
{
    if (!SerialLine::stopRequested())
        return false;
    stopFlag = true;
    line.close();
    return true;
}

bool DeviceLink::writeAll(const QByteArray &bytes, const std::function<bool()> &cancelled)
{
    for (const char c : bytes) {
        if (cancelled && cancelled())
            break;
        // A write the line refused is not an error of its own: the read
        // that follows finds nothing.
        if (!line.writeByte(c) && stopNow())
            return false;
    }
    return true;
}

bool DeviceLink::request(const QByteArray &bytes, const std::function<bool()> &cancelled)
{
    // A late or doubled answer to an earlier request must not pass for the
    // answer to this one.
    line.discardInput();
    return writeAll(bytes, cancelled);
}

bool DeviceLink::handshake()
{
    if (!line.isOpen())
        return false;
    for (int attempt = 1; attempt <= 3; ++attempt) {
        if (!request(QByteArray(1, Bang)))
            return false;
        char c = 0;
        if (line.readByte(&c) && c == Bang)
            return true;
        if (stopNow())
            return false;
        // A line that has gone answers no further try.
        if (attempt == 3 || line.lineLost())
            break;
        if (!writeAll(QByteArray(1, Esc)))
            return false;
    }
    qDebug("init: no response");
    line.close();
    return false;
}

DeviceLink::ItemResult DeviceLink::sendItem(const QString &command, const QString &payload,
                                            const ItemHooks &hooks)
{
    if (!line.isOpen())
        return Failed;
    if (rejections >= RejectLimit) {
        qDebug("download error");
        line.close();
        return Failed;
    }
    const QByteArray bytes = (command + payload.toUpper()).toLatin1();
    if (!request(bytes, hooks.cancelled) || !writeAll(QByteArray(1, CR)))
        return Failed;
    if (hooks.lineSent)
        hooks.lineSent();

    for (int read = 0; read < AnswerReads; ++read) {
        if (hooks.cancelled && hooks.cancelled())
            return Cancelled;
        char c = 0;
        if (!line.readByte(&c)) {
            if (stopNow())
                return Failed;
            if (line.lineLost())
                break;
            continue;
        }
        if (c == Accept) {
            rejections = 0;
            return Accepted;
        }
        if (c == Reject) {
            if (++rejections < RejectLimit)
                return Rejected;
            qDebug("download error");
            line.close();
            return Failed;
        }
    }
    qDebug("no response");
    line.close();
    return Failed;
}

bool DeviceLink::writeItem(const QString &command, const QString &payload, const ItemHooks &hooks)
{
    ItemResult result;
    do {
        result = sendItem(command, payload, hooks);
    } while (result == Rejected);
    return result == Accepted;
}

QString DeviceLink::readBlock(const QString &command, bool *endedByCr, int maxLength)
{
    if (endedByCr)
        *endedByCr = false;
    QString answer;
    if (!line.isOpen())
        return answer;
    if (!request(command.toLatin1() + CR))
        return answer;
    char c = 0;
    while (line.readByte(&c)) {
        if (c == CR) {
            if (endedByCr)
                *endedByCr = true;
            return answer;
        }
        answer += QLatin1Char(c);
        if (maxLength >= 0 && answer.size() > maxLength)
            return answer;
    }
    if (!stopNow() && line.lineLost())
        line.close();
    return answer;
}

bool DeviceLink::probe()
{
    if (!line.isOpen())
        return false;
    if (!writeAll(QByteArray(1, Esc)) || !request(QByteArray(1, Bang)))
        return false;
    char c = 0;
    if (!line.readByte(&c)) {
        stopNow();
        return false;
    }
    if (c != Bang)
        return false;
    writeAll(QByteArray(1, Esc));
    return true;
}

void DeviceLink::send(const QByteArray &bytes)
{
    if (line.isOpen())
        writeAll(bytes);
}

bool DeviceLink::receive(char *c)
{
    if (!line.isOpen())
        return false;
    if (line.readByte(c))
        return true;
    stopNow();
    return false;
}

void DeviceLink::finish()
{
    if (!line.isOpen())
        return;
    writeAll(QByteArray(1, Esc));
    line.close();
}

void DeviceLink::close()
{
    line.close();
}
