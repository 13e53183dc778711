#ifndef ZARVICK_HEX_TEXT_H
#define ZARVICK_HEX_TEXT_H

#include <QByteArray>
#include <QString>
#include <QStringList>

// Received bytes as the log shows them: "%02X " per byte, so the text ends
// in a space ("90 41 FF ").
QString hex_text(const QByteArray &bytes);

// Cuts a serial byte stream into VISCA packets at each FF. `pending` holds
// the hex text of bytes received since the last FF and carries over between
// reads; the result holds one text per packet completed by `bytes`.
QStringList cut_packets(QString &pending, const QByteArray &bytes);

#endif
