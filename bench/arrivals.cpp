#include "arrivals.h"

#include <poll.h>
#include <unistd.h>

Arrivals::Arrivals(int descriptor) : fd(descriptor), reader(&Arrivals::run, this) {}

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
        if (::read(fd, buffer, sizeof buffer) <= 0)
            continue;
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
