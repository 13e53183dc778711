// A datagram on the VISCA over IP port: unpacked or refused; what is
// unpacked packs back to the same bytes.
#include "visca/visca_over_ip.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray datagram(reinterpret_cast<const char *>(data), int(size));
    const auto message = visca_over_ip::unpack(datagram);
    if (message &&
        visca_over_ip::pack(message->type, message->sequence, message->payload) != datagram)
        abort();
    return 0;
}
