#ifndef ZARVICK_CAMERA_SETTINGS_H
#define ZARVICK_CAMERA_SETTINGS_H

#include "visca/camera_commands.h"
#include "visca/commands.h"

#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <optional>

// A decimal number within `lowest` and `highest` (spaces around it allowed).
std::optional<int> decimal_within(const QString &text, int lowest, int highest);

// A position the program keeps for a camera, as config.ini holds it:
// decimal camera units, pan and tilt signed, focus empty when focus was
// auto. A row that does not read so is kept as it is and never sent.
struct KeptPosition {
    QString name;
    QString pan;
    QString tilt;
    QString zoom;
    QString focus;
    // The row's other keys, written back as they came.
    QVariantMap other;

    struct Values {
        int pan;
        int tilt;
        int zoom;
        std::optional<int> focus;
    };
    std::optional<Values> values() const;
};

// A move recorded on a camera, as config.ini holds it: where it starts (a
// kept position; its name is the move's) and its drives (move_text).
struct RecordedMove {
    KeptPosition start;
    QString drives;
};

// One camera as the operator set it up: what the options box, the Mode
// groups and the speed boxes show while it is the active camera, in real
// values (config.ini stores the positions of the form's items).
struct CameraSettings {
    enum class LinkKind { Serial, Tcp, Udp, ViscaOverIp };
    enum class Parity { None, Odd, Even };
    enum class StopBits { One, OneAndHalf, Two };
    // VISCA addresses a chain can give.
    static constexpr int first_address = 1;
    static constexpr int last_address = 7;
    // A list holds at most this many cameras (and config.ini is read up
    // to it), each with at most this many kept positions.
    static constexpr int most_cameras = 100;
    static constexpr int most_positions = 1000;
    static constexpr int most_moves = 100;

    QString name;
    // The camera's own number, kept whatever its place in the list (the
    // outside interfaces name it so); 0 until the list gives it one.
    int id = 0;
    int visca_address = first_address;
    // The PTZ tab's Mode, the Manual tab's Mode and the network protocol.
    bool serial_mode = true;
    bool console_serial = true;
    bool tcp = true;
    // On UDP: each message behind VISCA over IP's numbered header.
    bool over_ip = false;
    // The serial port's name, kept while the port is not present.
    QString port_name;
    int baud_rate = 9600;
    int data_bits = 8;
    Parity parity = Parity::None;
    StopBits stop_bits = StopBits::One;
    QString address = QStringLiteral("192.168.1.88");
    QString port = QString::number(visca::tcp_port);
    // VISCA speeds: pan 1-24, tilt 1-20, zoom and focus 0-7.
    int pan_speed = 15;
    int tilt_speed = 15;
    int zoom_speed = 3;
    int focus_speed = 3;
    QList<KeptPosition> positions;
    QList<RecordedMove> moves;
    // Its link was open (or being opened again) when the program last ended.
    bool was_open = false;
    // How its tally lamps are set (config.ini: "Sony", "Datavideo", "none").
    visca::TallyDialect tally_dialect = visca::TallyDialect::sony;
    // The pad, keys and stick drive the picture's way on a camera hung
    // upside down or sideways; kept positions stay in the camera's units.
    bool invert_pan = false;
    bool invert_tilt = false;
    // Pan and tilt slower as the camera zooms in: full speed at wide, a
    // fifth at the end of the optical zoom.
    bool zoom_scaled_speed = false;
    // The faster axis's speed of a Go (the slower is matched so both
    // arrive together); 0 for the PTZ tab's pan speed.
    int go_speed = 0;
    // Which of the switcher's displays or inputs is this camera: its TSL
    // address or index, or its vMix input number (-1: none); its OBS scenes.
    static constexpr int most_tally_scenes = 16;
    static constexpr int longest_scene_name = 256;
    int tally_index = -1;
    QStringList tally_scenes;

    // The link the camera's drives go on.
    LinkKind link() const
    {
        return serial_mode ? LinkKind::Serial
               : tcp       ? LinkKind::Tcp
               : over_ip   ? LinkKind::ViscaOverIp
                           : LinkKind::Udp;
    }
    void set_link(LinkKind kind)
    {
        serial_mode = kind == LinkKind::Serial;
        console_serial = serial_mode;
        if (serial_mode)
            return;
        tcp = kind == LinkKind::Tcp;
        over_ip = kind == LinkKind::ViscaOverIp;
    }
    // The link as a file names it ("Serial", "TCP", "UDP", "VISCA over
    // IP"); a file of old that says UDP to the VISCA over IP port meant it.
    void read_link(const QString &text);
    // Whether `other` would drive the same camera: its drives go on the
    // same serial line, or to the same network address, port and protocol,
    // at the same VISCA address. A line with no port chosen reaches nobody.
    bool same_camera(const CameraSettings &other) const;
    // A camera to add beside this one: the same kind of link, line
    // settings and speeds, but nothing that names this camera (no kept
    // positions; on the network no address until the operator gives one).
    CameraSettings beside() const;
};

// A pan-tilt speed at `zoom` (0 wide to 4000h, the optical end) when
// it follows the zoom: full at wide, a fifth at the end, never below 1.
int zoom_scaled(int speed, int zoom);
// The pan and tilt speeds of a move of `pan_distance` and `tilt_distance`
// (camera units) that arrive together, the farther axis at `fastest`
// (limited to what the axis takes: pan 18h, tilt 14h), the other in
// proportion, at least 1.
QPoint arriving_together(int pan_distance, int tilt_distance, int fastest);

// config.ini's words for a tally dialect; anything else is Sony's.
QString tally_dialect_text(visca::TallyDialect dialect);
visca::TallyDialect tally_dialect(const QString &text);

// config.ini's words for a link: "Serial", "TCP", "UDP" or "VISCA over
// IP"; anything else is the serial line, the first camera's link of old.
inline CameraSettings::LinkKind link_kind(const QString &text)
{
    if (text == QLatin1String("TCP"))
        return CameraSettings::LinkKind::Tcp;
    if (text == QLatin1String("UDP"))
        return CameraSettings::LinkKind::Udp;
    if (text == QLatin1String("VISCA over IP"))
        return CameraSettings::LinkKind::ViscaOverIp;
    return CameraSettings::LinkKind::Serial;
}

inline QString link_text(CameraSettings::LinkKind kind)
{
    switch (kind) {
    case CameraSettings::LinkKind::Tcp: return QStringLiteral("TCP");
    case CameraSettings::LinkKind::Udp: return QStringLiteral("UDP");
    case CameraSettings::LinkKind::ViscaOverIp: return QStringLiteral("VISCA over IP");
    case CameraSettings::LinkKind::Serial: break;
    }
    return QStringLiteral("Serial");
}

#endif
