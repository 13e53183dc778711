#ifndef ZARVICK_SWITCHER_READERS_H
#define ZARVICK_SWITCHER_READERS_H

#include "visca/camera_commands.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// What a production switcher says is on air, read from the bytes it sends:
// TSL UMD 3.1 and 5.0 (a display's tally by its address or index), vMix's
// TCP API (one digit an input). Every reader is bounded: what it keeps of
// an unfinished message, how many displays or inputs one message may name.
namespace switcher {

using visca::Tally;

// One display's (or input's) tally as the switcher set it.
struct Lamp {
    int index = 0;
    Tally state = Tally::off;
    bool operator==(const Lamp &other) const
    {
        return index == other.index && state == other.state;
    }
};

// TSL UMD 3.1: 18-byte messages, 0x80 + address (0-126), a control byte
// (tally 1-4 in bits 0-3), 16 characters. Which tally bit is program and
// which preview is the operator's choice (1 and 2 unless set).
class Tsl31Reader
{
public:
    static constexpr int message_size = 18;
    Tsl31Reader(int program_tally = 1, int preview_tally = 2);
    // Whole messages found in `bytes` (a datagram, or what a stream read
    // brought, joined to what came before); a stream finds its way back
    // to a message's start at a byte with its top bit set.
    QList<Lamp> feed(const QByteArray &bytes);

private:
    std::optional<Lamp> read(const QByteArray &message) const;
    int program_bit;
    int preview_bit;
    QByteArray partial;
};

// TSL UMD 5.0: a packet (PBC, VER, FLAGS, SCREEN, then display messages of
// INDEX, CONTROL, LENGTH, TEXT). A display red in any of its three tallies
// is on program, else green in any is on preview. An index of FFFFh (every
// display) is left out: it names no camera.
QList<Lamp> read_tsl5_packet(const QByteArray &packet);

// TSL 5.0 over TCP: each packet after DLE STX (FE 02), an FE inside it sent
// twice. Packets are taken out whole, unstuffed; a stream finds its way
// back at the next DLE STX.
class Tsl5StreamReader
{
public:
    // A packet's count is two bytes: no packet is longer.
    static constexpr int most_packet = 0xFFFF + 2;
    QList<QByteArray> feed(const QByteArray &bytes);

private:
    QByteArray packet;
    bool in_packet = false;
    bool escaped = false;
};

// vMix's TCP API: lines ending CR LF; "TALLY OK 0120…" gives one digit an
// input (input 1 first): 0 off, 1 program, 2 preview.
class VmixReader
{
public:
    static constexpr int longest_line = 4096;
    static constexpr int most_inputs = 1000;
    // The tally of every input, from each TALLY OK line in `bytes` (the
    // last one wins when a read brings several).
    std::optional<QList<Lamp>> feed(const QByteArray &bytes);

private:
    QByteArray line;
    bool skipping = false;
};
std::optional<QList<Lamp>> read_vmix_line(const QByteArray &line);

} // namespace switcher

#endif
