#include "app/mainwindow.h"

#include "app/alerts.h"
#include "app/camera_form.h"
#include "app/camera_options.h"
#include "app/cameras_panel.h"
#include "app/console_panel.h"
#include "app/form_font.h"
#include "app/form_parts.h"
#include "app/form_settings.h"
#include "app/found_cameras_panel.h"
#include "app/link_panel.h"
#include "app/list_tools.h"
#include "app/monitor_panel.h"
#include "app/moves_panel.h"
#include "app/positions_panel.h"
#include "app/ptz_panel.h"
#include "app/tally_panel.h"
#include "app/tally_source_panel.h"
#include "control/remote_commands.h"
#include "links/serial_ports.h"
#include "remote/interfaces.h"
#include "remote/remote_config.h"
#include "tally/switcher_tally.h"
#include "ui_mainwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QShortcut>

namespace {
void tighten_mode_captions(Ui::MainWindow &form)
{
    const FormParts parts(form);
    for (QRadioButton *mode :
         {parts.serial_mode, parts.net_mode, parts.console_serial, parts.console_net})
        tighten_caption_gap(mode);
}
} // namespace

std::future<QStringList> MainWindow::read_ports()
{
    return std::async(std::launch::async, system_port_names);
}

// The port list's thread starts here, before the form is built.
MainWindow::MainWindow(QWidget *parent) : MainWindow(read_ports(), parent) {}

MainWindow::MainWindow(std::future<QStringList> ports, QWidget *parent)
    : QMainWindow(parent), port_names(std::move(ports)), ui(std::make_unique<Ui::MainWindow>()),
      boxes(this), cameras(this)
{
    map_form_font();
    ui->setupUi(this);
    setWindowTitle(QStringLiteral("Zarvick v" ZARVICK_VERSION));
    tighten_mode_captions(*ui);
    build_panels();
    connect_panels();
    links->list_ports(port_names.get());
    camera_list->tell(form->read_config());
    list_tools->show_choice();
    switcher_tally->start(form->tally_source());
    tally_source->show_config();
    build_monitor();
    keep_config();
}

void MainWindow::keep_config()
{
    // Kept now, and a moment after each change: a crash or a kill loses nothing.
    form->keep_config();
    keeping.setSingleShot(true);
    keeping.setInterval(1000);
    keeping.callOnTimeout(this, [this] { form->keep_config(); });
    for (auto change : {&Cameras::listed, &Cameras::state_changed})
        connect(&cameras, change, this, &MainWindow::settings_touched);
    for (auto change : {&Cameras::switched, &Cameras::moves_changed, &Cameras::changed_elsewhere})
        connect(&cameras, change, this, &MainWindow::settings_touched);
    // The form's choices change under the operator's hands.
    qApp->installEventFilter(this);
}

void MainWindow::settings_touched()
{
    if (!keeping.isActive())
        keeping.start();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonRelease || type == QEvent::KeyRelease || type == QEvent::Wheel)
        settings_touched();
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::end_now()
{
    // A second signal while the stops are being confirmed ends at once.
    if (ending) {
        QCoreApplication::quit();
        return;
    }
    ending = true;
    keeping.stop();
    if (!form->write_config_quietly())
        qWarning("zarvick: config.ini could not be written");
    // Nothing more from outside while the cameras confirm their stops.
    interfaces.reset();
    remote.reset();
    cameras.stop_all_then([] { QCoreApplication::quit(); });
}

MainWindow::~MainWindow()
{
    // The interfaces go first: what they drive stops while its links are open.
    interfaces.reset();
    remote.reset();
    // The links close while every panel that listens to them is still there.
    cameras.close_all();
}

void MainWindow::start_remote(int http_port, int osc_port)
{
    RemoteConfig config = form->remote();
    config.http_port = http_port > 0 ? http_port : config.http_port;
    config.osc_port = osc_port > 0 ? osc_port : config.osc_port;
    if (config.http_port == 0 && config.osc_port == 0)
        return;
    if (!remote)
        make_remote();
    interfaces->start(config);
}

void MainWindow::make_remote()
{
    remote = std::make_unique<RemoteCommands>(cameras);
    interfaces = std::make_unique<Interfaces>(*remote);
    connect(interfaces.get(), &Interfaces::followed, &cameras.positions(),
            &PositionPoller::set_followed);
    for (auto told : {&Interfaces::note, &Interfaces::refused})
        connect(interfaces.get(), told, this, [this](const QString &text) { console->note(text); });
}

