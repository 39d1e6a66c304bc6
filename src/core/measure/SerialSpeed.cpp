#include "core/measure/SerialSpeed.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

bool setArbitraryBitRate(int fd, quint32 bitsPerSecond)
{
    struct termios2 tio;
    if (::ioctl(fd, TCGETS2, &tio) != 0)
        return false;
    tio.c_cflag &= ~CBAUD;
    tio.c_cflag |= BOTHER;
    tio.c_cflag &= ~(CBAUD << IBSHIFT);
    tio.c_cflag |= BOTHER << IBSHIFT;
    tio.c_ispeed = bitsPerSecond;
    tio.c_ospeed = bitsPerSecond;
    return ::ioctl(fd, TCSETS2, &tio) == 0;
}
