#include "app/mainwindow.h"
#include "app/form_font.h"
#include "console/message_log.h"
#include "links/serial_ports.h"
#include "ui_mainwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMessageBox>
#include <QTimer>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent), port_names(std::async(std::launch::async, system_port_names)),
      ui(std::make_unique<Ui::MainWindow>()), serial_link(this), tcp_link(this), udp_link(this),
      control(sender, [this] { return link_for(ui->radioButton_9->isChecked()); }),
      loop([this] { return ui->lineEdit->text(); }), holds(control, chosen_speeds()),
      keys(this, holds), pad(holds, [] { return QApplication::activeModalWidget() != nullptr; })
{
    map_form_font();
    ui->setupUi(this);
    setWindowTitle(QStringLiteral("Zarvick v" ZARVICK_VERSION));
    for (QRadioButton *mode :
         {ui->radioButton_9, ui->radioButton_10, ui->radioButton_11, ui->radioButton_12})
        tighten_caption_gap(mode);
    log = std::make_unique<MessageLog>(ui->textEdit);
    ui->ComPortcomboBox->insertItems(ui->ComPortcomboBox->count(), port_names.get());
    read_config();

    connect(&sender, &CommandSender::sent, this,
            [this](const QString &text) { log->add_sent(text); });
    connect(&control, &CameraControl::failed, this, &MainWindow::report_failure);
    connect(&loop, &LoopSender::due, this, &MainWindow::send_loop_entry);
    for (Link *link : {static_cast<Link *>(&serial_link), static_cast<Link *>(&tcp_link),
                       static_cast<Link *>(&udp_link)})
        connect(link, &Link::received, this,
                [this](const QList<QByteArray> &replies) { log->add_received(replies); });
    connect(&keys, &DriveKeys::home, &control, &CameraControl::home);
    connect(&pad, &GamePad::home, &control, &CameraControl::home);
    connect(&pad, &GamePad::recall, &control,
            [this](int preset) { control.preset(false, preset); });
    // A held drive whose release will not come gets its stop now.
    connect(ui->tabWidget, &QTabWidget::currentChanged, &holds, &Holds::lose_all);
    connect(ui->radioButton_9, &QRadioButton::toggled, &holds, &Holds::lose_all);
    ui->ComPortcomboBox->installEventFilter(this);
    hold_buttons = std::make_unique<HoldButtons>(holds, control, hold_button_drives());

    // The system's words for a vanished device ("Resource temporarily
    // unavailable", "Unknown error") tell the operator nothing.
    connect(&serial_link, &Link::lost, this, [this] {
        holds.lose_all();
        serial_open = false;
        set_serial_idle(true);
        link_lost(tr("The serial link was lost: %1")
                      .arg(tr("the device was removed or stopped answering")));
    });
    connect(&tcp_link, &Link::lost, this, [this](const QString &reason) {
        holds.lose_all();
        tcp_connected = false;
        set_net_idle(true);
        link_lost(tr("The network link was lost: %1").arg(reason));
    });
    connect(&tcp_link, &TcpLink::opened, this, &MainWindow::tcp_opened);
    connect(&tcp_link, &TcpLink::open_failed, this, &MainWindow::tcp_open_failed);
}

MainWindow::~MainWindow() = default;

void MainWindow::closeEvent(QCloseEvent *event)
{
    const auto answer =
        QMessageBox::information(this, tr("information"), tr("Do you really want to exit?"),
                                 QMessageBox::Ok | QMessageBox::Cancel);
    if (answer == QMessageBox::Ok && write_config())
        event->accept();
    else
        event->ignore();
}

void MainWindow::inform(const QString &text)
{
    QMessageBox::information(this, tr("information"), text, QMessageBox::Ok);
}

void MainWindow::warn(const QString &text)
{
    QMessageBox::warning(this, tr("warning"), text, QMessageBox::Ok);
}

void MainWindow::tell(QMessageBox::Icon icon, const QString &title, const QString &text,
                      const QString &reason)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, this);
    box.setInformativeText(reason);
    box.exec();
}

void MainWindow::report_failure(SendResult result, const QString &reason)
{
    if (result == SendResult::BadText)
        inform(tr("Command format error"));
    else if (result == SendResult::WriteFailed)
        warn(tr("The command could not be sent: %1").arg(reason));
}

Link *MainWindow::link_for(bool serial)
{
    if (serial)
        return serial_open ? &serial_link : nullptr;
    if (ui->radioButton_tcp->isChecked())
        return tcp_connected ? static_cast<Link *>(&tcp_link) : nullptr;
    return udp_ready ? &udp_link : nullptr;
}

void MainWindow::link_lost(const QString &text)
{
    stop_loop_without_link();
    tell_link_lost(text);
}

void MainWindow::stop_loop_without_link()
{
    // A loop would go on sending into nothing, and start again by itself
    // when the link comes back.
    if (loop.running() && !link_for(ui->radioButton_11->isChecked()))
        stop_loop();
}

void MainWindow::tell_link_lost(const QString &text)
{
    // One box at a time: the operator answers the open one first.
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(100, this, [this, text] { tell_link_lost(text); });
        return;
    }
    warn(text);
}
