#include "arrivals.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

Arrivals::Arrivals(int descriptor, Answer camera)
    : fd(descriptor), answer(std::move(camera)), reader(&Arrivals::run, this)
{
}

Arrivals::~Arrivals()
{
    stopping = true;
    reader.join();
}

void Arrivals::run()
{
    char buffer[65536];
    while (!stopping) {
        pollfd ready{fd, POLLIN, 0};
        if (poll(&ready, 1, 20) <= 0)
            continue;
        if (!(ready.revents & POLLIN)) {
            usleep(5000); // hung up: nothing will come, do not spin
            continue;
        }
        const Clock::time_point now = Clock::now();
        sockaddr_storage sender{};
        socklen_t sender_size = sizeof sender;
        // A pseudo-terminal has no sender: only an answering camera (a UDP
        // socket) asks who sent.
        const ssize_t size = answer
                                 ? ::recvfrom(fd, buffer, sizeof buffer, 0,
                                              reinterpret_cast<sockaddr *>(&sender), &sender_size)
                                 : ::read(fd, buffer, sizeof buffer);
        if (size <= 0)
            continue;
        if (answer) {
            const QList<QByteArray> replies = answer(QByteArray(buffer, int(size)));
            for (const QByteArray &reply : replies)
                ::sendto(fd, reply.constData(), size_t(reply.size()), 0,
                         reinterpret_cast<sockaddr *>(&sender), sender_size);
            // An inquiry's answer is no arrival of a command.
            if (!replies.isEmpty() && replies.first().at(1) != 0x41)
                continue;
        }
        std::lock_guard<std::mutex> lock(mutex);
        times.push_back(now);
        arrived.notify_one();
    }
}

bool Arrivals::next(Clock::time_point *when, int timeout_ms)
{
    std::unique_lock<std::mutex> lock(mutex);
    if (!arrived.wait_for(lock, std::chrono::milliseconds(timeout_ms),
                          [this] { return !times.empty(); }))
        return false;
    *when = times.front();
    times.pop_front();
    return true;
}

void Arrivals::clear()
{
    std::lock_guard<std::mutex> lock(mutex);
    times.clear();
}
