// Any bytes read against the VISCA catalog, as the log and the explainer
// read what cameras and controllers send (and as text typed for
// `--explain`): a meaning or none, the
// meaning's values within their fields' ranges, never a read past the
// message.
#include "visca/catalog.h"
#include "visca/explainer.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    namespace catalog = visca::catalog;
    const QByteArray message(reinterpret_cast<const char *>(data), int(size));
    if (const auto read = catalog::read(message)) {
        if (read->entry->pattern.count(' ') + 1 != message.size())
            abort();
        for (const catalog::Value &value : read->values) {
            if (value.value < value.field->lowest || value.value > value.field->highest)
                abort();
        }
        (void)read->text();
    }
    // The same bytes as a capture typed for the explainer.
    QStringList lines;
    (void)explain(QString::fromLatin1(message), &lines);
    // Its halves as a message asked and a reply to it, as the log and the
    // camera's answers table word them.
    const QByteArray asked = message.left(message.size() / 2);
    const HeardReply heard{message.mid(message.size() / 2), asked, 12};
    (void)reply_meaning(heard.asked, heard.reply);
    (void)heard_meaning(heard);
    (void)answer_values(heard.asked, heard.reply);
    (void)sent_meanings(message);
    (void)whole_reading(asked, {heard});
    // The same bytes as an answer to each inquiry.
    for (const catalog::Entry &entry : catalog::entries()) {
        if (entry.kind == catalog::Kind::inquiry)
            (void)catalog::read_answer(entry, message);
    }
    return 0;
}
