#include "control/serial_lines.h"

SerialLines::~SerialLines() { close_all(); }

LinkChannel &SerialLines::line(const QString &port)
{
    Line &line = lines[port];
    if (!line.link) {
        // The links are children of the list: they show in the window's tree.
        line.link = std::make_unique<SerialLink>(parent());
        line.channel = std::make_unique<LinkChannel>(*line.link);
        emit made(*line.channel);
    }
    return *line.channel;
}

LinkChannel *SerialLines::find(const QString &port) const
{
    const auto found = lines.find(port);
    return found == lines.end() ? nullptr : found->second.channel.get();
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
