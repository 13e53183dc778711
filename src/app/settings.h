#ifndef ZARVICK_SETTINGS_H
#define ZARVICK_SETTINGS_H

#include "control/camera_settings.h"

#include <QList>
#include <QString>

class QSettings;

// The keys of config.ini as a value. Indexes are the positions of the combo
// boxes' items; a key missing from an existing file reads as 0 or as the
// empty text. The serial port is stored twice: by its position, which older
// files and other readers know, and by its name, which stays right when
// ports come and go.
struct Settings {
    QString language;
    int port = 0;
    QString port_name;
    int baud_rate = 0;
    int data_bits = 0;
    int parity = 0;
    int stop_bits = 0;
    int pan_speed = 0;
    int tilt_speed = 0;
    int zoom_speed = 0;
    int focus_speed = 0;
    QString protocol;
    QString address;
    QString net_port;

    // Beside the groups above, which describe the first camera: its name,
    // link and VISCA address, the further cameras (their groups CAMERA_2
    // and on, whole) and the active camera's place (0 when not stored).
    QString name;
    QString link;
    int visca_address = 0;
    QList<CameraSettings> further;
    int active = 0;
    // Camera 1's kept positions (the further cameras carry theirs).
    QList<KeptPosition> positions;

    // False when `path` is no regular file: a FIFO or a device would hold
    // the start up in open(), a folder holds no settings.
    bool load(const QString &path);
    // The old file stays in place until the new one is complete. False,
    // with the reason, when the file could not be written.
    bool save(const QString &path, QString *reason) const;
    void write_to(QSettings &settings) const;
};

#endif
