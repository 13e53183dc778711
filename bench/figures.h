#ifndef ZARVICK_BENCH_FIGURES_H
#define ZARVICK_BENCH_FIGURES_H

#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QtGlobal>
#include <vector>

class ScratchFolder;

// One row of the printed table: a figure beside its anchor from the same run.
struct Figure {
    QString measure;
    double value;
    double anchor; // 0 when the figure has no anchor
    QString unit;
    QString goal;
};

double percentile(std::vector<double> values, double share);
inline double median(std::vector<double> values) { return percentile(std::move(values), 0.5); }
long resident_bytes();
// Runs the event loop as the program does (QTest::qWait would sleep 10 ms
// between its turns and distort every timing).
void run_event_loop(int ms);
// A loopback socket of the given type (SOCK_STREAM listens) bound to a free port.
int loopback_socket(int type, quint16 *port);
// A config.ini in `folder` (English) that serves HTTP on a free port of
// 127.0.0.1; the port.
quint16 serve_http_from(const ScratchFolder &folder);
double thread_cpu_seconds();

// The longest gap between the turns of a 1 ms timer since start(): how
// long the event loop was held up (a press or a release would have waited
// as long). The GUI thread's CPU time in that gap tells work of its own
// from time the machine gave to others.
class StallWatch
{
public:
    StallWatch();
    // Lets the timer settle for 100 ms, then counts from zero.
    void start();
    double longest_ms() const { return double(worst) / 1e6; }
    double cpu_in_longest_ms() const { return worst_cpu * 1e3; }
    // Gaps of 20 ms or more.
    int long_gaps() const { return long_gap_count; }

private:
    QElapsedTimer clock;
    QTimer ticker;
    qint64 last = 0;
    double last_cpu = 0;
    qint64 worst = 0;
    double worst_cpu = 0;
    int long_gap_count = 0;
};

// Seven chained and sixteen network cameras open in one window.
void scale(QList<Figure> &figures);
// The same number of cameras, all answering, their positions asked.
void polling(QList<Figure> &figures);
// Presses on a window asking 23 cameras where they point, against one not asking.
void polled_presses(QList<Figure> &figures);

// Seeded drives of simulated cameras losing 30 % and 75 % of what they
// get, over UDP and VISCA over IP; each figure beside the lossless run's.
void lossy_drives(QList<Figure> &figures, int drives);
// A camera at address 1 on UDP that answers as cameras do: ACK and
// completion for a command, the position inquiries with Home.
QList<QByteArray> camera_answer(const QByteArray &datagram);
// HTTP drive requests against pad presses; a lease's stop.
void remote_requests(QList<Figure> &figures);
// The control page in headless Chromium: a finger on its stick to the
// bytes at the camera, against a bare fetch; the page's size.
void page_moves(QList<Figure> &figures);
// A switcher's tally message to the lamps' bytes at a camera.
void switcher_tally(QList<Figure> &figures);
// A command's round trip through `zarvick --monitor` against straight to
// the camera, and the monitor's CPU at 1,000 messages a second.
void monitor_delay(QList<Figure> &figures);

// Child processes measured from the outside (start-up, log growth).
int run_startup_child(int argc, char *argv[], const QString &kind);
int run_log_child(int argc, char *argv[], const QString &kind);
// The log at a camera's pace with Explain on or off: "explain PACED BURSTS".
int run_explain_child(int argc, char *argv[], bool explain);
int run_hostile_child(int argc, char *argv[]);
int run_stall_child(int argc, char *argv[], const QString &kind, int loop_seconds);
int run_listening_child(int argc, char *argv[], const QString &part);

#endif
