#include "pressers.h"

#include "testsupport.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {
const int presses = 500;
const int warm_up = 20;
} // namespace

double micros(Clock::duration span)
{
    return std::chrono::duration<double, std::micro>(span).count();
}

void Presser::measure_one(bool keep)
{
    arrivals.clear();
    const Clock::time_point start = Clock::now();
    press();
    Clock::time_point arrived;
    if (!arrivals.next(&arrived))
        qFatal("bytes never arrived");
    if (keep)
        found.push_back(micros(arrived - start));
    after();
    QCoreApplication::processEvents(); // paint the log as an operator would see it
}

void press_by_turns(Presser &first, Presser &second)
{
    for (int i = 0; i < presses + warm_up; ++i) {
        for (Presser *side : {&first, &second})
            side->measure_one(i >= warm_up);
    }
}

Pad::Pad(const char *mode)
{
    show_exposed(&window);
    up = control<QPushButton>(&window, "ptz_upButton");
    QTest::mouseClick(control<QRadioButton>(&window, mode), Qt::LeftButton);
}

Presser Pad::presser(Arrivals &arrivals)
{
    return {arrivals,
            [this] { QTest::mousePress(up, Qt::LeftButton); },
            [this, &arrivals] {
                QTest::mouseRelease(up, Qt::LeftButton);
                Clock::time_point ignored;
                arrivals.next(&ignored);
            },
            {}};
}
