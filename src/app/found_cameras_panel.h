#ifndef ZARVICK_FOUND_CAMERAS_PANEL_H
#define ZARVICK_FOUND_CAMERAS_PANEL_H

#include "control/link_probe.h"
#include "control/network_finder.h"
#include "visca/visca_over_ip.h"

#include <QCoreApplication>

class Cameras;
class QBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// The Cameras tab's network part: "Find network cameras" lists the cameras
// that answer the network enquiry; "Probe" asks an address (typed, or the
// found row chosen) which link its camera answers on; "Add" makes the
// chosen row a camera of the list, marked when one is listed there already.
class FoundCamerasPanel
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    enum Column {
        NameColumn,
        ModelColumn,
        AddressColumn,
        MacColumn,
        VersionColumn,
        LinkColumn,
        AnswerColumn,
        column_count
    };

    FoundCamerasPanel(Cameras &cameras, QBoxLayout *tab);
    void retranslate();

private:
    struct Found {
        QString name;
        QString model;
        QString address;
        QString mac;
        QString version;
        // Every field of the enquiry's answer, unknown ones too.
        QString fields;
        // The probe's answer (vendor, model, ROM, sockets).
        QString answer;
        // How the camera answered a probe; VISCA over IP until one did.
        CameraSettings::LinkKind link = CameraSettings::LinkKind::ViscaOverIp;
        quint16 port = visca_over_ip::usual_port();
        bool probed = false;
    };
    void find();
    void probe();
    void add();
    void take(const visca::DiscoveryReply &reply);
    void probed(const QHostAddress &address, const LinkProbe::Answer &answer);
    Found &row_for(const QString &address);
    // The camera of the list the found one is (link kind, address, port and
    // VISCA address alike), or -1.
    int listed_at(const Found &found) const;
    void show_row(int row);
    void show_rows();
    // The rows that answers changed since the last frame.
    void show_changed();
    QString link_text(const Found &found) const;

    Cameras &cameras;
    NetworkFinder finder;
    LinkProbe prober;
    QList<Found> rows;
    // Answers that come in a flood are shown together, once a frame.
    QTimer redraw;
    QList<int> changed;
    QPushButton *find_button;
    QLineEdit *probe_address;
    QLineEdit *probe_port;
    QPushButton *probe_button;
    QTableWidget *table;
    QPushButton *add_button;
    QLabel *note;
};

#endif
