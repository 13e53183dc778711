// The outside interfaces, driven by clients nobody here wrote: curl for
// HTTP and oscsend for OSC, against the window on the simulated camera.

#include "app/mainwindow.h"
#include "control/raw_movement.h"
#include "remote/http_api.h"
#include "remote/remote_call.h"
#include "sim_process.h"
#include "testsupport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QProcess>
#include <QTableWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUdpSocket>
#include <QtTest>

namespace {
// A client's program, waited for with the event loop running: the window
// answers it meanwhile.
QByteArray run(const QString &program, const QStringList &arguments, int *exit_code = nullptr)
{
    QProcess client;
    client.start(program, arguments);
    const bool ended = client.waitForStarted(5000) &&
                       wait_until([&] { return client.state() == QProcess::NotRunning; }, 15000);
    if (exit_code)
        *exit_code = ended ? client.exitCode() : -1;
    return client.readAllStandardOutput();
}

struct Reply {
    int status = 0;
    QByteArray body;
    QJsonObject json() const { return QJsonDocument::fromJson(body).object(); }
};

Reply http(quint16 port, const QString &method, const QString &path, const QByteArray &body = {},
           const QStringList &headers = {})
{
    QStringList arguments = {"-s",
                             "-X",
                             method,
                             "-w",
                             "\n%{http_code}",
                             QString("http://127.0.0.1:%1%2").arg(port).arg(path)};
    if (!body.isEmpty())
        arguments << "--data-binary" << QString::fromUtf8(body);
    for (const QString &header : headers)
        arguments << "-H" << header;
    const QByteArray out = run("curl", arguments);
    const int cut = out.lastIndexOf('\n');
    return {out.mid(cut + 1).toInt(), out.left(qMax(cut, 0))};
}

void osc(quint16 port, const QStringList &message)
{
    int code = -1;
    run("oscsend", QStringList{"127.0.0.1", QString::number(port)} + message, &code);
    QCOMPARE(code, 0);
}

// The window's camera 1 on the simulator over UDP (open at the start, with
// a kept position at pan 300), camera 2 closed; the interfaces as `api`.
void write_config(ScratchFolder &folder, SimProcess &camera, const QString &api,
                  const QString &language = "English")
{
    folder.write("config.ini", QString("[LANGUAGE_CONF]\nlanguage=%3\n"
                                       "[NET_CONF]\nProtocol=UDP\nAddress=127.0.0.1\nPort=%1\n"
                                       "[CAMERAS]\nOpenAtStart=true\n"
                                       "[CAMERA_1]\nLink=UDP\nOpen=true\n"
                                       "[CAMERA_1_POSITIONS]\nsize=1\n1\\Name=P\n1\\Pan=300\n"
                                       "1\\Tilt=0\n1\\Zoom=0\n"
                                       "[CAMERA_2]\nLink=UDP\nAddress=127.0.0.1\nPort=9\n"
                                       "[API]\n%2\n")
                                   .arg(camera.udp())
                                   .arg(api)
                                   .arg(language)
                                   .toUtf8());
}

// The window with HTTP on a free port, its camera 1 on the simulator.
struct HttpServed {
    ScratchFolder folder;
    SimProcess camera;
    quint16 port = free_loopback_port();
    std::unique_ptr<MainWindow> window;
    HttpServed()
    {
        write_config(folder, camera, QString("HttpPort=%1").arg(port));
        window = std::make_unique<MainWindow>();
        window->start_remote();
    }
};

// The camera's lines that are no position inquiry's.
QStringList heard(SimProcess &camera)
{
    QStringList lines = camera.lines();
    lines.erase(std::remove_if(lines.begin(), lines.end(),
                               [](const QString &line) { return line.contains("inquiry"); }),
                lines.end());
    return lines;
}
} // namespace

class RemoteTest : public QObject
{
    Q_OBJECT
private slots:
    void requests_read_data();
    void requests_read();
    void every_request_over_http();
    void refused_requests_send_nothing_data();
    void refused_requests_send_nothing();
    void foreign_pages_and_addresses_are_refused_data();
    void foreign_pages_and_addresses_are_refused();
    void slow_clients_leave_room_for_a_drive();
    void pipelined_requests_are_answered_in_order();
    void stop_forgets_the_axes_it_stopped();
    void stop_all_stops_every_camera_once_data();
    void stop_all_stops_every_camera_once();
    void a_request_answered_too_late_is_never_carried_out();
    void raw_movements_read_data();
    void raw_movements_read();
    void a_drive_stops_when_its_lease_runs_out();
    void a_token_is_asked_for_beyond_loopback();
    void osc_messages_drive_too();
    void osc_beyond_loopback_takes_the_token_last();
    void a_thousand_malformed_requests_send_nothing();
};

