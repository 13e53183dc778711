#include "tally/switcher_readers.h"

namespace switcher {
namespace {
int byte_at(const QByteArray &bytes, int at) { return static_cast<unsigned char>(bytes.at(at)); }

// Two bytes, least significant first.
int little_endian(const QByteArray &bytes, int at)
{
    return byte_at(bytes, at) | (byte_at(bytes, at + 1) << 8);
}

const char dle = char(0xFE);
const char stx = char(0x02);
} // namespace

Tsl31Reader::Tsl31Reader(int program_tally, int preview_tally)
    : program_bit(1 << (qBound(1, program_tally, 4) - 1)),
      preview_bit(1 << (qBound(1, preview_tally, 4) - 1))
{
}

QList<Lamp> Tsl31Reader::feed(const QByteArray &bytes)
{
    QList<Lamp> lamps;
    partial += bytes;
    int at = 0;
    while (at < partial.size()) {
        // A message starts at its header (top bit set; FF is no address);
        // anything else before one is noise.
        if ((byte_at(partial, at) & 0x80) == 0 || byte_at(partial, at) == 0xFF) {
            ++at;
            continue;
        }
        if (partial.size() - at < message_size)
            break;
        // Nothing after the header has its top bit set: where one does, a
        // header came early and the message starts there.
        int next = at + 1;
        while (next < at + message_size && (byte_at(partial, next) & 0x80) == 0)
            ++next;
        if (next < at + message_size) {
            at = next;
            continue;
        }
        if (const std::optional<Lamp> lamp = read(partial.mid(at, message_size)))
            lamps << *lamp;
        at += message_size;
    }
    partial.remove(0, at);
    return lamps;
}

std::optional<Lamp> Tsl31Reader::read(const QByteArray &message) const
{
    const int control = byte_at(message, 1);
    // Bits 6 and 7 are zero in a message.
    if (control & 0xC0)
        return std::nullopt;
    const Tally state = (control & program_bit)   ? Tally::program
                        : (control & preview_bit) ? Tally::preview
                                                  : Tally::off;
    return Lamp{byte_at(message, 0) - 0x80, state};
}

QList<Lamp> read_tsl5_packet(const QByteArray &packet)
{
    QList<Lamp> lamps;
    // PBC (2), VER (1), FLAGS (1), SCREEN (2).
    const int header = 6;
    if (packet.size() < header)
        return lamps;
    const int count = little_endian(packet, 0);
    const int flags = byte_at(packet, 3);
    // Screen control data carries no display's tally.
    if (flags & 0x02 || count + 2 > packet.size())
        return lamps;
    const int end = count + 2;
    int at = header;
    while (end - at >= 6) {
        const int index = little_endian(packet, at);
        const int control = little_endian(packet, at + 2);
        const int length = little_endian(packet, at + 4);
        at += 6 + length;
        if (at > end)
            break;
        if (index == 0xFFFF || control & 0x8000)
            continue;
        bool red = false;
        bool green = false;
        for (const int shift : {0, 2, 4}) {
            const int colour = (control >> shift) & 0x03;
            red = red || colour == 1;
            green = green || colour == 2;
        }
        lamps << Lamp{index, red ? Tally::program : green ? Tally::preview : Tally::off};
    }
    return lamps;
}

QList<QByteArray> Tsl5StreamReader::feed(const QByteArray &bytes)
{
    QList<QByteArray> packets;
    for (const char byte : bytes) {
        if (escaped) {
            escaped = false;
            if (byte == stx) {
                // A new packet: the one before it, if any, is whole.
                if (in_packet && !packet.isEmpty())
                    packets << packet;
                packet.clear();
                in_packet = true;
                continue;
            }
            if (byte != dle) {
                // DLE before anything else is no framing this reader
                // knows: wait for the next DLE STX.
                in_packet = false;
                packet.clear();
                continue;
            }
        } else if (byte == dle) {
            escaped = true;
            continue;
        }
        if (!in_packet)
            continue;
        packet += byte;
        // A packet says how long it is: whole once its count is in.
        if (packet.size() >= 2 && packet.size() == little_endian(packet, 0) + 2) {
            packets << packet;
            packet.clear();
            in_packet = false;
        } else if (packet.size() > most_packet) {
            packet.clear();
            in_packet = false;
        }
    }
    return packets;
}

std::optional<QList<Lamp>> read_vmix_line(const QByteArray &line)
{
    const QByteArray lead("TALLY OK ");
    if (!line.startsWith(lead))
        return std::nullopt;
    const QByteArray digits = line.mid(lead.size()).trimmed();
    if (digits.size() > VmixReader::most_inputs)
        return std::nullopt;
    QList<Lamp> lamps;
    for (int input = 0; input < digits.size(); ++input) {
        switch (digits.at(input)) {
        case '0': lamps << Lamp{input + 1, Tally::off}; break;
        case '1': lamps << Lamp{input + 1, Tally::program}; break;
        case '2': lamps << Lamp{input + 1, Tally::preview}; break;
        default: return std::nullopt;
        }
    }
    return lamps;
}

std::optional<QList<Lamp>> VmixReader::feed(const QByteArray &bytes)
{
    std::optional<QList<Lamp>> latest;
    for (const char byte : bytes) {
        if (byte != '\n') {
            // A line longer than any vMix sends is dropped whole.
            if (line.size() >= longest_line)
                skipping = true;
            if (!skipping)
                line += byte;
            continue;
        }
        if (!skipping) {
            if (line.endsWith('\r'))
                line.chop(1);
            if (auto lamps = read_vmix_line(line))
                latest = std::move(lamps);
        }
        line.clear();
        skipping = false;
    }
    return latest;
}

} // namespace switcher
