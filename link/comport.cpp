#include "comport.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProgressDialog>

namespace {

const char CR = 0x0D;

} // namespace

comPort::comPort(const QString &port, int baud)
    : isOpen(false),
      port(port),
      baud(baud)
{
}

comPort::~comPort()
{
    close();
}

bool comPort::open(quint32 readTotalMultiplier, quint32 readTotalConstant, quint32, quint32)
{
    if (isOpen)
        close();
    const QString mode = QStringLiteral("baud=%1 data=8 parity=N stop=1").arg(baud);
    isOpen = handle.openConfigured(port, mode, readTotalMultiplier + readTotalConstant);
    return isOpen;
}

void comPort::close()
{
    if (isOpen)
        handle.close();
    isOpen = false;
}

void comPort::sendByte(char c, bool cr)
{
    handle.writeByte(c);
    if (cr)
        handle.writeByte(CR);
}

void comPort::sendText(const QString &text, bool cr)
{
    for (const QChar ch : text)
        handle.writeByte(ch.toLatin1());
    if (cr)
        handle.writeByte(CR);
}

void comPort::discardInput()
{
    handle.discardInput();
}

QString comPort::readAnswer(QProgressDialog *progress, int maxBytes, int totalMs, bool *cut)
{
    const QDeadlineTimer deadline(totalMs < 0 ? QDeadlineTimer(QDeadlineTimer::Forever) : QDeadlineTimer(totalMs));
    bool bounded = false;
    QString answer;
    // The dialog is window-modal: while the line is silent it still repaints
    // and a Cancel (or Escape) ends the wait at once.
    const std::function<bool()> keepWaiting = [progress, &deadline, &bounded, &answer] {
        if (progress) {
            QCoreApplication::processEvents();
            if (progress->wasCanceled())
                return false;
        }
        if (!deadline.hasExpired())
            return true;
        // A line the device ended with CR came whole in time; only the wait
        // for the silence after it is cut short (a slow line needs most of
        // the time for the answer itself).
        bounded = !answer.endsWith(QLatin1Char(CR));
        return false;
    };
    char c = 0;
    while (!bounded && handle.readByte(&c, keepWaiting)) {
        answer += QLatin1Char(c);
        bounded = answer.size() > maxBytes || deadline.hasExpired();
        if (progress && !bounded) {
            if (c != CR)
                progress->setValue(progress->value() + 1);
            if (progress->wasCanceled())
                break;
        }
    }
    if (cut)
        *cut = bounded;
    return answer;
}

// Nothing in the program calls the operations below.

comPort::comPort()
    : comPort(QStringLiteral("COM1"), 1200)
{
}

void comPort::sendCR()
{
    handle.writeByte(CR);
}

QString comPort::portName() const
{
    return port;
}

void comPort::setPortName(const QString &port)
{
    this->port = port;
}

int comPort::baudRate() const
{
    return baud;
}

void comPort::setBaudRate(int baud)
{
    this->baud = baud;
}

void comPort::setPort(const QString &port, int baud)
{
    this->port = port;
    this->baud = baud;
}

QString comPort::baudRateText() const
{
    return QString::number(baud);
}
