#ifndef ZARVICK_LINE_SETTINGS_H
#define ZARVICK_LINE_SETTINGS_H

#include <QString>

// The settings of a terminal line: the rate as the kernel reports it
// (termios2, so that a non-standard rate such as 11520 shows as it is), the
// frame and flow control as the last tcsetattr of the process asked for.
struct LineSettings {
    unsigned baud = 0;
    int data_bits = 0;
    QString parity; // "N", "O" or "E"
    int stop_bits = 0;
    bool hardware_flow = false;
};

LineSettings line_settings(int fd);

#endif
