// The serial panel against a pseudo-terminal standing in for the cable.

#include "app/mainwindow.h"
#include "line_settings.h"
#include "testsupport.h"

#include <QComboBox>
#include <QFile>
#include <QGraphicsView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

#include <sys/resource.h>

namespace {
QString caption(MainWindow &window)
{
    return control<QPushButton>(&window, "pushButton_16")->text();
}

bool settings_enabled(MainWindow &window)
{
    bool all = true;
    for (const char *name :
         {"ComPortcomboBox", "BaucomboBox", "DataBitcomboBox", "ParitycomboBox", "StopBitcomboBox"})
        all = all && control<QComboBox>(&window, name)->isEnabled();
    return all;
}

QString lamp(MainWindow &window)
{
    return control<QGraphicsView>(&window, "graphicsView")->styleSheet();
}

double cpu_seconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}
} // namespace

class SerialLinkTest : public QObject
{
    Q_OBJECT
private slots:
    void opens_with_the_chosen_settings_data();
    void opens_with_the_chosen_settings();
    void open_and_close_states();
    void virtual_port_linked_in_dev_is_listed();
    void open_failure_data();
    void open_failure();
    void replies_are_cut_at_ff();
    void unfinished_bytes_head_the_next_packet_after_reopen();
    void a_device_without_ff_is_logged_in_pieces();
    void a_flood_of_replies_is_logged_whole_and_followed();
    void unplugged_device_is_opened_again_by_its_name();
};

void SerialLinkTest::opens_with_the_chosen_settings_data()
{
    QTest::addColumn<int>("baud_index");
    QTest::addColumn<int>("data_index");
    QTest::addColumn<int>("parity_index");
    QTest::addColumn<int>("stop_index");
    QTest::addColumn<unsigned>("baud");
    QTest::addColumn<QString>("frame");
    QTest::newRow("defaults 9600 8N1") << 3 << 3 << 0 << 0 << 9600u << "8N1";
    QTest::newRow("11520 is its own rate") << 4 << 3 << 0 << 0 << 11520u << "8N1";
    QTest::newRow("115200") << 8 << 3 << 0 << 0 << 115200u << "8N1";
    QTest::newRow("7E2") << 0 << 2 << 2 << 2 << 1200u << "7E2";
    QTest::newRow("5O1") << 6 << 0 << 1 << 0 << 38400u << "5O1";
    // Linux has no one-and-a-half stop bits; the port falls back to one.
    QTest::newRow("6N1.5") << 5 << 1 << 0 << 1 << 28800u << "6N1";
}

void SerialLinkTest::opens_with_the_chosen_settings()
{
    QFETCH(int, baud_index);
    QFETCH(int, data_index);
    QFETCH(int, parity_index);
    QFETCH(int, stop_index);
    QFETCH(unsigned, baud);
    QFETCH(QString, frame);
    ScratchFolder folder;
    MainWindow window;
    PtyPeer pty;
    control<QComboBox>(&window, "BaucomboBox")->setCurrentIndex(baud_index);
    control<QComboBox>(&window, "DataBitcomboBox")->setCurrentIndex(data_index);
    control<QComboBox>(&window, "ParitycomboBox")->setCurrentIndex(parity_index);
    control<QComboBox>(&window, "StopBitcomboBox")->setCurrentIndex(stop_index);
    ModalCatcher catcher;
    open_serial(window, pty.path());
    QCOMPARE(catcher.texts(), QString());

    const LineSettings line = line_settings(pty.terminal_fd());
    QCOMPARE(line.baud, baud);
    QCOMPARE(QString("%1%2%3").arg(line.data_bits).arg(line.parity).arg(line.stop_bits), frame);
    QVERIFY(!line.hardware_flow);
}

void SerialLinkTest::open_and_close_states()
{
    ScratchFolder folder;
    MainWindow window;
    PtyPeer pty;
    QCOMPARE(caption(window), QString("开启"));
    open_serial(window, pty.path());
    QCOMPARE(caption(window), QString("关闭"));
    QCOMPARE(lamp(window), QString("background-color: rgb(0, 255, 0)"));
    QVERIFY(!settings_enabled(window));

    click(window, "pushButton_16");
    QCOMPARE(caption(window), QString("开启"));
    QCOMPARE(lamp(window), QString("background-color: rgb(0, 0, 0)"));
    QVERIFY(settings_enabled(window));
}

