#ifndef ZARVICK_MAINWINDOW_H
#define ZARVICK_MAINWINDOW_H

#include "app/drive_keys.h"
#include "app/hold_buttons.h"
#include "console/loop_sender.h"
#include "control/camera_control.h"
#include "control/command_sender.h"
#include "control/gamepad.h"
#include "control/holds.h"
#include "links/serial_link.h"
#include "links/tcp_link.h"
#include "links/udp_link.h"

#include <QMainWindow>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <future>
#include <memory>

class MessageLog;
class QCloseEvent;
class QComboBox;
class QPushButton;

namespace Ui {
class MainWindow;
}

// The one window of the program. It holds the form, the link state flags
// and the message boxes; its slots hand each operator action to the classes
// that do the work (links, camera control, log, loop) and keep the panels in
// step with what those report.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
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
    // Settings and language
    void read_config();
    bool write_config();
    void set_defaults();
    void apply_startup_language();
    void retranslate();
    QList<QComboBox *> fixed_combo_boxes() const;

    // Boxes
    void inform(const QString &text);
    void warn(const QString &text);
    // A box whose informative text gives the system's reason.
    void tell(QMessageBox::Icon icon, const QString &title, const QString &text,
              const QString &reason);
    void report_failure(SendResult result, const QString &reason);
    void tell_link_lost(const QString &text);

    // Links and their panels
    void open_serial();
    void close_serial();
    void connect_net();
    void disconnect_net();
    void set_serial_idle(bool idle);
    void set_net_idle(bool idle);
    void set_net_connecting();
    void tcp_opened();
    void tcp_open_failed(const QString &reason, bool timed_out);
    void select_port(const QString &name);
    void stop_loop_without_link();
    bool net_link_up() const { return tcp_connected || udp_ready; }
    // The open link that the Mode pair chooses, or none.
    Link *link_for(bool serial);
    void link_lost(const QString &text);

    // Control panel and console
    void preset_from_field(bool store);
    QList<HoldButtons::Button> hold_button_drives() const;
    Holds::Speeds chosen_speeds();
    void set_key_tips();
    void refresh_port_list();
    bool eventFilter(QObject *watched, QEvent *event) override;
    void send_manual();
    void send_loop_entry(const QString &text);
    void stop_loop();

    // The system's port list takes milliseconds to enumerate: it is read on
    // another thread while the form is built, and waited for where it is used.
    std::future<QStringList> port_names;
    std::unique_ptr<Ui::MainWindow> ui;
    std::unique_ptr<MessageLog> log;
    SerialLink serial_link;
    TcpLink tcp_link;
    UdpLink udp_link;
    bool serial_open = false;
    bool tcp_connected = false;
    bool udp_ready = false;
    CommandSender sender;
    CameraControl control;
    LoopSender loop;
    Holds holds;
    DriveKeys keys;
    GamePad pad;
    std::unique_ptr<HoldButtons> hold_buttons; // needs the form's buttons
    QString language;
    // The stored port that is not listed now; none selected meanwhile.
    QString missing_port;
};

#endif
