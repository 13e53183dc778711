#include "control/cameras.h"

#include "control/reply_tracker.h"

struct Cameras::Camera {
    // The links are the list's children: they show in the window's tree.
    Camera(const CameraSettings &chosen, QObject *list) : settings(chosen), tcp(list), udp(list) {}
    CameraSettings settings;
    TcpLink tcp;
    UdpLink udp;
    bool answered = false;
    // When the oldest message still unanswered went out; -1 for none.
    qint64 waiting_since_ms = -1;
    QDateTime waiting_since;
};

Cameras::Cameras(QObject *parent) : QObject(parent) { clock.start(); }

CameraSettings &Cameras::settings(int camera) { return cameras.at(camera)->settings; }

const CameraSettings &Cameras::settings(int camera) const { return cameras.at(camera)->settings; }

TcpLink &Cameras::tcp(int camera) { return cameras.at(camera)->tcp; }

UdpLink &Cameras::udp(int camera) { return cameras.at(camera)->udp; }

Cameras::~Cameras() { close_all(); }

void Cameras::close_all()
{
    // Links close while the list is whole: their `closing` still finds the
    // cameras they served.
    for (auto &camera : cameras) {
        camera->tcp.close();
        camera->udp.close();
    }
    for (auto &line : lines)
        line.second->close();
}

int Cameras::add(const CameraSettings &chosen)
{
    if (full())
        return -1;
    cameras.push_back(std::make_unique<Camera>(chosen, this));
    Camera &camera = *cameras.back();
    made(camera.tcp);
    made(camera.udp);
    if (active_index < 0) {
        active_index = 0;
        emit switched(active_index);
    }
    emit listed();
    return count() - 1;
}

void Cameras::remove(int camera)
{
    if (count() < 2 || camera < 0 || camera >= count())
        return;
    if (camera == active_index)
        set_active(camera == 0 ? 1 : camera - 1);
    Camera &leaving = *cameras.at(camera);
    leaving.tcp.close();
    leaving.udp.close();
    const QString port = leaving.settings.port_name;
    cameras.erase(cameras.begin() + camera);
    // A line that no listed camera uses any more is closed with it.
    const bool line_used = std::any_of(cameras.begin(), cameras.end(), [&port](const auto &other) {
        return other->settings.port_name == port;
    });
    const auto line = lines.find(port);
    if (!line_used && line != lines.end())
        line->second->close();
    if (active_index > camera) {
        // The same camera stays active under its new place.
        --active_index;
        emit switched(active_index);
    }
    emit listed();
}

void Cameras::set_active(int camera)
{
    if (camera == active_index || camera < 0 || camera >= count())
        return;
    emit switching();
    active_index = camera;
    emit switched(active_index);
}

void Cameras::set_link(int camera, CameraSettings::LinkKind kind)
{
    if (settings(camera).link() == kind)
        return;
    settings(camera).set_link(kind);
    emit changed_elsewhere(camera);
    emit listed();
}

void Cameras::rename(int camera, const QString &name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty() || settings(camera).name == trimmed)
        return;
    settings(camera).name = trimmed;
    emit listed();
}

QString Cameras::free_name(const QString &pattern) const
{
    for (int number = 1;; ++number) {
        QString name = pattern.arg(number);
        const bool taken = std::any_of(cameras.begin(), cameras.end(), [&](const auto &camera) {
            return camera->settings.name == name;
        });
        if (!taken)
            return name;
    }
}

