#include "app/cameras_panel.h"

#include "app/add_camera_dialog.h"
#include "app/camera_table_look.h"
#include "app/camera_texts.h"
#include "app/link_panel.h"
#include "app/tab_parts.h"
#include "control/camera_list_model.h"
#include "control/cameras.h"
#include "ui_mainwindow.h"
#include "visca/commands.h"

#include <QComboBox>
#include <QHeaderView>
#include <QShortcut>
#include <QTableView>
#include <algorithm>

namespace {
const int state_refresh_ms = 1000;
// Ctrl+1 to Ctrl+7: the first seven cameras, a chain's worth.
const int shortcut_cameras = 7;

} // namespace

CamerasPanel::CamerasPanel(Ui::MainWindow &form, QMainWindow *main_window, Cameras &camera_list,
                           LinkPanel &link_panel, const Boxes &window_boxes)
    : ui(form), window(main_window), cameras(camera_list), links(link_panel), boxes(window_boxes),
      poller(camera_list.positions())
{
    build_tab();
    // Positions are asked for while somebody looks at them; the lists grow
    // with the window while they are shown (the form's own tabs keep their
    // height and leave the rest to the log).
    QObject::connect(ui.tabWidget, &QTabWidget::currentChanged, table, [this] {
        const bool shown = ui.tabWidget->currentWidget() == tab;
        poller.set_running(shown);
        QSizePolicy policy = ui.tabWidget->sizePolicy();
        policy.setVerticalPolicy(shown ? QSizePolicy::Expanding : QSizePolicy::Maximum);
        ui.tabWidget->setSizePolicy(policy);
        ui.verticalLayout_15->setStretch(0, shown ? 1 : 0);
    });
    QObject::connect(&cameras, &Cameras::listed, table, [this] { show_list(); });
    QObject::connect(&cameras, &Cameras::switched, table, [this] { show_list(); });
    QObject::connect(&cameras, &Cameras::state_changed, table, [this] { show_link_box_state(); });
    QObject::connect(&finder, &ChainFinder::found, table,
                     [this](int count) { chain_found(count); });
    QObject::connect(&finder, &ChainFinder::silent, table,
                     [this] { note->setText(tr("No camera answered on %1").arg(asked_port)); });
    state_clock.setInterval(state_refresh_ms);
    QObject::connect(&state_clock, &QTimer::timeout, table, [this] {
        // "Not answering since" and a position's age come with time.
        look->refresh();
        show_link_box_state();
    });
    state_clock.start();
    // With Shift down too: the operator may be holding main-keyboard +.
    for (int camera = 0; camera < shortcut_cameras; ++camera) {
        for (const int shift : {0, int(Qt::SHIFT)}) {
            auto *shortcut =
                new QShortcut(QKeySequence(Qt::CTRL + shift + Qt::Key_1 + camera), window);
            QObject::connect(shortcut, &QShortcut::activated, table,
                             [this, camera] { cameras.set_active(camera); });
        }
    }
}

