// The window listens to the camera: a stop is sent again until the camera
// confirms it, and nothing the console sends makes a drive or its stop wait.

#include "app/mainwindow.h"
#include "control/stop_confirmation.h"
#include "paced_camera.h"
#include "testsupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

namespace {
const QString drive = "81 01 06 01 0F 0F 03 01 FF";
const QString stop = "81 01 06 01 03 03 03 03 FF";
const QString pan_tilt_inquiry = "81 09 06 12 FF";
const QByteArray ack = hex("90 41 FF");
const QByteArray completion = hex("90 51 FF");
} // namespace

class ConfirmationsTest : public QObject
{
    Q_OBJECT
private slots:
    void stop_is_sent_until_confirmed_data();
    void stop_is_sent_until_confirmed();
    void a_lost_drive_goes_again_and_its_stop_is_not_doubted_data();
    void a_lost_drive_goes_again_and_its_stop_is_not_doubted();
    void a_drive_elsewhere_leaves_the_stop_waiting();
    void a_silent_address_on_an_answering_chain();
    void a_late_reply_to_the_drive_leaves_the_stop_owed();
    void loop_never_holds_a_drive_back();
};

void ConfirmationsTest::stop_is_sent_until_confirmed_data()
{
    QTest::addColumn<QString>("camera");
    QTest::addColumn<int>("stops");
    QTest::addColumn<bool>("box");
    // A stop goes again every 200 ms until the camera is heard, for 2 s
    // where it says nothing.
    const int all = StopConfirmation::give_up_ms / StopConfirmation::wait_ms;
    QTest::newRow("first stop lost") << "first stop lost" << 2 << false;
    QTest::newRow("buffer full once") << "buffer full once" << 2 << false;
    // A converter or a camera that never answers: nothing to wait for.
    QTest::newRow("never answers") << "never answers" << 1 << false;
    QTest::newRow("silent after the drive") << "silent after the drive" << all << true;
    // A datagram is one whole message or no reply at all.
    QTest::newRow("stray byte first") << "stray byte first" << 1 << false;
    QTest::newRow("stray FF after the ACK") << "stray FF after the ACK" << all << true;
    // Only the camera a stop went to can confirm it.
    QTest::newRow("another camera answers") << "another camera answers" << all << true;
    // An error is asked again after the wait, as a silence is.
    // A camera that answers, refusing, is given twice as long.
    QTest::newRow("error to every stop") << "error to every stop" << 2 * all << true;
    // The camera says where it is, never a word of the stops: at rest is
    // a confirmation, still moving is not.
    QTest::newRow("at rest, stops unanswered") << "at rest" << 2 << false;
    // Seen moving, the stop goes more often: at least as often.
    QTest::newRow("moving, stops unanswered") << "moving" << -all << true;
}

