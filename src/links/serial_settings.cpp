#include "links/serial_settings.h"

bool data_bits_for_text(const QString &text, QSerialPort::DataBits *bits)
{
    switch (text.toInt(nullptr, 10)) {
    case 5: *bits = QSerialPort::Data5; return true;
    case 6: *bits = QSerialPort::Data6; return true;
    case 7: *bits = QSerialPort::Data7; return true;
    case 8: *bits = QSerialPort::Data8; return true;
    default: return false;
    }
}

bool parity_for_index(int index, QSerialPort::Parity *parity)
{
    switch (index) {
    case 0: *parity = QSerialPort::NoParity; return true;
    case 1: *parity = QSerialPort::OddParity; return true;
    case 2: *parity = QSerialPort::EvenParity; return true;
    default: return false;
    }
}

bool stop_bits_for_index(int index, QSerialPort::StopBits *bits)
{
    switch (index) {
    case 0: *bits = QSerialPort::OneStop; return true;
    case 1: *bits = QSerialPort::OneAndHalfStop; return true;
    case 2: *bits = QSerialPort::TwoStop; return true;
    default: return false;
    }
}

SerialSettings serial_settings(const QString &port, const QString &baud_text,
                               const QString &data_bits_text, int parity_index, int stop_bits_index)
{
    SerialSettings settings;
    settings.port = port;
    settings.baud_rate = baud_text.toInt(nullptr, 10);
    data_bits_for_text(data_bits_text, &settings.data_bits);
    parity_for_index(parity_index, &settings.parity);
    stop_bits_for_index(stop_bits_index, &settings.stop_bits);
    return settings;
}
