#ifndef ZARVICK_ALERTS_H
#define ZARVICK_ALERTS_H

#include "app/boxes.h"
#include "app/notices.h"

#include <QCoreApplication>
#include <functional>

class Cameras;
class Link;

// Where a camera's trouble is told. The active camera's in a message box,
// as ever: the operator is driving it. Any other camera's in the notice
// line and the log, never in a box: a box takes the keyboard and the mouse
// from the camera on air, and ends its drives. With several cameras
// listed, each text names its camera and link.
class Alerts
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    using Log = std::function<void(const QString &)>;
    Alerts(Cameras &cameras, const Boxes &boxes, Notices &notices, Log log);
    // `text` says how the link went; after a box open now, if any.
    void link_lost(const Link &link, const QString &text);
    void failed(int camera, SendResult result, const QString &reason);
    void stop_unconfirmed(int camera);

private:
    enum class Box { Inform, Warn, WarnAfterOpenBox };
    // Told of `camera`: in a box or as a notice.
    void tell(int camera, const QString &text, Box box);

    Cameras &cameras;
    const Boxes &boxes;
    Notices &notices;
    Log log;
};

#endif
