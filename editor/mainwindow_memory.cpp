#include "mainwindow.h"

#include "hexdigits.h"

// Device bytes travel as two hexadecimal characters each. Only whole rows
// reach the decoders, but they stay safe on any text: a missing or
// non-hexadecimal pair reads as 0.

namespace {

// A hexadecimal text of either case; empty or anything else gives 0.
qint64 hexValue(QStringView text)
{
    if (text.isEmpty() || text.size() > 15)
        return 0;
    qint64 value = 0;
    for (const QChar c : text) {
        const int digit = hexDigitValue(c);
        if (digit < 0)
            return 0;
        value = value * 16 + digit;
    }
    return value;
}

// The two characters of a row that start at pos; shorter past the end.
QString pairAt(const QString &row, int pos)
{
    return row.mid(pos, 2);
}

QChar byteChar(QStringView pair)
{
    return QChar(ushort(hexValue(pair)));
}

} // namespace

QString MainWindow::encodeCodeDigits(const QString &digits)
{
    QString data;
    for (const QChar c : digits) {
        if (c == QLatin1Char('0'))
            data += QLatin1String("0A");
        else
            data += QLatin1Char('0') + c;
    }
    return data;
}

// Nothing in the program calls these two.
QString MainWindow::digitsToAsciiHex(const QString &digits)
{
    QString hex;
    for (const QChar c : digits)
        hex += QLatin1Char('3') + c;
    return hex;
}

QString MainWindow::hexToText(const QString &hex)
{
    QString text;
    for (int k = 0; k < hex.size(); k += 2) {
        const QString pair = pairAt(hex, k);
        if (pair == QLatin1String("00"))
            break;
        const qint64 value = hexValue(pair);
        if (value != 0 && value != 255)
            text += QChar(ushort(value));
    }
    return text;
}

QString MainWindow::decodeNumber(int row, int pos, int count) const
{
    return QString::number(hexValue(settings.readRows.value(row).mid(pos, count)));
}

QString MainWindow::decodeIdDigits(int row, int pos, int count) const
{
    // The device keeps an ID digit 0 as 0x41, so the byte 41 means "0"
    // here and never the letter A.
    const QString line = settings.readRows.value(row);
    QString digits;
    for (int k = 0; k < count; k += 2) {
        const QString pair = pairAt(line, pos + k);
        if (pair == QLatin1String("41"))
            digits += QLatin1Char('0');
        else
            digits += byteChar(pair);
    }
    return digits;
}

QString MainWindow::decodeText(int row, int pos, int count) const
{
    const QString line = settings.readRows.value(row);
    QString text;
    for (int k = 0; k < count; k += 2) {
        const QString pair = pairAt(line, pos + k).toUpper();
        // 00 ends a written text, FF is erased memory.
        if (pair == QLatin1String("FF") || pair == QLatin1String("00"))
            break;
        text += byteChar(pair);
    }
    return text;
}

QString MainWindow::decodeDigit(int row, int pos) const
{
    const QString pair = pairAt(settings.readRows.value(row), pos);
    if (pair == QLatin1String("0A"))
        return QStringLiteral("0");
    return pair.right(1);
}

QString MainWindow::decodeCodeDigits(int row, int pos, int count) const
{
    const QString line = settings.readRows.value(row);
    QString digits;
    for (int k = 0; k < count; k += 2) {
        const QString pair = pairAt(line, pos + k);
        digits += (pair == QLatin1String("0A")) ? QStringLiteral("0") : pair.right(1);
    }
    // The first byte of a group is its qualifier, which decodeDigit reads.
    return digits.mid(1);
}
