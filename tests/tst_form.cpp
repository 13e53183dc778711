// The form as the operator meets it: every control by object name, class,
// text, list, font, size rule and initial state, and what a re-translation
// puts back.

#include "app/mainwindow.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFrame>
#include <QGraphicsView>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QtTest>

namespace {
// A config.ini naming no known language: no catalog, so the source texts show.
const QByteArray source_texts_config = "[LANGUAGE_CONF]\nlanguage=none\n";

QString shown_text(QWidget *widget)
{
    if (auto *group = qobject_cast<QGroupBox *>(widget))
        return group->title();
    if (auto *label = qobject_cast<QLabel *>(widget))
        return label->text();
    if (auto *button = qobject_cast<QAbstractButton *>(widget))
        return button->text();
    if (auto *edit = qobject_cast<QLineEdit *>(widget))
        return edit->text();
    return QString();
}

QStringList items(QComboBox *box)
{
    QStringList all;
    for (int i = 0; i < box->count(); ++i)
        all << box->itemText(i);
    return all;
}

QStringList numbers(int from, int to)
{
    QStringList all;
    for (int i = from; i <= to; ++i)
        all << QString::number(i);
    return all;
}
} // namespace

class FormTest : public QObject
{
    Q_OBJECT
private slots:
    void controls_data();
    void controls();
    void combo_lists_data();
    void combo_lists();
    void fonts_data();
    void fonts();
    void size_rules_data();
    void size_rules();
    void initial_state();
    void tree_and_layouts();
    void retranslation_keeps_every_choice();
};

