#include "visca_camera.h"

#include "visca/catalog.h"
#include "visca/command_text.h"
#include "visca/positions.h"

#include <QtGlobal>
#include <cmath>

namespace {
// Rates in units a second: per pan or tilt speed step (alike, as on
// cameras whose pan and tilt speed tables match), and per zoom or focus
// speed (0–7) plus one. Direct zoom and focus run at the fastest.
constexpr double pan_units_per_step = 100;
constexpr double tilt_units_per_step = 100;
constexpr double lens_units_per_speed = 1024;
constexpr double lens_fastest = lens_units_per_speed * 8;

int byte_at(const QByteArray &message, int index)
{
    return static_cast<unsigned char>(message.at(index));
}

ViscaCamera::Answer refused(const QByteArray &reply, const QString &description)
{
    return {{reply}, {}, 0, 0, 0, description};
}

ViscaCamera::Answer dropped(const QString &description) { return {{}, {}, 0, 0, 0, description}; }

// A 16-bit value as two whole bytes, as the version answer carries it.
QByteArray two_bytes(int value)
{
    return QByteArray(1, static_cast<char>(value >> 8)) + static_cast<char>(value & 0xFF);
}

} // namespace

void ViscaCamera::Axis::advance(double seconds)
{
    at = qBound(low, at + rate * seconds, high);
    if (target && (rate > 0 ? at >= *target : at <= *target)) {
        at = *target;
        stop();
    }
}

void ViscaCamera::Axis::run(double units_per_second)
{
    rate = units_per_second;
    target.reset();
}

qint64 ViscaCamera::Axis::move_to(double where, double units_per_second)
{
    where = qBound(low, where, high);
    if (where == at) {
        stop();
        return 0;
    }
    rate = where > at ? units_per_second : -units_per_second;
    target = where;
    return static_cast<qint64>(std::ceil(std::abs(where - at) / units_per_second * 1000));
}

ViscaCamera::ViscaCamera(const Config &chosen) : config(chosen) {}

QByteArray ViscaCamera::reply(int first, int second) const
{
    // Camera n answers with (n + 8) in the high nibble: 90 is camera 1.
    QByteArray bytes(1, static_cast<char>((config.address + 8) << 4));
    bytes.append(static_cast<char>(first));
    if (second >= 0)
        bytes.append(static_cast<char>(second));
    return bytes + '\xff';
}

ViscaCamera::Answer ViscaCamera::not_understood(const QByteArray &message) const
{
    return refused(reply(0x60, 0x02), "syntax error: " + spaced_hex(message));
}

ViscaCamera::Answer ViscaCamera::inquiry_answer(const QByteArray &payload,
                                                const QString &description) const
{
    return {{reply(0x50).chopped(1) + payload + '\xff'}, {}, 0, 0, 0, "inquiry: " + description};
}

ViscaCamera::Answer ViscaCamera::handle(const QByteArray &message, qint64 now_ms)
{
    advance(now_ms);
    if (message.isEmpty() || (byte_at(message, 0) & 0xF0) != 0x80)
        return dropped("dropped, not from a controller: " + spaced_hex(message));
    if (byte_at(message, 0) == 0x88)
        return broadcast(message);
    if (byte_at(message, 0) != 0x80 + config.address)
        return dropped(QString("dropped, not for camera %1: ").arg(config.address) +
                       spaced_hex(message));
    if (message.size() < 3 || message.size() > 16)
        return refused(reply(0x60, 0x01), "message length error: " + spaced_hex(message));
    if (message.size() == 3 && (byte_at(message, 1) & 0xF0) == 0x20)
        return cancel(message);
    if (message.mid(1) == QByteArray::fromHex("010001ff")) {
        clear_sockets();
        return {{reply(0x50)}, {}, 0, 0, 0, "interface clear"};
    }
    if (byte_at(message, 1) == 0x01)
        return command(message);
    if (byte_at(message, 1) == 0x09)
        return inquiry(message);
    return not_understood(message);
}

