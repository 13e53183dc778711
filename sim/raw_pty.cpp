#include "raw_pty.h"

#include <fcntl.h>
#include <pty.h>
#include <termios.h>

RawPty open_raw_pty()
{
    termios raw{};
    cfmakeraw(&raw);
    char name[256] = {};
    RawPty pty;
    if (openpty(&pty.master, &pty.slave, name, &raw, nullptr) != 0)
        return {};
    fcntl(pty.master, F_SETFL, fcntl(pty.master, F_GETFL) | O_NONBLOCK);
    pty.slave_path = QString::fromLocal8Bit(name);
    return pty;
}
