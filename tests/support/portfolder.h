#ifndef PORTFOLDER_H
#define PORTFOLDER_H

#include "simport.h"

#include <QDir>
#include <QTest>

// Points every COM name that the port folder does not hold yet at nothing,
// so that listing and searching the ports see only the test's own devices,
// whatever serial ports the machine has.
inline void hideOtherPorts(const SimPort &sim)
{
    const QDir folder(sim.folder());
    for (int n = 1; n <= 32; ++n) {
        const QFileInfo entry(folder.filePath(QStringLiteral("COM%1").arg(n)));
        if (!entry.exists() && !entry.isSymLink())
            sim.link(entry.fileName(), folder.filePath(QStringLiteral("absent")));
    }
}

// What the device has received, once the closing ESC has arrived (the
// device reads on its own thread) and nothing written before is on its way.
inline QByteArray receivedUpToEsc(SimDevice &device)
{
    static_cast<void>(QTest::qWaitFor([&device] { return device.received().endsWith('\x1b'); }, MustComeMs));
    return receivedInAll(device);
}

#endif // PORTFOLDER_H
