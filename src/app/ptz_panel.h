#ifndef ZARVICK_PTZ_PANEL_H
#define ZARVICK_PTZ_PANEL_H

#include "app/boxes.h"
#include "app/form_parts.h"
#include "app/hold_buttons.h"
#include "input/drive_keys.h"
#include "input/gamepad.h"

#include <QCoreApplication>
#include <QTimer>
#include <memory>

class Alerts;
class Cameras;
class QAbstractButton;
class QBoxLayout;
class QLabel;
class QPushButton;
class QWidget;
namespace Ui {
class MainWindow;
}

// The PTZ tab: pad, zoom, focus, speeds and presets. Mouse, keys and game
// controllers report to the active camera's holds, which drive it on the
// link its Mode chooses.
class PtzPanel
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    PtzPanel(Ui::MainWindow &form, QWidget *window, Cameras &cameras, const Boxes &boxes,
             Alerts &alerts);
    ~PtzPanel();
    GamePad &game_pad() { return pad; }
    DriveKeys &drive_keys() { return keys; }
    // A press of a hold button that does not come from the mouse (the
    // space bar); the mouse reaches the hold buttons directly.
    void press(QAbstractButton *button);
    void release(QAbstractButton *button);
    void home();
    // A quick preset button, set or called as the Set/Call pair says.
    void quick_preset(int number);
    void preset_from_field(bool store);
    void retranslate();
    // The row above the pad that names the active camera.
    QBoxLayout *camera_row() const { return camera_line_row; }

private:
    QList<HoldButtons::Button> hold_button_drives() const;
    // The line above the pad: which camera the pad drives, and how it stands.
    void show_camera();

    Ui::MainWindow &ui;
    const FormParts parts;
    Cameras &cameras;
    const Boxes &boxes;
    Alerts &alerts;
    DriveKeys keys;
    GamePad pad;
    std::unique_ptr<HoldButtons> buttons;
    QLabel *camera_line = nullptr;
    QPushButton *stop_all_button = nullptr;
    // The active camera's link trouble, red, until it answers again. It
    // keeps its height when empty: the pad never moves under a click.
    QLabel *trouble_line = nullptr;
    QBoxLayout *camera_line_row = nullptr;
    // "Not answering" and the next try come with time, not with an event.
    QTimer camera_clock;
};

#endif
