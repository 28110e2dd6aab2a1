#ifndef WRITEPROTECTION_H
#define WRITEPROTECTION_H

#include <QFileDevice>
#include <QString>

// Makes a folder refuse new, renamed and removed entries while the object
// lives, also for a test run as root: root's override of file permissions is
// switched off for the calling thread meanwhile. The folder's files keep
// their own permissions.
class WriteProtection
{
public:
    explicit WriteProtection(const QString &folder);
    ~WriteProtection();
    WriteProtection(const WriteProtection &) = delete;
    WriteProtection &operator=(const WriteProtection &) = delete;

    // True when a file really cannot be created in the folder.
    bool holds() const;

private:
    QString folder;
    QFileDevice::Permissions saved;
    bool overrideDropped = false;
};

#endif // WRITEPROTECTION_H
