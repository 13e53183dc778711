#include "testsupport.h"

#include "raw_pty.h"
#include "visca/command_text.h"

#include "app/mainwindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTableView>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTextBlock>
#include <QUdpSocket>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <termios.h>
#include <unistd.h>

ScratchFolder::ScratchFolder() : previous(QDir::currentPath()) { QDir::setCurrent(dir.path()); }

ScratchFolder::~ScratchFolder() { QDir::setCurrent(previous); }

void ScratchFolder::write(const QString &name, const QByteArray &content) const
{
    QFile out(file(name));
    out.open(QIODevice::WriteOnly);
    out.write(content);
}

QByteArray ScratchFolder::read(const QString &name) const
{
    QFile in(file(name));
    in.open(QIODevice::ReadOnly);
    return in.readAll();
}

ModalCatcher::ModalCatcher(QMessageBox::StandardButton answer)
    : ModalCatcher(QList<QMessageBox::StandardButton>{answer})
{
}

ModalCatcher::ModalCatcher(const QList<QMessageBox::StandardButton> &buttons) : answers(buttons)
{
    connect(&timer, &QTimer::timeout, this, &ModalCatcher::poll);
    timer.start(10);
}

void ModalCatcher::poll()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box || !box->isVisible())
        return;
    const QMessageBox::StandardButton answer = answers.value(boxes.size(), answers.last());
    QStringList captions;
    for (const QAbstractButton *shown : box->buttons())
        captions << shown->text();
    bool plain = box->textFormat() == Qt::PlainText;
    for (const QLabel *label : box->findChildren<QLabel *>()) {
        if (!label->text().isEmpty() && label->pixmap(Qt::ReturnByValue).isNull())
            plain = plain && label->textFormat() == Qt::PlainText;
    }
    boxes << Box{box->icon(), box->windowTitle(), box->text(), box->informativeText(), captions,
                 plain};
    QAbstractButton *button = box->button(answer);
    if (button)
        button->click();
    else
        box->reject();
}

QString ModalCatcher::texts() const
{
    QStringList all;
    for (const Box &box : boxes)
        all << box.title + "/" + box.text;
    return all.join(", ");
}

bool wait_until(const std::function<bool()> &condition, int timeout_ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeout_ms)
            return false;
        QTest::qWait(2);
    }
    return true;
}

void wait_for_log_frame(QPlainTextEdit *log)
{
    // Lines that came faster than frames are drawn with the next frames; a
    // flood of the longest lines takes unoptimised code on a busy machine
    // many seconds.
    auto *frame = log->findChild<QTimer *>("log_frame");
    if (frame && !wait_until([frame] { return !frame->isActive(); }, 30000))
        qFatal("the log never laid its lines out");
}

QStringList log_lines(MainWindow &window)
{
    auto *log = control<QPlainTextEdit>(&window, "textEdit");
    wait_for_log_frame(log);
    if (log->document()->isEmpty())
        return {};
    static const QRegularExpression stamp(" \\(\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d\\)$");
    QStringList lines;
    for (QString line : log->toPlainText().split('\n')) {
        const auto match = stamp.match(line);
        if (!match.hasMatch())
            qFatal("log line without time stamp: %s", qPrintable(line));
        line.chop(match.capturedLength());
        lines << line;
    }
    return lines;
}

QColor log_colour(MainWindow &window, int line)
{
    auto *log = control<QPlainTextEdit>(&window, "textEdit");
    wait_for_log_frame(log);
    const QTextBlock block = log->document()->findBlockByNumber(line);
    return block.begin().fragment().charFormat().foreground().color();
}

PtyPeer::PtyPeer()
{
    const RawPty pty = open_raw_pty();
    if (pty.slave_path.isEmpty())
        qFatal("openpty failed");
    master = pty.master;
    slave = pty.slave;
    slave_path = pty.slave_path;
}

PtyPeer::~PtyPeer()
{
    hang_up();
    if (slave >= 0)
        ::close(slave);
}

QByteArray PtyPeer::drain(int timeout_ms)
{
    QElapsedTimer clock;
    clock.start();
    QByteArray all;
    while (clock.elapsed() < timeout_ms) {
        all += read(1, 10);
    }
    return all;
}

