// Any bytes from a switcher as TSL UMD: 3.1 messages in a datagram or a
// stream, 5.0 packets, and 5.0's framing on TCP. Never a read past what
// came, never more kept than one message or packet, every index in range.
#include "tally/switcher_readers.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    // The stream in two reads, cut where the first byte says.
    const int cut = bytes.isEmpty() ? 0 : int(uint8_t(bytes.at(0))) % (bytes.size() + 1);
    switcher::Tsl31Reader tsl31(1 + cut % 4, 1 + (cut / 4) % 4);
    QList<switcher::Lamp> lamps = tsl31.feed(bytes.left(cut));
    lamps += tsl31.feed(bytes.mid(cut));
    for (const switcher::Lamp &lamp : lamps) {
        if (lamp.index < 0 || lamp.index > 126)
            abort();
    }
    for (const switcher::Lamp &lamp : switcher::read_tsl5_packet(bytes)) {
        if (lamp.index < 0 || lamp.index >= 0xFFFF)
            abort();
    }
    switcher::Tsl5StreamReader stream;
    QList<QByteArray> packets = stream.feed(bytes.left(cut));
    packets += stream.feed(bytes.mid(cut));
    for (const QByteArray &packet : packets) {
        if (packet.size() > switcher::Tsl5StreamReader::most_packet)
            abort();
        (void)switcher::read_tsl5_packet(packet);
    }
    return 0;
}
