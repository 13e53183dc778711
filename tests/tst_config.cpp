// config.ini: defaults on the first run, the thirteen keys saved at the
// confirmed exit and read back, and the odd values an old or edited file
// may hold.

#include "app/mainwindow.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QRadioButton>
#include <QSettings>
#include <QTableWidget>
#include <QtTest>

#include <sys/stat.h>

namespace {
QStringList debug_lines;
void record_debug(QtMsgType, const QMessageLogContext &, const QString &text)
{
    debug_lines << text;
}

int index_of(MainWindow &window, const char *name)
{
    return control<QComboBox>(&window, name)->currentIndex();
}

QString text_of(MainWindow &window, const char *name)
{
    return control<QLineEdit>(&window, name)->text();
}

// Closes the window through the exit question, answering `answer`.
QList<ModalCatcher::Box> close_window(MainWindow &window, QMessageBox::StandardButton answer)
{
    ModalCatcher catcher(answer);
    window.show();
    window.close();
    return catcher.boxes;
}

// One camera: the documented keys, and its name, link, address and how it is driven.
const QStringList all_keys = {"CAMERAS/Active",         "CAMERAS/OpenAtStart",
                              "CAMERA_1/GoSpeed",       "CAMERA_1/Id",
                              "CAMERA_1/InvertPan",     "CAMERA_1/InvertTilt",
                              "CAMERA_1/Link",          "CAMERA_1/Name",
                              "CAMERA_1/Open",          "CAMERA_1/Tally",
                              "CAMERA_1/ViscaAddress",  "CAMERA_1/ZoomScaledSpeed",
                              "LANGUAGE_CONF/language", "NET_CONF/Address",
                              "NET_CONF/Port",          "NET_CONF/Protocol",
                              "PTZ_CONF/FocusSpeed",    "PTZ_CONF/PanSpeed",
                              "PTZ_CONF/TiltSpeed",     "PTZ_CONF/ZoomSpeed",
                              "SERIAL_CONF/BaudRate",   "SERIAL_CONF/DataBits",
                              "SERIAL_CONF/Parity",     "SERIAL_CONF/Port",
                              "SERIAL_CONF/PortName",   "SERIAL_CONF/StopBits"};
} // namespace

class ConfigTest : public QObject
{
    Q_OBJECT
private slots:
    void first_run_applies_defaults();
    void explain_is_kept_once_switched_on();
    void save_and_reload_every_key();
    void save_replaces_an_older_file_without_losing_it();
    void save_on_a_full_disk_keeps_the_old_file();
    void save_over_a_file_it_could_not_parse();
    void missing_port_is_named_not_replaced();
    void port_name_wins_over_its_position();
    void position_outside_the_list_selects_no_port_data();
    void position_outside_the_list_selects_no_port();
    void cancel_keeps_running_and_writes_nothing();
    void failed_save_asks_before_exit_data();
    void failed_save_asks_before_exit();
    void stored_indexes_data();
    void stored_indexes();
    void file_with_only_a_language();
    void protocol_is_matched_exactly();
    void no_serial_port_saves_minus_one();
    void unknown_language_is_saved_as_the_box_shows();
    void cameras_after_a_gap_are_kept();
    void stored_lists_are_read_as_they_are_and_bounded();
    void cameras_open_at_start_as_they_were();
};

