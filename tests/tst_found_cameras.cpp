// Network cameras found by the enquiry and by probing an address, added to
// the camera list and driven; everything on loopback addresses of this
// test's own (the enquiry goes where ZARVICK_DISCOVERY_TARGETS says).

#include "app/mainwindow.h"
#include "sim_process.h"
#include "testsupport.h"
#include "visca/commands.h"
#include "visca/discovery.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkDatagram>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTextDocument>
#include <QUdpSocket>
#include <QtTest>

namespace {
QTableWidget *found(MainWindow &window) { return control<QTableWidget>(&window, "foundTable"); }
QString note(MainWindow &window) { return control<QLabel>(&window, "foundNote")->text(); }

// A camera on `address` answering the enquiry and VISCA over IP on their
// own ports, or, with `options`, only where they say.
// An answer to the enquiry, as a camera at `address` would send it.
QByteArray enquiry_answer(const QString &address, const QString &mac, const QString &text)
{
    return visca::discovery_reply({{"MAC", mac},
                                   {"MODEL", text},
                                   {"SOFTVERSION", text},
                                   {"IPADR", address},
                                   {"MASK", "255.255.255.0"},
                                   {"NAME", text},
                                   {"WRITE", "on"}});
}

// A camera of the test's own on `address`: the enquiry goes to its port.
struct FakeCamera {
    explicit FakeCamera(const QString &address)
    {
        socket.bind(QHostAddress(address), 0);
        qputenv("ZARVICK_DISCOVERY_TARGETS",
                QString("%1:%2").arg(address).arg(socket.localPort()).toLatin1());
    }
    ~FakeCamera() { qunsetenv("ZARVICK_DISCOVERY_TARGETS"); }
    // Waits for the window's enquiry; where it came from.
    bool asked()
    {
        if (!wait_until([&] { return socket.hasPendingDatagrams(); }, 5000))
            return false;
        enquiry = socket.receiveDatagram();
        return true;
    }
    void answer(QUdpSocket &from, const QByteArray &datagram)
    {
        from.writeDatagram(datagram, enquiry.senderAddress(), quint16(enquiry.senderPort()));
    }
    QUdpSocket socket;
    QNetworkDatagram enquiry;
};

std::unique_ptr<SimProcess> camera_at(const QString &address, const QStringList &options)
{
    return std::make_unique<SimProcess>(QStringList{"--bind", address} + options);
}
} // namespace

class FoundCamerasTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void lists_and_adds_the_cameras_that_answer();
    void probing_picks_the_link_that_answers();
    void visca_over_ip_on_a_port_of_its_own();
    void answers_count_from_the_port_asked_and_are_bounded();
    void markup_from_outside_shows_as_typed();
    void another_port_at_the_same_address_is_another_camera();

private:
    QStringList addresses;
};

void FoundCamerasTest::initTestCase() { addresses = spare_loopback_addresses(); }

