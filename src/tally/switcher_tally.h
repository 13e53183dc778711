#ifndef ZARVICK_SWITCHER_TALLY_H
#define ZARVICK_SWITCHER_TALLY_H

#include "tally/tally_source.h"

#include <QHash>
#include <QObject>

class Cameras;

// The switcher's tally on the cameras' lamps: each display or input the
// source tells goes to the cameras whose tally index it is, sent in their
// dialects as any tally is. A camera's lamp follows the switcher only when
// the switcher changes what it says of that camera: a change by hand holds
// until then. A source lost leaves the lamps as they are.
class SwitcherTally : public QObject
{
    Q_OBJECT

public:
    explicit SwitcherTally(Cameras &cameras, QObject *parent = nullptr);
    void start(const TallySourceConfig &config);
    const TallySourceConfig &config() const { return chosen; }
    TallySource &source() { return feed; }

signals:
    // The source's state changed.
    void changed();

private:
    void take(const QList<switcher::Lamp> &lamps);
    void take_scenes(const QString &program, const QString &preview);

    Cameras &cameras;
    TallySourceConfig chosen;
    TallySource feed;
    // What the switcher last said of each display or input.
    QHash<int, visca::Tally> said;
    // What OBS last said of each camera, by its id.
    QHash<int, visca::Tally> said_by_scene;
};

#endif
