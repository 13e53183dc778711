// Command text as the operator types it (or a file holds it): bytes come
// out only from a text that is hex, and show back as the same text.
#include "visca/command_text.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    bool ok = false;
    const QByteArray bytes = command_bytes(text, &ok);
    if (ok && command_bytes(hex_text(bytes), &ok) != bytes)
        abort();
    return 0;
}
