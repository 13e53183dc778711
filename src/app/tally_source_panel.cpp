#include "app/tally_source_panel.h"

#include "control/cameras.h"
#include "tally/switcher_tally.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

namespace {
enum CameraColumn { name_column, index_column, scenes_column, camera_columns };

template <class T> T *named(QWidget *parent, const char *name)
{
    auto *made = new T(parent);
    made->setObjectName(name);
    return made;
}
} // namespace

TallySourcePanel::TallySourcePanel(SwitcherTally &switcher_tally, Cameras &camera_list,
                                   QBoxLayout *tab, int position, Chosen on_choice, Tell notice)
    : switcher(switcher_tally), cameras(camera_list), chosen(std::move(on_choice)),
      tell(std::move(notice))
{
    QWidget *page = tab->parentWidget();
    caption = named<QLabel>(page, "tallySourceCaption");
    kind_box = named<QComboBox>(page, "tallySourceBox");
    settings_button = named<QPushButton>(page, "tallySourceSettingsButton");
    state = named<QLabel>(page, "tallySourceState");
    // What a switcher or the system says shows as it is, never as markup.
    state->setTextFormat(Qt::PlainText);
    auto *row = new QHBoxLayout;
    for (QWidget *part :
         std::initializer_list<QWidget *>{caption, kind_box, settings_button, state})
        row->addWidget(part);
    row->addStretch();
    tab->insertLayout(position, row);
    for (int kind = 0; kind < TallySourceConfig::kind_texts().size(); ++kind)
        kind_box->addItem(QString());
    make_dialog(page->window());
    QObject::connect(kind_box, QOverload<int>::of(&QComboBox::activated), page,
                     [this] { apply(); });
    QObject::connect(settings_button, &QPushButton::clicked, page, [this] { open_dialog(); });
    QObject::connect(&switcher, &SwitcherTally::changed, page, [this] { show_state(); });
    retranslate();
}

void TallySourcePanel::make_dialog(QWidget *parent)
{
    dialog = named<QDialog>(parent, "tallySourceDialog");
    transport_box = named<QComboBox>(dialog, "tallySourceTransportBox");
    transport_box->addItems({"UDP", "TCP"});
    listen_edit = named<QLineEdit>(dialog, "tallySourceListenEdit");
    host_edit = named<QLineEdit>(dialog, "tallySourceHostEdit");
    port_box = named<QSpinBox>(dialog, "tallySourcePortBox");
    port_box->setRange(0, 65535);
    password_edit = named<QLineEdit>(dialog, "tallySourcePasswordEdit");
    password_edit->setEchoMode(QLineEdit::Password);
    program_box = named<QSpinBox>(dialog, "tallySourceProgramBox");
    preview_box = named<QSpinBox>(dialog, "tallySourcePreviewBox");
    for (QSpinBox *bit : {program_box, preview_box})
        bit->setRange(1, 4);
    camera_table = named<QTableWidget>(dialog, "tallySourceCameraTable");
    camera_table->setColumnCount(camera_columns);
    camera_table->verticalHeader()->hide();
    camera_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    camera_table->horizontalHeader()->setStretchLastSection(true);
    apply_button = named<QPushButton>(dialog, "tallySourceApplyButton");
    auto *form = new QFormLayout;
    for (QWidget *field :
         std::initializer_list<QWidget *>{transport_box, listen_edit, host_edit, port_box,
                                          password_edit, program_box, preview_box}) {
        dialog_labels << new QLabel(dialog);
        form->addRow(dialog_labels.last(), field);
    }
    auto *layout = new QVBoxLayout(dialog);
    layout->addLayout(form);
    layout->addWidget(camera_table);
    layout->addWidget(apply_button, 0, Qt::AlignRight);
    dialog->resize(620, 520);
    QObject::connect(apply_button, &QPushButton::clicked, dialog, [this] {
        apply();
        dialog->close();
    });
}

