#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include <QDebug>
#include <QFile>
#include <QSettings>

namespace {
const char *const config_file = "config.ini";
const char *const default_camera_address = "192.168.1.88";

// Stored indexes count only by their low eight bits, read as a signed value.
int stored_index(const QSettings &settings, const char *key)
{
    return static_cast<qint8>(settings.value(key).toInt());
}
} // namespace

void MainWindow::read_config()
{
    language = "Chinese";
    if (!QFile::exists(config_file)) {
        qDebug() << "不存在配置文件";
        apply_startup_language();
        set_defaults();
        return;
    }

    QSettings settings(config_file, QSettings::IniFormat);
    language = settings.value("LANGUAGE_CONF/language").toString();
    apply_startup_language();

    ui->ComPortcomboBox->setCurrentIndex(stored_index(settings, "SERIAL_CONF/Port"));
    ui->BaucomboBox->setCurrentIndex(stored_index(settings, "SERIAL_CONF/BaudRate"));
    ui->DataBitcomboBox->setCurrentIndex(stored_index(settings, "SERIAL_CONF/DataBits"));
    ui->ParitycomboBox->setCurrentIndex(stored_index(settings, "SERIAL_CONF/Parity"));
    ui->StopBitcomboBox->setCurrentIndex(stored_index(settings, "SERIAL_CONF/StopBits"));
    ui->hcomboBox->setCurrentIndex(stored_index(settings, "PTZ_CONF/PanSpeed"));
    ui->vcomboBox->setCurrentIndex(stored_index(settings, "PTZ_CONF/TiltSpeed"));
    ui->zoomcomboBox->setCurrentIndex(stored_index(settings, "PTZ_CONF/ZoomSpeed"));
    ui->focuscomboBox->setCurrentIndex(stored_index(settings, "PTZ_CONF/FocusSpeed"));

    const QString protocol = settings.value("NET_CONF/Protocol").toString();
    if (protocol == "TCP")
        ui->radioButton_tcp->setChecked(true);
    else if (protocol == "UDP")
        ui->radioButton_udp->setChecked(true);
    ui->lineEdit_ip->setText(settings.value("NET_CONF/Address").toString());
    ui->lineEdit_port->setText(settings.value("NET_CONF/Port").toString());
}

void MainWindow::write_config()
{
    // The old file stays in place until the new one is complete: QSettings
    // writes through a temporary file, and clearing the keys (rather than
    // deleting the file) keeps stale keys out of it.
    QSettings settings(config_file, QSettings::IniFormat);
    settings.clear();

    settings.beginGroup("LANGUAGE_CONF");
    settings.setValue("language", ui->comboBox_3->currentIndex() == 0 ? "Chinese" : "English");
    settings.endGroup();

    settings.beginGroup("SERIAL_CONF");
    settings.setValue("Port", QString::number(ui->ComPortcomboBox->currentIndex(), 10));
    settings.setValue("BaudRate", QString::number(ui->BaucomboBox->currentIndex(), 10));
    settings.setValue("DataBits", QString::number(ui->DataBitcomboBox->currentIndex(), 10));
    settings.setValue("Parity", QString::number(ui->ParitycomboBox->currentIndex(), 10));
    settings.setValue("StopBits", QString::number(ui->StopBitcomboBox->currentIndex(), 10));
    settings.endGroup();

    settings.beginGroup("PTZ_CONF");
    settings.setValue("PanSpeed", QString::number(ui->hcomboBox->currentIndex(), 10));
    settings.setValue("TiltSpeed", QString::number(ui->vcomboBox->currentIndex(), 10));
    settings.setValue("ZoomSpeed", QString::number(ui->zoomcomboBox->currentIndex(), 10));
    settings.setValue("FocusSpeed", QString::number(ui->focuscomboBox->currentIndex(), 10));
    settings.endGroup();

    settings.beginGroup("NET_CONF");
    if (ui->radioButton_tcp->isChecked())
        settings.setValue("Protocol", "TCP");
    if (ui->radioButton_udp->isChecked())
        settings.setValue("Protocol", "UDP");
    settings.setValue("Address", ui->lineEdit_ip->text());
    settings.setValue("Port", ui->lineEdit_port->text());
    settings.endGroup();

    settings.sync();
    if (settings.status() != QSettings::NoError)
        qWarning() << "config.ini could not be written; the previous settings are kept";
}

void MainWindow::set_defaults()
{
    ui->BaucomboBox->setCurrentIndex(3);
    ui->DataBitcomboBox->setCurrentIndex(3);
    ui->StopBitcomboBox->setCurrentIndex(0);
    ui->hcomboBox->setCurrentIndex(14);
    ui->vcomboBox->setCurrentIndex(14);
    ui->zoomcomboBox->setCurrentIndex(3);
    ui->focuscomboBox->setCurrentIndex(3);
    ui->lineEdit_ip->setText(default_camera_address);
    ui->lineEdit_port->setText(QString::number(5678, 10));
}
