#ifndef ZARVICK_SETTINGS_H
#define ZARVICK_SETTINGS_H

#include "control/camera_settings.h"
#include "monitor/monitor_config.h"
#include "remote/remote_config.h"
#include "tally/tally_source_config.h"

#include <QList>
#include <QString>
#include <optional>

class QSettings;

// The keys of config.ini as a value. Indexes are the positions of the combo
// boxes' items; a key missing from an existing file reads as 0 or as the
// empty text. The serial port is stored twice: by its position, which older
// files and other readers know, and by its name, which stays right when
// ports come and go.
struct Settings {
    // What a file may list; more is left in the file, unread, with a notice.
    static constexpr int most_cameras = CameraSettings::most_cameras;
    static constexpr int most_positions = CameraSettings::most_positions;

    QString language;
    // Camera 1, as the documented groups and CAMERA_1 describe it. A
    // camera's VISCA address is 0 where the file's is not 1-7.
    CameraSettings first;
    // Its port's position in the list, the protocol and the link as the
    // file has them (empty when not stored).
    int port = 0;
    QString protocol;
    QString link;
    // The cameras after the first (their groups CAMERA_2 and on, whole) and
    // the active camera's place (0 when not stored).
    QList<CameraSettings> further;
    int active = 0;
    // The cameras whose link was open at the end open at the start.
    bool open_at_start = false;
    // The log's meanings, once the operator has switched them on.
    std::optional<bool> explain_log;
    // The outside interfaces' group, read with the rest: one reader of
    // the file for everything.
    RemoteConfig remote;
    TallySourceConfig tally_source;
    MonitorConfig monitor;
    // The file listed more cameras, or more positions of a camera, than
    // were read.
    bool cut = false;

    // False when `path` is no regular file: a FIFO or a device would hold
    // the start up in open(), a folder holds no settings.
    bool load(const QString &path);
    // The cameras listed, the first as the documented groups describe it;
    // `stored_port_name` is the name of the port at the stored position,
    // which files from before the name was kept have alone.
    QList<CameraSettings> listed_cameras(const QString &stored_port_name) const;
    // The old file stays in place until the new one is complete. False,
    // with the reason, when the file could not be written.
    // With `written` (what the last save wrote), a file that would come out
    // the same is left as it is; `written` then holds what was written.
    bool save(const QString &path, QString *reason, QByteArray *written = nullptr) const;
    void write_to(QSettings &settings) const;
    // The file's text as save() would write it over the one at `path`.
    bool text(const QString &path, QByteArray *text, QString *reason) const;
};

#endif
