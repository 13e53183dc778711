#ifndef ZARVICK_SIM_PROCESS_H
#define ZARVICK_SIM_PROCESS_H

#include <QByteArray>
#include <QProcess>
#include <QStringList>

// The simulated camera running as a program of its own, on free ports of
// 127.0.0.1 and, when asked, a pseudo-terminal.
class SimProcess
{
public:
    explicit SimProcess(const QStringList &options = {});
    ~SimProcess();
    bool started() const { return tcp_port > 0; }
    quint16 tcp() const { return tcp_port; }
    quint16 udp() const { return udp_port; }
    QString serial() const { return serial_path; }
    qint64 pid() const { return process.processId(); }
    // The camera's lines so far, without their time stamps.
    QStringList lines();
    // Waits for a line holding `text`; true when it came.
    bool wait_for(const QString &text, int timeout_ms = 2000);
    // Asks the camera over a TCP connection of its own; the answer's bytes.
    QByteArray inquire(const QByteArray &inquiry);

private:
    QProcess process;
    QStringList seen;
    QByteArray partial;
    quint16 tcp_port = 0;
    quint16 udp_port = 0;
    QString serial_path;
};

#endif
