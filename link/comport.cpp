#include "comport.h"

#include <QCoreApplication>
#include <QProgressDialog>

namespace {

const char CR = 0x0D;

// Far longer than any answer a query uses (a 32-digit memory row, a status
// line of a few dozen characters): a device that never stops sending must
// not hold the window for as long as it sends.
const int AnswerLimit = 128;

} // namespace

comPort::comPort()
    : comPort(QStringLiteral("COM1"), 1200)
{
}

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

bool comPort::open(quint32 readTotalMultiplier, quint32 readTotalConstant, quint32 writeTotalMultiplier,
                   quint32 writeTotalConstant)
{
    if (isOpen)
        close();
    SerialLine::Timeouts timeouts;
    timeouts.interval = SerialLine::MaxDword;
    timeouts.readMultiplier = readTotalMultiplier;
    timeouts.readConstant = readTotalConstant;
    timeouts.writeMultiplier = writeTotalMultiplier;
    timeouts.writeConstant = writeTotalConstant;
    const QString mode = QStringLiteral("baud=%1 data=8 parity=N stop=1").arg(baud);
    isOpen = handle.openConfigured(port, mode, timeouts);
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

void comPort::sendCR()
{
    handle.writeByte(CR);
}

QString comPort::readAnswer(QProgressDialog *progress)
{
    // The dialog is window-modal: while the line is silent it still repaints
    // and a Cancel (or Escape) ends the wait at once.
    std::function<bool()> dialogLives;
    if (progress) {
        dialogLives = [progress] {
            QCoreApplication::processEvents();
            return !progress->wasCanceled();
        };
    }
    QString answer;
    char c = 0;
    while (answer.size() < AnswerLimit && handle.readByte(&c, dialogLives)) {
        answer += QLatin1Char(c);
        if (progress) {
            if (c != CR)
                progress->setValue(progress->value() + 1);
            if (progress->wasCanceled())
                return answer;
        }
    }
    return answer;
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
