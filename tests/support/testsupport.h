#ifndef ZARVICK_TESTSUPPORT_H
#define ZARVICK_TESTSUPPORT_H

// Shared helpers for the window tests: a scratch working folder, a catcher
// for modal message boxes, real peers (pty, TCP, UDP) and readers of what
// the operator sees in the log.

#include <QByteArray>
#include <QColor>
#include <QHostAddress>
#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

class MainWindow;
class QTableView;
class QAbstractButton;
class QTcpServer;
class QPlainTextEdit;
class QTcpSocket;
class QUdpSocket;
class QWidget;

// Runs a test in an empty working folder, where config.ini lives.
class ScratchFolder
{
public:
    ScratchFolder();
    ~ScratchFolder();
    QString file(const QString &name) const { return dir.filePath(name); }
    void write(const QString &name, const QByteArray &content) const;
    QByteArray read(const QString &name) const;

private:
    QTemporaryDir dir;
    QString previous;
};

// Answers every modal message box that opens while it lives, recording its
// icon, title and text.
class ModalCatcher : public QObject
{
    Q_OBJECT

public:
    struct Box {
        QMessageBox::Icon icon;
        QString title;
        QString text;
        QString reason;      // the informative text
        QStringList buttons; // their captions, in the box's order
        bool plain;          // every text shown as plain text, never as markup
    };
    explicit ModalCatcher(QMessageBox::StandardButton answer = QMessageBox::Ok);
    // Answers the boxes in turn; the last answer stands for any further box.
    explicit ModalCatcher(const QList<QMessageBox::StandardButton> &buttons);
    QList<Box> boxes;
    QString texts() const;

private:
    void poll();
    QList<QMessageBox::StandardButton> answers;
    QTimer timer;
};

// Finds a control of the window by object name, failing the test loudly.
template <class T> T *control(QObject *window, const char *name)
{
    T *found = window->findChild<T *>(name);
    if (!found)
        qFatal("no control named %s", name);
    return found;
}

// Waits, running the event loop, until the condition holds or time is up.
bool wait_until(const std::function<bool()> &condition, int timeout_ms = 2000);
// A port of 127.0.0.1 free a moment ago (TCP, or UDP), for a program to take.
quint16 free_loopback_port(bool tcp = true);

// The log as the operator reads it: one entry per line, the time stamp cut
// off after checking its form ("TX：81 01 06 04 FF").
QStringList log_lines(MainWindow &window);
// Waits until the log has drawn every line that came.
void wait_for_log_frame(QPlainTextEdit *log);
QColor log_colour(MainWindow &window, int line);

// The far end of a pseudo-terminal: the window opens `path` as its port.
class PtyPeer
{
public:
    PtyPeer();
    ~PtyPeer();
    QString path() const { return slave_path; }
    // Bytes the window wrote, waiting until `count` arrived or time is up.
    QByteArray read(int count, int timeout_ms = 2000);
    // Everything that arrives within the time.
    QByteArray drain(int timeout_ms);
    void write(const QByteArray &bytes);
    void hang_up();
    // The line settings the window's port applied to the terminal.
    int terminal_fd() const { return slave; }
    int master_fd() const { return master; }

private:
    int master = -1;
    int slave = -1;
    QString slave_path;
    QByteArray received;
};

// A TCP camera on 127.0.0.1.
class TcpPeer
{
public:
    TcpPeer();
    ~TcpPeer();
    quint16 port() const;
    QTcpSocket *accept(int timeout_ms = 2000);
    // A connection made after the one accept() took, if one is waiting.
    QTcpSocket *accept_next();
    QByteArray read(int count, int timeout_ms = 2000);
    void write(const QByteArray &bytes);
    void drop();

private:
    QTcpServer *server;
    QTcpSocket *connection = nullptr;
    QByteArray received;
};

// A listening TCP socket on 127.0.0.1, on a free port; `receive_buffer`,
// when given, is the size asked for its connections' receive buffers.
int loopback_listener(quint16 *port, int receive_buffer = 0, int flags = 0);

