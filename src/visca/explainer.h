#ifndef ZARVICK_EXPLAINER_H
#define ZARVICK_EXPLAINER_H

#include "visca/logged_reply.h"

#include <QString>
#include <QStringList>

// What `zarvick --explain` prints: for a capture of VISCA in hex ("81 01
// 04 47 04 00 00 00 FF", several messages in one text or one each), one
// line a message, its bytes and then its meaning from the catalog with
// every field's value in decimal and in hex. False when the text is not
// hex (nothing is explained of it then).
bool explain(const QString &capture, QStringList *lines);
// The hex of a capture: a line the monitor saved ("12:00:01.234 #1
// 127.0.0.1:50000 → camera | 81 01 06 04 FF | pan-tilt home") gives the
// bytes between its bars; any other text is taken whole.
QString capture_hex(const QString &capture);
// What a camera's `reply` to the message `asked` means: an inquiry's answer
// read by that inquiry's forms ("answer to zoom position inquiry, zoom
// 16384 (4000h)"), else the reply as the catalog reads it, else "unknown".
QString reply_meaning(const QByteArray &asked, const QByteArray &reply);

// A catalog's word (an entry's or field's name, a value's meaning) in the
// program's language.
QString said(const QString &catalog_word);
// What `answer` says, as its values ("power on (2, 2h)"), or the error it
// is, in the program's language.
QString answer_values(const QByteArray &asked, const QByteArray &answer);

// The log's words, in the program's language. What the messages sent in
// `bytes` mean, one text a message ("zoom direct, position 16384 (4000h)").
QStringList sent_meanings(const QByteArray &bytes);
// What a reply means, by what it answers and how long that took ("ACK to
// zoom direct, 12 ms"): its words, then its time added to them.
QString heard_meaning(const HeardReply &heard);
QString reply_words(const QByteArray &asked, const QByteArray &reply);
QString with_time(const QString &words, const HeardReply &heard);
// Every field of every message: a log line's tooltip.
QStringList whole_reading(const QByteArray &sent, const QList<HeardReply> &heard);

#endif