void RemoteTest::requests_read_data()
{
    QTest::addColumn<QByteArray>("method");
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("status");
    QTest::newRow("list") << QByteArray("GET") << QByteArray("/api/v1/cameras") << QByteArray()
                          << 200;
    QTest::newRow("list posted") << QByteArray("POST") << QByteArray("/api/v1/cameras")
                                 << QByteArray() << 405;
    QTest::newRow("drive") << QByteArray("POST") << QByteArray("/api/v1/cameras/2/drive")
                           << QByteArray(R"({"pan": -1, "zoom": 0.5, "lease_ms": 2000})") << 200;
    QTest::newRow("lease too long") << QByteArray("POST") << QByteArray("/api/v1/cameras/2/drive")
                                    << QByteArray(R"({"pan": 1, "lease_ms": 2001})") << 400;
    QTest::newRow("axis as text") << QByteArray("POST") << QByteArray("/api/v1/cameras/1/drive")
                                  << QByteArray(R"({"pan": "1"})") << 400;
    QTest::newRow("camera 0") << QByteArray("POST") << QByteArray("/api/v1/cameras/0/home")
                              << QByteArray() << 404;
    QTest::newRow("no body length")
        << QByteArray("POST") << QByteArray("/api/v1/cameras/1/stop") << QByteArray() << 200;
    QTest::newRow("preset") << QByteArray("POST")
                            << QByteArray("/api/v1/cameras/1/presets/254/store") << QByteArray()
                            << 200;
    QTest::newRow("signed preset")
        << QByteArray("POST") << QByteArray("/api/v1/cameras/1/presets/-1/recall") << QByteArray()
        << 404;
    QTest::newRow("tally and more") << QByteArray("POST") << QByteArray("/api/v1/cameras/1/tally")
                                    << QByteArray(R"({"state": "off", "x": 1})") << 400;
    QTest::newRow("no version") << QByteArray("GET") << QByteArray("/api/cameras") << QByteArray()
                                << 404;
}

void RemoteTest::requests_read()
{
    QFETCH(QByteArray, method);
    QFETCH(QByteArray, path);
    QFETCH(QByteArray, body);
    QFETCH(int, status);
    const ReadCall read = read_http_call(method, path, body);
    const auto *refusal = std::get_if<Refusal>(&read);
    QCOMPARE(refusal ? refusal->status : 200, status);
}

