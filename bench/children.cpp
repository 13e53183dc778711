// Measures that run in a process of their own: start-up (timed from the
// outside) and the growth of the log (resident memory needs a fresh process).

#include "app/mainwindow.h"
#include "figures.h"
#include "testsupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStyleFactory>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTime>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <unistd.h>

namespace {
// Tells the parent the moment the window is first painted, then ends.
class FirstPaint : public QObject
{
    Q_OBJECT

public:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !seen) {
            seen = true;
            std::printf("shown\n");
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }
    bool seen = false;
};

// A log receiving lines: the window's own (through its serial link) or a
// bare QTextEdit fed with the simplest append.
class LogUnderTest
{
public:
    virtual ~LogUnderTest() = default;
    virtual int lines() const = 0;
    // Adds `count` lines in bursts of `burst`, one event-loop turn a burst;
    // returns the CPU time the GUI thread spent on them (not counting the
    // camera's side, writing the replies).
    virtual double add(int count, int burst) = 0;
    // Adds `count` lines as a camera sends them, `burst` every
    // `interval_ms` whether the log has drawn the last ones or not; returns
    // the GUI thread's CPU time meanwhile.
    virtual double add_paced(int count, int burst, int interval_ms) = 0;
    virtual QAbstractScrollArea *view() const = 0;
    virtual QTextDocument *document() const = 0;
};

int line_count(const QTextDocument *document)
{
    return document->isEmpty() ? 0 : document->blockCount();
}

class WindowLog : public LogUnderTest
{
public:
    explicit WindowLog(bool explain = false)
    {
        show_exposed(&window);
        if (explain)
            click(window, "logExplainBox");
        open_serial(window, pty.path());
        log = control<QPlainTextEdit>(&window, "textEdit");
        // The log keeps its newest lines only: the lines logged are those
        // shown and those its first line says have left.
        QObject::connect(log->document(), &QTextDocument::contentsChange, [this] { recount(); });
    }
    int lines() const override { return int(seen); }
    double add(int count, int burst) override
    {
        const QByteArray reply = QByteArray::fromHex("9041ff");
        double spent = 0;
        for (int done = 0; done < count; done += burst) {
            const int target = lines() + burst;
            pty.write(reply.repeated(burst));
            // Sleep until the bytes are there: the transport's own delay is
            // no work of the log's, and a spinning wait would count as such.
            const double before = thread_cpu_seconds();
            while (lines() < target)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            spent += thread_cpu_seconds() - before;
        }
        return spent;
    }
    double add_paced(int count, int burst, int interval_ms) override
    {
        const QByteArray replies = QByteArray::fromHex("9041ff").repeated(burst);
        const int target = lines() + count;
        const double before = thread_cpu_seconds();
        std::thread camera([&] {
            for (int sent = 0; sent < count; sent += burst) {
                if (::write(pty.master_fd(), replies.constData(), size_t(replies.size())) < 0)
                    return;
                std::this_thread::sleep_for(std::chrono::milliseconds(interval_ms));
            }
        });
        while (lines() < target)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        const double spent = thread_cpu_seconds() - before;
        camera.join();
        return spent;
    }
    QAbstractScrollArea *view() const override { return log; }
    QTextDocument *document() const override { return log->document(); }
    MainWindow &main_window() { return window; }

private:
    void recount()
    {
        const QTextDocument *document = log->document();
        const QString first = document->firstBlock().text();
        const bool noted = !first.isEmpty() && !first.startsWith("RX") && !first.startsWith("TX");
        qint64 left = 0;
        for (const QChar c : first) {
            if (c.isDigit())
                left = left * 10 + c.digitValue();
            else if (left > 0)
                break;
        }
        seen = (noted ? left - 1 : 0) + (document->isEmpty() ? 0 : document->blockCount());
    }
    ScratchFolder folder;
    MainWindow window;
    PtyPeer pty;
    QPlainTextEdit *log = nullptr;
    qint64 seen = 0;
};

