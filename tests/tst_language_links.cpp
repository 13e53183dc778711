// A language change while links are open or a loop runs: the captions keep
// telling the state, a press does what its caption says, and the links go
// on exactly as before.

#include "app/mainwindow.h"
#include "camera_peer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGraphicsView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {
QString text_of(MainWindow &window, const char *name)
{
    return control<QPushButton>(&window, name)->text();
}

void pick_english(MainWindow &window)
{
    QTest::keyClick(control<QComboBox>(&window, "comboBox_3"), Qt::Key_Down);
}
} // namespace

class LanguageLinksTest : public QObject
{
    Q_OBJECT
private slots:
    void serial_close_after_a_language_change();
    void udp_keeps_its_destination();
    void loop_keeps_running_and_stops_on_stop();
};

void LanguageLinksTest::serial_close_after_a_language_change()
{
    ScratchFolder folder;
    MainWindow window;
    CameraPeer camera("serial");
    control<QComboBox>(&window, "BaucomboBox")->setCurrentIndex(8);
    camera.attach(window);
    const auto lamp = [&window] {
        return control<QGraphicsView>(&window, "graphicsView")->styleSheet();
    };
    pick_english(window);
    QCOMPARE(text_of(window, "pushButton_16"), QString("Close"));
    QCOMPARE(lamp(), QString("background-color: rgb(0, 255, 0)"));
    // The settings of the open port stay on show.
    QCOMPARE(control<QComboBox>(&window, "BaucomboBox")->currentText(), QString("115200"));

    click(window, "ptz_resetButton");
    QCOMPARE(camera.commands(1), QStringList({"81 01 06 04 FF"}));

    click(window, "pushButton_16");
    QCOMPARE(text_of(window, "pushButton_16"), QString("Start"));
    QCOMPARE(lamp(), QString("background-color: rgb(0, 0, 0)"));
    click(window, "ptz_resetButton");
    QCOMPARE(camera.commands(1, 100), QStringList());
}

void LanguageLinksTest::udp_keeps_its_destination()
{
    ScratchFolder folder;
    MainWindow window;
    CameraPeer camera("udp");
    camera.attach(window);
    const QString port = control<QLineEdit>(&window, "lineEdit_port")->text();
    pick_english(window);
    QCOMPARE(text_of(window, "pushButton_15"), QString("Disconnect"));
    QCOMPARE(control<QLineEdit>(&window, "lineEdit_port")->text(), port);
    QCOMPARE(control<QLineEdit>(&window, "lineEdit_ip")->text(), QString("127.0.0.1"));

    click(window, "ptz_resetButton");
    QCOMPARE(camera.commands(1), QStringList({"81 01 06 04 FF"}));
    click(window, "pushButton_15");
    QCOMPARE(text_of(window, "pushButton_15"), QString("Connect"));
    QVERIFY(control<QLineEdit>(&window, "lineEdit_port")->isEnabled());
}

void LanguageLinksTest::loop_keeps_running_and_stops_on_stop()
{
    ScratchFolder folder;
    MainWindow window;
    CameraPeer camera("tcp");
    camera.attach(window);
    control<QPlainTextEdit>(&window, "plainTextEdit")->setPlainText("81 01 06 04 FF");
    click(window, "checkBox");
    control<QLineEdit>(&window, "lineEdit")->setText("100");
    click(window, "pushButton_13");
    QCOMPARE(camera.commands(1).size(), 1);

    pick_english(window);
    QCOMPARE(text_of(window, "pushButton_13"), QString("Stop"));
    QCOMPARE(text_of(window, "pushButton_15"), QString("Disconnect"));
    QCOMPARE(control<QLineEdit>(&window, "lineEdit")->text(), QString("100"));
    // Still at its own pace, not at 0 ms (the first waited up to 200 ms for
    // an answer from this camera, which never answers).
    // Two more ticks take two intervals at least; a busy machine only makes
    // them later.
    camera.commands(1);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(camera.commands(2).size(), 2);
    QVERIFY2(clock.elapsed() >= 150, qPrintable(QString("%1 ms").arg(clock.elapsed())));

    click(window, "pushButton_13");
    QCOMPARE(text_of(window, "pushButton_13"), QString("Send"));
    camera.commands(1, 50);
    QCOMPARE(camera.commands(1, 250), QStringList());
}

QTEST_MAIN(LanguageLinksTest)
#include "tst_language_links.moc"
