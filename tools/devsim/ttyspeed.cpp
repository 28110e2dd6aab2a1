// Kept apart from simdevice.cpp: termios2, which carries a non-standard
// rate as a number, clashes with <termios.h>.
#include <QByteArray>

#include <asm/termbits.h>
#include <sys/ioctl.h>

int ttyOutputSpeed(int fd)
{
    struct termios2 settings {};
    if (fd < 0 || ::ioctl(fd, TCGETS2, &settings) != 0)
        return -1;
    return int(settings.c_ospeed);
}

QByteArray ttyLineFormat(int fd)
{
    struct termios2 settings {};
    if (fd < 0 || ::ioctl(fd, TCGETS2, &settings) != 0)
        return QByteArray();
    const tcflag_t flags = settings.c_cflag;
    char dataBits = '8';
    switch (flags & CSIZE) {
    case CS5: dataBits = '5'; break;
    case CS6: dataBits = '6'; break;
    case CS7: dataBits = '7'; break;
    default: break;
    }
    char parity = 'N';
    if (flags & PARENB) {
        if (flags & CMSPAR)
            parity = (flags & PARODD) ? 'M' : 'S';
        else
            parity = (flags & PARODD) ? 'O' : 'E';
    }
    const char format[] = {dataBits, parity, (flags & CSTOPB) ? '2' : '1'};
    return QByteArray(format, sizeof format);
}