void FoundCamerasTest::lists_and_adds_the_cameras_that_answer()
{
    const QString ports[] = {"--discovery-port", QString::number(visca::discovery_port),
                             "--visca-ip-port", QString::number(visca::visca_over_ip_port)};
    const QStringList answering(std::begin(ports), std::end(ports));
    auto left = camera_at(addresses[0], answering + QStringList{"--name", "LEFT"});
    auto right = camera_at(addresses[1], answering + QStringList{"--name", "RIGHT"});
    QVERIFY(left->started() && right->started());
    qputenv("ZARVICK_DISCOVERY_TARGETS", QString("%1:%3, %2:%3")
                                             .arg(addresses[0], addresses[1])
                                             .arg(visca::discovery_port)
                                             .toLatin1());
    ScratchFolder folder;
    MainWindow window;
    click(window, "findNetworkButton");
    QVERIFY(wait_until([&] { return found(window)->rowCount() == 2; }, 5000));
    QStringList names{found(window)->item(0, 0)->text(), found(window)->item(1, 0)->text()};
    names.sort();
    QCOMPARE(names, QStringList({"LEFT", "RIGHT"}));
    const int row_left = found(window)->item(0, 0)->text() == "LEFT" ? 0 : 1;
    QCOMPARE(found(window)->item(row_left, 1)->text(), QString("ZARVICK-SIM"));
    QCOMPARE(found(window)->item(row_left, 2)->text(), addresses[0]);
    QVERIFY(found(window)->item(row_left, 3)->text().startsWith("02-"));
    QVERIFY(wait_until([&] { return note(window) == "回应的网络摄像机：2"; }, 5000));

    // Added as a VISCA over IP camera, which the PTZ tab then drives.
    found(window)->setCurrentCell(row_left, 0);
    click(window, "addFoundButton");
    QCOMPARE(camera_rows(window), 2);
    QCOMPARE(camera_cell(window, 1, 0), QString("LEFT"));
    QCOMPARE(window.windowTitle(), QString("Zarvick v2.2 — LEFT"));
    QCOMPARE(control<QLineEdit>(&window, "lineEdit_ip")->text(), addresses[0]);
    QCOMPARE(control<QLineEdit>(&window, "lineEdit_port")->text(), QString("52381"));
    click(window, "pushButton_15");
    click(window, "ptz_resetButton");
    QVERIFY(left->wait_for("visca-ip: home"));
    // Listed once: a second Add only says so.
    found(window)->setCurrentCell(row_left, 0);
    click(window, "addFoundButton");
    QCOMPARE(camera_rows(window), 2);
    QVERIFY(found(window)->item(row_left, 5)->text().contains("LEFT"));
    qunsetenv("ZARVICK_DISCOVERY_TARGETS");
}

void FoundCamerasTest::probing_picks_the_link_that_answers()
{
    // Raw TCP on its standard port, nothing on the other two.
    auto tcp_only = camera_at(addresses[2], {"--tcp-port", QString::number(visca::tcp_port)});
    QVERIFY(tcp_only->started());
    ScratchFolder folder;
    MainWindow window;
    control<QLineEdit>(&window, "probeAddress")->setText(addresses[2]);
    click(window, "probeButton");
    QVERIFY(wait_until([&] { return found(window)->rowCount() == 1; }, 5000));
    QCOMPARE(found(window)->item(0, 5)->text(), QString("TCP 5678"));
    QCOMPARE(found(window)->item(0, 6)->text(),
             QString("厂商 0020h，型号 005Ah，ROM 0100h，2 个插槽"));
    click(window, "addFoundButton");
    QCOMPARE(camera_cell(window, 1, 1), "TCP " + addresses[2] + ":5678");

    // A raw UDP camera, asked after the TCP step was refused, and then
    // a probe after it: each step had its half second.
    auto udp_only = camera_at(addresses[9], {"--udp-port", QString::number(visca::udp_port),
                                             "--tcp-port", "0", "--visca-ip-port", "0"});
    QVERIFY(udp_only->started());
    for (int probe = 0; probe < 2; ++probe) {
        control<QLineEdit>(&window, "probeAddress")->setText(addresses[9]);
        click(window, "probeButton");
        QVERIFY(wait_until([&] { return found(window)->rowCount() == 2; }, 5000));
        QVERIFY(
            wait_until([&] { return note(window) == addresses[9] + " 在 UDP 1259 上应答"; }, 5000));
    }

    // Where nothing answers, the operator is told and nothing changes.
    control<QLineEdit>(&window, "probeAddress")->setText(addresses[3]);
    click(window, "probeButton");
    QVERIFY(wait_until([&] { return note(window) == "在 " + addresses[3] + " 没有应答"; }, 5000));
    QCOMPARE(found(window)->rowCount(), 2);
    QCOMPARE(camera_rows(window), 2);
    // A probe that found nothing leaves nothing behind: TCP and UDP answer
    // the next ones.
    const QStringList answering[] = {{addresses[2], "TCP 5678"}, {addresses[9], "UDP 1259"}};
    for (const QStringList &camera : answering) {
        control<QLineEdit>(&window, "probeAddress")->setText(camera[0]);
        click(window, "probeButton");
        QVERIFY(wait_until(
            [&] { return note(window) == camera[0] + " 在 " + camera[1] + " 上应答"; }, 5000));
    }
}

