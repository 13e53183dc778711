#include "tally/tally_source_config.h"

#include <QSettings>

namespace {
const QStringList kinds = {"none", "TSL3.1", "TSL5", "vMix", "OBS"};

int tally_bit(const QVariant &value, int fallback)
{
    bool ok = false;
    const int bit = value.toInt(&ok);
    return ok && bit >= 1 && bit <= 4 ? bit : fallback;
}
} // namespace

TallySourceConfig TallySourceConfig::read(const QSettings &settings)
{
    TallySourceConfig config;
    config.kept = settings.childGroups().contains(QStringLiteral("TALLY_SOURCE"));
    const int kind = kinds.indexOf(settings.value("TALLY_SOURCE/Kind").toString().trimmed());
    config.kind = kind < 0 ? Kind::none : Kind(kind);
    config.tcp = settings.value("TALLY_SOURCE/Transport").toString().trimmed().toUpper() == "TCP";
    const QString listen = settings.value("TALLY_SOURCE/Listen").toString().trimmed();
    if (!listen.isEmpty())
        config.listen = listen;
    const QString host = settings.value("TALLY_SOURCE/Host").toString().trimmed();
    if (!host.isEmpty())
        config.host = host;
    bool ok = false;
    const int port = settings.value("TALLY_SOURCE/Port").toInt(&ok);
    config.port = ok && port > 0 && port <= 65535 ? port : 0;
    config.password = settings.value("TALLY_SOURCE/Password").toString();
    config.program_tally = tally_bit(settings.value("TALLY_SOURCE/ProgramTally"), 1);
    config.preview_tally = tally_bit(settings.value("TALLY_SOURCE/PreviewTally"), 2);
    return config;
}

void TallySourceConfig::write(QSettings &settings) const
{
    if (!kept)
        return;
    settings.beginGroup("TALLY_SOURCE");
    settings.setValue("Kind", kind_text(kind));
    settings.setValue("Transport", tcp ? "TCP" : "UDP");
    settings.setValue("Listen", listen);
    settings.setValue("Host", host);
    settings.setValue("Port", QString::number(port));
    settings.setValue("Password", password);
    settings.setValue("ProgramTally", QString::number(program_tally));
    settings.setValue("PreviewTally", QString::number(preview_tally));
    settings.endGroup();
}

int TallySourceConfig::port_to_use() const
{
    if (port > 0)
        return port;
    switch (kind) {
    case Kind::vmix: return vmix_port;
    case Kind::obs: return obs_port;
    case Kind::none:
    case Kind::tsl31:
    case Kind::tsl5: break;
    }
    return 0;
}

QString TallySourceConfig::kind_text(Kind kind) { return kinds.value(int(kind)); }

QStringList TallySourceConfig::kind_texts() { return kinds; }
