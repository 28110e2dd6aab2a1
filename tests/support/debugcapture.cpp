#include "debugcapture.h"

#include <QMutex>
#include <QMutexLocker>

namespace {
QMutex captureMutex;
QStringList captured;
QtMessageHandler chained = nullptr;
}

DebugCapture::DebugCapture()
{
    QMutexLocker lock(&captureMutex);
    captured.clear();
    previous = qInstallMessageHandler(&DebugCapture::handler);
    chained = previous;
}

DebugCapture::~DebugCapture()
{
    qInstallMessageHandler(previous);
    QMutexLocker lock(&captureMutex);
    chained = nullptr;
}

QStringList DebugCapture::lines() const
{
    QMutexLocker lock(&captureMutex);
    return captured;
}

void DebugCapture::clear()
{
    QMutexLocker lock(&captureMutex);
    captured.clear();
}

void DebugCapture::handler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    QtMessageHandler next = nullptr;
    {
        QMutexLocker lock(&captureMutex);
        if (type == QtDebugMsg)
            captured.append(message);
        next = chained;
    }
    // Keep the test log readable: debug lines are only collected.
    if (next && type != QtDebugMsg)
        next(type, context, message);
}
