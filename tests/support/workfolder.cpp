#include "workfolder.h"

#include <QDir>
#include <QFile>
#include <QThread>

#include <atomic>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Opening the pipe's writing end without blocking succeeds only while a
// reader holds it open or waits in open() for a writer; closing it again
// wakes that reader to an empty file.
class PipeWatcher
{
public:
    explicit PipeWatcher(const QByteArray &path)
        : path(path), watcher([this] { watch(); })
    {
    }
    ~PipeWatcher()
    {
        stop = true;
        watcher.join();
    }

    std::atomic<int> readers{0};

private:
    void watch()
    {
        while (!stop) {
            const int fd = ::open(path.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0) {
                ++readers;
                ::close(fd);
            }
            QThread::msleep(5);
        }
    }

    const QByteArray path;
    std::atomic<bool> stop{false};
    std::thread watcher;
};

WorkFolder::WorkFolder()
    : previous(QDir::currentPath())
{
    QDir::setCurrent(dir.path());
}

WorkFolder::~WorkFolder()
{
    QDir::setCurrent(previous);
}

void WorkFolder::write(const QString &name, const QByteArray &content) const
{
    QFile file(filePath(name));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(content);
}

void WorkFolder::copyData(const QString &name) const
{
    QFile::remove(filePath(name));
    QFile::copy(QStringLiteral(DEVLOADER_SOURCE_DIR "/data/") + name, filePath(name));
}

QByteArray WorkFolder::read(const QString &name) const
{
    QFile file(filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WorkFolder::makeNoFile(const QString &name, const QString &kind)
{
    const QString path = filePath(name);
    if (kind == QLatin1String("link")) {
        const QString target = path + QLatin1String(".target");
        return QFile::rename(path, target) && QFile::link(target, path);
    }
    QFile::remove(path);
    if (kind == QLatin1String("folder"))
        return QDir(dir.path()).mkdir(name);
    if (kind == QLatin1String("device"))
        return QFile::link(QStringLiteral("/dev/zero"), path);
    if (kind == QLatin1String("dangling link"))
        return QFile::link(filePath(QStringLiteral("nowhere")), path);
    if (kind != QLatin1String("pipe") || pipe || ::mkfifo(QFile::encodeName(path).constData(), 0600) != 0)
        return false;
    pipe = std::make_unique<PipeWatcher>(QFile::encodeName(path));
    return true;
}

int WorkFolder::pipeReaders() const
{
    return pipe ? pipe->readers.load() : 0;
}
