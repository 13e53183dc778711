#ifndef ZARVICK_TALLY_SOURCE_CONFIG_H
#define ZARVICK_TALLY_SOURCE_CONFIG_H

#include <QString>
#include <QStringList>

class QSettings;

// The switcher the lamps follow, as config.ini's TALLY_SOURCE group holds
// it: Kind (none, TSL3.1, TSL5, vMix, OBS), Transport (UDP or TCP, for
// TSL), Listen and Port (where TSL comes in: 127.0.0.1 unless set), Host
// and Port (vMix's and OBS's address), Password (OBS), ProgramTally and
// PreviewTally (TSL 3.1's tally bits, 1 to 4). The group is written once a
// source has been chosen, and kept from then on.
struct TallySourceConfig {
    enum class Kind { none, tsl31, tsl5, vmix, obs };
    static constexpr int vmix_port = 8099;
    static constexpr int obs_port = 4455;

    Kind kind = Kind::none;
    bool tcp = false;
    QString listen = QStringLiteral("127.0.0.1");
    QString host = QStringLiteral("127.0.0.1");
    // 0: the kind's usual port.
    int port = 0;
    QString password;
    int program_tally = 1;
    int preview_tally = 2;
    // The group was in the file, or a source has been chosen since.
    bool kept = false;

    static TallySourceConfig read(const QSettings &settings);
    void write(QSettings &settings) const;
    // The port to listen on or connect to: the one set, or the kind's own.
    int port_to_use() const;
    static QString kind_text(Kind kind);
    static QStringList kind_texts();
};

#endif
