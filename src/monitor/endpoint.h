#ifndef ZARVICK_MONITOR_ENDPOINT_H
#define ZARVICK_MONITOR_ENDPOINT_H

#include <QString>
#include <optional>

// One end of a monitor pair as the operator writes it: `udp:ADDRESS:PORT`,
// `visca-ip:ADDRESS:PORT`, `tcp:ADDRESS:PORT` or `serial:DEVICE[@BAUD]`.
// The listening end is where the controller sends (the monitor stands in
// for the camera there), the target end is the real camera.
namespace monitor {

enum class Kind { udp, visca_ip, tcp, serial };

// Pairs the program runs at once.
inline constexpr int most_pairs = 16;

struct Endpoint {
    Kind kind = Kind::udp;
    // An IP address as written (no host names: nothing is looked up).
    QString address;
    quint16 port = 0;
    QString device;
    int baud = 9600;

    bool operator==(const Endpoint &other) const;
};

struct PairSpec {
    Endpoint listen;
    Endpoint target;
};

// Whether the kind carries a byte stream (cut at FF) rather than datagrams.
bool is_stream(Kind kind);
QString kind_text(Kind kind);

// The endpoint `text` names; none with the reason in `error`. An address
// is required: a listening end is never opened on every interface unless
// the operator writes 0.0.0.0.
std::optional<Endpoint> read_endpoint(const QString &text, QString *error);
// `LISTEN=TARGET`.
std::optional<PairSpec> read_pair(const QString &text, QString *error);
QString endpoint_text(const Endpoint &endpoint);
QString pair_text(const PairSpec &pair);

} // namespace monitor

#endif
