#include "control/cameras.h"

#include <QElapsedTimer>

#include "control/active_holds.h"
#include "control/camera_list_model.h"
#include "control/camera_work.h"
#include "control/liveness.h"
#include "control/position_poller.h"
#include "links/address_check.h"
#include "visca/port_text.h"
#include "visca/replies.h"
#include "visca/visca_over_ip.h"

#include <QElapsedTimer>
#include <algorithm>

Cameras::Cameras(QObject *parent)
    : QObject(parent), lines(this), active_holds(std::make_unique<ActiveHolds>(*this)),
      liveness(std::make_unique<Liveness>(*this, this)),
      poller(std::make_unique<PositionPoller>(
          *this, [this](const LinkChannel *channel) { return link_busy && link_busy(channel); })),
      camera_work(std::make_unique<CameraWork>(*this, *poller)),
      list_model(std::make_unique<CameraListModel>(*this, *poller))
{
    connect(&lines, &SerialLines::made, this, &Cameras::made);
    connect(&lines, &SerialLines::reconnecting, this, &Cameras::state_changed);
    tally_clock.setInterval(500);
    tally_clock.callOnTimeout(this, [this] {
        for (auto &camera : cameras)
            camera->send_tally();
    });
    tally_clock.start();
}

Cameras::~Cameras()
{
    close_all();
    // The holds and questions go before the cameras they serve.
    active_holds.reset();
    liveness.reset();
    list_model.reset();
    camera_work.reset();
    poller.reset();
    cameras.clear();
}

HoldOwner &Cameras::drives() { return *active_holds; }

void Cameras::set_link_busy(std::function<bool(const LinkChannel *)> busy)
{
    link_busy = busy;
    liveness->set_busy(std::move(busy));
}

void Cameras::stop_all()
{
    for (int index = 0; index < count(); ++index) {
        Camera &stopped_camera = camera(index);
        stopped_camera.end(Camera::Ending::StopAll);
        emit stopped(&stopped_camera);
    }
}

void Cameras::stop(int index)
{
    Camera &stopped_camera = camera(index);
    stopped_camera.end(Camera::Ending::Stop);
    emit stopped(&stopped_camera);
}

void Cameras::stop_all_then(const std::function<void()> &done, int limit_ms)
{
    stop_all();
    QElapsedTimer since;
    since.start();
    const auto confirmed = [this] {
        return std::none_of(cameras.begin(), cameras.end(),
                            [](const auto &camera) { return camera->control().confirming(); });
    };
    ending_check.disconnect();
    ending_check.setInterval(20);
    connect(&ending_check, &QTimer::timeout, this, [this, confirmed, since, limit_ms, done] {
        if (!confirmed() && !since.hasExpired(limit_ms))
            return;
        ending_check.stop();
        done();
    });
    ending_check.start();
}

void Cameras::close_all()
{
    // Links close while the list is whole: their `closing` still finds the
    // cameras they served.
    for (auto &camera : cameras) {
        camera->tcp().close();
        camera->udp().close();
    }
    lines.close_all();
}

int Cameras::add(const CameraSettings &chosen)
{
    if (full())
        return -1;
    CameraSettings numbered = chosen;
    if (numbered.id <= 0 || index_of_id(numbered.id) >= 0)
        numbered.id = last_id + 1;
    last_id = std::max(last_id, numbered.id);
    cameras.push_back(std::make_unique<Camera>(numbered, lines, this));
    Camera &camera = *cameras.back();
    connect_camera(camera);
    made(camera.tcp_channel());
    made(camera.udp_channel());
    if (active_index < 0) {
        active_index = 0;
        emit switched(active_index);
    }
    emit listed();
    return count() - 1;
}

void Cameras::connect_camera(Camera &camera)
{
    active_holds->relay(camera);
    connect(&camera, &Camera::state_changed, this, &Cameras::state_changed);
    const Camera *which = &camera;
    connect(&camera.control(), &CameraControl::failed, this,
            [this, which](SendResult result, const QString &reason) {
                emit failed(index_of(*which), result, reason);
            });
    connect(&camera.control(), &CameraControl::stop_unconfirmed, this,
            [this, which] { emit stop_unconfirmed(index_of(*which)); });
    connect(&camera, &Camera::moves_changed, this,
            [this, which] { emit moves_changed(index_of(*which)); });
}