void FoundCamerasTest::visca_over_ip_on_a_port_of_its_own()
{
    // A forwarded camera: VISCA over IP on a port the system picked.
    auto forwarded = camera_at(addresses[6], {"--visca-ip-port", "0"});
    QVERIFY(forwarded->started());
    const QString port = QString::number(forwarded->visca_ip());
    ScratchFolder folder;
    {
        MainWindow window;
        // Nothing there first: the probe after it finds the camera.
        control<QLineEdit>(&window, "probeAddress")->setText(addresses[3]);
        click(window, "probeButton");
        QVERIFY(
            wait_until([&] { return note(window) == "在 " + addresses[3] + " 没有应答"; }, 5000));
        control<QLineEdit>(&window, "probeAddress")->setText(addresses[6]);
        control<QLineEdit>(&window, "probePort")->setText(port);
        click(window, "probeButton");
        QVERIFY(wait_until([&] { return found(window)->rowCount() == 1; }, 5000));
        QCOMPARE(found(window)->item(0, 5)->text(), "VISCA over IP " + port);
        click(window, "addFoundButton");
        QCOMPARE(camera_cell(window, 1, 1), "VISCA over IP " + addresses[6] + ":" + port);
        QCOMPARE(control<QComboBox>(&window, "linkKindBox")->currentText(),
                 QString("VISCA over IP"));
        click(window, "pushButton_15");
        click(window, "ptz_resetButton");
        QVERIFY(forwarded->wait_for("visca-ip: home"));
        QVERIFY(!control<QComboBox>(&window, "linkKindBox")->isEnabled());
        // A language change puts the form's fields back as typed: the kind stays.
        QTest::keyClick(control<QComboBox>(&window, "comboBox_3"), Qt::Key_Down);
        QCOMPARE(camera_cell(window, 1, 1), "VISCA over IP " + addresses[6] + ":" + port);
        ModalCatcher catcher(QMessageBox::Ok);
        window.close();
    }
    QSettings stored(folder.file("config.ini"), QSettings::IniFormat);
    QCOMPARE(stored.value("CAMERA_2/Link").toString(), QString("VISCA over IP"));
    QCOMPARE(stored.value("CAMERA_2/Port").toString(), port);

    // Files of old mean VISCA over IP by UDP to its own port; raw UDP
    // anywhere else.
    folder.write("config.ini", "[NET_CONF]\nProtocol=UDP\nAddress=192.168.1.88\nPort=52381\n"
                               "[CAMERA_1]\nLink=UDP\n"
                               "[CAMERA_2]\nLink=UDP\nAddress=192.168.1.89\nPort=52381\n"
                               "[CAMERA_3]\nLink=UDP\nPort=1259\n");
    MainWindow again;
    QCOMPARE(camera_cell(again, 0, 1), QString("VISCA over IP 192.168.1.88:52381"));
    QCOMPARE(camera_cell(again, 1, 1), QString("VISCA over IP 192.168.1.89:52381"));
    QCOMPARE(camera_cell(again, 2, 1), QString("UDP 192.168.1.88:1259"));
}

