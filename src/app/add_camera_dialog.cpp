#include "app/add_camera_dialog.h"

#include "control/cameras.h"
#include "links/address_check.h"
#include "links/serial_ports.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

namespace {
// The window's words: the dialog speaks as the rest of the Cameras tab.
QString said(const char *text) { return QCoreApplication::translate("MainWindow", text); }

QString default_port(CameraSettings::LinkKind kind)
{
    switch (kind) {
    case CameraSettings::LinkKind::Udp: return QString::number(visca::udp_port);
    case CameraSettings::LinkKind::ViscaOverIp: return QString::number(visca::visca_over_ip_port);
    case CameraSettings::LinkKind::Tcp:
    case CameraSettings::LinkKind::Serial: break;
    }
    return QString::number(visca::tcp_port);
}
} // namespace

AddCameraDialog::AddCameraDialog(const Cameras &camera_list, const CameraSettings &from,
                                 QWidget *parent)
    : QDialog(parent), cameras(camera_list), model(from), link_box(new QComboBox(this)),
      line_box(new QComboBox(this)), address_edit(new QLineEdit(this)),
      port_edit(new QLineEdit(this)), visca_box(new QSpinBox(this)), fault_note(new QLabel(this))
{
    setObjectName("addCameraDialog");
    setWindowTitle(said("Add a camera"));
    link_box->setObjectName("addLinkBox");
    link_box->addItems(
        {said("Serial"), QStringLiteral("TCP"), QStringLiteral("UDP"), said("VISCA over IP")});
    link_box->setCurrentIndex(int(model.link()));
    line_box->setObjectName("addSerialPortBox");
    line_box->setEditable(true);
    line_box->addItems(system_port_names());
    line_box->setCurrentText(model.port_name);
    address_edit->setObjectName("addAddressEdit");
    address_edit->setText(model.address);
    port_edit->setObjectName("addPortEdit");
    port_edit->setText(model.port);
    visca_box->setObjectName("addViscaAddressBox");
    visca_box->setRange(CameraSettings::first_address, CameraSettings::last_address);
    visca_box->setValue(std::max(CameraSettings::first_address, cameras.free_address(model)));
    fault_note->setObjectName("addCameraNote");
    fault_note->setTextFormat(Qt::PlainText);
    fault_note->setStyleSheet(QStringLiteral("color: #c62828"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto *form = new QFormLayout(this);
    form->addRow(said("Link"), link_box);
    form->addRow(said("Serial port"), line_box);
    form->addRow(said("IP Address"), address_edit);
    form->addRow(said("Port"), port_edit);
    form->addRow(said("VISCA address"), visca_box);
    form->addRow(fault_note);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &AddCameraDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &AddCameraDialog::reject);
    connect(link_box, qOverload<int>(&QComboBox::activated), this, [this] { kind_chosen(); });
    show_kind();
}

CameraSettings AddCameraDialog::camera() const
{
    CameraSettings camera = model;
    camera.set_link(CameraSettings::LinkKind(link_box->currentIndex()));
    camera.visca_address = visca_box->value();
    if (camera.link() == CameraSettings::LinkKind::Serial) {
        camera.port_name = line_box->currentText().trimmed();
    } else {
        // A network camera has no serial port: a line's loss is none of its.
        camera.port_name.clear();
        camera.address = address_edit->text().trimmed();
        camera.port = port_edit->text().trimmed();
    }
    return camera;
}

void AddCameraDialog::accept()
{
    const QString why = fault();
    fault_note->setText(why);
    if (why.isEmpty())
        QDialog::accept();
}

void AddCameraDialog::kind_chosen()
{
    // Each network kind has its own usual port; another kind's would not answer.
    CameraSettings camera = this->camera();
    port_edit->setText(default_port(camera.link()));
    camera.port = port_edit->text();
    const int free = cameras.free_address(camera);
    if (free != 0)
        visca_box->setValue(free);
    fault_note->clear();
    show_kind();
}

void AddCameraDialog::show_kind()
{
    const bool serial = link_box->currentIndex() == int(CameraSettings::LinkKind::Serial);
    auto *form = static_cast<QFormLayout *>(layout());
    const auto show_row = [form](QWidget *field, bool shown) {
        field->setVisible(shown);
        form->labelForField(field)->setVisible(shown);
    };
    show_row(line_box, serial);
    show_row(address_edit, !serial);
    show_row(port_edit, !serial);
    adjustSize();
}

QString AddCameraDialog::fault() const
{
    const CameraSettings camera = this->camera();
    // A serial camera may wait for its port (an adapter not plugged in yet);
    // a network camera is nothing without its address.
    if (QHostAddress address; camera.link() != CameraSettings::LinkKind::Serial &&
                              (!parse_camera_address(camera.address, &address) ||
                               !decimal_within(camera.port, 1, 0xFFFF)))
        return said("Network information fill in error");
    const int other = cameras.same_camera(camera);
    if (other >= 0)
        return said("%1 is at address %2 on this link already")
            .arg(cameras.settings(other).name)
            .arg(camera.visca_address);
    return QString();
}
