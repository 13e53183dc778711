#ifndef ZARVICK_POSITION_POLLER_H
#define ZARVICK_POSITION_POLLER_H

#include "visca/answer_times.h"
#include "visca/positions.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QTimer>
#include <functional>
#include <map>
#include <optional>

class Camera;
class Cameras;
class LinkChannel;

// Where each camera that answers points, asked of the cameras themselves:
// the position inquiries go quietly (never to the log) in the console's lane, so that
// drives, stops and Home go first; five times a second while the camera
// moves, once a second at rest, one round at a time per camera, and not
// while `busy` says the link carries the operator's own loop.
class PositionPoller : public QObject
{
    Q_OBJECT

public:
    static constexpr int moving_ms = 200;
    static constexpr int resting_ms = 1000;
    // A round without all its answers after this long counts as unanswered.
    static constexpr int answer_limit_ms = visca::silence_ms;
    using Busy = std::function<bool(const LinkChannel *)>;

    struct Position {
        visca::PanTilt pan_tilt{};
        int zoom = 0;
        int focus = 0;
        // Manual focus; known only when asked for (keep()).
        std::optional<bool> focus_manual;
    };
    using Taken = std::function<void(const std::optional<Position> &)>;
    // The last position a camera gave: `stale` when a round since went
    // unanswered (a lost inquiry), `age_ms` since the camera gave it.
    struct Seen {
        Position position;
        bool stale;
        qint64 age_ms;
    };

    PositionPoller(Cameras &cameras, Busy busy, QObject *parent = nullptr);
    // Asking goes on only while somebody looks: the operator at the
    // cameras' list, or an outside client following their events.
    void set_running(bool running);
    void set_followed(bool followed);
    // The camera's last known position, or none before its first answer
    // and while no link of its Mode is open. One lost round blanks nothing.
    std::optional<Seen> position(int camera) const;
    // Asks the camera where it is now, focus mode too; `taken` gets the
    // answer, or none when the camera does not give it.
    void ask(int camera, Taken taken);
    // How many rounds ask() tries before it gives up.
    static constexpr int keep_tries = 3;
    // Within a round, an inquiry still unanswered this long is sent again
    // (a datagram lost on the way): the answers already in are kept.
    static constexpr int ask_again_ms = 250;

signals:
    void changed();

private:
    enum class Asked { PanTilt, Zoom, Focus, FocusMode };
    struct Round {
        QElapsedTimer since;
        // Where it was asked: the numbers are that channel's.
        const LinkChannel *channel = nullptr;
        QHash<quint64, Asked> waiting;
        // When the unanswered inquiries last went.
        qint64 asked_ms = 0;
        Position found;
        Taken taken;
    };
    struct Watched {
        std::optional<Position> last;
        QElapsedTimer last_taken;
        bool stale = false;
        QElapsedTimer asked;
        bool moving = false;
        std::optional<Round> round;
        QMetaObject::Connection gone;
    };
    void tick();
    void ask_camera(Camera &camera, Taken taken, int tries);
    void start_round(Camera &camera, LinkChannel &channel, bool with_focus_mode, Taken taken);
    void take(const LinkChannel *channel, quint64 message, const QByteArray &reply);
    static QByteArray inquiry_of(Asked asked, int address);
    // Sends the round's unanswered inquiries again; false when they did not go.
    bool ask_again(Camera &camera, Round &round);
    void finish(Watched &watched, bool answered);

    Cameras &cameras;
    Busy busy;
    QTimer ticker;
    // Every camera is asked, not only those whose speed follows the zoom.
    bool shown = false;
    bool followed = false;
    // By camera, not by its place in the list, which shifts: a camera's
    // entry goes with it.
    std::map<const Camera *, Watched> watched;
    QSet<const LinkChannel *> hearing;
};

#endif
