#include "service/line_output.h"

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <unistd.h>

// What the caller and the writing thread share; the thread keeps it alive
// should it still be stuck in a write when the output ends.
struct LineOutput::Shared {
    int descriptor = -1;
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::string> waiting;
    std::size_t dropped = 0;
    bool ending = false;
    bool broken = false;
    bool writing = false;

    // Under the lock: where lines were dropped is said in their place,
    // once there is room again.
    void tell_dropped()
    {
        if (dropped == 0)
            return;
        waiting.push_back("(" + std::to_string(dropped) +
                          " lines dropped: standard output was not read)\n");
        dropped = 0;
    }

    // Writes `text` whole; false when the reader is gone.
    bool write_all(const std::string &text) const
    {
        std::size_t written = 0;
        while (written < text.size()) {
            const ssize_t now = ::write(descriptor, text.data() + written, text.size() - written);
            if (now < 0 && errno == EINTR)
                continue;
            if (now <= 0)
                return false;
            written += std::size_t(now);
        }
        return true;
    }

    void run()
    {
        std::unique_lock<std::mutex> lock(mutex);
        for (;;) {
            changed.wait(lock, [this] { return ending || !waiting.empty(); });
            if (waiting.empty())
                return;
            std::string text = std::move(waiting.front());
            waiting.pop_front();
            writing = true;
            lock.unlock();
            const bool went = write_all(text);
            lock.lock();
            writing = false;
            if (!went) {
                broken = true;
                waiting.clear();
            }
            changed.notify_all();
            if (broken)
                return;
        }
    }
};

LineOutput::LineOutput(int descriptor) : shared(std::make_shared<Shared>())
{
    shared->descriptor = descriptor;
    std::thread([kept = shared] { kept->run(); }).detach();
}

LineOutput::~LineOutput()
{
    std::unique_lock<std::mutex> lock(shared->mutex);
    shared->tell_dropped();
    shared->changed.notify_all();
    shared->changed.wait_for(lock, std::chrono::milliseconds(end_wait_ms), [this] {
        return shared->broken || (shared->waiting.empty() && !shared->writing);
    });
    // A thread still stuck in a write is left to the process's end; it
    // holds what it shares.
    shared->ending = true;
    shared->changed.notify_all();
}

void LineOutput::print(const QString &line)
{
    const std::lock_guard<std::mutex> guard(shared->mutex);
    if (shared->broken)
        return;
    if (shared->waiting.size() >= most_waiting) {
        ++shared->dropped;
        return;
    }
    shared->tell_dropped();
    shared->waiting.push_back((line + '\n').toStdString());
    shared->changed.notify_all();
}
