#ifndef ZARVICK_TALLY_PANEL_H
#define ZARVICK_TALLY_PANEL_H

#include "visca/camera_commands.h"

#include <QCoreApplication>
#include <QList>

class Cameras;
class QBoxLayout;
class QComboBox;
class QLabel;
class QPushButton;
class QWidget;

// The active camera's tally: Program, Preview and Off beside the PTZ tab's
// camera line and on the Cameras tab (with the camera's tally dialect),
// and Ctrl+Shift+P, V and O anywhere in the window.
class TallyPanel
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    TallyPanel(QWidget *window, Cameras &cameras, QBoxLayout *ptz_row, QBoxLayout *cameras_tab,
               int position);
    void retranslate();

private:
    struct Buttons {
        QPushButton *program;
        QPushButton *preview;
        QPushButton *off;
    };
    Buttons add_buttons(QWidget *page, QBoxLayout *row, const QString &prefix);
    void show_active();

    Cameras &cameras;
    QList<Buttons> button_sets;
    QLabel *caption = nullptr;
    QComboBox *dialect_box = nullptr;
};

#endif
