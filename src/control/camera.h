#ifndef ZARVICK_CAMERA_H
#define ZARVICK_CAMERA_H

#include "control/camera_control.h"
#include "control/camera_settings.h"
#include "control/holds.h"
#include "control/link_channel.h"
#include "control/move_player.h"
#include "control/move_recorder.h"
#include "control/reconnect.h"
#include "control/tally_lamp.h"
#include "links/tcp_link.h"
#include "links/udp_link.h"
#include "visca/answer_times.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <optional>

class SerialLines;

// One camera of the list: its settings, its network links, whether it
// answers, and its drives: its holds and the control that sends them and
// waits for their stops to be confirmed. The cameras of a serial line
// share the line (SerialLines) and tell themselves apart by address.
class Camera : public QObject
{
    Q_OBJECT

public:
    enum class State { Closed, Reconnecting, Open, Answering, NotAnswering };
    // A camera that has not answered a message for this long is not answering.
    static constexpr int answer_limit_ms = visca::silence_ms;

    Camera(const CameraSettings &settings, SerialLines &lines, QObject *parent = nullptr);
    ~Camera() override;

    CameraSettings &settings() { return setup; }
    const CameraSettings &settings() const { return setup; }
    QString name() const { return setup.name; }
    int id() const { return setup.id; }
    int address() const { return setup.visca_address; }
    TcpLink &tcp() { return tcp_link; }
    UdpLink &udp() { return udp_link; }
    LinkChannel &tcp_channel() { return tcp_link_channel; }
    LinkChannel &udp_channel() { return udp_link_channel; }
    Reconnect &tcp_reconnect() { return tcp_reopening; }
    const Reconnect &tcp_reconnect() const { return tcp_reopening; }
    // What opens the link the camera's Mode chooses again after a loss, if
    // that link is one that can be lost (TCP, serial); none otherwise.
    Reconnect *reconnect() { return reconnect_of(*this); }
    const Reconnect *reconnect() const { return reconnect_of(*this); }
    // Seconds to the next try of that link while it is being opened again.
    int next_try_in_s() const;
    // The open channel that the PTZ Mode (drives) or the Manual tab's Mode
    // (console) chooses, or none.
    LinkChannel *drive_channel() { return open_channel(*this, setup.serial_mode); }
    const LinkChannel *drive_channel() const { return open_channel(*this, setup.serial_mode); }
    LinkChannel *console_channel() { return open_channel(*this, setup.console_serial); }
    // Whether `channel` carries this camera's messages: its own links, or
    // the line of its port, whatever its Mode.
    bool reached_by(const LinkChannel *channel) const;

    State state() const;
    // How long since a message last went to the camera; very long for never.
    qint64 quiet_for_ms() const;
    // Since when the camera has not answered (State::NotAnswering).
    QDateTime silent_since() const { return waiting_since; }

    // What ends a camera's motion, each in one call of end(): whatever
    // moves the camera (a held drive, a Go, a preset, a played move, a
    // remote lease or raw command) ends with one confirmed stop an axis
    // where the ending calls for it.
    enum class Ending {
        // Something may have swallowed a release (a box, a popup, the PTZ
        // tab left): the hands' holds end; a Go or a played move runs on.
        HandsLost,
        // The operator switched cameras: the hands' and remote holds end;
        // a Go, a preset or a played move runs on to its end.
        Switch,
        // Every axis that may be moving stops (Stop all).
        StopAll,
        // Every axis stops, moving or not (the camera's own Stop).
        Stop,
    };
    void end(Ending why);

