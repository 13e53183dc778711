#ifndef ZARVICK_SIM_VISCA_CAMERA_H
#define ZARVICK_SIM_VISCA_CAMERA_H

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

// A VISCA camera at address 1: the answer to each message and the state
// it leaves behind. Time is passed in (milliseconds on any steady clock),
// so that the motion of pan, tilt, zoom and focus is reproducible.
class ViscaCamera
{
public:
    struct Answer {
        // Sent at once: ACK, an inquiry's answer or an error. Empty when the
        // message is dropped without an answer.
        QList<QByteArray> replies;
        // Sent when the command has been executed (empty for none).
        QByteArray completion;
        // One line for the operator: what the camera does.
        QString description;
    };

    struct Position {
        int pan = 0;
        int tilt = 0;
        int zoom = 0;
        int focus = 0x1000;
    };

    static constexpr int pan_limit = 0x0990;
    static constexpr int tilt_limit = 0x0510;
    static constexpr int zoom_tele = 0x4000;
    static constexpr int focus_near = 0xC000;
    static constexpr int focus_far = 0x1000;

    explicit ViscaCamera(bool strict_speed = false) : strict_speed(strict_speed) {}

    Answer handle(const QByteArray &message, qint64 now_ms);

    Position position(qint64 now_ms);
    bool manual_focus() const { return manual; }
    bool powered() const { return power; }
    bool has_preset(int number) const { return presets.contains(number); }

private:
    // Where the axes stand, kept fractional so that slow drives add up.
    struct Axes {
        double pan = 0;
        double tilt = 0;
        double zoom = 0;
        double focus = focus_far;
    };
    // Units per second of each axis while a drive runs, signed.
    struct Drive {
        double pan = 0;
        double tilt = 0;
        double zoom = 0;
        double focus = 0;
    };

    Answer command(const QByteArray &message);
    Answer inquiry(const QByteArray &message);
    Answer pan_tilt(const QByteArray &message);
    Answer zoom_or_focus(const QByteArray &message, bool zoom);
    Answer memory(const QByteArray &message);
    void advance(qint64 now_ms);
    Position rounded() const;

    const bool strict_speed;
    Axes at;
    Drive drive;
    qint64 last_ms = -1;
    bool manual = false;
    bool power = true;
    QMap<int, Axes> presets;
};

#endif