void TallySourcePanel::retranslate()
{
    caption->setText(tr("Tally source"));
    const QStringList kinds{tr("No source"), tr("TSL 3.1"), tr("TSL 5.0"), tr("vMix"),
                            tr("OBS Studio")};
    for (int kind = 0; kind < kinds.size(); ++kind)
        kind_box->setItemText(kind, kinds.at(kind));
    settings_button->setText(tr("Settings…"));
    dialog->setWindowTitle(tr("Tally source"));
    const QStringList labels{
        tr("Transport"), tr("Listen on"),           tr("Switcher address"),   tr("Port"),
        tr("Password"),  tr("Program tally (1-4)"), tr("Preview tally (1-4)")};
    for (int label = 0; label < labels.size(); ++label)
        dialog_labels.at(label)->setText(labels.at(label));
    camera_table->setHorizontalHeaderLabels(
        {tr("Camera"), tr("Index or input"), tr("OBS scenes (separated by |)")});
    apply_button->setText(tr("Apply"));
    show_state();
}

void TallySourcePanel::show_config()
{
    const TallySourceConfig &config = switcher.config();
    kind_box->setCurrentIndex(int(config.kind));
    transport_box->setCurrentIndex(config.tcp ? 1 : 0);
    listen_edit->setText(config.listen);
    host_edit->setText(config.host);
    port_box->setValue(config.port);
    password_edit->setText(config.password);
    program_box->setValue(config.program_tally);
    preview_box->setValue(config.preview_tally);
    show_state();
}

void TallySourcePanel::open_dialog()
{
    show_config();
    fill_cameras();
    dialog->show();
    dialog->raise();
}

void TallySourcePanel::fill_cameras()
{
    camera_table->setRowCount(cameras.count());
    for (int row = 0; row < cameras.count(); ++row) {
        const CameraSettings &camera = cameras.settings(row);
        const QStringList cells{
            camera.name, camera.tally_index >= 0 ? QString::number(camera.tally_index) : QString(),
            camera.tally_scenes.join('|')};
        for (int column = 0; column < camera_columns; ++column) {
            auto *item = new QTableWidgetItem(cells.at(column));
            if (column == name_column)
                item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            camera_table->setItem(row, column, item);
        }
    }
}

void TallySourcePanel::apply()
{
    TallySourceConfig config = switcher.config();
    config.kind = TallySourceConfig::Kind(qMax(0, kind_box->currentIndex()));
    config.kept = true;
    if (dialog->isVisible()) {
        config.tcp = transport_box->currentIndex() == 1;
        config.listen = listen_edit->text().trimmed();
        config.host = host_edit->text().trimmed();
        config.port = port_box->value();
        config.password = password_edit->text();
        config.program_tally = program_box->value();
        config.preview_tally = preview_box->value();
        // The rows are the cameras as the dialog opened: a camera since
        // removed leaves its row unread.
        for (int row = 0; row < camera_table->rowCount() && row < cameras.count(); ++row) {
            CameraSettings &camera = cameras.settings(row);
            bool ok = false;
            const int index = camera_table->item(row, index_column)->text().trimmed().toInt(&ok);
            camera.tally_index = ok && index >= 0 && index < 0xFFFF ? index : -1;
            camera.tally_scenes.clear();
            for (const QString &scene :
                 camera_table->item(row, scenes_column)->text().split('|', Qt::SkipEmptyParts)) {
                if (camera.tally_scenes.size() < CameraSettings::most_tally_scenes)
                    camera.tally_scenes << scene.trimmed().left(CameraSettings::longest_scene_name);
            }
        }
    }
    chosen(config);
}

void TallySourcePanel::show_state()
{
    const TallySource &source = switcher.source();
    QString text;
    switch (source.state()) {
    case TallySource::State::off: break;
    case TallySource::State::waiting: text = tr("waiting for the switcher"); break;
    case TallySource::State::connected: text = tr("connected"); break;
    case TallySource::State::lost: text = tr("lost: %1").arg(source.error()); break;
    case TallySource::State::failed: text = tr("failed: %1").arg(source.error()); break;
    }
    if (source.last_message().isValid())
        text += tr(" (last message %1)").arg(source.last_message().toString("HH:mm:ss"));
    state->setText(text);
    // The notice line says it once; the lamps keep what they showed.
    const bool gone =
        source.state() == TallySource::State::lost || source.state() == TallySource::State::failed;
    if (gone && !told)
        tell(tr("Tally source %1: the lamps keep their last state").arg(text));
    told = gone;
}