ViscaCamera::Answer ViscaCamera::broadcast(const QByteArray &message)
{
    if (message == QByteArray::fromHex("88010001ff")) {
        clear_sockets();
        return {{message}, {}, 0, 0, 0, "interface clear (broadcast)"};
    }
    // Address set: this camera takes the address it is given and passes on
    // the next (the camera's own address is fixed at its start).
    if (message.size() == 4 && message.startsWith(QByteArray::fromHex("8830")) &&
        byte_at(message, 2) >= 1 && byte_at(message, 2) <= 7 && byte_at(message, 3) == 0xFF) {
        QByteArray next = message;
        next[2] = static_cast<char>(byte_at(message, 2) + 1);
        return {{next}, {}, 0, 0, 0, QString("address set: camera %1").arg(byte_at(message, 2))};
    }
    return dropped("dropped, broadcast not understood: " + spaced_hex(message));
}

ViscaCamera::Answer ViscaCamera::cancel(const QByteArray &message)
{
    const int socket = byte_at(message, 1) & 0x0F;
    if (socket < 1 || socket > int(sockets.size()))
        return not_understood(message);
    Socket &held = sockets[socket - 1];
    if (!held.busy)
        return refused(reply(0x60 | socket, 0x05),
                       QString("cancel: socket %1 is empty").arg(socket));
    stop(held.axes);
    held = {false, 0, 0};
    return refused(reply(0x60 | socket, 0x04), QString("cancel: socket %1 cancelled").arg(socket));
}

void ViscaCamera::clear_sockets()
{
    for (Socket &socket : sockets) {
        if (socket.busy)
            stop(socket.axes);
        socket = Socket();
    }
}

ViscaCamera::Answer ViscaCamera::command(const QByteArray &message)
{
    int free = 0;
    while (free < int(sockets.size()) && sockets[free].busy)
        ++free;
    if (free == int(sockets.size()))
        return refused(reply(0x60, 0x03), "buffer full: " + spaced_hex(message));
    const std::optional<Done> done = execute(message);
    if (!done)
        return not_understood(message);
    const int socket = free + 1;
    const qint64 wait = qMax<qint64>(config.completion_ms, done->move_ms);
    Answer answer{{reply(0x40 | socket)}, reply(0x50 | socket), wait, 0, 0, done->description};
    if (wait > 0) {
        sockets[free] = {true, ++last_ticket, done->axes};
        answer.socket = socket;
        answer.ticket = last_ticket;
    }
    return answer;
}

bool ViscaCamera::finish(int socket, int ticket)
{
    Socket &held = sockets.at(socket - 1);
    if (!held.busy || held.ticket != ticket)
        return false;
    held = Socket();
    return true;
}

std::optional<ViscaCamera::Done> ViscaCamera::execute(const QByteArray &message)
{
    const QByteArray body = message.mid(2, message.size() - 3);
    const auto is = [&](const char *prefix, int size) {
        return message.size() == size && body.startsWith(QByteArray::fromHex(prefix));
    };
    const int position_size = config.profile == Profile::newer ? 16 : 15;
    if (is("0601", 9))
        return pan_tilt_drive(message);
    if (is("0602", position_size) || is("0603", position_size))
        return pan_tilt_move(message, byte_at(message, 3) == 0x03);
    if (is("0604", 5) || is("0605", 5)) {
        home();
        return Done{byte_at(message, 3) == 0x04 ? "home" : "pan-tilt reset"};
    }
    if (is("0407", 6) || is("0408", 6))
        return zoom_or_focus(message, byte_at(message, 3) == 0x07);
    if (is("0447", 9) || is("0448", 9))
        return direct(message, byte_at(message, 3) == 0x47);
    if (is("043f", 7))
        return memory(message);
    if (is("0438", 6))
        return focus_mode(message);
    if (is("7e010a00", 8) || is("7e041a00", 8) || is("7e010a00", 9))
        return tally(message);
    if (message.size() == 6) {
        if (std::optional<Done> done = setting(message))
            return done;
    }
    return kept_setting(message);
}