void RemoteTest::every_request_over_http()
{
    HttpServed served;
    SimProcess &camera = served.camera;
    QVERIFY(camera.started());
    MainWindow &window = *served.window;
    const quint16 port = served.port;
    QVERIFY(log_lines(window).contains(QString("HTTP interface on 127.0.0.1 port %1").arg(port)));

    Reply reply = http(port, "GET", "/api/v1/cameras");
    QCOMPARE(reply.status, 200);
    const QJsonObject listed = reply.json();
    QCOMPARE(listed.value("active").toInt(), 1);
    const QJsonArray cameras = listed.value("cameras").toArray();
    QCOMPARE(cameras.size(), 2);
    const QJsonObject first = cameras.at(0).toObject();
    QCOMPARE(first.value("number").toInt(), 1);
    QCOMPARE(first.value("link").toString(), QString("UDP 127.0.0.1:%1").arg(camera.udp()));
    QCOMPARE(first.value("tally").toString(), QString("off"));
    QCOMPARE(first.value("tallySource").toString(), QString("manual"));
    // Its kept positions by name, in the order Go numbers them.
    QCOMPARE(first.value("positions").toArray(), QJsonArray{"P"});
    QCOMPARE(cameras.at(1).toObject().value("state").toString(), QString("closed"));
    // A camera's id stays with it when the list is reordered; its number is its place.
    QCOMPARE(first.value("id").toInt(), 1);
    pick_camera_row(window, 1);
    click(window, "moveUpButton");
    const QJsonObject moved = http(port, "GET", "/api/v1/cameras").json();
    QCOMPARE(moved.value("cameras").toArray().at(0).toObject().value("id").toInt(), 2);
    click(window, "moveDownButton");
    pick_camera_row(window, 0);

    const auto post = [&](const QString &path, const QByteArray &body, const QString &line) {
        const Reply done = http(port, "POST", path, body);
        QCOMPARE(done.status, 200);
        if (!line.isEmpty())
            QVERIFY2(camera.wait_for(line, 5000), qPrintable(line));
    };
    // The event stream tells a change of tally, and of the active camera.
    QProcess events;
    events.start("curl", {"-s", "-N", "--max-time", "10",
                          QString("http://127.0.0.1:%1/api/v1/events").arg(port)});
    QVERIFY(events.waitForStarted(5000));
    QByteArray streamed;
    const auto streamed_has = [&](const QByteArray &text) {
        return wait_until(
            [&] {
                streamed += events.readAllStandardOutput();
                return streamed.contains(text);
            },
            5000);
    };
    // Until the stream is open, a change may pass unseen: change it again.
    QVERIFY(wait_until(
        [&] {
            http(port, "POST", "/api/v1/cameras/1/tally",
                 streamed.isEmpty() ? R"({"state":"preview"})" : R"({"state":"off"})");
            streamed += events.readAllStandardOutput();
            return streamed.contains("event: camera");
        },
        5000));
    // Whatever tab the window shows, a client following the events hears
    // where the camera points.
    QVERIFY(control<QTabWidget>(&window, "tabWidget")->currentWidget()->objectName() !=
            "tab_cameras");
    QVERIFY(streamed_has("\"number\":1,\"position\":{\"focus\":"));
    // A position renamed in the window is told too.
    control<QListWidget>(&window, "positionsList")->item(0)->setText("Stage");
    QVERIFY(streamed_has("\"positions\":[\"Stage\"]"));
    post("/api/v1/cameras/2/select", {}, {});
    QVERIFY(streamed_has("event: active\ndata: {\"active\":2}"));
    post("/api/v1/cameras/1/select", {}, {});
    events.kill();
    events.waitForFinished(2000);

    post("/api/v1/cameras/1/home", {}, "home");
    post("/api/v1/cameras/1/presets/7/store", {}, "preset 7 stored");
    post("/api/v1/cameras/1/presets/7/recall", {}, "preset 7 recalled");
    post("/api/v1/cameras/1/tally", R"({"state":"program"})", "tally: red on, green off");
    post("/api/v1/cameras/1/positions/1/go", {}, "absolute 300, 0");
    post("/api/v1/cameras/2/select", {}, {});
    QCOMPARE(http(port, "GET", "/api/v1/cameras").json().value("active").toInt(), 2);
    post("/api/v1/cameras/1/select", {}, {});

    // The Manual tab's way: logged, and the camera's replies in the answer.
    reply = http(port, "POST", "/api/v1/cameras/1/command", R"({"hex": "81 09 04 47 FF"})");
    QCOMPARE(reply.status, 200);
    QCOMPARE(reply.json().value("replies").toArray().size(), 1);
    QVERIFY(reply.json().value("replies").toArray().at(0).toString().startsWith("90 50 "));
    // Each reply with what it means: here the answer to the inquiry asked.
    QVERIFY2(reply.json()
                 .value("meanings")
                 .toArray()
                 .at(0)
                 .toString()
                 .startsWith("answer to zoom position inquiry, zoom "),
             reply.body.constData());
    QCOMPARE(log_lines(window).filter(QRegularExpression("^TX：.*81 09 04 47 FF$")).size(), 1);

    // A drive for long (it ends the Go), ended by stop: one stop.
    post("/api/v1/cameras/1/drive", R"({"tilt": 1, "lease_ms": 2000})", "tilt up");
    const int stops = heard(camera).filter("pan-tilt stop").size();
    post("/api/v1/cameras/1/stop", {}, {});
    QVERIFY(wait_until([&] { return heard(camera).filter("pan-tilt stop").size() == stops + 1; }));
}

void RemoteTest::refused_requests_send_nothing_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("status");
    QTest::newRow("bad JSON") << "/api/v1/cameras/1/drive" << QByteArray("{pan: 1}") << 400;
    QTest::newRow("out of range") << "/api/v1/cameras/1/drive" << QByteArray(R"({"pan": 1.5})")
                                  << 400;
    QTest::newRow("unknown axis") << "/api/v1/cameras/1/drive" << QByteArray(R"({"roll": 1})")
                                  << 400;
    QTest::newRow("no tally") << "/api/v1/cameras/1/tally" << QByteArray(R"({"state": "red"})")
                              << 400;
    QTest::newRow("half a message")
        << "/api/v1/cameras/1/command" << QByteArray(R"({"hex": "81 01 04 07"})") << 400;
    QTest::newRow("preset past 254")
        << "/api/v1/cameras/1/presets/255/recall" << QByteArray() << 400;
    QTest::newRow("no camera") << "/api/v1/cameras/3/home" << QByteArray() << 404;
    QTest::newRow("no position") << "/api/v1/cameras/1/positions/2/go" << QByteArray() << 404;
    QTest::newRow("link not open")
        << "/api/v1/cameras/2/drive" << QByteArray(R"({"pan": 1})") << 409;
    QTest::newRow("no such request") << "/api/v1/cameras/1/fly" << QByteArray() << 404;
}

