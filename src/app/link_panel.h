#ifndef ZARVICK_LINK_PANEL_H
#define ZARVICK_LINK_PANEL_H

#include "app/boxes.h"
#include "app/form_parts.h"
#include "app/notices.h"

#include <QCoreApplication>
#include <QStringList>
#include <functional>
#include <memory>

class Alerts;
class Cameras;
class Link;
class QObject;
class QWidget;
class SerialLink;
namespace Ui {
class MainWindow;
}

// The Serial and Net panels of the options box, a view of the active
// camera's links: they open and close them and show their state, which
// comes from the links themselves. A link closed by the operator or lost
// says so to the camera list itself (the drives on it end first); then
// `link_gone` runs (a loop must not go on into nothing).
class LinkPanel
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    LinkPanel(Ui::MainWindow &form, const Boxes &boxes, Cameras &cameras, Alerts &alerts);
    ~LinkPanel();
    // From now on the panel shows what becomes of `link`, and its loss is
    // told to the operator (a message box that waits for them): connected after
    // whatever must learn of the loss first.
    void report(Link &link, QObject *context);
    // The active camera's links as they stand.
    void show_state();
    // The system's ports, read while the form was being built.
    void list_ports(const QStringList &names);
    void start_or_close_serial();
    void connect_or_disconnect();
    // A protocol chosen: its standard port in the port field.
    void protocol_chosen(bool tcp, bool checked);
    // Selects the port by name; a missing one selects none and is kept.
    void select_port(const QString &name);
    // The name to store: the selected port's, or the missing one's.
    QString port_name() const;
    void retranslate();
    std::function<void()> link_gone;

private:
    void open_serial();
    void close_serial();
    void connect_net();
    void disconnect_net();
    void tcp_failed(const QString &reason, bool timed_out);
    void lost(const Link &link, const Notices::Words &text);
    void set_serial_idle(bool idle);
    void set_net_idle(bool idle);
    void refresh_port_list();
    // The line of the chosen port; the active camera's network links.
    SerialLink &serial();
    Link &net_link();
    bool net_open();
    // The line of the chosen port is open, or being opened again.
    bool serial_on();

    Ui::MainWindow &ui;
    const FormParts parts;
    const Boxes &boxes;
    Cameras &cameras;
    Alerts &alerts;
    // The stored port that is not listed now; none selected meanwhile.
    QString missing_port;
    std::unique_ptr<QObject> list_watch;
};

#endif
