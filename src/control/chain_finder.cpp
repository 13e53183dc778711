#include "control/chain_finder.h"

#include "control/command_sender.h"
#include "control/reply_tracker.h"
#include "links/link.h"
#include "visca/camera_commands.h"

ChainFinder::ChainFinder(CommandSender &command_sender, QObject *parent)
    : QObject(parent), sender(command_sender)
{
    limit.setSingleShot(true);
    connect(&limit, &QTimer::timeout, this, [this] {
        end();
        emit silent();
    });
}

bool ChainFinder::find(Link &line)
{
    end();
    for (const QByteArray &broadcast :
         {visca::interface_clear_broadcast(), visca::address_set_broadcast()}) {
        quint64 message = 0;
        if (sender.send_bytes(line, broadcast, Link::Lane::Camera, &message) != SendResult::Sent)
            return false;
        // A broadcast comes back as itself, not as an answer to match: the
        // camera's replies to later commands must find their own messages.
        ReplyTracker::of(line).lost(message);
    }
    asked = &line;
    cutter = PacketCutter();
    hearing = connect(&line, &Link::received, this, &ChainFinder::take);
    connect(&line, &Link::closing, this, [this] { limit.start(0); });
    limit.start(answer_limit_ms);
    return true;
}

void ChainFinder::take(const QList<QByteArray> &replies)
{
    for (const QByteArray &bytes : replies) {
        const auto messages = cutter.feed(bytes);
        for (const QByteArray &message : messages) {
            if (const std::optional<int> cameras = visca::chain_size(message)) {
                end();
                emit found(*cameras);
                return;
            }
        }
    }
}

void ChainFinder::end()
{
    limit.stop();
    disconnect(hearing);
    if (asked)
        disconnect(asked, &Link::closing, this, nullptr);
    asked = nullptr;
}
