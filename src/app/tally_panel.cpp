#include "app/tally_panel.h"

#include "control/cameras.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>

TallyPanel::TallyPanel(QWidget *window, Cameras &camera_list, QBoxLayout *ptz_row,
                       QBoxLayout *cameras_tab, int position)
    : cameras(camera_list)
{
    button_sets << add_buttons(ptz_row->parentWidget(), ptz_row, "tally");
    auto *row = new QHBoxLayout();
    caption = new QLabel(cameras_tab->parentWidget());
    caption->setObjectName("tallyCaption");
    row->addWidget(caption);
    button_sets << add_buttons(cameras_tab->parentWidget(), row, "camerasTally");
    dialect_box = new QComboBox(cameras_tab->parentWidget());
    dialect_box->setObjectName("tallyDialectBox");
    row->addWidget(dialect_box);
    row->addStretch();
    cameras_tab->insertLayout(position, row);

    const std::pair<QKeySequence, visca::Tally> keys[] = {
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P), visca::Tally::program},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V), visca::Tally::preview},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O), visca::Tally::off}};
    for (const auto &[sequence, state] : keys) {
        auto *shortcut = new QShortcut(sequence, window);
        QObject::connect(shortcut, &QShortcut::activated, window,
                         [this, to = state] { cameras.set_tally(cameras.active(), to); });
    }
    QObject::connect(dialect_box, qOverload<int>(&QComboBox::activated), window, [this](int index) {
        cameras.active_settings().tally_dialect = visca::TallyDialect(index);
        cameras.note_changed();
    });
    QObject::connect(&cameras, &Cameras::listed, window, [this] { show_active(); });
    QObject::connect(&cameras, &Cameras::switched, window, [this] { show_active(); });
    retranslate();
}

TallyPanel::Buttons TallyPanel::add_buttons(QWidget *page, QBoxLayout *row, const QString &prefix)
{
    const auto button = [&](const char *name, visca::Tally state) {
        auto *made = new QPushButton(page);
        made->setObjectName(prefix + name);
        // A click must not take the keyboard from the pad.
        made->setFocusPolicy(Qt::NoFocus);
        made->setCheckable(true);
        row->addWidget(made);
        QObject::connect(made, &QPushButton::clicked, made,
                         [this, state] { cameras.set_tally(cameras.active(), state); });
        return made;
    };
    return {button("ProgramButton", visca::Tally::program),
            button("PreviewButton", visca::Tally::preview), button("OffButton", visca::Tally::off)};
}

void TallyPanel::show_active()
{
    if (cameras.active() < 0)
        return;
    const visca::Tally state = cameras.active_camera().tally();
    for (const Buttons &set : button_sets) {
        set.program->setChecked(state == visca::Tally::program);
        set.preview->setChecked(state == visca::Tally::preview);
        set.off->setChecked(state == visca::Tally::off);
    }
    dialect_box->setCurrentIndex(int(cameras.active_settings().tally_dialect));
}

void TallyPanel::retranslate()
{
    for (const Buttons &set : button_sets) {
        set.program->setText(tr("Program"));
        set.preview->setText(tr("Preview"));
        set.off->setText(tr("Off"));
    }
    caption->setText(tr("Tally:"));
    dialect_box->clear();
    dialect_box->addItems({QStringLiteral("Sony"), QStringLiteral("Datavideo"), tr("No tally")});
    dialect_box->setToolTip(tr("How the active camera's tally lamps are set"));
    show_active();
}
