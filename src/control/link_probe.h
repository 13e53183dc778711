#ifndef ZARVICK_LINK_PROBE_H
#define ZARVICK_LINK_PROBE_H

#include "control/camera_settings.h"
#include "visca/replies.h"

#include <QHostAddress>
#include <QObject>
#include <QTimer>
#include <memory>

class Link;

// Which way a camera at an address answers: the version inquiry on VISCA
// over IP (UDP 52381), raw TCP 5678 and raw UDP 1259, one after the other,
// each given half a second (all three on one port when a port is given); the first that answers is
// the camera's link. Cameras whose vendors use raw TCP or UDP have no network enquiry; this finds
// them from an address.
class LinkProbe : public QObject
{
    Q_OBJECT

public:
    static constexpr int step_limit_ms = 500;
    struct Answer {
        CameraSettings::LinkKind link;
        quint16 port;
        visca::Version version;
    };

    explicit LinkProbe(QObject *parent = nullptr);
    ~LinkProbe() override;
    // `port` 0: each way on its usual port.
    void probe(const QHostAddress &address, quint16 port = 0);
    bool probing() const { return step >= 0; }

signals:
    void answered(const QHostAddress &address, const LinkProbe::Answer &answer);
    // Nothing answered on any of the three.
    void silent(const QHostAddress &address);

private:
    void try_step();
    void take(const QList<QByteArray> &replies);
    void give_up_step();

    QHostAddress asked;
    quint16 asked_port = 0;
    int step = -1;
    std::unique_ptr<Link> link;
    QTimer limit;
};

#endif
