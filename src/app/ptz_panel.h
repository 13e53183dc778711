#ifndef ZARVICK_PTZ_PANEL_H
#define ZARVICK_PTZ_PANEL_H

#include "app/boxes.h"
#include "app/hold_buttons.h"
#include "control/camera_control.h"
#include "control/holds.h"
#include "input/drive_keys.h"
#include "input/gamepad.h"

#include <QCoreApplication>
#include <memory>

class QAbstractButton;
class QWidget;
namespace Ui {
class MainWindow;
}

// The PTZ tab: pad, zoom, focus, speeds and presets. Mouse, keys and game
// controllers report to the one hold owner, which drives the active camera
// on the link its Mode chooses.
class PtzPanel
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    PtzPanel(Ui::MainWindow &form, QWidget *window, CommandSender &sender, const Boxes &boxes,
             CameraControl::TargetSource target);
    ~PtzPanel();
    Holds &hold_owner() { return holds; }
    GamePad &game_pad() { return pad; }
    // A press of a hold button that does not come from the mouse (the
    // space bar); the mouse reaches the hold buttons directly.
    void press(QAbstractButton *button);
    void release(QAbstractButton *button);
    void home() { control.home(); }
    // A kept position, at the pan and tilt speeds the boxes show; the holds
    // end first, and the next press stops the move.
    void go_to(const visca::PanTilt &to, int zoom, std::optional<int> focus);
    // A quick preset button, set or called as the Set/Call pair says.
    void quick_preset(int number);
    void preset_from_field(bool store);
    void retranslate();

private:
    QList<HoldButtons::Button> hold_button_drives() const;
    Holds::Speeds chosen_speeds() const;

    Ui::MainWindow &ui;
    const Boxes &boxes;
    CameraControl control;
    Holds holds;
    DriveKeys keys;
    GamePad pad;
    std::unique_ptr<HoldButtons> buttons;
};

#endif