std::optional<ViscaCamera::Done> ViscaCamera::tally(const QByteArray &message)
{
    // Sony's dialect sets one lamp a message (red 7E 01 0A, green 7E 04 1A),
    // Datavideo's both (7E 01 0A 00 rr gg); 02 lights a lamp, 03 darkens it.
    const auto lamp = [](int code) -> std::optional<bool> {
        if (code == 0x02 || code == 0x03)
            return code == 0x02;
        return std::nullopt;
    };
    const std::optional<bool> first = lamp(byte_at(message, 6));
    const std::optional<bool> second =
        message.size() == 9 ? lamp(byte_at(message, 7)) : std::optional<bool>(false);
    if (!first || !second)
        return std::nullopt;
    if (message.size() == 9) {
        red = *first;
        green = *second;
    } else {
        (byte_at(message, 3) == 0x01 ? red : green) = *first;
    }
    return Done{QString("tally: red %1, green %2").arg(red ? "on" : "off", green ? "on" : "off")};
}

bool ViscaCamera::speeds_valid(int pan_speed, int tilt_speed) const
{
    // Newer cameras take tilt speeds up to 17h; the strict camera is an
    // older one, which stops at 14h and refuses speed 0.
    const int tilt_most = config.strict_speed ? 0x14 : 0x17;
    const bool zero = pan_speed == 0 || tilt_speed == 0;
    return pan_speed <= 0x18 && tilt_speed <= tilt_most && !(config.strict_speed && zero);
}

std::optional<ViscaCamera::Done> ViscaCamera::pan_tilt_drive(const QByteArray &message)
{
    const int pan_speed = byte_at(message, 4);
    const int tilt_speed = byte_at(message, 5);
    const int pan_way = byte_at(message, 6);
    const int tilt_way = byte_at(message, 7);
    if (pan_way < 1 || pan_way > 3 || tilt_way < 1 || tilt_way > 3)
        return std::nullopt;
    // A stop is taken whatever its speed bytes say.
    if (pan_way == 3 && tilt_way == 3) {
        stop(pan_bit | tilt_bit);
        return Done{"pan-tilt stop"};
    }
    if (!speeds_valid(pan_speed, tilt_speed))
        return std::nullopt;
    // Speed 0 runs as the slowest speed, as on cameras that accept it.
    const double pan_rate = pan_units_per_step * qMax(pan_speed, 1);
    const double tilt_rate = tilt_units_per_step * qMax(tilt_speed, 1);
    pan.run(pan_way == 1 ? -pan_rate : pan_way == 2 ? pan_rate : 0);
    tilt.run(tilt_way == 1 ? tilt_rate : tilt_way == 2 ? -tilt_rate : 0);

    QStringList moves;
    if (pan_way != 3)
        moves << (pan_way == 1 ? "pan left" : "pan right");
    if (tilt_way != 3)
        moves << (tilt_way == 1 ? "tilt up" : "tilt down");
    return Done{QString("%1 at %2/%3").arg(moves.join(", ")).arg(pan_speed).arg(tilt_speed), 0,
                pan_bit | tilt_bit};
}

std::optional<ViscaCamera::Done> ViscaCamera::pan_tilt_move(const QByteArray &message,
                                                            bool relative)
{
    const int pan_speed = byte_at(message, 4);
    const int tilt_speed = byte_at(message, 5);
    const int pan_digits = config.profile == Profile::newer ? 5 : 4;
    const std::optional<int> pan_value = visca::nibble_value(message, 6, pan_digits, true);
    const std::optional<int> tilt_value = visca::nibble_value(message, 6 + pan_digits, 4, true);
    if (!pan_value || !tilt_value || !speeds_valid(pan_speed, tilt_speed))
        return std::nullopt;
    const int pan_to = relative ? int(std::lround(pan.at)) + *pan_value : *pan_value;
    const int tilt_to = relative ? int(std::lround(tilt.at)) + *tilt_value : *tilt_value;
    // An absolute position beyond the limits is out of range; a relative
    // move runs into the limit and stops there.
    if (!relative && (std::abs(pan_to) > pan_limit || std::abs(tilt_to) > tilt_limit))
        return std::nullopt;
    const qint64 pan_ms = pan.move_to(pan_to, pan_units_per_step * qMax(pan_speed, 1));
    const qint64 tilt_ms = tilt.move_to(tilt_to, tilt_units_per_step * qMax(tilt_speed, 1));
    const QString line = relative ? "pan-tilt relative %1, %2 at %3/%4 (%5 ms)"
                                  : "pan-tilt absolute %1, %2 at %3/%4 (%5 ms)";
    const qint64 move_ms = qMax(pan_ms, tilt_ms);
    return Done{line.arg(*pan_value).arg(*tilt_value).arg(pan_speed).arg(tilt_speed).arg(move_ms),
                move_ms, pan_bit | tilt_bit};
}

