#ifndef TTYCALLS_H
#define TTYCALLS_H

#include <QList>
#include <QStringList>

// Watches the C library calls through which the serial layer drives a port,
// while the object lives: for every descriptor whose line settings were set,
// the calls from the first settings to its close, as tokens such as
// "set", "write 1B", "drain" and "close". The test binary's own definitions
// of tcsetattr, tcdrain, write and close stand in for the C library's for
// every library of the process (QtSerialPort included) and pass each call on.
// One at a time.
class TtyCalls
{
public:
    TtyCalls();
    ~TtyCalls();
    TtyCalls(const TtyCalls &) = delete;
    TtyCalls &operator=(const TtyCalls &) = delete;

    // One entry per port that was closed since, in the order of closing.
    QList<QStringList> closedPorts() const;
};

#endif // TTYCALLS_H
