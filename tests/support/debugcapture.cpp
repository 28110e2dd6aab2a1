#include "debugcapture.h"

#include <QMutex>
#include <QMutexLocker>

namespace {

QMutex mutex;
QStringList captured;
QtMessageHandler previous = nullptr;

void handler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    QMutexLocker lock(&mutex);
    if (type == QtDebugMsg)
        captured.append(message);  // only collected, to keep the test log readable
    else if (previous)
        previous(type, context, message);
}

} // namespace

DebugCapture::DebugCapture()
{
    QMutexLocker lock(&mutex);
    captured.clear();
    previous = qInstallMessageHandler(handler);
}

DebugCapture::~DebugCapture()
{
    QMutexLocker lock(&mutex);
    qInstallMessageHandler(previous);
}

QStringList DebugCapture::lines() const
{
    QMutexLocker lock(&mutex);
    return captured;
}
