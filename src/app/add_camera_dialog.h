#ifndef ZARVICK_ADD_CAMERA_DIALOG_H
#define ZARVICK_ADD_CAMERA_DIALOG_H

#include "control/camera_settings.h"

#include <QDialog>

class Cameras;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

// "Add" asks everything a new camera needs at once: its link, the serial
// line or the network address and port, and its VISCA address. It starts
// from `model` (the active camera's kind of link and its line settings)
// and refuses a camera the list drives already.
class AddCameraDialog : public QDialog
{
    Q_OBJECT

public:
    AddCameraDialog(const Cameras &cameras, const CameraSettings &model, QWidget *parent);
    // The camera as the fields give it (no name yet).
    CameraSettings camera() const;
    void accept() override;

private:
    void show_kind();
    void kind_chosen();
    // What keeps the fields from making a camera; empty when nothing does.
    QString fault() const;

    const Cameras &cameras;
    CameraSettings model;
    QComboBox *link_box;
    QComboBox *line_box;
    QLineEdit *address_edit;
    QLineEdit *port_edit;
    QSpinBox *visca_box;
    QLabel *fault_note;
};

#endif
