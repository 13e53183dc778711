#include "paced_camera.h"

#include "testsupport.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

PacedCamera::PacedCamera(int message_us) : per_message_us(message_us)
{
    listener = loopback_listener(&listening_port, 0, SOCK_NONBLOCK);
    start_pacing();
}

PacedCamera::PacedCamera(int fd, int baud)
    : stream(fd), owned(false), per_byte_us(10 * 1000000 / baud)
{
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    start_pacing();
}

void PacedCamera::start_pacing()
{
    started.start();
    pace.setTimerType(Qt::PreciseTimer);
    pace.setSingleShot(true);
    QObject::connect(&pace, &QTimer::timeout, [this] { take_one(); });
    pace.start(1);
}

PacedCamera::~PacedCamera()
{
    if (owned && stream >= 0)
        ::close(stream);
    if (listener >= 0)
        ::close(listener);
}

qint64 PacedCamera::arrival_of(const QByteArray &message, qint64 since_ns) const
{
    for (const Arrival &arrival : arrivals) {
        if (arrival.at_ns >= since_ns && arrival.message == message)
            return arrival.at_ns;
    }
    return -1;
}

void PacedCamera::take_one()
{
    if (stream < 0)
        stream = ::accept4(listener, nullptr, nullptr, SOCK_NONBLOCK);
    QByteArray message;
    if (stream < 0 || !read_message(&message)) {
        pace.start(1);
        return;
    }
    const qint64 now_ns = started.nsecsElapsed();
    arrivals.append({message, now_ns});
    const ViscaCamera::Answer answer = camera.handle(message, now_ns / 1000000);
    QByteArray out;
    for (const QByteArray &reply : answer.replies)
        out += reply;
    out += answer.completion;
    if (!out.isEmpty() && ::write(stream, out.constData(), size_t(out.size())) < 0)
        qWarning("the paced camera could not answer");
    const int wait_us = qMax(per_message_us, int(message.size()) * per_byte_us);
    pace.start(qMax(1, (wait_us + 500) / 1000));
}

bool PacedCamera::read_message(QByteArray *message)
{
    // Byte by byte: what follows the message stays in the connection.
    char byte = 0;
    while (::read(stream, &byte, 1) == 1) {
        partial += byte;
        if (byte == char(0xFF)) {
            *message = partial;
            partial.clear();
            return true;
        }
    }
    return false;
}