void CamerasPanel::build_tab()
{
    tab = new QWidget();
    tab->setObjectName("tab_cameras");
    look = new CameraTableLook(cameras, tab);
    table = new QTableView(tab);
    table->setObjectName("camerasTable");
    table->setModel(look);
    show_as_tab_list(table);
    table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    table->setWordWrap(false);
    fit_columns();
    add_button = new QPushButton(tab);
    add_button->setObjectName("addCameraButton");
    remove_button = new QPushButton(tab);
    remove_button->setObjectName("removeCameraButton");
    find_button = new QPushButton(tab);
    find_button->setObjectName("findCamerasButton");
    link_box = new QComboBox(tab);
    link_box->setObjectName("linkKindBox");
    note = tab_note(tab, "camerasNote");
    auto *buttons = new QHBoxLayout();
    buttons->addWidget(add_button);
    buttons->addWidget(remove_button);
    buttons->addWidget(find_button);
    buttons->addWidget(link_box);
    buttons->addStretch();
    layout = new QVBoxLayout(tab);
    list_layout = new QHBoxLayout();
    list_layout->addWidget(table, 4);
    layout->addLayout(list_layout, 4);
    layout->addLayout(buttons);
    layout->addWidget(note);
    ui.tabWidget->addTab(tab, QString());

    QObject::connect(add_button, &QPushButton::clicked, table, [this] { add_camera(); });
    QObject::connect(remove_button, &QPushButton::clicked, table, [this] { remove_camera(); });
    QObject::connect(find_button, &QPushButton::clicked, table, [this] { find_on_line(); });
    QObject::connect(link_box, qOverload<int>(&QComboBox::activated), table, [this](int kind) {
        cameras.set_link(cameras.active(), CameraSettings::LinkKind(kind));
    });
    QObject::connect(table->selectionModel(), &QItemSelectionModel::currentRowChanged, table,
                     [this](const QModelIndex &current) {
                         if (!filling && current.isValid())
                             cameras.set_active(current.row());
                     });
    QObject::connect(&cameras.model(), &CameraListModel::address_taken, table,
                     [this](int, int other, int address) {
                         boxes.warn(tr("%1 is at address %2 on this link already")
                                        .arg(cameras.settings(other).name)
                                        .arg(address));
                     });
}

