// The switcher's tally on the cameras' lamps, through the window: TSL UMD
// 3.1 datagrams and TSL 5.0 on TCP from a switcher in the test, a vMix API
// peer that drops and comes back. What counts is the bytes at the cameras.

#include "app/mainwindow.h"
#include "control/camera_list_model.h"
#include "testsupport.h"

#include <QCryptographicHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUdpSocket>
#include <QWebSocket>
#include <QWebSocketServer>
#include <QtTest>

namespace {
const QStringList on_program{"81 01 7E 04 1A 00 03 FF", "81 01 7E 01 0A 00 02 FF"};
const QStringList on_preview{"81 01 7E 01 0A 00 03 FF", "81 01 7E 04 1A 00 02 FF"};
const QStringList off{"81 01 7E 04 1A 00 03 FF", "81 01 7E 01 0A 00 03 FF"};

QByteArray tsl31(int address, int control)
{
    return QByteArray(1, char(0x80 + address)) + char(control) + QByteArray(16, ' ');
}

// What the cameras are sent arrives well within this, however busy the
// machine (a wait that is met ends at once).
constexpr int arrive_ms = 5000;

// Two cameras on UDP, open at the start, the switcher's displays 3 and 4
// (OBS's scenes Wide, and Close or Interview).
void write_config(ScratchFolder &folder, UdpPeer &first, UdpPeer &second, const QString &source)
{
    folder.write("config.ini", QString("[LANGUAGE_CONF]\nlanguage=English\n"
                                       "[CAMERAS]\nOpenAtStart=true\n"
                                       "[NET_CONF]\nProtocol=UDP\nAddress=127.0.0.1\nPort=%1\n"
                                       "[CAMERA_1]\nLink=UDP\nOpen=true\nTallyIndex=3\n"
                                       "TallyScenes=Wide\n"
                                       "[CAMERA_2]\nName=Two\nLink=UDP\nAddress=127.0.0.1\n"
                                       "Port=%2\nOpen=true\nTallyIndex=4\n"
                                       "TallyScenes=Close|Interview\n"
                                       "[TALLY_SOURCE]\n%3\n")
                                   .arg(first.port())
                                   .arg(second.port())
                                   .arg(source)
                                   .toUtf8());
}
} // namespace

class SwitcherTallyTest : public QObject
{
    Q_OBJECT
private slots:
    void tsl31_datagrams_light_the_cameras();
    void tsl_each_way_data();
    void tsl_each_way();
    void vmix_drops_and_comes_back();
    void obs_scenes_with_a_password();
};

void SwitcherTallyTest::tsl31_datagrams_light_the_cameras()
{
    ScratchFolder folder;
    UdpPeer first;
    UdpPeer second;
    const quint16 port = free_loopback_port(false);
    write_config(folder, first, second, QString("Kind=TSL3.1\nTransport=UDP\nPort=%1").arg(port));
    MainWindow window;
    QUdpSocket switcher;
    const auto send = [&](const QByteArray &datagram) {
        switcher.writeDatagram(datagram, QHostAddress::LocalHost, port);
    };
    send(tsl31(3, 0x01) + tsl31(4, 0x02));
    QCOMPARE(udp_texts(first, 2, arrive_ms), on_program);
    QCOMPARE(udp_texts(second, 2, arrive_ms), on_preview);
    QCOMPARE(control<QLabel>(&window, "tallySourceState")->text().left(9), QString("connected"));
    // A picture in picture: both on program, as the switcher says.
    send(tsl31(3, 0x01) + tsl31(4, 0x01));
    QCOMPARE(udp_texts(second, 2, arrive_ms), on_program);
    QCOMPARE(udp_texts(first, 1, nothing_more_ms), QStringList());
    // The list (and so HTTP and its events) says who set the tally.
    const auto from_switcher = [&window] {
        return camera_data(window, 0, 0, CameraListModel::TallyFromSwitcherRole).toBool();
    };
    QVERIFY(from_switcher());
    // A hand holds until the switcher changes that camera.
    click(window, "camerasTallyOffButton");
    QCOMPARE(udp_texts(first, 2, arrive_ms), off);
    QVERIFY(!from_switcher());
    send(tsl31(3, 0x01));
    QCOMPARE(udp_texts(first, 1, nothing_more_ms), QStringList());
    send(tsl31(3, 0x02));
    QCOMPARE(udp_texts(first, 2, arrive_ms), on_preview);
}