void Cameras::made(LinkChannel &channel)
{
    // Every camera the channel reaches learns what it says, whatever camera
    // the channel was made for (a serial line serves several).
    const LinkChannel *heard_on = &channel;
    const auto each_reached = [this, heard_on](auto action) {
        for (auto &camera : cameras) {
            if (camera->reached_by(heard_on))
                action(*camera);
        }
    };
    connect(&channel, &LinkChannel::asked, this, [each_reached](const QList<int> &addresses) {
        each_reached([&addresses](Camera &camera) {
            if (addresses.contains(camera.address()))
                camera.asked();
        });
    });
    connect(&channel, &LinkChannel::heard, this, [each_reached, &channel](int address) {
        each_reached([address, &channel](Camera &camera) {
            if (camera.address() == address)
                camera.replied(channel);
        });
    });
    Link &link = channel.link();
    connect(&link, &Link::opened, this, [this, each_reached, &channel] {
        each_reached([&channel](Camera &camera) { camera.link_opened(channel); });
        // Asked at once whether they answer, after their owed stops.
        each_reached([this, &channel](Camera &camera) {
            if (camera.drive_channel() == &channel)
                liveness->ask_now(camera);
        });
        emit state_changed();
    });
    // Every camera that drove on the link: a camera switch since then may
    // have left a drive on another camera than the active one.
    const auto going = [this, &link](bool lost) {
        for (auto &camera : cameras)
            camera->link_going(link, lost);
        emit state_changed();
    };
    connect(&link, &Link::closing, this, [going] { going(false); });
    connect(&link, &Link::lost, this, [going] { going(true); });
    connect(&channel, &LinkChannel::announced, this,
            [this, heard_on](const QByteArray &bytes, const QString &text) {
                const QList<int> addresses = visca::addressees(bytes);
                emit sent(addresses.isEmpty() ? QString() : label(heard_on, addresses.first()),
                          text, bytes);
            });
    connect(
        &channel, &LinkChannel::to_log, this,
        [this, heard_on](const QList<LoggedReply> &replies) { emit received(heard_on, replies); });
    emit link_made(link);
}

void Cameras::remove(int index)
{
    if (count() < 2 || index < 0 || index >= count())
        return;
    if (index == active_index)
        set_active(index == 0 ? 1 : index - 1);
    Camera &leaving = camera(index);
    // A camera taken off the list leaves no lamp lit on the stage.
    if (leaving.tally() != visca::Tally::off)
        leaving.set_tally(visca::Tally::off);
    leaving.tcp().close();
    leaving.udp().close();
    const QString port = leaving.settings().port_name;
    cameras.erase(cameras.begin() + index);
    // A line that no listed camera uses any more is closed with it.
    if (!line_used(port))
        lines.close(port);
    if (active_index > index) {
        // The same camera stays active under its new place.
        --active_index;
        emit switched(active_index);
    }
    emit listed();
}

void Cameras::move(int from, int to)
{
    if (from == to || from < 0 || to < 0 || from >= count() || to >= count())
        return;
    const Camera *active = &active_camera();
    auto moving = std::move(cameras[size_t(from)]);
    cameras.erase(cameras.begin() + from);
    cameras.insert(cameras.begin() + to, std::move(moving));
    const int now_active = index_of(*active);
    const bool moved = now_active != active_index;
    active_index = now_active;
    emit listed();
    if (moved)
        emit switched(active_index);
}

bool Cameras::open(int index, Opener by)
{
    Camera &opening = camera(index);
    const Reconnect *again = opening.reconnect();
    if (opening.state() != State::Closed || (again && again->trying()))
        return true;
    return opening.settings().serial_mode ? open_serial(index, by) : open_network(index, by);
}

bool Cameras::open_serial(int index, Opener by, QString *reason)
{
    const CameraSettings opener = settings(index);
    if (opener.port_name.isEmpty())
        return false;
    // The settings' choices are the serial panel's, in its order.
    const SerialSettings line = serial_settings(opener.port_name, QString::number(opener.baud_rate),
                                                QString::number(opener.data_bits),
                                                int(opener.parity), int(opener.stop_bits));
    SerialLink &link = serial_line(opener.port_name);
    if (!link.open(line)) {
        if (reason)
            *reason = link.errorText();
        if (by == Opener::Operator)
            return false;
        Reconnect &line_again = *lines.reconnect(opener.port_name);
        line_again.begin();
        line_again.failed();
        return true;
    }
    // The other cameras of the line show the settings it runs with.
    for (auto &camera : cameras) {
        CameraSettings &chained = camera->settings();
        if (chained.port_name == opener.port_name) {
            chained.baud_rate = opener.baud_rate;
            chained.data_bits = opener.data_bits;
            chained.parity = opener.parity;
            chained.stop_bits = opener.stop_bits;
        }
    }
    return true;
}

bool Cameras::open_network(int index, Opener by)
{
    Camera &opening = camera(index);
    CameraSettings &chosen = opening.settings();
    QHostAddress address;
    quint16 port = 0;
    if (!parse_camera_address(chosen.address, &address) || !parse_port(chosen.port, &port))
        return false;
    if (chosen.tcp) {
        opening.tcp().open(address, port, TcpLink::connect_limit_ms);
        if (by == Opener::Start)
            opening.tcp_reconnect().begin();
        return true;
    }
    // UDP to VISCA over IP's own port has always meant it; elsewhere the
    // camera's link kind says.
    if (!chosen.over_ip && visca_over_ip::numbered_by_default(port)) {
        chosen.over_ip = true;
        emit listed();
    }
    opening.udp().open(address, port, chosen.over_ip);
    return true;
}

