#ifndef ZARVICK_CAMERAS_H
#define ZARVICK_CAMERAS_H

#include "control/camera.h"
#include "control/serial_lines.h"

#include <QObject>
#include <QTimer>
#include <memory>
#include <vector>

class ActiveHolds;
class CameraListModel;
class CameraWork;
class Liveness;
class PositionPoller;

// The camera list: its order, the active camera (the one the panels show
// and the window's inputs drive) and the serial lines its cameras share.
// Whatever ends the holds of a camera happens here or in the camera: a
// camera switch, a Mode change, a link closing or lost, the operator
// leaving the PTZ tab.
class Cameras : public QObject
{
    Q_OBJECT

public:
    using State = Camera::State;

    explicit Cameras(QObject *parent = nullptr);
    ~Cameras() override;
    // Links that carry the operator's own loop: no camera on them is asked
    // whether it answers (Liveness) or where it is (PositionPoller).
    void set_link_busy(std::function<bool(const LinkChannel *)> busy);
    // Where the cameras point, and what they do with it (keep, go, record, play).
    PositionPoller &positions() { return *poller; }
    CameraWork &work() { return *camera_work; }
    // The list as rows keyed by the cameras' ids, for whatever shows it.
    CameraListModel &model() { return *list_model; }
    // Closes every link (each says `closing` first).
    void close_all();
    // Every axis that may be moving stopped, on every camera, whatever
    // moves it (a hold, a Go, a played move, a remote drive or raw
    // command): the operator's panic key.
    void stop_all();
    // One camera's every axis stopped, its holds let go.
    void stop(int index);
    // The program ends: stop_all(), then `done` once every camera has
    // confirmed its stops, or after `limit_ms` (a camera gone silent
    // confirms nothing). Closing the links at once would leave a stop lost
    // on a lossy link unsent again, and the camera moving.
    static constexpr int ending_limit_ms = 2000;
    void stop_all_then(const std::function<void()> &done, int limit_ms = ending_limit_ms);

    int count() const { return static_cast<int>(cameras.size()); }
    bool full() const { return count() >= CameraSettings::most_cameras; }
    int active() const { return active_index; }
    Camera &camera(int index) { return *cameras.at(size_t(index)); }
    const Camera &camera(int index) const { return *cameras.at(size_t(index)); }
    Camera &active_camera() { return camera(active_index); }
    CameraSettings &settings(int index) { return camera(index).settings(); }
    const CameraSettings &settings(int index) const { return camera(index).settings(); }
    CameraSettings &active_settings() { return settings(active_index); }
    // The holds the window's inputs report to: always the active camera's.
    HoldOwner &drives();

    // Appends a camera; the first one becomes the active camera. Not while
    // the list is full. A camera whose id is none or taken gets a new one.
    int add(const CameraSettings &settings);
    // The last camera stays. Its lamps go off, its network links close,
    // and its serial line when no other camera is on it; the active camera's place passes
    // to its neighbour.
    void remove(int index);
    // The camera at `from` goes to `to`, the others close up; the active
    // camera stays active at its new place.
    void move(int from, int to);
    // Who opens a link: the operator (a failure is told, and not tried
    // again), or the program at its start (tried again as a lost link is).
    enum class Opener { Operator, Start };
    // Every opening goes through these three. The camera's serial line with
    // its settings (the line's other cameras take them); false with the
    // system's reason where it did not open by the operator's hand.
    bool open_serial(int index, Opener by, QString *reason = nullptr);
    // Its network link, TCP or UDP as its settings say (UDP to VISCA over
    // IP's own port means it); false when its address or port do not read.
    // A TCP connection is made in the background: its failure is told by
    // TcpLink::open_failed.
    bool open_network(int index, Opener by);
    // The link the camera's Mode chooses, unless it is open or being opened.
    // False when its settings name no link (no port, no address).
    bool open(int index, Opener by = Opener::Start);
    // Sets the camera's tally; program (or preview) set here passes from the
    // camera that had it, which goes off.
    void set_tally(int index, visca::Tally state);
    // The switcher's tally for the camera: as it says, several cameras on
    // program at once if it says so.
    void set_switcher_tally(int index, visca::Tally state);
    // Whether the cameras open at the start whose links were open at the end.
    bool open_at_start() const { return opening_at_start; }
    void set_open_at_start(bool open) { opening_at_start = open; }
    // The active camera's holds end first: a held drive gets its stop on
    // the camera it drove, the new camera waits for a new press.
    void set_active(int index);
    void rename(int index, const QString &name);
    // The active camera's settings were changed in place.
    void note_changed() { emit listed(); }
    // The camera's PTZ Mode (see Camera::set_serial_mode). The link it
    // leaves is no longer opened again after a loss, unless another camera
    // drives on it (a shared serial line).
    void set_serial_mode(int index, bool serial);
    // The camera's link becomes `kind`; the form shows it anew.
    void set_link(int index, CameraSettings::LinkKind kind);
    // The operator left the PTZ tab: nothing there can be released now.
    void ptz_left();
    // The camera other than `except` that `settings` would drive too, or -1.
    int same_camera(const CameraSettings &settings, int except = -1) const;
    // The lowest VISCA address at which `settings` drives no camera of the
    // list but `except`'s; 0 when every address is taken.
    int free_address(CameraSettings settings, int except = -1) const;
    // A name not given yet, from the words for "Camera %1": the number of
    // the place a new camera takes ("Camera 4" as the fourth) where free.
    QString free_name(const QString &pattern) const;

