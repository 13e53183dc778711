#ifndef ZARVICK_MAINWINDOW_H
#define ZARVICK_MAINWINDOW_H

#include "console/log_clock.h"
#include "console/loop_schedule.h"

#include <QAbstractSocket>
#include <QElapsedTimer>
#include <QList>
#include <QMainWindow>
#include <QSerialPort>
#include <QString>
#include <QStringList>
#include <future>

class QCloseEvent;
class QComboBox;
class QHostAddress;
class QTcpSocket;
class QTimer;
class QUdpSocket;

namespace Ui {
class MainWindow;
}

// The one window of the program: every operator action, timer tick and data
// notification arrives as one of its slots. The methods are split across
// src/app, src/links, src/control and src/console by subsystem.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void readMyCom();
    void loop_send();
    void readMessage();
    void receive_visca();
    void displayError(QAbstractSocket::SocketError);
    void serial_error(QSerialPort::SerialPortError error);

    void on_pushButton_16_clicked();
    void on_ptz_upButton_pressed();
    void on_ptz_upButton_released();
    void on_ptz_downButton_pressed();
    void on_ptz_downButton_released();
    void on_ptz_leftButton_pressed();
    void on_ptz_leftButton_released();
    void on_ptz_rightButton_pressed();
    void on_ptz_rightButton_released();
    void on_ptz_leftupButton_pressed();
    void on_ptz_leftupButton_released();
    void on_ptz_rightupButton_pressed();
    void on_ptz_rightupButton_released();
    void on_ptz_leftdownButton_pressed();
    void on_ptz_leftdownButton_released();
    void on_ptz_rightdownButton_pressed();
    void on_ptz_rightdownButton_released();
    void on_zoomin_Button_pressed();
    void on_zoomin_Button_released();
    void on_zoomout_Button_pressed();
    void on_zoomout_Button_released();
    void on_ptz_resetButton_clicked();
    void on_pushButton_3_clicked();
    void on_pushButton_4_clicked();
    void on_pushButton_5_clicked();
    void on_pushButton_6_clicked();
    void on_pushButton_7_clicked();
    void on_pushButton_8_clicked();
    void on_pushButton_9_clicked();
    void on_pushButton_10_clicked();
    void on_pushButton_11_clicked();
    void on_pushButton_12_clicked();
    void on_pushButton_clicked();
    void on_pushButton_2_clicked();
    void on_checkBox_clicked(bool checked);
    void on_pushButton_14_clicked();
    void on_pushButton_13_clicked();
    void on_pushButton_15_clicked();
    void on_radioButton_tcp_toggled(bool checked);
    void on_radioButton_udp_toggled(bool checked);
    void on_focusin_Button_pressed();
    void on_focusin_Button_released();
    void on_focusout_Button_pressed();
    void on_focusout_Button_released();
    void on_comboBox_3_activated(int index);

private:
    // src/app
    void read_config();
    void write_config();
    void set_defaults();
    void apply_startup_language();
    void retranslate();
    QList<QComboBox *> fixed_combo_boxes() const;
    void inform(const QString &text);
    void warn(const QString &text);

    // src/links
    void fill_port_list();
    void set_serial_idle(bool idle);
    void set_net_idle(bool idle);
    void init_tcp_socket();
    bool net_link_up() const { return tcp_connected || udp_ready; }

    // src/control
    bool link_ready() const;
    bool link_open(bool serial) const;
    bool encode_command(const QString &text, QByteArray *bytes);
    void send_visca(const QString &text);
    void send_when_ready(const QString &text);
    void send_and_log(const QString &text, bool serial);
    void serial_send(const QString &text);
    void net_send(const QString &text);
    void pan_tilt_drive(const QString &command);
    void zoom_drive(const QString &command);
    void focus_drive(const QString &command);
    void focus_stop();
    void manual_focus();
    void delay_msec(int msec);
    void preset_send(int number);
    void preset_field_send(const QString &command);

    // src/console
    void init_message_log();
    void log_message(const QString &text, bool sent);
    void log_received(const QStringList &texts);
    bool interval_accepted();
    void send_manual_text(const QString &text);
    bool loop_running() const;

    // The system's port list takes milliseconds to enumerate: it is read on
    // another thread while the form is built, and waited for where it is used.
    std::future<QStringList> port_names;
    Ui::MainWindow *ui;
    QTcpSocket *tcp_socket = nullptr;
    QUdpSocket *udp_socket = nullptr;
    QHostAddress *udp_peer = nullptr;
    QSerialPort *serial_port = nullptr;
    bool serial_open = false;
    QList<QString> loop_list;
    QTimer *loop_timer = nullptr;
    bool tcp_connected = false;
    bool udp_ready = false;
    QString rx_packet;
    QString language;

    // The interval the running loop was started with, kept when the field is
    // emptied under it so that a cleared field never turns the loop into a flood.
    int loop_interval = 0;
    QElapsedTimer loop_clock;
    LoopSchedule loop_schedule;
    LogClock log_clock;
    // A focus button released during the manual-focus wait: its stop must
    // follow the drive of the press, not overtake it.
    int focus_presses_waiting = 0;
    bool focus_release_held = false;
};

#endif
