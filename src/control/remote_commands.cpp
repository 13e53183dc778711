#include "control/remote_commands.h"

#include "control/camera_list_model.h"
#include "control/camera_work.h"
#include "control/cameras.h"
#include "control/pad_mapping.h"
#include "control/raw_movement.h"
#include "visca/command_text.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

namespace {

const char *tally_word(visca::Tally tally)
{
    switch (tally) {
    case visca::Tally::program: return "program";
    case visca::Tally::preview: return "preview";
    case visca::Tally::off: break;
    }
    return "off";
}

RemoteCommands::Result failure(RemoteCommands::Failure kind, const QString &error)
{
    return {kind, error};
}

} // namespace

RemoteCommands::RemoteCommands(Cameras &camera_list, QObject *parent)
    : QObject(parent), cameras(camera_list)
{
    auto steady = std::make_shared<QElapsedTimer>();
    steady->start();
    clock = [steady] { return steady->elapsed(); };
    lease_timer.setSingleShot(true);
    lease_timer.setTimerType(Qt::PreciseTimer);
    connect(&lease_timer, &QTimer::timeout, this, &RemoteCommands::check_leases);
    connect(&cameras, &Cameras::switched, this,
            [this](int index) { emit active_changed(index + 1); });
    connect(&cameras, &Cameras::stopped, this, &RemoteCommands::forget_camera);
    // The cameras whose row changed, each once; every camera when the list
    // itself changed.
    CameraListModel &model = cameras.model();
    connect(&model, &CameraListModel::dataChanged, this,
            [this](const QModelIndex &top, const QModelIndex &bottom) {
                for (int row = top.row(); row <= bottom.row(); ++row)
                    emit camera_changed(row + 1);
            });
    connect(&model, &CameraListModel::modelReset, this, [this] {
        for (int index = 0; index < cameras.count(); ++index)
            emit camera_changed(index + 1);
    });
}

RemoteCommands::~RemoteCommands()
{
    // The interface goes: whatever it drives stops.
    for (Lease &lease : leases)
        end(lease);
}

std::optional<int> RemoteCommands::camera_index(int number) const
{
    if (number == 0 && cameras.active() >= 0)
        return cameras.active();
    if (number < 1 || number > cameras.count())
        return std::nullopt;
    return number - 1;
}

RemoteCommands::Result RemoteCommands::camera_at(int number, int *index, bool needs_link) const
{
    const std::optional<int> found = camera_index(number);
    if (!found)
        return failure(Failure::NotFound, QStringLiteral("no camera %1").arg(number));
    *index = *found;
    if (needs_link && !cameras.camera(*found).drive_channel())
        return failure(Failure::NotOpen,
                       QStringLiteral("the link of camera %1 is not open").arg(*found + 1));
    return {};
}

RemoteCommands::Result RemoteCommands::select(int number)
{
    int index = 0;
    Result found = camera_at(number, &index, false);
    if (found.ok())
        cameras.set_active(index);
    return found;
}

RemoteCommands::Result RemoteCommands::drive(int number, const QString &source, const Axes &axes,
                                             int lease_ms)
{
    for (const std::optional<double> &axis : {axes.pan, axes.tilt, axes.zoom, axes.focus}) {
        if (axis && !(*axis >= -1 && *axis <= 1))
            return failure(Failure::BadRequest, QStringLiteral("an axis runs from -1 to 1"));
    }
    if (lease_ms < 1 || lease_ms > longest_lease_ms)
        return failure(Failure::BadRequest,
                       QStringLiteral("lease_ms runs from 1 to %1").arg(longest_lease_ms));
    int index = 0;
    Result found = camera_at(number, &index, true);
    if (!found.ok())
        return found;
    Lease *const held = lease_of(source, cameras.camera(index));
    if (!held)
        return failure(Failure::TooMany,
                       QStringLiteral("%1 drives from outside at once already").arg(most_leases));
    Lease &lease = *held;
    lease.pan = axes.pan.value_or(lease.pan);
    lease.tilt = axes.tilt.value_or(lease.tilt);
    lease.zoom = axes.zoom.value_or(lease.zoom);
    lease.focus = axes.focus.value_or(lease.focus);
    lease.until_ms = clock() + lease_ms;
    // At rest (every axis 0 or inside the stick's dead zone), it holds
    // nothing: its slot is free again.
    if (!apply(lease))
        leases.remove(lease_key(source, cameras.camera(index)));
    schedule();
    return {};
}

