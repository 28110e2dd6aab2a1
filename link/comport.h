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
    comPort(const QString &port, int baud);
    ~comPort();
    comPort(const comPort &) = delete;
    comPort &operator=(const comPort &) = delete;

    // Opens and sets up the port; a one-byte read then waits at most
    // readTotalMultiplier + readTotalConstant ms. A write waits until its
    // byte is taken: no query sets a write time-out, so both write values
    // are 0 in every call. An open port is closed first.
    bool open(quint32 readTotalMultiplier, quint32 readTotalConstant, quint32 writeTotalMultiplier,
              quint32 writeTotalConstant);
    void close();

    // One write per byte; CR (0x0D) follows when cr is set.
    void sendByte(char c, bool cr);
    void sendText(const QString &text, bool cr);

    // Throws away what the device has sent so far, so that a query's answer
    // starts with what comes after its command.
    void discardInput();

    // Far longer than any answer a query uses (a 32-digit memory row, a
    // status line of a few dozen characters).
    static constexpr int AnswerLimit = 128;

    // Everything that arrives until a read brings nothing, CR included. With
    // a progress dialog, each byte but CR adds one to its value, the dialog
    // handles its events while the line is silent, and a cancel ends the
    // answer at once. A device that keeps sending must not hold the window:
    // once the answer grows longer than maxBytes, or it has taken totalMs
    // (negative: no limit), reading stops and *cut is set; what was read then
    // is not an answer the device finished.
    QString readAnswer(QProgressDialog *progress = nullptr, int maxBytes = AnswerLimit, int totalMs = -1,
                       bool *cut = nullptr);

    // Nothing in the program calls these.
    comPort();
    void sendCR();
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
