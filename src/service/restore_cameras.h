#ifndef ZARVICK_RESTORE_CAMERAS_H
#define ZARVICK_RESTORE_CAMERAS_H

#include <QList>
#include <QStringList>

class Cameras;
struct CameraSettings;
struct Settings;

// The cameras config.ini lists, as the window and the headless program
// both start them.
struct RestoreChoice {
    // Open every listed camera, not only those open at the last exit.
    bool open_all = false;
};

// Adds `listed` to `cameras` (a name given where the file has none, an
// address moved where it is outside the chain or taken), makes the file's
// active camera the active one and opens those whose link was open at the
// last exit. Returns what the operator is to know: addresses moved, and
// cameras or positions left in the file unread.
QStringList restore_cameras(Cameras &cameras, const Settings &stored,
                            const QList<CameraSettings> &listed, RestoreChoice choice = {});

#endif
