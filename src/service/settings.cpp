#include "service/settings.h"

#include "visca/visca_over_ip.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QTemporaryDir>
#include <algorithm>

namespace {
// config.ini keeps each list's choice as the position of the form's item:
// the items' values, in the form's order.
const QList<int> baud_rates = {1200, 2400, 4800, 9600, 11520, 28800, 38400, 57600, 115200};
const QList<int> data_bits = {5, 6, 7, 8};
const QList<int> parities = {0, 1, 2};
const QList<int> stop_bits = {0, 1, 2};
const QList<int> zoom_speeds = {0, 1, 2, 3, 4, 5, 6, 7};

QList<int> numbers_from_one(int last)
{
    QList<int> numbers;
    for (int number = 1; number <= last; ++number)
        numbers << number;
    return numbers;
}
const QList<int> pan_speeds = numbers_from_one(24);
const QList<int> tilt_speeds = numbers_from_one(20);

// The value at a stored position; one outside the list keeps `value`'s
// default (an empty speed box would send speed FF).
void take(int &value, const QList<int> &items, int position)
{
    if (position >= 0 && position < items.size())
        value = items.at(position);
}

// The position of `value`'s item, or of the default's where the list has
// no such item.
int position_of(int value, const QList<int> &items, int fallback)
{
    const int position = items.indexOf(value);
    return position >= 0 ? position : items.indexOf(fallback);
}

// Stored indexes count only by their low eight bits, read as a signed value.
int stored_index(const QSettings &settings, const char *key)
{
    return static_cast<qint8>(settings.value(key).toInt());
}

// Every list of a camera from its stored positions; `index` reads one.
template <class Read> void take_lists(CameraSettings &camera, Read index)
{
    int parity = int(camera.parity);
    int stops = int(camera.stop_bits);
    take(camera.baud_rate, baud_rates, index("BaudRate"));
    take(camera.data_bits, data_bits, index("DataBits"));
    take(parity, parities, index("Parity"));
    take(stops, stop_bits, index("StopBits"));
    take(camera.pan_speed, pan_speeds, index("PanSpeed"));
    take(camera.tilt_speed, tilt_speeds, index("TiltSpeed"));
    take(camera.zoom_speed, zoom_speeds, index("ZoomSpeed"));
    take(camera.focus_speed, zoom_speeds, index("FocusSpeed"));
    camera.parity = CameraSettings::Parity(parity);
    camera.stop_bits = CameraSettings::StopBits(stops);
}

// The stored position of each list's value, under `key`'s own name.
template <class Write> void write_lists(const CameraSettings &camera, Write put)
{
    const CameraSettings defaults;
    put("BaudRate", position_of(camera.baud_rate, baud_rates, defaults.baud_rate));
    put("DataBits", position_of(camera.data_bits, data_bits, defaults.data_bits));
    put("Parity", int(camera.parity));
    put("StopBits", int(camera.stop_bits));
    put("PanSpeed", position_of(camera.pan_speed, pan_speeds, defaults.pan_speed));
    put("TiltSpeed", position_of(camera.tilt_speed, tilt_speeds, defaults.tilt_speed));
    put("ZoomSpeed", position_of(camera.zoom_speed, zoom_speeds, defaults.zoom_speed));
    put("FocusSpeed", position_of(camera.focus_speed, zoom_speeds, defaults.focus_speed));
}

// A stored address outside the chain's 1-7 reads as 0, to be mended where
// the operator is told; a missing one is the first camera's of old, 1.
int stored_address(const QSettings &settings, const QString &key)
{
    if (!settings.contains(key))
        return CameraSettings::first_address;
    bool ok = false;
    const int address = settings.value(key).toInt(&ok);
    return ok && address >= CameraSettings::first_address && address <= CameraSettings::last_address
               ? address
               : 0;
}

// How the camera is driven: inverted axes, speed that follows the zoom,
// the Go speed (a value out of range keeps the default).
void read_options(const QSettings &settings, const QString &group, CameraSettings &camera)
{
    camera.id = std::max(0, settings.value(group + "Id").toInt());
    camera.invert_pan = settings.value(group + "InvertPan").toBool();
    camera.invert_tilt = settings.value(group + "InvertTilt").toBool();
    camera.zoom_scaled_speed = settings.value(group + "ZoomScaledSpeed").toBool();
    bool ok = false;
    const int go_speed = settings.value(group + "GoSpeed").toInt(&ok);
    if (ok && go_speed >= 0 && go_speed <= 0x18)
        camera.go_speed = go_speed;
    const int tally_index = settings.value(group + "TallyIndex").toInt(&ok);
    if (ok && tally_index >= 0 && tally_index < 0xFFFF)
        camera.tally_index = tally_index;
    // Scene names as the switcher has them; bounded, whatever the file holds.
    const QStringList scenes = settings.value(group + "TallyScenes").toString().split('|');
    for (const QString &scene : scenes) {
        if (camera.tally_scenes.size() < CameraSettings::most_tally_scenes && !scene.isEmpty())
            camera.tally_scenes << scene.left(CameraSettings::longest_scene_name);
    }
}

void write_options(QSettings &settings, const QString &group, const CameraSettings &camera)
{
    settings.setValue(group + "Id", QString::number(camera.id, 10));
    settings.setValue(group + "InvertPan", camera.invert_pan);
    settings.setValue(group + "InvertTilt", camera.invert_tilt);
    settings.setValue(group + "ZoomScaledSpeed", camera.zoom_scaled_speed);
    settings.setValue(group + "GoSpeed", QString::number(camera.go_speed, 10));
    // Only where set: a file without a tally source stays as it was.
    if (camera.tally_index >= 0)
        settings.setValue(group + "TallyIndex", QString::number(camera.tally_index, 10));
    else
        settings.remove(group + "TallyIndex");
    if (!camera.tally_scenes.isEmpty())
        settings.setValue(group + "TallyScenes", camera.tally_scenes.join('|'));
    else
        settings.remove(group + "TallyScenes");
}

// A further camera's group. A key that is missing or unreadable keeps the
// default, never a value of another camera; list positions are checked
// against the lists where the form shows them.
CameraSettings further_camera(QSettings &settings, int number)
{
    CameraSettings camera;
    settings.beginGroup(QStringLiteral("CAMERA_%1").arg(number));
    camera.name = settings.value("Name").toString().trimmed();
    const QString link = settings.value("Link").toString();
    camera.visca_address = stored_address(settings, "ViscaAddress");
    camera.port_name = settings.value("PortName").toString();
    take_lists(camera, [&settings](const char *key) {
        bool ok = false;
        const int value = settings.value(key).toInt(&ok);
        return ok ? value : -1;
    });
    if (settings.contains("Address"))
        camera.address = settings.value("Address").toString();
    if (settings.contains("Port"))
        camera.port = settings.value("Port").toString();
    camera.was_open = settings.value("Open").toBool();
    camera.tally_dialect = tally_dialect(settings.value("Tally").toString());
    read_options(settings, QString(), camera);
    camera.read_link(link);
    // A network camera carries no serial port, whatever the file says.
    if (camera.link() != CameraSettings::LinkKind::Serial)
        camera.port_name.clear();
    settings.endGroup();
    return camera;
}

void write_further_camera(QSettings &settings, int number, const CameraSettings &camera)
{
    settings.beginGroup(QStringLiteral("CAMERA_%1").arg(number));
    settings.setValue("Name", camera.name);
    settings.setValue("Link", link_text(camera.link()));
    settings.setValue("ViscaAddress", QString::number(camera.visca_address, 10));
    settings.setValue("PortName", camera.link() == CameraSettings::LinkKind::Serial
                                      ? camera.port_name
                                      : QString());
    settings.setValue("Address", camera.address);
    settings.setValue("Port", camera.port);
    settings.setValue("Open", camera.was_open);
    settings.setValue("Tally", tally_dialect_text(camera.tally_dialect));
    write_options(settings, QString(), camera);
    write_lists(camera, [&settings](const char *key, int position) {
        settings.setValue(key, QString::number(position, 10));
    });
    settings.endGroup();
}

// A camera's list of kept positions, or of recorded moves (each a start
// position and its drives, "Drives"), and how many reading takes.
struct ListGroup {
    const char *suffix;
    int most;
    QString of(int number) const
    {
        return QStringLiteral("CAMERA_%1_%2").arg(number).arg(QLatin1String(suffix));
    }
};
const ListGroup positions_group{"POSITIONS", Settings::most_positions};
const ListGroup moves_group{"MOVES", CameraSettings::most_moves};

const QStringList position_keys = {"Name", "Pan", "Tilt", "Zoom", "Focus"};
const QString drives_key = QStringLiteral("Drives");

// The numbers of the entries of the array group open in `settings`, in
// their order, at most `most` of them. The file's own "size" is a claim
// that nothing is allocated by: the entries are the ones that are there
// (an entry past a wrong size, or under a negative one, is a position
// too).
QList<int> array_entries(QSettings &settings, int most, bool *more)
{
    QList<int> numbers;
    const QStringList groups = settings.childGroups();
    for (const QString &group : groups) {
        bool ok = false;
        const int number = group.toInt(&ok, 10);
        if (ok && number >= 1 && QString::number(number) == group)
            numbers << number;
    }
    std::sort(numbers.begin(), numbers.end());
    const int claimed = settings.value("size").toInt();
    *more = numbers.size() > most || claimed > most;
    return numbers.mid(0, most);
}

QList<KeptPosition> read_positions(QSettings &settings, int number, bool *cut,
                                   const ListGroup &list = positions_group)
{
    QList<KeptPosition> positions;
    settings.beginGroup(list.of(number));
    bool more = false;
    const QList<int> entries = array_entries(settings, list.most, &more);
    for (const int entry : entries) {
        settings.beginGroup(QString::number(entry));
        KeptPosition position;
        position.name = settings.value("Name").toString();
        position.pan = settings.value("Pan").toString();
        position.tilt = settings.value("Tilt").toString();
        position.zoom = settings.value("Zoom").toString();
        position.focus = settings.value("Focus").toString();
        const QStringList keys = settings.childKeys();
        for (const QString &key : keys) {
            if (!position_keys.contains(key))
                position.other.insert(key, settings.value(key));
        }
        positions << position;
        settings.endGroup();
    }
    settings.endGroup();
    *cut = *cut || more;
    return positions;
}

QList<RecordedMove> read_moves(QSettings &settings, int number, bool *cut)
{
    QList<RecordedMove> moves;
    const QList<KeptPosition> rows = read_positions(settings, number, cut, moves_group);
    for (KeptPosition start : rows) {
        const QString drives = start.other.take(drives_key).toString();
        moves << RecordedMove{start, drives};
    }
    return moves;
}

// Takes the entries that reading takes (and the size) out of a camera's
// list group: what reading passed over stays.
void remove_read_list(QSettings &settings, int number, const ListGroup &list)
{
    settings.beginGroup(list.of(number));
    bool more = false;
    const QList<int> entries = array_entries(settings, list.most, &more);
    for (const int entry : entries)
        settings.remove(QString::number(entry));
    settings.remove("size");
    settings.endGroup();
}

void remove_read_positions(QSettings &settings, int number)
{
    remove_read_list(settings, number, positions_group);
    remove_read_list(settings, number, moves_group);
}

void write_positions(QSettings &settings, const QString &group,
                     const QList<KeptPosition> &positions)
{
    if (positions.isEmpty())
        return;
    settings.beginWriteArray(group, positions.size());
    for (int i = 0; i < positions.size(); ++i) {
        const KeptPosition &position = positions.at(i);
        settings.setArrayIndex(i);
        settings.setValue("Name", position.name);
        settings.setValue("Pan", position.pan);
        settings.setValue("Tilt", position.tilt);
        settings.setValue("Zoom", position.zoom);
        settings.setValue("Focus", position.focus);
        for (auto other = position.other.begin(); other != position.other.end(); ++other)
            settings.setValue(other.key(), other.value());
    }
    settings.endArray();
}

// A camera's kept positions and recorded moves.
void write_kept(QSettings &settings, int number, const CameraSettings &camera)
{
    write_positions(settings, positions_group.of(number), camera.positions);
    QList<KeptPosition> moves;
    for (const RecordedMove &move : camera.moves) {
        moves << move.start;
        moves.last().other.insert(drives_key, move.drives);
    }
    write_positions(settings, moves_group.of(number), moves);
}

// The number of a camera group ("CAMERA_12"), or 0.
int camera_group_number(const QString &group)
{
    static const QString prefix = QStringLiteral("CAMERA_");
    if (!group.startsWith(prefix))
        return 0;
    bool ok = false;
    const int number = group.mid(prefix.size()).toInt(&ok, 10);
    return ok && QString::number(number) == group.mid(prefix.size()) ? number : 0;
}

// The further cameras' group numbers, in their order, as reading takes them:
// CAMERA_2 and on, gaps and all, at most as many as the list holds.
QList<int> further_groups(const QSettings &settings, bool *more)
{
    QList<int> numbers;
    const QStringList groups = settings.childGroups();
    for (const QString &group : groups) {
        const int number = camera_group_number(group);
        if (number >= 2)
            numbers << number;
    }
    std::sort(numbers.begin(), numbers.end());
    *more = numbers.size() > Settings::most_cameras - 1;
    return numbers.mid(0, Settings::most_cameras - 1);
}

bool regular_or_missing(const QString &path)
{
    const QFileInfo info(path);
    return !info.exists() || info.isFile();
}

// The file as QSettings writes it, made in a scratch folder from a copy of
// the old one: keys and groups of other tools or of a newer version stay.
// QSettings would report what it found in the old file (a stray NUL byte,
// no read permission) as a failure of the save: such a file is replaced.
bool ini_text(const Settings &values, const QString &old_path, QByteArray *text, QString *reason)
{
    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        *reason = scratch.errorString();
        return false;
    }
    const QString path = scratch.filePath("config.ini");
    if (QFileInfo(old_path).isFile() && QFile::copy(old_path, path)) {
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        if (QSettings(path, QSettings::IniFormat).status() != QSettings::NoError)
            QFile::remove(path);
    }
    {
        QSettings settings(path, QSettings::IniFormat);
        values.write_to(settings);
        settings.sync();
    }
    QFile written(path);
    if (!written.open(QIODevice::ReadOnly)) {
        *reason = written.errorString();
        return false;
    }
    *text = written.readAll();
    return true;
}
} // namespace

