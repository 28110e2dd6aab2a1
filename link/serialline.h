#ifndef SERIALLINE_H
#define SERIALLINE_H

#include <QString>

#include <functional>
#include <memory>

class QSerialPort;

// One serial port opened by its COM name for exclusive use, with the
// blocking one-byte semantics the device protocol is written for.
// The object belongs to the thread that opens it. Reads and writes wait in
// short slices and give up early when that thread is asked to stop
// (QThread::requestInterruption), so a transfer can be ended at any time.
class SerialLine
{
public:
    // Line settings as a mode string describes them.
    struct Mode
    {
        qint32 baud = 0;
        int dataBits = 8;
        char parity = 'N';  // N, E, O, M or S
        int stopBits = 10;  // in tenths: 10, 15 or 20
    };

    SerialLine();
    ~SerialLine();
    SerialLine(const SerialLine &) = delete;
    SerialLine &operator=(const SerialLine &) = delete;

    // The device a COM name stands for. On Linux an entry of that name in the
    // folder named by DEVLOADER_PORTS wins (followed to its final target);
    // otherwise "COMn" is /dev/ttyS<n-1>. Empty when the name means nothing.
    static QString systemLocation(const QString &comName);

    // Parses "baud=19200 data=8 parity=N stop=1" (keys in any order and case,
    // missing ones keep their defaults). False for anything else.
    static bool parseMode(const QString &text, Mode *mode);

    // Opens the port for exclusive use: a second opener fails, also one in
    // the same process and also when running as root. Unread input left by
    // an earlier user of the line is discarded.
    bool open(const QString &comName);
    // Applies parsed settings; false when the port refuses one of them.
    bool applyMode(const Mode &mode);
    // How long a one-byte read waits for its byte (0: takes only what is
    // there). A write waits until its byte is taken.
    bool setReadTimeout(quint32 ms);

    // The four set-up steps of every operation: open, parse the mode string,
    // apply it, set the read time-out. The first failing step writes its
    // fixed diagnostic line and leaves the port closed.
    bool openConfigured(const QString &comName, const QString &mode, quint32 readTimeoutMs);

    // Throws away every byte that has arrived and not been read: what comes
    // after this can be the answer to what is sent next.
    void discardInput();

    // Writes one byte; false when it could not be handed over (line gone, or
    // a stop request, which lets no further byte out).
    bool writeByte(char c);
    // Reads one byte within the read time-out. False when none came, when
    // the line has gone (at once) or when the thread was asked to stop.
    // keepWaiting, when given, runs between the slices of the wait (a GUI
    // thread lets its dialog handle events there); false ends the wait.
    bool readByte(char *c, const std::function<bool()> &keepWaiting = nullptr);

    // Lets every byte written leave the line first, then closes.
    void close();
    bool isOpen() const;
    // True once the line has failed (hang-up, device removed).
    bool lineLost() const { return lost; }

    // The thread running the current operation has been asked to stop.
    static bool stopRequested();

private:
    // Records a lost line from Qt's error or the descriptor's hang-up; true
    // once the line is lost.
    bool noteLineError();
    bool hungUp() const;
    // Waits until every byte written has left the transmitter.
    void drain();

    std::unique_ptr<QSerialPort> port;
    qint64 readWaitMs = 0;
    bool lost = false;
};

#endif // SERIALLINE_H
