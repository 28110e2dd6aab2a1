// Field encodings of the device memory: the read-out decoders, the code-group
// encoder and the download worker's text-to-hex rule.

#include "dlthread.h"
#include "mainwindow.h"
#include "startedwindow.h"

#include <QTest>

#include <memory>

class TestMemoryMap : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void numbers();
    void deviceId();
    void texts();
    void codeGroups();
    void shortAndDamagedRows();
    void unusedConversions();

    void itemPayload_data();
    void itemPayload();

private:
    // The decoders read the window's record.
    void setRows(const QStringList &rows) { started->window().portSettings().readRows = rows; }
    MainWindow &w() { return started->window(); }

    std::unique_ptr<StartedWindow> started;
};

void TestMemoryMap::initTestCase()
{
    started = std::make_unique<StartedWindow>(StartedWindow::PresetsOnly);
}

void TestMemoryMap::cleanupTestCase()
{
    started.reset();
}

void TestMemoryMap::numbers()
{
    setRows({QStringLiteral("030A0aFF00"), QString(), QStringLiteral("C0A8010AdC08")});
    QCOMPARE(w().decodeNumber(0, 0, 2), QStringLiteral("3"));
    QCOMPARE(w().decodeNumber(0, 2, 2), QStringLiteral("10"));
    QCOMPARE(w().decodeNumber(0, 4, 2), QStringLiteral("10"));   // either case
    QCOMPARE(w().decodeNumber(0, 6, 2), QStringLiteral("255"));
    QCOMPARE(w().decodeNumber(0, 8, 2), QStringLiteral("0"));
    // More than one pair reads as one number, first pair highest.
    QCOMPARE(w().decodeNumber(2, 8, 4), QStringLiteral("56328"));
    QCOMPARE(w().decodeNumber(2, 0, 2), QStringLiteral("192"));
}

void TestMemoryMap::deviceId()
{
    // 0x41 stands for the digit 0, never for the letter A.
    setRows({QStringLiteral("0304F0023441313233")});
    QCOMPARE(w().decodeIdDigits(0, 10, 8), QStringLiteral("0123"));
    setRows({QStringLiteral("4141313241")});
    QCOMPARE(w().decodeIdDigits(0, 0, 10), QStringLiteral("00120"));
}

void TestMemoryMap::texts()
{
    setRows({QStringLiteral("31303234000000FF"), QStringLiteral("FFFFFFFFFFFFFFFF"),
             QStringLiteral("6E6574ff41"), QStringLiteral("4142434445464748494A4B4C4D4E4F50")});
    QCOMPARE(w().decodeText(0, 0, 10), QStringLiteral("1024"));
    QCOMPARE(w().decodeText(1, 0, 16), QString());
    QCOMPARE(w().decodeText(2, 0, 10), QStringLiteral("net"));        // ff ends it too
    QCOMPARE(w().decodeText(3, 0, 32), QStringLiteral("ABCDEFGHIJKLMNOP"));
    QCOMPARE(w().decodeText(3, 0, 10), QStringLiteral("ABCDE"));      // the count limits it
    // A 5-byte port without its terminator byte.
    setRows({QStringLiteral("3130323430")});
    QCOMPARE(w().decodeText(0, 0, 10), QStringLiteral("10240"));
    // Codes above 0x7F come back as Latin-1 characters.
    setRows({QStringLiteral("E90000")});
    QCOMPARE(w().decodeText(0, 0, 6), QString(QChar(0xE9)));
}

void TestMemoryMap::codeGroups()
{
    setRows({QStringLiteral("01020A05FFFFFFFF0a03"), QStringLiteral("060A0A01")});
    QCOMPARE(w().decodeDigit(0, 0), QStringLiteral("1"));
    QCOMPARE(w().decodeCodeDigits(0, 0, 8), QStringLiteral("205"));
    // Erased memory.
    QCOMPARE(w().decodeDigit(0, 8), QStringLiteral("F"));
    QCOMPARE(w().decodeCodeDigits(0, 8, 8), QStringLiteral("FFF"));
    // The digit 0 is the exact pair 0A; lower case is not.
    QCOMPARE(w().decodeDigit(0, 16), QStringLiteral("a"));
    QCOMPARE(w().decodeDigit(0, 18), QStringLiteral("3"));
    QCOMPARE(w().decodeDigit(1, 0), QStringLiteral("6"));
    QCOMPARE(w().decodeCodeDigits(1, 0, 8), QStringLiteral("001"));

    QCOMPARE(MainWindow::encodeCodeDigits(QStringLiteral("1205")), QStringLiteral("01020A05"));
    QCOMPARE(MainWindow::encodeCodeDigits(QStringLiteral("6000")), QStringLiteral("060A0A0A"));
    QCOMPARE(MainWindow::encodeCodeDigits(QStringLiteral("17")), QStringLiteral("0107"));
    QCOMPARE(MainWindow::encodeCodeDigits(QString()), QString());

    // What the encoder writes, the decoders give back.
    for (const QString &group : {QStringLiteral("1651"), QStringLiteral("3600"), QStringLiteral("6090")}) {
        setRows({MainWindow::encodeCodeDigits(group)});
        QCOMPARE(w().decodeDigit(0, 0) + w().decodeCodeDigits(0, 0, 8), group);
    }
}