QString RemoteCommands::lease_key(const QString &source, const Camera &camera)
{
    return source + QLatin1Char('\n') + QString::number(quintptr(&camera));
}

RemoteCommands::Lease *RemoteCommands::lease_of(const QString &source, Camera &camera)
{
    const QString key = lease_key(source, camera);
    auto found = leases.find(key);
    if (found != leases.end() && found->camera)
        return &*found;
    // Bounded: a lease whose axes all rest holds no slot (drive() lets it
    // go), so a full list is one of drives, and none of them is ended for
    // a newcomer.
    if (found == leases.end() && leases.size() >= most_leases)
        return nullptr;
    Lease &made = leases[key];
    made = Lease();
    made.camera = &camera;
    made.id = next_id++;
    return &made;
}

bool RemoteCommands::apply(Lease &lease)
{
    using Input = HoldOwner::Input;
    Holds &holds = lease.camera->holds();
    const int first = lease.id * 4;
    // Speeds as the game controller's stick gives them; a value inside its
    // dead zone stops that axis.
    const pad_mapping::StickDrive pan_tilt = pad_mapping::pan_tilt(lease.pan, -lease.tilt);
    if (pan_tilt.way.isNull())
        holds.let_go(Input::Remote, first);
    else
        holds.hold(Input::Remote, first,
                   {Axis::PanTilt, pan_tilt.way, QPoint(pan_tilt.pan_speed, pan_tilt.tilt_speed)});
    bool moving = !pan_tilt.way.isNull();
    const std::pair<Axis, double> lenses[] = {{Axis::Zoom, lease.zoom}, {Axis::Focus, lease.focus}};
    for (const auto &[axis, value] : lenses) {
        const int id = first + int(axis);
        const pad_mapping::LensDrive lens = pad_mapping::zoom(value);
        moving = moving || lens.way != 0;
        if (lens.way == 0)
            holds.let_go(Input::Remote, id);
        else
            holds.hold(Input::Remote, id, {axis, {lens.way, 0}, QPoint(lens.speed, 0), true});
    }
    return moving;
}

void RemoteCommands::end(Lease &lease)
{
    if (!lease.camera)
        return;
    for (Axis axis : every_axis)
        lease.camera->holds().let_go(HoldOwner::Input::Remote, lease.id * 4 + int(axis));
}

void RemoteCommands::check_leases()
{
    const qint64 now = clock();
    for (auto drive = raw_drives.begin(); drive != raw_drives.end();) {
        if (drive->until_ms > now && drive->camera) {
            ++drive;
            continue;
        }
        if (drive->camera)
            drive->camera->control().end_raw_movement(drive->axis);
        drive = raw_drives.erase(drive);
    }
    for (auto lease = leases.begin(); lease != leases.end();) {
        if (lease->until_ms > now && lease->camera) {
            ++lease;
            continue;
        }
        end(*lease);
        lease = leases.erase(lease);
    }
    schedule();
}

void RemoteCommands::schedule()
{
    if (leases.isEmpty() && raw_drives.isEmpty()) {
        lease_timer.stop();
        return;
    }
    qint64 soonest = std::numeric_limits<qint64>::max();
    for (const Lease &lease : leases)
        soonest = qMin(soonest, lease.until_ms);
    for (const RawDrive &drive : raw_drives)
        soonest = qMin(soonest, drive.until_ms);
    lease_timer.start(int(qBound<qint64>(0, soonest - clock(), longest_lease_ms)));
}

void RemoteCommands::forget(const QString &source)
{
    const QString prefix = source + QLatin1Char('\n');
    for (auto lease = leases.begin(); lease != leases.end();) {
        if (!lease.key().startsWith(prefix)) {
            ++lease;
            continue;
        }
        end(*lease);
        lease = leases.erase(lease);
    }
    schedule();
}

RemoteCommands::Result RemoteCommands::stop(int number)
{
    int index = 0;
    Result found = camera_at(number, &index, false);
    if (!found.ok())
        return found;
    cameras.stop(index);
    return found;
}

