#include "workfolder.h"

#include <QDir>
#include <QFile>

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