void FormTest::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("cls");
    QTest::addColumn<QString>("text");
    const QList<QStringList> rows = {
        {"centralWidget", "QWidget", ""},
        {"groupBox_6", "QGroupBox", "Options"},
        {"label_16", "QLabel", "Serial"},
        {"label", "QLabel", "Port"},
        {"ComPortcomboBox", "QComboBox", ""},
        {"label_9", "QLabel", "Baud rate"},
        {"BaucomboBox", "QComboBox", ""},
        {"label_10", "QLabel", "Data bits"},
        {"DataBitcomboBox", "QComboBox", ""},
        {"label_11", "QLabel", "Parity"},
        {"ParitycomboBox", "QComboBox", ""},
        {"label_12", "QLabel", "Stop bits"},
        {"StopBitcomboBox", "QComboBox", ""},
        {"graphicsView", "QGraphicsView", ""},
        {"pushButton_16", "QPushButton", "Start"},
        {"line", "QFrame", ""},
        {"label_14", "QLabel", "Net"},
        {"label_13", "QLabel", "Protocol"},
        {"radioButton_tcp", "QRadioButton", "TCP"},
        {"radioButton_udp", "QRadioButton", "UDP"},
        {"label_17", "QLabel", "IP Address"},
        {"lineEdit_ip", "QLineEdit", "192.168.1.88"},
        {"label_8", "QLabel", "Port"},
        {"lineEdit_port", "QLineEdit", "5678"},
        {"pushButton_15", "QPushButton", "Connect"},
        {"tabWidget", "QTabWidget", ""},
        {"tab_ptz", "QWidget", ""},
        {"groupBox_3", "QGroupBox", "Mode"},
        {"radioButton_9", "QRadioButton", "Serial"},
        {"radioButton_10", "QRadioButton", "Net"},
        {"groupBox_2", "QGroupBox", "Control"},
        {"ptz_leftupButton", "QPushButton", "↖"},
        {"ptz_upButton", "QPushButton", "↑"},
        {"ptz_rightupButton", "QPushButton", "↗"},
        {"ptz_leftButton", "QPushButton", "←"},
        {"ptz_resetButton", "QPushButton", "Home"},
        {"ptz_rightButton", "QPushButton", "→"},
        {"ptz_leftdownButton", "QPushButton", "↙"},
        {"ptz_downButton", "QPushButton", "↓"},
        {"ptz_rightdownButton", "QPushButton", "↘"},
        {"label_2", "QLabel", "Pan speed"},
        {"hcomboBox", "QComboBox", ""},
        {"label_3", "QLabel", "Tilt speed"},
        {"vcomboBox", "QComboBox", ""},
        {"line_3", "QFrame", ""},
        {"label_5", "QLabel", "Zoom speed"},
        {"zoomcomboBox", "QComboBox", ""},
        {"zoomin_Button", "QPushButton", "Zoom in"},
        {"zoomout_Button", "QPushButton", "Zoom out"},
        {"label_15", "QLabel", "Focus speed"},
        {"focuscomboBox", "QComboBox", ""},
        {"focusin_Button", "QPushButton", "Focus in"},
        {"focusout_Button", "QPushButton", "Focus out"},
        {"groupBox_4", "QGroupBox", "Preset"},
        {"radioButton", "QRadioButton", "Set"},
        {"radioButton_2", "QRadioButton", "Call"},
        {"line_4", "QFrame", ""},
        {"lineEdit_2", "QLineEdit", ""},
        {"label_6", "QLabel", "(0~254)"},
        {"pushButton", "QPushButton", "Set"},
        {"pushButton_2", "QPushButton", "Call"},
        {"tab_manual", "QWidget", ""},
        {"plainTextEdit", "QPlainTextEdit", ""},
        {"groupBox", "QGroupBox", "Mode"},
        {"radioButton_11", "QRadioButton", "Serial"},
        {"radioButton_12", "QRadioButton", "Net"},
        {"checkBox", "QCheckBox", "Loop"},
        {"lineEdit", "QLineEdit", ""},
        {"label_4", "QLabel", "ms"},
        {"pushButton_13", "QPushButton", "Send"},
        {"groupBox_5", "QGroupBox", "Receive message"},
        {"pushButton_14", "QPushButton", "Clear"},
        {"textEdit", "QPlainTextEdit", ""},
        {"label_7", "QLabel", "Language"},
        {"comboBox_3", "QComboBox", ""},
    };
    for (const QStringList &row : rows)
        QTest::newRow(qPrintable(row[0])) << row[0] << row[1] << row[2];
    for (int i = 0; i < 10; ++i) {
        const QString name = QString("pushButton_%1").arg(i + 3);
        QTest::newRow(qPrintable(name)) << name << "QPushButton" << QString::number(i);
    }
}

void FormTest::controls()
{
    QFETCH(QString, name);
    QFETCH(QString, cls);
    QFETCH(QString, text);
    ScratchFolder folder;
    folder.write("config.ini", source_texts_config);
    // Defaults do not apply with a file present, so the form's own address
    // and port stay in the fields.
    folder.write("config.ini",
                 source_texts_config + "[NET_CONF]\nAddress=192.168.1.88\nPort=5678\n");
    MainWindow window;
    auto *widget = window.findChild<QWidget *>(name);
    QVERIFY2(widget, qPrintable(name));
    QCOMPARE(QString(widget->metaObject()->className()), cls);
    QCOMPARE(shown_text(widget), text);
    // Only the buttons that keys drive name their key.
    const bool keyed =
        name.startsWith("ptz_") || name.startsWith("zoom") || name.startsWith("focus");
    QCOMPARE(widget->toolTip().startsWith("Key: "), keyed && cls == "QPushButton");
}

void FormTest::combo_lists_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("baud") << "BaucomboBox"
                          << QStringList({"1200", "2400", "4800", "9600", "11520", "28800", "38400",
                                          "57600", "115200"});
    QTest::newRow("data bits") << "DataBitcomboBox" << numbers(5, 8);
    QTest::newRow("parity") << "ParitycomboBox" << QStringList({"None", "Odd", "Even"});
    QTest::newRow("stop bits") << "StopBitcomboBox" << QStringList({"1", "1.5", "2"});
    QTest::newRow("pan") << "hcomboBox" << numbers(1, 24);
    QTest::newRow("tilt") << "vcomboBox" << numbers(1, 20);
    QTest::newRow("zoom") << "zoomcomboBox" << numbers(0, 7);
    QTest::newRow("focus") << "focuscomboBox" << numbers(0, 7);
    QTest::newRow("language") << "comboBox_3" << QStringList({"中文", "English"});
}

