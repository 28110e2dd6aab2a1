#ifndef DEVICELINK_H
#define DEVICELINK_H

#include "serialline.h"

#include <QByteArray>
#include <QString>

#include <functional>

// How an operation opens the line: the baud rate as it goes into the mode
// string, and the read time-out of a one-byte read (multiplier + constant).
struct LinkSetup
{
    QString baud;
    quint32 readMultiplier = 0;
    quint32 readConstant = 0;

    // "baud=<baud> data=8 parity=N stop=1"
    QString modeString() const;

    static LinkSetup download();      // 19200 baud, reads wait 2000 ms
    static LinkSetup factoryWrite();  // 19200 baud, reads wait 2000 ms
    static LinkSetup readOut();       // 19200 baud, reads wait 500 + 1200 ms
    // The port dialog's baud box text and its time-out.
    static LinkSetup portSearch(const QString &baudText, int timeoutMs);

    // Only the two dialogs that nothing in the program opens use these.
    // The text-image comparison: 1200 baud, reads wait the record's time-out.
    static LinkSetup verify(int serialTimeoutMs);
    // The prompt-driven block read-out: 28800 baud, reads wait 500 + 1200 ms.
    static LinkSetup blockReadOut();
};

// The device command protocol, the one place where a transfer talks to the
// device: open and set up, '!' handshake, item writes answered 'O' or '?',
// block reads ended by CR or silence, ESC and close. Every request ('!', an
// item line, a read command) first throws away the input that has arrived,
// so that only what the device sends after it can count as its answer.
//
// Runs on the thread of its operation. Every failure writes its fixed
// diagnostic line and closes the port; a stop request of that thread
// (QThread::requestInterruption) ends the running exchange within a read
// slice, closes the port and writes nothing. The destructor closes the port
// without ESC.
class DeviceLink
{
public:
    // The outcome of sending one item line once.
    enum ItemResult {
        Accepted,   // 'O'
        Rejected,   // '?', first or second in a row: send the line again
        Cancelled,  // the caller's cancel check fired; the port stays open
        Failed      // the port is closed; see stopped()
    };

    // Hooks of an item exchange; both optional.
    struct ItemHooks
    {
        // After each line with its CR has gone out, repeats included.
        std::function<void()> lineSent;
        // Looked at before each byte of the line and before each read. Once
        // true, the rest of the line is skipped (CR still goes out) and the
        // wait for the answer ends with Cancelled.
        std::function<bool()> cancelled;
    };

    DeviceLink();
    ~DeviceLink();
    DeviceLink(const DeviceLink &) = delete;
    DeviceLink &operator=(const DeviceLink &) = delete;

    // Opens and sets up the port (the four steps and their diagnostics).
    bool open(const QString &port, const LinkSetup &setup);
    bool isOpen() const { return line.isOpen(); }

    // Three tries of '!' with ESC between them. After the third miss:
    // "init: no response", port closed without ESC.
    bool handshake();

    // Sends command + payload (upper-cased) + CR once and reads up to three
    // bytes for the verdict. A third '?' since the last 'O' fails with
    // "download error", three misses with "no response".
    ItemResult sendItem(const QString &command, const QString &payload, const ItemHooks &hooks = {});
    // The whole item exchange: sendItem again while the device rejects.
    // True when the item was accepted.
    bool writeItem(const QString &command, const QString &payload, const ItemHooks &hooks = {});

    // Sends command + CR and collects the answer up to CR (not included).
    // Without a CR it ends at the first silent read, on a lost line (which
    // closes the port), or once it has grown past maxLength characters (a
    // device that runs on; a negative maxLength sets no bound). endedByCr
    // tells whether CR ended it.
    QString readBlock(const QString &command, bool *endedByCr = nullptr, int maxLength = -1);

    // The port search's single try: ESC, '!', one read; on '!' another ESC.
    // Leaves the port open either way.
    bool probe();

    // Raw byte access for operations with a text protocol of their own;
    // only the two dialogs that nothing in the program opens use it.
    void send(const QByteArray &bytes);
    bool receive(char *c);

    // ESC, then close: the end of a successful operation.
    void finish();
    // Close without ESC.
    void close();

    // The last failure came from a stop request, not from the device. Only
    // the tests ask; the workers need not tell the two apart.
    bool stopped() const { return stopFlag; }

private:
    bool writeAll(const QByteArray &bytes, const std::function<bool()> &cancelled = {});
    // Discards the input that has arrived, then writes: only what the device
    // sends after this can answer it.
    bool request(const QByteArray &bytes, const std::function<bool()> &cancelled = {});
    bool stopNow();

    SerialLine line;
    int rejections = 0;
    bool stopFlag = false;
};

#endif // DEVICELINK_H