std::optional<ViscaCamera::Done> ViscaCamera::zoom_or_focus(const QByteArray &message, bool is_zoom)
{
    const int code = byte_at(message, 4);
    const QString axis = is_zoom ? "zoom" : "focus";
    Axis &lens = is_zoom ? zoom : focus;
    if (code == 0x00) {
        lens.stop();
        return Done{axis + " stop"};
    }
    int way = code >> 4;
    int speed = code & 0x0F;
    if (code == 0x02 || code == 0x03) { // standard speed
        way = code;
        speed = 3;
    }
    if ((way != 2 && way != 3) || speed > 7)
        return std::nullopt;
    // Zoom 2 is tele, focus 2 is far; zoom grows toward tele, focus toward near.
    const double units = lens_units_per_speed * (speed + 1);
    lens.run(is_zoom ? (way == 2 ? units : -units) : (way == 2 ? -units : units));
    const QString direction = is_zoom ? (way == 2 ? "tele" : "wide") : (way == 2 ? "far" : "near");
    return Done{QString("%1 %2 at %3").arg(axis, direction).arg(speed), 0,
                is_zoom ? zoom_bit : focus_bit};
}

std::optional<ViscaCamera::Done> ViscaCamera::direct(const QByteArray &message, bool is_zoom)
{
    Axis &lens = is_zoom ? zoom : focus;
    const std::optional<int> to = visca::nibble_value(message, 4, 4, false);
    if (!to || *to < lens.low || *to > lens.high)
        return std::nullopt;
    const qint64 move_ms = lens.move_to(*to, lens_fastest);
    return Done{
        QString("%1 direct %2 (%3 ms)").arg(is_zoom ? "zoom" : "focus").arg(*to).arg(move_ms),
        move_ms, is_zoom ? zoom_bit : focus_bit};
}

std::optional<ViscaCamera::Done> ViscaCamera::memory(const QByteArray &message)
{
    const int action = byte_at(message, 4);
    const int number = byte_at(message, 5);
    switch (action) {
    case 0x00: presets.remove(number); return Done{QString("preset %1 reset").arg(number)};
    case 0x01: presets[number] = rounded(); return Done{QString("preset %1 stored").arg(number)};
    case 0x02: {
        if (!presets.contains(number))
            return Done{QString("preset %1 recalled (never stored, no move)").arg(number)};
        const Position stored = presets[number];
        stop(pan_bit | tilt_bit | zoom_bit | focus_bit);
        pan.at = stored.pan;
        tilt.at = stored.tilt;
        zoom.at = stored.zoom;
        focus.at = stored.focus;
        return Done{QString("preset %1 recalled").arg(number)};
    }
    }
    return std::nullopt;
}

std::optional<ViscaCamera::Done> ViscaCamera::focus_mode(const QByteArray &message)
{
    switch (byte_at(message, 4)) {
    case 0x02: manual = false; return Done{"focus auto"};
    case 0x03: manual = true; return Done{"focus manual"};
    case 0x10:
        manual = !manual;
        return Done{manual ? "focus manual (toggled)" : "focus auto (toggled)"};
    }
    return std::nullopt;
}

