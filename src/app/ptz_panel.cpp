#include "app/ptz_panel.h"

#include "app/alerts.h"
#include "app/camera_texts.h"
#include "app/tab_parts.h"
#include "control/camera_list_model.h"
#include "control/cameras.h"
#include "ui_mainwindow.h"

#include <QApplication>
#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>

PtzPanel::PtzPanel(Ui::MainWindow &form, QWidget *window, Cameras &camera_list,
                   const Boxes &window_boxes, Alerts &camera_alerts)
    : ui(form), parts(form), cameras(camera_list), boxes(window_boxes), alerts(camera_alerts),
      keys(
          window, cameras.drives(), [this] { return ui.tabWidget->currentWidget() == ui.tab_ptz; },
          [this] {
              return ui.tabWidget->currentWidget()->objectName() == QLatin1String("tab_cameras");
          }),
      pad(cameras.drives(), [] { return QApplication::activeModalWidget() != nullptr; }),
      buttons(std::make_unique<HoldButtons>(cameras.drives(), hold_button_drives()))
{
    QObject::connect(&cameras, &Cameras::failed, window,
                     [this](int camera, SendResult result, const QString &reason) {
                         alerts.failed(camera, result, reason);
                         show_camera();
                     });
    QObject::connect(&cameras, &Cameras::stop_unconfirmed, window, [this](int camera) {
        alerts.stop_unconfirmed(camera);
        show_camera();
    });
    camera_line = new QLabel(ui.tab_ptz);
    camera_line->setObjectName("activeCameraLine");
    camera_line->setTextFormat(Qt::PlainText);
    // A long name is cut, not a reason for a wider window.
    camera_line->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    camera_line_row = new QHBoxLayout();
    camera_line_row->addWidget(camera_line, 1);
    // Every camera at once, whichever the pad drives: the panic button.
    stop_all_button = new QPushButton(ui.tab_ptz);
    stop_all_button->setObjectName("stopAllButton");
    stop_all_button->setStyleSheet(QStringLiteral("color: rgb(210, 0, 0)"));
    camera_line_row->addWidget(stop_all_button);
    // Apart from the tally buttons that follow it.
    camera_line_row->addSpacing(stop_all_button->fontMetrics().averageCharWidth() * 2);
    QObject::connect(stop_all_button, &QPushButton::clicked, window,
                     [this] { cameras.stop_all(); });
    auto *stop_all_key = new QShortcut(QKeySequence(QStringLiteral("Shift+Esc")), window);
    QObject::connect(stop_all_key, &QShortcut::activated, window, [this] { cameras.stop_all(); });
    ui.verticalLayout_14->insertLayout(0, camera_line_row);
    trouble_line = new QLabel(ui.tab_ptz);
    trouble_line->setObjectName("activeCameraTrouble");
    trouble_line->setTextFormat(Qt::PlainText);
    trouble_line->setStyleSheet(QStringLiteral("color: rgb(210, 0, 0)"));
    trouble_line->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    trouble_line->setFixedHeight(trouble_line->fontMetrics().height());
    ui.verticalLayout_14->insertWidget(1, trouble_line);
    // The line shows the active camera's row of the list; a camera's trouble
    // is withdrawn first when it answers again.
    const CameraListModel &list = cameras.model();
    QObject::connect(&list, &CameraListModel::dataChanged, camera_line, [this] { show_camera(); });
    QObject::connect(&list, &CameraListModel::modelReset, camera_line, [this] { show_camera(); });
    for (auto change : {&Cameras::state_changed, &Cameras::listed})
        QObject::connect(&cameras, change, camera_line, [this] {
            alerts.states_changed();
            show_camera();
        });
    camera_clock.setInterval(1000);
    camera_clock.callOnTimeout(camera_line, [this] { show_camera(); });
    camera_clock.start();
    QObject::connect(&keys, &DriveKeys::home, window, [this] { home(); });
    QObject::connect(&pad, &GamePad::home, window, [this] { home(); });
    QObject::connect(&pad, &GamePad::recall, window,
                     [this](int preset) { cameras.active_camera().preset(false, preset); });
}

PtzPanel::~PtzPanel() = default;

void PtzPanel::show_camera()
{
    const int active = cameras.active();
    if (active < 0)
        return;
    const QString trouble = alerts.active_trouble();
    if (trouble_line->text() != trouble) {
        trouble_line->setText(trouble);
        trouble_line->setToolTip(plain_tooltip(trouble));
    }
    const QString text = about_camera(cameras.settings(active), state_text(cameras, active));
    if (camera_line->text() != text) {
        camera_line->setText(text);
        camera_line->setToolTip(plain_tooltip(text));
    }
    // The lamp's colour: whether the camera driven is on air.
    const QString lamp = tally_colour(cameras.active_camera().tally());
    if (camera_line->styleSheet() != lamp)
        camera_line->setStyleSheet(lamp);
}

void PtzPanel::press(QAbstractButton *button) { buttons->press(button); }

void PtzPanel::release(QAbstractButton *button) { buttons->release(button); }

void PtzPanel::home() { cameras.active_camera().home(); }

void PtzPanel::quick_preset(int number)
{
    cameras.active_camera().preset(parts.set_preset->isChecked(), number);
}

void PtzPanel::preset_from_field(bool store)
{
    Camera &camera = cameras.active_camera();
    if (!camera.drive_channel() || camera.preset_from_field(store, parts.preset_field->text()))
        return;
    boxes.inform(tr("Preset num error"));
    parts.preset_field->clear();
}

QList<HoldButtons::Button> PtzPanel::hold_button_drives() const
{
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
    stop_all_button->setText(tr("Stop all"));
    stop_all_button->setToolTip(tr("Key: Shift+Esc. Stops every camera, whatever moves it"));
}
