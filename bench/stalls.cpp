// The longest hold-up of the event loop while the log takes the worst it
// can get: a flood of replies over serial through the line limit, a
// megabyte without FF in one write, and a 10 ms loop at the line limit.
// The window against a bare QTextEdit fed the same lines, each in a child
// process of its own.

#include "app/mainwindow.h"
#include "figures.h"
#include "testsupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSerialPort>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTime>
#include <QTimer>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <functional>
#include <thread>
#include <unistd.h>

namespace {
constexpr int flood_replies = 120000;

// Writes `bytes` into the terminal as fast as the reader takes them.
void write_all(int fd, const QByteArray &bytes)
{
    for (qint64 sent = 0; sent < bytes.size();) {
        const ssize_t wrote = ::write(fd, bytes.constData() + sent, size_t(bytes.size() - sent));
        if (wrote > 0)
            sent += wrote;
        else if (errno == EAGAIN)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        else
            return;
    }
}

// Prints the gaps between turns of a 1 ms timer from the start of `feed`
// (run on a thread of its own) until `settled` holds: "NAME LONGEST_MS
// CPU_IN_IT_MS GAPS_OF_20_MS".
void print_stalls(const char *name, const std::function<void()> &feed,
                  const std::function<bool()> &settled)
{
    StallWatch watch;
    watch.start();
    std::atomic<bool> done{false};
    std::thread writer([&] {
        feed();
        done = true;
    });
    while (!done || !settled())
        run_event_loop(20);
    writer.join();
    run_event_loop(200);
    std::printf("%s %.2f %.2f %d\n", name, watch.longest_ms(), watch.cpu_in_longest_ms(),
                watch.long_gaps());
    std::fflush(stdout);
}

// Drains what the window writes, so that its loop never blocks.
class Drain
{
public:
    explicit Drain(int fd)
        : reader([this, fd] {
              char buffer[4096];
              while (!stop)
                  if (::read(fd, buffer, sizeof buffer) <= 0)
                      std::this_thread::sleep_for(std::chrono::milliseconds(1));
          })
    {
    }
    ~Drain()
    {
        stop = true;
        reader.join();
    }

private:
    std::atomic<bool> stop{false};
    std::thread reader;
};

// The anchor: a QSerialPort whose replies a QTextEdit appends as they come,
// keeping the newest 100,000 lines by removing a tenth at a time.
class BareSerialLog : public QObject
{
    Q_OBJECT

public:
    explicit BareSerialLog(const QString &path) : port(path)
    {
        edit.resize(560, 180);
        show_exposed(&edit);
        port.open(QIODevice::ReadWrite);
        connect(&port, &QSerialPort::readyRead, this, [this] {
            pending += port.readAll();
            int end;
            while ((end = pending.indexOf('\xff')) >= 0 || pending.size() >= 1024) {
                const int cut = end >= 0 ? end + 1 : 1024;
                append(QString::fromLatin1(pending.left(cut).toHex(' ').toUpper()));
                pending.remove(0, cut);
            }
        });
    }
    void append(const QString &text)
    {
        edit.append("RX：" + text + ' ' + QTime::currentTime().toString("(hh:mm:ss.zzz)"));
        QTextDocument *document = edit.document();
        if (document->blockCount() > 110000) {
            QTextCursor oldest(document);
            oldest.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor,
                                document->blockCount() - 100000);
            oldest.removeSelectedText();
        }
    }
    QSerialPort port;
    QTextEdit edit;
    QByteArray pending;
};

void measure(PtyPeer &pty, int loop_seconds, const std::function<bool()> &settled,
             const std::function<void()> &start_loop, const std::function<void()> &stop_loop)
{
    const QByteArray flood = QByteArray::fromHex("9041ff").repeated(flood_replies);
    print_stalls(
        "stallflood", [&] { write_all(pty.master_fd(), flood); }, settled);
    print_stalls(
        "stallffless", [&] { write_all(pty.master_fd(), QByteArray(1048576, 'A')); }, settled);
    Drain drain(pty.master_fd());
    start_loop();
    print_stalls(
        "stallloop", [=] { std::this_thread::sleep_for(std::chrono::seconds(loop_seconds)); },
        settled);
    stop_loop();
}
} // namespace

int run_stall_child(int argc, char *argv[], const QString &kind, int loop_seconds)
{
    QApplication application(argc, argv);
    PtyPeer pty;
    if (kind == "bare") {
        BareSerialLog log(pty.path());
        QTimer loop;
        QObject::connect(&loop, &QTimer::timeout, [&] {
            log.port.write(QByteArray::fromHex("81090400ff"));
            log.append("81 09 04 00 FF");
        });
        measure(
            pty, loop_seconds, [] { return true; }, [&] { loop.start(10); }, [&] { loop.stop(); });
        return 0;
    }
    ScratchFolder folder;
    MainWindow window;
    show_exposed(&window);
    open_serial(window, pty.path());
    auto *frame = control<QPlainTextEdit>(&window, "textEdit")->findChild<QTimer *>("log_frame");
    // Manual tab, serial: a 10 ms loop of one inquiry.
    control<QPlainTextEdit>(&window, "plainTextEdit")->setPlainText("81 09 04 00 FF");
    click(window, "checkBox");
    control<QLineEdit>(&window, "lineEdit")->setText("10");
    measure(
        pty, loop_seconds, [frame] { return !frame->isActive(); },
        [&] { click(window, "pushButton_13"); }, [&] { click(window, "pushButton_13"); });
    return 0;
}

#include "stalls.moc"