// The one-byte settings: `81 01 04 cc 0p FF`.
std::optional<ViscaCamera::Done> ViscaCamera::setting(const QByteArray &message)
{
    const int code = byte_at(message, 3);
    const int value = byte_at(message, 4);
    const auto set = [this, &message, value](const QString &name) {
        keep(message.mid(2, 2), {value});
        return Done{name + ' ' + QString::number(value, 16).rightJustified(2, '0').toUpper()};
    };
    if (byte_at(message, 2) != 0x04)
        return std::nullopt;
    if (code == 0x00 && (value == 0x02 || value == 0x03)) {
        power = value == 0x02;
        return Done{power ? "power on" : "power standby"};
    }
    if (code == 0x18 && value == 0x01)
        return Done{"one-push autofocus"};
    if (code == 0x58 && value >= 0x01 && value <= 0x03)
        return set("autofocus sensitivity");
    if (code == 0x33 && (value == 0x02 || value == 0x03)) {
        keep(message.mid(2, 2), {value});
        return Done{value == 0x02 ? "backlight on" : "backlight off"};
    }
    if (code == 0x35 && value <= 0x05)
        return set("white balance");
    if (code == 0x39 && QByteArray::fromHex("00030a0b0d").contains(char(value)))
        return set("exposure mode");
    return std::nullopt;
}

namespace {
// The inquiry whose bytes after 09 are `code`, if the catalog has one.
const visca::catalog::Entry *inquiry_of(const QByteArray &code)
{
    for (const visca::catalog::Entry &entry : visca::catalog::entries()) {
        if (entry.kind != visca::catalog::Kind::inquiry || entry.tokens.size() != code.size() + 3)
            continue;
        bool same = true;
        for (int at = 0; at < code.size() && same; ++at)
            same = entry.tokens.at(at + 2).fixed == uchar(code.at(at));
        if (same)
            return &entry;
    }
    return nullptr;
}

// A field's value at rest: off where it can be off, else its lowest.
int resting(const visca::catalog::Field &field)
{
    for (const auto &[value, word] : field.words) {
        if (word == QLatin1String("off"))
            return value;
    }
    return field.lowest;
}
} // namespace

std::optional<ViscaCamera::Done> ViscaCamera::kept_setting(const QByteArray &message)
{
    const std::optional<visca::catalog::Meaning> read = visca::catalog::read(message);
    if (!read || read->entry->kind != visca::catalog::Kind::command || message.size() < 5)
        return std::nullopt;
    // Moves, lenses, presets, focus modes and tally have their own code
    // above, which refuses what this camera refuses.
    static const QList<QByteArray> own{
        QByteArray::fromHex("0601"), QByteArray::fromHex("0602"), QByteArray::fromHex("0603"),
        QByteArray::fromHex("0604"), QByteArray::fromHex("0605"), QByteArray::fromHex("0407"),
        QByteArray::fromHex("0408"), QByteArray::fromHex("0447"), QByteArray::fromHex("0448"),
        QByteArray::fromHex("043f"), QByteArray::fromHex("0438"), QByteArray::fromHex("7e01"),
        QByteArray::fromHex("7e04")};
    const QByteArray code = message.mid(2, 2);
    if (own.contains(code))
        return std::nullopt;
    QList<int> values;
    for (const visca::catalog::Value &value : read->values)
        values << value.value;
    if (const visca::catalog::Entry *inquiry = inquiry_of(code);
        inquiry && inquiry->answer_fields.size() == values.size()) {
        keep(code, values);
    } else if (message.size() == 6 && values.isEmpty() && byte_at(message, 3) < 0x40) {
        // Reset, up and down (00, 02, 03) step the value the direct
        // command of code + 40h sets.
        QByteArray direct = code;
        direct[1] = char(byte_at(message, 3) + 0x40);
        const visca::catalog::Entry *stepped = inquiry_of(direct);
        if (stepped && stepped->answer_fields.size() == 1) {
            const visca::catalog::Field &field = stepped->answer_fields.first();
            const int now = kept_values(direct).first();
            const int step = byte_at(message, 4) == 0x02 ? 1 : byte_at(message, 4) == 0x03 ? -1 : 0;
            keep(direct,
                 {step == 0 ? resting(field) : qBound(field.lowest, now + step, field.highest)});
        }
    }
    return Done{read->text()};
}