void ConfirmationsTest::stop_is_sent_until_confirmed()
{
    QFETCH(QString, camera);
    QFETCH(int, stops);
    QFETCH(bool, box);
    ScratchFolder folder;
    MainWindow window;
    UdpPeer peer;
    drive_on_udp(window, peer);
    ModalCatcher catcher;
    QElapsedTimer clock;
    clock.start();

    QTest::keyPress(QApplication::focusWidget(), Qt::Key_Up);
    QCOMPARE(udp_texts(peer, 1), QStringList({drive}));
    if (camera != "never answers") {
        peer.reply(ack);
        peer.reply(completion);
    }
    QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Up);
    QList<qint64> sent_ms;
    int asked = 0;
    const auto answer = [&](int nth) {
        if (camera == "first stop lost" && nth > 1) {
            peer.reply(ack);
            peer.reply(completion);
        } else if (camera == "buffer full once") {
            peer.reply(nth == 1 ? hex("90 60 03 FF") : ack);
        } else if (camera == "stray byte first") {
            peer.reply(hex("90"));
            peer.reply(ack);
            peer.reply(completion);
        } else if (camera == "stray FF after the ACK") {
            peer.reply(hex("90 41 FF FF"));
        } else if (camera == "another camera answers") {
            peer.reply(hex("A0 41 FF"));
            peer.reply(hex("A0 51 FF"));
        } else if (camera == "error to every stop") {
            peer.reply(hex("90 60 03 FF"));
        }
    };
    const auto tell_where = [&] {
        ++asked;
        if (camera == "at rest" || camera == "moving")
            peer.reply(hex("90 50 00 00 00 00 00 00 00") +
                       char(camera == "moving" ? asked % 16 : 0) + char(0xFF));
    };
    // Each stop as it comes, the position inquiries between answered as
    // the row says; after the last stop expected, the rest of the 2 s
    // shows that no other follows.
    for (;;) {
        const int wait_ms = sent_ms.size() < stops ? 3000 : StopConfirmation::give_up_ms;
        const QStringList texts = udp_texts(peer, 1, wait_ms);
        if (texts == QStringList({pan_tilt_inquiry})) {
            tell_where();
            continue;
        }
        if (texts != QStringList({stop}))
            break;
        sent_ms << clock.elapsed();
        answer(sent_ms.size());
    }
    if (stops < 0)
        QVERIFY(sent_ms.size() >= -stops);
    else
        QCOMPARE(sent_ms.size(), stops);
    // Timed as the test reads them: one read late makes the next gap look
    // short, so the stops are measured over their whole span.
    if (sent_ms.size() > 1)
        QVERIFY2(sent_ms.last() - sent_ms.first() >= (sent_ms.size() - 1) * (stops < 0 ? 50 : 100),
                 "sent again before the camera had its time");
    QTRY_COMPARE(catcher.boxes.size(), box ? 1 : 0);
    if (box)
        QCOMPARE(catcher.texts(), QString("警告/摄像机未确认停止命令"));
    QStringList logged;
    for (const QString &line : log_lines(window)) {
        if (line.startsWith("TX："))
            logged << line;
    }
    QCOMPARE(logged, QStringList("TX：" + drive) +
                         QStringList(QVector<QString>(sent_ms.size(), "TX：" + stop).toList()));
}

void ConfirmationsTest::a_lost_drive_goes_again_and_its_stop_is_not_doubted_data()
{
    // How many sends of the held drive the camera never gets.
    QTest::addColumn<int>("lost");
    QTest::newRow("the first lost, the second taken") << 1;
    // The stop's reply comes right after the resent drive went: it may be
    // the drive's or the stop's; the camera is asked where it is.
    QTest::newRow("the drive lost twice, the stop answered at once") << 2;
}

void ConfirmationsTest::a_lost_drive_goes_again_and_its_stop_is_not_doubted()
{
    QFETCH(int, lost);
    ScratchFolder folder;
    MainWindow window;
    UdpPeer peer;
    drive_on_udp(window, peer);
    ModalCatcher catcher;
    const auto tap = [&](bool answer_drive) {
        QTest::keyPress(QApplication::focusWidget(), Qt::Key_Up);
        QCOMPARE(udp_texts(peer, 1), QStringList({drive}));
        if (answer_drive) {
            peer.reply(ack);
            peer.reply(completion);
        }
    };
    // The camera answers: from now on its replies are waited for.
    tap(true);
    QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Up);
    QCOMPARE(udp_texts(peer, 1), QStringList({stop}));
    peer.reply(ack);
    peer.reply(completion);

    tap(false);
    // Held and unanswered, the drive goes again after each wait.
    for (int nth = 2; nth <= lost; ++nth)
        QCOMPARE(udp_texts(peer, 1), QStringList({drive}));
    if (lost == 1) {
        QCOMPARE(udp_texts(peer, 1), QStringList({drive}));
        peer.reply(ack);
        peer.reply(completion);
        QVERIFY(wait_until([&] { return log_lines(window).filter("RX").size() == 6; }));
    }
    QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Up);
    // A slow turn may have let the drive go once more before the release.
    QStringList first_after;
    while ((first_after = udp_texts(peer, 1)) == QStringList({drive})) {
    }
    QCOMPARE(first_after, QStringList({stop}));
    peer.reply(ack);
    peer.reply(completion);
    // No stop again, no drive after the release; where the camera is
    // asked, it is at rest.
    QStringList heard;
    QElapsedTimer watched;
    watched.start();
    while (watched.elapsed() < StopConfirmation::give_up_ms) {
        const QStringList texts = udp_texts(peer, 1, nothing_more_ms);
        if (texts.isEmpty())
            continue;
        QCOMPARE(texts, QStringList({pan_tilt_inquiry}));
        heard << texts;
        peer.reply(hex("90 50 00 00 00 00 00 00 00 00 FF"));
    }
    QVERIFY(lost == 1 || !heard.isEmpty());
    QCOMPARE(catcher.boxes.size(), 0);
    // The camera's answers about where it is never reach the log.
    QCOMPARE(log_lines(window).filter("90 50").size(), 0);
}

