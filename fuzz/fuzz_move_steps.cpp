// A recorded move's drives as config.ini holds them: a text that reads
// is played whole, and writes back to steps that read the same.
#include "control/move_steps.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    const std::optional<QList<MoveStep>> steps = read_move(text);
    if (!steps)
        return 0;
    if (steps->size() > most_move_steps || read_move(move_text(*steps)) != steps)
        abort();
    return 0;
}
