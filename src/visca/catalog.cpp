#include "visca/catalog.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <map>

namespace visca::catalog {
namespace {

// One entry as written below: its fields as "p=name 0..7 {2:on,3:off}; w=pan
// signed", several answer forms separated by '|'.
struct Written {
    Kind kind;
    const char *name;
    const char *pattern;
    const char *fields;
    const char *answers = "";
    const char *answer_fields = "";
};

const char *const on_off = "{2:on,3:off}";

// clang-format off
const Written written[] = {
    // Replies, and what the cameras say by themselves.
    {Kind::reply, "ACK", "y0 4s FF", "s=socket 1..15"},
    {Kind::reply, "completion", "y0 5s FF", "s=socket 0..15"},
    {Kind::reply, "message length error", "y0 6s 01 FF", "s=socket 0..15"},
    {Kind::reply, "syntax error", "y0 6s 02 FF", "s=socket 0..15"},
    {Kind::reply, "command buffer full", "y0 6s 03 FF", "s=socket 0..15"},
    {Kind::reply, "command cancelled", "y0 6s 04 FF", "s=socket 0..15"},
    {Kind::reply, "no socket", "y0 6s 05 FF", "s=socket 0..15"},
    {Kind::reply, "command not executable", "y0 6s 41 FF", "s=socket 0..15"},
    {Kind::reply, "network change", "y0 38 FF", ""},
    {Kind::reply, "address set answer", "88 30 0n FF", "n=next address 2..8"},
    // The interface.
    {Kind::command, "address set", "88 30 0n FF", "n=first address 1..7"},
    {Kind::command, "interface clear", "8x 01 00 01 FF", ""},
    {Kind::command, "command cancel", "8x 2s FF", "s=socket 1..15"},
    // Power and zoom.
    {Kind::command, "power", "8x 01 04 00 0p FF", "p=power {2:on,3:standby}"},
    {Kind::command, "zoom stop", "8x 01 04 07 00 FF", ""},
    {Kind::command, "zoom tele", "8x 01 04 07 02 FF", ""},
    {Kind::command, "zoom wide", "8x 01 04 07 03 FF", ""},
    {Kind::command, "zoom tele variable", "8x 01 04 07 2p FF", "p=speed 0..7"},
    {Kind::command, "zoom wide variable", "8x 01 04 07 3p FF", "p=speed 0..7"},
    {Kind::command, "zoom direct", "8x 01 04 47 0p 0p 0p 0p FF", "p=position 0..FFFFh"},
    {Kind::command, "digital zoom", "8x 01 04 06 0p FF", "p=digital zoom {2:on,3:off}"},
    {Kind::command, "zoom and focus direct", "8x 01 04 47 0p 0p 0p 0p 0q 0q 0q 0q FF",
     "p=zoom 0..FFFFh; q=focus 0..FFFFh"},
    // Focus.
    {Kind::command, "focus stop", "8x 01 04 08 00 FF", ""},
    {Kind::command, "focus far", "8x 01 04 08 02 FF", ""},
    {Kind::command, "focus near", "8x 01 04 08 03 FF", ""},
    {Kind::command, "focus far variable", "8x 01 04 08 2p FF", "p=speed 0..7"},
    {Kind::command, "focus near variable", "8x 01 04 08 3p FF", "p=speed 0..7"},
    {Kind::command, "focus direct", "8x 01 04 48 0p 0p 0p 0p FF", "p=position 0..FFFFh"},
    {Kind::command, "focus mode", "8x 01 04 38 0p FF", "p=focus {2:auto,3:manual}"},
    {Kind::command, "focus auto/manual toggle", "8x 01 04 38 10 FF", ""},
    {Kind::command, "one push autofocus", "8x 01 04 18 01 FF", ""},
    {Kind::command, "focus infinity", "8x 01 04 18 02 FF", ""},
    {Kind::command, "focus near limit", "8x 01 04 28 0p 0p 0p 0p FF", "p=limit 0..FFFFh"},
    {Kind::command, "autofocus sensitivity", "8x 01 04 58 0p FF", "p=sensitivity {1:normal,2:low}"},
    {Kind::command, "autofocus mode", "8x 01 04 57 0p FF",
     "p=mode {0:normal,1:interval,2:zoom trigger}"},
    // White balance.
    {Kind::command, "white balance mode", "8x 01 04 35 0p FF",
     "p=mode {0:auto,1:indoor,2:outdoor,3:one push,4:auto tracing,5:manual}"},
    {Kind::command, "white balance one push trigger", "8x 01 04 10 05 FF", ""},
    {Kind::command, "red gain reset", "8x 01 04 03 00 FF", ""},
    {Kind::command, "red gain up", "8x 01 04 03 02 FF", ""},
    {Kind::command, "red gain down", "8x 01 04 03 03 FF", ""},
    {Kind::command, "red gain direct", "8x 01 04 43 00 00 0p 0p FF", "p=gain 0..FFh"},
    {Kind::command, "blue gain reset", "8x 01 04 04 00 FF", ""},
    {Kind::command, "blue gain up", "8x 01 04 04 02 FF", ""},
    {Kind::command, "blue gain down", "8x 01 04 04 03 FF", ""},
    {Kind::command, "blue gain direct", "8x 01 04 44 00 00 0p 0p FF", "p=gain 0..FFh"},
    // Exposure.
    {Kind::command, "exposure mode", "8x 01 04 39 pp FF",
     "p=mode {0:full auto,3:manual,10:shutter priority,11:iris priority,13:bright}"},
    {Kind::command, "shutter reset", "8x 01 04 0A 00 FF", ""},
    {Kind::command, "shutter up", "8x 01 04 0A 02 FF", ""},
    {Kind::command, "shutter down", "8x 01 04 0A 03 FF", ""},
    {Kind::command, "shutter direct", "8x 01 04 4A 00 00 0p 0p FF", "p=shutter 0..FFh"},
    {Kind::command, "iris reset", "8x 01 04 0B 00 FF", ""},
    {Kind::command, "iris up", "8x 01 04 0B 02 FF", ""},
    {Kind::command, "iris down", "8x 01 04 0B 03 FF", ""},
    {Kind::command, "iris direct", "8x 01 04 4B 00 00 0p 0p FF", "p=iris 0..FFh"},
    {Kind::command, "gain reset", "8x 01 04 0C 00 FF", ""},
    {Kind::command, "gain up", "8x 01 04 0C 02 FF", ""},
    {Kind::command, "gain down", "8x 01 04 0C 03 FF", ""},
    {Kind::command, "gain direct", "8x 01 04 4C 00 00 0p 0p FF", "p=gain 0..FFh"},
    {Kind::command, "bright reset", "8x 01 04 0D 00 FF", ""},
    {Kind::command, "bright up", "8x 01 04 0D 02 FF", ""},
    {Kind::command, "bright down", "8x 01 04 0D 03 FF", ""},
    {Kind::command, "bright direct", "8x 01 04 4D 00 00 0p 0p FF", "p=bright 0..FFh"},
    {Kind::command, "exposure compensation", "8x 01 04 3E 0p FF", "p=compensation {2:on,3:off}"},
    {Kind::command, "exposure compensation reset", "8x 01 04 0E 00 FF", ""},
    {Kind::command, "exposure compensation up", "8x 01 04 0E 02 FF", ""},
    {Kind::command, "exposure compensation down", "8x 01 04 0E 03 FF", ""},
    {Kind::command, "exposure compensation direct", "8x 01 04 4E 00 00 0p 0p FF",
     "p=compensation 0..FFh"},
    {Kind::command, "backlight", "8x 01 04 33 0p FF", "p=backlight {2:on,3:off}"},
    {Kind::command, "wide dynamic range", "8x 01 04 3D 0p FF", "p=wide dynamic range {2:on,3:off}"},
    // The picture.
    {Kind::command, "aperture reset", "8x 01 04 02 00 FF", ""},
    {Kind::command, "aperture up", "8x 01 04 02 02 FF", ""},
    {Kind::command, "aperture down", "8x 01 04 02 03 FF", ""},
    {Kind::command, "aperture direct", "8x 01 04 42 00 00 0p 0p FF", "p=aperture 0..FFh"},
    {Kind::command, "noise reduction", "8x 01 04 53 0p FF", "p=level 0..5"},
    {Kind::command, "gamma", "8x 01 04 5B 0p FF", "p=gamma 0..15"},
    {Kind::command, "colour gain direct", "8x 01 04 49 00 00 00 0p FF", "p=gain 0..14"},
    {Kind::command, "hue direct", "8x 01 04 4F 00 00 00 0p FF", "p=hue 0..14"},
    {Kind::command, "defog", "8x 01 04 37 0p 00 FF", "p=defog {2:on,3:off}"},
    {Kind::command, "high resolution", "8x 01 04 52 0p FF", "p=high resolution {2:on,3:off}"},
    {Kind::command, "stabilizer", "8x 01 04 34 0p FF", "p=stabilizer {2:on,3:off}"},
    {Kind::command, "freeze", "8x 01 04 62 0p FF", "p=freeze {2:on,3:off}"},
    {Kind::command, "picture effect", "8x 01 04 63 0p FF", "p=effect {0:off,4:black and white}"},
    {Kind::command, "IR cut filter", "8x 01 04 01 0p FF",
     "p=night mode (IR cut filter out) {2:on,3:off}"},
    {Kind::command, "auto IR cut filter", "8x 01 04 51 0p FF", "p=auto {2:on,3:off}"},
    {Kind::command, "mirror", "8x 01 04 61 0p FF", "p=mirror {2:on,3:off}"},
    {Kind::command, "flip", "8x 01 04 66 0p FF", "p=flip {2:on,3:off}"},
    {Kind::command, "picture flip", "8x 01 04 A4 0p FF", "p=picture flip {2:on,3:off}"},
    {Kind::command, "menu display", "8x 01 06 06 0p FF", "p=menu {2:on,3:off}"},
    // Presets.
    {Kind::command, "memory reset", "8x 01 04 3F 00 pp FF", "p=preset 0..254"},
    {Kind::command, "memory set", "8x 01 04 3F 01 pp FF", "p=preset 0..254"},
    {Kind::command, "memory recall", "8x 01 04 3F 02 pp FF", "p=preset 0..254"},
    // Tally.
    {Kind::command, "tally", "8x 01 7E 01 0A 00 0p FF", "p=red lamp {2:on,3:off}"},
    {Kind::command, "green tally", "8x 01 7E 04 1A 00 0p FF", "p=green lamp {2:on,3:off}"},
    {Kind::command, "tally red and green", "8x 01 7E 01 0A 00 0p 0q FF",
     "p=red lamp {2:on,3:off}; q=green lamp {2:on,3:off}"},
    // Pan and tilt.
    {Kind::command, "pan-tilt drive", "8x 01 06 01 vv ww 0h 0t FF",
     "v=pan speed 1..24; w=tilt speed 1..23; h=pan {1:left,2:right,3:still}; "
     "t=tilt {1:up,2:down,3:still}"},
    {Kind::command, "pan-tilt stop", "8x 01 06 01 vv ww 03 03 FF", "v=pan speed 0..24; w=tilt speed 0..23"},
    {Kind::command, "pan-tilt drive up", "8x 01 06 01 vv ww 03 01 FF", "v=pan speed 0..24; w=tilt speed 1..23"},
    {Kind::command, "pan-tilt drive down", "8x 01 06 01 vv ww 03 02 FF", "v=pan speed 0..24; w=tilt speed 1..23"},
    {Kind::command, "pan-tilt drive left", "8x 01 06 01 vv ww 01 03 FF", "v=pan speed 1..24; w=tilt speed 0..23"},
    {Kind::command, "pan-tilt drive right", "8x 01 06 01 vv ww 02 03 FF", "v=pan speed 1..24; w=tilt speed 0..23"},
    {Kind::command, "pan-tilt drive up-left", "8x 01 06 01 vv ww 01 01 FF", "v=pan speed 1..24; w=tilt speed 1..23"},
    {Kind::command, "pan-tilt drive up-right", "8x 01 06 01 vv ww 02 01 FF", "v=pan speed 1..24; w=tilt speed 1..23"},
    {Kind::command, "pan-tilt drive down-left", "8x 01 06 01 vv ww 01 02 FF", "v=pan speed 1..24; w=tilt speed 1..23"},
    {Kind::command, "pan-tilt drive down-right", "8x 01 06 01 vv ww 02 02 FF", "v=pan speed 1..24; w=tilt speed 1..23"},
    {Kind::command, "pan-tilt absolute", "8x 01 06 02 vv ww 0p 0p 0p 0p 0t 0t 0t 0t FF",
     "v=pan speed 1..24; w=tilt speed 1..23; p=pan signed; t=tilt signed"},
    {Kind::command, "pan-tilt absolute (5-digit pan)", "8x 01 06 02 vv ww 0p 0p 0p 0p 0p 0t 0t 0t 0t FF",
     "v=pan speed 1..24; w=tilt speed 1..23; p=pan signed; t=tilt signed"},
    {Kind::command, "pan-tilt relative", "8x 01 06 03 vv ww 0p 0p 0p 0p 0t 0t 0t 0t FF",
     "v=pan speed 1..24; w=tilt speed 1..23; p=pan signed; t=tilt signed"},
    {Kind::command, "pan-tilt relative (5-digit pan)", "8x 01 06 03 vv ww 0p 0p 0p 0p 0p 0t 0t 0t 0t FF",
     "v=pan speed 1..24; w=tilt speed 1..23; p=pan signed; t=tilt signed"},
    {Kind::command, "pan-tilt home", "8x 01 06 04 FF", ""},
    {Kind::command, "pan-tilt reset", "8x 01 06 05 FF", ""},
    {Kind::command, "pan-tilt limit set", "8x 01 06 07 00 0c 0p 0p 0p 0p 0t 0t 0t 0t FF",
     "c=corner {0:down-left,1:up-right}; p=pan signed; t=tilt signed"},
    {Kind::command, "pan-tilt limit clear", "8x 01 06 07 01 0c 07 0F 0F 0F 07 0F 0F 0F FF",
     "c=corner {0:down-left,1:up-right}"},
    {Kind::command, "pan-tilt slow mode", "8x 01 06 44 0p FF", "p=slow {2:on,3:off}"},
    // Inquiries, each with its answer.
    {Kind::inquiry, "power inquiry", "8x 09 04 00 FF", "", "y0 50 0p FF", "p=power {2:on,3:standby}"},
    {Kind::inquiry, "zoom position inquiry", "8x 09 04 47 FF", "", "y0 50 0p 0p 0p 0p FF", "p=zoom 0..FFFFh"},
    {Kind::inquiry, "digital zoom inquiry", "8x 09 04 06 FF", "", "y0 50 0p FF", "p=digital zoom {2:on,3:off}"},
    {Kind::inquiry, "focus position inquiry", "8x 09 04 48 FF", "", "y0 50 0p 0p 0p 0p FF", "p=focus 0..FFFFh"},
    {Kind::inquiry, "focus mode inquiry", "8x 09 04 38 FF", "", "y0 50 0p FF", "p=focus {2:auto,3:manual}"},
    {Kind::inquiry, "focus near limit inquiry", "8x 09 04 28 FF", "", "y0 50 0p 0p 0p 0p FF", "p=limit 0..FFFFh"},
    {Kind::inquiry, "autofocus sensitivity inquiry", "8x 09 04 58 FF", "", "y0 50 0p FF", "p=sensitivity {1:normal,2:low}"},
    {Kind::inquiry, "autofocus mode inquiry", "8x 09 04 57 FF", "", "y0 50 0p FF",
     "p=mode {0:normal,1:interval,2:zoom trigger}"},
    {Kind::inquiry, "white balance mode inquiry", "8x 09 04 35 FF", "", "y0 50 0p FF",
     "p=mode {0:auto,1:indoor,2:outdoor,3:one push,4:auto tracing,5:manual}"},
    {Kind::inquiry, "red gain inquiry", "8x 09 04 43 FF", "", "y0 50 00 00 0p 0p FF", "p=gain 0..FFh"},
    {Kind::inquiry, "blue gain inquiry", "8x 09 04 44 FF", "", "y0 50 00 00 0p 0p FF", "p=gain 0..FFh"},
    {Kind::inquiry, "exposure mode inquiry", "8x 09 04 39 FF", "", "y0 50 pp FF",
     "p=mode {0:full auto,3:manual,10:shutter priority,11:iris priority,13:bright}"},
    {Kind::inquiry, "shutter inquiry", "8x 09 04 4A FF", "", "y0 50 00 00 0p 0p FF", "p=shutter 0..FFh"},
    {Kind::inquiry, "iris inquiry", "8x 09 04 4B FF", "", "y0 50 00 00 0p 0p FF", "p=iris 0..FFh"},
    {Kind::inquiry, "gain inquiry", "8x 09 04 4C FF", "", "y0 50 00 00 0p 0p FF", "p=gain 0..FFh"},
    {Kind::inquiry, "bright inquiry", "8x 09 04 4D FF", "", "y0 50 00 00 0p 0p FF", "p=bright 0..FFh"},
    {Kind::inquiry, "exposure compensation inquiry", "8x 09 04 3E FF", "", "y0 50 0p FF",
     "p=compensation {2:on,3:off}"},
    {Kind::inquiry, "exposure compensation position inquiry", "8x 09 04 4E FF", "", "y0 50 00 00 0p 0p FF",
     "p=compensation 0..FFh"},
    {Kind::inquiry, "backlight inquiry", "8x 09 04 33 FF", "", "y0 50 0p FF", "p=backlight {2:on,3:off}"},
    {Kind::inquiry, "wide dynamic range inquiry", "8x 09 04 3D FF", "", "y0 50 0p FF",
     "p=wide dynamic range {2:on,3:off}"},
    {Kind::inquiry, "aperture inquiry", "8x 09 04 42 FF", "", "y0 50 00 00 0p 0p FF", "p=aperture 0..FFh"},
    {Kind::inquiry, "noise reduction inquiry", "8x 09 04 53 FF", "", "y0 50 0p FF", "p=level 0..5"},
    {Kind::inquiry, "gamma inquiry", "8x 09 04 5B FF", "", "y0 50 0p FF", "p=gamma 0..15"},
    {Kind::inquiry, "colour gain inquiry", "8x 09 04 49 FF", "", "y0 50 00 00 00 0p FF", "p=gain 0..14"},
    {Kind::inquiry, "hue inquiry", "8x 09 04 4F FF", "", "y0 50 00 00 00 0p FF", "p=hue 0..14"},
    {Kind::inquiry, "high resolution inquiry", "8x 09 04 52 FF", "", "y0 50 0p FF",
     "p=high resolution {2:on,3:off}"},
    {Kind::inquiry, "stabilizer inquiry", "8x 09 04 34 FF", "", "y0 50 0p FF", "p=stabilizer {2:on,3:off}"},
    {Kind::inquiry, "freeze inquiry", "8x 09 04 62 FF", "", "y0 50 0p FF", "p=freeze {2:on,3:off}"},
    {Kind::inquiry, "picture effect inquiry", "8x 09 04 63 FF", "", "y0 50 0p FF",
     "p=effect {0:off,4:black and white}"},
    {Kind::inquiry, "IR cut filter inquiry", "8x 09 04 01 FF", "", "y0 50 0p FF",
     "p=night mode (IR cut filter out) {2:on,3:off}"},
    {Kind::inquiry, "auto IR cut filter inquiry", "8x 09 04 51 FF", "", "y0 50 0p FF", "p=auto {2:on,3:off}"},
    {Kind::inquiry, "mirror inquiry", "8x 09 04 61 FF", "", "y0 50 0p FF", "p=mirror {2:on,3:off}"},
    {Kind::inquiry, "flip inquiry", "8x 09 04 66 FF", "", "y0 50 0p FF", "p=flip {2:on,3:off}"},
    {Kind::inquiry, "picture flip inquiry", "8x 09 04 A4 FF", "", "y0 50 0p FF", "p=picture flip {2:on,3:off}"},
    {Kind::inquiry, "last preset inquiry", "8x 09 04 3F FF", "", "y0 50 pp FF", "p=preset 0..254"},
    {Kind::inquiry, "tally inquiry", "8x 09 7E 01 0A FF", "", "y0 50 0p FF", "p=red lamp {2:on,3:off}"},
    {Kind::inquiry, "menu display inquiry", "8x 09 06 06 FF", "", "y0 50 0p FF", "p=menu {2:on,3:off}"},
    {Kind::inquiry, "pan-tilt position inquiry", "8x 09 06 12 FF", "",
     "y0 50 0p 0p 0p 0p 0p 0t 0t 0t 0t FF|y0 50 0p 0p 0p 0p 0t 0t 0t 0t FF", "p=pan signed; t=tilt signed"},
    {Kind::inquiry, "pan-tilt maximum speed inquiry", "8x 09 06 11 FF", "", "y0 50 vv ww FF",
     "v=pan speed 0..255; w=tilt speed 0..255"},
    {Kind::inquiry, "pan-tilt mode inquiry", "8x 09 06 10 FF", "", "y0 50 pp pp FF", "p=status 0..FFFFh"},
    {Kind::inquiry, "pan-tilt slow mode inquiry", "8x 09 06 44 FF", "", "y0 50 0p FF", "p=slow {2:on,3:off}"},
    {Kind::inquiry, "version inquiry", "8x 09 00 02 FF", "", "y0 50 gg gg mm mm rr rr ss FF",
     "g=vendor 0..FFFFh; m=model 0..FFFFh; r=ROM version 0..FFFFh; s=sockets 0..255"},
};
// clang-format on

int number(const QString &text, bool *ok)
{
    if (text.endsWith('h'))
        return text.chopped(1).toInt(ok, 16);
    return text.toInt(ok, 10);
}

// "p=name 0..7 {2:on,3:off}; w=pan signed" as fields of `pattern`, whose
// nibbles tell a field's width where no range is written.
QList<Field> read_fields(const char *text, const QString &pattern)
{
    QList<Field> fields;
    for (QString part : QString::fromLatin1(text).split(';', Qt::SkipEmptyParts)) {
        part = part.trimmed();
        Field field;
        field.letter = part.at(0).toLatin1();
        QString rest = part.mid(2);
        if (const int brace = rest.indexOf('{'); brace >= 0) {
            for (const QString &pair : rest.mid(brace + 1).chopped(1).split(',')) {
                const QStringList halves = pair.split(':');
                field.words.append({halves.at(0).toInt(), halves.at(1)});
            }
            rest = rest.left(brace).trimmed();
        }
        field.is_signed = rest.endsWith(QLatin1String(" signed"));
        if (field.is_signed)
            rest.chop(7);
        const QRegularExpression range(QStringLiteral(" (\\w+)\\.\\.(\\w+)$"));
        if (const QRegularExpressionMatch found = range.match(rest); found.hasMatch()) {
            bool ok = false;
            field.lowest = number(found.captured(1), &ok);
            field.highest = number(found.captured(2), &ok);
            rest = rest.left(found.capturedStart());
        } else if (!field.words.isEmpty()) {
            field.lowest = field.words.first().first;
            field.highest = field.words.last().first;
        } else {
            const int nibbles = int(pattern.count(QLatin1Char(field.letter)));
            const int bits = 4 * nibbles;
            field.lowest = field.is_signed ? -(1 << (bits - 1)) : 0;
            field.highest = field.is_signed ? (1 << (bits - 1)) - 1 : (1 << bits) - 1;
        }
        field.name = rest.trimmed();
        fields << field;
    }
    return fields;
}

QList<Entry> made()
{
    QList<Entry> made;
    for (const Written &one : written) {
        Entry entry;
        entry.kind = one.kind;
        entry.name = QString::fromLatin1(one.name);
        entry.pattern = QString::fromLatin1(one.pattern);
        entry.fields = read_fields(one.fields, entry.pattern);
        for (const QString &answer :
             QString::fromLatin1(one.answers).split('|', Qt::SkipEmptyParts))
            entry.answers << answer;
        entry.answer_fields = read_fields(one.answer_fields, entry.answers.value(0));
        entry.tokens = tokens_of(entry.pattern);
        for (const QString &answer : entry.answers)
            entry.answer_tokens << tokens_of(answer);
        made << entry;
    }
    return made;
}

// A value of `nibbles` nibbles read as signed two's complement.
int signed_value(unsigned value, int nibbles)
{
    const int bits = 4 * nibbles;
    return value >= (1U << (bits - 1)) ? int(value) - (1 << bits) : int(value);
}

struct Match {
    int literal = 0; // nibbles matched as they are
    int address = 0;
    QList<Value> values;
};

// A field's nibbles as they come, most significant first.
class Gathered
{
public:
    void take(char letter, unsigned nibble)
    {
        Nibbles &field = fields[letter];
        field.value = (field.value << 4) | nibble;
        ++field.count;
    }
    // The field's value, signed or not; none when the message has none of it.
    std::optional<int> value(const Field &field) const
    {
        const auto found = fields.find(field.letter);
        if (found == fields.end())
            return std::nullopt;
        return field.is_signed ? signed_value(found->second.value, found->second.count)
                               : int(found->second.value);
    }

private:
    struct Nibbles {
        unsigned value = 0;
        int count = 0;
    };
    std::map<char, Nibbles> fields;
};

// One byte against its token: false when it does not fit.
bool fits(const Token &token, uchar byte, Match &found, Gathered &gathered)
{
    const unsigned high = byte >> 4;
    const unsigned low = byte & 0x0FU;
    switch (token.kind) {
    case Token::Kind::camera_header:
        found.address = int(low);
        return high == 8 && low >= 1 && low <= 8;
    case Token::Kind::reply_header: found.address = int(high) - 8; return high >= 9 && low == 0;
    case Token::Kind::byte: found.literal += 2; return byte == token.fixed;
    case Token::Kind::nibble:
        found.literal += 1;
        gathered.take(token.letter, low);
        return high == token.fixed;
    case Token::Kind::field_byte:
        gathered.take(token.letter, high);
        gathered.take(token.letter, low);
        return true;
    }
    return false;
}

// Whether `message` has the form of `tokens` with `fields`: its bytes as
// they are where the pattern names them, each field's nibbles within its
// range.
std::optional<Match> match(const QList<Token> &tokens, const QList<Field> &fields,
                           const QByteArray &message)
{
    if (tokens.size() != message.size())
        return std::nullopt;
    Match found;
    Gathered gathered;
    for (int at = 0; at < tokens.size(); ++at) {
        if (!fits(tokens.at(at), uchar(message.at(at)), found, gathered))
            return std::nullopt;
    }
    for (const Field &field : fields) {
        const std::optional<int> value = gathered.value(field);
        if (!value)
            continue;
        if (*value < field.lowest || *value > field.highest)
            return std::nullopt;
        found.values << Value{&field, *value};
    }
    return found;
}

} // namespace

QString Field::word(int value) const
{
    for (const auto &[known, said] : words) {
        if (known == value)
            return said;
    }
    return QString();
}

QString Value::text() const
{
    const QString said = field->word(value);
    if (!said.isEmpty())
        return field->name + ' ' + said;
    if (value < 0)
        return QStringLiteral("%1 %2").arg(field->name).arg(value);
    return QStringLiteral("%1 %2h (%3)")
        .arg(field->name, QString::number(value, 16).toUpper())
        .arg(value);
}

QString Meaning::text() const
{
    QStringList parts{entry->name};
    for (const Value &value : values)
        parts << value.text();
    return parts.join(QStringLiteral(", "));
}

const QList<Entry> &entries()
{
    static const QList<Entry> all = made();
    return all;
}

std::optional<Meaning> read(const QByteArray &message)
{
    std::optional<Meaning> best;
    int best_literal = -1;
    for (const Entry &entry : entries()) {
        const std::optional<Match> found = match(entry.tokens, entry.fields, message);
        if (!found || found->literal <= best_literal)
            continue;
        best_literal = found->literal;
        best = Meaning{&entry, found->address, found->values};
    }
    return best;
}

std::optional<Meaning> read_as(const Entry &entry, const QByteArray &message)
{
    const std::optional<Match> found = match(entry.tokens, entry.fields, message);
    if (!found)
        return std::nullopt;
    return Meaning{&entry, found->address, found->values};
}

std::optional<Meaning> read_answer(const Entry &inquiry, const QByteArray &answer)
{
    for (const QList<Token> &form : inquiry.answer_tokens) {
        if (const std::optional<Match> found = match(form, inquiry.answer_fields, answer))
            return Meaning{&inquiry, found->address, found->values};
    }
    return std::nullopt;
}

namespace {
// The bytes of `tokens` (`pattern`'s) with `values`, one a field.
QByteArray built(const QList<Token> &tokens, const QString &pattern, const QList<Field> &fields,
                 int address, const QList<int> &values)
{
    if (values.size() != fields.size() || address < 1 || address > 8)
        return QByteArray();
    // Each field's nibbles, most significant first, as many as it has.
    std::map<char, QList<unsigned>> nibbles;
    for (int i = 0; i < fields.size(); ++i) {
        const Field &field = fields.at(i);
        if (values.at(i) < field.lowest || values.at(i) > field.highest)
            return QByteArray();
        const int width = int(pattern.count(QLatin1Char(field.letter)));
        QList<unsigned> &digits = nibbles[field.letter];
        for (int n = width - 1; n >= 0; --n)
            digits << ((unsigned(values.at(i)) >> (4 * n)) & 0x0FU);
    }
    const auto next = [&nibbles](char letter) {
        QList<unsigned> &digits = nibbles[letter];
        return digits.isEmpty() ? 0U : digits.takeFirst();
    };
    QByteArray message;
    for (const Token &token : tokens) {
        switch (token.kind) {
        case Token::Kind::camera_header: message += char(0x80 | address); break;
        case Token::Kind::reply_header: message += char((address + 8) << 4); break;
        case Token::Kind::byte: message += char(token.fixed); break;
        case Token::Kind::nibble: message += char((token.fixed << 4) | next(token.letter)); break;
        case Token::Kind::field_byte: {
            const unsigned high = next(token.letter);
            message += char((high << 4) | next(token.letter));
            break;
        }
        }
    }
    return message;
}
} // namespace

QByteArray build(const Entry &entry, int address, const QList<int> &values)
{
    return built(entry.tokens, entry.pattern, entry.fields, address, values);
}

QByteArray build_answer(const Entry &inquiry, int address, const QList<int> &values)
{
    if (inquiry.answers.isEmpty())
        return QByteArray();
    return built(inquiry.answer_tokens.first(), inquiry.answers.first(), inquiry.answer_fields,
                 address, values);
}

QList<Token> tokens_of(const QString &pattern)
{
    QList<Token> tokens;
    for (const QString &text : pattern.split(' ', Qt::SkipEmptyParts)) {
        Token token;
        const QChar first = text.at(0);
        const QChar second = text.size() > 1 ? text.at(1) : QChar();
        bool hex = false;
        const unsigned high = QString(first).toUInt(&hex, 16);
        if (text == QLatin1String("8x")) {
            token.kind = Token::Kind::camera_header;
        } else if (text == QLatin1String("y0")) {
            token.kind = Token::Kind::reply_header;
        } else if (first.isLower() && first == second) {
            token = {Token::Kind::field_byte, 0, first.toLatin1()};
        } else if (hex && !first.isLower() && second.isLower()) {
            token = {Token::Kind::nibble, high, second.toLatin1()};
        } else {
            token.fixed = text.toUInt(nullptr, 16);
        }
        tokens << token;
    }
    return tokens;
}

QByteArray command(const char *name, int address, const QList<int> &values)
{
    const Entry *entry = find(QLatin1String(name));
    return entry ? build(*entry, address, values) : QByteArray();
}

QByteArray inquiry(const char *name, int address)
{
    const Entry *entry = find(QLatin1String(name), Kind::inquiry);
    return entry ? build(*entry, address, {}) : QByteArray();
}

const Entry *find(const QString &name, Kind kind)
{
    // The program builds its own messages by name, a drive at a time.
    static const QHash<QString, const Entry *> by_name = [] {
        QHash<QString, const Entry *> named;
        for (const Entry &entry : entries())
            named.insert(QString::number(int(entry.kind)) + entry.name, &entry);
        return named;
    }();
    return by_name.value(QString::number(int(kind)) + name);
}

} // namespace visca::catalog
