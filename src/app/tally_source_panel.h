#ifndef ZARVICK_TALLY_SOURCE_PANEL_H
#define ZARVICK_TALLY_SOURCE_PANEL_H

#include "tally/tally_source_config.h"

#include <QCoreApplication>
#include <functional>

class Cameras;
class QBoxLayout;
class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QWidget;
class SwitcherTally;

// The Cameras tab's tally source: which switcher the lamps follow (None,
// TSL 3.1, TSL 5.0, vMix, OBS), its settings and each camera's index or
// scenes in a dialog, and the source's state (waiting, connected, lost,
// the last message's time, the error). A choice applies at once.
class TallySourcePanel
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    using Chosen = std::function<void(const TallySourceConfig &)>;
    // Where the operator is told that the source went.
    using Tell = std::function<void(const QString &)>;
    TallySourcePanel(SwitcherTally &switcher, Cameras &cameras, QBoxLayout *tab, int position,
                     Chosen chosen, Tell tell);
    void retranslate();
    void show_config();

private:
    void show_state();
    void make_dialog(QWidget *parent);
    void open_dialog();
    void apply();
    void fill_cameras();

    SwitcherTally &switcher;
    Cameras &cameras;
    Chosen chosen;
    Tell tell;
    // The source was lost or failed when last shown: said once a time.
    bool told = false;
    QLabel *caption;
    QComboBox *kind_box;
    QPushButton *settings_button;
    QLabel *state;
    QDialog *dialog = nullptr;
    QComboBox *transport_box = nullptr;
    QLineEdit *listen_edit = nullptr;
    QLineEdit *host_edit = nullptr;
    QSpinBox *port_box = nullptr;
    QLineEdit *password_edit = nullptr;
    QSpinBox *program_box = nullptr;
    QSpinBox *preview_box = nullptr;
    QTableWidget *camera_table = nullptr;
    QPushButton *apply_button = nullptr;
    QList<QLabel *> dialog_labels;
};

#endif
