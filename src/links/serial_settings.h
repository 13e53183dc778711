#ifndef ZARVICK_SERIAL_SETTINGS_H
#define ZARVICK_SERIAL_SETTINGS_H

#include <QSerialPort>
#include <QString>

// What a serial link opens with. The defaults are the port's own.
struct SerialSettings {
    QString port;
    qint32 baud_rate = 9600;
    QSerialPort::DataBits data_bits = QSerialPort::Data8;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::StopBits stop_bits = QSerialPort::OneStop;
};

// The serial panel's choices as settings: baud rate and data bits by the
// item's text ("11520" asks for 11520 baud), parity and stop bits by the
// item's position. A choice that maps to no setting keeps the default.
SerialSettings serial_settings(const QString &port, const QString &baud_text,
                               const QString &data_bits_text, int parity_index,
                               int stop_bits_index);

bool data_bits_for_text(const QString &text, QSerialPort::DataBits *bits);
bool parity_for_index(int index, QSerialPort::Parity *parity);
bool stop_bits_for_index(int index, QSerialPort::StopBits *bits);

#endif