// A TCP camera on 127.0.0.1 that reads only when told (Qt's sockets read
// on their own whenever the event loop runs), with a small receive buffer:
// a camera that stopped reading.
class SlowReader
{
public:
    SlowReader();
    ~SlowReader();
    // Everything that arrives until the sender is quiet for `quiet_ms`.
    QByteArray read_all(int quiet_ms);
    quint16 port = 0;

private:
    int listener;
    int connection = -1;
};

// A UDP camera on 127.0.0.1 that records each datagram and can answer the
// sender of the last one.
class UdpPeer
{
public:
    explicit UdpPeer(const QHostAddress &address = QHostAddress(QHostAddress::LocalHost),
                     quint16 port = 0);
    bool bound() const;
    ~UdpPeer();
    quint16 port() const;
    QList<QByteArray> read(int count, int timeout_ms = 2000);
    void reply(const QByteArray &bytes);
    // Datagrams that arrived and are not read yet.
    int pending();
    // Where the window sends from: its port for replies.
    quint16 window_port() const { return sender_port; }

private:
    QUdpSocket *socket;
    QList<QByteArray> datagrams;
    QByteArray sender_address;
    quint16 sender_port = 0;
};

// Loopback addresses other than 127.0.0.1, a different series for each test
// process: for a peer on a fixed port (VISCA over IP's) that tests running
// at the same time must not share.
QStringList spare_loopback_addresses();

// Shows a window and waits until it is on screen (offscreen, it still paints).
void show_exposed(QWidget *window);

// Window operations a test repeats: a click on a button (by object name)
// where the style takes it, failing at once when a radio button or check box
// did not change its state; opening links through the panels.
void click(QAbstractButton *button);
void click(QWidget &window, const char *name);
void open_serial(MainWindow &window, const QString &path);
// The Cameras tab's list of cameras (a view of the list's rows): its rows,
// a cell's text or other data, the current row; a row picked as a click
// picks it; a cell edited as the operator types into it.
QTableView *camera_table(QWidget &window);
int camera_rows(QWidget &window);
QString camera_cell(QWidget &window, int row, int column);
QVariant camera_data(QWidget &window, int row, int column, int role);
int current_camera_row(QWidget &window);
void pick_camera_row(QWidget &window, int row);
void edit_camera_cell(QWidget &window, int row, int column, const QString &text);
// "Add" on the Cameras tab, its dialog answered with its defaults but for
// what `fields` sets (by object name: the link's place, or a text), then OK.
// Empty once the camera was added; else the note the dialog refused with
// (the dialog is then cancelled).
QString add_camera(QWidget &window, const QVariantMap &fields = {});
void connect_net(MainWindow &window, bool tcp, quint16 port, const QString &address = "127.0.0.1");
// Points both Mode pairs at `link` ("serial", "tcp" or "udp") and opens it:
// the serial port at `serial_path`, or the network at 127.0.0.1 and the port.
void attach_link(MainWindow &window, const QString &link, const QString &serial_path,
                 quint16 tcp_port, quint16 udp_port);

// The window shown and active, its pad pointed at the UDP `camera` and
// connected, the keyboard focus on the Home button: where key tests start.
void drive_on_udp(MainWindow &window, UdpPeer &camera);
// The camera's next datagrams as texts ("81 01 06 04 FF").
QStringList udp_texts(UdpPeer &camera, int count, int timeout_ms = 1000);
// The `count` datagrams due, waited for as long as a busy machine needs,
// then whatever else arrives within a short look: one datagram more than
// expected fails the comparison that follows, a slow machine does not.
QStringList udp_texts_exactly(UdpPeer &camera, int count);
inline constexpr int nothing_more_ms = 100;

QByteArray hex(const char *text);

// The window asks every open camera whether it answers (the power
// inquiry, 8x 09 04 00 FF) at the link's opening and whenever it has been
// quiet: the peers above leave those questions out of what they read,
// unless a test that looks at them says otherwise.
void show_liveness_inquiries(bool shown);
// Takes the inquiries out of `bytes`, where they stand as whole messages.
void drop_liveness_inquiries(QByteArray &bytes);

#endif
