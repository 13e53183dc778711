#include "control/drive_retry.h"

#include <utility>

DriveRetry::DriveRetry(Send send_again, QObject *parent)
    : QObject(parent), resend(std::move(send_again))
{
    for (Drive &drive : drives) {
        drive.timer.setSingleShot(true);
        connect(&drive.timer, &QTimer::timeout, this, [this, &drive] { again(drive); });
    }
}

void DriveRetry::sent(Axis axis, LinkChannel &channel, int address, const QByteArray &bytes,
                      quint64 message)
{
    Drive &drive = of(axis);
    end(drive);
    // A stream delivers what it takes, or fails as a whole.
    if (!channel.link().datagrams())
        return;
    drive.channel = &channel;
    drive.address = address;
    drive.bytes = bytes;
    drive.messages = {message};
    drive.answers = connect(
        &channel, &LinkChannel::answered, this, [&drive](quint64 answered, ReplyOutcome outcome) {
            // An error (a full buffer) is no drive: it goes again when the
            // wait is over.
            if (outcome != ReplyOutcome::Failed && drive.messages.contains(answered))
                end(drive);
        });
    wait(drive);
}

void DriveRetry::wait(Drive &drive)
{
    const int reply_ms = drive.channel->reply_time_ms(drive.address);
    drive.timer.start(reply_ms < 0 ? wait_ms : qBound(least_wait_ms, 3 * reply_ms, wait_ms));
}

void DriveRetry::ended(Axis axis) { end(of(axis)); }

void DriveRetry::end(Drive &drive)
{
    drive.timer.stop();
    disconnect(drive.answers);
    drive.channel = nullptr;
    drive.messages.clear();
}

void DriveRetry::again(Drive &drive)
{
    // The reply may be there, unread: then the drive needs nothing more.
    if (drive.channel)
        drive.channel->catch_up();
    LinkChannel *channel = drive.channel;
    if (!channel || !channel->isOpen() || !channel->answering(drive.address)) {
        end(drive);
        return;
    }
    quint64 message = 0;
    if (!resend(*channel, drive.bytes, &message)) {
        end(drive);
        return;
    }
    drive.messages << message;
    wait(drive);
}
