#ifndef ZARVICK_MOVES_PANEL_H
#define ZARVICK_MOVES_PANEL_H

#include "app/default_names.h"

#include <QCoreApplication>
#include <functional>

class Cameras;
class QBoxLayout;
class QComboBox;
class QPushButton;

// The active camera's recorded moves, on the Cameras tab: "Record move"
// asks the camera where it is and records from there until "Stop
// recording"; "Play" goes to the chosen move's start and plays it ("Stop
// playing" ends it, as a press does); "Delete move" removes it, with undo.
class MovesPanel
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    // Where the operator reads what Record and Play could not do.
    using Tell = std::function<void(const QString &)>;
    // A row of its own at `position` of the tab's `layout`.
    MovesPanel(Cameras &cameras, QBoxLayout *layout, int position, Tell status);
    void retranslate();
    std::function<void(std::function<QString()>, std::function<void()>)> offer_undo;

private:
    void record();
    void play();
    void remove();
    void show_active();

    Cameras &cameras;
    Tell tell;
    QComboBox *list = nullptr;
    QPushButton *record_button = nullptr;
    QPushButton *play_button = nullptr;
    QPushButton *delete_button = nullptr;
    DefaultNames given_names;
};

#endif