class BareLog : public LogUnderTest
{
public:
    BareLog()
    {
        edit.resize(560, 180);
        show_exposed(&edit);
    }
    int lines() const override { return line_count(edit.document()); }
    double add(int count, int burst) override
    {
        const double before = thread_cpu_seconds();
        for (int done = 0; done < count; done += burst) {
            for (int i = 0; i < burst; ++i)
                edit.append("RX：90 41 FF  " + QTime::currentTime().toString("(hh:mm:ss.zzz)"));
            QCoreApplication::processEvents();
        }
        return thread_cpu_seconds() - before;
    }
    double add_paced(int count, int burst, int interval_ms) override
    {
        const double before = thread_cpu_seconds();
        int added = 0;
        QTimer camera;
        QObject::connect(&camera, &QTimer::timeout, [&] {
            for (int i = 0; i < burst; ++i)
                edit.append("RX：90 41 FF  " + QTime::currentTime().toString("(hh:mm:ss.zzz)"));
            added += burst;
        });
        camera.start(interval_ms);
        while (added < count)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::processEvents();
        return thread_cpu_seconds() - before;
    }
    QAbstractScrollArea *view() const override { return const_cast<QTextEdit *>(&edit); }
    QTextDocument *document() const override { return edit.document(); }

private:
    QTextEdit edit;
};

// Time the GUI thread spends per line: reading, appending, laying out, painting.
double microseconds_per_line(LogUnderTest &log, int count, int burst)
{
    return log.add(count, burst) * 1e6 / count;
}
} // namespace

int run_startup_child(int argc, char *argv[], const QString &kind)
{
    // As the program starts: the port list is read from the first moment.
    std::future<QStringList> ports;
    if (kind == "zarvick")
        ports = MainWindow::read_ports();
    QApplication application(argc, argv);
    FirstPaint first_paint;
    if (kind == "zarvick") {
        if (QStyle *style = QStyleFactory::create("fusion"))
            QApplication::setStyle(style);
        MainWindow window(std::move(ports));
        window.installEventFilter(&first_paint);
        window.show();
        return application.exec();
    }
    // The anchor: an empty window, or one that shows a Chinese text.
    QLabel window(kind == "label" ? "通讯配置" : "");
    window.installEventFilter(&first_paint);
    window.show();
    return application.exec();
}

int run_log_child(int argc, char *argv[], const QString &kind)
{
    QApplication application(argc, argv);
    std::unique_ptr<LogUnderTest> log;
    if (kind == "window")
        log.reset(new WindowLog);
    else
        log.reset(new BareLog);

    const long resident_before = resident_bytes();
    std::printf("idle %ld\n", resident_before);
    const int lines_before = log->lines();
    // The bare log has no limit: past 300,000 lines it only grows slower.
    const QList<int> sizes = kind == "window" ? QList<int>{1000, 10000, 100000, 300000, 1000000}
                                              : QList<int>{1000, 10000, 100000, 300000};
    for (int size : sizes) {
        while (log->lines() < size)
            log->add(500, 500);
        // Each turn waits for a frame: a thousand turns take half a minute.
        const double per_turn = microseconds_per_line(*log, 1000, 1);
        const double in_bursts = microseconds_per_line(*log, 3000, 10);
        const long resident = resident_bytes();
        // As a camera sends: a reply every 2 ms, and ten every 20 ms.
        const double paced = log->add_paced(1000, 1, 2) * 1e6 / 1000;
        const double paced_bursts = log->add_paced(2000, 10, 20) * 1e6 / 2000;
        std::printf("log %d %.2f %.2f %ld %.2f %.2f\n", size, per_turn, in_bursts, resident, paced,
                    paced_bursts);
        std::fflush(stdout);
        if (size == 100000)
            std::printf("memory %.0f\n",
                        double(resident - resident_before) / double(log->lines() - lines_before));
    }

    QScrollBar *bar = log->view()->verticalScrollBar();
    const bool follows = bar->value() == bar->maximum();
    bool coloured = true;
    if (auto *window_log = dynamic_cast<WindowLog *>(log.get())) {
        // Line 0 says how many lines left the log.
        const int shown = line_count(log->document());
        for (int line : {1, shown / 2, shown - 1})
            coloured = coloured && log_colour(window_log->main_window(), line) == QColor("green");
    }
    std::printf("view follows %d colours %d\n", follows, coloured);
    return 0;
}

int run_explain_child(int argc, char *argv[], bool explain)
{
    // As the camera answers at its pace, into a log of 10,000 lines: what
    // the meanings cost beside the lines alone.
    QApplication application(argc, argv);
    WindowLog log(explain);
    while (log.lines() < 10000)
        log.add(500, 500);
    const double paced = log.add_paced(1000, 1, 2) * 1e6 / 1000;
    const double paced_bursts = log.add_paced(2000, 10, 20) * 1e6 / 2000;
    std::printf("explain %.2f %.2f\n", paced, paced_bursts);
    return 0;
}

#include "children.moc"
