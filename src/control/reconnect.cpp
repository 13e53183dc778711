#include "control/reconnect.h"

#include "links/link.h"

#include <algorithm>

int Reconnect::wait_ms(int failed)
{
    int wait = first_wait_ms;
    for (int i = 0; i < failed && wait < longest_wait_ms; ++i)
        wait *= 2;
    return std::min(wait, longest_wait_ms);
}

Reconnect::Reconnect(Link &link, std::function<void()> try_open, QObject *parent)
    : QObject(parent), attempt(std::move(try_open))
{
    next_try.setSingleShot(true);
    connect(&next_try, &QTimer::timeout, this, [this] {
        emit changed();
        trying_now = true;
        attempt();
        trying_now = false;
    });
    connect(&link, &Link::lost, this, &Reconnect::lost);
    connect(&link, &Link::opened, this, &Reconnect::end);
    connect(&link, &Link::closed, this, [this] {
        if (!trying_now)
            end();
    });
}

void Reconnect::lost()
{
    on = true;
    failures = 0;
    wait_next();
}

void Reconnect::begin()
{
    on = true;
    failures = 0;
    next_try.stop();
    emit changed();
}

void Reconnect::failed()
{
    if (!on)
        return;
    ++failures;
    wait_next();
}

void Reconnect::wait_next()
{
    next_try.start(wait_ms(failures));
    waiting.start();
    emit changed();
}

void Reconnect::end()
{
    if (!on)
        return;
    on = false;
    next_try.stop();
    emit changed();
}

int Reconnect::next_try_in_s() const
{
    if (!on || !next_try.isActive())
        return 0;
    const qint64 left = std::max<qint64>(0, next_try.interval() - waiting.elapsed());
    return int((left + 999) / 1000);
}