void ConfigTest::first_run_applies_defaults()
{
    ScratchFolder folder;
    debug_lines.clear();
    const auto previous = qInstallMessageHandler(record_debug);
    MainWindow window;
    qInstallMessageHandler(previous);
    QVERIFY(debug_lines.contains("不存在配置文件"));
    QVERIFY(!QFile::exists(folder.file("config.ini")));

    QCOMPARE(control<QComboBox>(&window, "comboBox_3")->currentText(), QString("中文"));
    QCOMPARE(control<QComboBox>(&window, "BaucomboBox")->currentText(), QString("9600"));
    QCOMPARE(control<QComboBox>(&window, "DataBitcomboBox")->currentText(), QString("8"));
    QCOMPARE(control<QComboBox>(&window, "ParitycomboBox")->currentText(), QString("None"));
    QCOMPARE(control<QComboBox>(&window, "StopBitcomboBox")->currentText(), QString("1"));
    QCOMPARE(control<QComboBox>(&window, "hcomboBox")->currentText(), QString("15"));
    QCOMPARE(control<QComboBox>(&window, "vcomboBox")->currentText(), QString("15"));
    QCOMPARE(control<QComboBox>(&window, "zoomcomboBox")->currentText(), QString("3"));
    QCOMPARE(control<QComboBox>(&window, "focuscomboBox")->currentText(), QString("3"));
    QCOMPARE(text_of(window, "lineEdit_ip"), QString("192.168.1.88"));
    QCOMPARE(text_of(window, "lineEdit_port"), QString("5678"));
    QVERIFY(control<QRadioButton>(&window, "radioButton_tcp")->isChecked());
}

void ConfigTest::save_and_reload_every_key()
{
    ScratchFolder folder;
    {
        MainWindow window;
        auto *ports = control<QComboBox>(&window, "ComPortcomboBox");
        ports->addItem("ttyA");
        ports->addItem("ttyB");
        ports->setCurrentIndex(ports->count() - 1);
        QTest::keyClick(control<QComboBox>(&window, "comboBox_3"), Qt::Key_Down); // English
        control<QComboBox>(&window, "BaucomboBox")->setCurrentIndex(8);
        control<QComboBox>(&window, "DataBitcomboBox")->setCurrentIndex(2);
        control<QComboBox>(&window, "ParitycomboBox")->setCurrentIndex(2);
        control<QComboBox>(&window, "StopBitcomboBox")->setCurrentIndex(2);
        control<QComboBox>(&window, "hcomboBox")->setCurrentIndex(23);
        control<QComboBox>(&window, "vcomboBox")->setCurrentIndex(19);
        control<QComboBox>(&window, "zoomcomboBox")->setCurrentIndex(7);
        control<QComboBox>(&window, "focuscomboBox")->setCurrentIndex(1);
        click(window, "radioButton_udp");
        control<QLineEdit>(&window, "lineEdit_ip")->setText("10.1.2.3");
        QCOMPARE(text_of(window, "lineEdit_port"), QString("1259"));
        const auto boxes = close_window(window, QMessageBox::Ok);
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].title, QString("information"));
        QCOMPARE(boxes[0].text, QString("Do you really want to exit?"));
        QVERIFY(!window.isVisible());
    }

    QSettings stored(folder.file("config.ini"), QSettings::IniFormat);
    QStringList keys = stored.allKeys();
    keys.sort();
    QCOMPARE(keys, all_keys);
    QCOMPARE(stored.value("LANGUAGE_CONF/language").toString(), QString("English"));
    QCOMPARE(stored.value("SERIAL_CONF/BaudRate").toString(), QString("8"));
    QCOMPARE(stored.value("NET_CONF/Protocol").toString(), QString("UDP"));
    QCOMPARE(stored.value("NET_CONF/Port").toString(), QString("1259"));

    MainWindow reloaded;
    auto *ports = control<QComboBox>(&reloaded, "ComPortcomboBox");
    // The added port is gone: none is selected in its place.
    QCOMPARE(ports->currentIndex(), -1);
    QCOMPARE(index_of(reloaded, "comboBox_3"), 1);
    QCOMPARE(index_of(reloaded, "BaucomboBox"), 8);
    QCOMPARE(index_of(reloaded, "DataBitcomboBox"), 2);
    QCOMPARE(index_of(reloaded, "ParitycomboBox"), 2);
    QCOMPARE(index_of(reloaded, "StopBitcomboBox"), 2);
    QCOMPARE(index_of(reloaded, "hcomboBox"), 23);
    QCOMPARE(index_of(reloaded, "vcomboBox"), 19);
    QCOMPARE(index_of(reloaded, "zoomcomboBox"), 7);
    QCOMPARE(index_of(reloaded, "focuscomboBox"), 1);
    QVERIFY(control<QRadioButton>(&reloaded, "radioButton_udp")->isChecked());
    QCOMPARE(text_of(reloaded, "lineEdit_ip"), QString("10.1.2.3"));
    QCOMPARE(text_of(reloaded, "lineEdit_port"), QString("1259"));
}

