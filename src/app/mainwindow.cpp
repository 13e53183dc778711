#include "app/mainwindow.h"
#include "app/form_font.h"
#include "links/serial_ports.h"
#include "ui_mainwindow.h"

#include <QCloseEvent>
#include <QHostAddress>
#include <QMessageBox>
#include <QTcpSocket>
#include <QTimer>
#include <QUdpSocket>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent), port_names(std::async(std::launch::async, system_port_names)),
      ui(new Ui::MainWindow)
{
    map_form_font();
    ui->setupUi(this);
    setWindowTitle("Zarvick v2.2");
    for (QRadioButton *mode :
         {ui->radioButton_9, ui->radioButton_10, ui->radioButton_11, ui->radioButton_12})
        tighten_caption_gap(mode);
    init_message_log();
    fill_port_list();
    read_config();

    serial_open = false;
    tcp_connected = false;
    udp_ready = false;

    loop_timer = new QTimer(this);
    // A coarse timer may fire 5 % late, and each tick restarts it: the loop
    // would drift well below its rate.
    loop_timer->setTimerType(Qt::PreciseTimer);
    connect(loop_timer, &QTimer::timeout, this, &MainWindow::loop_send);

    init_tcp_socket();
    udp_socket = new QUdpSocket(this);
    connect(udp_socket, &QUdpSocket::readyRead, this, &MainWindow::receive_visca);
}

MainWindow::~MainWindow()
{
    delete serial_port;
    delete udp_peer;
    delete ui;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    const auto answer =
        QMessageBox::information(this, tr("information"), tr("Do you really want to exit?"),
                                 QMessageBox::Ok | QMessageBox::Cancel);
    if (answer == QMessageBox::Ok) {
        event->accept();
        write_config();
    } else {
        event->ignore();
    }
}

void MainWindow::inform(const QString &text)
{
    QMessageBox::information(this, tr("information"), text, QMessageBox::Ok);
}

void MainWindow::warn(const QString &text)
{
    QMessageBox::warning(this, tr("warning"), text, QMessageBox::Ok);
}
