#ifndef ZARVICK_COMMAND_SENDER_H
#define ZARVICK_COMMAND_SENDER_H

#include "links/link.h"

#include <QMetaType>
#include <QObject>
#include <QString>
#include <functional>

// What became of a command text handed to a link.
enum class SendResult {
    Sent,        // the link took every byte
    BadText,     // the text does not convert to whole VISCA messages; nothing was written
    WriteFailed, // the link did not take the bytes (see the link's errorText())
    NotReading,  // the camera stopped reading: the link holds all it may unsent
    Backlogged,  // the camera is still not reading, as the first refusal said
};

Q_DECLARE_METATYPE(SendResult)

// Converts command texts and writes them on a link. Only a text whose bytes
// the link took is announced as sent, so the log never claims a send that
// did not happen. Each send is numbered by the link's reply tracker.
class CommandSender : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    // What the log puts before a message's text: the name of the camera
    // it goes to, while several are listed.
    using Label = std::function<QString(const Link &link, const QByteArray &bytes)>;
    void set_label(Label naming) { label = std::move(naming); }
    // `message`, when given, gets the number the link's ReplyTracker gave it.
    SendResult send(Link &link, const QString &text, Link::Lane lane = Link::Lane::Console,
                    quint64 *message = nullptr);
    // Bytes built by the program, announced as `text` (their hex when
    // empty).
    SendResult send_bytes(Link &link, const QByteArray &bytes, Link::Lane lane,
                          quint64 *message = nullptr, const QString &text = QString());

signals:
    void sent(const QString &text);
    // The bytes of every send, for whoever waits for the camera's answer.
    void wrote(const Link &link, const QByteArray &bytes);

private:
    Label label;
};

#endif