void SwitcherTallyTest::tsl_each_way_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("tcp");
    for (const char *kind : {"TSL3.1", "TSL5"}) {
        for (const bool tcp : {false, true})
            QTest::newRow(qPrintable(QString("%1 %2").arg(kind, tcp ? "TCP" : "UDP")))
                << QString(kind) << tcp;
    }
}

void SwitcherTallyTest::tsl_each_way()
{
    // Display 3 on program, 4 on preview: in 5.0, 3 green as text and red
    // on the left, 4 green on the left; an FE inside, sent twice on TCP.
    QFETCH(QString, kind);
    QFETCH(bool, tcp);
    ScratchFolder folder;
    UdpPeer first;
    UdpPeer second;
    const quint16 port = free_loopback_port(tcp);
    write_config(
        folder, first, second,
        QString("Kind=%1\nTransport=%2\nPort=%3").arg(kind, tcp ? "TCP" : "UDP").arg(port));
    MainWindow window;
    QByteArray bytes = tsl31(3, 0x01) + tsl31(4, 0x02);
    if (kind == "TSL5") {
        QByteArray displays;
        for (const auto &[index, control] : {std::pair{3, 0x18}, std::pair{4, 0x20}})
            displays += QByteArray(1, char(index)) + char(0) + char(control) + char(0) + char(1) +
                        char(0) + char(0xFE);
        bytes = QByteArray(1, char(4 + displays.size())) + char(0) + char(0) + char(0) +
                char(0xFF) + char(0xFF) + displays;
        if (tcp)
            bytes = QByteArray("\xfe\x02", 2) + bytes.replace("\xfe", "\xfe\xfe");
    }
    if (tcp) {
        // A stream in two pieces, cut inside the first message.
        QTcpSocket switcher;
        switcher.connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(switcher.waitForConnected(2000));
        switcher.write(bytes.left(7));
        QVERIFY(switcher.waitForBytesWritten(2000));
        QCOMPARE(udp_texts(first, 1, nothing_more_ms), QStringList());
        switcher.write(bytes.mid(7));
        QVERIFY(switcher.waitForBytesWritten(2000));
        QCOMPARE(udp_texts(first, 2, arrive_ms), on_program);
        QCOMPARE(udp_texts(second, 2, arrive_ms), on_preview);
        return;
    }
    QUdpSocket switcher;
    switcher.writeDatagram(bytes, QHostAddress::LocalHost, port);
    QCOMPARE(udp_texts(first, 2, arrive_ms), on_program);
    QCOMPARE(udp_texts(second, 2, arrive_ms), on_preview);
}

void SwitcherTallyTest::vmix_drops_and_comes_back()
{
    ScratchFolder folder;
    UdpPeer first;
    UdpPeer second;
    QTcpServer vmix;
    QVERIFY(vmix.listen(QHostAddress::LocalHost));
    write_config(folder, first, second,
                 QString("Kind=vMix\nHost=127.0.0.1\nPort=%1").arg(vmix.serverPort()));
    MainWindow window;
    // Each connection from the window subscribes first.
    const auto subscribed = [&vmix]() -> QTcpSocket * {
        if (!wait_until([&] { return vmix.hasPendingConnections(); }, 5000))
            return nullptr;
        QTcpSocket *api = vmix.nextPendingConnection();
        const bool asked = wait_until([&] { return api->canReadLine(); }) &&
                           api->readLine() == "SUBSCRIBE TALLY\r\n";
        return asked ? api : nullptr;
    };
    QTcpSocket *api = subscribed();
    QVERIFY(api);
    // Inputs 3 and 4 are the cameras.
    api->write("SUBSCRIBE OK TALLY\r\nTALLY OK 0012\r\n");
    QCOMPARE(udp_texts(first, 2, arrive_ms), on_program);
    QCOMPARE(udp_texts(second, 2, arrive_ms), on_preview);
    // Gone: said, and the lamps stay as they were.
    api->close();
    auto *state = control<QLabel>(&window, "tallySourceState");
    QVERIFY(wait_until([&] { return state->text().startsWith("lost: "); }));
    QVERIFY(control<QLabel>(&window, "camerasNote")->text().startsWith("Tally source lost: "));
    QCOMPARE(udp_texts(first, 1, nothing_more_ms), QStringList());
    // Back, subscribed again, and followed.
    api = subscribed();
    QVERIFY(api);
    api->write("TALLY OK 0021\r\n");
    QCOMPARE(udp_texts(first, 2, arrive_ms), on_preview);
    QCOMPARE(udp_texts(second, 2, arrive_ms), on_program);
}

