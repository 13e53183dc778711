// CameraControl and CommandSender on a recording link, without a window.

#include "control/camera_control.h"
#include "control/command_sender.h"
#include "links/link.h"
#include "visca/commands.h"

#include <QSignalSpy>
#include <QtTest>

namespace {
// Records what would go on the wire; can be closed or made to refuse.
class RecordingLink : public Link
{
public:
    bool isOpen() const override { return open; }
    bool send(const QByteArray &bytes) override
    {
        if (refuse)
            return failed("Resource temporarily unavailable");
        written << QString::fromLatin1(bytes.toHex(' ').toUpper());
        return true;
    }
    void close() override { open = false; }

    bool open = true;
    bool refuse = false;
    QStringList written;
};
} // namespace

class ControlTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void link_closed_during_the_focus_wait_gets_nothing();
    void refused_write_is_reported_not_announced();
    void no_link_no_trace();

private:
    RecordingLink *link = nullptr;
    CommandSender *sender = nullptr;
    CameraControl *control = nullptr;
    QSignalSpy *announced = nullptr;
};

void ControlTest::init()
{
    link = new RecordingLink;
    sender = new CommandSender;
    control =
        new CameraControl(*sender, [this]() -> Link * { return link->open ? link : nullptr; });
    announced = new QSignalSpy(sender, &CommandSender::sent);
}

void ControlTest::cleanup()
{
    delete announced;
    delete control;
    delete sender;
    delete link;
}

void ControlTest::link_closed_during_the_focus_wait_gets_nothing()
{
    control->focus(visca::focus_near, [] { return QString("3"); });
    QCOMPARE(link->written, QStringList({"81 01 04 38 03 FF"}));
    link->close();
    control->stop_focus();
    QTest::qWait(2 * CameraControl::manual_focus_wait_ms);
    QCOMPARE(link->written, QStringList({"81 01 04 38 03 FF"}));
    QCOMPARE(announced->count(), 1);
}

void ControlTest::refused_write_is_reported_not_announced()
{
    QSignalSpy failed(control, &CameraControl::failed);
    link->refuse = true;
    control->home();
    QCOMPARE(announced->count(), 0);
    QCOMPARE(failed.count(), 1);
    QCOMPARE(failed[0][0].value<SendResult>(), SendResult::WriteFailed);
    QCOMPARE(failed[0][1].toString(), QString("Resource temporarily unavailable"));
}

void ControlTest::no_link_no_trace()
{
    QSignalSpy failed(control, &CameraControl::failed);
    link->open = false;
    control->drive(visca::pan_tilt_up, 1, 1);
    control->focus(visca::focus_far, [] { return QString("7"); });
    QVERIFY(!control->preset_from_field(true, ""));
    QVERIFY(control->preset_from_field(true, "5"));
    QTest::qWait(2 * CameraControl::manual_focus_wait_ms);
    QCOMPARE(link->written, QStringList());
    QCOMPARE(failed.count(), 0);
}

QTEST_MAIN(ControlTest)
#include "tst_control.moc"
