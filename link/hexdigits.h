#ifndef HEXDIGITS_H
#define HEXDIGITS_H

#include <QChar>
#include <QStringView>

// Hexadecimal digits as the device writes them, in either case. Nothing else
// counts: no sign, no blanks, no prefix.

inline int hexDigitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// True for a non-empty text of hexadecimal digits only.
inline bool isHexDigits(QStringView text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (hexDigitValue(c) < 0)
            return false;
    }
    return true;
}

#endif // HEXDIGITS_H
