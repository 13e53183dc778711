// A request of the outside interfaces: an HTTP request line and body, or
// an OSC address with its arguments. Whatever reads is within bounds; a
// refusal is an HTTP error status.
#include "remote/remote_call.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), int(size));
    // "METHOD PATH\nBODY"
    const int line_end = input.indexOf('\n');
    const QByteArray line = input.left(line_end < 0 ? int(size) : line_end);
    const QByteArray body = line_end < 0 ? QByteArray() : input.mid(line_end + 1);
    const int space = line.indexOf(' ');
    const ReadCall http = read_http_call(line.left(space), line.mid(space + 1), body);
    // The same bytes as OSC: the body's bytes as arguments.
    QList<OscArgument> arguments;
    for (const char byte : body.left(8))
        arguments << OscArgument{byte, double(qint8(byte)) / 64, QString(QChar(byte))};
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
