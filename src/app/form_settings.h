#ifndef ZARVICK_FORM_SETTINGS_H
#define ZARVICK_FORM_SETTINGS_H

#include "app/form_parts.h"
#include "monitor/monitor_config.h"
#include "remote/remote_config.h"
#include "tally/tally_source_config.h"

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <future>

class CameraForm;
class Cameras;
class LinkPanel;
class QComboBox;
struct CameraSettings;
struct Settings;
class QMainWindow;
namespace Ui {
class MainWindow;
}

// The settings: config.ini read into the camera list at start and the
// list saved at exit, and the language, whose change translates every text
// and keeps every choice.
class FormSettings
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    // `retranslate_panels` puts back the captions that tell a state.
    FormSettings(Ui::MainWindow &form, QMainWindow *window, Cameras &cameras,
                 std::function<void()> retranslate_panels);
    // What the operator is to know of the file: more cameras or positions
    // than were read, addresses mended.
    QStringList read_config();
    // False when the operator chose to stay after the file could not be written.
    bool write_config();
    // Writes the file when the cameras or the operator's choices changed
    // since it was read or last written, without a word to the operator:
    // a crash or a kill loses nothing. False when it could not be written.
    bool keep_config();
    // Writes the file, as the confirmed exit does, without a word.
    bool write_config_quietly();
    void change_language(int index);
    // The outside interfaces' settings as the file had them at the start.
    const RemoteConfig &remote() const { return remote_config; }
    // The switcher the lamps follow, as read and as chosen since.
    const TallySourceConfig &tally_source() const { return tally_config; }
    void set_tally_source(const TallySourceConfig &config) { tally_config = config; }
    // The Monitor tab's pairs, as read and as set since.
    const MonitorConfig &monitor_pairs() const { return monitor_config; }
    void set_monitor_pairs(const MonitorConfig &config) { monitor_config = config; }

private:
    Settings current();
    // Writes the file, unless it would come out as last written and
    // `whatever_it_holds` is false.
    bool save_config(bool whatever_it_holds, QString *reason);
    CameraSettings first_start_camera() const;
    void apply_startup_language();
    void retranslate();
    QList<QComboBox *> fixed_combo_boxes() const;

    Ui::MainWindow &ui;
    const FormParts parts;
    QMainWindow *window;
    Cameras &cameras;
    std::function<void()> retranslate_panels;
    QString language;
    RemoteConfig remote_config;
    TallySourceConfig tally_config;
    MonitorConfig monitor_config;
    // The log's Explain has been switched on, now or in an earlier run.
    bool explain_kept = false;
    // What the file holds as last read or written: a file of the same
    // settings is not written again.
    QByteArray kept;
    bool baseline_taken = false;
    // The file's text as the settings stood at the start, made beside the
    // window's first frame: nothing is written until they change.
    std::future<QByteArray> baseline;
};

#endif
