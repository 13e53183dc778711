#ifndef ZARVICK_SIM_VISCA_CAMERA_H
#define ZARVICK_SIM_VISCA_CAMERA_H

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <array>
#include <optional>

// A VISCA camera at its address (1 unless chosen): the answer to each
// message and the state it leaves behind. Time is passed in (milliseconds on any steady clock),
// so that the motion of pan, tilt, zoom and focus is reproducible.
class ViscaCamera
{
public:
    // How the pan position is written in the position inquiry and the
    // absolute and relative moves: 4 nibbles on older cameras, 5 on newer.
    enum class Profile { older, newer };

    struct Config {
        bool strict_speed = false;
        Profile profile = Profile::newer;
        // The least time between a command's ACK and its completion.
        int completion_ms = 0;
        // 1 to 7: messages start with 8n, answers with (n + 8)0.
        int address = 1;
    };

    int address() const { return config.address; }

    struct Answer {
        // Sent at once: ACK, an inquiry's answer or an error. Empty when the
        // message is dropped without an answer.
        QList<QByteArray> replies;
        // Sent when the command has been executed (empty for none), after
        // `completion_ms`; a command that waits holds `socket` until then
        // and its completion is due only while finish() says so.
        QByteArray completion;
        qint64 completion_ms = 0;
        int socket = 0;
        int ticket = 0;
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
    // The version inquiry's answer: vendor, model, ROM version.
    static constexpr int vendor = 0x0020;
    static constexpr int model = 0x005A;
    static constexpr int rom_version = 0x0100;

    ViscaCamera() : ViscaCamera(Config()) {}
    explicit ViscaCamera(const Config &chosen);

    Answer handle(const QByteArray &message, qint64 now_ms);
    // Frees the socket of a command whose time is up; false when the
    // command was cancelled meanwhile and no completion is due.
    bool finish(int socket, int ticket);
    // Whether `socket` still holds the command of `ticket`.
    bool holds(int socket, int ticket) const
    {
        const Socket &held = sockets.at(socket - 1);
        return held.busy && held.ticket == ticket;
    }

    Position position(qint64 now_ms);
    bool manual_focus() const { return manual; }
    bool powered() const { return power; }
    // The tally lamps as the last tally message set them.
    bool red_lamp() const { return red; }
    bool green_lamp() const { return green; }
    bool has_preset(int number) const { return presets.contains(number); }

private:
    // One axis: where it stands (fractional, so that slow drives add up),
    // its signed rate in units a second, and where it stops by itself.
    struct Axis {
        double at;
        double low;
        double high;
        double rate = 0;
        std::optional<double> target;

        void advance(double seconds);
        void run(double units_per_second);
        // Starts a move to `where` (kept inside the limits); its length.
        qint64 move_to(double where, double units_per_second);
        void stop() { run(0); }
    };
    enum AxisBit { pan_bit = 1, tilt_bit = 2, zoom_bit = 4, focus_bit = 8 };
    // A command carried out: its line, how long its move takes and the
    // axes it set going (a cancel stops them).
    struct Done {
        QString description;
        qint64 move_ms = 0;
        int axes = 0;
    };
    struct Socket {
        bool busy = false;
        int ticket = 0;
        int axes = 0;
    };

    QByteArray reply(int first, int second = -1) const;
    Answer not_understood(const QByteArray &message) const;
    Answer inquiry_answer(const QByteArray &payload, const QString &description) const;
    Answer broadcast(const QByteArray &message);
    Answer cancel(const QByteArray &message);
    void clear_sockets();
    Answer command(const QByteArray &message);
    std::optional<Done> execute(const QByteArray &message);
    std::optional<Done> pan_tilt_drive(const QByteArray &message);
    std::optional<Done> pan_tilt_move(const QByteArray &message, bool relative);
    std::optional<Done> zoom_or_focus(const QByteArray &message, bool zoom);
    std::optional<Done> direct(const QByteArray &message, bool zoom);
    std::optional<Done> memory(const QByteArray &message);
    std::optional<Done> focus_mode(const QByteArray &message);
    std::optional<Done> setting(const QByteArray &message);
    // Any other command of the catalog: taken, its values kept for the
    // inquiry of the same code to answer.
    std::optional<Done> kept_setting(const QByteArray &message);
    // What the inquiry of `code` (its bytes after 09) answers, kept or its
    // fields' resting values.
    QList<int> kept_values(const QByteArray &code) const;
    void keep(const QByteArray &code, const QList<int> &values);
    Answer catalogued_inquiry(const QByteArray &message) const;
    std::optional<Done> tally(const QByteArray &message);
    bool speeds_valid(int pan_speed, int tilt_speed) const;
    void stop(int axes);
    void home();
    Answer inquiry(const QByteArray &message);
    void advance(qint64 now_ms);
    Position rounded() const;

    const Config config;
    Axis pan{0, -pan_limit, pan_limit, 0, std::nullopt};
    Axis tilt{0, -tilt_limit, tilt_limit, 0, std::nullopt};
    Axis zoom{0, 0, zoom_tele, 0, std::nullopt};
    Axis focus{focus_far, focus_far, focus_near, 0, std::nullopt};
    qint64 last_ms = -1;
    bool manual = false;
    bool power = true;
    bool red = false;
    bool green = false;
    // The settings as their inquiries report them, by the inquiry's code
    // (its bytes after 09: 04 35 is white balance).
    QMap<QByteArray, QList<int>> kept;
    QMap<int, Position> presets;
    std::array<Socket, 2> sockets;
    int last_ticket = 0;
};

#endif