void FormTest::combo_lists()
{
    QFETCH(QString, name);
    QFETCH(QStringList, expected);
    ScratchFolder folder;
    folder.write("config.ini", source_texts_config);
    MainWindow window;
    auto *box = control<QComboBox>(&window, qPrintable(name));
    QCOMPARE(items(box), expected);
    // With a file present and no key stored, every list stands at its first item.
    QCOMPARE(box->currentIndex(), 0);
}

void FormTest::fonts_data()
{
    // The font each control shows: its own setting or its parent's.
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("points");
    QTest::addColumn<bool>("bold");
    QTest::newRow("groupBox_6") << "groupBox_6" << 11 << false;
    QTest::newRow("ptz_upButton") << "ptz_upButton" << 11 << false;
    QTest::newRow("label_4") << "label_4" << 11 << false;
    QTest::newRow("pushButton_16") << "pushButton_16" << 11 << false;
    QTest::newRow("groupBox_5") << "groupBox_5" << 11 << false;
    QTest::newRow("BaucomboBox") << "BaucomboBox" << 10 << false;
    QTest::newRow("label_7") << "label_7" << 10 << false;
    QTest::newRow("label_13") << "label_13" << 10 << false;
    QTest::newRow("lineEdit_ip") << "lineEdit_ip" << 9 << false;
    QTest::newRow("textEdit") << "textEdit" << 9 << false;
    QTest::newRow("radioButton_tcp") << "radioButton_tcp" << 9 << false;
    QTest::newRow("label_6") << "label_6" << 7 << false;
    QTest::newRow("pushButton_3 from its group") << "pushButton_3" << 10 << false;
    QTest::newRow("lineEdit_2 from its group") << "lineEdit_2" << 10 << false;
}

void FormTest::fonts()
{
    QFETCH(QString, name);
    QFETCH(int, points);
    QFETCH(bool, bold);
    ScratchFolder folder;
    MainWindow window;
    const QFont font = control<QWidget>(&window, qPrintable(name))->font();
    QCOMPARE(font.family(), QString("微软雅黑"));
    QCOMPARE(font.pointSize(), points);
    QCOMPARE(font.bold(), bold);
}

void FormTest::size_rules_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("horizontal");
    QTest::addColumn<int>("vertical");
    QTest::addColumn<QSize>("maximum");
    const QSize none(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const int fixed = QSizePolicy::Fixed, expanding = QSizePolicy::Expanding,
              preferred = QSizePolicy::Preferred, minimum = QSizePolicy::Minimum,
              maximum = QSizePolicy::Maximum;
    QTest::newRow("groupBox_6") << "groupBox_6" << preferred << preferred
                                << QSize(130, QWIDGETSIZE_MAX);
    QTest::newRow("graphicsView") << "graphicsView" << fixed << fixed << QSize(41, 21);
    QTest::newRow("radioButton_udp") << "radioButton_udp" << fixed << fixed << QSize(45, 16);
    QTest::newRow("lineEdit_ip") << "lineEdit_ip" << preferred << fixed << QSize(108, 23);
    QTest::newRow("lineEdit_port") << "lineEdit_port" << preferred << fixed << QSize(105, 25);
    QTest::newRow("groupBox_3") << "groupBox_3" << preferred << fixed << QSize(QWIDGETSIZE_MAX, 65);
    QTest::newRow("groupBox") << "groupBox" << preferred << fixed << QSize(QWIDGETSIZE_MAX, 65);
    QTest::newRow("radioButton_12") << "radioButton_12" << fixed << fixed << QSize(52, 32);
    QTest::newRow("ComPortcomboBox") << "ComPortcomboBox" << expanding << fixed << none;
    QTest::newRow("ptz_resetButton") << "ptz_resetButton" << expanding << fixed << none;
    QTest::newRow("pushButton_12") << "pushButton_12" << expanding << fixed << none;
    QTest::newRow("zoomcomboBox") << "zoomcomboBox" << preferred << fixed << none;
    QTest::newRow("comboBox_3") << "comboBox_3" << minimum << fixed << none;
    QTest::newRow("tabWidget") << "tabWidget" << expanding << maximum << none;
    QTest::newRow("groupBox_5") << "groupBox_5" << expanding << expanding << none;
    QTest::newRow("pushButton_14") << "pushButton_14" << fixed << fixed << none;
}

