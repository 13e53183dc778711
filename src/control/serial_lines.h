#ifndef ZARVICK_SERIAL_LINES_H
#define ZARVICK_SERIAL_LINES_H

#include "control/link_channel.h"
#include "control/reconnect.h"
#include "links/serial_link.h"

#include <QObject>
#include <map>
#include <memory>

// The serial lines of the camera list, one per port, opened once and
// shared by the cameras chained on it; each with its channel.
class SerialLines : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    ~SerialLines() override;
    // The line of `port`, made at the first ask.
    LinkChannel &line(const QString &port);
    // The line of `port` if it was made.
    LinkChannel *find(const QString &port) const;
    // What opens the line of `port` again after a loss, if it was made.
    Reconnect *reconnect(const QString &port) const;
    Reconnect *reconnect_of(const SerialLink &link) const;
    void close(const QString &port);
    void close_all();

signals:
    void made(LinkChannel &channel);
    // A line began or ended trying to open again, or a try failed.
    void reconnecting();

private:
    struct Line {
        std::unique_ptr<SerialLink> link;
        std::unique_ptr<LinkChannel> channel;
        std::unique_ptr<Reconnect> again;
    };
    std::map<QString, Line> lines;
};

#endif
