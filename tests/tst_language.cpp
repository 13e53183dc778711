// The two embedded catalogs and the language switch as the operator uses it.

#include "app/mainwindow.h"
#include "testsupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTranslator>
#include <QtTest>

namespace {
struct Message {
    const char *source;
    const char *chinese;
    const char *english;
};
const Message catalog[] = {
    {"Baud rate", "波特率", "Baud rate"},
    {"Call", "调用", "Call"},
    {"Clear", "清空", "Clear"},
    {"Close", "关闭", "Close"},
    {"Command format error", "命令格式错误", "Command format error"},
    {"Connect", "连接", "Connect"},
    {"Connection timeout", "连接超时", "Connection timeout"},
    {"Control", "控制", "Control"},
    {"Copy", "复制", "Copy"},
    {"Data bits", "数据位", "Data Bits"},
    {"Disconnect", "断开", "Disconnect"},
    {"Do you really want to exit?", "是否退出程序?", "Do you really want to exit?"},
    {"English", "English", "English"},
    {"Focus in", "聚近", "Focus in"},
    {"Focus out", "聚远", "Focus out"},
    {"Focus speed", "聚焦速度", "Focus speed"},
    {"IP Address", "地址", "IP Address"},
    {"Language", "语言", "Language"},
    {"Loop", "循环", "Loop"},
    {"MainWindow", "Zarvick v2.2", "Zarvick v2.2"},
    {"Manual", "手动", "Manual"},
    {"Mode", "模式", "Mode"},
    {"Net", "网络", "Net"},
    {"Network information fill in error", "网络信息填写错误", "Network information fill in error"},
    {"Open serial error", "打开串口错误", "Open serial error"},
    {"Options", "通讯配置", "Options"},
    {"PTZ", "云台", "PTZ"},
    {"Pan speed", "水平速度", "Pan speed"},
    {"Parity", "校验位", "Parity"},
    {"Paste", "粘贴", "Paste"},
    {"Port", "端口", "Port"},
    {"Port information fill in error", "端口信息填写错误", "Port information fill in error"},
    {"Preset", "预置位", "Preset"},
    {"Preset num error", "预置位号错误", "Preset num error"},
    {"Protocol", "协议", "Protocol"},
    {"Receive message", "报文接收", "Receive message"},
    {"Select All", "全选", "Select All"},
    {"Send", "发送", "Send"},
    {"Serial", "串口", "Serial"},
    {"Set", "设置", "Set"},
    {"Start", "开启", "Start"},
    {"Stop", "停止", "Stop"},
    {"Stop bits", "停止位", "Stop bits"},
    {"The input is empty", "输入为空", "The input is empty"},
    {"The scope of 0~3600000", "范围是0~3600000", "The scope of 0~3600000"},
    {"Tilt speed", "垂直速度", "Tilt speed"},
    {"Zoom in", "拉近", "Zoom in"},
    {"Zoom out", "拉远", "Zoom out"},
    {"Zoom speed", "变焦速度", "Zoom speed"},
    {"information", "信息", "information"},
    {"warning", "警告", "warning"},
    {"中文", "中文", "中文"},
    {"The serial link was lost: %1", "串口连接已断开：%1", "The serial link was lost: %1"},
    {"The network link was lost: %1", "网络连接已断开：%1", "The network link was lost: %1"},
    {"The camera did not confirm the stop", "摄像机未确认停止命令",
     "The camera did not confirm the stop"},
    {"The camera is not reading: commands are refused until it reads again",
     "摄像机未读取命令：在它恢复读取之前，新命令不予发送",
     "The camera is not reading: commands are refused until it reads again"},
    {"The command could not be sent: %1", "命令发送失败：%1", "The command could not be sent: %1"},
    {"The settings could not be saved to %1: %2", "设置无法保存到 %1：%2",
     "The settings could not be saved to %1: %2"},
    {"Exit anyway?", "仍然退出吗？", "Exit anyway?"},
    {"… (%1 more characters)", "…（另有 %1 个字符未显示）", "… (%1 more characters)"},
};

QString label_text(MainWindow &window, const char *name)
{
    return control<QLabel>(&window, name)->text();
}
} // namespace

class LanguageTest : public QObject
{
    Q_OBJECT
private slots:
    void catalogs_data();
    void catalogs();
    void starts_in_chinese_without_a_file();
    void starts_in_english_from_the_file();
    void unknown_name_loads_no_catalog_data();
    void unknown_name_loads_no_catalog();
    void switching_back_leaves_one_chinese_catalog();
    void choices_survive_and_are_saved();
};

void LanguageTest::catalogs_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("chinese");
    QTest::addColumn<QString>("english");
    for (const Message &message : catalog)
        QTest::newRow(message.source)
            << QString::fromUtf8(message.source) << QString::fromUtf8(message.chinese)
            << QString::fromUtf8(message.english);
}

