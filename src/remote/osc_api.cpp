#include "remote/osc_api.h"

#include "control/remote_commands.h"
#include "remote/remote_call.h"

#include <QCoreApplication>
#include <QNetworkDatagram>
#include <cstring>
#include <lo/lo_lowlevel.h>
#include <memory>

namespace {
// At most this many arguments are looked at.
constexpr int most_arguments = 8;

// The token compared in a time that does not tell how much of it matched.
bool same_secret(const QString &given, const QString &secret)
{
    const QByteArray a = given.toUtf8();
    const QByteArray b = secret.toUtf8();
    if (a.size() != b.size())
        return false;
    unsigned char differs = 0;
    for (int i = 0; i < a.size(); ++i)
        differs |= static_cast<unsigned char>(a[i] ^ b[i]);
    return differs == 0;
}

template <class T> T copied(const void *raw)
{
    T value{};
    std::memcpy(&value, raw, sizeof value);
    return value;
}
} // namespace

OscApi::OscApi(RemoteCommands &remote, QObject *parent) : QObject(parent), commands(remote)
{
    connect(&socket, &QUdpSocket::readyRead, this, &OscApi::read);
    later.setSingleShot(true);
    connect(&later, &QTimer::timeout, this, &OscApi::read);
}

bool OscApi::listen(const QHostAddress &address, int port, const QList<QHostAddress> &senders,
                    QString *reason)
{
    allowed = senders;
    if (!socket.bind(address, quint16(port))) {
        *reason = QCoreApplication::translate("MainWindow", "OSC cannot listen on %1 port %2: %3")
                      .arg(address.toString())
                      .arg(port)
                      .arg(socket.errorString());
        return false;
    }
    return true;
}

void OscApi::read()
{
    for (int turn = 0; turn < most_per_turn && socket.hasPendingDatagrams(); ++turn) {
        const QNetworkDatagram datagram = socket.receiveDatagram(qint64(64) * 1024);
        take(datagram.data(), datagram.senderAddress());
    }
    // What is left waits for the next turn of the event loop.
    if (socket.hasPendingDatagrams())
        later.start(0);
}

void OscApi::take(const QByteArray &datagram, const QHostAddress &sender)
{
    if (!allowed.isEmpty() && !allowed.contains(sender)) {
        ++refused_count;
        return;
    }
    QByteArray data = datagram;
    int result = 0;
    const std::unique_ptr<std::remove_pointer_t<lo_message>, void (*)(lo_message)> message(
        data.isEmpty() ? nullptr
                       : lo_message_deserialise(data.data(), size_t(data.size()), &result),
        lo_message_free);
    // A bundle, or anything that is not one whole message, is refused.
    if (!message) {
        ++refused_count;
        return;
    }
    const char *path = lo_get_path(data.data(), data.size());
    const char *types = lo_message_get_types(message.get());
    const int count = lo_message_get_argc(message.get());
    lo_arg **values = lo_message_get_argv(message.get());
    if (!path || !types || count > most_arguments) {
        ++refused_count;
        return;
    }
    QList<OscArgument> arguments;
    for (int i = 0; i < count; ++i) {
        // OSC aligns arguments to 4 bytes: an 8-byte one is copied out, never
        // read in place through liblo's union.
        const void *raw = values[i];
        OscArgument argument{types[i], 0, {}};
        switch (types[i]) {
        case LO_FLOAT: argument.number = double(copied<float>(raw)); break;
        case LO_DOUBLE: argument.number = copied<double>(raw); break;
        case LO_INT32: argument.number = copied<qint32>(raw); break;
        case LO_INT64: argument.number = double(copied<qint64>(raw)); break;
        case LO_STRING:
            argument.text = QString::fromUtf8(static_cast<const char *>(raw)).left(256);
            break;
        default: break;
        }
        arguments << argument;
    }
    if (!token.isEmpty()) {
        if (arguments.isEmpty() || arguments.last().type != LO_STRING ||
            !same_secret(arguments.last().text, token)) {
            ++refused_count;
            return;
        }
        arguments.removeLast();
    }
    const ReadCall read = read_osc_call(QByteArray(path).left(256), arguments);
    const auto *call = std::get_if<RemoteCall>(&read);
    if (!call) {
        ++refused_count;
        return;
    }
    ++taken_count;
    perform(commands, *call, QStringLiteral("osc:") + sender.toString(),
            [](int, const QByteArray &) {});
}