namespace {
bool liveness_shown = false;

bool is_liveness_inquiry(const QByteArray &message)
{
    return message.size() == 5 && (quint8(message.at(0)) & 0xF8) == 0x80 &&
           message.at(0) != char(0x88) && message.mid(1) == QByteArray::fromHex("090400ff");
}
} // namespace

void show_liveness_inquiries(bool shown) { liveness_shown = shown; }

void drop_liveness_inquiries(QByteArray &bytes)
{
    if (liveness_shown)
        return;
    QByteArray kept;
    int start = 0;
    while (start < bytes.size()) {
        const int end = bytes.indexOf(char(0xFF), start);
        const QByteArray message = end < 0 ? bytes.mid(start) : bytes.mid(start, end - start + 1);
        if (!is_liveness_inquiry(message))
            kept += message;
        start += message.size();
    }
    bytes = kept;
}

QByteArray PtyPeer::read(int count, int timeout_ms)
{
    QElapsedTimer clock;
    clock.start();
    char buffer[4096];
    while (master >= 0) {
        ssize_t got;
        while ((got = ::read(master, buffer, sizeof buffer)) > 0)
            received.append(buffer, static_cast<int>(got));
        drop_liveness_inquiries(received);
        if (received.size() >= count || clock.elapsed() > timeout_ms)
            break;
        QTest::qWait(1);
    }
    const QByteArray taken = received.left(count);
    received.remove(0, taken.size());
    return taken;
}

void PtyPeer::write(const QByteArray &bytes)
{
    if (::write(master, bytes.constData(), static_cast<size_t>(bytes.size())) != bytes.size())
        qFatal("pty write failed");
}

void PtyPeer::hang_up()
{
    if (master >= 0)
        ::close(master);
    master = -1;
    // With our own slave descriptor closed too, the window's descriptor is
    // the last one: it sees the hang-up as an unplugged adapter would.
    if (slave >= 0)
        ::close(slave);
    slave = -1;
}

TcpPeer::TcpPeer() : server(new QTcpServer) { server->listen(QHostAddress::LocalHost, 0); }

TcpPeer::~TcpPeer() { delete server; }

quint16 TcpPeer::port() const { return server->serverPort(); }

QTcpSocket *TcpPeer::accept(int timeout_ms)
{
    if (!connection && wait_until([this] { return server->hasPendingConnections(); }, timeout_ms))
        connection = server->nextPendingConnection();
    return connection;
}

QTcpSocket *TcpPeer::accept_next()
{
    if (!server->hasPendingConnections())
        return nullptr;
    connection = server->nextPendingConnection();
    received.clear();
    return connection;
}

QByteArray TcpPeer::read(int count, int timeout_ms)
{
    if (!accept(timeout_ms))
        return {};
    wait_until(
        [&] {
            received += connection->readAll();
            drop_liveness_inquiries(received);
            return received.size() >= count;
        },
        timeout_ms);
    const QByteArray taken = received.left(count);
    received.remove(0, taken.size());
    return taken;
}

void TcpPeer::write(const QByteArray &bytes)
{
    accept();
    connection->write(bytes);
    connection->flush();
}

void TcpPeer::drop()
{
    accept();
    connection->abort();
}

UdpPeer::UdpPeer(const QHostAddress &address, quint16 port) : socket(new QUdpSocket)
{
    socket->bind(address, port);
}

bool UdpPeer::bound() const { return socket->state() == QAbstractSocket::BoundState; }

QStringList spare_loopback_addresses()
{
    // Each process its own block of 32 addresses (processes started
    // together have neighbouring numbers, and must not share one), clear
    // of 127.0.0.x.
    const qint64 block = QCoreApplication::applicationPid() % 500000 + 1000;
    QStringList addresses;
    for (qint64 tried = 1; tried <= 20; ++tried) {
        const qint64 host = block * 32 + tried;
        addresses << QString("127.%1.%2.%3").arg(host >> 16).arg(host >> 8 & 0xFF).arg(host & 0xFF);
    }
    return addresses;
}

int loopback_listener(quint16 *port, int receive_buffer, int flags)
{
    const int listener = ::socket(AF_INET, SOCK_STREAM | flags, 0);
    if (receive_buffer > 0)
        ::setsockopt(listener, SOL_SOCKET, SO_RCVBUF, &receive_buffer, sizeof receive_buffer);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (::bind(listener, reinterpret_cast<sockaddr *>(&address), size) != 0 ||
        ::listen(listener, 1) != 0 ||
        ::getsockname(listener, reinterpret_cast<sockaddr *>(&address), &size) != 0)
        qFatal("cannot listen on 127.0.0.1");
    *port = ntohs(address.sin_port);
    return listener;
}

