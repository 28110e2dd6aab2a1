#ifndef WORKFOLDER_H
#define WORKFOLDER_H

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

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

private:
    QTemporaryDir dir;
    QString previous;
};

#endif // WORKFOLDER_H