void RemoteTest::refused_requests_send_nothing()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, body);
    QFETCH(int, status);
    HttpServed served;
    SimProcess &camera = served.camera;
    QVERIFY(camera.started());
    MainWindow &window = *served.window;
    const quint16 port = served.port;
    const int sent = log_lines(window).filter("TX：").size();
    const Reply reply = http(port, "POST", path, body);
    QCOMPARE(reply.status, status);
    QVERIFY2(!reply.json().value("error").toString().isEmpty(), reply.body.constData());
    // Something that does go out comes after anything the refusal sent.
    QCOMPARE(http(port, "POST", "/api/v1/cameras/1/home").status, 200);
    QVERIFY(camera.wait_for("home"));
    QCOMPARE(heard(camera).filter("udp:").size(), 1);
    QCOMPARE(log_lines(window).filter("TX：").size(), sent + 1);
}

void RemoteTest::foreign_pages_and_addresses_are_refused_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QStringList>("headers");
    QTest::addColumn<int>("status");
    const QByteArray drive = R"({"pan": 1, "lease_ms": 2000})";
    QTest::newRow("another page") << "/api/v1/cameras/1/drive" << drive
                                  << QStringList{"Origin: http://evil.example"} << 403;
    QTest::newRow("a plain form") << "/api/v1/cameras/1/presets/7/store" << QByteArray("x=1")
                                  << QStringList{"Origin: null",
                                                 "Content-Type: application/x-www-form-urlencoded"}
                                  << 403;
    QTest::newRow("another site's image or script")
        << "/api/v1/cameras/1/drive" << drive << QStringList{"Sec-Fetch-Site: cross-site"} << 403;
    QTest::newRow("another host name")
        << "/api/v1/cameras/1/drive" << drive << QStringList{"Host: evil.example"} << 421;
    QTest::newRow("a broadcast") << "/api/v1/cameras/1/command"
                                 << QByteArray(R"({"hex": "88 01 00 01 FF"})") << QStringList{}
                                 << 400;
    QTest::newRow("another address")
        << "/api/v1/cameras/1/command" << QByteArray(R"({"hex": "82 01 06 04 FF"})")
        << QStringList{} << 400;
    QTest::newRow("another address after a long message")
        << "/api/v1/cameras/1/command"
        << (R"({"hex": "81 )" + QByteArray("00 ").repeated(20) + R"(82 01 06 01 01 01 02 03 FF"})")
        << QStringList{} << 400;
    QTest::newRow("33 messages") << "/api/v1/cameras/1/command"
                                 << (R"({"hex": ")" +
                                     QByteArray("81 01 04 07 00 FF ").repeated(33) + R"("})")
                                 << QStringList{} << 400;
    QStringList many;
    for (int i = 0; i < 65; ++i)
        many << QString("X-Header-%1: 1").arg(i);
    QTest::newRow("65 headers") << "/api/v1/cameras/1/drive" << drive << many << 431;
    QTest::newRow("17 KiB of headers") << "/api/v1/cameras/1/drive" << drive
                                       << QStringList{"X-Long: " + QString(17 * 1024, 'a')} << 431;
    const QByteArray long_body =
        R"({"pan": 1, "lease_ms": 2000, "x": ")" + QByteArray(70 * 1024, 'a') + R"("})";
    QTest::newRow("a body of 70 KiB")
        << "/api/v1/cameras/1/drive" << long_body << QStringList{} << 413;
    QTest::newRow("a chunked body of 70 KiB") << "/api/v1/cameras/1/drive" << long_body
                                              << QStringList{"Transfer-Encoding: chunked"} << 413;
}

void RemoteTest::foreign_pages_and_addresses_are_refused()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, body);
    QFETCH(QStringList, headers);
    QFETCH(int, status);
    HttpServed served;
    SimProcess &camera = served.camera;
    QVERIFY(camera.started());
    const Reply reply = http(served.port, "POST", path, body, headers);
    QCOMPARE(reply.status, status);
    // The interface's own page is welcome.
    QCOMPARE(http(served.port, "POST", "/api/v1/cameras/1/home", {},
                  {QString("Origin: http://127.0.0.1:%1").arg(served.port)})
                 .status,
             200);
    QVERIFY(camera.wait_for("home"));
    QCOMPARE(heard(camera).filter("udp:").size(), 1);
}

namespace {
// A connection from a loopback address of its own.
std::unique_ptr<QTcpSocket> connected_from(const QString &from, quint16 port)
{
    auto socket = std::make_unique<QTcpSocket>();
    socket->bind(QHostAddress(from));
    socket->connectToHost(QHostAddress::LocalHost, port);
    socket->waitForConnected(5000);
    return socket;
}
} // namespace

