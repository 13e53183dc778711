#ifndef ZARVICK_SYSTEM_REASONS_H
#define ZARVICK_SYSTEM_REASONS_H

#include <QString>

// The system's reason for a failure (a socket's, a serial port's, a file's:
// "Connection refused") in the language shown, where it is a common one;
// any other stays as the system gave it. The debug output keeps the
// system's own words.
QString system_reason(const QString &reason);

#endif
