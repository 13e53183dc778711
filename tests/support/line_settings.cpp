#include "line_settings.h"

// termios2 lives in the kernel headers, which clash with <termios.h>: keep
// this file apart from the rest of the test support.
#include <asm/termbits.h>
#include <sys/ioctl.h>

unsigned requested_cflag();

LineSettings line_settings(int fd)
{
    struct termios2 line {
    };
    LineSettings settings;
    if (ioctl(fd, TCGETS2, &line) != 0)
        return settings;
    settings.baud = line.c_ospeed;
    // The frame as requested: a pseudo-terminal would report 8N.
    line.c_cflag = requested_cflag();
    switch (line.c_cflag & CSIZE) {
    case CS5: settings.data_bits = 5; break;
    case CS6: settings.data_bits = 6; break;
    case CS7: settings.data_bits = 7; break;
    default: settings.data_bits = 8; break;
    }
    settings.parity = !(line.c_cflag & PARENB) ? "N" : (line.c_cflag & PARODD) ? "O" : "E";
    settings.stop_bits = (line.c_cflag & CSTOPB) ? 2 : 1;
    settings.hardware_flow = line.c_cflag & CRTSCTS;
    return settings;
}
