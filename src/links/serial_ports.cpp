#include "app/mainwindow.h"
#include "links/port_order.h"
#include "ui_mainwindow.h"

#include <QSerialPortInfo>
#include <algorithm>

void MainWindow::fill_port_list()
{
    QStringList names;
    for (const QSerialPortInfo &port : QSerialPortInfo::availablePorts())
        names << port.portName();
    std::sort(names.begin(), names.end(), natural_less);
    ui->ComPortcomboBox->insertItems(ui->ComPortcomboBox->count(), names);
}
