#include "app/link_panel.h"

#include "app/alerts.h"
#include "app/system_reasons.h"
#include "control/cameras.h"
#include "links/address_check.h"
#include "links/serial_ports.h"
#include "ui_mainwindow.h"
#include "visca/commands.h"
#include "visca/port_text.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace {

// What makes a closed list box open its list.
bool opens_list(const QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress)
        return static_cast<const QMouseEvent *>(event)->button() == Qt::LeftButton;
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<const QKeyEvent *>(event);
    const bool arrow = key->key() == Qt::Key_Down || key->key() == Qt::Key_Up;
    return key->key() == Qt::Key_F4 || key->key() == Qt::Key_Space ||
           (arrow && key->modifiers() & Qt::AltModifier);
}

// Runs `opening` when the watched list box is about to open its list.
class ListOpening : public QObject
{
    Q_OBJECT

public:
    explicit ListOpening(std::function<void()> opening) : run(std::move(opening)) {}
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (static_cast<QWidget *>(watched)->isEnabled() && opens_list(event))
            run();
        return false;
    }

private:
    std::function<void()> run;
};
} // namespace

LinkPanel::LinkPanel(Ui::MainWindow &form, const Boxes &window_boxes, Cameras &camera_list,
                     Alerts &camera_alerts)
    : ui(form), parts(form), boxes(window_boxes), cameras(camera_list), alerts(camera_alerts),
      list_watch(std::make_unique<ListOpening>([this] { refresh_port_list(); }))
{
    // An adapter plugged in after the start shows up when the list opens.
    ui.ComPortcomboBox->installEventFilter(list_watch.get());
}

LinkPanel::~LinkPanel() = default;

SerialLink &LinkPanel::serial() { return cameras.serial_line(port_name()); }

Link &LinkPanel::net_link()
{
    const int active = cameras.active();
    return ui.radioButton_tcp->isChecked() ? static_cast<Link &>(cameras.tcp(active))
                                           : static_cast<Link &>(cameras.udp(active));
}

bool LinkPanel::net_open()
{
    // A link being opened again after a loss is the operator's still:
    // Disconnect ends the trying.
    const int active = cameras.active();
    return active >= 0 && (cameras.tcp(active).isOpen() || cameras.udp(active).isOpen() ||
                           cameras.camera(active).tcp_reconnect().trying());
}

bool LinkPanel::serial_on()
{
    const Reconnect *again = cameras.reconnect_of(serial());
    return serial().isOpen() || (again && again->trying());
}

void LinkPanel::report(Link &link, QObject *context)
{
    QObject::connect(&link, &Link::opened, context, [this] { show_state(); });
    const Reconnect *again = cameras.reconnect_of(link);
    if (auto *tcp = qobject_cast<TcpLink *>(&link)) {
        // A try of its own to open a lost link again is no operator's.
        QObject::connect(tcp, &TcpLink::open_failed, context,
                         [this, again](const QString &reason, bool timed_out) {
                             if (again && again->trying())
                                 show_state();
                             else
                                 tcp_failed(reason, timed_out);
                         });
    }
    // The system's words for a vanished device ("Resource temporarily
    // unavailable", "Unknown error") tell the operator nothing.
    const bool is_serial = qobject_cast<SerialLink *>(&link) != nullptr;
    const Link *which = &link;
    QObject::connect(&link, &Link::lost, context, [this, is_serial, which](const QString &reason) {
        show_state();
        lost(*which, [is_serial, reason] {
            return is_serial ? tr("The serial link was lost: %1")
                                   .arg(tr("the device was removed or stopped answering"))
                             : tr("The network link was lost: %1").arg(system_reason(reason));
        });
    });
}

void LinkPanel::show_state()
{
    if (cameras.active() < 0)
        return;
    set_serial_idle(!serial_on());
    TcpLink &tcp = cameras.tcp(cameras.active());
    const bool reconnecting = cameras.camera(cameras.active()).tcp_reconnect().trying();
    set_net_idle(!net_open() && !tcp.isConnecting());
    if (tcp.isConnecting() && !reconnecting) {
        parts.connect_button->setText(tr("Connect"));
        parts.connect_button->setEnabled(false);
    }
}

void LinkPanel::list_ports(const QStringList &names)
{
    ui.ComPortcomboBox->insertItems(ui.ComPortcomboBox->count(), names);
}

void LinkPanel::start_or_close_serial() { serial_on() ? close_serial() : open_serial(); }

void LinkPanel::open_serial()
{
    if (ui.ComPortcomboBox->currentIndex() < 0 && !missing_port.isEmpty()) {
        boxes.warn(tr("The serial port %1 is not present").arg(missing_port));
        return;
    }
    // An empty name would open the folder /dev ("Is a directory").
    QString reason = tr("No serial port is chosen");
    if (ui.ComPortcomboBox->currentText().isEmpty() ||
        !cameras.open_serial(cameras.active(), Cameras::Opener::Operator, &reason)) {
        boxes.tell(QMessageBox::Information, tr("warning"), tr("Open serial error"), reason);
        return;
    }
    set_serial_idle(false);
}

