#include "upthread.h"

#include "devicelink.h"
#include "portsettings.h"

#include <QDebug>

upThread::upThread(PortSettings *settings)
    : settings(settings),
      port(settings->port)
{
}

const QStringList &upThread::commands()
{
    // 0x020 is asked before 0x010; the two answers form one entry, 0x010 first.
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

QString upThread::queryLine(DeviceLink &link, const QString &command)
{
    bool endedByCr = false;
    const QString answer = link.readBlock(command, &endedByCr);
    if (endedByCr)
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

    QStringList answers;
    for (const QString &command : commands()) {
        answers << queryLine(link, command);
        if (isInterruptionRequested())
            return;  // the link closes the port without ESC
    }
    link.finish();

    QStringList entries;
    entries << answers.at(0) << answers.at(2) + answers.at(1);
    for (int i = 3; i < answers.size(); ++i)
        entries << answers.at(i);

    if (entries.size() > 20 && !entries.contains(QStringLiteral("-1"))) {
        settings->readRows = entries;
        success = true;
    } else {
        qDebug() << entries.size();
    }
}