void ConfigTest::save_replaces_an_older_file_without_losing_it()
{
    ScratchFolder folder;
    // Keys of another tool or of a newer version stay as they were.
    folder.write("config.ini", "[LANGUAGE_CONF]\nlanguage=English\nstale=1\n"
                               "[OLD_CONF]\nWindow=3\n[NET_CONF]\nPort=9000\nAddress=1.2.3.4\n"
                               "[VIEWER]\nName=Stage left\n");
    MainWindow window;
    close_window(window, QMessageBox::Ok);

    QSettings stored(folder.file("config.ini"), QSettings::IniFormat);
    QStringList keys = stored.allKeys();
    keys.sort();
    QStringList expected =
        all_keys + QStringList{"VIEWER/Name", "LANGUAGE_CONF/stale", "OLD_CONF/Window"};
    expected.sort();
    QCOMPARE(keys, expected);
    QCOMPARE(stored.value("VIEWER/Name").toString(), QString("Stage left"));
    QCOMPARE(stored.value("OLD_CONF/Window").toString(), QString("3"));
    QCOMPARE(stored.value("NET_CONF/Port").toString(), QString("9000"));
    // Written through a temporary file: nothing of it is left beside.
    QCOMPARE(QDir(folder.file(".")).entryList(QDir::Files), QStringList({"config.ini"}));
}

void ConfigTest::save_on_a_full_disk_keeps_the_old_file()
{
    // A tiny file system of its own, filled up: the only way to make a write
    // fail for a test that runs as root.
    QTemporaryDir mount_point;
    if (QProcess::execute("mount",
                          {"-t", "tmpfs", "-o", "size=16k", "tmpfs", mount_point.path()}) != 0)
        QSKIP("needs root: mounting a small file system (run as root to check a save on a full "
              "disk)");
    // Leaves the file system (a working folder inside keeps it busy) and
    // unmounts it, also when a check below fails and returns early.
    struct Unmount {
        QString path;
        QString previous = QDir::currentPath();
        ~Unmount()
        {
            QDir::setCurrent(previous);
            QProcess::execute("umount", {path});
        }
    } unmount{mount_point.path()};
    QDir::setCurrent(mount_point.path());
    const QByteArray old_file = "[LANGUAGE_CONF]\nlanguage=English\n\n[SERIAL_CONF]\nBaudRate=5\n";
    QFile config("config.ini");
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write(old_file);
    config.close();
    QFile filler("filler");
    QVERIFY(filler.open(QIODevice::WriteOnly));
    while (filler.write(QByteArray(1024, 'x')) == 1024 && filler.flush()) {
    }
    filler.close();
    {
        MainWindow window;
        control<QComboBox>(&window, "BaucomboBox")->setCurrentIndex(8);
        const auto boxes = close_window(window, QMessageBox::Ok);
        // The operator hears why before the program ends.
        QCOMPARE(boxes.size(), 2);
        QVERIFY2(boxes[1].text.contains("config.ini: No space left on device"),
                 qPrintable(boxes[1].text));
    }
    QVERIFY(config.open(QIODevice::ReadOnly));
    QCOMPARE(config.readAll(), old_file);
}

void ConfigTest::save_over_a_file_it_could_not_parse()
{
    ScratchFolder folder;
    folder.write("config.ini", QByteArray("[LANGUAGE_CONF]\nlanguage=English\n\0\n", 36));
    {
        MainWindow window;
        const auto boxes = close_window(window, QMessageBox::Ok);
        QCOMPARE(boxes.size(), 1); // the exit question, no false alarm
    }
    QSettings stored(folder.file("config.ini"), QSettings::IniFormat);
    QCOMPARE(stored.status(), QSettings::NoError);
    QCOMPARE(stored.value("LANGUAGE_CONF/language").toString(), QString("English"));
}

