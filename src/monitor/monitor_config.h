#ifndef ZARVICK_MONITOR_CONFIG_H
#define ZARVICK_MONITOR_CONFIG_H

#include <QStringList>

class QSettings;

// The monitor pairs set up in the window, as config.ini's MONITOR group
// keeps them: Pairs, a list of LISTEN=TARGET texts. Written only once pairs
// have been set; a text that does not read is left out.
struct MonitorConfig {
    QStringList pairs;
    bool kept = false;

    static MonitorConfig read(const QSettings &settings);
    void write(QSettings &settings) const;
};

#endif
