#ifndef ZARVICK_SERIAL_SETTINGS_H
#define ZARVICK_SERIAL_SETTINGS_H

#include <QSerialPort>
#include <QString>

// The serial combo boxes mapped to port settings. Each returns false for a
// choice that has no setting, which then leaves the port's value alone.
bool data_bits_for_text(const QString &text, QSerialPort::DataBits *bits);
bool parity_for_index(int index, QSerialPort::Parity *parity);
bool stop_bits_for_index(int index, QSerialPort::StopBits *bits);

#endif
