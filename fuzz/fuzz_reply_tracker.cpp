// Replies in any order and shape against messages sent between them: a
// reply is matched only to a message that was sent, and no message is
// accepted or completed twice.
#include "control/reply_tracker.h"
#include "links/link.h"

#include <QSet>
#include <cstdint>
#include <cstdlib>

namespace {
class SilentLink : public Link
{
public:
    bool isOpen() const override { return true; }
    bool send(const QByteArray &, Lane) override { return true; }
    void reply(const QList<QByteArray> &replies) { emit received(replies); }

protected:
    void shut() override {}
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    SilentLink link;
    ReplyTracker tracker(link);
    quint64 last_sent = 0;
    QSet<quint64> accepted;
    QSet<quint64> completed;
    QObject::connect(&tracker, &ReplyTracker::answered, &tracker,
                     [&](quint64 message, ReplyTracker::Outcome outcome, const QByteArray &) {
                         if (message < 1 || message > last_sent)
                             abort();
                         QSet<quint64> *seen =
                             outcome == ReplyTracker::Outcome::Accepted    ? &accepted
                             : outcome == ReplyTracker::Outcome::Completed ? &completed
                                                                           : nullptr;
                         if (seen && seen->contains(message))
                             abort();
                         if (seen)
                             seen->insert(message);
                     });
    // Each step: a control byte, then what it says. Low bit clear: a message
    // sent (quiet when bit 1 is set); set: a reply of up to 15 bytes.
    size_t at = 0;
    while (at < size) {
        const uint8_t control = data[at++];
        const size_t length = std::min<size_t>((control >> 4) & 0x0F, size - at);
        const QByteArray bytes(reinterpret_cast<const char *>(data + at), int(length));
        at += length;
        if (control & 1) {
            link.reply({bytes});
        } else {
            // One message a send: one first reply is its due.
            QByteArray message = bytes;
            message.replace(char(0xFF), char(0x00));
            last_sent = tracker.sent(message + char(0xFF), (control & 2) != 0);
            if (control & 4)
                tracker.lost(last_sent);
        }
    }
    return 0;
}