    // The line of a serial port, shared by the cameras on it.
    SerialLink &serial_line(const QString &port);
    LinkChannel &serial_channel(const QString &port) { return lines.line(port); }
    TcpLink &tcp(int index) { return camera(index).tcp(); }
    UdpLink &udp(int index) { return camera(index).udp(); }
    LinkChannel *console_channel(int index) { return camera(index).console_channel(); }

    // What opens `link` again after a loss: a camera's TCP link or a serial
    // line; none for the others.
    Reconnect *reconnect_of(const Link &link) const;
    // Whether a camera drives on `link` now: the program's own questions wait.
    bool driving_on(const Link &link) const;
    // The cameras `link` carries: its camera's (TCP, UDP) or its line's.
    QList<int> cameras_on(const Link &link) const;
    State state(int index) const { return camera(index).state(); }
    QDateTime silent_since(int index) const { return camera(index).silent_since(); }
    // The camera's place in the list; -1 when it is not listed (removed).
    int index_of(const Camera &camera) const;
    // The place of the camera with `id`; -1 when none has it.
    int index_of_id(int id) const;
    // What the log puts before a message to or from `address` on `channel`:
    // the camera's name in brackets while several cameras are listed.
    QString label(const LinkChannel *channel, int address) const;
    // The same for a camera's reply, by the address its header names.
    QString reply_label(const LinkChannel *channel, const QByteArray &reply) const;

signals:
    // A link was made: whatever listens to links connects to it now, after the
    // cameras (a lost link's drives end before the operator's message box waits).
    void link_made(Link &link);
    void switched(int index);
    // Cameras added, removed, renamed or set up anew.
    void listed();
    // A camera's state may have changed.
    void state_changed();
    // A camera's settings were changed elsewhere than in the form.
    void changed_elsewhere(int index);
    // A camera began or ended recording or playing a move, or kept one.
    void moves_changed(int index);
    // A message went out, as the log shows it; `label` names the camera it
    // went to when there are several.
    void sent(const QString &label, const QString &text, const QByteArray &bytes);
    // What a link received, less the answers to quiet messages.
    void received(const LinkChannel *channel, const QList<LoggedReply> &replies);
    // A command of a camera did not go out; a stop went unconfirmed.
    void failed(int camera, SendResult result, const QString &reason);
    void stop_unconfirmed(int camera);
    // A camera was stopped whole (stop or stop_all): what drove it from
    // outside is forgotten, not to start again.
    void stopped(Camera *camera);

private:
    void made(LinkChannel &channel);
    // Whether a listed camera is driven on the serial line `port`.
    bool line_used(const QString &port) const;
    void connect_camera(Camera &camera);

    SerialLines lines;
    std::vector<std::unique_ptr<Camera>> cameras;
    std::unique_ptr<ActiveHolds> active_holds;
    std::unique_ptr<Liveness> liveness;
    std::function<bool(const LinkChannel *)> link_busy;
    std::unique_ptr<PositionPoller> poller;
    std::unique_ptr<CameraWork> camera_work;
    std::unique_ptr<CameraListModel> list_model;
    int active_index = -1;
    // The highest id given so far: ids are not given twice in a run.
    int last_id = 0;
    bool opening_at_start = false;
    // Tallies go again while their links stay open (TallyLamp).
    QTimer tally_clock;
    // While the program ends: whether the stops are confirmed yet.
    QTimer ending_check;
};

#endif
