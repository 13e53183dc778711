// The message log as the operator reads it: prefix with a full-width colon,
// the text, one space, the time stamp, blue for sent and green for received.

#include "app/mainwindow.h"
#include "console/message_log.h"
#include "testsupport.h"

#include <QTextBlock>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextEdit>
#include <QTime>
#include <QtTest>

class MessageLogTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void sent_and_received_lines();
    void time_stamp_is_the_moment_of_the_line();
    void clear_starts_a_fresh_log();
    void view_follows_the_newest_line();
    void oldest_lines_leave_at_the_limit();
    void long_lines_are_cut_for_the_view_only();

private:
    ScratchFolder *folder = nullptr;
    MainWindow *window = nullptr;
    UdpPeer *camera = nullptr;
};

void MessageLogTest::init()
{
    folder = new ScratchFolder;
    window = new MainWindow;
    camera = new UdpPeer;
    click(*window, "radioButton_10");
    connect_net(*window, false, camera->port());
}

void MessageLogTest::cleanup()
{
    delete camera;
    delete window;
    delete folder;
}

void MessageLogTest::sent_and_received_lines()
{
    click(*window, "ptz_resetButton");
    QCOMPARE(camera->read(1).value(0), hex("81 01 06 04 FF"));
    camera->reply(hex("90 41 FF"));
    camera->reply(QByteArray());
    QVERIFY(wait_until([&] { return log_lines(*window).size() == 3; }));

    const QStringList lines = log_lines(*window);
    QCOMPARE(lines[0], QString("TX：81 01 06 04 FF"));
    QCOMPARE(lines[1], QString("RX：90 41 FF "));
    QCOMPARE(lines[2], QString("RX："));
    QVERIFY(lines[0].toUtf8().startsWith("TX\xEF\xBC\x9A"));
    QCOMPARE(log_colour(*window, 0), QColor("#0000ff"));
    QCOMPARE(log_colour(*window, 1), QColor("#008000"));
    QCOMPARE(log_colour(*window, 2), QColor("#008000"));
    const QString plain = control<QTextEdit>(window, "textEdit")->toPlainText();
    QVERIFY(plain.contains("RX：90 41 FF  ("));
}

void MessageLogTest::time_stamp_is_the_moment_of_the_line()
{
    const QTime before = QTime::currentTime();
    click(*window, "ptz_resetButton");
    const QTime after = QTime::currentTime();
    // Stamped when it was sent, however late the frame draws it.
    wait_for_log_frame(control<QTextEdit>(window, "textEdit"));
    const QString line = control<QTextEdit>(window, "textEdit")->toPlainText();
    const QTime stamp = QTime::fromString(line.section('(', -1).chopped(1), "hh:mm:ss.zzz");
    QVERIFY2(stamp.isValid(), qPrintable(line));
    QVERIFY(before.msecsTo(stamp) >= 0 || before.msecsTo(stamp) < -86000000);
    QVERIFY(stamp.msecsTo(after) >= 0 || stamp.msecsTo(after) < -86000000);
}

void MessageLogTest::clear_starts_a_fresh_log()
{
    click(*window, "ptz_resetButton");
    click(*window, "pushButton_14");
    QCOMPARE(log_lines(*window), QStringList());
    camera->read(1);
    camera->reply(hex("90 51 FF"));
    QVERIFY(wait_until([&] { return log_lines(*window).size() == 1; }));
    QCOMPARE(log_lines(*window), QStringList({"RX：90 51 FF "}));
    QCOMPARE(log_colour(*window, 0), QColor("#008000"));
}

void MessageLogTest::view_follows_the_newest_line()
{
    show_exposed(window);
    auto *log = control<QTextEdit>(window, "textEdit");
    for (int i = 0; i < 40; ++i)
        click(*window, "ptz_resetButton");
    wait_for_log_frame(log);
    QScrollBar *bar = log->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    QCOMPARE(bar->value(), bar->maximum());

    // The operator clicks into an old line and scrolls up: the next line
    // still lands at the end, in its own colour, and brings the view along.
    QTextCursor start = log->textCursor();
    start.movePosition(QTextCursor::Start);
    log->setTextCursor(start);
    bar->setValue(0);
    camera->read(40);
    camera->reply(hex("90 51 FF"));
    QVERIFY(wait_until([&] { return log_lines(*window).size() == 41; }));
    QCOMPARE(log_lines(*window).last(), QString("RX：90 51 FF "));
    QCOMPARE(log_colour(*window, 40), QColor("green"));
    QCOMPARE(log_colour(*window, 0), QColor("blue"));
    QVERIFY(log->textCursor().atEnd());
    QVERIFY(log->viewport()->rect().contains(log->cursorRect()));
}

void MessageLogTest::oldest_lines_leave_at_the_limit()
{
    // A loop left running for a day must not fill the memory: the log keeps
    // the newest lines, each in its own colour.
    QTextEdit view;
    MessageLog log(&view, 20);
    for (int i = 0; i < 22; ++i) {
        if (i % 2)
            log.add_received({QByteArray(1, char(i))});
        else
            log.add_sent(QString::number(i));
    }
    // Up to a tenth more than the limit, then back to the limit at once.
    QTextDocument *document = view.document();
    wait_for_log_frame(&view);
    QCOMPARE(document->blockCount(), 22);
    log.add_received({QByteArray(1, char(22)), QByteArray(1, char(23))});
    wait_for_log_frame(&view);
    QCOMPARE(document->blockCount(), 20);
    QVERIFY(document->firstBlock().text().startsWith("TX：4 "));
    QVERIFY(document->lastBlock().text().startsWith("RX：17 "));
    for (QTextBlock block = document->firstBlock(); block.isValid(); block = block.next()) {
        const bool sent = block.text().startsWith("TX");
        QCOMPARE(block.begin().fragment().charFormat().foreground().color(),
                 QColor(sent ? "blue" : "green"));
    }
}

void MessageLogTest::long_lines_are_cut_for_the_view_only()
{
    // One huge line would hold the window up while it is laid out.
    const QString text = QString(10000, '0') + "81 01 06 04 FF";
    QCOMPARE(shown_text(text), text.left(MessageLog::longest_line) + "…（另有 5918 个字符未显示）");
    QCOMPARE(shown_text("81 01 06 04 FF"), QString("81 01 06 04 FF"));

    // What is sent is not cut.
    click(*window, "radioButton_12");
    control<QPlainTextEdit>(window, "plainTextEdit")->setPlainText(text);
    click(*window, "pushButton_13");
    QCOMPARE(camera->read(1).value(0), hex("81 01 06 04 FF"));
    QCOMPARE(log_lines(*window), QStringList({"TX：" + shown_text(text)}));

    // The largest datagram is one short line too.
    camera->reply(QByteArray(60000, 'A'));
    QVERIFY(wait_until([&] { return log_lines(*window).size() == 2; }));
    QVERIFY(log_lines(*window)[1].endsWith("…（另有 175905 个字符未显示）"));
}

QTEST_MAIN(MessageLogTest)
#include "tst_message_log.moc"
