// Kept apart from simdevice.cpp: termios2, which carries a non-standard
// rate as a number, clashes with <termios.h>.
#include <asm/termbits.h>
#include <sys/ioctl.h>

int ttyOutputSpeed(int fd)
{
    struct termios2 settings {};
    if (fd < 0 || ::ioctl(fd, TCGETS2, &settings) != 0)
        return -1;
    return int(settings.c_ospeed);
}
