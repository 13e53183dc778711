#include "links/serial_ports.h"
#include "app/mainwindow.h"
#include "links/port_order.h"
#include "ui_mainwindow.h"

#include <QSerialPortInfo>
#include <algorithm>

QStringList system_port_names()
{
    QStringList names;
    for (const QSerialPortInfo &port : QSerialPortInfo::availablePorts())
        names << port.portName();
    std::sort(names.begin(), names.end(), natural_less);
    return names;
}

void MainWindow::fill_port_list()
{
    ui->ComPortcomboBox->insertItems(ui->ComPortcomboBox->count(), port_names.get());
}
