#include "app/moves_panel.h"

#include "app/tab_parts.h"
#include "control/camera_work.h"
#include "control/cameras.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QPointer>
#include <QPushButton>

MovesPanel::MovesPanel(Cameras &camera_list, QBoxLayout *layout, int position, Tell status)
    : cameras(camera_list), tell(std::move(status))
{
    QWidget *page = layout->parentWidget();
    auto *row = new QHBoxLayout();
    list = new QComboBox(page);
    list->setObjectName("movesBox");
    // As wide whatever the names: a long one does not widen the window.
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(10);
    const auto button = [&](const char *name) {
        auto *made = new QPushButton(page);
        made->setObjectName(name);
        row->addWidget(made);
        return made;
    };
    record_button = button("recordMoveButton");
    row->addWidget(list);
    play_button = button("playMoveButton");
    delete_button = button("deleteMoveButton");
    row->addStretch();
    layout->insertLayout(position, row);
    QObject::connect(record_button, &QPushButton::clicked, page, [this] { record(); });
    QObject::connect(play_button, &QPushButton::clicked, page, [this] { play(); });
    QObject::connect(delete_button, &QPushButton::clicked, page, [this] { remove(); });
    QObject::connect(&cameras, &Cameras::switched, page, [this] { show_active(); });
    QObject::connect(&cameras, &Cameras::listed, page, [this] { show_active(); });
    QObject::connect(&cameras, &Cameras::moves_changed, page, [this](int index) {
        if (index == cameras.active())
            show_active();
    });
}

void MovesPanel::record()
{
    Camera &camera = cameras.active_camera();
    if (camera.recording()) {
        camera.stop_recording();
        return;
    }
    const QString name = camera.name();
    cameras.work().record(camera, tr("Move %1"), [this, name](CameraWork::Outcome outcome) {
        if (outcome == CameraWork::Outcome::full)
            tell(tr("%1 keeps at most %2 moves").arg(name).arg(CameraSettings::most_moves));
        else if (outcome == CameraWork::Outcome::silent)
            tell(tr("%1 did not say where it is: no move was recorded").arg(name));
    });
}

void MovesPanel::play()
{
    Camera &camera = cameras.active_camera();
    if (camera.playing()) {
        camera.stop_playing();
        return;
    }
    const int index = list->currentIndex();
    const QString name = camera.name();
    const QString move = camera.settings().moves.value(index).start.name;
    cameras.work().play(camera, index, [this, name, move](CameraWork::Outcome outcome) {
        if (outcome == CameraWork::Outcome::silent)
            tell(tr("%1 did not say where it is: the move was not played").arg(name));
        else if (outcome == CameraWork::Outcome::not_sent)
            tell(tr("%1 could not be played").arg(move));
    });
}

void MovesPanel::remove()
{
    Camera &camera = cameras.active_camera();
    QList<RecordedMove> &moves = camera.settings().moves;
    const int index = list->currentIndex();
    if (camera.playing() || index < 0 || index >= moves.size())
        return;
    const RecordedMove deleted = moves.takeAt(index);
    show_active();
    if (!offer_undo)
        return;
    const QPointer<Camera> owner = &camera;
    offer_undo([name = deleted.start.name] { return tr("%1 was deleted").arg(name); },
               [this, owner, index, deleted] {
                   if (!owner)
                       return;
                   QList<RecordedMove> &kept = owner->settings().moves;
                   RecordedMove back = deleted;
                   back.start.name = given_names.renamed(back.start.name);
                   kept.insert(qMin(index, kept.size()), back);
                   if (owner == &cameras.active_camera())
                       show_active();
               });
}

void MovesPanel::show_active()
{
    if (cameras.active() < 0)
        return;
    const Camera &camera = cameras.active_camera();
    const QList<RecordedMove> &moves = camera.settings().moves;
    const int chosen = list->currentIndex();
    const bool grown = moves.size() > list->count();
    list->clear();
    for (const RecordedMove &move : moves) {
        const bool usable = move.start.values() && read_move(move.drives);
        list->addItem(usable ? move.start.name : tr("%1 (cannot be used)").arg(move.start.name));
        list->setItemData(list->count() - 1, plain_tooltip(move.start.name), Qt::ToolTipRole);
    }
    // A move just recorded is the one to play next.
    list->setCurrentIndex(grown ? list->count() - 1 : qMin(chosen, list->count() - 1));
    const bool recording = camera.recording();
    const bool playing = camera.playing();
    record_button->setText(recording ? tr("Stop recording") : tr("Record move"));
    record_button->setEnabled(!playing);
    play_button->setText(playing ? tr("Stop playing") : tr("Play"));
    play_button->setEnabled(playing || (!recording && !moves.isEmpty()));
    delete_button->setEnabled(!recording && !playing && !moves.isEmpty());
    list->setEnabled(!recording && !playing);
}

void MovesPanel::retranslate()
{
    given_names.set_words(tr("Move %1"));
    for (int index = 0; index < cameras.count(); ++index) {
        for (RecordedMove &move : cameras.settings(index).moves)
            move.start.name = given_names.renamed(move.start.name);
    }
    // Wide enough for either caption: a play or a recording beginning does
    // not move the row.
    const auto fit = [](QPushButton *button, const QStringList &captions) {
        int widest = 0;
        for (const QString &caption : captions) {
            button->setText(caption);
            widest = qMax(widest, button->sizeHint().width());
        }
        button->setMinimumWidth(widest);
    };
    fit(record_button, {tr("Record move"), tr("Stop recording")});
    fit(play_button, {tr("Play"), tr("Stop playing")});
    delete_button->setText(tr("Delete move"));
    list->setToolTip(tr("The active camera's recorded moves"));
    show_active();
}
