#include "app/camera_texts.h"

#include "control/cameras.h"

#include <QCoreApplication>
#include <QStringList>

namespace {
QString tr(const char *text) { return QCoreApplication::translate("MainWindow", text); }
} // namespace

QString link_text(const CameraSettings &settings)
{
    switch (settings.link()) {
    case CameraSettings::LinkKind::Serial:
        if (settings.port_name.isEmpty())
            return tr("Serial, no port chosen");
        return tr("Serial %1, %2 baud")
            .arg(settings.port_name, QString::number(settings.baud_rate));
    case CameraSettings::LinkKind::Tcp:
        return QStringLiteral("TCP %1:%2").arg(settings.address, settings.port);
    case CameraSettings::LinkKind::Udp:
        return QStringLiteral("UDP %1:%2").arg(settings.address, settings.port);
    case CameraSettings::LinkKind::ViscaOverIp:
        return tr("VISCA over IP %1:%2").arg(settings.address, settings.port);
    }
    return QString();
}

QString about_camera(const CameraSettings &settings, const QString &text)
{
    return about_cameras({&settings}, text);
}

QString about_cameras(const QList<const CameraSettings *> &cameras, const QString &text)
{
    QStringList names;
    for (const CameraSettings *camera : cameras)
        names << camera->name;
    // A sentence goes on after the colon: "The network link …" becomes
    // "the network link …"; a name in capitals ("VISCA") stays.
    QString rest = text;
    if (rest.size() > 1 && rest.at(0).isUpper() && rest.at(1).isLower())
        rest[0] = rest.at(0).toLower();
    return tr("%1 (%2): %3")
        .arg(names.join(QStringLiteral(", ")), link_text(*cameras.first()), rest);
}

QString state_text(const Cameras &cameras, int camera)
{
    switch (cameras.state(camera)) {
    case Cameras::State::Closed: return tr("closed");
    case Cameras::State::Reconnecting: {
        const int next_try_s = cameras.camera(camera).next_try_in_s();
        return next_try_s > 0 ? tr("reconnecting (next try in %1 s)").arg(next_try_s)
                              : tr("reconnecting");
    }
    case Cameras::State::Open: return tr("open");
    case Cameras::State::Answering: return tr("answering");
    case Cameras::State::NotAnswering:
        return tr("not answering since %1")
            .arg(cameras.silent_since(camera).toString(QStringLiteral("hh:mm:ss")));
    }
    return QString();
}

QString tally_colour(visca::Tally state)
{
    switch (state) {
    case visca::Tally::program: return QStringLiteral("background-color: rgb(230, 40, 40)");
    case visca::Tally::preview: return QStringLiteral("background-color: rgb(40, 190, 70)");
    case visca::Tally::off: break;
    }
    return QString();
}
