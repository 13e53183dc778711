#include "tally/switcher_tally.h"

#include "control/cameras.h"

SwitcherTally::SwitcherTally(Cameras &camera_list, QObject *parent)
    : QObject(parent), cameras(camera_list), feed(this)
{
    connect(&feed, &TallySource::lamps, this, &SwitcherTally::take);
    connect(&feed, &TallySource::scenes, this, &SwitcherTally::take_scenes);
    connect(&feed, &TallySource::state_changed, this, &SwitcherTally::changed);
}

void SwitcherTally::start(const TallySourceConfig &config)
{
    chosen = config;
    said.clear();
    said_by_scene.clear();
    feed.start(config);
}

void SwitcherTally::take(const QList<switcher::Lamp> &lamps)
{
    for (const switcher::Lamp &lamp : lamps) {
        // A switcher repeats itself: only a change moves a lamp.
        const auto known = said.constFind(lamp.index);
        if (known != said.constEnd() && *known == lamp.state)
            continue;
        said.insert(lamp.index, lamp.state);
        for (int index = 0; index < cameras.count(); ++index) {
            if (cameras.settings(index).tally_index == lamp.index)
                cameras.set_switcher_tally(index, lamp.state);
        }
    }
}

void SwitcherTally::take_scenes(const QString &program, const QString &preview)
{
    for (int index = 0; index < cameras.count(); ++index) {
        const CameraSettings &camera = cameras.settings(index);
        if (camera.tally_scenes.isEmpty())
            continue;
        const visca::Tally state = camera.tally_scenes.contains(program) ? visca::Tally::program
                                   : !preview.isEmpty() && camera.tally_scenes.contains(preview)
                                       ? visca::Tally::preview
                                       : visca::Tally::off;
        const auto known = said_by_scene.constFind(camera.id);
        if (known != said_by_scene.constEnd() && *known == state)
            continue;
        said_by_scene.insert(camera.id, state);
        cameras.set_switcher_tally(index, state);
    }
}
