#include "portsettings.h"

#include <QTest>
#include <QTextStream>

class TestPortSettings : public QObject
{
    Q_OBJECT

private slots:
    void defaults();
    void copiesAreIndependent();
    void readSettings_data();
    void readSettings();
    void readSettingsStopsAtDashes();
};

void TestPortSettings::defaults()
{
    const PortSettings s;
    QCOMPARE(s.port, QStringLiteral("COM1"));
    QCOMPARE(s.baud, 19200);
    QCOMPARE(int(s.checkSize), 0);
    QCOMPARE(s.ackChar, 'O');
    QCOMPARE(s.serialTimeout, 2000);
    QCOMPARE(s.deviceType, 255);
    QCOMPARE(s.checkValue, 0);
    QCOMPARE(s.downloadSeparator, '|');
    QCOMPARE(s.uploadSeparator, '|');
    QCOMPARE(s.uploadCommand, '{');
    QVERIFY(s.handshakeNames.isEmpty() && s.handshakeValues.isEmpty() && s.readRows.isEmpty());
    QVERIFY(s.imageText.isEmpty() && s.fileName.isEmpty() && s.filePath.isEmpty());

    const PortSettings five(QStringLiteral("COM7"), 9600, char(2), 'A', 500);
    QCOMPARE(five.port, QStringLiteral("COM7"));
    QCOMPARE(five.baud, 9600);
    QCOMPARE(int(five.checkSize), 2);
    QCOMPARE(five.ackChar, 'A');
    QCOMPARE(five.serialTimeout, 500);
    QCOMPARE(five.deviceType, 255);
    QCOMPARE(five.uploadCommand, '{');
}

void TestPortSettings::copiesAreIndependent()
{
    PortSettings live;
    live.readRows = {QStringLiteral("00")};
    const PortSettings copy = live;
    live.readRows.append(QStringLiteral("01"));
    live.port = QStringLiteral("COM9");
    QCOMPARE(copy.readRows.size(), 1);
    QCOMPARE(copy.port, QStringLiteral("COM1"));
}

void TestPortSettings::readSettings_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("mask");
    QTest::addColumn<int>("baud");
    QTest::addColumn<QString>("port");
    QTest::addColumn<int>("checkSize");

    QTest::newRow("nothing known") << "Speed=1" << 31 << 19200 << "COM1" << 0;
    QTest::newRow("blanks anywhere") << "Baud rate = 96 00" << 30 << 9600 << "COM1" << 0;
    QTest::newRow("keys are case-sensitive") << "baudrate=9600" << 31 << 19200 << "COM1" << 0;
    QTest::newRow("baud and port") << "Baudrate=19200\nPort=COM3" << 28 << 19200 << "COM3" << 0;
    QTest::newRow("unparsable baud still counts") << "Baudrate=fast" << 30 << 19200 << "COM1" << 0;
    QTest::newRow("empty port keeps the old one") << "Port=" << 29 << 19200 << "COM1" << 0;
    QTest::newRow("line without equals sign") << "Port" << 29 << 19200 << "Port" << 0;
    QTest::newRow("last equals sign wins") << "Port=COM2=COM5" << 29 << 19200 << "COM5" << 0;
    QTest::newRow("checksize number") << "CheckSize=2" << 23 << 19200 << "COM1" << 1;
    QTest::newRow("checksize character") << "CheckSize=X" << 23 << 19200 << "COM1" << int('X');
    QTest::newRow("checksize out of range") << "CheckSize=7" << 31 << 19200 << "COM1" << 0;
    QTest::newRow("all five") << "Baudrate=1200\nPort=COM4\nSerialTimeout=100\nCheckSize=4\nCheckValue=1" << 0
                              << 1200 << "COM4" << 3;
    QTest::newRow("check value out of range") << "CheckValue=2" << 31 << 19200 << "COM1" << 0;
}

void TestPortSettings::readSettings()
{
    QFETCH(QString, text);
    QString source = text;
    QTextStream stream(&source);
    PortSettings s;
    QTEST(int(s.readSettings(stream)), "mask");
    QTEST(s.baud, "baud");
    QTEST(s.port, "port");
    QTEST(int(s.checkSize), "checkSize");
}

void TestPortSettings::readSettingsStopsAtDashes()
{
    QString source = QStringLiteral("UploadCommand=#\nDownloadSeparator=;\n - - - \nPort=COM8\n");
    QTextStream stream(&source);
    PortSettings s;
    QCOMPARE(int(s.readSettings(stream)), 31);
    QCOMPARE(s.uploadCommand, '#');
    QCOMPARE(s.downloadSeparator, ';');
    QCOMPARE(s.uploadSeparator, '|');
    QCOMPARE(s.port, QStringLiteral("COM1"));

    // A key accepted twice counts twice.
    QString twice = QStringLiteral("Port=COM2\nPort=COM3");
    QTextStream second(&twice);
    PortSettings t;
    QCOMPARE(int(t.readSettings(second)), 27);
}

QTEST_APPLESS_MAIN(TestPortSettings)
#include "tst_portsettings.moc"
