// Field encodings of the device memory on the values a whole transfer does
// not reach (tst_downloadreadout pins the rest end to end): either case,
// short or damaged rows, and the edges of the worker's text-to-hex rule.

#include "dlthread.h"
#include "mainwindow.h"
#include "startedwindow.h"
#include "upthread.h"

#include <QMap>
#include <QTest>

#include <functional>
#include <memory>

class TestMemoryMap : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { started = std::make_unique<StartedWindow>(StartedWindow::PresetsOnly); }
    void cleanupTestCase() { started.reset(); }
    void decoders_data();
    void decoders();
    void itemPayload_data();
    void itemPayload();
    void rowPosition_data();
    void rowPosition();

private:
    std::unique_ptr<StartedWindow> started;
};

void TestMemoryMap::decoders_data()
{
    QTest::addColumn<QString>("decoder");
    QTest::addColumn<QString>("row");  // the first read-out row, or the converter's input
    QTest::addColumn<int>("pos");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("value");

    QTest::newRow("number, lower case") << "number" << "FF0a" << 2 << 2 << "10";
    QTest::newRow("two bytes, first highest") << "number" << "C0A8dC08" << 4 << 4 << "56328";
    QTest::newRow("number past the row") << "number" << "0" << 4 << 2 << "0";
    QTest::newRow("number not hex") << "number" << "31G2" << 2 << 2 << "0";
    QTest::newRow("ID 41 is the digit 0") << "id" << "4141313241" << 0 << 10 << "00120";
    QTest::newRow("text ends at 00") << "text" << "31303234000000FF" << 0 << 16 << "1024";
    QTest::newRow("text ends at ff") << "text" << "6E6574ff41" << 0 << 10 << "net";
    QTest::newRow("text limited by count") << "text" << "4142434445464748" << 0 << 10 << "ABCDE";
    QTest::newRow("text in Latin-1") << "text" << "E90000" << 0 << 6 << QStringLiteral("é");
    QTest::newRow("digit 0 is 0A") << "digit" << "0A" << 0 << 0 << "0";
    QTest::newRow("digit 0a is not") << "digit" << "0a" << 0 << 0 << "a";
    QTest::newRow("erased digit") << "digit" << "FF" << 0 << 0 << "F";
    QTest::newRow("code digits") << "code" << "01020A05FFFF" << 0 << 8 << "205";
    QTest::newRow("erased code digits") << "code" << "01020A05FFFFFFFF" << 8 << 8 << "FFF";
    QTest::newRow("code digits, short row") << "code" << "31G2" << 0 << 8 << "2";
    QTest::newRow("digits to ASCII hex") << "asciiHex" << "1024" << 0 << 0 << "31303234";
    QTest::newRow("hex to text") << "hexToText" << "31FFzz320033" << 0 << 0 << "12";
}

void TestMemoryMap::decoders()
{
    QFETCH(QString, decoder);
    QFETCH(QString, row);
    QFETCH(int, pos);
    QFETCH(int, count);
    QFETCH(QString, value);
    MainWindow &w = started->window();
    w.portSettings().readRows = QStringList{row};
    const QMap<QString, std::function<QString()>> decoders = {
        {"number", [&] { return w.decodeNumber(0, pos, count); }},
        {"id", [&] { return w.decodeIdDigits(0, pos, count); }},
        {"text", [&] { return w.decodeText(0, pos, count); }},
        {"digit", [&] { return w.decodeDigit(0, pos); }},
        {"code", [&] { return w.decodeCodeDigits(0, pos, count); }},
        {"asciiHex", [&] { return MainWindow::digitsToAsciiHex(row); }},
        {"hexToText", [&] { return MainWindow::hexToText(row); }},
    };
    QCOMPARE(decoders.value(decoder)(), value);
}

void TestMemoryMap::itemPayload_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("payload");

    QTest::newRow("terminator anywhere") << "w0100" << "+3#6#" << "2B33003600";
    QTest::newRow("hex item as it is") << "w02FC" << "c8" << "c8";
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

void TestMemoryMap::rowPosition_data()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("pos");

    QTest::newRow("first row") << 0x002 << 0 << 4;
    // 0x020 is asked before 0x010 but follows it in the row.
    QTest::newRow("joined row, its first block") << 0x010 << 1 << 0;
    QTest::newRow("joined row, its second block") << 0x020 << 1 << 32;
    QTest::newRow("inside a row") << 0x2F7 << 19 << 14;
    QTest::newRow("last row") << 0x302 << 20 << 4;
    QTest::newRow("gap between the blocks") << 0x040 << -1 << 0;
    QTest::newRow("model byte, not read") << 0x3EF << -1 << 0;
}

void TestMemoryMap::rowPosition()
{
    QFETCH(int, address);
    QFETCH(int, row);
    QFETCH(int, pos);
    const upThread::RowPosition at = upThread::rowPosition(address);
    QCOMPARE(qMakePair(at.row, at.pos), qMakePair(row, pos));
}

QTEST_MAIN(TestMemoryMap)
#include "tst_memorymap.moc"
