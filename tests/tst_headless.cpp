// zarvick --headless: no window and no display, config.ini's cameras served
// to the outside interfaces, stopped when a signal ends it.

#include "service/line_output.h"
#include "sim_process.h"
#include "testsupport.h"

#include <QProcess>
#include <QTcpServer>
#include <QUdpSocket>
#include <QtTest>
#include <csignal>
#include <poll.h>
#include <unistd.h>

namespace {
// The program as a service manager starts it: no display of any kind.
void start_headless(QProcess &program, const QString &folder, const QStringList &options)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(folder);
    program.start(ZARVICK_PATH, QStringList{"--headless"} + options);
}

bool printed(QProcess &program, QString *seen, const QString &line)
{
    return wait_until(
        [&] {
            *seen += QString::fromUtf8(program.readAllStandardOutput());
            return seen->split('\n').contains(line);
        },
        10000);
}

bool drive(quint16 port, int camera, const QByteArray &body)
{
    QProcess curl;
    curl.start("curl",
               {"-sf", "-d", body,
                QString("http://127.0.0.1:%1/api/v1/cameras/%2/drive").arg(port).arg(camera)});
    return curl.waitForFinished(5000) && curl.exitCode() == 0;
}
} // namespace

class HeadlessTest : public QObject
{
    Q_OBJECT

private slots:
    void serves_config_ini_and_ends_with_the_stop();
    void serves_monitor_pairs();
    void a_reader_that_stops_holds_nothing_up();
    void refuses_with_the_reason_data();
    void refuses_with_the_reason();
};

