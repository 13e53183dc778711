#ifndef ZARVICK_REMOTE_COMMANDS_H
#define ZARVICK_REMOTE_COMMANDS_H

#include "control/holds.h"
#include "visca/camera_commands.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <optional>

class Camera;
class LinkChannel;
class Cameras;

// What the outside interfaces (HTTP, OSC) may do, on the window's thread:
// each request names a camera by its place in the list (from 1) and comes
// from a source (a client's address). A remote drive is a hold of the
// camera's (Input::Remote) that lasts for its lease: the same request
// renews it, and when no renewal comes in time each axis still driven
// gets its one confirmed stop, as a released button's. A failed request
// sends nothing to any camera.
class RemoteCommands : public QObject
{
    Q_OBJECT

public:
    enum class Failure { None, BadRequest, NotFound, NotOpen, TooMany };
    struct Result {
        Failure failure = Failure::None;
        QString error;
        bool ok() const { return failure == Failure::None; }
    };
    // Each axis in -1 … 1: pan right, tilt up, zoom tele, focus near; 0
    // stops it; an axis not given goes on as it was.
    struct Axes {
        std::optional<double> pan;
        std::optional<double> tilt;
        std::optional<double> zoom;
        std::optional<double> focus;
    };
    static constexpr int default_lease_ms = 500;
    static constexpr int longest_lease_ms = 2000;
    // At most this many sources drive at once; a new one past them takes
    // the place of the one whose lease ends first.
    static constexpr int most_leases = 64;
    // How long a command's replies are waited for.
    static constexpr int reply_wait_ms = 500;
    // At most this many messages in one command request.
    static constexpr int most_command_messages = 32;

    explicit RemoteCommands(Cameras &cameras, QObject *parent = nullptr);
    ~RemoteCommands() override;

    // Milliseconds on a steady clock; tests pass their own.
    void set_clock(std::function<qint64()> now) { clock = std::move(now); }
    // Ends the drives whose lease ran out (the timer calls it).
    void check_leases();

    // A camera's place (from 1), or 0 for the active camera (OSC's
    // /zarvick/active): its index, or none.
    std::optional<int> camera_index(int number) const;
    Result select(int number);
    Result drive(int number, const QString &source, const Axes &axes, int lease_ms);
    // Everything on the camera stops, whoever started it (pad, keys, stick,
    // a lease, a played move, a Go, a preset, a raw command): a confirmed
    // stop for every axis; no lease on the camera is remembered after it.
    Result stop(int number);
    // Every camera stopped, each axis once.
    Result stop_all();
    Result home(int number);
    Result preset(int number, bool store, int preset);
    Result go(int number, int position);
    Result tally(int number, const QString &state);
    // The bytes as the Manual tab sends them, to the camera named only (its
    // own address, no broadcast), at most `most_command_messages`; `done`
    // gets the camera's
    // replies (hex texts) when it completed, failed, answered the inquiry
    // or `reply_wait_ms` passed, or at once with the failure.
    // A message that starts a continuous movement (a pan-tilt drive, a
    // zoom or focus drive) holds for `lease_ms`, as a drive does: then its
    // axis gets its one confirmed stop.
    void command(int number, const QString &hex, int lease_ms,
                 const std::function<void(const Result &, const QStringList &)> &done);
    // Every drive of `source` ends (its connection went).
    void forget(const QString &source);

    // What GET /cameras shows of camera `index`.
    struct View {
        // The place in the list (from 1), and the camera's own id, which
        // stays whatever its place.
        int number;
        int id;
        QString name;
        QString link;
        int address;
        QString state;
        QString tally;
        // "switcher" or "manual": who set the tally last.
        QString tally_source;
        // pan, tilt, zoom, focus; none before the camera gave them.
        std::optional<std::array<int, 4>> position;
        // The names of its kept positions, in the order Go numbers them.
        QStringList kept;
    };
    View view(int index) const;
    int count() const;
    // The active camera's place, from 1.
    int active() const;

signals:
    // A camera's state, tally or position may have changed.
    void camera_changed(int number);
    void active_changed(int number);

private:
    // A camera stopped whole: its leases and raw drives go, so that no
    // source's remembered axes start it again.
    void forget_camera(const Camera *camera);
    struct Lease {
        QPointer<Camera> camera;
        qint64 until_ms = 0;
        // The values last asked for, by axis: pan and tilt share one.
        double pan = 0;
        double tilt = 0;
        double zoom = 0;
        double focus = 0;
        int id = 0;
    };
    Result camera_at(int number, int *index, bool needs_link) const;
    static QString lease_key(const QString &source, const Camera &camera);
    // The source's lease of the camera, made when missing; none when every
    // slot holds a drive (a new source never ends another's).
    Lease *lease_of(const QString &source, Camera &camera);
    // Whether the lease drives any axis now.
    bool apply(Lease &lease);
    void end(Lease &lease);
    void schedule();

    Cameras &cameras;
    std::function<qint64()> clock;
    QHash<QString, Lease> leases;
    // Movements started by raw commands, each until its lease ends.
    struct RawDrive {
        QPointer<Camera> camera;
        Axis axis = Axis::PanTilt;
        qint64 until_ms = 0;
    };
    QList<RawDrive> raw_drives;
    void hold_raw(Camera &camera, const QByteArray &bytes, LinkChannel &channel, int lease_ms);
    int next_id = 0;
    QTimer lease_timer;
};

#endif
