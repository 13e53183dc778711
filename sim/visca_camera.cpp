#include "visca_camera.h"

#include <QtGlobal>
#include <cmath>

namespace {
const QByteArray ack = QByteArray::fromHex("9041ff");
const QByteArray completion = QByteArray::fromHex("9051ff");
const QByteArray length_error = QByteArray::fromHex("906001ff");
const QByteArray syntax_error = QByteArray::fromHex("906002ff");

int byte_at(const QByteArray &message, int index)
{
    return static_cast<unsigned char>(message.at(index));
}

QString hex(const QByteArray &message) { return QString::fromLatin1(message.toHex(' ').toUpper()); }

ViscaCamera::Answer done(const QString &description) { return {{ack}, completion, description}; }

ViscaCamera::Answer refused(const QByteArray &reply, const QString &description)
{
    return {{reply}, QByteArray(), description};
}

ViscaCamera::Answer dropped(const QString &description) { return {{}, QByteArray(), description}; }

// A value as the nibble bytes of an inquiry answer ("0p 0q 0r 0s").
QByteArray nibbles(int value, int count)
{
    QByteArray bytes;
    for (int shift = 4 * (count - 1); shift >= 0; shift -= 4)
        bytes.append(static_cast<char>((value >> shift) & 0x0F));
    return bytes;
}

QByteArray inquiry_answer(const QByteArray &payload)
{
    return QByteArray::fromHex("9050") + payload + QByteArray::fromHex("ff");
}
} // namespace

ViscaCamera::Answer ViscaCamera::handle(const QByteArray &message, qint64 now_ms)
{
    advance(now_ms);
    if (message.isEmpty() || (byte_at(message, 0) & 0xF0) != 0x80)
        return dropped("dropped, not from a controller: " + hex(message));
    if (byte_at(message, 0) != 0x81)
        return dropped("dropped, not for camera 1: " + hex(message));
    if (message.size() < 3 || message.size() > 16)
        return refused(length_error, "message length error: " + hex(message));
    if (byte_at(message, 1) == 0x01)
        return command(message);
    if (byte_at(message, 1) == 0x09)
        return inquiry(message);
    return refused(syntax_error, "syntax error: " + hex(message));
}

ViscaCamera::Answer ViscaCamera::command(const QByteArray &message)
{
    const QByteArray body = message.mid(2, message.size() - 3);
    const auto is = [&](const char *prefix, int size) {
        return message.size() == size && body.startsWith(QByteArray::fromHex(prefix));
    };
    if (is("0601", 9))
        return pan_tilt(message);
    if (is("0604", 5)) {
        at.pan = at.tilt = 0;
        drive.pan = drive.tilt = 0;
        return done("home");
    }
    if (is("0407", 6))
        return zoom_or_focus(message, true);
    if (is("0408", 6))
        return zoom_or_focus(message, false);
    if (is("043f", 7))
        return memory(message);
    if (is("0438", 6)) {
        switch (byte_at(message, 4)) {
        case 0x02: manual = false; return done("focus auto");
        case 0x03: manual = true; return done("focus manual");
        case 0x10:
            manual = !manual;
            return done(manual ? "focus manual (toggled)" : "focus auto (toggled)");
        }
    }
    if (is("0400", 6) && (byte_at(message, 4) == 0x02 || byte_at(message, 4) == 0x03)) {
        power = byte_at(message, 4) == 0x02;
        return done(power ? "power on" : "power standby");
    }
    return refused(syntax_error, "syntax error: " + hex(message));
}

ViscaCamera::Answer ViscaCamera::pan_tilt(const QByteArray &message)
{
    const int pan_speed = byte_at(message, 4);
    const int tilt_speed = byte_at(message, 5);
    const int pan_way = byte_at(message, 6);
    const int tilt_way = byte_at(message, 7);
    const bool speeds_valid = pan_speed <= 0x18 && tilt_speed <= 0x14 &&
                              !(strict_speed && (pan_speed == 0 || tilt_speed == 0));
    if (!speeds_valid || pan_way < 1 || pan_way > 3 || tilt_way < 1 || tilt_way > 3)
        return refused(syntax_error, "syntax error: " + hex(message));

    if (pan_way == 3 && tilt_way == 3) {
        drive.pan = drive.tilt = 0;
        return done("pan-tilt stop");
    }
    // Speed 0 runs as the slowest speed, as on cameras that accept it.
    const double pan_rate = 100.0 * qMax(pan_speed, 1);
    const double tilt_rate = 60.0 * qMax(tilt_speed, 1);
    drive.pan = pan_way == 1 ? -pan_rate : pan_way == 2 ? pan_rate : 0;
    drive.tilt = tilt_way == 1 ? tilt_rate : tilt_way == 2 ? -tilt_rate : 0;

    QStringList moves;
    if (pan_way != 3)
        moves << (pan_way == 1 ? "pan left" : "pan right");
    if (tilt_way != 3)
        moves << (tilt_way == 1 ? "tilt up" : "tilt down");
    return done(QString("%1 at %2/%3").arg(moves.join(", ")).arg(pan_speed).arg(tilt_speed));
}

