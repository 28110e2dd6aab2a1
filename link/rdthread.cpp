#include "rdthread.h"

#include "devicelink.h"
#include "portsettings.h"

#include <QDebug>
#include <QDeadlineTimer>

namespace {

const char CR = 0x0D;
const char Prompt = '>';

const int PauseMs = 20;
const int PromptWaitMs = 1200;
// Prompt attempts an address may fail in a row before its block is given up.
const int PromptAttempts = 5;
// The device's answer to "*br" is at most this long; its last two
// characters are the byte.
const int AnswerLength = 29;
// Fewer than the bytes read: the bar is full before the end.
const int ProgressMaximum = 418;

} // namespace

rdThread::rdThread(PortSettings *settings)
    : settings(settings),
      port(settings->port)
{
}

const QList<rdThread::Block> &rdThread::blocks()
{
    static const QList<Block> list = [] {
        QList<Block> b;
        for (const int start : {0x0000, 0x0002, 0x0003})
            b.append({start, 1, false});
        b.append({0x0005, 4, true});
        b.append({0x0009, 2, true});
        b.append({0x000B, 3, true});
        b.append({0x0010, 32, true});
        for (const int start : {0x0030, 0x0034})
            b.append({start, 4, false});
        for (const int start : {0x0040, 0x0080})
            b.append({start, 64, true});
        for (const int start : {0x00C0, 0x00C8})
            b.append({start, 5, true});
        for (const int start : {0x00D0, 0x00E0, 0x0100, 0x0110, 0x0120, 0x0140, 0x0150, 0x0160, 0x0170, 0x0180,
                                0x0190})
            b.append({start, 16, true});
        for (int start = 0x0200; start <= 0x0230; start += 4)
            b.append({start, 4, true});
        for (const int start : {0x02F7, 0x02F8, 0x02FB, 0x02FC})
            b.append({start, 1, false});
        return b;
    }();
    return list;
}

void rdThread::pauseEnd()
{
    pause = false;
}

void rdThread::noResponseSlot()
{
    response = -1;
}

bool rdThread::prompt(DeviceLink &link)
{
    link.send(QByteArray(1, CR));
    pause = true;
    QThread::msleep(PauseMs);
    pauseEnd();
    link.send(QByteArray(1, 'c'));

    response = 0;
    const QDeadlineTimer promptTimer(PromptWaitMs);
    char c = 0;
    while (response == 0) {
        // Silence ends the wait; chatter without '>' ends it once the prompt
        // time is up.
        if (!link.receive(&c))
            break;
        if (c == Prompt)
            response = 1;
        else if (promptTimer.hasExpired())
            noResponseSlot();
    }
    return response == 1;
}

QString rdThread::readBytes(DeviceLink &link, int start, int count, bool text)
{
    const QString failed = QStringLiteral("-1");
    QString result;
    int misses = 0;
    for (int address = start; address < start + count;) {
        if (isInterruptionRequested() || !link.isOpen())
            return failed;
        if (!prompt(link)) {
            if (misses == PromptAttempts - 1)
                return failed;
            ++misses;
            continue;
        }
        misses = 0;
        emit progressStep();

        link.send("*br" + QByteArray::number(address, 16).rightJustified(4, '0') + CR);
        QString answer;
        char c = 0;
        while (answer.size() < AnswerLength && link.receive(&c))
            answer += QLatin1Char(c);

        if (answer.contains(QLatin1String("Err")))
            continue;  // the same address again
        const QString value = answer.right(2);
        if (value == QLatin1String("00")) {
            // The end of the data: the bar jumps over the rest of the block.
            emit progressAdvance(count - int(result.size()));
            return result;
        }
        if (!text)
            result += value;
        else if (value >= QLatin1String("20") && value <= QLatin1String("7E"))
            result += QChar(value.toInt(nullptr, 16));
        ++address;
    }
    return result;
}

void rdThread::run()
{
    success = false;
    emit progressRange(0, ProgressMaximum);

    DeviceLink link;
    if (!link.open(port, LinkSetup::blockReadOut()))
        return;

    QStringList entries;
    for (const Block &block : blocks()) {
        entries << readBytes(link, block.start, block.count, block.text);
        if (isInterruptionRequested())
            return;  // the link closes the port
    }
    link.close();  // the prompt dialogue has no ESC

    if (entries.size() > 40 && !entries.contains(QStringLiteral("-1"))) {
        settings->readRows = entries;
        success = true;
    } else {
        qDebug() << entries.size();
    }
}
