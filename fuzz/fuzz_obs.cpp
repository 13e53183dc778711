// Any text from an obs-websocket server, a message at a time: what the
// session sends back stays bounded, scene names within their length.
#include "tally/obs_session.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    ObsSession session(QStringLiteral("secret"));
    // The input as one message, then as messages a line each.
    QList<QByteArray> messages{bytes};
    messages += bytes.split('\n');
    for (const QByteArray &message : messages) {
        const ObsSession::Outcome outcome = session.take(message);
        if (outcome.send.size() > 2 || session.program().size() > ObsSession::longest_scene ||
            session.preview().size() > ObsSession::longest_scene)
            abort();
    }
    return 0;
}
