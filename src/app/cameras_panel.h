#ifndef ZARVICK_CAMERAS_PANEL_H
#define ZARVICK_CAMERAS_PANEL_H

#include "app/boxes.h"
#include "app/default_names.h"
#include "control/chain_finder.h"
#include "control/position_poller.h"
#include "visca/camera_commands.h"

#include <QCoreApplication>
#include <QTimer>
#include <functional>

class CameraTableLook;
class Cameras;
class LinkPanel;
class QBoxLayout;
class QComboBox;
class QLabel;
class QMainWindow;
class QPushButton;
class QTableView;
class QWidget;
namespace Ui {
class MainWindow;
}

// The Cameras tab, after the form's own tabs: the camera list with each
// camera's link, VISCA address and state; add, remove, rename (in place),
// pick the active camera (a click on its row, Ctrl+1 to Ctrl+7), and find
// the cameras chained on the active camera's serial line. With several
// cameras the window's caption names the active one.
class CamerasPanel
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    CamerasPanel(Ui::MainWindow &form, QMainWindow *window, Cameras &cameras, LinkPanel &links,
                 const Boxes &boxes);
    // The tab's layout, for the parts that share the tab.
    QBoxLayout *tab_layout() const { return layout; }
    // The row of the camera list, for what goes beside it.
    QBoxLayout *list_row() const { return list_layout; }
    // Steps through the list from the active camera, round at its ends.
    void step(int steps);
    void retranslate();
    // What reading config.ini left out or mended, under the list.
    void tell(const QStringList &notices);
    // Where a removed camera is offered back: a notice, and what undoes it.
    std::function<void(std::function<QString()>, std::function<void()>)> offer_undo;

private:
    void build_tab();
    void fit_columns();
    void add_camera();
    void remove_camera();
    void find_on_line();
    void chain_found(int count);
    void show_list();
    void show_link_box_state();
    void show_caption();

    Ui::MainWindow &ui;
    QMainWindow *window;
    Cameras &cameras;
    LinkPanel &links;
    const Boxes &boxes;
    ChainFinder finder;
    PositionPoller &poller;
    QWidget *tab = nullptr;
    QBoxLayout *layout = nullptr;
    QBoxLayout *list_layout = nullptr;
    CameraTableLook *look = nullptr;
    QTableView *table = nullptr;
    QPushButton *add_button = nullptr;
    QPushButton *remove_button = nullptr;
    QPushButton *find_button = nullptr;
    QComboBox *link_box = nullptr;
    QLabel *note = nullptr;
    DefaultNames given_names;
    // The port the chain was asked on.
    QString asked_port;
    // While the table is being filled, its changes are no operator's.
    bool filling = false;
    // "Not answering" comes with time, not with an event.
    QTimer state_clock;
};

#endif
