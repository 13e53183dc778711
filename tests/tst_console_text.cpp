// The pure pieces of the console: editor entries, the interval field, log
// time stamps and the loop schedule.

#include "console/console_text.h"
#include "console/log_clock.h"
#include "console/loop_schedule.h"

#include <QtTest>

#include <ctime>

class ConsoleTextTest : public QObject
{
    Q_OBJECT
private slots:
    void editor_entries_data();
    void editor_entries();
    void interval_field_data();
    void interval_field();
    void time_stamps_data();
    void time_stamps();
    void stamp_is_local_time_data();
    void stamp_is_local_time();
    void loop_keeps_its_rate_data();
    void loop_keeps_its_rate();
};

void ConsoleTextTest::editor_entries_data()
{
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("comment dropped")
        << "81 01 04 07 02 FF / zoom in" << QStringList{"81 01 04 07 02 FF"};
    QTest::newRow("empty lines skipped") << "\n81 01\n\n82 02\n" << QStringList{"81 01", "82 02"};
    QTest::newRow("comment only gives empty entry") << " / note\n81" << QStringList{"", "81"};
    QTest::newRow("blank line gives empty entry") << "  \n81" << QStringList{"", "81"};
    QTest::newRow("only line breaks") << "\n\n" << QStringList{};
    QTest::newRow("first slash cuts") << "81 / a / b" << QStringList{"81"};
}

void ConsoleTextTest::editor_entries()
{
    QFETCH(QString, editor);
    QFETCH(QStringList, entries);
    QCOMPARE(QStringList(command_entries(editor)), entries);
}

void ConsoleTextTest::interval_field_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("check");
    const int accepted = int(IntervalCheck::Accepted), empty = int(IntervalCheck::Empty),
              scope = int(IntervalCheck::OutOfScope);
    QTest::newRow("one second") << "1000" << accepted;
    QTest::newRow("zero") << "0" << accepted;
    QTest::newRow("one hour") << "3600000" << accepted;
    QTest::newRow("past one hour") << "3600001" << scope;
    QTest::newRow("negative") << "-1" << scope;
    QTest::newRow("eight characters") << "00001000" << scope;
    QTest::newRow("empty") << "" << empty;
    // A typo must not loop at 0 ms.
    QTest::newRow("letters") << "abc" << scope;
    QTest::newRow("letter inside") << "1o0" << scope;
}

void ConsoleTextTest::interval_field()
{
    QFETCH(QString, text);
    QFETCH(int, check);
    QCOMPARE(int(check_interval(text)), check);
}

void ConsoleTextTest::time_stamps_data()
{
    QTest::addColumn<qint64>("ms_of_day");
    QTest::addColumn<QString>("stamp");
    QTest::newRow("midnight") << qint64(0) << "(00:00:00.000)";
    QTest::newRow("morning") << qint64(((9 * 60 + 15) * 60 + 2) * 1000 + 137) << "(09:15:02.137)";
    QTest::newRow("last millisecond") << qint64(24 * 3600 * 1000 - 1) << "(23:59:59.999)";
}

void ConsoleTextTest::time_stamps()
{
    QFETCH(qint64, ms_of_day);
    QFETCH(QString, stamp);
    QCOMPARE(time_stamp(ms_of_day), stamp);
}

void ConsoleTextTest::stamp_is_local_time_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::newRow("UTC") << QByteArray("UTC");
    QTest::newRow("east, half hour") << QByteArray("Asia/Kolkata");
    QTest::newRow("west, half hour") << QByteArray("America/St_Johns");
}

void ConsoleTextTest::stamp_is_local_time()
{
    QFETCH(QByteArray, zone);
    const QByteArray previous = qgetenv("TZ");
    qputenv("TZ", zone);
    tzset();
    LogClock clock;
    const QString before = QTime::currentTime().toString("(hh:mm:ss.zzz)");
    const QString stamp = clock.stamp();
    const QString after = QTime::currentTime().toString("(hh:mm:ss.zzz)");
    if (previous.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", previous);
    tzset();
    if (after < before)
        QSKIP("midnight passed during the check");
    QVERIFY2(before <= stamp && stamp <= after, qPrintable(before + " " + stamp + " " + after));
}

void ConsoleTextTest::loop_keeps_its_rate_data()
{
    QTest::addColumn<int>("interval_ms");
    QTest::addColumn<qint64>("timer_late_ns");
    QTest::addColumn<qint64>("tick_work_ns");
    QTest::addColumn<int>("stall_at");
    // The tick waits for the camera's answer: the interval still runs from
    // the send.
    QTest::addColumn<bool>("answered");
    QTest::newRow("exact timer") << 10 << qint64(0) << qint64(0) << -1 << false;
    QTest::newRow("late timer, busy tick")
        << 10 << qint64(1700000) << qint64(300000) << -1 << false;
    QTest::newRow("slow interval") << 100 << qint64(1500000) << qint64(2000000) << -1 << false;
    QTest::newRow("a box holds one tick up")
        << 10 << qint64(1000000) << qint64(200000) << 50 << false;
    QTest::newRow("answered 3 ms after the send")
        << 10 << qint64(1000000) << qint64(3000000) << -1 << true;
    QTest::newRow("answered 60 ms after the send")
        << 100 << qint64(1000000) << qint64(60000000) << -1 << true;
}

void ConsoleTextTest::loop_keeps_its_rate()
{
    QFETCH(int, interval_ms);
    QFETCH(qint64, timer_late_ns);
    QFETCH(qint64, tick_work_ns);
    QFETCH(int, stall_at);
    QFETCH(bool, answered);
    // A simulated event loop whose timer wakes `timer_late_ns` after the
    // time asked for; each tick works `tick_work_ns` (half a second once).
    const qint64 ms = 1000000, interval = interval_ms * ms;
    LoopSchedule schedule;
    schedule.start(0, interval_ms);
    qint64 wake = interval + timer_late_ns;
    QList<qint64> ticks;
    for (int tick = 0; tick < 400; ++tick) {
        ticks << wake;
        schedule.woke(wake);
        const qint64 done = wake + (tick == stall_at ? 500 * ms : tick_work_ns);
        wake = done + schedule.next_wait_ms(done, interval_ms, answered) * ms + timer_late_ns;
    }
    qint64 worst = 0;
    for (int i = 21; i < ticks.size(); ++i) {
        const qint64 period = ticks[i] - ticks[i - 1];
        if (i - 1 == stall_at) {
            // After the hold-up, one interval, not a burst to catch up.
            QVERIFY(period >= 500 * ms + interval - 2 * ms);
            continue;
        }
        worst = qMax(worst, qAbs(period - interval));
    }
    QVERIFY2(worst < 2 * ms, qPrintable(QString("worst deviation %1 ns").arg(worst)));
    if (stall_at < 0) {
        const double mean = double(ticks.last() - ticks[20]) / (ticks.size() - 21);
        QVERIFY2(qAbs(mean - interval) < 0.05 * ms, qPrintable(QString("mean %1 ns").arg(mean)));
    }
}

QTEST_APPLESS_MAIN(ConsoleTextTest)
#include "tst_console_text.moc"
