// config.ini as any file may be: read within the bounds the program sets,
// and written back without a crash.
#include "monitor/endpoint.h"
#include "service/settings.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath("config.ini");
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            abort();
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    Settings settings;
    if (!settings.load(path))
        abort();
    if (settings.further.size() >= Settings::most_cameras ||
        settings.first.positions.size() > Settings::most_positions)
        abort();
    if (settings.monitor.pairs.size() > monitor::most_pairs)
        abort();
    for (const CameraSettings &camera : settings.further) {
        if (camera.positions.size() > Settings::most_positions)
            abort();
    }
    QString reason;
    (void)settings.save(path, &reason);
    return 0;
}
