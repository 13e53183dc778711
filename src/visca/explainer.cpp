#include "visca/explainer.h"

#include "visca/catalog.h"
#include "visca/command_text.h"

namespace {
QString value_text(const visca::catalog::Value &value)
{
    const QString said = value.field->word(value.value);
    // A negative value in hex as the camera's nibbles carry it would need
    // the field's width: its sign says as much.
    const QString hex =
        value.value < 0 ? QStringLiteral("-%1h").arg(QString::number(-value.value, 16).toUpper())
                        : QStringLiteral("%1h").arg(QString::number(value.value, 16).toUpper());
    if (said.isEmpty())
        return QStringLiteral("%1 %2 (%3)").arg(value.field->name).arg(value.value).arg(hex);
    return QStringLiteral("%1 %2 (%3, %4)").arg(value.field->name, said).arg(value.value).arg(hex);
}

QString described(const visca::catalog::Meaning &read, const QString &lead = QString());

QString meaning_of(const QByteArray &message)
{
    if (!ends_message(message))
        return QStringLiteral("incomplete: no FF at its end");
    const std::optional<visca::catalog::Meaning> read = visca::catalog::read(message);
    if (!read)
        return QStringLiteral("unknown");
    return described(*read);
}

QString described(const visca::catalog::Meaning &read, const QString &lead)
{
    QStringList parts{lead + read.entry->name};
    // An answer names its inquiry; its camera is the one asked.
    const bool answer = !lead.isEmpty();
    if (!answer && read.address == 8 && read.entry->kind != visca::catalog::Kind::reply) {
        parts << QStringLiteral("to every camera");
    } else if (!answer && read.address > 0) {
        parts << (read.entry->kind == visca::catalog::Kind::reply ? QStringLiteral("from camera %1")
                                                                  : QStringLiteral("to camera %1"))
                     .arg(read.address);
    }
    for (const visca::catalog::Value &value : read.values)
        parts << value_text(value);
    return parts.join(QStringLiteral(", "));
}
} // namespace

bool explain(const QString &capture, QStringList *lines)
{
    bool ok = false;
    const QByteArray bytes = command_bytes(capture, &ok);
    if (!ok)
        return false;
    QByteArray message;
    for (const char byte : bytes) {
        message += byte;
        if (uchar(byte) != 0xFF)
            continue;
        *lines << spaced_hex(message) + QStringLiteral("  ") + meaning_of(message);
        message.clear();
    }
    if (!message.isEmpty())
        *lines << spaced_hex(message) + QStringLiteral("  ") + meaning_of(message);
    return true;
}

QString reply_meaning(const QByteArray &asked, const QByteArray &reply)
{
    const std::optional<visca::catalog::Meaning> inquiry = visca::catalog::read(asked);
    if (inquiry && inquiry->entry->kind == visca::catalog::Kind::inquiry) {
        if (const auto answer = visca::catalog::read_answer(*inquiry->entry, reply))
            return described(*answer, QStringLiteral("answer to "));
    }
    return meaning_of(reply);
}
