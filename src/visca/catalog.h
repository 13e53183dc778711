#ifndef ZARVICK_CATALOG_H
#define ZARVICK_CATALOG_H

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// VISCA as data: the commands, inquiries and replies of the public command
// lists of PTZ cameras, each a name and a byte pattern with its fields, so
// that a message can be read for what it means and built from its values.
//
// A pattern is one token a byte: "81" a byte as it is; "8x" a message's
// header to camera x (1-7, 8 to all); "y0" a camera's reply header (y its
// address + 8); "2p" a byte whose high half is 2 and whose low half is the
// next nibble of field p; "pp" a whole byte of field p, high half first.
// A field's nibbles make its value in the order they come.
namespace visca::catalog {

enum class Kind { command, inquiry, reply };

struct Field {
    char letter;
    QString name;
    int lowest = 0;
    int highest = 0;
    bool is_signed = false;
    // What its values mean ("on", "standby"); a value missing means itself.
    QList<std::pair<int, QString>> words;
    QString word(int value) const;
};

// One byte of a pattern, as read once from its text.
struct Token {
    enum class Kind { camera_header, reply_header, byte, nibble, field_byte };
    Kind kind = Kind::byte;
    // The byte as it is, or the high half a nibble's byte has.
    unsigned fixed = 0;
    // The field whose nibbles the byte carries.
    char letter = 0;
};
QList<Token> tokens_of(const QString &pattern);

struct Entry {
    Kind kind = Kind::command;
    QString name;
    QString pattern;
    QList<Field> fields;
    // An inquiry's answer forms (the longer first where there are two).
    QList<QString> answers;
    QList<Field> answer_fields;
    // The patterns read into their bytes' tokens once.
    QList<Token> tokens;
    QList<QList<Token>> answer_tokens;
};

// Every entry; the same list for the program's life.
const QList<Entry> &entries();

struct Value {
    const Field *field;
    int value;
    QString text() const;
};

struct Meaning {
    const Entry *entry = nullptr;
    // Camera 1-7, 8 for a broadcast; a reply's sender.
    int address = 0;
    QList<Value> values;
    // "zoom direct, position 4000h (16384)".
    QString text() const;
};

// What `message` (one whole message, FF last) means: the entry it matches
// with the most bytes and nibbles as they are; none when no entry matches.
std::optional<Meaning> read(const QByteArray &message);
// `message` read as `entry`, whatever other entry would match it better.
std::optional<Meaning> read_as(const Entry &entry, const QByteArray &message);
// An inquiry's answer, read by the answer forms of `inquiry`.
std::optional<Meaning> read_answer(const Entry &inquiry, const QByteArray &answer);
// The message of `entry` to camera `address` with `values` (by field, in
// the order of the entry's fields); empty when a value is out of range.
QByteArray build(const Entry &entry, int address, const QList<int> &values);
// The answer of camera `address` to `inquiry`, in its first form.
QByteArray build_answer(const Entry &inquiry, int address, const QList<int> &values);
// The program's own messages: the command or inquiry `name` for camera
// `address` with `values`; empty when a value is out of its range.
QByteArray command(const char *name, int address, const QList<int> &values = {});
QByteArray inquiry(const char *name, int address);
// The entry named `name` (its kind too where names repeat); none if absent.
const Entry *find(const QString &name, Kind kind = Kind::command);

} // namespace visca::catalog

#endif
