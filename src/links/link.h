#ifndef ZARVICK_LINK_H
#define ZARVICK_LINK_H

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

// One way to reach the camera. Only the classes behind this interface touch
// ports and sockets; the rest of the program sends bytes and receives replies.
class Link : public QObject
{
    Q_OBJECT

public:
    // The camera's lane (drives, stops, Home, presets) goes ahead of console
    // messages still waiting: a stop never waits behind a loop's backlog.
    // Within a lane, messages keep their order.
    enum class Lane { Camera, Console };
    // What a link holds unsent before it refuses more: a camera that
    // stopped reading must not fill the program's memory.
    static constexpr qint64 backlog_limit = qint64(64) * 1024;
    // A flood is read a slice a turn, so the window's frames come between:
    // at most this many bytes a turn.
    static constexpr qint64 read_slice = qint64(16) * 1024;
    // ... and for at most this long, where datagrams come one by one.
    static constexpr int read_slice_ms = 4;

    using QObject::QObject;
    virtual bool isOpen() const = 0;
    // Takes `bytes` whole for the wire: written at once, or after what waits
    // ahead of them, never cut. False, with the reason in errorText(), when
    // they will not go.
    virtual bool send(const QByteArray &bytes, Lane lane = Lane::Console) = 0;
    // An open link says `closing` first, while it can still carry the stops
    // of the drives it carried.
    void close()
    {
        if (isOpen())
            emit closing();
        shut();
        emit closed();
    }
    // Bytes taken and not yet handed to the system.
    virtual qint64 unsent() const { return 0; }
    // Whether each entry `received` hands on is a datagram: a message
    // whole, never a part of one (a stream's reads may cut anywhere).
    virtual bool datagrams() const { return false; }
    // Links that number their messages (VISCA over IP): the number the last
    // send went under, and the number each entry of the last `received`
    // answers; -1 where there is none.
    virtual qint64 last_number() const { return -1; }
    virtual QList<qint64> reply_numbers() const { return {}; }
    // Hands on at once the replies that arrived and wait to be read: a
    // reply that came before a message went must not be taken for its own.
    virtual void read_waiting() {}
    // The backlog reached its limit and has not drained since.
    bool backlog_full() const { return full; }
    QString errorText() const { return error_text; }

signals:
    void opened();
    void closing();
    // close() was called, whether the link was open or not.
    void closed();
    // Replies as they are to be logged, one entry per line.
    void received(const QList<QByteArray> &replies);
    // The link went down by itself (device gone, connection dropped); it is
    // closed already when this is emitted.
    void lost(const QString &reason);
    // Everything taken has been handed to the system.
    void drained();

protected:
    virtual void shut() = 0;
    bool failed(const QString &reason)
    {
        error_text = reason;
        return false;
    }
    bool refuse_backlogged()
    {
        full = true;
        return failed(QStringLiteral("the camera is not reading"));
    }
    // After taking or writing: `drained` follows once everything taken has
    // left, however it left (the system may finish a write on its own).
    void note_unsent()
    {
        if (unsent() > 0) {
            waiting = true;
        } else if (waiting) {
            waiting = false;
            full = false;
            emit drained();
        }
    }

private:
    QString error_text;
    bool full = false;
    bool waiting = false;
};

#endif
