// An answer to the network cameras' enquiry, from anyone on the network.
#include "visca/discovery.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray datagram(reinterpret_cast<const char *>(data), int(size));
    const auto reply = visca::read_discovery_reply(datagram);
    // What is read is bounded by what came.
    if (reply && reply->fields.size() > datagram.size())
        abort();
    return 0;
}
