#include "app/found_cameras_panel.h"

#include "app/system_reasons.h"
#include "app/tab_parts.h"

#include "control/cameras.h"
#include "links/address_check.h"
#include "visca/commands.h"
#include "visca/port_text.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <algorithm>

namespace {
const int frame_ms = 16;

QString hex_word(int value) { return QString("%1").arg(value, 4, 16, QChar('0')).toUpper() + 'h'; }
} // namespace

FoundCamerasPanel::FoundCamerasPanel(Cameras &camera_list, QBoxLayout *tab) : cameras(camera_list)
{
    QWidget *page = tab->parentWidget();
    find_button = new QPushButton(page);
    find_button->setObjectName("findNetworkButton");
    probe_address = new QLineEdit(page);
    probe_address->setObjectName("probeAddress");
    probe_port = new QLineEdit(page);
    probe_port->setObjectName("probePort");
    probe_port->setMaximumWidth(probe_port->fontMetrics().horizontalAdvance("00000000"));
    probe_button = new QPushButton(page);
    probe_button->setObjectName("probeButton");
    table = tab_list(page, "foundTable", column_count);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A search finds several cameras: four rows show, whatever the rest of
    // the tab takes.
    table->setMinimumHeight(table->horizontalHeader()->sizeHint().height() +
                            4 * table->verticalHeader()->defaultSectionSize() +
                            2 * table->frameWidth());
    // The columns fit the rows in view: measuring all 256 rows' words at
    // every frame of a flood took longer than the frame.
    table->horizontalHeader()->setResizeContentsPrecision(0);
    add_button = new QPushButton(page);
    add_button->setObjectName("addFoundButton");
    note = tab_note(page, "foundNote");

    auto *asking = new QHBoxLayout();
    asking->addWidget(find_button);
    asking->addStretch();
    asking->addWidget(probe_address);
    asking->addWidget(probe_port);
    asking->addWidget(probe_button);
    auto *adding = new QHBoxLayout();
    adding->addWidget(add_button);
    adding->addWidget(note, 1);
    tab->addLayout(asking);
    tab->addWidget(table, 1);
    tab->addLayout(adding);

    // Among the window's objects, so that its search's window is found by
    // name like the widgets (a test ends it when every answer is in).
    finder.setParent(table);
    QObject::connect(find_button, &QPushButton::clicked, &finder, [this] { find(); });
    QObject::connect(probe_button, &QPushButton::clicked, &finder, [this] { probe(); });
    QObject::connect(probe_address, &QLineEdit::returnPressed, &finder, [this] { probe(); });
    QObject::connect(probe_port, &QLineEdit::returnPressed, &finder, [this] { probe(); });
    QObject::connect(add_button, &QPushButton::clicked, &finder, [this] { add(); });
    QObject::connect(&finder, &NetworkFinder::found, &finder,
                     [this](const visca::DiscoveryReply &reply) { take(reply); });
    QObject::connect(&finder, &NetworkFinder::finished, &finder, [this](int answered) {
        find_button->setEnabled(true);
        note->setText(tr("Network cameras that answered: %1").arg(answered));
    });
    QObject::connect(&prober, &LinkProbe::answered, &finder,
                     [this](const QHostAddress &address, const LinkProbe::Answer &answer) {
                         probed(address, answer);
                     });
    QObject::connect(&prober, &LinkProbe::silent, &finder, [this](const QHostAddress &address) {
        probe_button->setEnabled(true);
        note->setText(tr("Nothing answered at %1").arg(address.toString()));
    });
    QObject::connect(&cameras, &Cameras::listed, &finder, [this] { show_rows(); });
    redraw.setSingleShot(true);
    redraw.setInterval(frame_ms);
    QObject::connect(&redraw, &QTimer::timeout, &finder, [this] { show_changed(); });
}

void FoundCamerasPanel::find()
{
    QString reason;
    if (!finder.find(&reason)) {
        note->setText(tr("The enquiry could not be sent: %1").arg(system_reason(reason)));
        return;
    }
    find_button->setEnabled(false);
    note->setText(tr("Asking the network cameras …"));
}

void FoundCamerasPanel::probe()
{
    QString text = probe_address->text().trimmed();
    const int row = table->currentRow();
    if (text.isEmpty() && row >= 0 && row < rows.size())
        text = rows.at(row).address;
    QHostAddress address;
    if (text.isEmpty() || !parse_camera_address(text, &address)) {
        note->setText(tr("Network information fill in error"));
        return;
    }
    // No port: each way on its usual one.
    quint16 port = 0;
    if (!probe_port->text().trimmed().isEmpty() && !parse_port(probe_port->text(), &port)) {
        note->setText(tr("Port information fill in error"));
        return;
    }
    probe_button->setEnabled(false);
    note->setText(tr("Probing %1 …").arg(address.toString()));
    prober.probe(address, port);
}

void FoundCamerasPanel::add()
{
    const int row = table->currentRow();
    if (row < 0 || row >= rows.size())
        return;
    const Found &chosen = rows.at(row);
    const int listed = listed_at(chosen);
    if (listed >= 0) {
        note->setText(
            tr("%1 is listed already as %2").arg(chosen.address, cameras.settings(listed).name));
        return;
    }
    if (cameras.full()) {
        note->setText(tr("The list holds at most %1 cameras").arg(CameraSettings::most_cameras));
        return;
    }
    CameraSettings camera;
    camera.name = chosen.name.isEmpty() ? cameras.free_name(tr("Camera %1")) : chosen.name;
    camera.set_link(chosen.link);
    camera.address = chosen.address;
    camera.port = QString::number(chosen.port);
    cameras.set_active(cameras.add(camera));
}