void ConfigTest::missing_port_is_named_not_replaced()
{
    ScratchFolder folder;
    folder.write("config.ini", "[LANGUAGE_CONF]\nlanguage=Chinese\n"
                               "[SERIAL_CONF]\nPort=0\nPortName=<b>ttyZarvickGone\n");
    {
        MainWindow window;
        QCOMPARE(index_of(window, "ComPortcomboBox"), -1);
        ModalCatcher catcher;
        click(window, "pushButton_16");
        // The name as the file has it, markup and all.
        QCOMPARE(catcher.texts(), QString("警告/串口 <b>ttyZarvickGone 不存在"));
        QVERIFY(catcher.boxes[0].plain);
        QCOMPARE(control<QAbstractButton>(&window, "pushButton_16")->text(), QString("开启"));
        close_window(window, QMessageBox::Ok);
    }
    // Kept for the day the adapter is back.
    QSettings stored(folder.file("config.ini"), QSettings::IniFormat);
    QCOMPARE(stored.value("SERIAL_CONF/PortName").toString(), QString("<b>ttyZarvickGone"));
    QCOMPARE(stored.value("SERIAL_CONF/Port").toString(), QString("-1"));
}

void ConfigTest::port_name_wins_over_its_position()
{
    // Two ports of the test's own, listed before and after each other.
    PtyPeer first_pty, second_pty;
    const QString tag = QString::number(QCoreApplication::applicationPid());
    const QString first = "ttyZarvickA" + tag, second = "ttyZarvickB" + tag;
    if (!QFile::link(first_pty.path(), "/dev/" + first))
        QSKIP("needs root: making links in /dev (run as root to check ports by name)");
    QFile::link(second_pty.path(), "/dev/" + second);
    struct Unlink {
        QStringList paths;
        ~Unlink()
        {
            for (const QString &path : paths)
                QFile::remove(path);
        }
    } unlink{{"/dev/" + first, "/dev/" + second}};
    ScratchFolder folder;
    {
        MainWindow window;
        auto *ports = control<QComboBox>(&window, "ComPortcomboBox");
        const int first_index = ports->findText(first);
        QVERIFY(first_index >= 0);
        folder.write(
            "config.ini",
            QString("[SERIAL_CONF]\nPort=%1\nPortName=%2\n").arg(first_index).arg(second).toUtf8());
    }
    MainWindow window;
    QCOMPARE(control<QComboBox>(&window, "ComPortcomboBox")->currentText(), second);
}

void ConfigTest::position_outside_the_list_selects_no_port_data()
{
    QTest::addColumn<QByteArray>("file");
    // As the program writes it when no port was listed.
    QTest::newRow("-1, empty name") << QByteArray("[SERIAL_CONF]\nPort=-1\nPortName=\n");
    QTest::newRow("past the list") << QByteArray("[SERIAL_CONF]\nPort=127\n");
    QTest::newRow("negative after narrowing") << QByteArray("[SERIAL_CONF]\nPort=200\n");
}

void ConfigTest::position_outside_the_list_selects_no_port()
{
    QFETCH(QByteArray, file);
    ScratchFolder folder;
    folder.write("config.ini", "[LANGUAGE_CONF]\nlanguage=Chinese\n" + file);
    MainWindow window;
    QCOMPARE(index_of(window, "ComPortcomboBox"), -1);
    ModalCatcher catcher;
    click(window, "pushButton_16");
    QCOMPARE(catcher.boxes.size(), 1);
    QCOMPARE(catcher.boxes[0].text, QString("打开串口错误"));
    QCOMPARE(catcher.boxes[0].reason, QString("未选择串口"));
    QCOMPARE(control<QAbstractButton>(&window, "pushButton_16")->text(), QString("开启"));
}

void ConfigTest::failed_save_asks_before_exit_data()
{
    QTest::addColumn<bool>("fifo");
    QTest::addColumn<int>("answer");
    QTest::newRow("a folder, exit anyway") << false << int(QMessageBox::Ok);
    QTest::newRow("a folder, stay") << false << int(QMessageBox::Cancel);
    // A FIFO would hold the start-up in open(): it counts as no file.
    QTest::newRow("a FIFO, exit anyway") << true << int(QMessageBox::Ok);
}