    Holds &holds() { return drive_holds; }
    CameraControl &control() { return commands; }
    // Home and presets go through the camera as every motion does.
    void home() { commands.home(); }
    void preset(bool store, int number) { commands.preset(store, number); }
    // The preset field's text; false when it is no preset number (0-254).
    bool preset_from_field(bool store, const QString &text)
    {
        return commands.preset_from_field(store, text);
    }
    // The PTZ Mode: drives go on the serial line or on the network from
    // now on. Every hold ends first, with its stop where its drive went.
    void set_serial_mode(bool serial);
    // A kept position from where the camera is (`from`): pan and tilt at
    // speeds that make them arrive together, the farther at the Go speed;
    // the holds end first, and the next press or anything that ends holds
    // stops the move.
    void go_to(const visca::PanTilt &to, int zoom, std::optional<int> focus,
               const visca::PanTilt &from);
    // The zoom the camera last said it is at: pan-tilt speeds may follow it.
    void saw_zoom(int zoom) { zoom_seen = zoom; }
    // The channel's link is closing or was lost: the drives that went on it
    // end (their stops go first while it can still carry them; a lost link
    // owes them until it opens again).
    void link_going(const Link &link, bool lost);

    // A move recorded from `start` (a position the camera said it is at,
    // named as the move): every drive of the pad, keys and stick until
    // stop_recording(), a Go or a camera switch; then kept (settings().moves).
    void start_recording(const KeptPosition &start);
    void stop_recording();
    bool recording() const { return recorder.recording(); }
    // Kept move `index`: a Go to its start from where the camera is
    // (`from`), then its drives at their times. False when nothing went
    // out (a move that does not read, no link).
    bool play(int index, const visca::PanTilt &from);
    void stop_playing() { player.stop(); }
    bool playing() const { return player.playing(); }

    visca::Tally tally() const { return tally_lamp.state(); }
    // Who set the tally last: a hand (the window, HTTP, OSC) or the switcher.
    enum class TallyOrigin { hand, switcher };
    TallyOrigin tally_origin() const { return origin; }
    // The tally: sent at once, and again as TallyLamp says.
    void set_tally(visca::Tally state, TallyOrigin from = TallyOrigin::hand);
    // Sends the tally if it is due, behind any drive or stop.
    void send_tally();

    // What the camera's links tell: messages to it went out, it replied,
    // a link it is reached by opened.
    void asked();
    void replied(LinkChannel &channel);
    void link_opened(LinkChannel &channel);

signals:
    void state_changed();
    // A recording or a play began or ended, or a move was kept.
    void moves_changed();

private:
    CameraSettings setup;
    SerialLines &lines;
    TcpLink tcp_link;
    UdpLink udp_link;
    LinkChannel tcp_link_channel;
    LinkChannel udp_link_channel;
    Reconnect tcp_reopening;
    CameraControl commands;
    Holds drive_holds;
    MoveRecorder recorder;
    MovePlayer player;
    KeptPosition recording_start;
    TallyLamp tally_lamp;
    TallyOrigin origin = TallyOrigin::hand;
    // The tally's messages still waiting for the camera's reply.
    QList<quint64> tally_messages;
    QPointer<LinkChannel> tally_channel;
    QMetaObject::Connection tally_answer;
    std::optional<int> zoom_seen;
    bool answered = false;
    // When the oldest message still unanswered went out; -1 for none.
    qint64 waiting_since_ms = -1;
    qint64 last_asked_ms = -1;
    QDateTime waiting_since;
    QElapsedTimer clock;

    // One body each for const and other callers: the channel the Mode
    // chooses (serial or not), open or not; the same when it is open; what
    // opens the link of the PTZ Mode again.
    template <class Self>
    static auto mode_channel(Self &camera, bool serial) -> decltype(&camera.tcp_link_channel)
    {
        if (serial)
            return camera.lines.find(camera.setup.port_name);
        return camera.setup.tcp ? &camera.tcp_link_channel : &camera.udp_link_channel;
    }
    template <class Self>
    static auto open_channel(Self &camera, bool serial) -> decltype(&camera.tcp_link_channel)
    {
        auto *channel = mode_channel(camera, serial);
        return channel && channel->isOpen() ? channel : nullptr;
    }
    template <class Self> static auto reconnect_of(Self &camera) -> decltype(&camera.tcp_reopening)
    {
        if (camera.setup.serial_mode)
            return camera.lines.reconnect(camera.setup.port_name);
        return camera.setup.tcp ? &camera.tcp_reopening : nullptr;
    }
};

#endif
