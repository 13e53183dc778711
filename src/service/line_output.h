#ifndef ZARVICK_LINE_OUTPUT_H
#define ZARVICK_LINE_OUTPUT_H

#include <QString>
#include <cstddef>
#include <memory>

// Lines for standard output (or another descriptor), written by a thread
// of their own: a reader that stops reading (a pager scrolled back, a
// stalled pipe, Ctrl+S in a terminal) must never hold up the event loop,
// whose stops and leases cannot wait. At most `most_waiting` lines wait;
// beyond that they are dropped, and a line says how many once the reader
// takes lines again. A reader gone for good (a broken pipe) takes nothing
// more.
class LineOutput
{
public:
    static constexpr std::size_t most_waiting = 4096;
    // How long the end waits for the lines still waiting to go.
    static constexpr int end_wait_ms = 1000;

    explicit LineOutput(int descriptor);
    ~LineOutput();
    LineOutput(const LineOutput &) = delete;
    LineOutput &operator=(const LineOutput &) = delete;
    void print(const QString &line);

    struct Shared;

private:
    std::shared_ptr<Shared> shared;
};

#endif
