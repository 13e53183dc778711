#include "control/end_signals.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {
int pipe_ends[2] = {-1, -1};

void on_signal(int number)
{
    const unsigned char byte = static_cast<unsigned char>(number);
    // Nothing else is safe in a handler; a full pipe already says enough.
    [[maybe_unused]] const ssize_t written = ::write(pipe_ends[1], &byte, 1);
}
} // namespace

EndSignals::EndSignals(QObject *parent) : QObject(parent)
{
    if (::pipe2(pipe_ends, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    notifier = std::make_unique<QSocketNotifier>(pipe_ends[0], QSocketNotifier::Read);
    connect(notifier.get(), &QSocketNotifier::activated, this, &EndSignals::read);
    struct sigaction action {
    };
    action.sa_handler = on_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : {SIGTERM, SIGINT, SIGHUP})
        sigaction(number, &action, nullptr);
}

EndSignals::~EndSignals()
{
    if (pipe_ends[0] < 0)
        return;
    struct sigaction action {
    };
    action.sa_handler = SIG_DFL;
    for (int number : {SIGTERM, SIGINT, SIGHUP})
        sigaction(number, &action, nullptr);
    notifier.reset();
    ::close(pipe_ends[0]);
    ::close(pipe_ends[1]);
    pipe_ends[0] = pipe_ends[1] = -1;
}

void EndSignals::read()
{
    unsigned char byte = 0;
    while (::read(pipe_ends[0], &byte, 1) == 1)
        emit arrived(byte);
}
