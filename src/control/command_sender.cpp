#include "control/command_sender.h"

#include "links/link.h"
#include "visca/command_text.h"

SendResult CommandSender::send(Link &link, const QString &text)
{
    bool ok = false;
    const QByteArray bytes = command_bytes(text, &ok);
    if (!ok)
        return SendResult::BadText;
    if (!link.send(bytes))
        return SendResult::WriteFailed;
    emit sent(text);
    return SendResult::Sent;
}
