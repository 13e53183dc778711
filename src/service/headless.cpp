#include "service/headless.h"

#include "control/position_poller.h"
#include "control/remote_commands.h"
#include "links/serial_ports.h"
#include "monitor/monitor.h"
#include "remote/interfaces.h"
#include "service/restore_cameras.h"
#include "service/settings.h"
#include "tally/switcher_tally.h"

#include <QFileInfo>

namespace {
const char *const config_file = "config.ini";

QString state_word(Cameras::State state)
{
    switch (state) {
    case Cameras::State::Closed: return QStringLiteral("closed");
    case Cameras::State::Reconnecting: return QStringLiteral("reconnecting");
    case Cameras::State::Open: return QStringLiteral("open");
    case Cameras::State::Answering: return QStringLiteral("answering");
    case Cameras::State::NotAnswering: return QStringLiteral("not answering");
    }
    return {};
}

QString source_state(const TallySource &source)
{
    switch (source.state()) {
    case TallySource::State::off: return QStringLiteral("off");
    case TallySource::State::waiting: return QStringLiteral("waiting for the switcher");
    case TallySource::State::connected: return QStringLiteral("connected");
    case TallySource::State::lost: return QStringLiteral("lost: ") + source.error();
    case TallySource::State::failed: return QStringLiteral("failed: ") + source.error();
    }
    return {};
}
} // namespace

Headless::Headless(Print printer, QObject *parent) : QObject(parent), print(std::move(printer))
{
    connect(&cameras, &Cameras::link_made, this, &Headless::tell_links);
    connect(&cameras, &Cameras::state_changed, this, &Headless::tell_states);
    connect(&cameras, &Cameras::stop_unconfirmed, this, [this](int camera) {
        print(cameras.settings(camera).name + QStringLiteral(": a stop was not confirmed"));
    });
    connect(&cameras, &Cameras::failed, this,
            [this](int camera, SendResult, const QString &reason) {
                print(cameras.settings(camera).name + QStringLiteral(": not sent: ") + reason);
            });
}

Headless::~Headless()
{
    // As the window ends: the interfaces first, so that what they drive
    // stops while its links are open; then every link closes, and each
    // carries the stops of whatever it drove.
    interfaces.reset();
    remote.reset();
    switcher_tally.reset();
    watch.reset();
    cameras.close_all();
}

bool Headless::start(const HeadlessChoice &choice, QString *reason)
{
    Settings stored;
    if (QFileInfo::exists(config_file) && !stored.load(config_file)) {
        *reason = QStringLiteral("config.ini is no regular file");
        return false;
    }
    RemoteConfig remote_config = stored.remote;
    if (choice.http_port > 0)
        remote_config.http_port = choice.http_port;
    if (choice.osc_port > 0)
        remote_config.osc_port = choice.osc_port;
    const bool tally_set = stored.tally_source.kind != TallySourceConfig::Kind::none;
    const QStringList pairs = stored.monitor.pairs + choice.monitor_pairs;
    if (remote_config.http_port == 0 && remote_config.osc_port == 0 && !tally_set &&
        pairs.isEmpty()) {
        *reason = QStringLiteral("nothing to serve: config.ini sets no HTTP or OSC port, "
                                 "no tally source and no monitor pair");
        return false;
    }
    if (!start_monitor(pairs, choice.verbose, reason))
        return false;
    // A file from before the name of the port was kept has its position
    // in the system's list.
    const QStringList ports = system_port_names();
    const QString stored_port = ports.value(stored.port);
    for (const QString &notice : restore_cameras(
             cameras, stored, stored.listed_cameras(stored_port), RestoreChoice{choice.open_all}))
        print(notice);
    tell_states();
    if (choice.verbose)
        tell_traffic();
    switcher_tally = std::make_unique<SwitcherTally>(cameras);
    connect(switcher_tally.get(), &SwitcherTally::changed, this, &Headless::tell_tally_source);
    switcher_tally->start(stored.tally_source);
    if (switcher_tally->source().state() == TallySource::State::failed) {
        *reason = QStringLiteral("the tally source: ") + switcher_tally->source().error();
        return false;
    }
    remote = std::make_unique<RemoteCommands>(cameras);
    interfaces = std::make_unique<Interfaces>(*remote);
    connect(interfaces.get(), &Interfaces::followed, &cameras.positions(),
            &PositionPoller::set_followed);
    connect(interfaces.get(), &Interfaces::note, this,
            [this](const QString &text) { print(text); });
    return interfaces->start(remote_config, reason);
}

