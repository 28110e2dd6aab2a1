#include "factoryimage.h"

namespace {

const int RowCount = 64;
const int RowSize = 16;

// Factory server address 192.0.2.10, the same for both servers.
const char ServerAddress[] = "C0 00 02 0A";
// Factory telephone number "+3612345678" as ASCII.
const char PhoneNumber[] = "2B 33 36 31 32 33 34 35 36 37 38";

const char Blank[] = "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF";

// Rows that differ from an all-FF row. The model row is added separately.
struct Row
{
    int address;
    QString data;
};

QList<Row> fixedRows()
{
    const QString server = QLatin1String(ServerAddress);
    const QString phone = QLatin1String(PhoneNumber);
    return {
        {0x000, QStringLiteral("03 04 0A 02 34 31 32 33 34 41 41 41 41 41 FF FF")},
        {0x010, QStringLiteral("6E 65 74 00 00 FF FF FF FF FF FF FF FF FF FF FF")},
        {0x030, server + QLatin1Char(' ') + server + QStringLiteral(" FF FF FF FF FF FF FF FF")},
        {0x040, QStringLiteral("00 FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF")},
        {0x080, QStringLiteral("00 FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF")},
        {0x0C0, QStringLiteral("31 30 32 34 00 00 FF FF 31 30 32 34 00 00 FF FF")},
        {0x0D0, phone + QStringLiteral(" 00 00 00 FF FF")},
        {0x0E0, phone + QStringLiteral(" 00 00 00 FF FF")},
        {0x100, QStringLiteral("00 00 FF FF FF FF FF FF FF FF FF FF FF FF FF FF")},
        {0x140, QStringLiteral("31 31 00 00 FF FF FF FF FF FF FF FF FF FF FF FF")},
        {0x150, QStringLiteral("31 30 00 00 FF FF FF FF FF FF FF FF FF FF FF FF")},
        {0x160, QStringLiteral("32 31 00 00 FF FF FF FF FF FF FF FF FF FF FF FF")},
        {0x170, QStringLiteral("32 30 00 00 FF FF FF FF FF FF FF FF FF FF FF FF")},
        {0x180, QStringLiteral("33 31 00 00 FF FF FF FF FF FF FF FF FF FF FF FF")},
        {0x190, QStringLiteral("33 30 00 00 FF FF FF FF FF FF FF FF FF FF FF FF")},
        {0x1E0, QStringLiteral("48 00 68 01 49 02 69 03 6A 04 4A 05 47 06 61 07")},
        {0x1F0, QStringLiteral("70 08 50 09 41 0A 78 0B 72 0C FF FF FF FF FF FF")},
        {0x200, QStringLiteral("01 06 05 01 03 06 05 01 01 06 05 02 03 06 05 02")},
        {0x210, QStringLiteral("01 06 05 03 03 06 05 03 01 06 0A 06 03 06 0A 06")},
        {0x220, QStringLiteral("01 06 0A 0A 03 06 0A 0A 06 06 0A 01 06 06 0A 09")},
        {0x230, QStringLiteral("06 06 0A 05 FF FF FF FF FF FF FF FF FF FF FF FF")},
        {0x2F0, QStringLiteral("F0 3C 78 FF 08 00 00 02 04 09 0A 09 0A 0A 40 0A")},
        {0x300, QStringLiteral("05 05 DC 08 FF FF FF FF FF FF FF FF FF FF FF FF")},
    };
}

const int ModelRow = 0x3E0;

} // namespace

FactoryImage factoryImage(int model)
{
    QStringList data;
    data.reserve(RowCount);
    for (int i = 0; i < RowCount; ++i)
        data.append(QLatin1String(Blank));
    for (const Row &row : fixedRows())
        data[row.address / RowSize] = row.data;
    data[ModelRow / RowSize] = QString::fromLatin1(Blank).left(45)
                               + QStringLiteral("%1").arg(model & 0xFF, 2, 16, QLatin1Char('0')).toUpper();

    FactoryImage image;
    image.rowData = data;
    for (int i = 0; i < RowCount; ++i)
        image.rowAddr.append(QLatin1Char('w')
                             + QStringLiteral("%1").arg(i * RowSize, 4, 16, QLatin1Char('0')).toUpper());
    return image;
}

QByteArray factoryImageBytes(int model)
{
    QByteArray bytes;
    bytes.reserve(RowCount * RowSize);
    for (const QString &row : factoryImage(model).rowData)
        bytes += QByteArray::fromHex(row.toLatin1());
    return bytes;
}
