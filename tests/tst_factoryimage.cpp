// The built-in factory images, against values written out here. (The
// factory-reset suite checks every row as it goes over the line.)

#include "factoryimage.h"

#include <QTest>

class TestFactoryImage : public QObject
{
    Q_OBJECT

private slots:
    void layout();
    void modelsDifferOnlyInModelByte();
    void chosenDefaults();
};

void TestFactoryImage::layout()
{
    const FactoryImage image = factoryImage(8);
    QCOMPARE(image.rowAddr.size(), 64);
    QCOMPARE(image.rowData.size(), 64);
    QCOMPARE(image.rowAddr.first(), QStringLiteral("w0000"));
    QCOMPARE(image.rowAddr.at(0x2F), QStringLiteral("w02F0"));
    QCOMPARE(image.rowAddr.last(), QStringLiteral("w03F0"));
    for (const QString &row : image.rowData) {
        // 16 upper-case hex bytes, one blank between them.
        QCOMPARE(row.size(), 47);
        QCOMPARE(row.toUpper(), row);
        QCOMPARE(row.split(QLatin1Char(' ')).size(), 16);
    }
    QCOMPARE(image.rowData.at(0), QStringLiteral("03 04 0A 02 34 31 32 33 34 41 41 41 41 41 FF FF"));
    QCOMPARE(image.rowData.at(0x2F), QStringLiteral("F0 3C 78 FF 08 00 00 02 04 09 0A 09 0A 0A 40 0A"));
    QCOMPARE(image.rowData.at(0x30), QStringLiteral("05 05 DC 08 FF FF FF FF FF FF FF FF FF FF FF FF"));
    QCOMPARE(image.rowData.at(0x3E), QStringLiteral("FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF 08"));
}

void TestFactoryImage::modelsDifferOnlyInModelByte()
{
    const QByteArray m800 = factoryImageBytes(8);
    const QByteArray m700 = factoryImageBytes(4);
    QCOMPARE(m800.size(), 0x400);
    QCOMPARE(m700.size(), 0x400);
    QList<int> differing;
    for (int i = 0; i < m800.size(); ++i) {
        if (m800.at(i) != m700.at(i))
            differing.append(i);
    }
    QCOMPARE(differing, QList<int>{0x3EF});
    QCOMPARE(int(m800.at(0x3EF)), 8);
    QCOMPARE(int(m700.at(0x3EF)), 4);
}

void TestFactoryImage::chosenDefaults()
{
    const QByteArray bytes = factoryImageBytes(8);
    // Server 192.0.2.10 for both servers, telephone +3612345678 twice.
    QCOMPARE(bytes.mid(0x30, 8), QByteArray::fromHex("C000020AC000020A"));
    for (const int row : {0xD0, 0xE0})
        QCOMPARE(bytes.mid(row, 16), QByteArray("+3612345678\0\0\0\xFF\xFF", 16));
}

QTEST_MAIN(TestFactoryImage)
#include "tst_factoryimage.moc"