void FoundCamerasPanel::take(const visca::DiscoveryReply &reply)
{
    // The table holds what one search may list, however many searches came.
    const bool known = std::any_of(rows.cbegin(), rows.cend(), [&reply](const Found &row) {
        return row.address == reply.address();
    });
    if (!known && rows.size() >= NetworkFinder::most_cameras)
        return;
    Found &found = row_for(reply.address());
    for (int row = 0; row < rows.size(); ++row) {
        if (&rows.at(row) == &found && !changed.contains(row))
            changed << row;
    }
    found.name = reply.value("NAME");
    found.model = reply.value("MODEL");
    found.mac = reply.value("MAC");
    found.version = reply.value("SOFTVERSION");
    QStringList fields;
    for (const auto &field : reply.fields)
        fields << field.first + ": " + field.second;
    found.fields = fields.join('\n');
    if (!redraw.isActive())
        redraw.start();
}

void FoundCamerasPanel::probed(const QHostAddress &address, const LinkProbe::Answer &answer)
{
    probe_button->setEnabled(true);
    Found &found = row_for(address.toString());
    found.link = answer.link;
    found.port = answer.port;
    found.probed = true;
    found.answer = tr("vendor %1, model %2, ROM %3, %4 sockets")
                       .arg(hex_word(answer.version.vendor), hex_word(answer.version.model),
                            hex_word(answer.version.rom))
                       .arg(answer.version.sockets);
    note->setText(tr("%1 answers on %2").arg(found.address, link_text(found)));
    show_rows();
    // The row probed is the one Add takes.
    for (int row = 0; row < rows.size(); ++row) {
        if (rows.at(row).address == found.address)
            table->setCurrentCell(row, 0);
    }
}

FoundCamerasPanel::Found &FoundCamerasPanel::row_for(const QString &address)
{
    for (Found &found : rows) {
        if (found.address == address)
            return found;
    }
    rows.append(Found());
    rows.last().address = address;
    return rows.last();
}

int FoundCamerasPanel::listed_at(const Found &found) const
{
    // The same camera only where everything that reaches it is the same:
    // one address may serve several cameras (a converter's ports, a chain
    // behind one port).
    const int visca_address = CameraSettings().visca_address;
    for (int camera = 0; camera < cameras.count(); ++camera) {
        const CameraSettings &listed = cameras.settings(camera);
        if (!listed.serial_mode && listed.link() == found.link && listed.address == found.address &&
            listed.port.trimmed().toUShort() == found.port && listed.visca_address == visca_address)
            return camera;
    }
    return -1;
}

QString FoundCamerasPanel::link_text(const Found &found) const
{
    if (found.link == CameraSettings::LinkKind::Tcp)
        return QStringLiteral("TCP %1").arg(found.port);
    return found.link == CameraSettings::LinkKind::ViscaOverIp
               ? tr("VISCA over IP %1").arg(found.port)
               : QStringLiteral("UDP %1").arg(found.port);
}

void FoundCamerasPanel::show_row(int row)
{
    const Found &found = rows.at(row);
    const int listed = listed_at(found);
    QString link = link_text(found);
    if (listed >= 0)
        link += ' ' + tr("(listed as %1)").arg(cameras.settings(listed).name);
    const QStringList texts = {found.name,    found.model, found.address, found.mac,
                               found.version, link,        found.answer};
    const QString tooltip = plain_tooltip(found.fields);
    for (int column = 0; column < column_count; ++column) {
        QTableWidgetItem *item = table->item(row, column);
        if (item) {
            item->setText(texts.at(column));
            item->setToolTip(tooltip);
            continue;
        }
        // Filled before it is placed: the table hears of it once.
        item = new QTableWidgetItem(texts.at(column));
        item->setToolTip(tooltip);
        table->setItem(row, column, item);
    }
}

void FoundCamerasPanel::show_rows()
{
    const int chosen = table->currentRow();
    table->setRowCount(rows.size());
    for (int row = 0; row < rows.size(); ++row)
        show_row(row);
    changed.clear();
    table->setCurrentCell(chosen >= 0 ? chosen : rows.size() - 1, 0);
}

void FoundCamerasPanel::show_changed()
{
    table->setRowCount(rows.size());
    for (const int row : qAsConst(changed))
        show_row(row);
    changed.clear();
    if (table->currentRow() < 0 && !rows.isEmpty())
        table->setCurrentCell(rows.size() - 1, 0);
}

void FoundCamerasPanel::retranslate()
{
    find_button->setText(tr("Find network cameras"));
    probe_address->setPlaceholderText(tr("IP address to probe"));
    probe_button->setText(tr("Probe"));
    probe_port->setPlaceholderText(tr("Port"));
    add_button->setText(tr("Add to the list"));
    table->setHorizontalHeaderLabels({tr("Name"), tr("Model"), tr("IP address"), tr("MAC address"),
                                      tr("Version"), tr("Link"), tr("Answer")});
    note->clear();
    show_rows();
}