void LinkPanel::close_serial()
{
    serial().close();
    set_serial_idle(true);
    link_gone();
}

void LinkPanel::set_serial_idle(bool idle)
{
    // The lamp keeps the form's own black until the line first opens, and
    // is green only while the port is open: not while a pulled adapter is
    // being tried again, which keeps the panel the operator's.
    const QString lit = QStringLiteral("background-color: rgb(0, 255, 0)");
    const bool dark = idle || !serial().isOpen();
    if (dark == (parts.serial_lamp->styleSheet() == lit))
        parts.serial_lamp->setStyleSheet(dark ? "background-color: rgb(0, 0, 0)" : lit);
    for (QWidget *field :
         std::initializer_list<QWidget *>{ui.ComPortcomboBox, ui.BaucomboBox, ui.DataBitcomboBox,
                                          ui.ParitycomboBox, ui.StopBitcomboBox})
        field->setEnabled(idle);
    parts.start_button->setText(idle ? tr("Start") : tr("Close"));
}

void LinkPanel::protocol_chosen(bool is_tcp, bool checked)
{
    if (checked)
        ui.lineEdit_port->setText(QString::number(is_tcp ? visca::tcp_port : visca::udp_port));
}

void LinkPanel::connect_or_disconnect() { net_open() ? disconnect_net() : connect_net(); }

void LinkPanel::connect_net()
{
    if (ui.lineEdit_ip->text().isEmpty() || ui.lineEdit_port->text().isEmpty()) {
        boxes.inform(tr("Network information fill in error"));
        return;
    }
    QHostAddress address;
    if (!parse_camera_address(ui.lineEdit_ip->text(), &address)) {
        boxes.warn(tr("Network information fill in error"));
        return;
    }
    quint16 port = 0;
    if (!parse_port(ui.lineEdit_port->text(), &port)) {
        boxes.warn(tr("Port information fill in error"));
        return;
    }
    set_net_idle(false);
    if (ui.radioButton_tcp->isChecked()) {
        parts.connect_button->setText(tr("Connect"));
        parts.connect_button->setEnabled(false);
    }
    cameras.open_network(cameras.active(), Cameras::Opener::Operator);
}

void LinkPanel::tcp_failed(const QString &reason, bool timed_out)
{
    // The connection may be another camera's, tried before a switch.
    show_state();
    if (timed_out)
        boxes.later(QMessageBox::Warning, tr("Connection timeout"));
    else
        boxes.later(QMessageBox::Warning, tr("Connection failed"), reason);
}

void LinkPanel::disconnect_net()
{
    cameras.tcp(cameras.active()).close();
    cameras.udp(cameras.active()).close();
    set_net_idle(true);
    link_gone();
}

void LinkPanel::set_net_idle(bool idle)
{
    parts.connect_button->setEnabled(true);
    for (QWidget *field : std::initializer_list<QWidget *>{ui.lineEdit_ip, ui.lineEdit_port,
                                                           ui.radioButton_tcp, ui.radioButton_udp})
        field->setEnabled(idle);
    parts.connect_button->setText(idle ? tr("Connect") : tr("Disconnect"));
}

void LinkPanel::lost(const Link &link, const Notices::Words &text)
{
    link_gone();
    alerts.link_lost(link, text);
}

void LinkPanel::retranslate()
{
    // Each caption decides what the next press does: it keeps telling the
    // state of its link in the new language.
    // The form's own translation also puts back the idle lamp of its design.
    if (serial_on())
        set_serial_idle(false);
    else
        parts.start_button->setText(tr("Start"));
    parts.connect_button->setText(net_open() ? tr("Disconnect") : tr("Connect"));
}

void LinkPanel::refresh_port_list()
{
    // The open port's settings stay as they are while the link stands.
    if (serial_on())
        return;
    QComboBox *ports = ui.ComPortcomboBox;
    const QString wanted = port_name();
    const QStringList names = system_port_names();
    QStringList listed;
    for (int i = 0; i < ports->count(); ++i)
        listed << ports->itemText(i);
    if (listed == names)
        return;
    ports->clear();
    ports->addItems(names);
    if (wanted.isEmpty())
        ports->setCurrentIndex(0);
    else
        select_port(wanted);
}

void LinkPanel::select_port(const QString &name)
{
    // A missing port selects none: Start must not open another device in
    // its place, and the name is kept for when the port comes back.
    const int index = ui.ComPortcomboBox->findText(name, Qt::MatchExactly);
    missing_port = index < 0 ? name : QString();
    ui.ComPortcomboBox->setCurrentIndex(index);
}

QString LinkPanel::port_name() const
{
    return ui.ComPortcomboBox->currentIndex() >= 0 ? ui.ComPortcomboBox->currentText()
                                                   : missing_port;
}

#include "link_panel.moc"
