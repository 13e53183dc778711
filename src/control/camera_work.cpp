#include "control/camera_work.h"

#include "control/cameras.h"

#include <QPointer>
#include <QRegularExpression>

namespace {
// The name to give the next of `names` in `words` ("Position %1"): the
// number after the highest given so far (and at least after as many as
// there are), so that a name deleted and given again is never given twice.
QString next_numbered(const QString &words, const QStringList &names)
{
    const QStringList around = words.split("%1");
    const QRegularExpression numbered("^" + QRegularExpression::escape(around.value(0)) +
                                      "(\\d{1,6})" + QRegularExpression::escape(around.value(1)) +
                                      "$");
    int highest = int(names.size());
    for (const QString &name : names) {
        const QRegularExpressionMatch match = numbered.match(name);
        if (match.hasMatch())
            highest = qMax(highest, match.captured(1).toInt());
    }
    return words.arg(highest + 1);
}

// Where the camera is, as a kept position names it: auto focus finds its
// own focus, so only a manual one is kept.
KeptPosition kept_from(const PositionPoller::Position &now, const QString &name)
{
    KeptPosition position;
    position.name = name;
    position.pan = QString::number(now.pan_tilt.pan);
    position.tilt = QString::number(now.pan_tilt.tilt);
    position.zoom = QString::number(now.zoom);
    if (now.focus_manual.value_or(false))
        position.focus = QString::number(now.focus);
    return position;
}
} // namespace

CameraWork::CameraWork(Cameras &camera_list, PositionPoller &positions, QObject *parent)
    : QObject(parent), cameras(camera_list), poller(positions)
{
}

void CameraWork::ask(Camera &camera, bool only_active, const Done &done,
                     const std::function<void(Camera &, const PositionPoller::Position &)> &act)
{
    const int index = cameras.index_of(camera);
    if (index < 0) {
        done(Outcome::gone);
        return;
    }
    // The camera asked, not its place in the list: a camera removed
    // meanwhile passes its place on.
    const QPointer<Camera> asked = &camera;
    poller.ask(index, [this, asked, only_active, done,
                       act](const std::optional<PositionPoller::Position> &now) {
        if (!asked || cameras.index_of(*asked) < 0 ||
            (only_active && asked != &cameras.active_camera())) {
            done(Outcome::gone);
            return;
        }
        if (!now) {
            done(Outcome::silent);
            return;
        }
        act(*asked, *now);
    });
}

void CameraWork::keep(Camera &camera, const QString &words, const Done &done)
{
    if (camera.settings().positions.size() >= CameraSettings::most_positions) {
        done(Outcome::full);
        return;
    }
    ask(camera, false, done, [words, done](Camera &asked, const PositionPoller::Position &now) {
        QList<KeptPosition> &kept = asked.settings().positions;
        if (kept.size() >= CameraSettings::most_positions) {
            done(Outcome::full);
            return;
        }
        QStringList names;
        for (const KeptPosition &other : kept)
            names << other.name;
        kept << kept_from(now, next_numbered(words, names));
        done(Outcome::done);
    });
}

void CameraWork::go_to(Camera &camera, int row, bool only_active, const Done &done)
{
    const QList<KeptPosition> &kept = camera.settings().positions;
    if (row < 0 || row >= kept.size()) {
        done(Outcome::gone);
        return;
    }
    const std::optional<KeptPosition::Values> values = kept.at(row).values();
    if (!values) {
        done(Outcome::unreadable);
        return;
    }
    ask(camera, only_active, done,
        [values, done](Camera &asked, const PositionPoller::Position &now) {
            asked.go_to({values->pan, values->tilt, now.pan_tilt.pan_digits}, values->zoom,
                        values->focus, now.pan_tilt);
            done(Outcome::done);
        });
}

void CameraWork::record(Camera &camera, const QString &words, const Done &done)
{
    if (camera.settings().moves.size() >= CameraSettings::most_moves) {
        done(Outcome::full);
        return;
    }
    ask(camera, true, done, [words, done](Camera &asked, const PositionPoller::Position &now) {
        QStringList names;
        for (const RecordedMove &move : asked.settings().moves)
            names << move.start.name;
        asked.start_recording(kept_from(now, next_numbered(words, names)));
        done(Outcome::done);
    });
}

void CameraWork::play(Camera &camera, int move, const Done &done)
{
    if (move < 0 || move >= camera.settings().moves.size()) {
        done(Outcome::gone);
        return;
    }
    ask(camera, true, done, [move, done](Camera &asked, const PositionPoller::Position &now) {
        if (move >= asked.settings().moves.size())
            done(Outcome::gone);
        else
            done(asked.play(move, now.pan_tilt) ? Outcome::done : Outcome::not_sent);
    });
}