RemoteCommands::Result RemoteCommands::stop_all()
{
    cameras.stop_all();
    return {};
}

void RemoteCommands::forget_camera(const Camera *camera)
{
    for (auto lease = leases.begin(); lease != leases.end();) {
        if (lease->camera.data() == camera)
            lease = leases.erase(lease);
        else
            ++lease;
    }
    raw_drives.erase(
        std::remove_if(raw_drives.begin(), raw_drives.end(),
                       [camera](const RawDrive &drive) { return drive.camera.data() == camera; }),
        raw_drives.end());
    schedule();
}

RemoteCommands::Result RemoteCommands::home(int number)
{
    int index = 0;
    Result found = camera_at(number, &index, true);
    if (found.ok())
        cameras.camera(index).home();
    return found;
}

RemoteCommands::Result RemoteCommands::preset(int number, bool store, int preset)
{
    if (preset < 0 || preset > 254)
        return failure(Failure::BadRequest, QStringLiteral("a preset runs from 0 to 254"));
    int index = 0;
    Result found = camera_at(number, &index, true);
    if (found.ok())
        cameras.camera(index).preset(store, preset);
    return found;
}

RemoteCommands::Result RemoteCommands::go(int number, int position)
{
    int index = 0;
    Result found = camera_at(number, &index, false);
    if (!found.ok())
        return found;
    const QList<KeptPosition> &kept = cameras.settings(index).positions;
    if (position < 1 || position > kept.size())
        return failure(
            Failure::NotFound,
            QStringLiteral("camera %1 keeps no position %2").arg(index + 1).arg(position));
    if (!kept.at(position - 1).values())
        return failure(
            Failure::BadRequest,
            QStringLiteral("position %1 is no position a camera can be sent to").arg(position));
    if (!cameras.camera(index).drive_channel())
        return failure(Failure::NotOpen,
                       QStringLiteral("the link of camera %1 is not open").arg(index + 1));
    cameras.work().go_to(cameras.camera(index), position - 1, false, [](CameraWork::Outcome) {});
    return {};
}

RemoteCommands::Result RemoteCommands::tally(int number, const QString &state)
{
    std::optional<visca::Tally> to;
    for (visca::Tally tally : {visca::Tally::off, visca::Tally::preview, visca::Tally::program}) {
        if (state == QLatin1String(tally_word(tally)))
            to = tally;
    }
    if (!to)
        return failure(Failure::BadRequest,
                       QStringLiteral("a tally is \"program\", \"preview\" or \"off\""));
    int index = 0;
    Result found = camera_at(number, &index, false);
    if (found.ok())
        cameras.set_tally(index, *to);
    return found;
}

