#ifndef WORKFOLDER_H
#define WORKFOLDER_H

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <memory>

class PipeWatcher;

// A fresh working folder that becomes the current directory for the life of
// the object (the program looks up varnidex.dll, handshake.dll and the help
// document relative to it); the previous directory is restored afterwards.
class WorkFolder
{
public:
    WorkFolder();
    ~WorkFolder();

    QString path() const { return dir.path(); }
    QString filePath(const QString &name) const { return dir.filePath(name); }

    // Writes a file in the folder, bytes as given.
    void write(const QString &name, const QByteArray &content) const;
    // Copies a file of the repository's data/ folder into the working folder.
    void copyData(const QString &name) const;
    QByteArray read(const QString &name) const;

    // Puts at `name` (in place of any file there) what is no regular file:
    // "pipe" (a named pipe), "folder", "device" (a link to /dev/zero) or
    // "dangling link"; or "link", a link to what stood there. Returns false
    // when the system does not let it be made.
    bool makeNoFile(const QString &name, const QString &kind);
    // How many times a reader opened the named pipe. Such a reader would wait
    // in open() for good; it is let go at once with an empty file instead.
    int pipeReaders() const;

private:
    QTemporaryDir dir;
    QString previous;
    std::unique_ptr<PipeWatcher> pipe;
};

#endif // WORKFOLDER_H
