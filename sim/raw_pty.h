#ifndef ZARVICK_SIM_RAW_PTY_H
#define ZARVICK_SIM_RAW_PTY_H

#include <QString>

// A pseudo-terminal pair standing in for a serial cable: raw (no echo, no
// line editing, 8-bit bytes), its master end non-blocking. The simulator's
// serial link and the tests' serial peer both start from one.
struct RawPty {
    int master = -1;
    int slave = -1;
    // What a controller opens; empty when no pair could be made.
    QString slave_path;
};

RawPty open_raw_pty();

#endif
