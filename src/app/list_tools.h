#ifndef ZARVICK_LIST_TOOLS_H
#define ZARVICK_LIST_TOOLS_H

#include <QCoreApplication>
#include <functional>

class Cameras;
class QBoxLayout;
class QCheckBox;
class QPushButton;

// The row under the camera list's buttons: the list's order (Move up,
// Move down; Ctrl+1 … Ctrl+7 follow it) and its links as a whole (Open
// all, Close all, and whether the cameras open at the start).
class ListTools
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    // `closed` runs after Close all (a loop must not go on into nothing).
    ListTools(Cameras &cameras, QBoxLayout *layout, int position, std::function<void()> closed);
    // The stored choice, once the settings were read.
    void show_choice();
    void retranslate();

private:
    void show_order();

    Cameras &cameras;
    QPushButton *up_button = nullptr;
    QPushButton *down_button = nullptr;
    QPushButton *open_button = nullptr;
    QPushButton *close_button = nullptr;
    QCheckBox *at_start = nullptr;
};

#endif
