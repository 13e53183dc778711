// A pseudo-terminal keeps only part of what a port asks for: it forces 8
// data bits and no parity. So that a pty can stand in for a real line, the
// test programs remember what each descriptor was last set to and report
// that back, as a UART would; the kernel still gets every call. Test
// programs export these (ENABLE_EXPORTS) so the serial-port library binds
// to them in front of the C library's.

#include <dlfcn.h>
#include <map>
#include <termios.h>

namespace {
// Never destroyed: close() below may still run during process exit.
std::map<int, struct termios> &requested = *new std::map<int, struct termios>;
unsigned last_cflag = 0;

template <class Function> Function real(const char *name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}
} // namespace

extern "C" int tcsetattr(int fd, int action, const struct termios *line)
{
    static const auto next = real<int (*)(int, int, const struct termios *)>("tcsetattr");
    const int result = next(fd, action, line);
    if (result == 0) {
        requested[fd] = *line;
        last_cflag = line->c_cflag;
    }
    return result;
}

extern "C" int tcgetattr(int fd, struct termios *line)
{
    static const auto next = real<int (*)(int, struct termios *)>("tcgetattr");
    const int result = next(fd, line);
    const auto known = requested.find(fd);
    if (result == 0 && known != requested.end()) {
        // The frame as set, the rest (rates among it) as the kernel has it.
        const tcflag_t frame = CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS;
        line->c_cflag = (line->c_cflag & ~frame) | (known->second.c_cflag & frame);
    }
    return result;
}

extern "C" int close(int fd)
{
    static const auto next = real<int (*)(int)>("close");
    requested.erase(fd);
    return next(fd);
}

unsigned requested_cflag() { return last_cflag; }
