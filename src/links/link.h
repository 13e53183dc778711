#ifndef ZARVICK_LINK_H
#define ZARVICK_LINK_H

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

// One way to reach the camera. Only the classes behind this interface touch
// ports and sockets; the rest of the program sends bytes and hears replies.
class Link : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    virtual bool isOpen() const = 0;
    // Writes all of `bytes` before returning. False when they did not all
    // leave, with the reason in errorText().
    virtual bool send(const QByteArray &bytes) = 0;
    virtual void close() = 0;
    QString errorText() const { return error_text; }

signals:
    // Replies as they are to be logged, one entry per line.
    void received(const QList<QByteArray> &replies);
    // The link went down by itself (device gone, connection dropped); it is
    // closed already when this is emitted.
    void lost(const QString &reason);

protected:
    bool failed(const QString &reason)
    {
        error_text = reason;
        return false;
    }

private:
    QString error_text;
};

#endif
