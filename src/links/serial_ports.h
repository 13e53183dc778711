#ifndef ZARVICK_SERIAL_PORTS_H
#define ZARVICK_SERIAL_PORTS_H

#include <QStringList>

// The names of the serial ports the system reports (ttyS0, ttyUSB0 …) and
// of virtual ports linked in /dev to a pseudo-terminal, in natural order so
// that a stored index keeps its meaning from run to run. Safe to call from
// another thread.
QStringList system_port_names();

#endif