void ConfigTest::failed_save_asks_before_exit()
{
    QFETCH(bool, fifo);
    QFETCH(int, answer);
    ScratchFolder folder;
    const QString path = folder.file("config.ini");
    if (fifo)
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else
        QVERIFY(QDir().mkdir(path));
    MainWindow window;
    QCOMPARE(index_of(window, "BaucomboBox"), 3);
    ModalCatcher catcher({QMessageBox::Ok, QMessageBox::StandardButton(answer)});
    window.show();
    window.close();
    QCOMPARE(catcher.boxes.size(), 2);
    QCOMPARE(catcher.boxes[1].title, QString("警告"));
    QCOMPARE(catcher.boxes[1].text,
             QString("设置无法保存到 %1：Not a regular file\n仍然退出吗？").arg(path));
    QCOMPARE(window.isVisible(), answer == QMessageBox::Cancel);
    const QFileInfo left(path);
    QVERIFY(fifo ? !left.isFile() && left.exists() : left.isDir());
}

void ConfigTest::cancel_keeps_running_and_writes_nothing()
{
    ScratchFolder folder;
    MainWindow window;
    const auto boxes = close_window(window, QMessageBox::Cancel);
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0].title, QString("信息"));
    QCOMPARE(boxes[0].text, QString("是否退出程序?"));
    QCOMPARE(boxes[0].icon, QMessageBox::Information);
    QVERIFY(window.isVisible());
    QVERIFY(!QFile::exists(folder.file("config.ini")));
}

void ConfigTest::stored_indexes_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("index");
    QTest::newRow("plain") << "SERIAL_CONF/BaudRate"
                           << "5"
                           << "BaucomboBox" << 5;
    QTest::newRow("low 8 bits") << "SERIAL_CONF/BaudRate"
                                << "259"
                                << "BaucomboBox" << 3;
    // An index that selects no item keeps the default: an empty speed box
    // would send speed FF.
    QTest::newRow("negative after narrowing") << "PTZ_CONF/PanSpeed"
                                              << "200"
                                              << "hcomboBox" << 14;
    QTest::newRow("past the list") << "PTZ_CONF/ZoomSpeed"
                                   << "8"
                                   << "zoomcomboBox" << 3;
    QTest::newRow("not a number") << "PTZ_CONF/TiltSpeed"
                                  << "abc"
                                  << "vcomboBox" << 0;
    QTest::newRow("missing key") << "PTZ_CONF/Unrelated"
                                 << "4"
                                 << "focuscomboBox" << 0;
}

void ConfigTest::stored_indexes()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, box);
    QFETCH(int, index);
    ScratchFolder folder;
    {
        QSettings settings(folder.file("config.ini"), QSettings::IniFormat);
        settings.setValue("LANGUAGE_CONF/language", "Chinese");
        settings.setValue(key, value);
    }
    MainWindow window;
    QCOMPARE(index_of(window, qPrintable(box)), index);
}

void ConfigTest::file_with_only_a_language()
{
    ScratchFolder folder;
    folder.write("config.ini", "[LANGUAGE_CONF]\nlanguage=English\n");
    MainWindow window;
    QCOMPARE(control<QComboBox>(&window, "comboBox_3")->currentText(), QString("English"));
    QCOMPARE(control<QComboBox>(&window, "BaucomboBox")->currentText(), QString("1200"));
    QCOMPARE(control<QComboBox>(&window, "hcomboBox")->currentText(), QString("1"));
    QCOMPARE(text_of(window, "lineEdit_ip"), QString());
    QCOMPARE(text_of(window, "lineEdit_port"), QString());
    QVERIFY(control<QRadioButton>(&window, "radioButton_tcp")->isChecked());
}

