#include "app/positions_panel.h"

#include "app/tab_parts.h"
#include "control/camera_work.h"
#include "control/cameras.h"

#include <QBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QStyledItemDelegate>

namespace {
// Runs `pressed` when Delete is pressed in the watched list.
class DeleteKey : public QObject
{
public:
    explicit DeleteKey(std::function<void()> pressed) : run(std::move(pressed)) {}
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress ||
            static_cast<QKeyEvent *>(event)->key() != Qt::Key_Delete)
            return false;
        run();
        return true;
    }

private:
    std::function<void()> run;
};

// Draws a position's values beside its name; the name alone is what
// renaming in place edits.
class ValuesBesideNames : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const QString values = index.data(Qt::UserRole).toString();
        if (!values.isEmpty())
            option->text += QStringLiteral("   ") + values;
    }
};
} // namespace

PositionsPanel::PositionsPanel(Cameras &camera_list, QBoxLayout *row, Tell status)
    : cameras(camera_list), tell(std::move(status)),
      delete_key(std::make_unique<DeleteKey>([this] { remove(); })),
      values_beside_names(std::make_unique<ValuesBesideNames>())
{
    QWidget *page = row->parentWidget();
    list = new QListWidget(page);
    list->setObjectName("positionsList");
    list->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    // Three names show, however little the camera list beside leaves.
    list->setMinimumHeight(3 * list->fontMetrics().lineSpacing() + 4 * list->frameWidth());
    list->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    list->installEventFilter(delete_key.get());
    list->setItemDelegate(static_cast<QStyledItemDelegate *>(values_beside_names.get()));
    keep_button = new QPushButton(page);
    keep_button->setObjectName("keepPositionButton");
    go_button = new QPushButton(page);
    go_button->setObjectName("goPositionButton");
    // One above the other: the camera list beside takes the width.
    auto *column = new QVBoxLayout();
    column->addWidget(list, 1);
    column->addWidget(keep_button);
    column->addWidget(go_button);
    go_speed = new QSpinBox(page);
    go_speed->setObjectName("goSpeedBox");
    // Pan's speeds, 1 to 18h; 0 stands for the PTZ tab's pan speed.
    go_speed->setRange(0, 0x18);
    // Its words whole: the column is at least as wide as they are.
    go_speed->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    column->addWidget(go_speed);
    QObject::connect(go_speed, qOverload<int>(&QSpinBox::valueChanged), list, [this](int speed) {
        if (!filling && cameras.active() >= 0)
            cameras.active_settings().go_speed = speed;
    });
    row->addLayout(column, 1);

    QObject::connect(keep_button, &QPushButton::clicked, list, [this] { keep(); });
    QObject::connect(go_button, &QPushButton::clicked, list, [this] { go(); });
    QObject::connect(list, &QListWidget::itemDoubleClicked, list, [this] { go(); });
    QObject::connect(list, &QListWidget::itemChanged, list,
                     [this](QListWidgetItem *item) { renamed(item); });
    QObject::connect(&cameras, &Cameras::switched, list, [this] { show_list(); });
}

PositionsPanel::~PositionsPanel() = default;

void PositionsPanel::keep()
{
    const QPointer<Camera> camera = &cameras.active_camera();
    const QString name = camera->name();
    cameras.work().keep(*camera, tr("Position %1"), [this, camera, name](Outcome outcome) {
        if (outcome == Outcome::full)
            tell(tr("%1 keeps at most %2 positions").arg(name).arg(CameraSettings::most_positions));
        else if (outcome == Outcome::silent)
            tell(tr("%1 did not say where it is: no position was kept").arg(name));
        if (outcome != Outcome::done || camera != &cameras.active_camera())
            return;
        show_list();
        list->setCurrentRow(list->count() - 1);
    });
}

void PositionsPanel::go() { go_to(list->currentRow()); }

void PositionsPanel::go_to(int row)
{
    Camera &camera = cameras.active_camera();
    const QString name = camera.name();
    const QString position = camera.settings().positions.value(row).name;
    cameras.work().go_to(camera, row, true, [this, name, position](Outcome outcome) {
        if (outcome == Outcome::unreadable)
            tell(tr("%1 is no position a camera can be sent to").arg(position));
        else if (outcome == Outcome::silent)
            tell(tr("%1 did not say where it is: the move was not sent").arg(name));
    });
}

void PositionsPanel::remove()
{
    const int row = list->currentRow();
    QList<KeptPosition> &kept = cameras.active_settings().positions;
    if (row < 0 || row >= kept.size())
        return;
    const KeptPosition deleted = kept.takeAt(row);
    show_list();
    if (!offer_undo)
        return;
    const QPointer<Camera> camera = &cameras.active_camera();
    offer_undo([name = deleted.name] { return tr("%1 was deleted").arg(name); },
               [this, camera, row, deleted] {
                   if (!camera)
                       return;
                   QList<KeptPosition> &positions = camera->settings().positions;
                   KeptPosition back = deleted;
                   back.name = given_names.renamed(back.name);
                   positions.insert(qMin(row, positions.size()), back);
                   show_list();
               });
}

void PositionsPanel::renamed(QListWidgetItem *item)
{
    const int row = list->row(item);
    QList<KeptPosition> &kept = cameras.active_settings().positions;
    if (filling || row < 0 || row >= kept.size())
        return;
    const QString name = item->text().trimmed();
    if (!name.isEmpty())
        kept[row].name = name;
    show_list();
}

void PositionsPanel::show_list()
{
    if (cameras.active() < 0)
        return;
    // Whatever shows the cameras (the outside interfaces' list and events)
    // follows the positions kept, deleted and renamed.
    cameras.note_changed();
    filling = true;
    const int chosen = list->currentRow();
    list->clear();
    const QList<KeptPosition> &kept = cameras.active_settings().positions;
    for (const KeptPosition &position : kept) {
        auto *item = new QListWidgetItem(list);
        if (const std::optional<KeptPosition::Values> values = position.values()) {
            item->setText(position.name);
            const QString shown =
                tr("pan %1, tilt %2, zoom %3").arg(values->pan).arg(values->tilt).arg(values->zoom);
            item->setData(Qt::UserRole, shown);
            item->setToolTip(plain_tooltip(position.name + '\n' + shown));
            item->setFlags(item->flags() | Qt::ItemIsEditable);
        } else {
            // Kept as it came, never sent.
            item->setText(tr("%1 (cannot be used)").arg(position.name));
            item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        }
    }
    list->setCurrentRow(qMin(chosen, list->count() - 1));
    go_speed->setValue(cameras.active_settings().go_speed);
    filling = false;
}

void PositionsPanel::retranslate()
{
    given_names.set_words(tr("Position %1"));
    for (int camera = 0; camera < cameras.count(); ++camera) {
        for (KeptPosition &position : cameras.settings(camera).positions)
            position.name = given_names.renamed(position.name);
    }
    keep_button->setText(tr("Keep position"));
    go_button->setText(tr("Go"));
    go_speed->setPrefix(tr("Go speed "));
    // 0: the PTZ tab's pan speed.
    go_speed->setSpecialValueText(tr("Go: pad speed"));
    go_speed->setToolTip(tr("The faster axis's speed of a Go; the other is matched so that "
                            "pan and tilt arrive together"));
    show_list();
}
