#include "sim_process.h"

#include "app/mainwindow.h"

#include "testsupport.h"

#include <QRegularExpression>
#include <QTcpSocket>

SimProcess::SimProcess(const QStringList &options)
{
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(ZARVICK_SIM_PATH, QStringList{"--tcp-port", "0", "--udp-port", "0",
                                                "--visca-ip-port", "0", "--discovery-port", "0"} +
                                        options);
    listening = wait_for(" listening", 5000);
    const QRegularExpression tcp("on TCP ([^:]+):(\\d+)"), udp("on UDP [^:]+:(\\d+)"),
        visca_ip("on VISCA over IP [^:]+:(\\d+)"), pty("on serial (\\S+)");
    for (const QString &line : lines()) {
        if (auto match = tcp.match(line); match.hasMatch()) {
            bound = match.captured(1);
            tcp_port = static_cast<quint16>(match.captured(2).toUInt());
        }
        if (auto match = udp.match(line); match.hasMatch())
            udp_port = static_cast<quint16>(match.captured(1).toUInt());
        if (auto match = visca_ip.match(line); match.hasMatch())
            visca_ip_port = static_cast<quint16>(match.captured(1).toUInt());
        if (auto match = pty.match(line); match.hasMatch())
            serial_path = match.captured(1);
    }
}

SimProcess::~SimProcess()
{
    process.terminate();
    if (!process.waitForFinished(2000))
        process.kill();
}

QStringList SimProcess::lines()
{
    partial += process.readAllStandardOutput();
    const int end = partial.lastIndexOf('\n');
    if (end >= 0) {
        for (const QByteArray &line : partial.left(end).split('\n'))
            seen << QString::fromUtf8(line).section("  ", 1); // drop the time stamp
        partial.remove(0, end + 1);
    }
    return seen;
}

bool SimProcess::wait_for(const QString &text, int timeout_ms)
{
    return wait_until(
        [&] {
            for (const QString &line : lines())
                if (line.contains(text))
                    return true;
            return false;
        },
        timeout_ms);
}

QByteArray SimProcess::inquire(const QByteArray &inquiry)
{
    QTcpSocket socket;
    socket.connectToHost(bound, tcp_port);
    if (!socket.waitForConnected(2000))
        return {};
    socket.write(inquiry);
    QByteArray answer;
    while (!answer.endsWith('\xFF') && socket.waitForReadyRead(2000))
        answer += socket.readAll();
    return answer;
}

void attach_over_udp(MainWindow &window, SimProcess &camera)
{
    click(window, "radioButton_10");
    click(window, "radioButton_12");
    connect_net(window, false, camera.udp());
    click(window, "ptz_resetButton");
    QVERIFY(camera.wait_for("home"));
    QVERIFY(wait_until([&] { return log_lines(window).contains("RX：90 51 FF "); }, 5000));
}
