#include "serialline.h"

#include <QDeadlineTimer>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSerialPort>
#include <QThread>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <cerrno>
#include <poll.h>
#include <termios.h>
#endif

namespace {

// Reads and writes wait in slices of this length so that a stop request is
// seen quickly.
const int SliceMs = 20;

} // namespace

SerialLine::SerialLine() = default;

SerialLine::~SerialLine()
{
    close();
}

QString SerialLine::systemLocation(const QString &comName)
{
#ifdef Q_OS_WIN
    return comName;
#else
    if (comName.isEmpty())
        return QString();
    const QString folder = qEnvironmentVariable("DEVLOADER_PORTS");
    if (!folder.isEmpty()) {
        const QFileInfo entry(QDir(folder).filePath(comName));
        if (entry.exists() || entry.isSymLink()) {
            // Lock the real tty whatever name opened it; a dangling link
            // stays as it is and fails to open.
            const QString target = entry.canonicalFilePath();
            return target.isEmpty() ? entry.absoluteFilePath() : target;
        }
    }
    if (comName.startsWith(QLatin1Char('/')))
        return comName;
    static const QRegularExpression comPattern(QStringLiteral("^COM([1-9][0-9]*)$"),
                                               QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = comPattern.match(comName);
    if (!match.hasMatch())
        return QString();
    return QStringLiteral("/dev/ttyS%1").arg(match.captured(1).toInt() - 1);
#endif
}

bool SerialLine::parseMode(const QString &text, Mode *mode)
{
    Mode parsed;
    const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return false;
    for (const QString &word : words) {
        const int equals = word.indexOf(QLatin1Char('='));
        if (equals <= 0)
            return false;
        const QString key = word.left(equals).toLower();
        const QString value = word.mid(equals + 1);
        bool ok = false;
        if (key == QLatin1String("baud")) {
            static const QRegularExpression digits(QStringLiteral("^[0-9]{1,9}$"));
            if (!digits.match(value).hasMatch())
                return false;
            parsed.baud = value.toInt(&ok);
        } else if (key == QLatin1String("data")) {
            parsed.dataBits = value.toInt(&ok);
            ok = ok && parsed.dataBits >= 5 && parsed.dataBits <= 8;
        } else if (key == QLatin1String("parity")) {
            const QString p = value.toUpper();
            ok = p.size() == 1 && QStringLiteral("NEOMS").contains(p);
            if (ok)
                parsed.parity = p.at(0).toLatin1();
        } else if (key == QLatin1String("stop")) {
            ok = true;
            if (value == QLatin1String("1"))
                parsed.stopBits = 10;
            else if (value == QLatin1String("1.5"))
                parsed.stopBits = 15;
            else if (value == QLatin1String("2"))
                parsed.stopBits = 20;
            else
                ok = false;
        }
        if (!ok)
            return false;
    }
    *mode = parsed;
    return true;
}

bool SerialLine::open(const QString &comName)
{
    close();
    const QString location = systemLocation(comName);
    if (location.isEmpty())
        return false;
    auto candidate = std::make_unique<QSerialPort>();
    candidate->setPortName(location);
    if (!candidate->open(QIODevice::ReadWrite))
        return false;
    candidate->clear(QSerialPort::AllDirections);
    candidate->clearError();
    port = std::move(candidate);
    readWaitMs = 0;
    lost = false;
    return true;
}

bool SerialLine::applyMode(const Mode &mode)
{
    if (!port)
        return false;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    switch (mode.parity) {
    case 'E': parity = QSerialPort::EvenParity; break;
    case 'O': parity = QSerialPort::OddParity; break;
    case 'M': parity = QSerialPort::MarkParity; break;
    case 'S': parity = QSerialPort::SpaceParity; break;
    default: break;
    }
    const QSerialPort::StopBits stop = mode.stopBits == 20   ? QSerialPort::TwoStop
                                       : mode.stopBits == 15 ? QSerialPort::OneAndHalfStop
                                                             : QSerialPort::OneStop;
    const bool ok = port->setBaudRate(mode.baud)
                    && port->setDataBits(QSerialPort::DataBits(mode.dataBits))
                    && port->setParity(parity)
                    && port->setStopBits(stop)
                    && port->setFlowControl(QSerialPort::NoFlowControl);
    port->clearError();
    return ok;
}

bool SerialLine::setReadTimeout(quint32 ms)
{
    if (!port)
        return false;
    readWaitMs = ms;
    return true;
}

bool SerialLine::openConfigured(const QString &comName, const QString &modeText, quint32 readTimeoutMs)
{
    if (!open(comName)) {
        qDebug("unable to open comport");
        return false;
    }
    Mode mode;
    if (!parseMode(modeText, &mode)) {
        qDebug("unable to set comport dcb settings");
        close();
        return false;
    }
    if (!applyMode(mode)) {
        qDebug("unable to set comport cfg settings");
        close();
        return false;
    }
    if (!setReadTimeout(readTimeoutMs)) {
        qDebug("unable to set comport time-out settings");
        close();
        return false;
    }
    return true;
}

bool SerialLine::stopRequested()
{
    return QThread::currentThread()->isInterruptionRequested();
}

bool SerialLine::hungUp() const
{
#ifdef Q_OS_WIN
    return false;
#else
    // A removed adapter or a closed pseudo-terminal reports a hang-up that a
    // read sees only as the end of the input; not every Qt release turns that
    // into a port error (6.4 does, 6.8 does not), so ask the descriptor.
    pollfd entry = {int(port->handle()), POLLIN, 0};
    return ::poll(&entry, 1, 0) > 0 && (entry.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
#endif
}

bool SerialLine::noteLineError()
{
    if (lost)
        return true;
    const QSerialPort::SerialPortError error = port->error();
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError) {
        port->clearError();
        lost = hungUp();
        return lost;
    }
    lost = true;
    return true;
}

void SerialLine::discardInput()
{
    if (!port)
        return;
    // Qt's buffer and the driver's: what the device sent before now. An
    // error this raises stays, so that a line lost meanwhile is noticed.
    port->clear(QSerialPort::Input);
}

bool SerialLine::writeByte(char c)
{
    // A stopped operation sends nothing more, not even the first byte of
    // its next line.
    if (!port || lost || stopRequested())
        return false;
    if (port->write(&c, 1) != 1) {
        noteLineError();
        return false;
    }
    while (port->bytesToWrite() > 0) {
        if (stopRequested())
            return false;
        // A write that cannot go on (the line hung up) must not wait for ever.
        if (!port->waitForBytesWritten(SliceMs) && noteLineError())
            return false;
    }
    return true;
}

bool SerialLine::readByte(char *c, const std::function<bool()> &keepWaiting)
{
    if (!port)
        return false;
    if (port->bytesAvailable() > 0)
        return port->getChar(c);
    if (lost)
        return false;
    const QDeadlineTimer deadline(readWaitMs);
    do {
        if (stopRequested() || (keepWaiting && !keepWaiting()))
            return false;
        // Events handled by keepWaiting may have read the byte already.
        if (port->bytesAvailable() > 0)
            return port->getChar(c);
        port->waitForReadyRead(int(qBound<qint64>(0, deadline.remainingTime(), qint64(SliceMs))));
        if (port->bytesAvailable() > 0)
            return port->getChar(c);
        // No byte in this slice: a line that has gone ends the wait at once.
        if (noteLineError())
            return false;
    } while (!deadline.hasExpired());
    return false;
}

void SerialLine::drain()
{
    // Qt's own buffer first, then the driver's and the UART's.
    port->flush();
#ifdef Q_OS_WIN
    FlushFileBuffers(reinterpret_cast<HANDLE>(port->handle()));
#else
    while (::tcdrain(port->handle()) != 0 && errno == EINTR) {
    }
#endif
}

void SerialLine::close()
{
    if (!port)
        return;
    // Closing puts back the settings the port had before it was opened, at
    // once: a byte still on its way out (the closing ESC) would leave at the
    // wrong rate, garbled. A lost line has nothing left to deliver.
    if (!lost && !hungUp())
        drain();
    port->close();
    port.reset();
    lost = false;
}

bool SerialLine::isOpen() const
{
    return port != nullptr;
}
