#ifndef RECEIPTGAP_H
#define RECEIPTGAP_H

#include "simdevice.h"
#include "timing.h"
#include "waits.h"

#include <QString>

#include <atomic>
#include <thread>

// How long the program under test lets pass between two bytes reaching
// simulated devices, as the devices took them. A thread of its own waits for
// the bytes, so it also works while the operation blocks the GUI thread. Set
// it up before the operation starts.
class ReceiptGap
{
public:
    // The request that ends with the device's `requestBytes`-th received
    // byte goes unanswered; the device answers everything after it. The gap
    // runs to the next byte the program sends: one read time-out.
    ReceiptGap(SimDevice &device, int requestBytes)
    {
        device.setQueryWindow(0);  // a '!' is judged the moment it arrives
        device.setSilent(true);
        start(device, requestBytes, device, requestBytes + 1, true);
    }

    // From `from` holding `fromCount` received bytes to `to` holding `toCount`.
    ReceiptGap(SimDevice &from, int fromCount, SimDevice &to, int toCount)
    {
        start(from, fromCount, to, toCount, false);
    }

    ~ReceiptGap() { join(); }
    ReceiptGap(const ReceiptGap &) = delete;
    ReceiptGap &operator=(const ReceiptGap &) = delete;

    // Milliseconds; -1 when a byte did not come.
    qint64 ms()
    {
        join();
        return gap;
    }

    // The gap is one read of timeoutMs: not one of another operation, 300 ms
    // shorter or longer, nor two.
    static TimingCheck isRead(qint64 gapMs, int timeoutMs)
    {
        return {gapMs >= timeoutMs - 100 && gapMs <= timeoutMs + 250,
                QStringLiteral("waited %1 ms for a read of %2 ms").arg(gapMs).arg(timeoutMs)};
    }

private:
    void start(SimDevice &from, int fromCount, SimDevice &to, int toCount, bool answerThen)
    {
        watcher = std::thread([this, &from, fromCount, &to, toCount, answerThen] {
            if (!from.waitForReceived(fromCount, MustComeMs))
                return;
            // The device has judged the request under its lock before the
            // wait above returned.
            if (answerThen)
                from.setSilent(false);
            if (!to.waitForReceived(toCount, MustComeMs))
                return;
            // Timed by the devices as they took the bytes: how late this
            // thread woke up plays no part.
            gap = msBetween(from.receivedAt(fromCount - 1), to.receivedAt(toCount - 1));
        });
    }
    void join()
    {
        if (watcher.joinable())
            watcher.join();
    }

    std::thread watcher;
    std::atomic<qint64> gap{-1};
};

#endif // RECEIPTGAP_H
