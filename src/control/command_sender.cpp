#include "control/command_sender.h"

#include "links/link.h"
#include "visca/command_text.h"

SendResult CommandSender::send(Link &link, const QString &text)
{
    bool ok = false;
    const QByteArray bytes = command_bytes(text, &ok);
    // Bytes that do not end a message stay in the camera's buffer and spoil
    // the next command, which may be a stop. Nothing at all harms nothing.
    if (!ok || !(bytes.isEmpty() || ends_message(bytes)))
        return SendResult::BadText;
    if (!link.send(bytes))
        return SendResult::WriteFailed;
    emit sent(text);
    return SendResult::Sent;
}