void SerialLinkTest::virtual_port_linked_in_dev_is_listed()
{
    PtyPeer pty;
    const QString name = QString("ttyZarvickTest%1").arg(QCoreApplication::applicationPid());
    if (!QFile::link(pty.path(), "/dev/" + name))
        QSKIP("needs root: making a link in /dev (run as root to check virtual ports)");
    struct Unlink {
        QString path;
        ~Unlink() { QFile::remove(path); }
    } unlink{"/dev/" + name};

    ScratchFolder folder;
    MainWindow window;
    auto *ports = control<QComboBox>(&window, "ComPortcomboBox");
    QVERIFY(ports->findText(name) >= 0);
    ports->setCurrentIndex(ports->findText(name));
    click(window, "pushButton_16");
    QCOMPARE(caption(window), QString("关闭"));
    click(window, "ptz_resetButton");
    QCOMPARE(pty.read(5), hex("81 01 06 04 FF"));
}

void SerialLinkTest::open_failure_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("reason");
    QTest::newRow("no port at all") << ""
                                    << "未选择串口";
    QTest::newRow("a name that names no port") << "/dev/ttyNOSUCH"
                                               << "没有那个文件或目录";
}

void SerialLinkTest::open_failure()
{
    QFETCH(QString, port);
    ScratchFolder folder;
    MainWindow window;
    auto *ports = control<QComboBox>(&window, "ComPortcomboBox");
    ports->clear();
    if (!port.isEmpty())
        ports->addItem(port);
    ModalCatcher catcher;
    click(window, "pushButton_16");
    QCOMPARE(catcher.boxes.size(), 1);
    QCOMPARE(catcher.boxes[0].title, QString("警告"));
    QCOMPARE(catcher.boxes[0].text, QString("打开串口错误"));
    QFETCH(QString, reason);
    QCOMPARE(catcher.boxes[0].reason, reason);
    QCOMPARE(caption(window), QString("开启"));
    QCOMPARE(lamp(window), QString("background-color: rgb(0, 0, 0);"));
    QVERIFY(settings_enabled(window));
}

void SerialLinkTest::replies_are_cut_at_ff()
{
    ScratchFolder folder;
    MainWindow window;
    PtyPeer pty;
    open_serial(window, pty.path());
    pty.write(hex("90 41 FF"));
    QVERIFY(wait_until([&] { return log_lines(window).size() == 1; }));
    pty.write(hex("90 41 FF 90 51 FF"));
    QVERIFY(wait_until([&] { return log_lines(window).size() == 3; }));
    pty.write(hex("90 41"));
    QTest::qWait(50);
    QCOMPARE(log_lines(window).size(), 3);
    pty.write(hex("FF ab"));
    QVERIFY(wait_until([&] { return log_lines(window).size() == 4; }));
    pty.write(hex("0a FF"));
    QVERIFY(wait_until([&] { return log_lines(window).size() == 5; }));
    QCOMPARE(log_lines(window), QStringList({"RX：90 41 FF ", "RX：90 41 FF ", "RX：90 51 FF ",
                                             "RX：90 41 FF ", "RX：AB 0A FF "}));
    QCOMPARE(log_colour(window, 4), QColor("green"));
}

void SerialLinkTest::unfinished_bytes_head_the_next_packet_after_reopen()
{
    ScratchFolder folder;
    MainWindow window;
    PtyPeer pty;
    open_serial(window, pty.path());
    pty.write(hex("41 42"));
    QTest::qWait(50);
    auto *start = control<QPushButton>(&window, "pushButton_16");
    QTest::mouseClick(start, Qt::LeftButton);
    QTest::mouseClick(start, Qt::LeftButton);
    QCOMPARE(caption(window), QString("关闭"));
    pty.write(hex("FF"));
    QVERIFY(wait_until([&] { return log_lines(window).size() == 1; }));
    QCOMPARE(log_lines(window), QStringList({"RX：41 42 FF "}));
}