void RemoteTest::slow_clients_leave_room_for_a_drive()
{
    HttpServed served;
    SimProcess &camera = served.camera;
    QVERIFY(camera.started());
    // Sixteen clients from two addresses (eight each, the most one address
    // may hold) each send half a request and no more; one more sends nothing.
    std::vector<std::unique_ptr<QTcpSocket>> slow;
    for (int i = 0; i < 16; ++i) {
        slow.push_back(connected_from(i < 8 ? "127.0.0.2" : "127.0.0.3", served.port));
        QCOMPARE(slow.back()->state(), QAbstractSocket::ConnectedState);
        slow.back()->write("POST /api/v1/cameras/1/drive HTTP/1.1\r\nContent-Len");
    }
    slow.push_back(connected_from("127.0.0.4", served.port));
    // A ninth from one address is let go at once.
    const auto ninth = connected_from("127.0.0.2", served.port);
    QVERIFY(wait_until([&] { return ninth->state() == QAbstractSocket::UnconnectedState; }));
    // The operator's own client drives and stops meanwhile.
    QCOMPARE(http(served.port, "POST", "/api/v1/cameras/1/drive", R"({"pan": 1, "lease_ms": 2000})")
                 .status,
             200);
    QVERIFY(camera.wait_for("pan right"));
    QCOMPARE(http(served.port, "POST", "/api/v1/cameras/1/stop").status, 200);
    QVERIFY(camera.wait_for("pan-tilt stop"));
    QCOMPARE(slow.front()->state(), QAbstractSocket::ConnectedState);
    // Past their time (5 s for a request, 10 s for a connection that says
    // nothing) every one of them is cut off.
    QVERIFY(wait_until(
        [&] {
            return std::all_of(slow.begin(), slow.end(), [](const auto &socket) {
                return socket->state() == QAbstractSocket::UnconnectedState;
            });
        },
        HttpApi::idle_limit_ms + 5000));
}

void RemoteTest::pipelined_requests_are_answered_in_order()
{
    HttpServed served;
    SimProcess &camera = served.camera;
    QVERIFY(camera.started());
    const auto client = connected_from("127.0.0.1", served.port);
    const QByteArray host = "Host: 127.0.0.1:" + QByteArray::number(served.port) + "\r\n";
    const QByteArray drive = R"({"pan": 1, "lease_ms": 2000})";
    client->write("POST /api/v1/cameras/1/drive HTTP/1.1\r\n" + host +
                  "Content-Length: " + QByteArray::number(drive.size()) + "\r\n\r\n" + drive +
                  "POST /api/v1/cameras/1/stop HTTP/1.1\r\n" + host + "Content-Length: 0\r\n\r\n");
    QByteArray answers;
    QVERIFY(wait_until([&] {
        answers += client->readAll();
        return answers.count("HTTP/1.1 200") == 2;
    }));
    QVERIFY(camera.wait_for("pan-tilt stop"));
    const QStringList lines = heard(camera);
    QVERIFY(lines.indexOf(QRegularExpression(".*pan right.*")) <
            lines.indexOf(QRegularExpression(".*pan-tilt stop.*")));
}

void RemoteTest::stop_forgets_the_axes_it_stopped()
{
    HttpServed served;
    SimProcess &camera = served.camera;
    QVERIFY(camera.started());
    const quint16 port = served.port;
    QCOMPARE(
        http(port, "POST", "/api/v1/cameras/1/drive", R"({"pan": 0.5, "lease_ms": 2000})").status,
        200);
    QVERIFY(camera.wait_for("pan right"));
    QCOMPARE(http(port, "POST", "/api/v1/cameras/1/stop").status, 200);
    QVERIFY(camera.wait_for("pan-tilt stop"));
    // Another axis from the same source moves that axis only.
    QCOMPARE(
        http(port, "POST", "/api/v1/cameras/1/drive", R"({"zoom": 0.5, "lease_ms": 300})").status,
        200);
    QVERIFY(camera.wait_for("zoom tele"));
    QVERIFY(camera.wait_for("zoom stop"));
    QCOMPARE(heard(camera).filter("pan right").size(), 1);
    // A raw pan, too, is stopped by stop.
    QCOMPARE(
        http(port, "POST", "/api/v1/cameras/1/command", R"({"hex": "81 01 06 01 05 05 02 03 FF"})")
            .status,
        200);
    const int stops = heard(camera).filter("pan-tilt stop").size();
    QCOMPARE(http(port, "POST", "/api/v1/cameras/1/stop").status, 200);
    QVERIFY(wait_until([&] { return heard(camera).filter("pan-tilt stop").size() == stops + 1; }));
    // Left alone, a raw zoom ends with its lease, as a drive does.
    QCOMPARE(http(port, "POST", "/api/v1/cameras/1/command",
                  R"({"hex": "81 01 04 07 25 FF", "lease_ms": 300})")
                 .status,
             200);
    const int zoom_stops = heard(camera).filter("zoom stop").size();
    QVERIFY(wait_until([&] { return heard(camera).filter("zoom stop").size() == zoom_stops + 1; }));
}

