#include "control/camera_settings.h"

#include "visca/positions.h"
#include "visca/visca_over_ip.h"

#include <algorithm>
#include <cmath>

std::optional<int> decimal_within(const QString &text, int lowest, int highest)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (!ok || value < lowest || value > highest)
        return std::nullopt;
    return value;
}

std::optional<KeptPosition::Values> KeptPosition::values() const
{
    // Pan in up to five nibbles, tilt in four, zoom and focus in four.
    const std::optional<int> pan_value = decimal_within(pan, -(1 << 19), (1 << 19) - 1);
    const std::optional<int> tilt_value = decimal_within(tilt, -(1 << 15), (1 << 15) - 1);
    const std::optional<int> zoom_value = decimal_within(zoom, 0, 0xFFFF);
    const std::optional<int> focus_value = decimal_within(focus, 0, 0xFFFF);
    if (!pan_value || !tilt_value || !zoom_value || (!focus.isEmpty() && !focus_value))
        return std::nullopt;
    return Values{*pan_value, *tilt_value, *zoom_value, focus_value};
}

bool CameraSettings::same_camera(const CameraSettings &other) const
{
    if (link() != other.link() || visca_address != other.visca_address)
        return false;
    if (link() == LinkKind::Serial)
        return !port_name.isEmpty() && port_name == other.port_name;
    return !address.trimmed().isEmpty() &&
           address.trimmed().compare(other.address.trimmed(), Qt::CaseInsensitive) == 0 &&
           port.trimmed() == other.port.trimmed();
}

CameraSettings CameraSettings::beside() const
{
    CameraSettings camera = *this;
    camera.name.clear();
    camera.id = 0;
    camera.positions.clear();
    camera.address.clear();
    // A network camera has no serial port: the line's loss is none of its.
    if (link() != LinkKind::Serial)
        camera.port_name.clear();
    // VISCA over IP has no port of its own elsewhere: the one typed stays.
    if (link() != LinkKind::ViscaOverIp)
        camera.port = QString::number(tcp ? visca::tcp_port : visca::udp_port);
    camera.visca_address = first_address;
    return camera;
}

void CameraSettings::read_link(const QString &text)
{
    set_link(link_kind(text));
    // A file of old says UDP (or keeps UDP under a serial Mode) for a
    // camera on the VISCA over IP port.
    if (!tcp && link() != LinkKind::ViscaOverIp)
        over_ip = visca_over_ip::numbered_by_default(port.trimmed().toUShort());
}

QString tally_dialect_text(visca::TallyDialect dialect)
{
    switch (dialect) {
    case visca::TallyDialect::sony: break;
    case visca::TallyDialect::datavideo: return QStringLiteral("Datavideo");
    case visca::TallyDialect::none: return QStringLiteral("none");
    }
    return QStringLiteral("Sony");
}

visca::TallyDialect tally_dialect(const QString &text)
{
    if (text == QLatin1String("Datavideo"))
        return visca::TallyDialect::datavideo;
    if (text == QLatin1String("none"))
        return visca::TallyDialect::none;
    return visca::TallyDialect::sony;
}

int zoom_scaled(int speed, int zoom)
{
    const double tele =
        std::clamp(zoom, 0, visca::optical_zoom_end) / double(visca::optical_zoom_end);
    return std::max(1, int(std::lround(speed * (1.0 - 0.8 * tele))));
}

QPoint arriving_together(int pan_distance, int tilt_distance, int fastest)
{
    const int pan_most = 0x18;
    const int tilt_most = 0x14;
    const double pan = std::abs(pan_distance);
    const double tilt = std::abs(tilt_distance);
    if (pan == 0 && tilt == 0)
        return {std::clamp(fastest, 1, pan_most), std::clamp(fastest, 1, tilt_most)};
    // Time is distance over speed: the farther axis sets it.
    if (pan >= tilt) {
        const int pan_speed = std::clamp(fastest, 1, pan_most);
        return {pan_speed, std::clamp(int(std::lround(pan_speed * tilt / pan)), 1, tilt_most)};
    }
    const int tilt_speed = std::clamp(fastest, 1, tilt_most);
    return {std::clamp(int(std::lround(tilt_speed * pan / tilt)), 1, pan_most), tilt_speed};
}