void Cameras::set_tally(int index, visca::Tally state)
{
    if (index < 0 || index >= count())
        return;
    if (state != visca::Tally::off) {
        for (int other = 0; other < count(); ++other) {
            if (other != index && camera(other).tally() == state)
                camera(other).set_tally(visca::Tally::off);
        }
    }
    camera(index).set_tally(state);
    emit listed();
}

void Cameras::set_switcher_tally(int index, visca::Tally state)
{
    if (index < 0 || index >= count())
        return;
    camera(index).set_tally(state, Camera::TallyOrigin::switcher);
    emit listed();
}

void Cameras::set_active(int index)
{
    if (index == active_index || index < 0 || index >= count())
        return;
    if (active_index >= 0)
        active_camera().end(Camera::Ending::Switch);
    active_index = index;
    emit switched(active_index);
}

void Cameras::ptz_left()
{
    if (active_index >= 0)
        active_camera().end(Camera::Ending::HandsLost);
}

void Cameras::rename(int index, const QString &name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty() || settings(index).name == trimmed)
        return;
    settings(index).name = trimmed;
    emit listed();
}

void Cameras::set_serial_mode(int index, bool serial)
{
    Camera &changing = camera(index);
    Reconnect *left = changing.reconnect();
    changing.set_serial_mode(serial);
    if (!left || left == changing.reconnect())
        return;
    if (serial || !line_used(changing.settings().port_name))
        left->end();
}

bool Cameras::line_used(const QString &port) const
{
    return std::any_of(cameras.begin(), cameras.end(), [&port](const auto &other) {
        return other->settings().serial_mode && other->settings().port_name == port;
    });
}

void Cameras::set_link(int index, CameraSettings::LinkKind kind)
{
    if (settings(index).link() == kind)
        return;
    set_serial_mode(index, kind == CameraSettings::LinkKind::Serial);
    settings(index).set_link(kind);
    emit changed_elsewhere(index);
    emit listed();
}

int Cameras::same_camera(const CameraSettings &chosen, int except) const
{
    for (int index = 0; index < count(); ++index) {
        if (index != except && settings(index).same_camera(chosen))
            return index;
    }
    return -1;
}

int Cameras::free_address(CameraSettings chosen, int except) const
{
    for (int address = CameraSettings::first_address; address <= CameraSettings::last_address;
         ++address) {
        chosen.visca_address = address;
        if (same_camera(chosen, except) < 0)
            return address;
    }
    return 0;
}

QString Cameras::free_name(const QString &pattern) const
{
    const auto free = [&](const QString &name) {
        return std::none_of(cameras.begin(), cameras.end(),
                            [&](const auto &camera) { return camera->name() == name; });
    };
    // Named after its place, so that Ctrl+N and the name agree; where a
    // camera renamed so has that name, the first number free.
    if (QString placed = pattern.arg(count() + 1); free(placed))
        return placed;
    for (int number = 1;; ++number) {
        if (free(pattern.arg(number)))
            return pattern.arg(number);
    }
}

int Cameras::index_of(const Camera &camera) const
{
    for (int index = 0; index < count(); ++index) {
        if (cameras.at(size_t(index)).get() == &camera)
            return index;
    }
    return -1;
}

int Cameras::index_of_id(int id) const
{
    const auto found = std::find_if(cameras.begin(), cameras.end(),
                                    [id](const auto &camera) { return camera->id() == id; });
    return found == cameras.end() ? -1 : int(found - cameras.begin());
}

QList<int> Cameras::cameras_on(const Link &link) const
{
    QList<int> found;
    for (int index = 0; index < count(); ++index) {
        Camera &listed = *cameras.at(size_t(index));
        // A serial line carries only the cameras driven on it.
        const LinkChannel *line =
            listed.settings().serial_mode ? lines.find(listed.settings().port_name) : nullptr;
        if (&listed.tcp() == &link || &listed.udp() == &link || (line && &line->link() == &link))
            found << index;
    }
    return found;
}

Reconnect *Cameras::reconnect_of(const Link &link) const
{
    for (const auto &camera : cameras) {
        if (&camera->tcp() == &link)
            return &camera->tcp_reconnect();
    }
    const auto *line = qobject_cast<const SerialLink *>(&link);
    return line ? lines.reconnect_of(*line) : nullptr;
}

SerialLink &Cameras::serial_line(const QString &port)
{
    return static_cast<SerialLink &>(lines.line(port).link());
}

QString Cameras::label(const LinkChannel *channel, int address) const
{
    if (count() < 2)
        return QString();
    for (const auto &camera : cameras) {
        if (camera->address() == address && camera->reached_by(channel))
            return '[' + camera->name() + "] ";
    }
    return QString();
}

bool Cameras::driving_on(const Link &link) const
{
    for (const auto &camera : cameras) {
        if (camera->control().drives_on(&link))
            return true;
    }
    return false;
}

QString Cameras::reply_label(const LinkChannel *channel, const QByteArray &reply) const
{
    const std::optional<int> address = visca::sender_of(reply);
    return address ? label(channel, *address) : QString();
}
