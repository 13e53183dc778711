#include "control/chain_finder.h"

#include "control/link_channel.h"
#include "visca/camera_commands.h"

ChainFinder::ChainFinder(QObject *parent) : QObject(parent)
{
    limit.setSingleShot(true);
    connect(&limit, &QTimer::timeout, this, [this] {
        end();
        emit silent();
    });
}

bool ChainFinder::find(LinkChannel &channel)
{
    end();
    for (const QByteArray &broadcast :
         {visca::interface_clear_broadcast(), visca::address_set_broadcast()}) {
        quint64 message = 0;
        if (channel.send(broadcast, {Link::Lane::Camera, false, {}}, &message) != SendResult::Sent)
            return false;
        // A broadcast comes back as itself, not as an answer to match: the
        // camera's replies to later commands must find their own messages.
        channel.lost(message);
    }
    Link &line = channel.link();
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