void RemoteTest::stop_all_stops_every_camera_once_data()
{
    QTest::addColumn<QString>("by");
    for (const char *by : {"Shift+Esc", "button", "http", "osc"})
        QTest::newRow(by) << by;
}

void RemoteTest::stop_all_stops_every_camera_once()
{
    QFETCH(QString, by);
    ScratchFolder folder;
    SimProcess cameras[3];
    const quint16 port = free_loopback_port();
    const quint16 osc_port = free_loopback_port(false);
    QString config = QString("[LANGUAGE_CONF]\nlanguage=English\n"
                             "[NET_CONF]\nProtocol=UDP\nAddress=127.0.0.1\nPort=%1\n"
                             "[CAMERAS]\nOpenAtStart=true\n[CAMERA_1]\nLink=UDP\nOpen=true\n"
                             "[API]\nHttpPort=%2\nOscPort=%3\n")
                         .arg(cameras[0].udp())
                         .arg(port)
                         .arg(osc_port);
    for (int i = 1; i < 3; ++i)
        config += QString("[CAMERA_%1]\nLink=UDP\nAddress=127.0.0.1\nPort=%2\nOpen=true\n")
                      .arg(i + 1)
                      .arg(cameras[i].udp());
    folder.write("config.ini", config.toUtf8());
    MainWindow window;
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.start_remote();
    const auto drive = [&](int camera, const QByteArray &body) {
        return http(port, "POST", QString("/api/v1/cameras/%1/drive").arg(camera + 1), body).status;
    };
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(drive(i, R"({"pan": 1, "lease_ms": 2000})"), 200);
        QVERIFY(cameras[i].wait_for("pan right"));
    }
    if (by == "Shift+Esc")
        QTest::keyClick(&window, Qt::Key_Escape, Qt::ShiftModifier);
    else if (by == "button")
        click(window, "stopAllButton");
    else if (by == "http")
        QCOMPARE(http(port, "POST", "/api/v1/stop").status, 200);
    else
        osc(osc_port, {"/zarvick/stop"});
    for (SimProcess &camera : cameras)
        QVERIFY(camera.wait_for("pan-tilt stop"));
    // The drives are forgotten: another axis from the same client moves
    // that axis alone, and no second stop comes.
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(drive(i, R"({"zoom": 1, "lease_ms": 100})"), 200);
        QVERIFY(cameras[i].wait_for("zoom stop"));
        QCOMPARE(heard(cameras[i]).filter("pan right").size(), 1);
        QCOMPARE(heard(cameras[i]).filter("pan-tilt stop").size(), 1);
    }
}

void RemoteTest::raw_movements_read_data()
{
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<int>("axis");
    QTest::addColumn<int>("moving");
    QTest::newRow("pan right") << hex("81 01 06 01 05 05 02 03 FF") << int(Axis::PanTilt) << 1;
    QTest::newRow("pan-tilt stop") << hex("82 01 06 01 05 05 03 03 FF") << int(Axis::PanTilt) << 0;
    QTest::newRow("zoom tele") << hex("81 01 04 07 02 FF") << int(Axis::Zoom) << 1;
    QTest::newRow("zoom wide variable") << hex("81 01 04 07 37 FF") << int(Axis::Zoom) << 1;
    QTest::newRow("zoom stop") << hex("81 01 04 07 00 FF") << int(Axis::Zoom) << 0;
    QTest::newRow("focus near") << hex("81 01 04 08 03 FF") << int(Axis::Focus) << 1;
    QTest::newRow("home") << hex("81 01 06 04 FF") << -1 << 0;
    QTest::newRow("zoom direct") << hex("81 01 04 47 01 02 03 04 FF") << -1 << 0;
    QTest::newRow("pan-tilt way out of range") << hex("81 01 06 01 05 05 04 03 FF") << -1 << 0;
    QTest::newRow("inquiry") << hex("81 09 04 07 FF") << -1 << 0;
}

void RemoteTest::raw_movements_read()
{
    QFETCH(QByteArray, message);
    QFETCH(int, axis);
    QFETCH(int, moving);
    const auto movement = raw_movement(message);
    QCOMPARE(movement ? int(movement->first) : -1, axis);
    QCOMPARE(movement && movement->second ? 1 : 0, moving);
}

