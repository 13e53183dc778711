#ifndef ZARVICK_COMMAND_TEXT_H
#define ZARVICK_COMMAND_TEXT_H

#include <QByteArray>
#include <QString>

// A command text ("81 01 06 04 FF") as the bytes it stands for: pieces
// split at spaces, empty pieces skipped, each read in base 16 and required
// to be a byte value (0 to FF). The text converts whole or not at all: on a
// piece that does not convert, *ok is false and the result is empty.
QByteArray command_bytes(const QString &text, bool *ok);

// Whether `bytes` end as every VISCA message does, in FF.
inline bool ends_message(const QByteArray &bytes)
{
    return !bytes.isEmpty() && quint8(bytes.back()) == 0xFF;
}

// Received bytes as the log shows them: "%02X " per byte, so the text ends
// in a space ("90 41 FF ").
QString hex_text(const QByteArray &bytes);

// Bytes as a command text writes them: "81 01 06 04 FF", no space at the
// end. For the simulator's lines, the tests and the benchmark.
QString spaced_hex(const QByteArray &bytes);

#endif