void SwitcherTallyTest::obs_scenes_with_a_password()
{
    ScratchFolder folder;
    UdpPeer first;
    UdpPeer second;
    QWebSocketServer obs("obs", QWebSocketServer::NonSecureMode);
    QVERIFY(obs.listen(QHostAddress::LocalHost));
    write_config(
        folder, first, second,
        QString("Kind=OBS\nHost=127.0.0.1\nPort=%1\nPassword=secret").arg(obs.serverPort()));
    MainWindow window;
    QVERIFY(wait_until([&] { return obs.hasPendingConnections(); }, 3000));
    // Ours to delete: it goes with the server.
    QWebSocket *client = obs.nextPendingConnection();
    client->setParent(&obs);
    QList<QJsonObject> heard;
    connect(client, &QWebSocket::textMessageReceived, this,
            [&](const QString &text) { heard << QJsonDocument::fromJson(text.toUtf8()).object(); });
    const auto send = [&](int op, const QJsonObject &data) {
        client->sendTextMessage(
            QJsonDocument(QJsonObject{{"op", op}, {"d", data}}).toJson(QJsonDocument::Compact));
    };
    const auto respond = [&](const QString &id, bool done, const QJsonObject &data) {
        send(7, {{"requestType", id},
                 {"requestId", id},
                 {"requestStatus", QJsonObject{{"result", done}, {"code", done ? 100 : 506}}},
                 {"responseData", data}});
    };
    send(0, {{"obsWebSocketVersion", "5.1.0"},
             {"rpcVersion", 1},
             {"authentication", QJsonObject{{"challenge", "ch+1"}, {"salt", "sa/2"}}}});
    QVERIFY(wait_until([&] { return heard.size() == 1; }));
    // base64(sha256(base64(sha256(password + salt)) + challenge))
    const QByteArray secret =
        QCryptographicHash::hash("secretsa/2", QCryptographicHash::Sha256).toBase64();
    const QByteArray expected =
        QCryptographicHash::hash(secret + "ch+1", QCryptographicHash::Sha256).toBase64();
    const QJsonObject identify = heard.takeFirst().value("d").toObject();
    QCOMPARE(identify.value("authentication").toString(), QString(expected));
    QCOMPARE(identify.value("rpcVersion").toInt(), 1);
    send(2, {{"negotiatedRpcVersion", 1}});
    QVERIFY(wait_until([&] { return heard.size() == 2; }));
    // Studio mode off: the preview scene is refused.
    respond("GetCurrentProgramScene", true, {{"currentProgramSceneName", "Wide"}});
    respond("GetCurrentPreviewScene", false, {});
    QCOMPARE(udp_texts(first, 2, arrive_ms), on_program);
    QCOMPARE(udp_texts(second, 2, arrive_ms), off);
    heard.clear();
    send(5, {{"eventType", "StudioModeStateChanged"},
             {"eventData", QJsonObject{{"studioModeEnabled", true}}}});
    QVERIFY(wait_until([&] { return heard.size() == 1; }));
    respond("GetCurrentPreviewScene", true, {{"currentPreviewSceneName", "Interview"}});
    QCOMPARE(udp_texts(second, 2, arrive_ms), on_preview);
    send(5, {{"eventType", "CurrentProgramSceneChanged"},
             {"eventData", QJsonObject{{"sceneName", "Close"}}}});
    QCOMPARE(udp_texts(second, 2, arrive_ms), on_program);
    QCOMPARE(udp_texts(first, 2, arrive_ms), off);
}

QTEST_MAIN(SwitcherTallyTest)
#include "tst_switcher_tally.moc"
