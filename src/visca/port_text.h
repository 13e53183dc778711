#ifndef ZARVICK_PORT_TEXT_H
#define ZARVICK_PORT_TEXT_H

#include <QString>
#include <QtGlobal>

// A port as typed (the window's port field, the simulator's options): a
// whole number from `lowest` to 65535. Out of range it would be cut to
// 16 bits and reach another service (70000 becomes 4464).
bool parse_port(const QString &text, quint16 *port, int lowest = 1);

#endif
