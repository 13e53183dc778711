#ifndef ZARVICK_ALERTS_H
#define ZARVICK_ALERTS_H

#include "app/boxes.h"
#include "app/notices.h"

#include <QCoreApplication>
#include <QList>
#include <functional>

class Camera;
class Cameras;
class Link;

// Where a camera's trouble is told. With one camera listed, in a message
// box, as ever. With several, never in a box, the active camera's
// included: a box takes the keyboard and the mouse from every camera on
// air. Then it goes to the notices and the log, and the active camera's
// to its own line above the pad; a link's notice is withdrawn once its
// camera answers again. Every text names its camera and link. A box opens
// only once the path that tells it (a link's, a reply's or a timer's
// signal) has returned.
class Alerts
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    using Log = std::function<void(const QString &)>;
    Alerts(Cameras &cameras, const Boxes &boxes, Notices &notices, Log log);
    // `text` says how the link went; every camera on it is named.
    void link_lost(const Link &link, const Notices::Words &text);
    void failed(int camera, SendResult result, const QString &reason);
    void stop_unconfirmed(int camera);
    // The active camera's trouble as its line above the pad shows it;
    // empty once it answers again.
    QString active_trouble() const;
    // A camera's state may have changed: trouble it answered past is withdrawn.
    void states_changed();

private:
    void tell(const QList<int> &about, const Notices::Words &text, bool warning,
              bool until_answered);

    Cameras &cameras;
    const Boxes &boxes;
    Notices &notices;
    Log log;
    // Cameras whose link trouble stands until they answer again, with it.
    QList<std::pair<const Camera *, Notices::Words>> troubled;
};

#endif
