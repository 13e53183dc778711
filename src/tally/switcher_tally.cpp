#include "tally/switcher_tally.h"

#include "control/cameras.h"

SwitcherTally::SwitcherTally(Cameras &camera_list, QObject *parent)
    : QObject(parent), cameras(camera_list), feed(this)
{
    connect(&feed, &TallySource::lamps, this, &SwitcherTally::take);
    connect(&feed, &TallySource::state_changed, this, &SwitcherTally::changed);
}

void SwitcherTally::start(const TallySourceConfig &config)
{
    chosen = config;
    said.clear();
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
