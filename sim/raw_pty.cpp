#include "raw_pty.h"

#include <QFileInfo>

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace {
RawPty one_pty()
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

// Whether a serial port's lock file (as Qt's serial port names it, in any
// of the folders it uses) is there for the device.
bool lock_file_there(const QString &device)
{
    QString name = device;
    if (name.startsWith(QLatin1String("/dev/")))
        name.remove(0, 5);
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    for (const char *folder : {"/var/lock", "/etc/locks", "/var/spool/locks", "/var/spool/uucp",
                               "/tmp", "/var/tmp", "/var/lock/lockdev", "/run/lock"}) {
        if (QFileInfo::exists(QStringLiteral("%1/LCK..%2").arg(QLatin1String(folder), name)))
            return true;
    }
    return false;
}
} // namespace

RawPty open_raw_pty()
{
    // A program closes its serial port before it drops the port's lock: a
    // pair just freed that way can come back from openpty still locked for
    // a moment, and whoever opens it then is refused. Such pairs are held
    // (so that openpty gives another number) and let go at the end.
    std::vector<RawPty> held;
    RawPty pty = one_pty();
    while (!pty.slave_path.isEmpty() && lock_file_there(pty.slave_path) && held.size() < 16) {
        held.push_back(pty);
        pty = one_pty();
    }
    for (const RawPty &locked : held) {
        ::close(locked.master);
        ::close(locked.slave);
    }
    return pty;
}