void FormTest::size_rules()
{
    QFETCH(QString, name);
    QFETCH(int, horizontal);
    QFETCH(int, vertical);
    QFETCH(QSize, maximum);
    ScratchFolder folder;
    MainWindow window;
    auto *widget = control<QWidget>(&window, qPrintable(name));
    QCOMPARE(int(widget->sizePolicy().horizontalPolicy()), horizontal);
    QCOMPARE(int(widget->sizePolicy().verticalPolicy()), vertical);
    QCOMPARE(widget->maximumSize(), maximum);
    QCOMPARE(widget->minimumSize(), QSize(0, 0));
}

void FormTest::initial_state()
{
    ScratchFolder folder;
    MainWindow window;
    QCOMPARE(window.objectName(), QString("MainWindow"));
    QCOMPARE(window.windowTitle(), QString("Zarvick v2.2"));
    QCOMPARE(window.size(), QSize(697, 706));
    QCOMPARE(control<QTabWidget>(&window, "tabWidget")->currentIndex(), 0);
    QCOMPARE(control<QTabWidget>(&window, "tabWidget")->tabText(0), QString("云台"));
    QCOMPARE(control<QTabWidget>(&window, "tabWidget")->tabText(1), QString("手动"));
    for (const char *checked :
         {"radioButton_tcp", "radioButton_9", "radioButton", "radioButton_11"})
        QVERIFY2(control<QRadioButton>(&window, checked)->isChecked(), checked);
    for (const char *unchecked :
         {"radioButton_udp", "radioButton_10", "radioButton_2", "radioButton_12", "checkBox"})
        QVERIFY2(!control<QAbstractButton>(&window, unchecked)->isChecked(), unchecked);
    QVERIFY(!control<QLineEdit>(&window, "lineEdit")->isEnabled());
    QVERIFY(control<QLineEdit>(&window, "lineEdit")->text().isEmpty());
    QCOMPARE(control<QGraphicsView>(&window, "graphicsView")->styleSheet(),
             QString("background-color: rgb(0, 0, 0);"));
    // The log is read, selected and copied; never typed into.
    QVERIFY(control<QPlainTextEdit>(&window, "textEdit")->isReadOnly());
    QVERIFY(control<QPlainTextEdit>(&window, "textEdit")->tabChangesFocus());
    QVERIFY(!control<QPlainTextEdit>(&window, "plainTextEdit")->isReadOnly());
    QCOMPARE(control<QFrame>(&window, "line")->frameShape(), QFrame::HLine);
    QCOMPARE(control<QFrame>(&window, "line_3")->frameShape(), QFrame::VLine);
    QCOMPARE(control<QFrame>(&window, "line_4")->frameShadow(), QFrame::Sunken);
    QVERIFY(!window.menuWidget());
    QVERIFY(!window.findChild<QStatusBar *>());
}

