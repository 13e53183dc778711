#ifndef ZARVICK_SIM_PROCESS_H
#define ZARVICK_SIM_PROCESS_H

#include <QByteArray>
#include <QProcess>
#include <QStringList>

// The simulated camera running as a program of its own, on free ports of
// 127.0.0.1 (unless `--bind` and ports are among the options) and, when
// asked, a pseudo-terminal.
class SimProcess
{
public:
    explicit SimProcess(const QStringList &options = {});
    ~SimProcess();
    bool started() const { return listening; }
    QString address() const { return bound; }
    quint16 tcp() const { return tcp_port; }
    quint16 udp() const { return udp_port; }
    quint16 visca_ip() const { return visca_ip_port; }
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
    bool listening = false;
    QString bound;
    quint16 tcp_port = 0;
    quint16 udp_port = 0;
    quint16 visca_ip_port = 0;
    QString serial_path;
};

class MainWindow;

// The window on `camera` over UDP (both Mode groups on the network), the
// camera heard once (Home) and its completion logged, so that nothing of
// the Home is still on its way.
void attach_over_udp(MainWindow &window, SimProcess &camera);

#endif