// The pairs pass their messages on whatever is printed; each message is a
// line only with `verbose`, what the monitor itself says always.
bool Headless::start_monitor(const QStringList &pairs, bool verbose, QString *reason)
{
    if (pairs.isEmpty())
        return true;
    watch = std::make_unique<monitor::Monitor>();
    for (const QString &text : pairs) {
        QString why;
        const std::optional<monitor::PairSpec> setup = monitor::read_pair(text, &why);
        if (!setup || !watch->add(*setup, &why)) {
            *reason = QStringLiteral("monitor pair ") + text + QStringLiteral(": ") + why;
            return false;
        }
    }
    connect(watch.get(), &monitor::Monitor::line, this, [this, verbose](const monitor::Line &line) {
        if (verbose || line.direction == monitor::Event::Direction::note)
            print(monitor::line_text(line));
    });
    connect(watch.get(), &monitor::Monitor::pair_failed, this,
            [this](int index, const QString &why) {
                print(QStringLiteral("Monitor pair %1 stopped: ").arg(index + 1) + why);
            });
    return watch->start(reason);
}

void Headless::end(const std::function<void()> &done)
{
    if (ending) {
        done();
        return;
    }
    ending = true;
    print(QStringLiteral("Ending: every camera stops"));
    interfaces.reset();
    remote.reset();
    if (watch)
        watch->stop();
    cameras.stop_all_then(done);
}

void Headless::tell_links(Link &link)
{
    const Link *which = &link;
    connect(&link, &Link::lost, this, [this, which](const QString &why) {
        print(name_of(*which) + QStringLiteral(": the link was lost: ") + why);
    });
}

QString Headless::name_of(const Link &link) const
{
    QStringList names;
    for (const int index : cameras.cameras_on(link))
        names << cameras.settings(index).name;
    return names.join(QStringLiteral(", "));
}

void Headless::tell_states()
{
    for (int index = 0; index < cameras.count(); ++index) {
        const Camera &camera = cameras.camera(index);
        const Cameras::State state = camera.state();
        const auto told = told_states.constFind(camera.id());
        if (told != told_states.constEnd() && *told == state)
            continue;
        // Every camera starts closed: only a change from that is news.
        if (told == told_states.constEnd() && state == Cameras::State::Closed) {
            told_states.insert(camera.id(), state);
            continue;
        }
        // A link being opened for the first time is no reconnection.
        const bool first_try = state == Cameras::State::Reconnecting &&
                               (told == told_states.constEnd() || *told == Cameras::State::Closed);
        told_states.insert(camera.id(), state);
        print(camera.name() + QStringLiteral(": ") +
              (first_try ? QStringLiteral("connecting") : state_word(state)));
    }
}

void Headless::tell_traffic()
{
    connect(&cameras, &Cameras::sent, this,
            [this](const QString &label, const QString &text, const QByteArray &) {
                print(QStringLiteral("TX ") + label + text);
            });
    connect(&cameras, &Cameras::received, this,
            [this](const LinkChannel *channel, const QList<LoggedReply> &replies) {
                for (const LoggedReply &reply : replies) {
                    print(QStringLiteral("RX ") + cameras.reply_label(channel, reply.bytes) +
                          QString::fromLatin1(reply.bytes.toHex(' ').toUpper()));
                }
            });
}

void Headless::tell_tally_source()
{
    print(QStringLiteral("Tally source: ") + source_state(switcher_tally->source()));
}
