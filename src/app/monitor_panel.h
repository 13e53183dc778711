#ifndef ZARVICK_MONITOR_PANEL_H
#define ZARVICK_MONITOR_PANEL_H

#include "monitor/line.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>

class MonitorPairDialog;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QWidget;

namespace monitor {
class Monitor;
}

// The Monitor tab: the pairs (where the controller sends, the camera,
// each one's state), Add (a dialog), Remove, Start and Stop, the lines as
// they pass (filtered by direction, camera and command), the per-command
// table, and Save capture, a text `zarvick --explain` reads back.
class MonitorPanel
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    // Called with the pairs' texts whenever the operator changes them.
    using Changed = std::function<void(const QStringList &pairs)>;
    MonitorPanel(QTabWidget *tabs, const QStringList &pairs, Changed changed);
    ~MonitorPanel();
    void retranslate();
    monitor::Monitor &monitor() { return *watch; }
    // The lines the filters let through, as Save capture writes them.
    QStringList capture() const;
    bool save_capture(const QString &path, QString *reason) const;

    // Lines kept for the view and the capture: the oldest go first.
    static constexpr int most_lines = 20000;

private:
    void build(QWidget *page);
    void add(const QString &pair);
    void remove();
    void start_or_stop();
    void save();
    void take(const monitor::Line &line);
    bool shown(const monitor::Line &line) const;
    void show_lines();
    void flush_lines();
    void show_line_starts();
    void show_pairs();
    void show_stats();

    std::unique_ptr<monitor::Monitor> watch;
    Changed changed;
    QTabWidget *tabs;
    QWidget *page = nullptr;
    std::unique_ptr<MonitorPairDialog> dialog;
    QTableWidget *pairs_table = nullptr;
    QPushButton *add_button = nullptr;
    QPushButton *remove_button = nullptr;
    QPushButton *start_button = nullptr;
    QPushButton *save_button = nullptr;
    QLabel *state = nullptr;
    QLabel *filter_caption = nullptr;
    QComboBox *direction_filter = nullptr;
    QComboBox *address_filter = nullptr;
    QLineEdit *command_filter = nullptr;
    QPlainTextEdit *lines_view = nullptr;
    QTableWidget *stats_table = nullptr;
    std::deque<monitor::Line> kept;
    // Lines come faster than a view can draw them: they are added a few
    // times a second, together.
    QStringList waiting;
    QTimer drawing;
    QStringList failures;
};

#endif