void LanguageTest::catalogs()
{
    QFETCH(QString, source);
    QFETCH(QString, chinese);
    QFETCH(QString, english);
    QTranslator zh;
    QTranslator en;
    QVERIFY(zh.load(":/trans/zh.qm"));
    QVERIFY(en.load(":/trans/en.qm"));
    const QByteArray key = source.toUtf8();
    QCOMPARE(zh.translate("MainWindow", key.constData()), chinese);
    QCOMPARE(en.translate("MainWindow", key.constData()), english);
}

void LanguageTest::starts_in_chinese_without_a_file()
{
    ScratchFolder folder;
    MainWindow window;
    QCOMPARE(window.windowTitle(), QString("Zarvick v2.2"));
    QCOMPARE(label_text(window, "label_10"), QString("数据位"));
    QCOMPARE(label_text(window, "label_16"), QString("串口"));
    QCOMPARE(control<QPushButton>(&window, "pushButton_16")->text(), QString("开启"));
    QCOMPARE(control<QPushButton>(&window, "ptz_resetButton")->text(), QString("Home"));
    QCOMPARE(control<QTabWidget>(&window, "tabWidget")->tabText(1), QString("手动"));
    QCOMPARE(control<QComboBox>(&window, "comboBox_3")->currentText(), QString("中文"));
    QCOMPARE(control<QComboBox>(&window, "ParitycomboBox")->currentText(), QString("None"));
}

void LanguageTest::starts_in_english_from_the_file()
{
    ScratchFolder folder;
    folder.write("config.ini", "[LANGUAGE_CONF]\nlanguage=English\n");
    MainWindow window;
    QCOMPARE(window.windowTitle(), QString("Zarvick v2.2"));
    QCOMPARE(label_text(window, "label_10"), QString("Data Bits"));
    QCOMPARE(control<QComboBox>(&window, "comboBox_3")->currentText(), QString("English"));
}

void LanguageTest::unknown_name_loads_no_catalog_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("lower case") << QByteArray("[LANGUAGE_CONF]\nlanguage=english\n");
    QTest::newRow("absent") << QByteArray("[PTZ_CONF]\nPanSpeed=3\n");
    QTest::newRow("empty file") << QByteArray();
}

void LanguageTest::unknown_name_loads_no_catalog()
{
    QFETCH(QByteArray, file);
    ScratchFolder folder;
    folder.write("config.ini", file);
    MainWindow window;
    QCOMPARE(window.windowTitle(), QString("MainWindow"));
    QCOMPARE(label_text(window, "label_10"), QString("Data bits"));
    QCOMPARE(control<QComboBox>(&window, "comboBox_3")->currentText(), QString("中文"));
}

void LanguageTest::switching_back_leaves_one_chinese_catalog()
{
    ScratchFolder folder;
    MainWindow window;
    auto *language = control<QComboBox>(&window, "comboBox_3");
    QTest::keyClick(language, Qt::Key_Down);
    QCOMPARE(label_text(window, "label_10"), QString("Data Bits"));
    QCOMPARE(control<QPushButton>(&window, "pushButton_13")->text(), QString("Send"));
    QTest::keyClick(language, Qt::Key_Up);
    QCOMPARE(language->currentIndex(), 0);
    QCOMPARE(label_text(window, "label_10"), QString("数据位"));

    control<QLineEdit>(&window, "lineEdit_ip")->clear();
    ModalCatcher catcher(QMessageBox::Cancel);
    click(window, "pushButton_15");
    QCOMPARE(catcher.texts(), QString("信息/网络信息填写错误"));
    // Qt's own catalog speaks for the standard buttons, and leaves with Chinese.
    QCOMPARE(catcher.boxes.last().buttons, QStringList({"确定"}));
    window.close();
    QTRY_COMPARE(catcher.boxes.size(), 2);
    QCOMPARE(catcher.boxes.last().buttons, QStringList({"确定", "取消"}));
    QTest::keyClick(language, Qt::Key_Down);
    click(window, "pushButton_15");
    QCOMPARE(catcher.boxes.last().buttons, QStringList({"OK"}));
}

void LanguageTest::choices_survive_and_are_saved()
{
    ScratchFolder folder;
    {
        MainWindow window;
        auto *language = control<QComboBox>(&window, "comboBox_3");
        control<QComboBox>(&window, "hcomboBox")->setCurrentIndex(0); // pan speed 1
        click(window, "radioButton_udp");
        QTest::keyClick(language, Qt::Key_Down);
        QCOMPARE(control<QLineEdit>(&window, "lineEdit_port")->text(), QString("1259"));
        QVERIFY(control<QRadioButton>(&window, "radioButton_udp")->isChecked());
        ModalCatcher catcher;
        window.close();
    }
    const QByteArray saved = folder.read("config.ini");
    QVERIFY2(saved.contains("PanSpeed=0\n"), saved.constData());
    QVERIFY2(saved.contains("Port=1259\n"), saved.constData());
}

QTEST_MAIN(LanguageTest)
#include "tst_language.moc"