QList<int> ViscaCamera::kept_values(const QByteArray &code) const
{
    if (kept.contains(code))
        return kept.value(code);
    QList<int> values;
    if (const visca::catalog::Entry *inquiry = inquiry_of(code)) {
        for (const visca::catalog::Field &field : inquiry->answer_fields)
            values << resting(field);
    }
    return values;
}

void ViscaCamera::keep(const QByteArray &code, const QList<int> &values)
{
    kept.insert(code, values);
}

ViscaCamera::Answer ViscaCamera::catalogued_inquiry(const QByteArray &message) const
{
    const QByteArray code = message.mid(2, message.size() - 3);
    const visca::catalog::Entry *inquiry = inquiry_of(code);
    if (!inquiry)
        return not_understood(message);
    QList<int> values = kept_values(code);
    // What the camera knows of itself rather than keeps.
    if (code == QByteArray::fromHex("0611"))
        values = {0x18, config.strict_speed ? 0x14 : 0x17};
    else if (code == QByteArray::fromHex("7e010a"))
        values = {red ? 2 : 3};
    const QByteArray answer = visca::catalog::build_answer(*inquiry, config.address, values);
    QString name = inquiry->name;
    name.remove(QLatin1String(" inquiry"));
    return {{answer}, {}, 0, 0, 0, "inquiry: " + name};
}

void ViscaCamera::stop(int axes)
{
    if (axes & pan_bit)
        pan.stop();
    if (axes & tilt_bit)
        tilt.stop();
    if (axes & zoom_bit)
        zoom.stop();
    if (axes & focus_bit)
        focus.stop();
}

void ViscaCamera::home()
{
    stop(pan_bit | tilt_bit);
    pan.at = tilt.at = 0;
}

ViscaCamera::Answer ViscaCamera::inquiry(const QByteArray &message)
{
    const QByteArray body = message.mid(2, message.size() - 3);
    const Position now = rounded();
    const auto asked = [&body](const char *code) { return body == QByteArray::fromHex(code); };
    if (asked("0002"))
        return inquiry_answer(two_bytes(vendor) + two_bytes(model) + two_bytes(rom_version) +
                                  char(sockets.size()),
                              "version");
    if (asked("0400"))
        return inquiry_answer(visca::nibbles(power ? 2 : 3, 1), "power");
    if (asked("0438"))
        return inquiry_answer(visca::nibbles(manual ? 3 : 2, 1), "focus mode");
    if (asked("0447"))
        return inquiry_answer(visca::nibbles(now.zoom, 4),
                              QString("zoom position %1").arg(now.zoom));
    if (asked("0448"))
        return inquiry_answer(visca::nibbles(now.focus, 4),
                              QString("focus position %1").arg(now.focus));
    if (asked("0612")) {
        const int pan_digits = config.profile == Profile::newer ? 5 : 4;
        return inquiry_answer(visca::nibbles(now.pan, pan_digits) + visca::nibbles(now.tilt, 4),
                              QString("pan %1, tilt %2").arg(now.pan).arg(now.tilt));
    }
    return catalogued_inquiry(message);
}

ViscaCamera::Position ViscaCamera::position(qint64 now_ms)
{
    advance(now_ms);
    return rounded();
}

ViscaCamera::Position ViscaCamera::rounded() const
{
    return {int(std::lround(pan.at)), int(std::lround(tilt.at)), int(std::lround(zoom.at)),
            int(std::lround(focus.at))};
}

void ViscaCamera::advance(qint64 now_ms)
{
    if (last_ms < 0)
        last_ms = now_ms;
    const double seconds = (now_ms - last_ms) / 1000.0;
    last_ms = now_ms;
    for (Axis *axis : {&pan, &tilt, &zoom, &focus})
        axis->advance(seconds);
}