SlowReader::SlowReader() : listener(loopback_listener(&port, 4096)) {}

SlowReader::~SlowReader()
{
    if (connection >= 0)
        ::close(connection);
    ::close(listener);
}

QByteArray SlowReader::read_all(int quiet_ms)
{
    if (connection < 0)
        connection = ::accept(listener, nullptr, nullptr);
    QByteArray all;
    char buffer[4096];
    pollfd readable{connection, POLLIN, 0};
    for (;;) {
        QCoreApplication::processEvents();
        if (::poll(&readable, 1, quiet_ms) <= 0)
            break;
        const ssize_t got = ::read(connection, buffer, sizeof buffer);
        if (got <= 0)
            break;
        all.append(buffer, int(got));
    }
    drop_liveness_inquiries(all);
    return all;
}

UdpPeer::~UdpPeer() { delete socket; }

quint16 UdpPeer::port() const { return socket->localPort(); }

QList<QByteArray> UdpPeer::read(int count, int timeout_ms)
{
    wait_until([&] { return pending() >= count; }, timeout_ms);
    const QList<QByteArray> taken = datagrams.mid(0, count);
    datagrams = datagrams.mid(taken.size());
    return taken;
}

int UdpPeer::pending()
{
    // Read without waiting for the event loop: the socket may not have been
    // told yet.
    while (socket->hasPendingDatagrams()) {
        QByteArray datagram(static_cast<int>(socket->pendingDatagramSize()), '\0');
        QHostAddress sender;
        socket->readDatagram(datagram.data(), datagram.size(), &sender, &sender_port);
        sender_address = sender.toString().toLatin1();
        // VISCA over IP's datagrams carry the message after 8 bytes of header.
        QByteArray message = datagram.size() == 13 ? datagram.mid(8) : datagram;
        drop_liveness_inquiries(message);
        if (message.isEmpty() && !datagram.isEmpty())
            continue;
        datagrams << datagram;
    }
    return datagrams.size();
}

void UdpPeer::reply(const QByteArray &bytes)
{
    socket->writeDatagram(bytes, QHostAddress(QString::fromLatin1(sender_address)), sender_port);
}

void show_exposed(QWidget *window)
{
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        qFatal("the window never showed");
}

namespace {
// Where a press lands on the control: a radio button or check box takes
// clicks on its indicator whatever its caption measures in the installed
// fonts (a caption drawn without glyphs has no width at all).
QPoint clickable_point(QAbstractButton *button)
{
    QStyle::SubElement indicator;
    if (qobject_cast<QRadioButton *>(button))
        indicator = QStyle::SE_RadioButtonIndicator;
    else if (qobject_cast<QCheckBox *>(button))
        indicator = QStyle::SE_CheckBoxIndicator;
    else
        return button->rect().center();
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    return button->style()->subElementRect(indicator, &option, button).center();
}
} // namespace

void click(QAbstractButton *button)
{
    const bool was_checked = button->isChecked();
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, clickable_point(button));
    const bool should_toggle =
        button->isEnabled() && button->isCheckable() && !(was_checked && button->autoExclusive());
    if (should_toggle && button->isChecked() == was_checked)
        qFatal("the click on %s did not change its state", qPrintable(button->objectName()));
}

void click(QWidget &window, const char *name) { click(control<QAbstractButton>(&window, name)); }

QTableView *camera_table(QWidget &window) { return control<QTableView>(&window, "camerasTable"); }

int camera_rows(QWidget &window) { return camera_table(window)->model()->rowCount(); }

QVariant camera_data(QWidget &window, int row, int column, int role)
{
    const QAbstractItemModel *rows = camera_table(window)->model();
    return rows->data(rows->index(row, column), role);
}

QString camera_cell(QWidget &window, int row, int column)
{
    return camera_data(window, row, column, Qt::DisplayRole).toString();
}

int current_camera_row(QWidget &window) { return camera_table(window)->currentIndex().row(); }

