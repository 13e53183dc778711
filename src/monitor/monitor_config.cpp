#include "monitor/monitor_config.h"

#include "monitor/endpoint.h"

#include <QSettings>

MonitorConfig MonitorConfig::read(const QSettings &settings)
{
    MonitorConfig config;
    config.kept = settings.contains(QStringLiteral("MONITOR/Pairs"));
    const QStringList texts = settings.value(QStringLiteral("MONITOR/Pairs")).toStringList();
    for (const QString &text : texts) {
        QString ignored;
        if (config.pairs.size() < monitor::most_pairs && monitor::read_pair(text, &ignored))
            config.pairs << text.trimmed();
    }
    return config;
}

void MonitorConfig::write(QSettings &settings) const
{
    if (kept)
        settings.setValue(QStringLiteral("MONITOR/Pairs"), pairs);
}