void ConfigTest::protocol_is_matched_exactly()
{
    ScratchFolder folder;
    folder.write("config.ini", "[NET_CONF]\nProtocol=udp\nPort=1259\n");
    MainWindow window;
    QVERIFY(control<QRadioButton>(&window, "radioButton_tcp")->isChecked());
    QCOMPARE(text_of(window, "lineEdit_port"), QString("1259"));
}

void ConfigTest::no_serial_port_saves_minus_one()
{
    ScratchFolder folder;
    MainWindow window;
    auto *ports = control<QComboBox>(&window, "ComPortcomboBox");
    ports->clear();
    close_window(window, QMessageBox::Ok);
    QSettings stored(folder.file("config.ini"), QSettings::IniFormat);
    QCOMPARE(stored.value("SERIAL_CONF/Port").toString(), QString("-1"));
    QCOMPARE(stored.value("LANGUAGE_CONF/language").toString(), QString("Chinese"));
}

void ConfigTest::unknown_language_is_saved_as_the_box_shows()
{
    ScratchFolder folder;
    folder.write("config.ini", "[LANGUAGE_CONF]\nlanguage=Klingon\n");
    {
        MainWindow window;
        QCOMPARE(window.windowTitle(), QString("MainWindow"));
        close_window(window, QMessageBox::Ok);
    }
    QSettings stored(folder.file("config.ini"), QSettings::IniFormat);
    QCOMPARE(stored.value("LANGUAGE_CONF/language").toString(), QString("Chinese"));
}

void ConfigTest::cameras_after_a_gap_are_kept()
{
    ScratchFolder folder;
    folder.write("config.ini", "[CAMERA_2_POSITIONS]\n1\\Name=Stale\n2\\Name=Stale\nsize=2\n"
                               "[CAMERA_1]\nId=7\n"
                               "[CAMERA_3]\nName=Three\nId=7\n"
                               "[CAMERA_3_POSITIONS]\n1\\Name=Door\n1\\Pan=5\nsize=1\n"
                               "[CAMERA_9999]\nName=Far\nId=x\n");
    MainWindow window;
    QCOMPARE(camera_rows(window), 3);
    QCOMPARE(camera_cell(window, 1, 0), QString("Three"));
    QCOMPARE(camera_cell(window, 2, 0), QString("Far"));
    close_window(window, QMessageBox::Ok);

    // Saved in their order, each with what it had; nothing left behind.
    QSettings stored(folder.file("config.ini"), QSettings::IniFormat);
    QCOMPARE(stored.value("CAMERA_2/Name").toString(), QString("Three"));
    QCOMPARE(stored.value("CAMERA_2_POSITIONS/1/Name").toString(), QString("Door"));
    QCOMPARE(stored.value("CAMERA_2_POSITIONS/1/Pan").toString(), QString("5"));
    // The positions left without their camera went with the camera now there.
    QCOMPARE(stored.value("CAMERA_2_POSITIONS/size").toInt(), 1);
    QVERIFY(!stored.contains("CAMERA_2_POSITIONS/2/Name"));
    QCOMPARE(stored.value("CAMERA_3/Name").toString(), QString("Far"));
    // Each camera keeps its id; one taken or unreadable gets one never given.
    QCOMPARE(stored.value("CAMERA_1/Id").toString(), QString("7"));
    QCOMPARE(stored.value("CAMERA_2/Id").toString(), QString("8"));
    QCOMPARE(stored.value("CAMERA_3/Id").toString(), QString("9"));
    const QStringList groups = stored.childGroups();
    QVERIFY(!groups.contains("CAMERA_9999") && !groups.contains("CAMERA_3_POSITIONS"));
}

