#include "portfolder.h"

#include "simport.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

void hideOtherPorts(const SimPort &sim)
{
    const QDir folder(sim.folder());
    for (int n = 1; n <= 32; ++n) {
        const QString name = QStringLiteral("COM%1").arg(n);
        const QFileInfo entry(folder.filePath(name));
        if (!entry.exists() && !entry.isSymLink())
            sim.link(name, folder.filePath(QStringLiteral("absent")));
    }
}

QByteArray receivedUpToEsc(SimDevice &device)
{
    static_cast<void>(QTest::qWaitFor([&device] { return device.received().endsWith('\x1b'); }, 1000));
    return device.received();
}