void FormTest::tree_and_layouts()
{
    ScratchFolder folder;
    MainWindow window;
    // Parents follow the layouts: each control belongs to its group or page.
    QCOMPARE(control<QWidget>(&window, "pushButton_16")->parentWidget()->objectName(),
             QString("groupBox_6"));
    QCOMPARE(control<QWidget>(&window, "ptz_upButton")->parentWidget()->objectName(),
             QString("groupBox_2"));
    QCOMPARE(control<QWidget>(&window, "plainTextEdit")->parentWidget()->objectName(),
             QString("tab_manual"));
    QCOMPARE(control<QWidget>(&window, "comboBox_3")->parentWidget()->objectName(),
             QString("centralWidget"));
    for (const char *name : {"verticalLayout_18", "verticalLayout_16", "horizontalLayout_12",
                             "verticalLayout_10", "verticalLayout_11", "horizontalLayout_16"}) {
        auto *layout = window.findChild<QLayout *>(name);
        QVERIFY2(layout, name);
        QCOMPARE(layout->spacing(), 6);
        QCOMPARE(layout->contentsMargins(), QMargins(11, 11, 11, 11));
    }
    for (const char *name : {"verticalLayout_3", "horizontalLayout_14", "horizontalLayout_15"}) {
        auto *layout = window.findChild<QLayout *>(name);
        QVERIFY2(layout, name);
        QCOMPARE(layout->spacing(), 6);
        QCOMPARE(layout->contentsMargins(), QMargins(0, 0, 0, 0));
    }
}

void FormTest::retranslation_keeps_every_choice()
{
    ScratchFolder folder;
    MainWindow window;
    auto *ports = control<QComboBox>(&window, "ComPortcomboBox");
    ports->addItem("ttyTEST");
    ports->setCurrentIndex(ports->count() - 1);
    const QMap<QString, int> chosen = {
        {"BaucomboBox", 8}, {"DataBitcomboBox", 1}, {"ParitycomboBox", 2}, {"StopBitcomboBox", 2},
        {"hcomboBox", 0},   {"vcomboBox", 19},      {"zoomcomboBox", 7},   {"focuscomboBox", 1}};
    for (auto it = chosen.begin(); it != chosen.end(); ++it)
        control<QComboBox>(&window, qPrintable(it.key()))->setCurrentIndex(it.value());
    const QMap<QString, QString> typed = {{"lineEdit_2", "12"},
                                          {"lineEdit", "500"},
                                          {"lineEdit_ip", "10.0.0.9"},
                                          {"lineEdit_port", "4000"}};
    click(window, "radioButton_2");
    click(window, "checkBox");
    for (auto it = typed.begin(); it != typed.end(); ++it)
        control<QLineEdit>(&window, qPrintable(it.key()))->setText(it.value());

    // To English, English again (the box reports every pick), back to Chinese.
    auto *language = control<QComboBox>(&window, "comboBox_3");
    for (const int pick : {1, 1, 0}) {
        if (language->currentIndex() == pick)
            emit language->activated(pick);
        else
            QTest::keyClick(language, pick ? Qt::Key_Down : Qt::Key_Up);
        QCOMPARE(language->currentIndex(), pick);
        for (auto it = chosen.begin(); it != chosen.end(); ++it)
            QCOMPARE(control<QComboBox>(&window, qPrintable(it.key()))->currentIndex(), it.value());
        for (auto it = typed.begin(); it != typed.end(); ++it)
            QCOMPARE(control<QLineEdit>(&window, qPrintable(it.key()))->text(), it.value());
    }
    QCOMPARE(ports->currentText(), QString("ttyTEST"));
    QVERIFY(control<QRadioButton>(&window, "radioButton_2")->isChecked());
    QVERIFY(control<QAbstractButton>(&window, "checkBox")->isChecked());
    QVERIFY(control<QLineEdit>(&window, "lineEdit")->isEnabled());
    QCOMPARE(control<QAbstractButton>(&window, "pushButton_16")->text(), QString("开启"));
}

QTEST_MAIN(FormTest)
#include "tst_form.moc"