void FoundCamerasTest::answers_count_from_the_port_asked_and_are_bounded()
{
    FakeCamera cameras(addresses[4]);
    QUdpSocket elsewhere;
    QVERIFY(elsewhere.bind(QHostAddress(addresses[4]), 0));
    ScratchFolder folder;
    MainWindow window;
    // The search stays open until every answer is in, however busy the
    // machine: the test ends it.
    auto *search = window.findChild<QTimer *>("searchWindow");
    QVERIFY(search);
    search->setInterval(3600 * 1000);
    click(window, "findNetworkButton");
    QVERIFY(cameras.asked());
    // Another port of the same host is nobody the enquiry asked.
    cameras.answer(elsewhere, enquiry_answer("10.1.0.1", "02-00-00-00-FF-FF", "ELSEWHERE"));
    // Three hundred cameras, one of them twice: a search lists 256. Sent
    // twenty at a time, as the system keeps only so many datagrams unread.
    for (int camera = 0; camera <= 300; ++camera) {
        const int number = camera % 300;
        cameras.answer(cameras.socket,
                       enquiry_answer(QString("10.2.%1.%2").arg(number / 250).arg(number % 250 + 1),
                                      QString("02-00-00-00-%1").arg(number, 5, 16, QChar('0')),
                                      QString("CAM%1").arg(number)));
        if (camera % 20 == 19)
            QVERIFY(
                wait_until([&] { return found(window)->rowCount() == std::min(camera + 1, 256); }));
    }
    search->start(0);
    QVERIFY(wait_until([&] { return note(window) == "回应的网络摄像机：256"; }));
    QVERIFY(wait_until([&] { return found(window)->rowCount() == 256; }));
    QCOMPARE(found(window)->item(0, 0)->text(), QString("CAM0"));
    QCOMPARE(found(window)->findItems("ELSEWHERE", Qt::MatchExactly).size(), 0);
}

void FoundCamerasTest::markup_from_outside_shows_as_typed()
{
    const QString markup = "<img src=/dev/zero><b>Stage</b>";
    FakeCamera camera(addresses[5]);
    ScratchFolder folder;
    MainWindow window;
    click(window, "findNetworkButton");
    QVERIFY(camera.asked());
    const QByteArray answer = enquiry_answer(addresses[5], markup, markup);
    camera.answer(camera.socket, answer);
    QVERIFY(wait_until([&] { return found(window)->rowCount() == 1; }));
    for (const int column : {0, 1, 3, 4})
        QCOMPARE(found(window)->item(0, column)->text(), markup);
    // The tooltip shows every field as it came: no picture, no bold.
    QTextDocument tooltip;
    tooltip.setHtml(found(window)->item(0, 0)->toolTip());
    QStringList fields;
    const auto sent = visca::read_discovery_reply(answer);
    for (const auto &field : sent->fields)
        fields << field.first + ": " + field.second;
    QCOMPARE(tooltip.toPlainText(), fields.join('\n'));

    // Added, then offered again: its name in the caption and the note as typed.
    click(window, "addFoundButton");
    QCOMPARE(window.windowTitle(), "Zarvick v2.2 — " + markup);
    QCOMPARE(camera_cell(window, 1, 0), markup);
    click(window, "addFoundButton");
    auto *shown = control<QLabel>(&window, "foundNote");
    QCOMPARE(shown->textFormat(), Qt::PlainText);
    QVERIFY(shown->text().endsWith(markup));
}

void FoundCamerasTest::another_port_at_the_same_address_is_another_camera()
{
    FakeCamera camera(addresses[5]);
    ScratchFolder folder;
    // A UDP camera at that address, on a port of its own, is listed.
    folder.write("config.ini", QString("[NET_CONF]\nProtocol=UDP\nAddress=%1\nPort=48112\n"
                                       "[CAMERA_1]\nLink=UDP\n")
                                   .arg(addresses[5])
                                   .toUtf8());
    MainWindow window;
    click(window, "findNetworkButton");
    QVERIFY(camera.asked());
    camera.answer(camera.socket, enquiry_answer(addresses[5], "Stage", "M1"));
    QVERIFY(wait_until([&] { return found(window)->rowCount() == 1; }));
    click(window, "addFoundButton");
    QCOMPARE(camera_rows(window), 2);
    // The same one again is listed already.
    click(window, "addFoundButton");
    QCOMPARE(camera_rows(window), 2);
    QVERIFY(control<QLabel>(&window, "foundNote")->text().endsWith("is listed already as M1"));
}

QTEST_MAIN(FoundCamerasTest)
#include "tst_found_cameras.moc"