void RemoteTest::a_request_answered_too_late_is_never_carried_out()
{
    HttpServed served;
    SimProcess &camera = served.camera;
    QVERIFY(camera.started());
    QProcess client;
    client.start("curl",
                 {"-s", "-w", "\n%{http_code}", "--data-binary", R"({"pan": 1, "lease_ms": 2000})",
                  QString("http://127.0.0.1:%1/api/v1/cameras/1/drive").arg(served.port)});
    QVERIFY(client.waitForStarted(5000));
    // The window's thread is held past the request's deadline, with the
    // request waiting for it; the client has its answer meanwhile.
    QVERIFY(client.waitForFinished(HttpApi::answer_limit_ms + 5000));
    QVERIFY(client.readAllStandardOutput().endsWith("\n503"));
    // Then the window's thread runs again, and the request is not done.
    QCOMPARE(http(served.port, "POST", "/api/v1/cameras/1/home").status, 200);
    QVERIFY(camera.wait_for("home"));
    QCOMPARE(heard(camera).filter("pan right").size(), 0);
}

void RemoteTest::a_drive_stops_when_its_lease_runs_out()
{
    HttpServed served;
    SimProcess &camera = served.camera;
    QVERIFY(camera.started());
    const quint16 port = served.port;
    const auto stops = [&] { return heard(camera).filter("pan-tilt stop").size(); };

    // Renewed every 100 ms for a second (each lease longer than a busy
    // machine's pause between two requests): no stop meanwhile.
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 1000) {
        QCOMPARE(http(port, "POST", "/api/v1/cameras/1/drive", R"({"pan": 0.5, "lease_ms": 2000})")
                     .status,
                 200);
        QTest::qWait(100);
    }
    QCOMPARE(heard(camera).filter("pan right").size(), 1);
    QCOMPARE(stops(), 0);
    // Left alone: one stop, once the lease is over.
    clock.restart();
    QCOMPARE(
        http(port, "POST", "/api/v1/cameras/1/drive", R"({"pan": 0.5, "lease_ms": 300})").status,
        200);
    QVERIFY(wait_until([&] { return stops() == 1; }, 5000));
    QVERIFY2(clock.elapsed() >= 300, qPrintable(QString::number(clock.elapsed())));
    // Zoom and pan of one lease: each axis its stop (sent again only where
    // a loaded camera was slow to confirm it), nothing after.
    QCOMPARE(http(port, "POST", "/api/v1/cameras/1/drive", R"({"tilt": -1, "zoom": 1})").status,
             200);
    QVERIFY(wait_until([&] { return stops() >= 2; }, 5000));
    QVERIFY(camera.wait_for("zoom stop"));
    const QStringList zoom = heard(camera).filter(QRegularExpression("zoom (tele|stop)"));
    QCOMPARE(zoom.filter("zoom tele").size(), 1);
    QVERIFY2(zoom.first().contains("zoom tele") && zoom.last().contains("zoom stop"),
             qPrintable(zoom.join('\n')));
}

void RemoteTest::a_token_is_asked_for_beyond_loopback()
{
    ScratchFolder folder;
    SimProcess camera;
    QVERIFY(camera.started());
    quint16 port = free_loopback_port();
    // Every address without a token: not at all, and the log says why in
    // the window's language.
    write_config(folder, camera, QString("HttpPort=%1\nListen=0.0.0.0").arg(port), "Chinese");
    {
        MainWindow window;
        window.start_remote();
        QVERIFY(log_lines(window).contains("只有设置了 API/Token，HTTP 才会在 127.0.0.1 以外监听"));
        QCOMPARE(http(port, "GET", "/api/v1/cameras").status, 0);
    }
    port = free_loopback_port();
    write_config(folder, camera, QString("HttpPort=%1\nToken=s3cret-Token").arg(port));
    MainWindow window;
    window.start_remote();
    QCOMPARE(http(port, "GET", "/api/v1/cameras").status, 401);
    QCOMPARE(
        http(port, "POST", "/api/v1/cameras/1/home", {}, {"Authorization: Bearer wrong"}).status,
        401);
    QCOMPARE(
        http(port, "POST", "/api/v1/cameras/1/home", {}, {"Authorization: Bearer s3cret-Token"})
            .status,
        200);
    QVERIFY(camera.wait_for("home"));
    QCOMPARE(heard(camera).filter("udp:").size(), 1);
    QVERIFY(!log_lines(window).join('\n').contains("s3cret"));
    // A file that holds the token is its owner's alone.
    {
        ModalCatcher ok(QMessageBox::Ok);
        window.close();
    }
    const QFile::Permissions others =
        QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
    QCOMPARE(QFile::permissions(folder.file("config.ini")) & others, QFile::Permissions());
}

void RemoteTest::osc_beyond_loopback_takes_the_token_last()
{
    ScratchFolder folder;
    SimProcess camera;
    QVERIFY(camera.started());
    const quint16 port = free_loopback_port(false);
    write_config(
        folder, camera,
        QString("OscPort=%1\nListen=0.0.0.0\nToken=s3cret\nOscSenders=127.0.0.1").arg(port));
    MainWindow window;
    window.start_remote();
    osc(port, {"/zarvick/camera/1/preset/recall", "i", "5"});
    osc(port, {"/zarvick/camera/1/preset/recall", "is", "6", "wrong"});
    osc(port, {"/zarvick/camera/1/preset/recall", "is", "7", "s3cret"});
    QVERIFY(camera.wait_for("preset 7 recalled"));
    QCOMPARE(heard(camera).filter("udp:").size(), 1);
}