int Cameras::same_camera(const CameraSettings &chosen, int except) const
{
    for (int camera = 0; camera < count(); ++camera) {
        if (camera != except && settings(camera).same_camera(chosen))
            return camera;
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

SerialLink &Cameras::serial_line(const QString &port)
{
    std::unique_ptr<SerialLink> &line = lines[port];
    if (!line) {
        line = std::make_unique<SerialLink>(this);
        made(*line);
    }
    return *line;
}

void Cameras::made(Link &link)
{
    ReplyTracker &tracker = ReplyTracker::of(link);
    connect(&tracker, &ReplyTracker::heard, this,
            [this, &link](int address) { heard(&link, address); });
    connect(&link, &Link::opened, this, [this, &link] { link_opened(&link); });
    connect(&link, &Link::closing, this, &Cameras::state_changed);
    connect(&link, &Link::lost, this, &Cameras::state_changed);
    emit link_made(link);
}

Link *Cameras::drive_link(int camera)
{
    const CameraSettings &chosen = settings(camera);
    Link *link = nullptr;
    switch (chosen.link()) {
    case CameraSettings::LinkKind::Serial: link = &serial_line(chosen.port_name); break;
    case CameraSettings::LinkKind::Tcp: link = &tcp(camera); break;
    case CameraSettings::LinkKind::Udp:
    case CameraSettings::LinkKind::ViscaOverIp: link = &udp(camera); break;
    }
    return link->isOpen() ? link : nullptr;
}

Link *Cameras::console_link(int camera)
{
    const CameraSettings &chosen = settings(camera);
    Link *link = chosen.console_serial ? static_cast<Link *>(&serial_line(chosen.port_name))
                 : chosen.tcp          ? static_cast<Link *>(&tcp(camera))
                                       : static_cast<Link *>(&udp(camera));
    return link->isOpen() ? link : nullptr;
}

bool Cameras::on_link(int camera, const Link *link) const
{
    const Camera &candidate = *cameras.at(camera);
    if (link == &candidate.tcp || link == &candidate.udp)
        return true;
    const auto line = lines.find(candidate.settings.port_name);
    return line != lines.end() && line->second.get() == link;
}

Cameras::State Cameras::state(int camera) const
{
    const Camera &shown = *cameras.at(camera);
    const auto line = lines.find(shown.settings.port_name);
    const Link *link = shown.settings.serial_mode
                           ? (line == lines.end() ? nullptr : line->second.get())
                       : shown.settings.tcp ? static_cast<const Link *>(&shown.tcp)
                                            : static_cast<const Link *>(&shown.udp);
    if (!link || !link->isOpen())
        return State::Closed;
    if (shown.waiting_since_ms >= 0 && clock.elapsed() - shown.waiting_since_ms > answer_limit_ms)
        return State::NotAnswering;
    return shown.answered ? State::Answering : State::Open;
}

QDateTime Cameras::silent_since(int camera) const { return cameras.at(camera)->waiting_since; }

QString Cameras::label(const Link *link, int address) const
{
    if (count() < 2)
        return QString();
    for (int camera = 0; camera < count(); ++camera) {
        if (settings(camera).visca_address == address && on_link(camera, link))
            return '[' + settings(camera).name + "] ";
    }
    return QString();
}

QString Cameras::active_label() const
{
    return count() < 2 ? QString() : '[' + settings(active_index).name + "] ";
}

void Cameras::note_written(const Link &link, const QByteArray &bytes)
{
    int start = 0;
    while (start < bytes.size()) {
        const int end = bytes.indexOf(char(0xFF), start);
        const auto header = static_cast<quint8>(bytes.at(start));
        const int address = header - 0x80;
        // Broadcasts (88) and replies ask no camera of the list.
        if (address >= CameraSettings::first_address && address <= CameraSettings::last_address) {
            for (auto &camera : cameras) {
                if (camera->settings.visca_address == address &&
                    on_link(static_cast<int>(&camera - cameras.data()), &link) &&
                    camera->waiting_since_ms < 0) {
                    camera->waiting_since_ms = clock.elapsed();
                    camera->waiting_since = QDateTime::currentDateTime();
                }
            }
        }
        if (end < 0)
            break;
        start = end + 1;
    }
}

void Cameras::heard(const Link *link, int address)
{
    for (int camera = 0; camera < count(); ++camera) {
        Camera &speaker = *cameras.at(camera);
        if (speaker.settings.visca_address != address || !on_link(camera, link))
            continue;
        const bool news = !speaker.answered || speaker.waiting_since_ms >= 0;
        speaker.answered = true;
        speaker.waiting_since_ms = -1;
        if (news)
            emit state_changed();
    }
}

void Cameras::link_opened(const Link *link)
{
    for (int camera = 0; camera < count(); ++camera) {
        if (!on_link(camera, link))
            continue;
        cameras.at(camera)->answered = false;
        cameras.at(camera)->waiting_since_ms = -1;
    }
    emit state_changed();
}
