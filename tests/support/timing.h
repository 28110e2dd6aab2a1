#ifndef TIMING_H
#define TIMING_H

#include <QString>
#include <QTest>

#include <algorithm>
#include <chrono>

// The program's own times (read time-outs, silences, timers) are behaviour.
// They are measured between stamps taken where the events happen: when the
// simulated device took a byte, on the program's thread, in the call that
// acted; never when a test's wait happened to notice.
using Stamp = std::chrono::steady_clock::time_point;

inline Stamp stampNow()
{
    return std::chrono::steady_clock::now();
}

// Milliseconds from one stamp to a later one; -1 when either event never
// came (a stamp never taken is the clock's zero), so that a measurement
// without its events cannot pass for a quick one.
inline qint64 msBetween(Stamp from, Stamp to)
{
    if (from == Stamp() || to == Stamp() || to < from)
        return -1;
    return std::chrono::duration_cast<std::chrono::milliseconds>(to - from).count();
}

// What a check found, with the words it prints either way.
struct TimingCheck
{
    bool holds;
    QString text;
};

// A time the program keeps, pinned from both sides. It may come early by a
// coarse timer's 5 % and 30 ms of measurement. A busy machine makes it late,
// so the upper bound lies three quarters of the way to a wait that is longer
// by half, or by 500 ms, whichever is more: that one fails.
inline TimingCheck keeps(qint64 measuredMs, int programMs)
{
    const qint64 earliest = programMs - programMs / 20 - 30;
    const qint64 latest = programMs + std::max(programMs / 2, 500) * 3 / 4;
    return {measuredMs >= earliest && measuredMs < latest,
            QStringLiteral("%1 ms for a wait of %2 ms (from %3, under %4)")
                .arg(measuredMs).arg(programMs).arg(earliest).arg(latest)};
}

// A stop, a cancel or a lost line ends a read's wait within one of its short
// slices; one noticed 800 ms into the read is late.
constexpr int PromptMs = 400;

inline TimingCheck isPrompt(qint64 measuredMs)
{
    return {measuredMs >= 0 && measuredMs < PromptMs,
            QStringLiteral("%1 ms to end a wait at once (under %2)").arg(measuredMs).arg(PromptMs)};
}

// Ended before `limitMs`: the smallest wrong outcome, such as one read
// time-out that should not have been waited.
inline TimingCheck isUnder(qint64 measuredMs, int limitMs, const char *limit)
{
    return {measuredMs >= 0 && measuredMs < limitMs,
            QStringLiteral("%1 ms, under %2 (%3)").arg(measuredMs).arg(limitMs).arg(QLatin1String(limit))};
}

// The same check, its words led by what was timed.
inline TimingCheck named(const QString &what, TimingCheck check)
{
    check.text = what + QStringLiteral(": ") + check.text;
    return check;
}

// Prints what was measured, and fails the test when the check does not hold.
#define VERIFY_TIMING(check)                                                                                   \
    do {                                                                                                       \
        const TimingCheck timing_ = (check);                                                                   \
        qInfo("timing: %s", qPrintable(timing_.text));                                                         \
        QVERIFY2(timing_.holds, qPrintable(timing_.text));                                                     \
    } while (false)

#endif // TIMING_H
