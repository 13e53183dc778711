#include "monitor/monitor.h"

#include "monitor/pair.h"

#include <QCoreApplication>

namespace monitor {

Monitor::Monitor(QObject *parent) : QObject(parent) {}

Monitor::~Monitor() { stop(); }

Pair *Monitor::make_pair(const PairSpec &setup)
{
    auto *pair = new Pair(all.size() + 1, setup, this);
    connect(pair, &Pair::line, this, &Monitor::take);
    connect(pair, &Pair::failed, this,
            [this, pair](const QString &reason) { emit pair_failed(all.indexOf(pair), reason); });
    return pair;
}

bool Monitor::add(const PairSpec &setup, QString *error)
{
    if (all.size() >= most_pairs) {
        if (error)
            *error = QCoreApplication::translate("MainWindow", "at most %1 pairs").arg(most_pairs);
        return false;
    }
    Pair *pair = make_pair(setup);
    all << pair;
    QString why;
    if (is_running && !pair->start(&why)) {
        all.removeLast();
        pair->deleteLater();
        if (error)
            *error = why;
        return false;
    }
    return true;
}

void Monitor::remove(int index)
{
    if (index < 0 || index >= all.size())
        return;
    Pair *pair = all.takeAt(index);
    pair->stop();
    pair->disconnect(this);
    pair->deleteLater();
    // The numbers follow the list.
    for (int i = 0; i < all.size(); ++i)
        all.at(i)->set_number(i + 1);
}

QList<PairSpec> Monitor::pairs() const
{
    QList<PairSpec> specs;
    for (const Pair *pair : all)
        specs << pair->setup();
    return specs;
}

bool Monitor::pair_running(int index) const
{
    return index >= 0 && index < all.size() && all.at(index)->running();
}

bool Monitor::start(QString *error)
{
    if (is_running)
        return true;
    for (Pair *pair : qAsConst(all)) {
        QString why;
        if (!pair->start(&why)) {
            for (Pair *started : qAsConst(all))
                started->stop();
            *error = QCoreApplication::translate("MainWindow", "pair %1 (%2): %3")
                         .arg(pair->number())
                         .arg(pair_text(pair->setup()), why);
            return false;
        }
    }
    is_running = true;
    emit running_changed(true);
    return true;
}

void Monitor::stop()
{
    if (!is_running)
        return;
    for (Pair *pair : qAsConst(all))
        pair->stop();
    is_running = false;
    emit running_changed(false);
}

void Monitor::take(const Line &line)
{
    table.take(line);
    emit this->line(line);
}

} // namespace monitor