ViscaCamera::Answer ViscaCamera::zoom_or_focus(const QByteArray &message, bool zoom)
{
    const int code = byte_at(message, 4);
    const QString axis = zoom ? "zoom" : "focus";
    double &rate = zoom ? drive.zoom : drive.focus;
    if (code == 0x00) {
        rate = 0;
        return done(axis + " stop");
    }
    int way = code >> 4;
    int speed = code & 0x0F;
    if (code == 0x02 || code == 0x03) { // standard speed
        way = code;
        speed = 3;
    }
    if ((way != 2 && way != 3) || speed > 7)
        return refused(syntax_error, "syntax error: " + hex(message));
    // Zoom 2 is tele, focus 2 is far; zoom grows toward tele, focus toward near.
    const double units = 1024.0 * (speed + 1);
    rate = zoom ? (way == 2 ? units : -units) : (way == 2 ? -units : units);
    const QString direction = zoom ? (way == 2 ? "tele" : "wide") : (way == 2 ? "far" : "near");
    return done(QString("%1 %2 at %3").arg(axis, direction).arg(speed));
}

ViscaCamera::Answer ViscaCamera::memory(const QByteArray &message)
{
    const int action = byte_at(message, 4);
    const int number = byte_at(message, 5);
    switch (action) {
    case 0x00: presets.remove(number); return done(QString("preset %1 reset").arg(number));
    case 0x01: presets[number] = at; return done(QString("preset %1 stored").arg(number));
    case 0x02:
        if (!presets.contains(number))
            return done(QString("preset %1 recalled (never stored, no move)").arg(number));
        at = presets[number];
        drive = Drive();
        return done(QString("preset %1 recalled").arg(number));
    }
    return refused(syntax_error, "syntax error: " + hex(message));
}

ViscaCamera::Answer ViscaCamera::inquiry(const QByteArray &message)
{
    const QByteArray body = message.mid(2, message.size() - 3);
    const Position now = rounded();
    if (body == QByteArray::fromHex("0400"))
        return {{inquiry_answer(nibbles(power ? 2 : 3, 1))}, {}, "inquiry: power"};
    if (body == QByteArray::fromHex("0438"))
        return {{inquiry_answer(nibbles(manual ? 3 : 2, 1))}, {}, "inquiry: focus mode"};
    if (body == QByteArray::fromHex("0447"))
        return {{inquiry_answer(nibbles(now.zoom, 4))},
                {},
                QString("inquiry: zoom position %1").arg(now.zoom)};
    if (body == QByteArray::fromHex("0448"))
        return {{inquiry_answer(nibbles(now.focus, 4))},
                {},
                QString("inquiry: focus position %1").arg(now.focus)};
    if (body == QByteArray::fromHex("0612"))
        return {{inquiry_answer(nibbles(now.pan & 0xFFFF, 4) + nibbles(now.tilt & 0xFFFF, 4))},
                {},
                QString("inquiry: pan %1, tilt %2").arg(now.pan).arg(now.tilt)};
    return refused(syntax_error, "syntax error: " + hex(message));
}

ViscaCamera::Position ViscaCamera::position(qint64 now_ms)
{
    advance(now_ms);
    return rounded();
}

ViscaCamera::Position ViscaCamera::rounded() const
{
    return {int(std::lround(at.pan)), int(std::lround(at.tilt)), int(std::lround(at.zoom)),
            int(std::lround(at.focus))};
}

void ViscaCamera::advance(qint64 now_ms)
{
    if (last_ms < 0)
        last_ms = now_ms;
    const double seconds = (now_ms - last_ms) / 1000.0;
    last_ms = now_ms;
    at.pan = qBound<double>(-pan_limit, at.pan + drive.pan * seconds, pan_limit);
    at.tilt = qBound<double>(-tilt_limit, at.tilt + drive.tilt * seconds, tilt_limit);
    at.zoom = qBound<double>(0, at.zoom + drive.zoom * seconds, zoom_tele);
    at.focus = qBound<double>(focus_far, at.focus + drive.focus * seconds, focus_near);
}