void SerialLinkTest::a_device_without_ff_is_logged_in_pieces()
{
    // An ASCII device on the port never sends FF: its bytes come out as
    // lines of 1024 rather than piling up until the memory runs out.
    ScratchFolder folder;
    MainWindow window;
    PtyPeer pty;
    open_serial(window, pty.path());
    pty.write(QByteArray(1500, 'A'));
    QVERIFY(wait_until([&] { return log_lines(window).size() == 1; }));
    QString piece;
    for (int i = 0; i < 1024; ++i)
        piece += "41 ";
    QCOMPARE(log_lines(window), QStringList({"RX：" + piece}));
}

void SerialLinkTest::a_flood_of_replies_is_logged_whole_and_followed()
{
    ScratchFolder folder;
    MainWindow window;
    show_exposed(&window);
    PtyPeer pty;
    open_serial(window, pty.path());
    QByteArray flood;
    QStringList expected;
    for (int i = 0; i < 60; ++i) {
        flood += hex("90 41 FF") + QByteArray(1, char(i)) + hex("FF");
        expected << "RX：90 41 FF " << QString("RX：%1 FF ").arg(i, 2, 16, QChar('0')).toUpper();
    }
    pty.write(flood);
    QVERIFY(wait_until([&] { return log_lines(window).size() == 120; }));
    QCOMPARE(log_lines(window), expected);
    QCOMPARE(log_colour(window, 119), QColor("green"));
    auto *log = control<QPlainTextEdit>(&window, "textEdit");
    // The log lays out its lines at the next frame, then follows the last.
    QVERIFY(wait_until([&] {
        const QScrollBar *bar = log->verticalScrollBar();
        return bar->maximum() > 0 && bar->value() == bar->maximum();
    }));
}

void SerialLinkTest::unplugged_device_is_opened_again_by_its_name()
{
    ScratchFolder folder;
    // The port's name stays; the device behind it comes back as another.
    const QString name = folder.file("ttyCamera");
    auto pty = std::make_unique<PtyPeer>();
    MainWindow window;
    QVERIFY(QFile::link(pty->path(), name));
    open_serial(window, name);
    QCOMPARE(caption(window), QString("关闭"));
    auto *up = control<QPushButton>(&window, "ptz_upButton");
    QTest::mousePress(up, Qt::LeftButton);
    QCOMPARE(pty->read(9), QByteArray::fromHex("810106010f0f0301ff"));
    ModalCatcher catcher;
    pty->hang_up();
    // The operator is told why, once; the line stays theirs while it is
    // being opened again.
    QVERIFY(wait_until([&] { return !catcher.boxes.isEmpty(); }));
    QTest::mouseRelease(up, Qt::LeftButton);
    QCOMPARE(catcher.boxes.size(), 1);
    QCOMPARE(catcher.boxes[0].title, QString("警告"));
    QCOMPARE(catcher.boxes[0].text, QString("串口连接已断开：设备已被拔出或不再应答"));
    QCOMPARE(caption(window), QString("关闭"));
    QVERIFY(!settings_enabled(window));
    // The lamp is green only while the port is open.
    QCOMPARE(lamp(window), QString("background-color: rgb(0, 0, 0)"));

    // Nothing fails at full speed in the background meanwhile.
    const double before = cpu_seconds();
    QTest::qWait(300);
    const double used = cpu_seconds() - before;
    QVERIFY2(used < 0.1, qPrintable(QString("%1 s of CPU while waiting").arg(used)));

    pty = std::make_unique<PtyPeer>();
    QVERIFY(QFile::remove(name) && QFile::link(pty->path(), name));
    // The stops of every axis come first.
    QCOMPARE(pty->read(21, 5000),
             QByteArray::fromHex("8101060103030303ff8101040700ff8101040800ff"));
    QCOMPARE(catcher.boxes.size(), 1);
    QCOMPARE(lamp(window), QString("background-color: rgb(0, 255, 0)"));
    // Close ends it all.
    click(window, "pushButton_16");
    QCOMPARE(caption(window), QString("开启"));
    QCOMPARE(lamp(window), QString("background-color: rgb(0, 0, 0)"));
    QVERIFY(settings_enabled(window));
}

QTEST_MAIN(SerialLinkTest)
#include "tst_serial_link.moc"
