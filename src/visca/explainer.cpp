#include "visca/explainer.h"

#include "visca/catalog.h"
#include "visca/command_text.h"
#include "visca/replies.h"

#include <QCoreApplication>
#include <QHash>

namespace {
// The catalog's words are English; the log says them in the program's
// language, a terminal in English.
enum class Words { english, local };

QString said_in(Words words, const QString &text)
{
    return words == Words::local ? QCoreApplication::translate("VISCA", text.toUtf8().constData())
                                 : text;
}

// Messages as written one after another; bytes with no FF after them last.
QList<QByteArray> visca_messages(const QByteArray &bytes)
{
    QList<QByteArray> messages;
    int start = 0;
    for (int end = 0; (end = bytes.indexOf(char(0xFF), start)) >= 0; start = end + 1)
        messages << bytes.mid(start, end + 1 - start);
    if (start < bytes.size())
        messages << bytes.mid(start);
    return messages;
}

QString log_text(const char *text) { return QCoreApplication::translate("MainWindow", text); }

QString value_text(const visca::catalog::Value &value, Words words = Words::english)
{
    const QString said = said_in(words, value.field->word(value.value));
    // A negative value in hex as the camera's nibbles carry it would need
    // the field's width: its sign says as much.
    const QString hex =
        value.value < 0 ? QStringLiteral("-%1h").arg(QString::number(-value.value, 16).toUpper())
                        : QStringLiteral("%1h").arg(QString::number(value.value, 16).toUpper());
    const QString name = said_in(words, value.field->name);
    if (said.isEmpty())
        return QStringLiteral("%1 %2 (%3)").arg(name).arg(value.value).arg(hex);
    return QStringLiteral("%1 %2 (%3, %4)").arg(name, said).arg(value.value).arg(hex);
}

QString described(const visca::catalog::Meaning &read, const QString &lead = QString());

// What a message means in the log: its name and its values; the camera is
// the line's.
QString briefly(const visca::catalog::Meaning &read)
{
    QStringList parts{said_in(Words::local, read.entry->name)};
    for (const visca::catalog::Value &value : read.values)
        parts << value_text(value, Words::local);
    return parts.join(QStringLiteral(", "));
}

QString brief_meaning(const QByteArray &message)
{
    if (!ends_message(message))
        return log_text("incomplete: no FF at its end");
    const std::optional<visca::catalog::Meaning> read = visca::catalog::read(message);
    return read ? briefly(*read) : log_text("unknown");
}

// The name of what `asked` asked, or its bytes when the catalog does not
// know it.
QString asked_name(const QByteArray &asked)
{
    const std::optional<visca::catalog::Meaning> read = visca::catalog::read(asked);
    return read ? said_in(Words::local, read->entry->name) : spaced_hex(asked);
}

// An answer's values as the inquiry `asked` reads them, in the program's
// language; none when it is no answer of that inquiry.
std::optional<QStringList> answered_values(const QByteArray &asked, const QByteArray &reply)
{
    const std::optional<visca::catalog::Meaning> inquiry = visca::catalog::read(asked);
    if (!inquiry || inquiry->entry->kind != visca::catalog::Kind::inquiry)
        return std::nullopt;
    const auto answer = visca::catalog::read_answer(*inquiry->entry, reply);
    if (!answer)
        return std::nullopt;
    QStringList values;
    for (const visca::catalog::Value &value : answer->values)
        values << value_text(value, Words::local);
    return values;
}

QString answer_meaning(const QByteArray &asked, const QByteArray &reply)
{
    const QStringList values = answered_values(asked, reply).value_or(QStringList());
    return (QStringList{log_text("answer to %1").arg(asked_name(asked))} + values)
        .join(QStringLiteral(", "));
}

// A reply by what it answers, with no time.
QString answering(const QByteArray &asked, const QByteArray &reply)
{
    const std::optional<visca::Reply> read = visca::read_reply(reply);
    if (!read || asked.isEmpty())
        return brief_meaning(reply);
    switch (read->kind) {
    case visca::ReplyKind::Ack: return log_text("ACK to %1").arg(asked_name(asked));
    case visca::ReplyKind::Completion: return log_text("completion of %1").arg(asked_name(asked));
    case visca::ReplyKind::Answer: return answer_meaning(asked, reply);
    case visca::ReplyKind::Error: break;
    }
    // An error names the message whole: which of several it was matters.
    return log_text("%1 (to %2)").arg(brief_meaning(reply), spaced_hex(asked));
}

QString meaning_of(const QByteArray &message)
{
    if (!ends_message(message))
        return QStringLiteral("incomplete: no FF at its end");
    const std::optional<visca::catalog::Meaning> read = visca::catalog::read(message);
    if (read)
        return described(*read);
    // What an answer means depends on its inquiry.
    const std::optional<visca::Reply> reply = visca::read_reply(message);
    if (reply && reply->kind == visca::ReplyKind::Answer)
        return QStringLiteral("answer to an inquiry not given, from camera %1").arg(reply->address);
    return QStringLiteral("unknown");
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

QString capture_hex(const QString &capture)
{
    // The monitor's lines hold their bytes between the first two bars, after
    // the time and who spoke.
    const QLatin1String bar(" | ");
    const int first = capture.indexOf(bar);
    if (first < 0)
        return capture;
    const int start = first + bar.size();
    const int second = capture.indexOf(bar, start);
    return capture.mid(start, second < 0 ? -1 : second - start);
}

bool explain(const QString &capture, QStringList *lines)
{
    bool ok = false;
    const QByteArray bytes = command_bytes(capture_hex(capture), &ok);
    if (!ok)
        return false;
    // An answer is read as the answer of the inquiry its camera was last
    // asked in the capture, as the camera answers them in order.
    QHash<int, QList<QByteArray>> asked;
    for (const QByteArray &message : visca_messages(bytes)) {
        const std::optional<int> to = visca::addressee(message);
        if (to && message.size() > 2 && message.at(1) == 0x09)
            asked[*to] << message;
        const std::optional<visca::Reply> reply = visca::read_reply(message);
        QList<QByteArray> *owed = reply ? &asked[reply->address] : nullptr;
        const bool answers =
            owed && !owed->isEmpty() &&
            (reply->kind == visca::ReplyKind::Answer || reply->kind == visca::ReplyKind::Error);
        *lines << spaced_hex(message) + QStringLiteral("  ") +
                      (answers ? reply_meaning(owed->takeFirst(), message) : meaning_of(message));
    }
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

QStringList sent_meanings(const QByteArray &bytes)
{
    QStringList meanings;
    for (const QByteArray &message : visca_messages(bytes))
        meanings << brief_meaning(message);
    return meanings;
}

QString reply_words(const QByteArray &asked, const QByteArray &reply)
{
    return answering(asked, reply);
}

QString with_time(const QString &words, const HeardReply &heard)
{
    if (heard.asked.isEmpty() || heard.after_ms < 0)
        return words;
    return log_text("%1, %2 ms").arg(words).arg(heard.after_ms);
}

QString heard_meaning(const HeardReply &heard)
{
    return with_time(answering(heard.asked, heard.reply), heard);
}

QStringList whole_reading(const QByteArray &sent, const QList<HeardReply> &heard)
{
    QStringList lines;
    explain(spaced_hex(sent), &lines);
    for (const HeardReply &reply : heard) {
        lines << spaced_hex(reply.reply) + QStringLiteral("  ") +
                     reply_meaning(reply.asked, reply.reply);
        if (!reply.asked.isEmpty())
            explain(spaced_hex(reply.asked), &lines);
    }
    return lines;
}

QString said(const QString &catalog_word) { return said_in(Words::local, catalog_word); }

QString answer_values(const QByteArray &asked, const QByteArray &answer)
{
    if (const std::optional<QStringList> values = answered_values(asked, answer))
        return values->join(QStringLiteral(", "));
    return brief_meaning(answer);
}
