// A camera's answer to the position inquiries: read or refused; a position
// read is one the camera's own digits can say.
#include "visca/positions.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray answer(reinterpret_cast<const char *>(data), int(size));
    if (const auto pan_tilt = visca::read_pan_tilt(answer)) {
        if (pan_tilt->pan < -0x80000 || pan_tilt->pan > 0xFFFFF || pan_tilt->tilt < -0x8000 ||
            pan_tilt->tilt > 0xFFFF)
            abort();
    }
    if (const auto lens = visca::read_lens(answer)) {
        if (*lens < 0 || *lens > 0xFFFF)
            abort();
    }
    (void)visca::read_focus_manual(answer);
    return 0;
}