void MainWindow::build_panels()
{
    alerts = std::make_unique<Alerts>(cameras, boxes, notices,
                                      [this](const QString &text) { console->note(text); });
    ptz = std::make_unique<PtzPanel>(*ui, this, cameras, boxes, *alerts);
    ptz_notices = std::make_unique<NoticeLine>(notices, ui->verticalLayout_14, 2, "ptzNotices", 1);
    links = std::make_unique<LinkPanel>(*ui, boxes, cameras, *alerts);
    console = std::make_unique<ConsolePanel>(*ui, cameras, boxes);
    camera_form = std::make_unique<CameraForm>(*ui, cameras, *links);
    camera_list = std::make_unique<CamerasPanel>(*ui, this, cameras, *links, boxes);
    build_camera_tab();
    form = std::make_unique<FormSettings>(*ui, this, cameras, [this] { retranslate_panels(); });
}

// The Cameras tab's parts from the top: notices, the list's row, its
// buttons, the list's tools, tally, the camera's options and moves, and the
// cameras found on the network.
void MainWindow::build_camera_tab()
{
    const auto tell = [this](const QString &text) { camera_list->tell({text}); };
    QBoxLayout *tab = camera_list->tab_layout();
    kept_positions = std::make_unique<PositionsPanel>(cameras, camera_list->list_row(), tell);
    found_cameras = std::make_unique<FoundCamerasPanel>(cameras, tab);
    camera_notices = std::make_unique<NoticeLine>(notices, tab, 0, "cameraNotices");
    list_tools =
        std::make_unique<ListTools>(cameras, tab, 3, [this] { console->stop_loop_without_link(); });
    tally = std::make_unique<TallyPanel>(this, cameras, ptz->camera_row(), tab, 4);
    build_tally_source(tab, tell);
    camera_options = std::make_unique<CameraOptions>(cameras, tab, 6);
    moves = std::make_unique<MovesPanel>(cameras, tab, 7, tell);
}

void MainWindow::build_tally_source(QBoxLayout *tab,
                                    const std::function<void(const QString &)> &tell)
{
    switcher_tally = std::make_unique<SwitcherTally>(cameras);
    const auto chosen = [this](const TallySourceConfig &config) {
        form->set_tally_source(config);
        switcher_tally->start(config);
        settings_touched();
    };
    tally_source =
        std::make_unique<TallySourcePanel>(*switcher_tally, cameras, tab, 5, chosen, tell);
}

// The Monitor tab, last of the tabs, with the pairs config.ini kept.
void MainWindow::build_monitor()
{
    const auto changed = [this](const QStringList &pairs) {
        form->set_monitor_pairs({pairs, true});
        settings_touched();
    };
    monitor_panel =
        std::make_unique<MonitorPanel>(ui->tabWidget, form->monitor_pairs().pairs, changed);
}

void MainWindow::connect_notices()
{
    const auto offer_undo = [this](Notices::Words text, std::function<void()> undo) {
        notices.add(std::move(text), std::move(undo));
    };
    camera_list->offer_undo = offer_undo;
    kept_positions->offer_undo = offer_undo;
    moves->offer_undo = offer_undo;
    // A text field undoes its own typing first.
    connect(new QShortcut(QKeySequence::Undo, this), &QShortcut::activated, &notices,
            [this] { notices.undo(); });
}

void MainWindow::connect_keys()
{
    connect(&ptz->drive_keys(), &DriveKeys::go_to_position, this,
            [this](int index) { kept_positions->go_to(index); });
    // A text field keeps its own Ctrl+K (delete to the end).
    connect(new QShortcut(QKeySequence(QStringLiteral("Ctrl+K")), this), &QShortcut::activated,
            this, [this] { kept_positions->keep(); });
    connect(&ptz->game_pad(), &GamePad::step_camera, this,
            [this](int steps) { camera_list->step(steps); });
}

void MainWindow::retranslate_panels()
{
    links->retranslate();
    ptz->retranslate();
    console->retranslate();
    camera_list->retranslate();
    found_cameras->retranslate();
    kept_positions->retranslate();
    ptz_notices->retranslate();
    camera_notices->retranslate();
    list_tools->retranslate();
    tally->retranslate();
    tally_source->retranslate();
    camera_options->retranslate();
    moves->retranslate();
    if (monitor_panel)
        monitor_panel->retranslate();
}

void MainWindow::connect_panels()
{
    // The panels listen to each link after the cameras: a lost link's drives
    // end before the operator's message box waits.
    connect(&cameras, &Cameras::link_made, this, [this](Link &link) { links->report(link, this); });
    connect(ui->tabWidget, &QTabWidget::currentChanged, &cameras, &Cameras::ptz_left);
    // A link being opened again after a loss shows as open until it opens
    // or the trying ends.
    connect(&cameras, &Cameras::state_changed, this, [this] { links->show_state(); });
    connect(&cameras, &Cameras::changed_elsewhere, this, [this] { camera_form->show_active(); });
    connect(&cameras, &Cameras::switched, this, [this] { camera_form->show_active(); });
    connect_console();
    connect_notices();
    connect_keys();
}

