#ifndef ZARVICK_COMMAND_SENDER_H
#define ZARVICK_COMMAND_SENDER_H

#include <QMetaType>
#include <QObject>
#include <QString>

class Link;

// What became of a command text handed to a link.
enum class SendResult {
    Sent,        // every byte was written
    BadText,     // the text does not convert to bytes; nothing was written
    WriteFailed, // the link did not take all the bytes (see the link's errorText())
};

Q_DECLARE_METATYPE(SendResult)

// Converts command texts and writes them on a link. Only a text whose bytes
// all left is announced as sent, so the log never claims a send that did
// not happen.
class CommandSender : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    SendResult send(Link &link, const QString &text);

signals:
    void sent(const QString &text);
};

#endif
