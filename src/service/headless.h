#ifndef ZARVICK_HEADLESS_H
#define ZARVICK_HEADLESS_H

#include "control/cameras.h"

#include <QHash>
#include <QObject>
#include <functional>
#include <memory>

class Interfaces;
class RemoteCommands;
class SwitcherTally;
namespace monitor {
class Monitor;
}

// What `zarvick --headless` is asked for on its command line.
struct HeadlessChoice {
    bool open_all = false;
    // TX and RX lines too.
    bool verbose = false;
    // The outside interfaces' ports over config.ini's; 0 for the file's.
    int http_port = 0;
    int osc_port = 0;
    // Monitor pairs (LISTEN=TARGET) beside config.ini's.
    QStringList monitor_pairs;
};

// Zarvick without a window, for a machine nobody sits at: config.ini's
// cameras opened, and served to whatever the file sets up (HTTP, OSC, the
// switcher's tally) by the same cameras, commands and interfaces the window
// uses, and the monitor pairs set up. Each event is told as one line of
// plain text. Ending it (the object destroyed) stops what moves as its
// links close.
class Headless : public QObject
{
    Q_OBJECT

public:
    using Print = std::function<void(const QString &)>;
    explicit Headless(Print print, QObject *parent = nullptr);
    ~Headless() override;
    // Reads config.ini in the working folder and starts serving. False,
    // with the reason, when nothing is set up to serve or something set up
    // cannot be had (a port taken, an address not allowed).
    bool start(const HeadlessChoice &choice, QString *reason);
    // Ends the program (a signal came): nothing more taken from outside,
    // every axis that may be moving stopped, and `done` once the cameras
    // confirmed their stops. A second call ends at once.
    void end(const std::function<void()> &done);

private:
    void tell_links(Link &link);
    void tell_states();
    void tell_traffic();
    void tell_tally_source();
    bool start_monitor(const QStringList &pairs, bool verbose, QString *reason);
    QString name_of(const Link &link) const;

    Print print;
    Cameras cameras;
    std::unique_ptr<SwitcherTally> switcher_tally;
    std::unique_ptr<RemoteCommands> remote;
    std::unique_ptr<Interfaces> interfaces;
    std::unique_ptr<monitor::Monitor> watch;
    // What was last told of each camera's state, by its id.
    QHash<int, Cameras::State> told_states;
    bool ending = false;
};

#endif
