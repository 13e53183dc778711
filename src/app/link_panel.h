#ifndef ZARVICK_LINK_PANEL_H
#define ZARVICK_LINK_PANEL_H

#include "app/boxes.h"
#include "links/serial_link.h"
#include "links/tcp_link.h"
#include "links/udp_link.h"

#include <QCoreApplication>
#include <QStringList>
#include <functional>
#include <memory>

class QObject;
class QWidget;
namespace Ui {
class MainWindow;
}

// The Serial and Net panels of the options box: they open and close the
// links and show their state, which comes from the links themselves. A
// link closed by the operator or lost says so to the hold owner itself
// (its drives end first); then `link_gone` runs (a loop must not go on
// into nothing).
class LinkPanel
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    LinkPanel(Ui::MainWindow &form, QWidget *window, const Boxes &boxes);
    ~LinkPanel();
    // From now on a lost link sets its panel idle and tells the operator
    // (a box that waits for them): connected after whatever must hear the
    // loss first.
    void report_losses(QObject *context);
    // The system's ports, read while the form was being built.
    void list_ports(const QStringList &names);
    void start_or_close_serial();
    void connect_or_disconnect();
    // A protocol chosen: its standard port in the port field.
    void protocol_chosen(bool tcp, bool checked);
    // The open link a Mode pair chooses (serial or network), or none.
    Link *link_for(bool serial);
    QList<Link *> links();
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
    void lost(const QString &text);
    void set_serial_idle(bool idle);
    void set_net_idle(bool idle);
    void refresh_port_list();

    Ui::MainWindow &ui;
    const Boxes &boxes;
    SerialLink serial;
    TcpLink tcp;
    UdpLink udp;
    // The stored port that is not listed now; none selected meanwhile.
    QString missing_port;
    std::unique_ptr<QObject> list_watch;
};

#endif
