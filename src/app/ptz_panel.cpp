#include "app/ptz_panel.h"

#include "ui_mainwindow.h"

#include <QApplication>

PtzPanel::PtzPanel(Ui::MainWindow &form, QWidget *window, CommandSender &sender,
                   const Boxes &window_boxes, CameraControl::TargetSource target)
    : ui(form), boxes(window_boxes), control(sender, std::move(target)),
      holds(control, chosen_speeds()),
      keys(window, holds, [this] { return ui.tabWidget->currentWidget() == ui.tab_ptz; }),
      pad(holds, [] { return QApplication::activeModalWidget() != nullptr; }),
      buttons(std::make_unique<HoldButtons>(holds, control, hold_button_drives()))
{
    QObject::connect(
        &control, &CameraControl::failed, window,
        [this](SendResult result, const QString &reason) { boxes.report_failure(result, reason); });
    QObject::connect(&control, &CameraControl::stop_unconfirmed, window, [this] {
        boxes.warn_after_open_box(tr("The camera did not confirm the stop"));
    });
    QObject::connect(&keys, &DriveKeys::home, &control, &CameraControl::home);
    QObject::connect(&pad, &GamePad::home, &control, &CameraControl::home);
    QObject::connect(&pad, &GamePad::recall, &control,
                     [this](int preset) { control.preset(false, preset); });
}

PtzPanel::~PtzPanel() = default;

void PtzPanel::press(QAbstractButton *button) { buttons->press(button); }

void PtzPanel::release(QAbstractButton *button) { buttons->release(button); }

void PtzPanel::go_to(const visca::PanTilt &to, int zoom, std::optional<int> focus)
{
    holds.end_all();
    const Holds::Speeds speeds = chosen_speeds();
    control.go_to(to, zoom, focus, speeds.pan(), speeds.tilt());
    holds.position_move();
}

void PtzPanel::quick_preset(int number) { control.preset(ui.radioButton->isChecked(), number); }

void PtzPanel::preset_from_field(bool store)
{
    if (!control.ready() || control.preset_from_field(store, ui.lineEdit_2->text()))
        return;
    boxes.inform(tr("Preset num error"));
    ui.lineEdit_2->clear();
}

QList<HoldButtons::Button> PtzPanel::hold_button_drives() const
{
    using Axis = Holds::Axis;
    return {{ui.ptz_upButton, {Axis::PanTilt, {0, -1}}},
            {ui.ptz_downButton, {Axis::PanTilt, {0, 1}}},
            {ui.ptz_leftButton, {Axis::PanTilt, {-1, 0}}},
            {ui.ptz_rightButton, {Axis::PanTilt, {1, 0}}},
            {ui.ptz_leftupButton, {Axis::PanTilt, {-1, -1}}},
            {ui.ptz_rightupButton, {Axis::PanTilt, {1, -1}}},
            {ui.ptz_leftdownButton, {Axis::PanTilt, {-1, 1}}},
            {ui.ptz_rightdownButton, {Axis::PanTilt, {1, 1}}},
            {ui.zoomin_Button, {Axis::Zoom, {1, 0}}},
            {ui.zoomout_Button, {Axis::Zoom, {-1, 0}}},
            {ui.focusin_Button, {Axis::Focus, {1, 0}}},
            {ui.focusout_Button, {Axis::Focus, {-1, 0}}}};
}

Holds::Speeds PtzPanel::chosen_speeds() const
{
    // The speed boxes list the VISCA speeds themselves ("1" is speed 01).
    return {[this] { return ui.hcomboBox->currentText().toInt(); },
            [this] { return ui.vcomboBox->currentText().toInt(); },
            [this] { return ui.zoomcomboBox->currentText().toInt(); },
            [this] { return ui.focuscomboBox->currentText().toInt(); }};
}

void PtzPanel::retranslate()
{
    ui.ptz_upButton->setToolTip(tr("Key: Up arrow or keypad 8"));
    ui.ptz_downButton->setToolTip(tr("Key: Down arrow or keypad 2"));
    ui.ptz_leftButton->setToolTip(tr("Key: Left arrow or keypad 4"));
    ui.ptz_rightButton->setToolTip(tr("Key: Right arrow or keypad 6"));
    ui.ptz_leftupButton->setToolTip(tr("Key: keypad 7, or Up and Left arrows"));
    ui.ptz_rightupButton->setToolTip(tr("Key: keypad 9, or Up and Right arrows"));
    ui.ptz_leftdownButton->setToolTip(tr("Key: keypad 1, or Down and Left arrows"));
    ui.ptz_rightdownButton->setToolTip(tr("Key: keypad 3, or Down and Right arrows"));
    ui.ptz_resetButton->setToolTip(tr("Key: Home or keypad 5"));
    ui.zoomin_Button->setToolTip(tr("Key: +"));
    ui.zoomout_Button->setToolTip(tr("Key: -"));
    ui.focusin_Button->setToolTip(tr("Key: Page Up"));
    ui.focusout_Button->setToolTip(tr("Key: Page Down"));
}
