#include "app/camera_options.h"

#include "control/cameras.h"

#include <QBoxLayout>
#include <QCheckBox>

CameraOptions::CameraOptions(Cameras &camera_list, QBoxLayout *layout, int position)
    : cameras(camera_list)
{
    QWidget *tab = layout->parentWidget();
    auto *row = new QHBoxLayout();
    const auto option = [&](const char *name, bool CameraSettings::*value) {
        auto *box = new QCheckBox(tab);
        box->setObjectName(name);
        row->addWidget(box);
        QObject::connect(box, &QCheckBox::clicked, tab, [this, value](bool on) {
            cameras.active_settings().*value = on;
            cameras.note_changed();
        });
        return box;
    };
    invert_pan = option("invertPanCheckBox", &CameraSettings::invert_pan);
    invert_tilt = option("invertTiltCheckBox", &CameraSettings::invert_tilt);
    follow_zoom = option("zoomScaledSpeedCheckBox", &CameraSettings::zoom_scaled_speed);
    row->addStretch();
    layout->insertLayout(position, row);
    QObject::connect(&cameras, &Cameras::switched, tab, [this] { show_active(); });
    QObject::connect(&cameras, &Cameras::listed, tab, [this] { show_active(); });
    retranslate();
}

void CameraOptions::show_active()
{
    if (cameras.active() < 0)
        return;
    const CameraSettings &active = cameras.active_settings();
    invert_pan->setChecked(active.invert_pan);
    invert_tilt->setChecked(active.invert_tilt);
    follow_zoom->setChecked(active.zoom_scaled_speed);
}

void CameraOptions::retranslate()
{
    invert_pan->setText(tr("Invert pan"));
    invert_tilt->setText(tr("Invert tilt"));
    follow_zoom->setText(tr("Speed follows zoom"));
    follow_zoom->setToolTip(
        tr("Pan and tilt slower as the camera zooms in: a fifth of the speed at full tele"));
    show_active();
}
