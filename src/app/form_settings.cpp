// config.ini applied to the form at start and saved at exit, and the
// language of every text.

#include "app/form_settings.h"

#include "app/boxes.h"
#include "app/system_reasons.h"
#include "control/cameras.h"
#include "service/restore_cameras.h"
#include "service/settings.h"
#include "ui_mainwindow.h"

#include <QDebug>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

namespace {
// Qt's own words for the standard buttons ("OK", "Cancel"), beside ours
// while Chinese is chosen; English needs none. Only the buttons: the
// system's reasons shown under a failure ("Connection refused") go through
// the program's own catalog (system_reason).
class StandardButtonWords : public QTranslator
{
public:
    using QTranslator::QTranslator;
    QString translate(const char *context, const char *source, const char *disambiguation,
                      int n) const override
    {
        const QByteArray name(context);
        if (name != "QPlatformTheme" && name != "QDialogButtonBox" && name != "QMessageBox")
            return QString();
        return QTranslator::translate(context, source, disambiguation, n);
    }
};

// The program's catalog and Qt's button words: each one translator, a child
// of the application found by its name, replaced whole by a language change
// (so that a language without a catalog, or a second window in the same
// process, inherits no words), and gone with the application.
const char *const own_words = "zarvick catalog";
const char *const button_words = "Qt's standard button words";

template <class Translator = QTranslator> QTranslator *fresh_translator(const char *name)
{
    QCoreApplication *application = QCoreApplication::instance();
    delete application->findChild<QTranslator *>(name, Qt::FindDirectChildrenOnly);
    auto *translator = new Translator(application);
    translator->setObjectName(name);
    return translator;
}

const char *const chinese_catalog = ":/trans/zh.qm";
const char *const english_catalog = ":/trans/en.qm";

const char *const config_file = "config.ini";

void load_qt_catalog(bool chinese)
{
    QTranslator *words = fresh_translator<StandardButtonWords>(button_words);
    if (chinese && words->load(QStringLiteral("qtbase_zh_CN"),
                               QLibraryInfo::location(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(words);
}

} // namespace

FormSettings::FormSettings(Ui::MainWindow &form, QMainWindow *main_window, Cameras &camera_list,
                           std::function<void()> panels_retranslate)
    : ui(form), parts(form), window(main_window), cameras(camera_list),
      retranslate_panels(std::move(panels_retranslate))
{
    // Off until switched on, and then kept either way.
    QObject::connect(ui.logExplainBox, &QCheckBox::toggled, ui.logExplainBox,
                     [this](bool on) { explain_kept = explain_kept || on; });
}

QStringList FormSettings::read_config()
{
    language = "Chinese";
    Settings stored;
    const bool found = stored.load(config_file);
    if (found)
        language = stored.language;
    else
        qDebug() << "不存在配置文件";
    remote_config = stored.remote;
    tally_config = stored.tally_source;
    monitor_config = stored.monitor;
    explain_kept = stored.explain_log.has_value();
    ui.logExplainBox->setChecked(stored.explain_log.value_or(false));
    apply_startup_language();
    // The stored position of the port names the form's port there.
    const QList<CameraSettings> listed =
        found ? stored.listed_cameras(ui.ComPortcomboBox->itemText(stored.port))
              : QList<CameraSettings>{first_start_camera()};
    return restore_cameras(cameras, stored, listed);
}

CameraSettings FormSettings::first_start_camera() const
{
    CameraSettings camera;
    // The form's first port, as the list shows it.
    camera.port_name = ui.ComPortcomboBox->itemText(0);
    return camera;
}

Settings FormSettings::current()
{
    Settings current;
    current.language = parts.language_box->currentIndex() == 0 ? "Chinese" : "English";
    for (int camera = 0; camera < cameras.count(); ++camera)
        cameras.settings(camera).was_open = cameras.state(camera) != Cameras::State::Closed;
    current.open_at_start = cameras.open_at_start();
    if (explain_kept)
        current.explain_log = ui.logExplainBox->isChecked();
    current.tally_source = tally_config;
    current.monitor = monitor_config;
    current.first = cameras.settings(0);
    const QString &port_name = current.first.port_name;
    current.port =
        port_name.isEmpty() ? -1 : ui.ComPortcomboBox->findText(port_name, Qt::MatchExactly);
    current.protocol = current.first.tcp ? "TCP" : "UDP";
    current.link = link_text(current.first.link());
    for (int camera = 1; camera < cameras.count(); ++camera)
        current.further << cameras.settings(camera);
    current.active = cameras.active() + 1;
    return current;
}

bool FormSettings::save_config(bool whatever_it_holds, QString *reason)
{
    if (baseline.valid())
        kept = baseline.get();
    if (whatever_it_holds)
        kept.clear();
    if (current().save(config_file, reason, &kept))
        return true;
    qWarning() << "config.ini could not be written:" << *reason;
    return false;
}

bool FormSettings::keep_config()
{
    QString reason;
    if (!baseline_taken) {
        // The settings as they stand at the start are what the file says
        // (or the defaults, where there is none): nothing to write yet.
        baseline_taken = true;
        baseline = std::async(std::launch::async, [start = current()] {
            QByteArray text;
            QString why;
            start.text(config_file, &text, &why);
            return text;
        });
        return true;
    }
    return save_config(false, &reason);
}

bool FormSettings::write_config_quietly()
{
    QString reason;
    return save_config(true, &reason);
}

bool FormSettings::write_config()
{
    // Written whatever it holds, as ever at the exit.
    QString reason;
    if (save_config(true, &reason))
        return true;
    const QString text =
        tr("The settings could not be saved to %1: %2")
            .arg(QFileInfo(config_file).absoluteFilePath(), system_reason(reason)) +
        "\n" + tr("Exit anyway?");
    return plain_box(window, QMessageBox::Warning, tr("warning"), text,
                     QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

void FormSettings::apply_startup_language()
{
    QTranslator *translator = fresh_translator(own_words);
    if (language == "Chinese")
        translator->load(chinese_catalog);
    else if (language == "English")
        translator->load(english_catalog);
    QCoreApplication::installTranslator(translator);
    load_qt_catalog(language == "Chinese");
    retranslate();
    if (language == "Chinese")
        parts.language_box->setCurrentIndex(0);
    else if (language == "English")
        parts.language_box->setCurrentIndex(1);
}

void FormSettings::change_language(int index)
{
    const bool english = index == 1;
    QTranslator *translator = fresh_translator(own_words);
    translator->load(english ? english_catalog : chinese_catalog);
    QCoreApplication::installTranslator(translator);
    load_qt_catalog(!english);
    language = english ? "English" : "Chinese";

    // A language change only translates. Refilling the lists moves them to
    // their first items: a speed put back to its default would move the
    // camera at a speed nobody chose.
    const QList<QComboBox *> boxes = fixed_combo_boxes();
    QList<int> chosen;
    for (QComboBox *box : boxes)
        chosen << box->currentIndex();
    const QList<QLineEdit *> fields = {ui.lineEdit_ip, ui.lineEdit_port, parts.preset_field,
                                       parts.loop_interval};
    QStringList typed;
    for (QLineEdit *field : fields)
        typed << field->text();

    retranslate();
    for (int i = 0; i < boxes.size(); ++i)
        boxes[i]->setCurrentIndex(chosen[i]);
    for (int i = 0; i < fields.size(); ++i)
        fields[i]->setText(typed[i]);
    parts.language_box->setCurrentIndex(english ? 1 : 0);
}

QList<QComboBox *> FormSettings::fixed_combo_boxes() const
{
    return {ui.BaucomboBox, ui.DataBitcomboBox, ui.ParitycomboBox, ui.StopBitcomboBox, ui.hcomboBox,
            ui.vcomboBox,   ui.zoomcomboBox,    ui.focuscomboBox,  parts.language_box};
}

void FormSettings::retranslate()
{
    ui.retranslateUi(window);
    // uic renames the items in place; the operator expects every fixed list
    // back at its first item and the two number fields empty.
    const auto boxes = fixed_combo_boxes();
    for (QComboBox *box : boxes)
        box->setCurrentIndex(0);
    parts.preset_field->clear();
    parts.loop_interval->clear();
    retranslate_panels();
}