void RemoteCommands::command(int number, const QString &hex, int lease_ms,
                             const std::function<void(const Result &, const QStringList &)> &done)
{
    bool whole = false;
    const QByteArray bytes = command_bytes(hex, &whole);
    // As the Manual tab: whole messages, the last ending in FF.
    if (!whole || !ends_message(bytes)) {
        done(failure(Failure::BadRequest,
                     QStringLiteral("hex is no whole VISCA message (each ends in FF)")),
             {});
        return;
    }
    int index = 0;
    const Result found = camera_at(number, &index, false);
    if (found.ok()) {
        // Each message to this camera's own address: a broadcast or another
        // address would reach cameras the request does not name.
        const QList<QByteArray> messages = bytes.split(char(0xFF));
        const int count = int(messages.size()) - 1;
        const char own = char(0x80 | cameras.camera(index).address());
        // One VISCA message each (3 to 16 bytes, its header the only byte
        // from 80h): a long one would be cut by the camera, and what
        // follows the cut read as a message to any address.
        const bool addressed =
            std::all_of(messages.begin(), messages.end() - 1, [own](const QByteArray &m) {
                return m.size() >= 2 && m.size() <= 15 && m.startsWith(own) &&
                       std::all_of(m.begin() + 1, m.end(), [](char c) { return uchar(c) < 0x80; });
            });
        if (count > most_command_messages || !addressed) {
            done(
                failure(
                    Failure::BadRequest,
                    count > most_command_messages
                        ? QStringLiteral("at most %1 messages a request").arg(most_command_messages)
                        : QStringLiteral("every message goes to camera %1's address, %2, "
                                         "3 to 16 bytes, its header the only byte from 80")
                              .arg(index + 1)
                              .arg(spaced_hex(QByteArray(1, own)))),
                {});
            return;
        }
    }
    LinkChannel *channel = found.ok() ? cameras.console_channel(index) : nullptr;
    if (!found.ok() || !channel) {
        done(found.ok() ? failure(Failure::NotOpen, QStringLiteral("the link of camera %1 is "
                                                                   "not open")
                                                        .arg(index + 1))
                        : found,
             {});
        return;
    }
    quint64 message = 0;
    if (channel->send_text(hex, Link::Lane::Console, &message) != SendResult::Sent) {
        done(failure(Failure::NotOpen, QStringLiteral("the link did not take the message")), {});
        return;
    }
    hold_raw(cameras.camera(index), bytes, *channel, lease_ms);
    // The replies to this message only, until its last or the wait ends.
    // The wait is a single shot that lets its state go when it fires: a
    // timer kept in that state would hold it, and itself, for good.
    struct Waiting {
        QStringList replies;
        QMetaObject::Connection answers;
        bool over = false;
    };
    auto waiting = std::make_shared<Waiting>();
    const auto finish = [waiting, done] {
        if (waiting->over)
            return;
        waiting->over = true;
        QObject::disconnect(waiting->answers);
        done({}, waiting->replies);
    };
    waiting->answers = connect(channel, &LinkChannel::answered, this,
                               [waiting, message, finish](quint64 answered, ReplyOutcome outcome,
                                                          const QByteArray &reply) {
                                   if (answered != message)
                                       return;
                                   waiting->replies << spaced_hex(reply);
                                   const bool inquiry_answer =
                                       reply.size() > 1 && (uchar(reply[1]) == 0x50);
                                   if (outcome != ReplyOutcome::Accepted || inquiry_answer)
                                       finish();
                               });
    QTimer::singleShot(reply_wait_ms, this, finish);
}

void RemoteCommands::hold_raw(Camera &camera, const QByteArray &bytes, LinkChannel &channel,
                              int lease_ms)
{
    for (const QByteArray &message : bytes.split(char(0xFF))) {
        const std::optional<std::pair<Axis, bool>> movement = raw_movement(message + '\xff');
        if (!movement)
            continue;
        const Axis axis = movement->first;
        const bool moving = movement->second;
        raw_drives.erase(std::remove_if(raw_drives.begin(), raw_drives.end(),
                                        [&](const RawDrive &drive) {
                                            return drive.camera == &camera && drive.axis == axis;
                                        }),
                         raw_drives.end());
        camera.control().raw_movement(axis, channel, moving);
        if (moving)
            raw_drives.append({&camera, axis, clock() + lease_ms});
    }
    schedule();
}

int RemoteCommands::count() const { return cameras.count(); }

int RemoteCommands::active() const { return cameras.active() + 1; }

RemoteCommands::View RemoteCommands::view(int index) const
{
    const CameraListModel &model = cameras.model();
    const auto value = [&](int column, int role = Qt::DisplayRole) {
        return model.data(model.index(index, column), role);
    };
    using List = CameraListModel;
    View shown{
        index + 1,
        value(List::NameColumn, List::IdRole).toInt(),
        value(List::NameColumn).toString(),
        value(List::LinkColumn).toString(),
        value(List::AddressColumn).toInt(),
        value(List::StateColumn).toString(),
        QLatin1String(tally_word(visca::Tally(value(List::NameColumn, List::TallyRole).toInt()))),
        value(List::NameColumn, List::TallyFromSwitcherRole).toBool() ? QStringLiteral("switcher")
                                                                      : QStringLiteral("manual"),
        std::nullopt,
        value(List::NameColumn, List::KeptNamesRole).toStringList()};
    const QVariantList at = value(List::NameColumn, List::PositionRole).toList();
    if (at.size() == 4)
        shown.position =
            std::array<int, 4>{at[0].toInt(), at[1].toInt(), at[2].toInt(), at[3].toInt()};
    return shown;
}
