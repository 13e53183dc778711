// A camera's reply, as any byte sequence may arrive: read as a reply or
// refused, never more.
#include "visca/replies.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray message(reinterpret_cast<const char *>(data), int(size));
    if (const auto reply = visca::read_reply(message)) {
        // A reply names a camera of the chain and ends its message.
        if (reply->address < 1 || reply->address > 7 || !message.endsWith(char(0xFF)))
            abort();
    }
    (void)visca::read_version(message);
    return 0;
}
