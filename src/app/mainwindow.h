#ifndef ZARVICK_MAINWINDOW_H
#define ZARVICK_MAINWINDOW_H

#include "app/boxes.h"
#include "app/notices.h"
#include "control/cameras.h"

#include <QMainWindow>
#include <QStringList>
#include <QTimer>
#include <future>
#include <memory>

class Alerts;
class CameraForm;
class CameraOptions;
class MovesPanel;
class RemoteCommands;
class Interfaces;
class ListTools;
class TallyPanel;
class TallySourcePanel;
class SwitcherTally;
class CamerasPanel;
class ConsolePanel;
class FoundCamerasPanel;
class PositionsPanel;
class FormSettings;
class LinkPanel;
class MonitorPanel;
class PtzPanel;
class QCloseEvent;

namespace Ui {
class MainWindow;
}

// The one window of the program. It builds the form and the panels that do
// the work (links, PTZ, console, cameras, settings), connects them, hands
// each of the form's `on_…` slots to its panel and asks the exit question.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // The system's port list takes Qt 15-20 ms to read (through udev), as
    // long as the form takes to build: the program starts reading it on a
    // thread of its own before the application object and hands it over.
    static std::future<QStringList> read_ports();
    explicit MainWindow(std::future<QStringList> ports, QWidget *parent = nullptr);
    // A window that starts that thread itself, as its first step, and reads
    // the list beside its form.
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;
    // The outside interfaces (HTTP, OSC) as config.ini's API group says,
    // on these ports where given (the command line's); off without a port.
    void start_remote(int http_port = 0, int osc_port = 0);
    // The program is ended from outside (SIGTERM, SIGINT, SIGHUP): as a
    // confirmed exit, without the question, once whatever moves has
    // confirmed its stop (at most Cameras::ending_limit_ms).
    void end_now();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

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
    void make_remote();
    void build_panels();
    void build_camera_tab();
    void build_tally_source(QBoxLayout *tab, const std::function<void(const QString &)> &tell);
    void build_monitor();
    void connect_panels();
    void connect_console();
    void connect_notices();
    void connect_keys();
    // config.ini written now and as the cameras and the choices change.
    void keep_config();
    void retranslate_panels();
    // The cameras or the operator's choices may have changed: config.ini
    // follows a moment later.
    void settings_touched();

    // Waited for only where the stored port is chosen from it.
    std::future<QStringList> port_names;
    std::unique_ptr<Ui::MainWindow> ui;
    Boxes boxes;
    Cameras cameras;
    // The switcher's tally on the cameras: goes before them.
    std::unique_ptr<SwitcherTally> switcher_tally;
    Notices notices;
    std::unique_ptr<Alerts> alerts;
    std::unique_ptr<PtzPanel> ptz;
    std::unique_ptr<LinkPanel> links;
    std::unique_ptr<ConsolePanel> console;
    std::unique_ptr<CameraForm> camera_form;
    std::unique_ptr<CamerasPanel> camera_list;
    std::unique_ptr<FoundCamerasPanel> found_cameras;
    std::unique_ptr<PositionsPanel> kept_positions;
    std::unique_ptr<FormSettings> form;
    std::unique_ptr<NoticeLine> ptz_notices;
    std::unique_ptr<NoticeLine> camera_notices;
    std::unique_ptr<ListTools> list_tools;
    std::unique_ptr<TallyPanel> tally;
    std::unique_ptr<CameraOptions> camera_options;
    std::unique_ptr<MovesPanel> moves;
    std::unique_ptr<TallySourcePanel> tally_source;
    std::unique_ptr<MonitorPanel> monitor_panel;
    std::unique_ptr<RemoteCommands> remote;
    std::unique_ptr<Interfaces> interfaces;
    QTimer keeping;
    bool ending = false;
};

#endif