void ConfigTest::stored_lists_are_read_as_they_are_and_bounded()
{
    ScratchFolder folder;
    // A size that lies either way, and more entries than a camera keeps.
    QByteArray text = "[CAMERA_1_POSITIONS]\nsize=-5\n1\\Name=A\n2\\Name=B\n"
                      "[CAMERA_2]\nName=Two\n[CAMERA_2_POSITIONS]\nsize=100000000\n1\\Name=C\n"
                      "[CAMERA_3]\nName=Three\n[CAMERA_3_POSITIONS]\nsize=1002\n";
    for (int entry = 1; entry <= 1002; ++entry)
        text += QByteArray::number(entry) + "\\Name=P" + QByteArray::number(entry) + "\n";
    folder.write("config.ini", text);
    MainWindow window;
    auto *positions = control<QListWidget>(&window, "positionsList");
    QCOMPARE(positions->count(), 2);
    QVERIFY(control<QLabel>(&window, "camerasNote")->text().contains("1000"));
    close_window(window, QMessageBox::Ok);

    QSettings stored(folder.file("config.ini"), QSettings::IniFormat);
    QCOMPARE(stored.value("CAMERA_1_POSITIONS/size").toInt(), 2);
    QCOMPARE(stored.value("CAMERA_1_POSITIONS/2/Name").toString(), QString("B"));
    QCOMPARE(stored.value("CAMERA_2_POSITIONS/size").toInt(), 1);
    QCOMPARE(stored.value("CAMERA_3_POSITIONS/size").toInt(), 1000);
    // What was not read stays.
    QCOMPARE(stored.value("CAMERA_3_POSITIONS/1002/Name").toString(), QString("P1002"));
    QVERIFY(QFileInfo(folder.file("config.ini")).size() < 100000);
}

void ConfigTest::cameras_open_at_start_as_they_were()
{
    ScratchFolder folder;
    TcpPeer first;
    TcpPeer second;
    folder.write("config.ini", QString("[CAMERAS]\nOpenAtStart=true\n"
                                       "[NET_CONF]\nProtocol=TCP\nAddress=127.0.0.1\nPort=%1\n"
                                       "[CAMERA_1]\nLink=TCP\nOpen=true\n"
                                       "[CAMERA_2]\nName=Two\nLink=TCP\nAddress=127.0.0.1\n"
                                       "Port=%2\nOpen=false\n")
                                   .arg(first.port())
                                   .arg(second.port())
                                   .toUtf8());
    {
        MainWindow window;
        auto *at_start = control<QCheckBox>(&window, "openAtStartCheckBox");
        QVERIFY(at_start->isChecked());
        // Camera 1 was open at the end: opened with no click; camera 2 was not.
        QVERIFY(first.accept());
        QVERIFY(!second.accept(nothing_more_ms));
        close_window(window, QMessageBox::Ok);
    }
    {
        QSettings stored(folder.file("config.ini"), QSettings::IniFormat);
        QCOMPARE(stored.value("CAMERAS/OpenAtStart").toString(), QString("true"));
        QCOMPARE(stored.value("CAMERA_1/Open").toString(), QString("true"));
        QCOMPARE(stored.value("CAMERA_2/Open").toString(), QString("false"));
    }
    // Off, the choice is kept and nothing opens by itself.
    {
        MainWindow window;
        click(window, "openAtStartCheckBox");
        close_window(window, QMessageBox::Ok);
    }
    QSettings stored(folder.file("config.ini"), QSettings::IniFormat);
    QCOMPARE(stored.value("CAMERAS/OpenAtStart").toString(), QString("false"));
    MainWindow window;
    QVERIFY(!control<QCheckBox>(&window, "openAtStartCheckBox")->isChecked());
    QCOMPARE(camera_cell(window, 0, 3), QString("已关闭"));
}

void ConfigTest::explain_is_kept_once_switched_on()
{
    // Off by default and out of the file; once switched on, kept either way.
    ScratchFolder folder;
    const auto explain_key = [&folder] {
        return QSettings(folder.file("config.ini"), QSettings::IniFormat).value("LOG/Explain");
    };
    for (const QString expected : {"", "true", "false"}) {
        MainWindow window;
        if (!expected.isEmpty())
            click(window, "logExplainBox");
        close_window(window, QMessageBox::Ok);
        QCOMPARE(explain_key().toString(), expected);
    }
    MainWindow window;
    QVERIFY(!control<QCheckBox>(&window, "logExplainBox")->isChecked());
}

QTEST_MAIN(ConfigTest)
#include "tst_config.moc"
