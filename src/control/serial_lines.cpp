#include "control/serial_lines.h"

SerialLines::~SerialLines() { close_all(); }

LinkChannel &SerialLines::line(const QString &port)
{
    Line &line = lines[port];
    if (!line.link) {
        // The links are children of the list: they show in the window's tree.
        line.link = std::make_unique<SerialLink>(parent());
        line.channel = std::make_unique<LinkChannel>(*line.link);
        SerialLink *link = line.link.get();
        line.again = std::make_unique<Reconnect>(*link, nullptr);
        Reconnect *again = line.again.get();
        line.again->set_attempt([link, again] {
            if (!link->reopen())
                again->failed();
        });
        connect(again, &Reconnect::changed, this, &SerialLines::reconnecting);
        emit made(*line.channel);
    }
    return *line.channel;
}

LinkChannel *SerialLines::find(const QString &port) const
{
    const auto found = lines.find(port);
    return found == lines.end() ? nullptr : found->second.channel.get();
}

Reconnect *SerialLines::reconnect(const QString &port) const
{
    const auto found = lines.find(port);
    return found == lines.end() ? nullptr : found->second.again.get();
}

Reconnect *SerialLines::reconnect_of(const SerialLink &link) const
{
    for (const auto &line : lines) {
        if (line.second.link.get() == &link)
            return line.second.again.get();
    }
    return nullptr;
}

void SerialLines::close(const QString &port)
{
    if (LinkChannel *channel = find(port))
        channel->link().close();
}

void SerialLines::close_all()
{
    for (auto &line : lines)
        line.second.link->close();
}