void ConfirmationsTest::a_drive_elsewhere_leaves_the_stop_waiting()
{
    // The stop of a drive on the network is still sent again while the pad
    // drives a camera on the serial line.
    ScratchFolder folder;
    MainWindow window;
    UdpPeer peer;
    PtyPeer pty;
    drive_on_udp(window, peer);
    open_serial(window, pty.path());
    auto *up = control<QPushButton>(&window, "ptz_upButton");
    QTest::mousePress(up, Qt::LeftButton);
    QCOMPARE(udp_texts(peer, 1), QStringList({drive}));
    peer.reply(ack);
    peer.reply(completion);
    QVERIFY(wait_until([&] { return log_lines(window).size() == 3; }));
    QTest::mouseRelease(up, Qt::LeftButton);
    QCOMPARE(udp_texts(peer, 1), QStringList({stop})); // not answered
    click(window, "radioButton_9");                    // the pad on the serial line
    QTest::mousePress(up, Qt::LeftButton);
    QCOMPARE(pty.read(9), hex(qPrintable(drive)));
    QCOMPARE(udp_texts(peer, 1, 2000), QStringList({stop}));
    peer.reply(ack);
    QTest::mouseRelease(up, Qt::LeftButton);
    QCOMPARE(pty.read(9), hex(qPrintable(stop)));
}

void ConfirmationsTest::a_late_reply_to_the_drive_leaves_the_stop_owed()
{
    ScratchFolder folder;
    MainWindow window;
    UdpPeer peer;
    drive_on_udp(window, peer);
    ModalCatcher catcher;
    // A first drive and its stop, answered: the camera is known to answer.
    QTest::keyPress(QApplication::focusWidget(), Qt::Key_Up);
    QCOMPARE(udp_texts(peer, 1), QStringList({drive}));
    peer.reply(ack);
    peer.reply(completion);
    QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Up);
    QCOMPARE(udp_texts(peer, 1), QStringList({stop}));
    peer.reply(ack);
    peer.reply(completion);
    QCOMPARE(udp_texts(peer, 1, StopConfirmation::give_up_ms), QStringList());
    // The second drive's replies are read only after its stop went; then
    // the camera is gone.
    QTest::keyPress(QApplication::focusWidget(), Qt::Key_Up);
    QCOMPARE(udp_texts(peer, 1), QStringList({drive}));
    QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Up);
    QCOMPARE(udp_texts(peer, 1), QStringList({stop}));
    peer.reply(ack);
    peer.reply(completion);
    QTRY_COMPARE_WITH_TIMEOUT(catcher.boxes.size(), 1, 3 * StopConfirmation::give_up_ms);
    udp_texts(peer, 100, 300);
    // Heard again: the stop it is owed goes first.
    peer.reply(hex("90 50 02 FF"));
    QVERIFY(udp_texts(peer, 3, 3000).contains(stop));
}

