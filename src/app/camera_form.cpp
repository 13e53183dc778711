#include "app/camera_form.h"

#include "app/link_panel.h"
#include "control/cameras.h"
#include "ui_mainwindow.h"

namespace {
void show_number(QComboBox *box, int value)
{
    box->setCurrentIndex(box->findText(QString::number(value), Qt::MatchExactly));
}
} // namespace

CameraForm::CameraForm(Ui::MainWindow &form, Cameras &camera_list, LinkPanel &link_panel)
    : ui(form), parts(form), cameras(camera_list), links(link_panel)
{
    const auto changed = [this] { take_from_form(); };
    for (QComboBox *box :
         {ui.ComPortcomboBox, ui.BaucomboBox, ui.DataBitcomboBox, ui.ParitycomboBox,
          ui.StopBitcomboBox, ui.hcomboBox, ui.vcomboBox, ui.zoomcomboBox, ui.focuscomboBox})
        QObject::connect(box, qOverload<int>(&QComboBox::currentIndexChanged), box, changed);
    for (QLineEdit *field : {ui.lineEdit_ip, ui.lineEdit_port})
        QObject::connect(field, &QLineEdit::textChanged, field, changed);
    for (QRadioButton *choice : {ui.radioButton_tcp, parts.serial_mode, parts.console_serial})
        QObject::connect(choice, &QRadioButton::toggled, choice, changed);
}

void CameraForm::take_from_form()
{
    if (filling || cameras.active() < 0)
        return;
    CameraSettings &camera = cameras.active_settings();
    camera.port_name = links.port_name();
    // The number lists show the values themselves ("1" is speed 01).
    camera.baud_rate = ui.BaucomboBox->currentText().toInt();
    camera.data_bits = ui.DataBitcomboBox->currentText().toInt();
    camera.parity = CameraSettings::Parity(ui.ParitycomboBox->currentIndex());
    camera.stop_bits = CameraSettings::StopBits(ui.StopBitcomboBox->currentIndex());
    camera.pan_speed = ui.hcomboBox->currentText().toInt();
    camera.tilt_speed = ui.vcomboBox->currentText().toInt();
    camera.zoom_speed = ui.zoomcomboBox->currentText().toInt();
    camera.focus_speed = ui.focuscomboBox->currentText().toInt();
    camera.address = ui.lineEdit_ip->text();
    camera.port = ui.lineEdit_port->text();
    camera.tcp = ui.radioButton_tcp->isChecked();
    camera.console_serial = parts.console_serial->isChecked();
    cameras.set_serial_mode(cameras.active(), parts.serial_mode->isChecked());
    cameras.note_changed();
}

void CameraForm::show_active()
{
    if (cameras.active() < 0)
        return;
    // The values were mended where they were read.
    const CameraSettings camera = cameras.active_settings();
    filling = true;
    links.select_port(camera.port_name);
    show_number(ui.BaucomboBox, camera.baud_rate);
    show_number(ui.DataBitcomboBox, camera.data_bits);
    ui.ParitycomboBox->setCurrentIndex(int(camera.parity));
    ui.StopBitcomboBox->setCurrentIndex(int(camera.stop_bits));
    show_number(ui.hcomboBox, camera.pan_speed);
    show_number(ui.vcomboBox, camera.tilt_speed);
    show_number(ui.zoomcomboBox, camera.zoom_speed);
    show_number(ui.focuscomboBox, camera.focus_speed);
    // The port field first: choosing a protocol puts its standard port there.
    (camera.tcp ? ui.radioButton_tcp : ui.radioButton_udp)->setChecked(true);
    ui.lineEdit_ip->setText(camera.address);
    ui.lineEdit_port->setText(camera.port);
    (camera.serial_mode ? parts.serial_mode : parts.net_mode)->setChecked(true);
    (camera.console_serial ? parts.console_serial : parts.console_net)->setChecked(true);
    filling = false;
    take_from_form();
    links.show_state();
}
