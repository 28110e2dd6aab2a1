#include "upthread.h"

#include "devicelink.h"
#include "hexdigits.h"
#include "portsettings.h"

#include <QDebug>

namespace {

// Every answer is one block of 16 bytes, two hexadecimal digits a byte.
const int BlockBytes = 16;
const int BlockAnswerLength = 2 * BlockBytes;

bool isBlockAnswer(const QString &answer)
{
    return answer.size() == BlockAnswerLength && isHexDigits(answer);
}

// The answers that form each read-out row, by their place in commands().
// Row 1 is the answer for 0x010 followed by the one for 0x020, which is
// asked first; every other answer is a row of its own.
const QList<QList<int>> &rowAnswers()
{
    static const QList<QList<int>> rows = [] {
        QList<QList<int>> list = {{0}, {2, 1}};
        for (int answer = 3; answer < upThread::commands().size(); ++answer)
            list.append(QList<int>{answer});
        return list;
    }();
    return rows;
}

// The rows of the answers read so far, up to the first one not yet whole.
QStringList entriesOf(const QStringList &answers)
{
    QStringList entries;
    for (const QList<int> &row : rowAnswers()) {
        QString entry;
        for (const int answer : row) {
            if (answer >= answers.size())
                return entries;
            entry += answers.at(answer);
        }
        entries << entry;
    }
    return entries;
}

} // namespace

upThread::upThread(PortSettings *settings)
    : settings(settings),
      port(settings->port)
{
}

const QStringList &upThread::commands()
{
    static const QStringList list = {
        QStringLiteral("r0000"), QStringLiteral("r0020"), QStringLiteral("r0010"), QStringLiteral("r0030"),
        QStringLiteral("r00C0"), QStringLiteral("r00D0"), QStringLiteral("r00E0"), QStringLiteral("r0100"),
        QStringLiteral("r0110"), QStringLiteral("r0120"), QStringLiteral("r0140"), QStringLiteral("r0150"),
        QStringLiteral("r0160"), QStringLiteral("r0170"), QStringLiteral("r0180"), QStringLiteral("r0190"),
        QStringLiteral("r0200"), QStringLiteral("r0210"), QStringLiteral("r0220"), QStringLiteral("r0230"),
        QStringLiteral("r02F0"), QStringLiteral("r0300"),
    };
    return list;
}

upThread::RowPosition upThread::rowPosition(int address)
{
    const QList<QList<int>> &rows = rowAnswers();
    for (int row = 0; row < rows.size(); ++row) {
        int pos = 0;
        for (const int answer : rows.at(row)) {
            const int start = commands().at(answer).mid(1).toInt(nullptr, 16);
            if (address >= start && address < start + BlockBytes)
                return {row, pos + 2 * (address - start)};
            pos += BlockAnswerLength;
        }
    }
    return {};
}

QString upThread::queryLine(DeviceLink &link, const QString &command, bool *endedByCr)
{
    const QString answer = link.readBlock(command, endedByCr, BlockAnswerLength);
    if (*endedByCr)
        emit progressStep();  // an answer cut off by silence is no step
    return answer;
}

void upThread::run()
{
    success = false;
    emit progressRange(0, 21);

    DeviceLink link;
    if (!link.open(port, LinkSetup::readOut()) || !link.handshake())
        return;

    // Only a read-out in which every block came whole may reach the form: a
    // short, damaged or "-1" row would put values there that the device does
    // not hold. An answer without its CR (silence, a lost line, a device
    // that runs on) means the device no longer follows, and asking for the
    // remaining blocks would only add time-outs.
    QStringList answers;
    bool complete = true;
    for (const QString &command : commands()) {
        bool endedByCr = false;
        answers << queryLine(link, command, &endedByCr);
        if (isInterruptionRequested())
            return;  // the link closes the port without ESC
        complete = complete && endedByCr && isBlockAnswer(answers.last());
        if (!endedByCr)
            break;
    }
    link.finish();

    const QStringList entries = entriesOf(answers);
    if (complete) {
        settings->readRows = entries;
        success = true;
    } else {
        qDebug() << entries.size();
    }
}
