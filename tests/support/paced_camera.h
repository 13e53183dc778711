#ifndef ZARVICK_PACED_CAMERA_H
#define ZARVICK_PACED_CAMERA_H

#include "visca_camera.h"

#include <QElapsedTimer>
#include <QList>
#include <QTimer>

// A camera at a camera's pace on a byte stream, a TCP connection on
// 127.0.0.1 or the far end of a pseudo-terminal: it takes one message at a
// time, the next no sooner than `message_us` (or the message's wire time
// at `baud`) later, and reads no further ahead, so what the controller
// sends meanwhile waits in the connection, as at a real camera. It answers
// as the simulator's camera does.
class PacedCamera
{
public:
    struct Arrival {
        QByteArray message;
        qint64 at_ns; // on clock()
    };

    // Listens on 127.0.0.1; takes the first controller that connects.
    explicit PacedCamera(int message_us);
    // Reads the pseudo-terminal's master `fd` (not owned) as a line at `baud`.
    PacedCamera(int fd, int baud);
    ~PacedCamera();
    quint16 port() const { return listening_port; }
    const QElapsedTimer &clock() const { return started; }
    QList<Arrival> arrivals;
    // The first arrival of `message` at or after `since_ns`, or -1.
    qint64 arrival_of(const QByteArray &message, qint64 since_ns) const;

private:
    void start_pacing();
    void take_one();
    bool read_message(QByteArray *message);

    int listener = -1;
    int stream = -1;
    bool owned = true;
    quint16 listening_port = 0;
    int per_message_us = 0;
    int per_byte_us = 0;
    QByteArray partial;
    QTimer pace;
    QElapsedTimer started;
    ViscaCamera camera;
};

#endif
