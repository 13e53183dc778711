// A request of the outside interfaces: an HTTP request line and body, or
// an OSC address with its arguments. Whatever reads is within bounds; a
// refusal is an HTTP error status.
#include "remote/remote_call.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

template <class T> T read_as(const char *bytes)
{
    T value{};
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), int(size));
    // "METHOD PATH\nBODY"
    const int line_end = input.indexOf('\n');
    const QByteArray line = input.left(line_end < 0 ? int(size) : line_end);
    const QByteArray body = line_end < 0 ? QByteArray() : input.mid(line_end + 1);
    const int space = line.indexOf(' ');
    const ReadCall http = read_http_call(line.left(space), line.mid(space + 1), body);
    // The same bytes as OSC's typed arguments, nine bytes each: a type
    // (int32, float32, int64, double, string, blob) and its value's bytes,
    // any value a sender can put there (huge, infinite, not a number).
    QList<OscArgument> arguments;
    for (int at = 0; at + 9 <= body.size() && arguments.size() < 8; at += 9) {
        static const char types[] = {'i', 'f', 'h', 'd', 's', 'b'};
        const char type = types[uchar(body[at]) % sizeof types];
        const char *value = body.constData() + at + 1;
        OscArgument argument{type, 0, {}};
        switch (type) {
        case 'i': argument.number = read_as<qint32>(value); break;
        case 'f': argument.number = double(read_as<float>(value)); break;
        case 'h': argument.number = double(read_as<qint64>(value)); break;
        case 'd': argument.number = read_as<double>(value); break;
        case 's': argument.text = QString::fromLatin1(value, 8); break;
        default: break;
        }
        arguments << argument;
    }
    const ReadCall osc = read_osc_call(line, arguments);
    for (const ReadCall &read : {http, osc}) {
        if (const auto *refusal = std::get_if<Refusal>(&read)) {
            if (refusal->status < 400 || refusal->status > 405 || refusal->error.isEmpty())
                abort();
            continue;
        }
        const RemoteCall &call = std::get<RemoteCall>(read);
        for (const std::optional<double> &axis :
             {call.axes.pan, call.axes.tilt, call.axes.zoom, call.axes.focus}) {
            if (axis && !(*axis >= -1 && *axis <= 1))
                abort();
        }
        if (call.lease_ms < 1 || call.lease_ms > RemoteCommands::longest_lease_ms)
            abort();
    }
    return 0;
}
