#include "portsettings.h"

#include <QTextStream>

PortSettings::PortSettings()
    : port(QStringLiteral("COM1")),
      baud(19200),
      checkSize(0),
      ackChar('O'),
      serialTimeout(2000),
      deviceType(255),
      checkValue(0),
      downloadSeparator('|'),
      uploadSeparator('|'),
      uploadCommand('{')
{
}

// Nothing in the program calls this one.
PortSettings::PortSettings(const QString &port, const int &baud, const char &checkSize,
                           const char &ackChar, const int &serialTimeout)
    : PortSettings()
{
    this->port = port;
    this->baud = baud;
    this->checkSize = checkSize;
    this->ackChar = ackChar;
    this->serialTimeout = serialTimeout;
}

// Nothing in the program calls this.
quint8 PortSettings::readSettings(QTextStream &stream)
{
    quint8 accepted = 0;
    QString line;
    do {
        line = stream.readLine().remove(QLatin1Char(' '));
        const QStringList parts = line.split(QLatin1Char('='));
        const QString &key = parts.first();
        const QString &value = parts.last();
        bool isNumber = false;
        const int number = value.toInt(&isNumber);
        const char first = value.isEmpty() ? 0 : value.at(0).toLatin1();

        if (key == QLatin1String("Baudrate")) {
            if (isNumber)
                baud = number;
            accepted += 1;
        } else if (key == QLatin1String("Port")) {
            if (!value.isEmpty())
                port = value;
            accepted += 2;
        } else if (key == QLatin1String("SerialTimeout")) {
            if (isNumber)
                serialTimeout = number;
            accepted += 4;
        } else if (key == QLatin1String("CheckSize")) {
            if (isNumber) {
                if (number >= 1 && number <= 4) {
                    checkSize = char(number - 1);
                    accepted += 8;
                }
            } else if (!value.isEmpty()) {
                checkSize = first;
                accepted += 8;
            }
        } else if (key == QLatin1String("CheckValue")) {
            if (isNumber && (number == 0 || number == 1)) {
                checkValue = number;
                accepted += 16;
            }
        } else if (key == QLatin1String("UploadCommand")) {
            if (!value.isEmpty())
                uploadCommand = first;
        } else if (key == QLatin1String("UploadSeparator")) {
            if (!value.isEmpty())
                uploadSeparator = first;
        } else if (key == QLatin1String("DownloadSeparator")) {
            if (!value.isEmpty())
                downloadSeparator = first;
        }
    } while (line != QLatin1String("---") && !stream.atEnd());
    return quint8(31 - accepted);
}
