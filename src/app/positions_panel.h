#ifndef ZARVICK_POSITIONS_PANEL_H
#define ZARVICK_POSITIONS_PANEL_H

#include "app/default_names.h"
#include "control/camera_settings.h"
#include "control/camera_work.h"
#include "visca/positions.h"

#include <QCoreApplication>
#include <functional>
#include <memory>
#include <optional>

class Cameras;
class QBoxLayout;
class QListWidget;
class QListWidgetItem;
class QObject;
class QPushButton;
class QSpinBox;

// The active camera's kept positions, beside the camera list: "Keep
// position" asks the camera where it is and adds a row ("Position N",
// renamed in place); "Go" (or a double-click) moves the camera there;
// Delete removes the chosen row. A row that does not read as a position
// stays as it came and is never sent.
class PositionsPanel
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    // Where the operator reads what Keep and Go could not do.
    using Tell = std::function<void(const QString &)>;
    using Outcome = CameraWork::Outcome;
    PositionsPanel(Cameras &cameras, QBoxLayout *row, Tell status);
    ~PositionsPanel();
    void retranslate();
    // Where a deleted position is offered back: a notice, and what undoes it.
    std::function<void(std::function<QString()>, std::function<void()>)> offer_undo;

    // Keep position (Ctrl+K); Go to the active camera's kept position
    // `row` (F1 … F12).
    void keep();
    void go_to(int row);

private:
    void go();
    void remove();
    void renamed(QListWidgetItem *item);
    void show_list();

    Cameras &cameras;
    Tell tell;
    QListWidget *list;
    QPushButton *keep_button;
    QPushButton *go_button;
    QSpinBox *go_speed;
    std::unique_ptr<QObject> delete_key;
    std::unique_ptr<QObject> values_beside_names;
    bool filling = false;
    DefaultNames given_names;
};

#endif
