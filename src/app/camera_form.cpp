#include "app/camera_form.h"

#include "app/link_panel.h"
#include "control/cameras.h"
#include "ui_mainwindow.h"
#include "visca/visca_over_ip.h"

CameraForm::CameraForm(Ui::MainWindow &form, Cameras &camera_list, LinkPanel &link_panel)
    : ui(form), cameras(camera_list), links(link_panel)
{
    const auto changed = [this] { take_from_form(); };
    for (QComboBox *box :
         {ui.ComPortcomboBox, ui.BaucomboBox, ui.DataBitcomboBox, ui.ParitycomboBox,
          ui.StopBitcomboBox, ui.hcomboBox, ui.vcomboBox, ui.zoomcomboBox, ui.focuscomboBox})
        QObject::connect(box, qOverload<int>(&QComboBox::currentIndexChanged), box, changed);
    for (QLineEdit *field : {ui.lineEdit_ip, ui.lineEdit_port})
        QObject::connect(field, &QLineEdit::textChanged, field, changed);
    for (QRadioButton *choice : {ui.radioButton_tcp, ui.radioButton_9, ui.radioButton_11})
        QObject::connect(choice, &QRadioButton::toggled, choice, changed);
}

void CameraForm::take_from_form()
{
    if (filling || cameras.active() < 0)
        return;
    CameraSettings &camera = cameras.active_settings();
    camera.port_name = links.port_name();
    camera.baud_rate = ui.BaucomboBox->currentIndex();
    camera.data_bits = ui.DataBitcomboBox->currentIndex();
    camera.parity = ui.ParitycomboBox->currentIndex();
    camera.stop_bits = ui.StopBitcomboBox->currentIndex();
    camera.pan_speed = ui.hcomboBox->currentIndex();
    camera.tilt_speed = ui.vcomboBox->currentIndex();
    camera.zoom_speed = ui.zoomcomboBox->currentIndex();
    camera.focus_speed = ui.focuscomboBox->currentIndex();
    camera.address = ui.lineEdit_ip->text();
    // A port typed decides between UDP and VISCA over IP as it always has
    // (that protocol's own port means it); the Cameras tab chooses after.
    if (camera.port != ui.lineEdit_port->text())
        camera.over_ip =
            visca_over_ip::numbered_by_default(ui.lineEdit_port->text().trimmed().toUShort());
    camera.port = ui.lineEdit_port->text();
    camera.tcp = ui.radioButton_tcp->isChecked();
    camera.serial_mode = ui.radioButton_9->isChecked();
    camera.console_serial = ui.radioButton_11->isChecked();
    cameras.note_changed();
}

void CameraForm::show_active()
{
    if (cameras.active() < 0)
        return;
    // The lists' positions were mended where they were read.
    const CameraSettings camera = cameras.active_settings();
    filling = true;
    links.select_port(camera.port_name);
    ui.BaucomboBox->setCurrentIndex(camera.baud_rate);
    ui.DataBitcomboBox->setCurrentIndex(camera.data_bits);
    ui.ParitycomboBox->setCurrentIndex(camera.parity);
    ui.StopBitcomboBox->setCurrentIndex(camera.stop_bits);
    ui.hcomboBox->setCurrentIndex(camera.pan_speed);
    ui.vcomboBox->setCurrentIndex(camera.tilt_speed);
    ui.zoomcomboBox->setCurrentIndex(camera.zoom_speed);
    ui.focuscomboBox->setCurrentIndex(camera.focus_speed);
    // The port field first: choosing a protocol puts its standard port there.
    (camera.tcp ? ui.radioButton_tcp : ui.radioButton_udp)->setChecked(true);
    ui.lineEdit_ip->setText(camera.address);
    ui.lineEdit_port->setText(camera.port);
    (camera.serial_mode ? ui.radioButton_9 : ui.radioButton_10)->setChecked(true);
    (camera.console_serial ? ui.radioButton_11 : ui.radioButton_12)->setChecked(true);
    filling = false;
    take_from_form();
    links.show_state();
}