void RemoteTest::osc_messages_drive_too()
{
    ScratchFolder folder;
    SimProcess camera;
    QVERIFY(camera.started());
    const quint16 port = free_loopback_port(false);
    write_config(folder, camera, QString("OscPort=%1").arg(port));
    MainWindow window;
    window.start_remote();
    osc(port, {"/zarvick/camera/1/preset/recall", "i", "5"});
    QVERIFY(camera.wait_for("preset 5 recalled"));
    osc(port, {"/zarvick/active/tally", "s", "preview"});
    QVERIFY(camera.wait_for("tally: red off, green on"));
    // A drive with a lease of 300 ms: its stop by itself.
    osc(port, {"/zarvick/active/drive", "ffffi", "-1", "0", "0", "0", "300"});
    QVERIFY(camera.wait_for("pan left"));
    QVERIFY(camera.wait_for("pan-tilt stop", 5000));
    // What does not read does nothing: a camera not listed, a wrong type.
    osc(port, {"/zarvick/camera/9/home"});
    osc(port, {"/zarvick/camera/1/drive", "s", "fast"});
    osc(port, {"/zarvick/camera/2/select"});
    QVERIFY(wait_until([&] { return window.windowTitle().endsWith("Camera 2"); }));
    osc(port, {"/zarvick/camera/1/select"});
    osc(port, {"/zarvick/active/home"});
    QVERIFY(camera.wait_for("home"));
    QCOMPARE(heard(camera).filter("home").size(), 1);
    QCOMPARE(heard(camera).filter("pan").size(), 2); // left, and its stop
}

void RemoteTest::a_thousand_malformed_requests_send_nothing()
{
    ScratchFolder folder;
    SimProcess camera;
    QVERIFY(camera.started());
    const quint16 port = free_loopback_port();
    QUdpSocket sender;
    const quint16 osc_port = free_loopback_port(false);
    write_config(folder, camera, QString("HttpPort=%1\nOscPort=%2").arg(port).arg(osc_port));
    MainWindow window;
    window.start_remote();
    // 500 HTTP requests in one curl run, each refused.
    QRandomGenerator random(20261209);
    const QList<QByteArray> bodies = {"{",
                                      "[]",
                                      R"({"pan": 2})",
                                      R"({"pan": null})",
                                      R"({"hex": "81 01 GG FF"})",
                                      R"({"state": 1})",
                                      "\xff\xfe"};
    const QStringList paths = {"/api/v1/cameras/1/drive",
                               "/api/v1/cameras/1/tally",
                               "/api/v1/cameras/1/command",
                               "/api/v1/cameras/99/home",
                               "/api/v1/cameras/1/presets/999/recall",
                               "/api/v2/cameras",
                               "/api/v1/cameras/1/positions/0/go"};
    QStringList requests;
    for (int i = 0; i < 500; ++i) {
        requests << QString("url = \"http://127.0.0.1:%1%2\"\nrequest = POST\n"
                            "data-binary = \"%3\"\noutput = /dev/null\n")
                        .arg(port)
                        .arg(paths.at(int(random.bounded(paths.size()))))
                        .arg(QString::fromUtf8(bodies.at(int(random.bounded(bodies.size()))))
                                 .replace('"', "\\\""));
    }
    folder.write("requests.txt", requests.join("next\n").toUtf8());
    int code = -1;
    run("curl", {"-s", "-K", folder.file("requests.txt")}, &code);
    QCOMPARE(code, 0);
    // 500 datagrams: no OSC, cut short, and well formed with wrong values.
    for (int i = 0; i < 500; ++i) {
        QByteArray datagram(int(random.bounded(64)), '\0');
        for (char &byte : datagram)
            byte = char(random.bounded(256));
        if (i % 2)
            datagram = QByteArray("/zarvick/camera/1/drive\0,ffff\0\0\0", 32).left(20 + i % 12);
        sender.writeDatagram(datagram, QHostAddress::LocalHost, osc_port);
    }
    osc(osc_port, {"/zarvick/camera/1/drive", "ffff", "3", "0", "0", "0"});
    // Still answering at once, and nothing went to the camera before this.
    QCOMPARE(http(port, "POST", "/api/v1/cameras/1/home").status, 200);
    QVERIFY(camera.wait_for("home"));
    QCOMPARE(heard(camera).filter("udp:").size(), 1);
}

QTEST_MAIN(RemoteTest)
#include "tst_remote.moc"
