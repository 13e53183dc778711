#ifndef ZARVICK_CAMERA_TEXTS_H
#define ZARVICK_CAMERA_TEXTS_H

#include "visca/camera_commands.h"

#include <QList>
#include <QString>

class Cameras;
struct CameraSettings;

// How the window names a camera's link: "TCP 10.0.0.12:5678",
// "Serial ttyUSB0, 9600 baud".
QString link_text(const CameraSettings &settings);
// `text` about a camera, led by its name and link: "Camera 2 (TCP
// 10.0.0.12:5678): the network link was lost: …".
QString about_camera(const CameraSettings &settings, const QString &text);
// The same about the cameras of one link (a serial line's chain), each
// named: "Camera 1, Camera 2 (Serial ttyUSB0, 9600 baud): …".
QString about_cameras(const QList<const CameraSettings *> &cameras, const QString &text);

// How the camera stands: "answering", "reconnecting (next try in 4 s)".
QString state_text(const Cameras &cameras, int camera);

// The tally lamp's colour as a style sheet; none when off.
QString tally_colour(visca::Tally state);

#endif