void TestMemoryMap::shortAndDamagedRows()
{
    // A device that answered with less than a block: numbers read 0, code
    // groups give what is there, and a row that does not exist reads empty.
    setRows({QStringLiteral("0"), QStringLiteral("31G2")});
    QCOMPARE(w().decodeNumber(0, 4, 2), QStringLiteral("0"));
    QCOMPARE(w().decodeNumber(1, 2, 2), QStringLiteral("0"));   // not hexadecimal
    QCOMPARE(w().decodeNumber(7, 0, 2), QStringLiteral("0"));
    QCOMPARE(w().decodeDigit(0, 0), QStringLiteral("0"));
    QCOMPARE(w().decodeDigit(0, 2), QString());
    QCOMPARE(w().decodeCodeDigits(1, 0, 8), QStringLiteral("2"));
    QCOMPARE(w().decodeIdDigits(1, 0, 4), QStringLiteral("1") + QChar(0));
    // Missing pairs neither stop a text nor make it longer than its count.
    QCOMPARE(w().decodeText(1, 0, 8), QStringLiteral("1") + QString(3, QChar(0)));
}

void TestMemoryMap::unusedConversions()
{
    QCOMPARE(MainWindow::digitsToAsciiHex(QStringLiteral("7")), QStringLiteral("37"));
    QCOMPARE(MainWindow::digitsToAsciiHex(QStringLiteral("1024")), QStringLiteral("31303234"));
    QCOMPARE(MainWindow::hexToText(QStringLiteral("3100FF32")), QStringLiteral("1"));
    QCOMPARE(MainWindow::hexToText(QStringLiteral("31FF3233")), QStringLiteral("123"));
    QCOMPARE(MainWindow::hexToText(QStringLiteral("31zz32")), QStringLiteral("12"));
}

void TestMemoryMap::itemPayload_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("payload");

    QTest::newRow("id digit 0") << "w0005" << "0102" << "41314132";
    QTest::newRow("0 elsewhere") << "w00C0" << "10#" << "313000";
    QTest::newRow("terminator anywhere") << "w0100" << "+3#6#" << "2B33003600";
    QTest::newRow("constant text") << "w0009" << "AA" << "4141";
    QTest::newRow("apn") << "w0010" << "net#" << "6E657400";
    QTest::newRow("empty text") << "w0120" << "#" << "00";
    QTest::newRow("mode byte") << "w0000" << "05" << "05";
    QTest::newRow("address") << "w0030" << "C0A8010A" << "C0A8010A";
    QTest::newRow("hex item lower case") << "w02FC" << "c8" << "c8";
    QTest::newRow("handshake word") << "w0303" << "08" << "08";
    QTest::newRow("first code group") << "w0200" << "01060501" << "01060501";
    QTest::newRow("code group inside") << "w020C" << "030A0A" << "030A0A";
    QTest::newRow("last code group") << "w0230" << "06060A05" << "06060A05";
    QTest::newRow("past the code groups") << "w0234" << "12" << "3132";
    QTest::newRow("not a listed hex item") << "w02F9" << "12" << "3132";
    // Every byte is two digits, also below 0x10.
    QTest::newRow("control character") << "w00D0" << QStringLiteral("\t1") << "0931";
}

void TestMemoryMap::itemPayload()
{
    QFETCH(QString, command);
    QFETCH(QString, data);
    QFETCH(QString, payload);
    QCOMPARE(dlThread::payload(command, data), payload);
}

QTEST_MAIN(TestMemoryMap)
#include "tst_memorymap.moc"