bool Settings::load(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return false;
    QSettings settings(path, QSettings::IniFormat);
    language = settings.value("LANGUAGE_CONF/language").toString();
    port = stored_index(settings, "SERIAL_CONF/Port");
    first.port_name = settings.value("SERIAL_CONF/PortName").toString();
    // The documented groups: a missing key reads as position 0.
    take_lists(first, [&settings](const char *key) {
        const QString group = QLatin1String(key).endsWith(QLatin1String("Speed"))
                                  ? QStringLiteral("PTZ_CONF/")
                                  : QStringLiteral("SERIAL_CONF/");
        return stored_index(settings, (group + key).toLatin1().constData());
    });
    protocol = settings.value("NET_CONF/Protocol").toString();
    first.tcp = protocol != "UDP";
    first.address = settings.value("NET_CONF/Address").toString();
    first.port = settings.value("NET_CONF/Port").toString();
    first.over_ip = !first.tcp && visca_over_ip::numbered_by_default(first.port.toUShort());

    first.name = settings.value("CAMERA_1/Name").toString().trimmed();
    link = settings.value("CAMERA_1/Link").toString();
    first.visca_address = stored_address(settings, "CAMERA_1/ViscaAddress");
    first.was_open = settings.value("CAMERA_1/Open").toBool();
    first.tally_dialect = tally_dialect(settings.value("CAMERA_1/Tally").toString());
    read_options(settings, QStringLiteral("CAMERA_1/"), first);
    first.positions = read_positions(settings, 1, &cut);
    first.moves = read_moves(settings, 1, &cut);
    // A camera removed by hand leaves a gap: the ones after it are still
    // cameras, in their order.
    bool more = false;
    const QList<int> groups = further_groups(settings, &more);
    for (const int number : groups) {
        further << further_camera(settings, number);
        further.last().positions = read_positions(settings, number, &cut);
        further.last().moves = read_moves(settings, number, &cut);
    }
    cut = cut || more;
    active = settings.value("CAMERAS/Active").toInt();
    open_at_start = settings.value("CAMERAS/OpenAtStart").toBool();
    if (settings.contains("LOG/Explain"))
        explain_log = settings.value("LOG/Explain").toBool();
    remote = RemoteConfig::read(settings);
    tally_source = TallySourceConfig::read(settings);
    monitor = MonitorConfig::read(settings);
    return true;
}