void ConfirmationsTest::a_silent_address_on_an_answering_chain()
{
    // Camera 1 of the line answers, nothing answers at address 2: camera
    // 2's stop goes once, and no box says it went unconfirmed.
    ScratchFolder folder;
    MainWindow window;
    PtyPeer line;
    show_exposed(&window);
    open_serial(window, line.path());
    add_camera(window);
    ModalCatcher catcher;
    auto *up = control<QPushButton>(&window, "ptz_upButton");
    pick_camera_row(window, 0);
    QTest::mousePress(up, Qt::LeftButton);
    QCOMPARE(line.read(9), hex(qPrintable(drive)));
    line.write(ack + completion);
    QTest::mouseRelease(up, Qt::LeftButton);
    QCOMPARE(line.read(9), hex(qPrintable(stop)));
    line.write(ack + completion);
    QVERIFY(wait_until([&] { return log_lines(window).size() == 6; }));

    pick_camera_row(window, 1);
    QTest::mousePress(up, Qt::LeftButton);
    QCOMPARE(line.read(9), hex("82 01 06 01 0F 0F 03 01 FF"));
    QTest::mouseRelease(up, Qt::LeftButton);
    QCOMPARE(line.read(9), hex("82 01 06 01 03 03 03 03 FF"));
    QCOMPARE(line.drain(StopConfirmation::give_up_ms + nothing_more_ms), QByteArray());
    QCOMPARE(catcher.boxes.size(), 0);
}

void ConfirmationsTest::loop_never_holds_a_drive_back()
{
    // A 0 ms loop of inquiries on the same TCP link as a key's drive, at a
    // camera that takes one message every 2 ms: the loop goes as fast as
    // the camera answers, and the drive and its stop never queue behind it.
    ScratchFolder folder;
    MainWindow window;
    PacedCamera camera(2000);
    show_exposed(&window);
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    attach_link(window, "tcp", QString(), camera.port(), 0);
    auto *tabs = control<QTabWidget>(&window, "tabWidget");
    tabs->setCurrentIndex(1);
    control<QPlainTextEdit>(&window, "plainTextEdit")->setPlainText("81 09 06 12 FF");
    click(window, "checkBox");
    control<QLineEdit>(&window, "lineEdit")->setText("0");
    click(window, "pushButton_13");
    QVERIFY(wait_until([&] { return camera.arrivals.size() >= 50; }, 5000));
    tabs->setCurrentIndex(0);
    control<QPushButton>(&window, "ptz_resetButton")->setFocus();

    for (int round = 0; round < 5; ++round) {
        const qint64 pressed = camera.clock().nsecsElapsed();
        QTest::keyPress(QApplication::focusWidget(), Qt::Key_Up);
        QVERIFY(
            wait_until([&] { return camera.arrival_of(hex(qPrintable(drive)), pressed) >= 0; }));
        const qint64 released = camera.clock().nsecsElapsed();
        QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Up);
        QVERIFY(
            wait_until([&] { return camera.arrival_of(hex(qPrintable(stop)), released) >= 0; }));
        // Seconds before; a camera's pace is a few milliseconds. Generous for
        // a loaded machine: the benchmark has the real figure.
        const qint64 drive_ms =
            (camera.arrival_of(hex(qPrintable(drive)), pressed) - pressed) / 1000000;
        const qint64 stop_ms =
            (camera.arrival_of(hex(qPrintable(stop)), released) - released) / 1000000;
        QVERIFY2(
            drive_ms < 500 && stop_ms < 500,
            qPrintable(QString("drive after %1 ms, stop after %2 ms").arg(drive_ms).arg(stop_ms)));
    }
    // The loop kept going meanwhile, at the camera's pace.
    const int before = camera.arrivals.size();
    QVERIFY(wait_until([&] { return camera.arrivals.size() >= before + 20; }));
    tabs->setCurrentIndex(1);
    click(window, "pushButton_13");
    QCOMPARE(control<QPushButton>(&window, "pushButton_13")->text(), QString("发送"));
}

QTEST_MAIN(ConfirmationsTest)
#include "tst_confirmations.moc"
