#ifndef ZARVICK_BENCH_ARRIVALS_H
#define ZARVICK_BENCH_ARRIVALS_H

#include <QByteArray>
#include <QList>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

using Clock = std::chrono::steady_clock;

// Notes when bytes arrive on a descriptor (a pty master, an accepted TCP
// connection, a UDP socket), from a thread of its own, so that the moment
// of arrival does not wait for the window's event loop.
class Arrivals
{
public:
    // What a camera answers a datagram (nothing: no answer); only the
    // datagrams it answers with nothing or with an ACK count as arrivals,
    // so that inquiries do not.
    using Answer = std::function<QList<QByteArray>(const QByteArray &datagram)>;
    explicit Arrivals(int descriptor, Answer answer = {});
    ~Arrivals();
    // The time of the next read, or nothing after `timeout_ms`.
    bool next(Clock::time_point *when, int timeout_ms = 1000);
    void clear();

private:
    void run();

    const int fd;
    const Answer answer;
    std::atomic<bool> stopping{false};
    std::mutex mutex;
    std::condition_variable arrived;
    std::deque<Clock::time_point> times;
    std::thread reader;
};

#endif