void Settings::write_to(QSettings &settings) const
{
    settings.beginGroup("LANGUAGE_CONF");
    settings.setValue("language", language);
    settings.endGroup();

    settings.beginGroup("SERIAL_CONF");
    settings.setValue("Port", QString::number(port, 10));
    settings.setValue("PortName", first.port_name);
    settings.endGroup();
    write_lists(first, [&settings](const char *key, int position) {
        const bool speed = QLatin1String(key).endsWith(QLatin1String("Speed"));
        settings.setValue((speed ? QStringLiteral("PTZ_CONF/") : QStringLiteral("SERIAL_CONF/")) +
                              key,
                          QString::number(position, 10));
    });

    settings.beginGroup("NET_CONF");
    if (!protocol.isEmpty())
        settings.setValue("Protocol", protocol);
    settings.setValue("Address", first.address);
    settings.setValue("Port", first.port);
    settings.endGroup();

    settings.setValue("CAMERAS/Active", QString::number(active, 10));
    settings.setValue("CAMERAS/OpenAtStart", open_at_start);
    if (explain_log)
        settings.setValue("LOG/Explain", *explain_log);
    tally_source.write(settings);
    monitor.write(settings);
    settings.setValue("CAMERA_1/Name", first.name);
    settings.setValue("CAMERA_1/Link", link);
    settings.setValue("CAMERA_1/ViscaAddress", QString::number(first.visca_address, 10));
    settings.setValue("CAMERA_1/Open", first.was_open);
    settings.setValue("CAMERA_1/Tally", tally_dialect_text(first.tally_dialect));
    write_options(settings, QStringLiteral("CAMERA_1/"), first);
    // What the file held of the cameras that reading takes goes first (a
    // camera removed since leaves nothing behind, one after a gap moves up
    // to its place); what reading passed over stays as it was.
    remove_read_positions(settings, 1);
    bool more = false;
    const QList<int> groups = further_groups(settings, &more);
    for (const int number : groups) {
        settings.remove(QStringLiteral("CAMERA_%1").arg(number));
        remove_read_positions(settings, number);
    }
    write_kept(settings, 1, first);
    for (int i = 0; i < further.size(); ++i) {
        write_further_camera(settings, i + 2, further.at(i));
        // A positions group left without its camera is no camera's: the
        // camera now at that place takes it over whole.
        if (!groups.contains(i + 2))
            remove_read_positions(settings, i + 2);
        write_kept(settings, i + 2, further.at(i));
    }
}

