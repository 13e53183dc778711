// The control page in headless Chromium: from a finger on its stick to the
// drive's bytes at the camera, and from the finger lifted to the stop's,
// beside a bare touch control in the same tab that sends the same drive;
// and how much the page weighs.

#include "app/mainwindow.h"
#include "arrivals.h"
#include "figures.h"
#include "headless_browser.h"
#include "pressers.h"
#include "remote/page_files.h"
#include "testsupport.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonObject>
#include <QSet>
#include <QTcpServer>
#include <QTimer>

#include <sys/socket.h>
#include <unistd.h>

namespace {
constexpr int page_turns = 200;
constexpr int page_warm_up = 10;

// Runs the event loop (the window answers the page's requests there) until
// the next bytes reach the camera; false after a second.
bool arrived_at(Arrivals &arrivals, Clock::time_point *when)
{
    QEventLoop loop;
    QTimer tick;
    bool found = false;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        found = arrivals.next(when, 0);
        if (found)
            loop.quit();
    });
    QTimer::singleShot(1000, &loop, &QEventLoop::quit);
    tick.start(0);
    loop.exec();
    return found;
}

// Sends one DevTools command and notes when its bytes reach the camera.
bool timed(HeadlessBrowser &browser, Arrivals &arrivals, const QString &method,
           const QJsonObject &params, std::vector<double> *took, bool keep)
{
    arrivals.clear();
    const Clock::time_point sent = Clock::now();
    browser.send(method, params);
    Clock::time_point when;
    if (!arrived_at(arrivals, &when))
        return false;
    if (keep)
        took->push_back(micros(when - sent));
    return true;
}

// Until every request the tab sent has its answer: the page's last word
// (a stop sent once more) must not fall between the bare fetches, which
// share its lease.
void settle(HeadlessBrowser &browser)
{
    QSet<QString> open;
    wait_until(
        [&] {
            for (const QJsonObject &sent : browser.take("Network.requestWillBeSent")) {
                if (sent.value("request").toObject().value("url").toString().endsWith("/drive"))
                    open.insert(sent.value("requestId").toString());
            }
            for (const char *done : {"Network.loadingFinished", "Network.loadingFailed"})
                for (const QJsonObject &ended : browser.take(done))
                    open.remove(ended.value("requestId").toString());
            return open.isEmpty();
        },
        2000);
}

// The anchor: the simplest touch control a web programmer would write, on
// the same tab, a fetch() on pointerdown and another on pointerup, no
// lease renewed, no order kept.
const char *const bare_control = R"(
(() => {
  const bare = document.createElement('div');
  bare.style.cssText = 'position:fixed;left:0;top:0;width:120px;height:120px;z-index:9;touch-action:none';
  const drive = (pan) => fetch('/api/v1/cameras/1/drive', {method: 'POST',
    body: JSON.stringify({pan, tilt: 0, zoom: 0, focus: 0, lease_ms: 500})});
  bare.addEventListener('pointerdown', () => drive(-0.6));
  bare.addEventListener('pointerup', () => drive(0));
  document.body.append(bare);
  return true;
})())";

// A finger down and up at `at`: the time to the drive's bytes at the
// camera, then to the stop's.
bool touched(HeadlessBrowser &browser, Arrivals &arrivals, const QPointF &at,
             std::vector<double> *down, std::vector<double> *up, bool keep)
{
    const QJsonObject finger{{"x", at.x()}, {"y", at.y()}, {"id", 0}};
    const bool both =
        timed(browser, arrivals, "Input.dispatchTouchEvent",
              {{"type", "touchStart"}, {"touchPoints", QJsonArray{finger}}}, down, keep) &&
        timed(browser, arrivals, "Input.dispatchTouchEvent",
              {{"type", "touchEnd"}, {"touchPoints", QJsonArray{}}}, up, keep);
    settle(browser);
    return both;
}
// The page's stick and the bare control touched by turns: empty, or what
// failed.
QString touch_by_turns(HeadlessBrowser &browser, Arrivals &arrivals, quint16 http_port,
                       std::vector<double> *moved, std::vector<double> *lifted,
                       std::vector<double> *bare_moved, std::vector<double> *bare_lifted)
{
    browser.call("Emulation.setDeviceMetricsOverride",
                 {{"width", 390}, {"height", 844}, {"deviceScaleFactor", 1}, {"mobile", true}});
    browser.call("Emulation.setTouchEmulationEnabled", {{"enabled", true}, {"maxTouchPoints", 5}});
    browser.open(QString("http://127.0.0.1:%1/").arg(http_port));
    if (!browser.wait_for("document.querySelector('#link.live') !== null", 10000))
        return "the page did not follow the events";
    const QRectF stick = browser.box("#stick");
    browser.evaluate(bare_control);
    for (int turn = 0; turn < page_turns + page_warm_up; ++turn) {
        const bool keep = turn >= page_warm_up;
        if (!touched(browser, arrivals, stick.center() - QPointF(stick.width() * 0.3, 0), moved,
                     lifted, keep) ||
            !touched(browser, arrivals, {60, 60}, bare_moved, bare_lifted, keep))
            return "a drive from the tab never reached the camera";
    }
    return {};
}
} // namespace

void page_moves(QList<Figure> &figures)
{
    double bytes = 0;
    for (const auto &[path, file] : page_files())
        bytes += double(file.content.size());
    figures << Figure{"the control page, all its files", bytes / 1024, 150, "kB", "< 150 kB"};

    ScratchFolder folder;
    const quint16 http_port = serve_http_from(folder);
    quint16 camera_port = 0;
    const int camera = loopback_socket(SOCK_DGRAM, &camera_port);
    {
        Arrivals arrivals(camera, camera_answer);
        Pad pad("radioButton_10");
        connect_net(pad.window, false, camera_port);
        pad.window.start_remote();
        // A failure ends the run only once the browser is gone with its
        // destructor: an abort would leave it running.
        QString failed;
        std::vector<double> moved, lifted, bare_moved, bare_lifted;
        {
            HeadlessBrowser browser;
            failed = browser.start();
            if (failed.isEmpty())
                failed = touch_by_turns(browser, arrivals, http_port, &moved, &lifted, &bare_moved,
                                        &bare_lifted);
        }
        if (!failed.isEmpty())
            qFatal("%s", qPrintable(failed));
        figures << Figure{"page stick-to-camera p50 (anchor: a bare touch control)",
                          percentile(moved, 0.5), percentile(bare_moved, 0.5), "us", "<= 1.5x"}
                << Figure{"page stick-to-camera p99 (anchor: a bare touch control)",
                          percentile(moved, 0.99), percentile(bare_moved, 0.99), "us", "<= 2.0x"}
                << Figure{"page release-to-stop p50 (anchor: a bare touch control)",
                          percentile(lifted, 0.5), percentile(bare_lifted, 0.5), "us", "<= 1.5x"}
                << Figure{"page release-to-stop p99 (anchor: a bare touch control)",
                          percentile(lifted, 0.99), percentile(bare_lifted, 0.99), "us", "<= 2.0x"};
    }
    ::close(camera);
}