void HeadlessTest::serves_config_ini_and_ends_with_the_stop()
{
    ScratchFolder folder;
    SimProcess camera;
    // Losing datagrams: its stop may need to go more than once before the end.
    SimProcess second({"--loss", "30"});
    QVERIFY(camera.started() && second.started());
    const quint16 http_port = free_loopback_port();
    // The second camera's link was closed at the last exit: --open-all opens it.
    folder.write("config.ini", QString("[LANGUAGE_CONF]\nlanguage=English\n"
                                       "[NET_CONF]\nProtocol=TCP\nAddress=127.0.0.1\nPort=%1\n"
                                       "[CAMERAS]\nOpenAtStart=true\n"
                                       "[CAMERA_1]\nLink=TCP\nOpen=true\n"
                                       "[CAMERA_2]\nName=Two\nLink=UDP\nAddress=127.0.0.1\n"
                                       "Port=%2\nOpen=false\n"
                                       "[API]\nHttpPort=%3\n")
                                   .arg(camera.tcp())
                                   .arg(second.udp())
                                   .arg(http_port)
                                   .toUtf8());
    QProcess program;
    start_headless(program, folder.file("."), {"--open-all", "--verbose"});
    QString seen;
    QVERIFY(printed(program, &seen, QString("HTTP interface on 127.0.0.1 port %1").arg(http_port)));
    QVERIFY(printed(program, &seen, "Camera 1: answering"));
    QVERIFY(printed(program, &seen, "Two: answering"));
    // A second Zarvick on the same port is refused, not handed a share of
    // the connections.
    {
        ScratchFolder other;
        other.write("config.ini", QString("[API]\nHttpPort=%1\n").arg(http_port).toUtf8());
        QProcess second_program;
        start_headless(second_program, other.file("."), {});
        QVERIFY(second_program.waitForFinished(10000));
        QCOMPARE(second_program.exitCode(), 2);
    }
    // Drives with a lease far longer than the program lives.
    const QByteArray pan_right = "{\"pan\": 1, \"lease_ms\": 2000}";
    QVERIFY(drive(http_port, 1, pan_right));
    QVERIFY(drive(http_port, 2, pan_right));
    QVERIFY(camera.wait_for("tcp: pan right"));
    QVERIFY(second.wait_for("udp: pan right"));
    QVERIFY(printed(program, &seen, "TX [Camera 1] 81 01 06 01 18 14 02 03 FF"));
    ::kill(pid_t(program.processId()), SIGTERM);
    QVERIFY(program.waitForFinished(5000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QVERIFY(camera.wait_for("tcp: pan-tilt stop"));
    QVERIFY(second.wait_for("udp: pan-tilt stop"));
    QVERIFY(printed(program, &seen, "Ending: every camera stops"));
    // Nothing of the window's was written.
    QVERIFY(!folder.read("config.ini").contains("Id="));
}

void HeadlessTest::serves_monitor_pairs()
{
    ScratchFolder folder;
    SimProcess camera;
    QVERIFY(camera.started());
    QUdpSocket controller;
    QVERIFY(controller.bind(QHostAddress(QHostAddress::LocalHost), 0));
    const quint16 listen = controller.localPort();
    controller.close();
    QVERIFY(controller.bind(QHostAddress(QHostAddress::LocalHost), 0));
    QProcess program;
    start_headless(program, folder.file("."),
                   {"--verbose", "--monitor",
                    QString("udp:127.0.0.1:%1=udp:127.0.0.1:%2").arg(listen).arg(camera.udp())});
    QString seen;
    const QByteArray home = QByteArray::fromHex("81010604FF");
    QVERIFY(wait_until(
        [&] {
            controller.writeDatagram(home, QHostAddress::LocalHost, listen);
            return controller.waitForReadyRead(200);
        },
        10000));
    QVERIFY(camera.wait_for("udp: home"));
    QCOMPARE(controller.receiveDatagram().data(), QByteArray::fromHex("9041FF"));
    QVERIFY(wait_until([&] {
        seen += QString::fromUtf8(program.readAllStandardOutput());
        return seen.contains("| 81 01 06 04 FF |");
    }));
    ::kill(pid_t(program.processId()), SIGTERM);
    QVERIFY(program.waitForFinished(5000));
    QCOMPARE(program.exitCode(), 0);
}

void HeadlessTest::a_reader_that_stops_holds_nothing_up()
{
    int ends[2] = {-1, -1};
    QVERIFY(::pipe(ends) == 0);
    QByteArray read;
    {
        LineOutput output(ends[1]);
        // Far more than the pipe holds, nobody reading: none of it waits.
        for (int line = 0; line < 20000; ++line)
            output.print(QString("line %1").arg(line));
        // The reader comes back: what waited goes, and says what was lost.
        QVERIFY(wait_until(
            [&] {
                output.print("after");
                pollfd ready{ends[0], POLLIN, 0};
                while (::poll(&ready, 1, 0) > 0) {
                    char chunk[65536];
                    const ssize_t got = ::read(ends[0], chunk, sizeof chunk);
                    if (got <= 0)
                        break;
                    read.append(chunk, int(got));
                }
                return read.contains("\nafter\n");
            },
            10000));
    }
    ::close(ends[0]);
    ::close(ends[1]);
    // What went, in order, and in their place how many were lost: none
    // unaccounted for.
    int last = -1;
    int shown = 0;
    int lost = 0;
    for (const QByteArray &line : read.split('\n')) {
        const QList<QByteArray> words = line.split(' ');
        if (line.startsWith("line ")) {
            QVERIFY(words[1].toInt() > last);
            last = words[1].toInt();
            ++shown;
        } else if (line.endsWith(" lines dropped: standard output was not read)")) {
            lost += words[0].mid(1).toInt();
        }
    }
    QVERIFY(lost > 0);
    QVERIFY2(shown + lost >= 20000, qPrintable(QString("%1 + %2").arg(shown).arg(lost)));
}

void HeadlessTest::refuses_with_the_reason_data()
{
    QTest::addColumn<QString>("config");
    QTest::addColumn<QString>("reason");
    QTest::newRow("no config.ini") << QString() << "nothing to serve";
    QTest::newRow("nothing set up") << "[CAMERA_1]\nLink=UDP\n"
                                    << "nothing to serve";
    QTest::newRow("beyond loopback without a token")
        << "[API]\nHttpPort=1\nListen=0.0.0.0\n"
        << "HTTP listens beyond 127.0.0.1 only with API/Token set";
    QTest::newRow("port taken") << "[API]\nHttpPort=%1\n"
                                << "port";
    QTest::newRow("a monitor pair that does not read") << "[MONITOR]\nPairs=udp:1=udp:2\n"
                                                       << "nothing to serve";
}

void HeadlessTest::refuses_with_the_reason()
{
    QFETCH(QString, config);
    QFETCH(QString, reason);
    ScratchFolder folder;
    QTcpServer taken;
    QVERIFY(taken.listen(QHostAddress::LocalHost, 0));
    if (!config.isEmpty())
        folder.write("config.ini",
                     QString(config).replace("%1", QString::number(taken.serverPort())).toUtf8());
    QProcess program;
    start_headless(program, folder.file("."), {});
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitCode(), 2);
    const QString said = QString::fromUtf8(program.readAllStandardError());
    QVERIFY2(said.contains(reason), qPrintable(said));
}

QTEST_GUILESS_MAIN(HeadlessTest)
#include "tst_headless.moc"
