// Any bytes from vMix's TCP API: lines bounded, inputs bounded, each digit
// an input's tally or the line is no tally.
#include "tally/switcher_readers.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    switcher::VmixReader reader;
    const int half = bytes.size() / 2;
    for (const QByteArray &read : {bytes.left(half), bytes.mid(half)}) {
        if (const auto lamps = reader.feed(read)) {
            if (lamps->size() > switcher::VmixReader::most_inputs)
                abort();
        }
    }
    return 0;
}
