#ifndef ZARVICK_PORT_ORDER_H
#define ZARVICK_PORT_ORDER_H

#include <QString>

// Natural order of device names: digit runs compare by value, so ttyS2
// comes before ttyS10 and the stored port index keeps its meaning from run
// to run.
bool natural_less(const QString &a, const QString &b);

#endif
