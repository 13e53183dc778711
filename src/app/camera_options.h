#ifndef ZARVICK_CAMERA_OPTIONS_H
#define ZARVICK_CAMERA_OPTIONS_H

#include <QCoreApplication>

class Cameras;
class QBoxLayout;
class QCheckBox;

// How the active camera is driven, on the Cameras tab: "Invert pan",
// "Invert tilt" (a camera hung upside down or sideways) and "Speed follows
// zoom".
class CameraOptions
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    CameraOptions(Cameras &cameras, QBoxLayout *layout, int position);
    void retranslate();

private:
    void show_active();

    Cameras &cameras;
    QCheckBox *invert_pan = nullptr;
    QCheckBox *invert_tilt = nullptr;
    QCheckBox *follow_zoom = nullptr;
};

#endif
