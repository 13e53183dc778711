// A serial or TCP stream cut into messages, the reads split anywhere: no
// byte is lost or made up, and what waits stays within the limit.
#include "visca/packet_cutter.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    // The first byte chooses the reads' length and the cutter's limit.
    const int read = 1 + data[0] % 17;
    PacketCutter cutter(2 + data[0] % 31);
    const QByteArray stream(reinterpret_cast<const char *>(data + 1), int(size - 1));
    QByteArray out;
    for (int at = 0; at < stream.size(); at += read) {
        const QList<QByteArray> messages = cutter.feed(stream.mid(at, read));
        for (const QByteArray &message : messages) {
            if (message.isEmpty())
                abort();
            out += message;
        }
        if (cutter.pending_size() > 2 + data[0] % 31)
            abort();
    }
    if (out.size() + cutter.pending_size() != stream.size() || !stream.startsWith(out))
        abort();
    return 0;
}