void CamerasPanel::fit_columns()
{
    // Every column in sight at the window's first size: long names and
    // links are cut short (whole in their tooltips), the position takes
    // what is left; rows as high as their text, so that five show.
    QHeaderView *header = table->horizontalHeader();
    const int character = table->fontMetrics().averageCharWidth();
    const std::pair<int, int> widths[] = {{CameraListModel::NameColumn, 10},
                                          {CameraListModel::LinkColumn, 13},
                                          {CameraListModel::StateColumn, 10}};
    for (const auto &[column, characters] : widths) {
        header->setSectionResizeMode(column, QHeaderView::Interactive);
        header->resizeSection(column, characters * character + 12);
    }
    header->setSectionResizeMode(CameraListModel::AddressColumn, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(CameraListModel::PositionColumn, QHeaderView::Stretch);
    header->setMinimumSectionSize(3 * character);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 8);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void CamerasPanel::add_camera()
{
    // The dialog starts from the active camera's kind of link and line
    // settings; the window goes on (and its cameras with it) while it is open.
    if (cameras.full()) {
        note->setText(tr("The list holds at most %1 cameras").arg(CameraSettings::most_cameras));
        return;
    }
    auto *dialog = new AddCameraDialog(cameras, cameras.active_settings().beside(), window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(dialog, &QDialog::accepted, table, [this, dialog] {
        if (cameras.full())
            return;
        CameraSettings camera = dialog->camera();
        camera.name = cameras.free_name(tr("Camera %1"));
        cameras.set_active(cameras.add(camera));
    });
    dialog->open();
}

void CamerasPanel::remove_camera()
{
    const int place = cameras.active();
    if (cameras.count() < 2)
        return;
    CameraSettings removed = cameras.settings(place);
    removed.was_open = cameras.state(place) != Cameras::State::Closed;
    const visca::Tally lamp = cameras.camera(place).tally();
    cameras.remove(place);
    if (!offer_undo)
        return;
    offer_undo([name = removed.name] { return tr("%1 was removed").arg(name); },
               [this, removed, place, lamp] {
                   // Back at its place, with its positions; where another camera took
                   // its address meanwhile, at the first free one.
                   CameraSettings back = removed;
                   // A name it was given in the language before is given in this one.
                   back.name = given_names.renamed(back.name);
                   if (cameras.same_camera(back) >= 0)
                       back.visca_address = cameras.free_address(back);
                   if (cameras.full() || back.visca_address == 0)
                       return;
                   const int added = cameras.add(back);
                   cameras.move(added, place);
                   cameras.set_active(place);
                   if (back.was_open)
                       cameras.open(place);
                   // Its lamps as they were: sent now, or once its link opens.
                   if (lamp != visca::Tally::off)
                       cameras.set_tally(place, lamp);
               });
}

void CamerasPanel::find_on_line()
{
    const CameraSettings &active = cameras.active_settings();
    if (active.port_name.isEmpty()) {
        boxes.inform(tr("No serial port is chosen"));
        return;
    }
    LinkChannel &line = cameras.serial_channel(active.port_name);
    if (!line.isOpen())
        links.start_or_close_serial();
    if (!line.isOpen())
        return;
    asked_port = active.port_name;
    note->setText(tr("Asking the cameras on %1 …").arg(asked_port));
    if (!finder.find(line))
        note->clear();
}

void CamerasPanel::chain_found(int count)
{
    const CameraSettings model = cameras.active_settings().beside();
    int added = 0;
    for (int address = CameraSettings::first_address; address <= count; ++address) {
        bool listed = false;
        for (int camera = 0; camera < cameras.count(); ++camera) {
            const CameraSettings &other = cameras.settings(camera);
            listed = listed || (other.port_name == asked_port && other.visca_address == address);
        }
        if (listed || cameras.full())
            continue;
        CameraSettings camera = model;
        camera.name = cameras.free_name(tr("Camera %1"));
        camera.set_link(CameraSettings::LinkKind::Serial);
        camera.port_name = asked_port;
        camera.visca_address = address;
        cameras.add(camera);
        ++added;
    }
    note->setText(
        tr("Cameras on %1: %2, added to the list: %3").arg(asked_port).arg(count).arg(added));
}

void CamerasPanel::show_list()
{
    filling = true;
    const QModelIndex active = look->index(cameras.active(), CameraListModel::NameColumn);
    table->selectionModel()->setCurrentIndex(active, QItemSelectionModel::ClearAndSelect |
                                                         QItemSelectionModel::Rows);
    table->scrollTo(active);
    remove_button->setEnabled(cameras.count() > 1);
    link_box->setCurrentIndex(int(cameras.active_settings().link()));
    show_link_box_state();
    filling = false;
    show_caption();
}

void CamerasPanel::show_link_box_state()
{
    // A link keeps its kind while it is open.
    link_box->setEnabled(cameras.state(cameras.active()) == Cameras::State::Closed);
}

void CamerasPanel::show_caption()
{
    // The form's caption in the language chosen, as its translation sets it.
    const QString caption = tr("MainWindow");
    window->setWindowTitle(cameras.count() > 1 ? caption + QStringLiteral(" — ") +
                                                     cameras.settings(cameras.active()).name
                                               : caption);
}

void CamerasPanel::step(int steps)
{
    const int count = cameras.count();
    cameras.set_active(((cameras.active() + steps) % count + count) % count);
}

void CamerasPanel::tell(const QStringList &notices)
{
    if (!notices.isEmpty())
        note->setText(notices.join('\n'));
}

void CamerasPanel::retranslate()
{
    given_names.set_words(tr("Camera %1"));
    for (int camera = 0; camera < cameras.count(); ++camera)
        cameras.rename(camera, given_names.renamed(cameras.settings(camera).name));
    ui.tabWidget->setTabText(ui.tabWidget->indexOf(tab), tr("Cameras"));
    look->refresh();
    // The State column fits its longest word in the language now shown.
    int state_width = 10 * table->fontMetrics().averageCharWidth();
    for (const QString &state : {tr("closed"), tr("reconnecting"), tr("open"), tr("answering")})
        state_width = std::max(state_width, table->fontMetrics().horizontalAdvance(state));
    table->horizontalHeader()->resizeSection(CameraListModel::StateColumn, state_width + 12);
    add_button->setText(tr("Add"));
    remove_button->setText(tr("Remove"));
    find_button->setText(tr("Find cameras on the line"));
    link_box->clear();
    // In the order of the kinds.
    link_box->addItems(
        {tr("Serial"), QStringLiteral("TCP"), QStringLiteral("UDP"), tr("VISCA over IP")});
    link_box->setToolTip(tr("The active camera's link"));
    note->clear();
    if (cameras.active() >= 0)
        show_list();
}