void MainWindow::connect_console()
{
    // A Manual loop goes on only where its link is.
    connect(&cameras, &Cameras::switched, this, [this] { console->stop_loop_without_link(); });
    links->link_gone = [this] { console->stop_loop_without_link(); };
    cameras.set_link_busy([this](const LinkChannel *channel) { return console->loop_on(channel); });
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    const auto answer =
        QMessageBox::information(this, tr("information"), tr("Do you really want to exit?"),
                                 QMessageBox::Ok | QMessageBox::Cancel);
    if (answer == QMessageBox::Ok && form->write_config())
        event->accept();
    else
        event->ignore();
}

// The form's slots, bound by object name, each handed to its panel.
void MainWindow::on_pushButton_16_clicked() { links->start_or_close_serial(); }
void MainWindow::on_ptz_upButton_pressed() { ptz->press(ui->ptz_upButton); }
void MainWindow::on_ptz_upButton_released() { ptz->release(ui->ptz_upButton); }
void MainWindow::on_ptz_downButton_pressed() { ptz->press(ui->ptz_downButton); }
void MainWindow::on_ptz_downButton_released() { ptz->release(ui->ptz_downButton); }
void MainWindow::on_ptz_leftButton_pressed() { ptz->press(ui->ptz_leftButton); }
void MainWindow::on_ptz_leftButton_released() { ptz->release(ui->ptz_leftButton); }
void MainWindow::on_ptz_rightButton_pressed() { ptz->press(ui->ptz_rightButton); }
void MainWindow::on_ptz_rightButton_released() { ptz->release(ui->ptz_rightButton); }
void MainWindow::on_ptz_leftupButton_pressed() { ptz->press(ui->ptz_leftupButton); }
void MainWindow::on_ptz_leftupButton_released() { ptz->release(ui->ptz_leftupButton); }
void MainWindow::on_ptz_rightupButton_pressed() { ptz->press(ui->ptz_rightupButton); }
void MainWindow::on_ptz_rightupButton_released() { ptz->release(ui->ptz_rightupButton); }
void MainWindow::on_ptz_leftdownButton_pressed() { ptz->press(ui->ptz_leftdownButton); }
void MainWindow::on_ptz_leftdownButton_released() { ptz->release(ui->ptz_leftdownButton); }
void MainWindow::on_ptz_rightdownButton_pressed() { ptz->press(ui->ptz_rightdownButton); }
void MainWindow::on_ptz_rightdownButton_released() { ptz->release(ui->ptz_rightdownButton); }
void MainWindow::on_zoomin_Button_pressed() { ptz->press(ui->zoomin_Button); }
void MainWindow::on_zoomin_Button_released() { ptz->release(ui->zoomin_Button); }
void MainWindow::on_zoomout_Button_pressed() { ptz->press(ui->zoomout_Button); }
void MainWindow::on_zoomout_Button_released() { ptz->release(ui->zoomout_Button); }
void MainWindow::on_ptz_resetButton_clicked() { ptz->home(); }
void MainWindow::on_pushButton_3_clicked() { ptz->quick_preset(0); }
void MainWindow::on_pushButton_4_clicked() { ptz->quick_preset(1); }
void MainWindow::on_pushButton_5_clicked() { ptz->quick_preset(2); }
void MainWindow::on_pushButton_6_clicked() { ptz->quick_preset(3); }
void MainWindow::on_pushButton_7_clicked() { ptz->quick_preset(4); }
void MainWindow::on_pushButton_8_clicked() { ptz->quick_preset(5); }
void MainWindow::on_pushButton_9_clicked() { ptz->quick_preset(6); }
void MainWindow::on_pushButton_10_clicked() { ptz->quick_preset(7); }
void MainWindow::on_pushButton_11_clicked() { ptz->quick_preset(8); }
void MainWindow::on_pushButton_12_clicked() { ptz->quick_preset(9); }
void MainWindow::on_pushButton_clicked() { ptz->preset_from_field(true); }
void MainWindow::on_pushButton_2_clicked() { ptz->preset_from_field(false); }
void MainWindow::on_checkBox_clicked(bool checked) { console->loop_chosen(checked); }
void MainWindow::on_pushButton_14_clicked() { console->clear_log(); }
void MainWindow::on_pushButton_13_clicked() { console->send_or_stop(); }
void MainWindow::on_pushButton_15_clicked() { links->connect_or_disconnect(); }
void MainWindow::on_radioButton_tcp_toggled(bool checked) { links->protocol_chosen(true, checked); }
void MainWindow::on_radioButton_udp_toggled(bool checked)
{
    links->protocol_chosen(false, checked);
}
void MainWindow::on_focusin_Button_pressed() { ptz->press(ui->focusin_Button); }
void MainWindow::on_focusin_Button_released() { ptz->release(ui->focusin_Button); }
void MainWindow::on_focusout_Button_pressed() { ptz->press(ui->focusout_Button); }
void MainWindow::on_focusout_Button_released() { ptz->release(ui->focusout_Button); }
void MainWindow::on_comboBox_3_activated(int index) { form->change_language(index); }
