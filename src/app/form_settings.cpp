// config.ini applied to the form at start and saved at exit, and the
// language of every text.

#include "app/form_settings.h"

#include "app/link_panel.h"
#include "app/settings.h"
#include "ui_mainwindow.h"
#include "visca/commands.h"

#include <QDebug>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

namespace {
// Qt's own words for the standard buttons ("OK", "Cancel"), beside ours
// while Chinese is chosen; English needs none. Only the buttons: the
// system's reasons shown under a failure ("Connection refused") stay as
// the system gives them.
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
const char *const default_camera_address = "192.168.1.88";
// The default items: 9600 baud, 8 data bits, 1 stop bit, speed 15, speed 3.
const int default_baud_rate = 3;
const int default_data_bits = 3;
const int default_stop_bits = 0;
const int default_pan_tilt_speed = 14;
const int default_zoom_focus_speed = 3;

// A stored index that selects no item would leave the box empty, and an
// empty speed box sends speed FF: such a box keeps its default item.
void select(QComboBox *box, int index, int default_index)
{
    box->setCurrentIndex(index >= 0 && index < box->count() ? index : default_index);
}

void load_qt_catalog(bool chinese)
{
    QTranslator *words = fresh_translator<StandardButtonWords>(button_words);
    if (chinese && words->load(QStringLiteral("qtbase_zh_CN"),
                               QLibraryInfo::location(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(words);
}

} // namespace

FormSettings::FormSettings(Ui::MainWindow &form, QMainWindow *main_window, LinkPanel &link_panel,
                           std::function<void()> panels_retranslate)
    : ui(form), window(main_window), links(link_panel),
      retranslate_panels(std::move(panels_retranslate))
{
}

void FormSettings::read_config()
{
    language = "Chinese";
    Settings stored;
    if (!stored.load(config_file)) {
        qDebug() << "不存在配置文件";
        apply_startup_language();
        set_defaults();
        return;
    }
    language = stored.language;
    apply_startup_language();

    // The name wins: ports come and go, and the position then points at
    // another device. Files from before the name was kept have the position.
    // A position outside the list selects none, as a missing name does:
    // Start must not open a device nobody chose.
    if (stored.port_name.isEmpty())
        ui.ComPortcomboBox->setCurrentIndex(
            stored.port < ui.ComPortcomboBox->count() ? qMax(stored.port, -1) : -1);
    else
        links.select_port(stored.port_name);
    select(ui.BaucomboBox, stored.baud_rate, default_baud_rate);
    select(ui.DataBitcomboBox, stored.data_bits, default_data_bits);
    select(ui.ParitycomboBox, stored.parity, 0);
    select(ui.StopBitcomboBox, stored.stop_bits, default_stop_bits);
    select(ui.hcomboBox, stored.pan_speed, default_pan_tilt_speed);
    select(ui.vcomboBox, stored.tilt_speed, default_pan_tilt_speed);
    select(ui.zoomcomboBox, stored.zoom_speed, default_zoom_focus_speed);
    select(ui.focuscomboBox, stored.focus_speed, default_zoom_focus_speed);

    if (stored.protocol == "TCP")
        ui.radioButton_tcp->setChecked(true);
    else if (stored.protocol == "UDP")
        ui.radioButton_udp->setChecked(true);
    ui.lineEdit_ip->setText(stored.address);
    ui.lineEdit_port->setText(stored.net_port);
}

bool FormSettings::write_config()
{
    Settings current;
    current.language = ui.comboBox_3->currentIndex() == 0 ? "Chinese" : "English";
    current.port = ui.ComPortcomboBox->currentIndex();
    current.port_name = links.port_name();
    current.baud_rate = ui.BaucomboBox->currentIndex();
    current.data_bits = ui.DataBitcomboBox->currentIndex();
    current.parity = ui.ParitycomboBox->currentIndex();
    current.stop_bits = ui.StopBitcomboBox->currentIndex();
    current.pan_speed = ui.hcomboBox->currentIndex();
    current.tilt_speed = ui.vcomboBox->currentIndex();
    current.zoom_speed = ui.zoomcomboBox->currentIndex();
    current.focus_speed = ui.focuscomboBox->currentIndex();
    current.protocol = ui.radioButton_tcp->isChecked() ? "TCP" : "UDP";
    current.address = ui.lineEdit_ip->text();
    current.net_port = ui.lineEdit_port->text();

    QString reason;
    if (current.save(config_file, &reason))
        return true;
    qWarning() << "config.ini could not be written:" << reason;
    const QString text = tr("The settings could not be saved to %1: %2")
                             .arg(QFileInfo(config_file).absoluteFilePath(), reason) +
                         "\n" + tr("Exit anyway?");
    return QMessageBox::warning(window, tr("warning"), text,
                                QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

void FormSettings::set_defaults()
{
    ui.BaucomboBox->setCurrentIndex(default_baud_rate);
    ui.DataBitcomboBox->setCurrentIndex(default_data_bits);
    ui.StopBitcomboBox->setCurrentIndex(default_stop_bits);
    ui.hcomboBox->setCurrentIndex(default_pan_tilt_speed);
    ui.vcomboBox->setCurrentIndex(default_pan_tilt_speed);
    ui.zoomcomboBox->setCurrentIndex(default_zoom_focus_speed);
    ui.focuscomboBox->setCurrentIndex(default_zoom_focus_speed);
    ui.lineEdit_ip->setText(default_camera_address);
    ui.lineEdit_port->setText(QString::number(visca::tcp_port, 10));
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
        ui.comboBox_3->setCurrentIndex(0);
    else if (language == "English")
        ui.comboBox_3->setCurrentIndex(1);
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
    const QList<QLineEdit *> fields = {ui.lineEdit_ip, ui.lineEdit_port, ui.lineEdit_2,
                                       ui.lineEdit};
    QStringList typed;
    for (QLineEdit *field : fields)
        typed << field->text();

    retranslate();
    for (int i = 0; i < boxes.size(); ++i)
        boxes[i]->setCurrentIndex(chosen[i]);
    for (int i = 0; i < fields.size(); ++i)
        fields[i]->setText(typed[i]);
    ui.comboBox_3->setCurrentIndex(english ? 1 : 0);
}

QList<QComboBox *> FormSettings::fixed_combo_boxes() const
{
    return {ui.BaucomboBox, ui.DataBitcomboBox, ui.ParitycomboBox, ui.StopBitcomboBox, ui.hcomboBox,
            ui.vcomboBox,   ui.zoomcomboBox,    ui.focuscomboBox,  ui.comboBox_3};
}

void FormSettings::retranslate()
{
    ui.retranslateUi(window);
    // uic renames the items in place; the operator expects every fixed list
    // back at its first item and the two number fields empty.
    const auto boxes = fixed_combo_boxes();
    for (QComboBox *box : boxes)
        box->setCurrentIndex(0);
    ui.lineEdit_2->clear();
    ui.lineEdit->clear();
    retranslate_panels();
}
