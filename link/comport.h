#ifndef COMPORT_H
#define COMPORT_H

#include "serialline.h"

#include <QString>

class QProgressDialog;

// Small blocking wrapper for the editor's short device queries: opens one
// COM port at a baud rate with 8 data bits, no parity and 1 stop bit, writes
// bytes one at a time and reads an answer until the line stays silent for
// one read time-out. Lives on the stack of one operation.
class comPort
{
public:
    comPort();
    comPort(const QString &port, int baud);
    ~comPort();
    comPort(const comPort &) = delete;
    comPort &operator=(const comPort &) = delete;

    // Opens and sets up the port; a one-byte read then waits at most
    // readTotalMultiplier + readTotalConstant ms. An open port is closed first.
    bool open(quint32 readTotalMultiplier, quint32 readTotalConstant, quint32 writeTotalMultiplier,
              quint32 writeTotalConstant);
    void close();

    // One write per byte; CR (0x0D) follows when cr is set.
    void sendByte(char c, bool cr);
    void sendText(const QString &text, bool cr);
    void sendCR();

    // Everything that arrives until a read brings nothing, CR included, but
    // no more than a query can use. With a progress dialog, each byte but CR
    // adds one to its value, the dialog handles its events while the line is
    // silent, and a cancel ends the answer at once.
    QString readAnswer(QProgressDialog *progress = nullptr);

    QString portName() const;
    void setPortName(const QString &port);
    int baudRate() const;
    void setBaudRate(int baud);
    void setPort(const QString &port, int baud);
    QString baudRateText() const;

private:
    bool isOpen;
    SerialLine handle;
    QString port;
    int baud;
};

#endif // COMPORT_H
