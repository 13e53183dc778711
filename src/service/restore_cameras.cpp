#include "service/restore_cameras.h"

#include "control/cameras.h"
#include "service/settings.h"

#include <QCoreApplication>

namespace {
QString window_words(const char *text) { return QCoreApplication::translate("MainWindow", text); }

// Two rows at one camera would both drive it; an address outside the chain
// reaches nobody. Either moves to the first free address.
void mend_address(const Cameras &cameras, CameraSettings &camera, QStringList *notices)
{
    const int other = camera.visca_address == 0 ? -1 : cameras.same_camera(camera);
    if (camera.visca_address != 0 && other < 0)
        return;
    const int free = cameras.free_address(camera);
    const int address = free > 0 ? free : CameraSettings::first_address;
    if (other >= 0)
        *notices << window_words("%1 has the address of %2 in config.ini: it is at address %3 now")
                        .arg(camera.name, cameras.settings(other).name)
                        .arg(address);
    else
        *notices << window_words(
                        "The address of %1 in config.ini is not 1 to 7: it is at address %2 now")
                        .arg(camera.name)
                        .arg(address);
    camera.visca_address = address;
}
} // namespace

QStringList restore_cameras(Cameras &cameras, const Settings &stored,
                            const QList<CameraSettings> &listed, RestoreChoice choice)
{
    QStringList notices;
    for (CameraSettings camera : listed) {
        if (camera.name.isEmpty())
            camera.name = cameras.free_name(window_words("Camera %1"));
        mend_address(cameras, camera, &notices);
        cameras.add(camera);
    }
    // A place outside the list (a camera removed by hand) is the first camera.
    const bool in_list = stored.active >= 1 && stored.active <= cameras.count();
    cameras.set_active(in_list ? stored.active - 1 : 0);
    cameras.set_open_at_start(stored.open_at_start);
    for (int camera = 0; camera < cameras.count(); ++camera) {
        if (choice.open_all || (stored.open_at_start && cameras.settings(camera).was_open))
            cameras.open(camera);
    }
    if (stored.cut)
        notices << window_words("config.ini lists more than %1 cameras, or more than %2 "
                                "positions of a camera: the others stay in the file, unread")
                       .arg(CameraSettings::most_cameras)
                       .arg(CameraSettings::most_positions);
    return notices;
}
