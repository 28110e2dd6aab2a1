#ifndef PORTSETTINGS_H
#define PORTSETTINGS_H

#include <QString>
#include <QStringList>

class QTextStream;

// Link settings and the editor's device and file state. A plain value:
// transfers take a copy, or (the read-out) a pointer to the live record.
class PortSettings
{
public:
    PortSettings();
    // Nothing in the program calls this one.
    PortSettings(const QString &port, const int &baud, const char &checkSize, const char &ackChar,
                 const int &serialTimeout);

    // Reads "key = value" lines up to "---" or the end of the stream.
    // Returns the mask of the required keys that were missing or rejected.
    // Nothing in the program calls this.
    quint8 readSettings(QTextStream &stream);

    QString port;
    int baud;
    char checkSize;
    char ackChar;
    int serialTimeout;
    int deviceType;
    QStringList handshakeNames;
    QStringList handshakeValues;
    int checkValue;
    char downloadSeparator;
    char uploadSeparator;
    char uploadCommand;
    QString imageText;
    QStringList readRows;
    QString fileName;
    QString filePath;
};

#endif // PORTSETTINGS_H
