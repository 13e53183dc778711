#ifndef ZARVICK_ADDRESS_CHECK_H
#define ZARVICK_ADDRESS_CHECK_H

#include <QHostAddress>
#include <QString>

// The dotted-address check of the Connect button: exactly three dots, and
// each part a number from 0 to 255, where an empty or non-numeric part
// counts as 0 unless it holds a letter a-z or A-F.
bool check_ip(const QString &text);

// The camera's address: text that passes check_ip and is an IPv4 address.
// Nothing else is taken, so no host name is ever looked up.
bool parse_camera_address(const QString &text, QHostAddress *address);

#endif