bool Settings::text(const QString &path, QByteArray *text, QString *reason) const
{
    return ini_text(*this, path, text, reason);
}

bool Settings::save(const QString &path, QString *reason, QByteArray *written) const
{
    if (!regular_or_missing(path)) {
        *reason = QStringLiteral("Not a regular file");
        return false;
    }
    QByteArray text;
    if (!ini_text(*this, path, &text, reason))
        return false;
    if (written && *written == text)
        return true;
    // The old file stays whole until the new one is complete. Unbuffered:
    // QSaveFile commits a file whose buffered bytes found no room on a full
    // disk.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        file.write(text) != text.size() || !file.commit()) {
        *reason = file.errorString();
        return false;
    }
    // The interfaces' token is a secret: the file is the owner's alone.
    if (!QSettings(path, QSettings::IniFormat).value("API/Token").toString().trimmed().isEmpty())
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (written)
        *written = text;
    return true;
}

QList<CameraSettings> Settings::listed_cameras(const QString &stored_port_name) const
{
    CameraSettings camera_one = first;
    // The name wins: ports come and go, and the position then points at
    // another device. A position outside the list selects none, as a
    // missing name does: Start must not open a device nobody chose.
    if (camera_one.port_name.isEmpty())
        camera_one.port_name = stored_port_name;
    // Files from before the camera list have no link: the form's Modes
    // start on the serial line.
    if (!link.isEmpty())
        camera_one.read_link(link);
    return QList<CameraSettings>{camera_one} + further;
}
