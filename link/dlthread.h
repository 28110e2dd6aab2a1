#ifndef DLTHREAD_H
#define DLTHREAD_H

#include "writelistworker.h"

// Writes the download's write list into the device. The hexadecimal items go
// out as they are; every other item's text one byte per character.
class dlThread : public WriteListWorker
{
    Q_OBJECT

public:
    dlThread(const PortSettings &settings, const QStringList &rowAddr, const QStringList &rowData);

    // The line payload of one item: the hexadecimal items as they are, every
    // other item's text one byte per character as two hex digits.
    static QString payload(const QString &command, const QString &data);

protected:
    QString linePayload(const QString &command, const QString &data) const override
    {
        return payload(command, data);
    }
};

#endif // DLTHREAD_H