void pick_camera_row(QWidget &window, int row)
{
    QTableView *table = camera_table(window);
    table->setCurrentIndex(table->model()->index(row, 0));
}

void edit_camera_cell(QWidget &window, int row, int column, const QString &text)
{
    QAbstractItemModel *rows = camera_table(window)->model();
    rows->setData(rows->index(row, column), text);
}

QString add_camera(QWidget &window, const QVariantMap &fields)
{
    click(window, "addCameraButton");
    // Dialogs closed before are deleted later: the one open is the new one.
    QDialog *dialog = nullptr;
    for (QDialog *open : window.findChildren<QDialog *>("addCameraDialog"))
        dialog = open->isVisible() ? open : dialog;
    if (!dialog)
        return QStringLiteral("no dialog");
    for (auto field = fields.begin(); field != fields.end(); ++field) {
        QWidget *widget = control<QWidget>(dialog, qPrintable(field.key()));
        if (auto *box = qobject_cast<QComboBox *>(widget); box && !box->isEditable()) {
            box->setCurrentIndex(field.value().toInt());
            emit box->activated(box->currentIndex());
        } else if (auto *spin = qobject_cast<QSpinBox *>(widget)) {
            spin->setValue(field.value().toInt());
        } else if (auto *edit = qobject_cast<QLineEdit *>(widget)) {
            edit->setText(field.value().toString());
        } else {
            qobject_cast<QComboBox *>(widget)->setCurrentText(field.value().toString());
        }
    }
    dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    QString note;
    if (dialog->isVisible()) {
        note = control<QLabel>(dialog, "addCameraNote")->text();
        dialog->reject();
    }
    // The window takes the keys again, as a window manager gives them back
    // once a dialog closes.
    if (window.isVisible()) {
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            qFatal("the window did not take the keyboard back after the dialog");
    }
    return note;
}

void open_serial(MainWindow &window, const QString &path)
{
    auto *ports = control<QComboBox>(&window, "ComPortcomboBox");
    ports->addItem(path);
    ports->setCurrentIndex(ports->count() - 1);
    click(window, "pushButton_16");
}

void connect_net(MainWindow &window, bool tcp, quint16 port, const QString &address)
{
    click(window, tcp ? "radioButton_tcp" : "radioButton_udp");
    control<QLineEdit>(&window, "lineEdit_ip")->setText(address);
    control<QLineEdit>(&window, "lineEdit_port")->setText(QString::number(port));
    auto *button = control<QPushButton>(&window, "pushButton_15");
    click(button);
    // A TCP connection is made while the window goes on: the button comes
    // back when it stands or failed.
    if (!wait_until([button] { return button->isEnabled(); }, 10000))
        qFatal("the connection never stood nor failed");
}

void attach_link(MainWindow &window, const QString &link, const QString &serial_path,
                 quint16 tcp_port, quint16 udp_port)
{
    const bool serial = link == "serial";
    click(window, serial ? "radioButton_9" : "radioButton_10");
    click(window, serial ? "radioButton_11" : "radioButton_12");
    if (serial)
        open_serial(window, serial_path);
    else
        connect_net(window, link == "tcp", link == "tcp" ? tcp_port : udp_port);
}

void drive_on_udp(MainWindow &window, UdpPeer &camera)
{
    show_exposed(&window);
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        qFatal("the window never became active");
    click(window, "radioButton_10");
    connect_net(window, false, camera.port());
    control<QPushButton>(&window, "ptz_resetButton")->setFocus();
}

QStringList udp_texts(UdpPeer &camera, int count, int timeout_ms)
{
    QStringList texts;
    for (const QByteArray &datagram : camera.read(count, timeout_ms))
        texts << spaced_hex(datagram);
    return texts;
}

QStringList udp_texts_exactly(UdpPeer &camera, int count)
{
    QStringList texts = udp_texts(camera, count, 5000);
    if (texts.size() == count)
        texts << udp_texts(camera, 1, nothing_more_ms);
    return texts;
}

QByteArray hex(const char *text) { return QByteArray::fromHex(QByteArray(text).replace(' ', "")); }

quint16 free_loopback_port(bool tcp)
{
    if (tcp) {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        return probe.serverPort();
    }
    QUdpSocket probe;
    probe.bind(QHostAddress(QHostAddress::LocalHost), 0);
    return probe.localPort();
}
