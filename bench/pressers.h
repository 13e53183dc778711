#ifndef ZARVICK_BENCH_PRESSERS_H
#define ZARVICK_BENCH_PRESSERS_H

#include "app/mainwindow.h"
#include "arrivals.h"

#include <functional>
#include <vector>

class QPushButton;

double micros(Clock::duration span);

// One side of a press-to-peer comparison: how it presses, where its bytes
// arrive, and what follows each press.
struct Presser {
    Arrivals &arrivals;
    std::function<void()> press;
    std::function<void()> after;
    std::vector<double> found;

    void measure_one(bool keep);
};

// 500 presses of each side, by turns, after 20 that warm caches up: how
// fast a sleeping core wakes for the peer changes over a run, and would
// weigh on whichever side ran then.
void press_by_turns(Presser &first, Presser &second);

// The window's up button, pressed with the mouse, on the link `mode` chooses.
struct Pad {
    MainWindow window;
    QPushButton *up;
    explicit Pad(const char *mode);
    Presser presser(Arrivals &arrivals);
};

#endif
