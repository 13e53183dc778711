// The control page for a phone or a tablet, in Debian's headless Chromium:
// real touches on the page, served by Zarvick running as a program of its
// own, its cameras simulated; what counts is what reaches the cameras.

#include "headless_browser.h"
#include "sim_process.h"
#include "testsupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QtTest>

namespace {
struct Reply {
    int status = 0;
    QByteArray headers;
    QByteArray body;
};

// curl, waited for with the event loop running.
Reply http(quint16 port, const QString &method, const QString &path, const QByteArray &body = {},
           const QStringList &headers = {})
{
    QStringList arguments = {"-s", "-i", "-X", method,
                             QString("http://127.0.0.1:%1%2").arg(port).arg(path)};
    if (method == "HEAD")
        arguments = QStringList{"-s", "-I", QString("http://127.0.0.1:%1%2").arg(port).arg(path)};
    if (!body.isEmpty())
        arguments << "--data-binary" << QString::fromUtf8(body);
    for (const QString &header : headers)
        arguments << "-H" << header;
    QProcess client;
    client.start("curl", arguments);
    client.waitForStarted(5000);
    wait_until([&] { return client.state() == QProcess::NotRunning; }, 15000);
    const QByteArray out = client.readAllStandardOutput();
    const int cut = out.indexOf("\r\n\r\n");
    Reply reply;
    reply.headers = out.left(cut);
    reply.body = cut < 0 ? QByteArray() : out.mid(cut + 4);
    reply.status = out.mid(9, 3).toInt();
    return reply;
}

// The camera's lines from `from` on that hold `text`.
int count(SimProcess &camera, const QString &text, int from = 0)
{
    const QStringList lines = camera.lines();
    int found = 0;
    for (int i = from; i < lines.size(); ++i)
        found += lines[i].contains(text) ? 1 : 0;
    return found;
}

// The drives the page sent since the last look: their bodies.
QList<QJsonObject> drives_sent(HeadlessBrowser &browser)
{
    QList<QJsonObject> drives;
    for (const QJsonObject &event : browser.take("Network.requestWillBeSent")) {
        const QJsonObject request = event.value("request").toObject();
        if (!request.value("url").toString().endsWith("/drive"))
            continue;
        // A body the browser keeps for itself (a request that outlives the
        // page) is asked for.
        const QString body =
            request.contains("postData")
                ? request.value("postData").toString()
                : browser
                      .call("Network.getRequestPostData", {{"requestId", event.value("requestId")}})
                      .value("postData")
                      .toString();
        drives.append(QJsonDocument::fromJson(body.toUtf8()).object());
    }
    return drives;
}

void viewport(HeadlessBrowser &browser, int width, int height)
{
    browser.call(
        "Emulation.setDeviceMetricsOverride",
        {{"width", width}, {"height", height}, {"deviceScaleFactor", 1}, {"mobile", true}});
    browser.call("Emulation.setTouchEmulationEnabled", {{"enabled", true}, {"maxTouchPoints", 5}});
}
} // namespace

// zarvick --headless, as a service runs it, in a folder of its own:
// camera 1 and 2 on the simulated cameras, camera 3 on the discard port,
// where nothing listens (a port free now might be another test's later);
// HTTP on a free port, with the token when one is given.
class Zarvick
{
public:
    Zarvick(SimProcess &first, SimProcess &second, const QString &token = {})
    {
        QFile config(folder.filePath("config.ini"));
        config.open(QIODevice::WriteOnly);
        config.write(QString("[LANGUAGE_CONF]\nlanguage=English\n"
                             "[NET_CONF]\nProtocol=UDP\nAddress=127.0.0.1\nPort=%1\n"
                             "[CAMERAS]\nOpenAtStart=true\n"
                             "[CAMERA_1]\nLink=UDP\nOpen=true\nName=Stage left\n"
                             "[CAMERA_1_POSITIONS]\nsize=4\n1\\Name=Desk\n1\\Pan=300\n"
                             "1\\Tilt=0\n1\\Zoom=0\n2\\Name=Lectern\n2\\Pan=-200\n"
                             "2\\Tilt=40\n2\\Zoom=900\n3\\Name=Choir\n3\\Pan=800\n"
                             "3\\Tilt=60\n3\\Zoom=0\n4\\Name=Audience\n4\\Pan=0\n"
                             "4\\Tilt=-80\n4\\Zoom=0\n"
                             "[CAMERA_2]\nLink=UDP\nAddress=127.0.0.1\nPort=%2\nOpen=true\n"
                             "Name=Pulpit\n"
                             "[CAMERA_3]\nLink=TCP\nAddress=127.0.0.1\nPort=9\nOpen=true\n"
                             "Name=Wide\n"
                             "[API]\nHttpPort=%3\n%4\n")
                         .arg(first.udp())
                         .arg(second.udp())
                         .arg(port)
                         .arg(token.isEmpty() ? QString() : "Token=" + token)
                         .toUtf8());
        config.close();
        // As a service runs it: no window, no display.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(name);
        program.setProcessEnvironment(environment);
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program.setWorkingDirectory(folder.path());
        program.start(ZARVICK_PATH, {"--headless", "--http-port", QString::number(port)});
    }
    ~Zarvick()
    {
        program.terminate();
        if (!program.waitForFinished(5000))
            program.kill();
    }
    // Listening, as it says.
    bool ready()
    {
        const QString told = QString("HTTP interface on 127.0.0.1 port %1").arg(port);
        return wait_until(
            [&] {
                printed += QString::fromUtf8(program.readAllStandardOutput());
                return printed.split('\n').contains(told);
            },
            15000);
    }
    QString url() const { return QString("http://127.0.0.1:%1/").arg(port); }
    // What it printed, and whether it still runs: told when a test fails.
    QString told()
    {
        printed += QString::fromUtf8(program.readAllStandardOutput());
        const QString state = program.state() == QProcess::Running
                                  ? QStringLiteral("running")
                                  : QString("ended with %1").arg(program.exitCode());
        return state + ", after printing:\n" + printed.right(2000);
    }

    const quint16 port = free_loopback_port();

private:
    QTemporaryDir folder;
    QProcess program;
    QString printed;
};

class PageTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();
    void the_page_is_served_as_the_interface_allows_data();
    void the_page_is_served_as_the_interface_allows();
    void it_fits_phones_and_tablets_both_ways_data();
    void it_fits_phones_and_tablets_both_ways();
    void the_stick_drives_renews_and_stops_once();
    void a_hidden_page_stops_the_drive_at_once();
    void presets_and_kept_positions();
    void the_strip_follows_the_cameras();
    void with_a_token_nothing_works_until_it_is_given();

private:
    // Loads the page on the phone and waits until it follows the events.
    void open_page(const QString &url);
    std::unique_ptr<HeadlessBrowser> browser;
    std::unique_ptr<SimProcess> first;
    std::unique_ptr<SimProcess> second;
    std::unique_ptr<Zarvick> zarvick;
};

void PageTest::initTestCase()
{
    browser = std::make_unique<HeadlessBrowser>();
    const QString why = browser->start();
    QVERIFY2(why.isEmpty(), qPrintable(why));
    first = std::make_unique<SimProcess>();
    second = std::make_unique<SimProcess>();
    QVERIFY(first->started() && second->started());
    zarvick = std::make_unique<Zarvick>(*first, *second);
    QVERIFY(zarvick->ready());
}

void PageTest::cleanupTestCase()
{
    browser.reset();
    zarvick.reset();
}

// Whatever a test did, the page's script never failed.
void PageTest::cleanup()
{
    if (QTest::currentTestFailed())
        qInfo().noquote() << "zarvick --headless:" << zarvick->told();
    const QStringList errors = browser->script_errors();
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));
}

void PageTest::open_page(const QString &url)
{
    QCOMPARE(browser->new_tab(), QString());
    viewport(*browser, 390, 844);
    QVERIFY(browser->open(url));
    QVERIFY(browser->wait_for("document.querySelector('#link.live') !== null && "
                              "document.querySelectorAll('.camera').length === 3",
                              10000));
    // In English, whatever a test before chose.
    if (browser->evaluate("document.documentElement.lang").toString() != "en")
        browser->tap(QString("#language"));
    QVERIFY(browser->wait_for("document.documentElement.lang === 'en'"));
}

void PageTest::the_page_is_served_as_the_interface_allows_data()
{
    QTest::addColumn<QString>("method");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QStringList>("headers");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("type");
    QTest::newRow("page") << "GET"
                          << "/" << QStringList() << 200 << "text/html; charset=utf-8";
    QTest::newRow("script") << "GET"
                            << "/page.js" << QStringList() << 200
                            << "text/javascript; charset=utf-8";
    QTest::newRow("style, head only")
        << "HEAD"
        << "/page.css" << QStringList() << 200 << "text/css; charset=utf-8";
    QTest::newRow("icon") << "GET"
                          << "/icon.svg" << QStringList() << 200 << "image/svg+xml";
    QTest::newRow("a query") << "GET"
                             << "/?lang=zh" << QStringList() << 200 << "text/html; charset=utf-8";
    QTest::newRow("posted") << "POST"
                            << "/" << QStringList() << 405 << "application/json";
    QTest::newRow("no such file") << "GET"
                                  << "/other.js" << QStringList() << 404 << "application/json";
    QTest::newRow("another name") << "GET"
                                  << "/" << QStringList{"Host: zarvick.example.com"} << 421
                                  << "application/json";
    QTest::newRow("another page's script")
        << "GET"
        << "/page.js" << QStringList{"Origin: http://example.com"} << 403 << "application/json";
}

void PageTest::the_page_is_served_as_the_interface_allows()
{
    QFETCH(QString, method);
    QFETCH(QString, path);
    QFETCH(QStringList, headers);
    QFETCH(int, status);
    QFETCH(QString, type);
    const Reply reply = http(zarvick->port, method, path, {}, headers);
    QCOMPARE(reply.status, status);
    const QString told = QString::fromLatin1(reply.headers).toLower();
    QVERIFY2(told.contains("content-type: " + type.toLower()), qPrintable(told));
    if (status == 200) {
        for (const char *header :
             {"cache-control: no-cache", "x-content-type-options: nosniff",
              "content-security-policy: default-src 'self'; frame-ancestors 'none'",
              "referrer-policy: no-referrer"})
            QVERIFY2(told.contains(header), header);
        QCOMPARE(reply.body.isEmpty(), method == "HEAD");
    }
}

void PageTest::it_fits_phones_and_tablets_both_ways_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("picture");
    QTest::newRow("phone") << 390 << 844 << "en"
                           << "page-phone-en.png";
    QTest::newRow("phone, Chinese") << 390 << 844 << "zh"
                                    << "page-phone.png";
    QTest::newRow("phone on its side") << 844 << 390 << "en"
                                       << "";
    QTest::newRow("tablet") << 1024 << 768 << "en"
                            << "page-tablet-en.png";
    QTest::newRow("tablet, Chinese") << 1024 << 768 << "zh"
                                     << "page-tablet.png";
    QTest::newRow("tablet upright") << 768 << 1024 << "zh"
                                    << "";
}

void PageTest::it_fits_phones_and_tablets_both_ways()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QString, language);
    QFETCH(QString, picture);
    http(zarvick->port, "POST", "/api/v1/cameras/1/tally", R"({"state":"program"})");
    http(zarvick->port, "POST", "/api/v1/cameras/2/tally", R"({"state":"preview"})");
    open_page(zarvick->url());
    viewport(*browser, width, height);
    // The switch, as the operator would use it.
    if (browser->evaluate("document.documentElement.lang").toString().left(2) != language)
        browser->tap(QString("#language"));
    QVERIFY(
        browser->wait_for(QString("document.documentElement.lang.startsWith('%1')").arg(language)));
    QVERIFY(browser->wait_for("document.querySelectorAll('.camera[data-state=answering]').length "
                              "=== 2"));
    const QImage shot = QImage::fromData(browser->screenshot(), "PNG");
    QCOMPARE(shot.size(), QSize(width, height));
    const QString folder = qEnvironmentVariable("ZARVICK_PAGE_SCREENSHOTS");
    if (!folder.isEmpty() && !picture.isEmpty())
        QVERIFY(shot.save(folder + '/' + picture));
    // No sideways scrolling; Stop all, the stick and the rockers in the first screen.
    QVERIFY(browser->evaluate("document.documentElement.scrollWidth <= innerWidth").toBool());
    for (const char *selector : {"#stop-all", "#stick", "#zoom", "#focus"}) {
        const QRectF box = browser->box(QString::fromLatin1(selector));
        QVERIFY2(QRectF(0, 0, width, height).contains(box), selector);
    }
    // Every target a finger's size.
    const QString small =
        browser
            ->evaluate("[...document.querySelectorAll('button, .rocker')].filter(b => { const r = "
                       "b.getBoundingClientRect(); return r.width > 0 && (r.width < 44 || r.height "
                       "< 44); })"
                       ".map(b => b.id || b.textContent).join(', ')")
            .toString();
    QVERIFY2(small.isEmpty(), qPrintable("smaller than a finger: " + small));
    // The words follow the language: Stop all in its own.
    QCOMPARE(browser->evaluate("document.querySelector('#stop-all').textContent").toString(),
             language == "zh" ? QString("全部停止") : QString("Stop all"));
}

void PageTest::the_stick_drives_renews_and_stops_once()
{
    open_page(zarvick->url());
    SimProcess &camera = *first;
    const int from = camera.lines().size();
    const QRectF stick = browser->box("#stick");
    const double reach = stick.width() / 2 * 0.8;
    // Up-left, a little: slow.
    browser->take("Network.requestWillBeSent");
    browser->touch("touchStart", {stick.center() + QPointF(-0.25, -0.25) * reach});
    QVERIFY(camera.wait_for("pan left, tilt up at"));
    const QRegularExpression speeds("pan left, tilt up at (\\d+)/(\\d+)");
    const auto last_speed = [&] {
        int speed = 0;
        for (const QString &line : camera.lines())
            if (const auto match = speeds.match(line); match.hasMatch())
                speed = match.captured(1).toInt();
        return speed;
    };
    const int slow = last_speed();
    // Further out: faster, the finger's offset read as it moves.
    browser->touch("touchMove", {stick.center() + QPointF(-0.7, -0.7) * reach});
    QVERIFY(wait_until([&] { return last_speed() > slow; }));
    // Held still for a second, twice the lease: renewed, never stopped.
    QElapsedTimer held;
    held.start();
    QVERIFY(!wait_until([&] { return count(camera, "pan-tilt stop", from) > 0; }, 1000));
    QVERIFY(held.elapsed() >= 1000);
    const QList<QJsonObject> drives = drives_sent(*browser);
    QVERIFY2(drives.size() >= 5, qPrintable(QString::number(drives.size())));
    for (const QJsonObject &drive : drives)
        QCOMPARE(drive.value("lease_ms").toInt(), 500);
    QCOMPARE(drives.last().value("pan").toDouble(), -drives.last().value("tilt").toDouble());
    QVERIFY(drives.last().value("pan").toDouble() < -0.4);
    // Let go: one stop, and nothing after it.
    browser->touch("touchEnd", {});
    QVERIFY(camera.wait_for("pan-tilt stop"));
    QVERIFY(!wait_until([&] { return count(camera, "pan-tilt stop", from) > 1; }, 800));
    QCOMPARE(count(camera, "pan-tilt stop", from), 1);
    // A second finger on the stick stops it too, until both are off.
    const int again = camera.lines().size();
    const QPointF left = stick.center() + QPointF(-0.6, 0) * reach;
    browser->touch("touchStart", {left});
    QVERIFY(wait_until([&] { return count(camera, "pan left at", again) == 1; }));
    browser->touch("touchStart", {left, stick.center() + QPointF(0.6, 0) * reach});
    QVERIFY(wait_until([&] { return count(camera, "pan-tilt stop", again) == 1; }));
    browser->touch("touchMove", {left + QPointF(0, -20), stick.center()});
    browser->touch("touchEnd", {});
    QVERIFY(!wait_until(
        [&] {
            return count(camera, "pan left at", again) > 1 ||
                   count(camera, "pan-tilt stop", again) > 1;
        },
        800));
    // The browser taking the touch for itself (a scroll, a system gesture)
    // stops it.
    const int taken = camera.lines().size();
    browser->touch("touchStart", {left});
    QVERIFY(wait_until([&] { return count(camera, "pan left at", taken) == 1; }));
    browser->touch("touchCancel", {});
    QVERIFY(wait_until([&] { return count(camera, "pan-tilt stop", taken) == 1; }));
    // Stop all, clicked with the mouse while a finger holds the stick: the
    // finger drives nothing more.
    const int stopped = camera.lines().size();
    browser->touch("touchStart", {left});
    QVERIFY(wait_until([&] { return count(camera, "pan left at", stopped) == 1; }));
    const QPointF stop_all = browser->box("#stop-all").center();
    for (const char *type : {"mousePressed", "mouseReleased"})
        browser->call("Input.dispatchMouseEvent", {{"type", type},
                                                   {"x", stop_all.x()},
                                                   {"y", stop_all.y()},
                                                   {"button", "left"},
                                                   {"clickCount", 1}});
    QVERIFY(wait_until([&] { return count(camera, "pan-tilt stop", stopped) == 1; }));
    browser->touch("touchMove", {left + QPointF(-10, 0)});
    QVERIFY(!wait_until([&] { return count(camera, "pan left at", stopped) > 1; }, 800));
    browser->touch("touchEnd", {});
    QCOMPARE(count(camera, "pan-tilt stop", stopped), 1);
}

void PageTest::a_hidden_page_stops_the_drive_at_once()
{
    open_page(zarvick->url());
    SimProcess &camera = *first;
    const int from = camera.lines().size();
    const QRectF zoom = browser->box("#zoom");
    browser->touch("touchStart", {QPointF(zoom.center().x(), zoom.top() + 10)});
    QVERIFY(wait_until([&] { return count(camera, "zoom tele", from) == 1; }));
    drives_sent(*browser);
    // The operator turns to another tab (as to another app, or the screen
    // going off).
    QElapsedTimer hidden;
    hidden.start();
    const QString other =
        browser->call("Target.createTarget", {{"url", "about:blank"}}).value("targetId").toString();
    QVERIFY(wait_until([&] { return count(camera, "zoom stop", from) == 1; }));
    QVERIFY2(hidden.elapsed() < 500, qPrintable(QString::number(hidden.elapsed())));
    // The page's own 0, not the lease running out (the browser may tell of
    // the request after the camera had it).
    QList<QJsonObject> drives;
    QVERIFY(wait_until([&] {
        drives += drives_sent(*browser);
        return std::any_of(drives.begin(), drives.end(),
                           [](const QJsonObject &drive) { return drive.value("zoom") == 0; });
    }));
    browser->call("Target.closeTarget", {{"targetId", other}});
}

void PageTest::presets_and_kept_positions()
{
    open_page(zarvick->url());
    SimProcess &camera = *first;
    // A tap recalls. On a machine busy enough that the lift comes more than
    // a long press after the touch, the page asks to store instead: the
    // question is cancelled and the tap made again.
    const auto recalls = [&](int preset) {
        const QString heard = QString("preset %1 recalled").arg(preset);
        for (int tries = 0; tries < 3; ++tries) {
            browser->tap(QString("#presets button[data-preset='%1']").arg(preset));
            if (camera.wait_for(heard, 3000))
                return true;
            if (browser->evaluate("!document.getElementById('confirm').hidden").toBool())
                browser->tap(QString("#confirm-no"));
        }
        return false;
    };
    QVERIFY(recalls(3));
    // Held: the page asks; nothing is stored while it asks, nor when the
    // operator cancels.
    const QPointF four = browser->box("#presets button[data-preset='4']").center();
    const auto long_press = [&] {
        browser->touch("touchStart", {four});
        QVERIFY(browser->wait_for("!document.getElementById('confirm').hidden", 3000));
        browser->touch("touchEnd", {});
    };
    long_press();
    QVERIFY(browser->evaluate("document.getElementById('confirm-text').textContent")
                .toString()
                .contains("preset 4"));
    browser->tap(QString("#confirm-no"));
    QVERIFY(browser->wait_for("document.getElementById('confirm').hidden"));
    long_press();
    QVERIFY(!camera.wait_for("preset 4", 300));
    browser->tap(QString("#confirm-yes"));
    QVERIFY(camera.wait_for("preset 4 stored"));
    QCOMPARE(count(camera, "preset 4"), 1);
    // The camera's kept positions, by name: Go.
    QCOMPARE(browser
                 ->evaluate("[...document.querySelectorAll('#positions button')]"
                            ".map(b => b.textContent).join()")
                 .toString(),
             QString("Desk,Lectern,Choir,Audience"));
    browser->tap(QString("#positions button[data-position='1']"));
    QVERIFY(camera.wait_for("pan-tilt absolute 300, 0"));
    // The later presets are a page away.
    browser->tap(QString("#presets-next"));
    QVERIFY(browser->wait_for("!!document.querySelector(\"#presets button[data-preset='17']\")"));
    QVERIFY(recalls(17));
}

void PageTest::the_strip_follows_the_cameras()
{
    open_page(zarvick->url());
    const auto card = [&](int number) {
        return browser
            ->evaluate(QString("document.querySelector('.camera[data-number=\"%1\"]').innerText")
                           .arg(number))
            .toString();
    };
    // A tally set from elsewhere, over HTTP, shows in the strip.
    QCOMPARE(
        http(zarvick->port, "POST", "/api/v1/cameras/2/tally", R"({"state":"program"})").status,
        200);
    QVERIFY(browser->wait_for(
        "document.querySelector('.camera[data-number=\"2\"][data-tally=program]') !== null"));
    QVERIFY(card(2).contains("Program"));
    QVERIFY(browser->wait_for(
        "document.querySelector('.camera[data-number=\"1\"][data-tally=off]') !== null"));
    // The camera nobody answers on says so.
    QVERIFY(card(3).contains("reconnecting"));
    // A tap selects: the active camera is marked, here and for everyone.
    browser->tap(QString(".camera[data-number='2']"));
    QVERIFY(browser->wait_for("document.querySelector('.camera.active').dataset.number === '2'"));
    // Its kept positions with it: none.
    QVERIFY(browser->wait_for("!document.getElementById('no-positions').hidden && "
                              "document.querySelectorAll('#positions button').length === 0"));
    QVERIFY(http(zarvick->port, "GET", "/api/v1/cameras").body.contains("\"active\":2"));
    QCOMPARE(http(zarvick->port, "POST", "/api/v1/cameras/1/select").status, 200);
    QVERIFY(browser->wait_for("document.querySelector('.camera.active').dataset.number === '1'"));
}

void PageTest::with_a_token_nothing_works_until_it_is_given()
{
    SimProcess camera;
    Zarvick guarded(camera, *second, "s3cret");
    QVERIFY(guarded.ready());
    QCOMPARE(http(guarded.port, "GET", "/api/v1/cameras").status, 401);
    QCOMPARE(browser->new_tab(), QString());
    viewport(*browser, 390, 844);
    QVERIFY(browser->open(guarded.url()));
    QVERIFY(browser->wait_for("!document.getElementById('token').hidden"));
    QCOMPARE(browser->evaluate("document.querySelectorAll('.camera').length").toInt(), 0);
    // The sheet is over everything: a tap on a preset does nothing.
    browser->tap(QString("#presets button[data-preset='2']"));
    // A wrong token is asked again.
    const auto give = [&](const QString &token) {
        browser->tap(QString("#token-input"));
        browser->call("Input.insertText", {{"text", token}});
        browser->tap(QString("#token-yes"));
    };
    give("guess");
    QVERIFY(browser->wait_for("!document.getElementById('token').hidden && "
                              "document.querySelector('#token-form p').textContent.includes("
                              "'again')"));
    QCOMPARE(count(camera, "preset"), 0);
    give("s3cret");
    QVERIFY(browser->wait_for("document.getElementById('token').hidden && "
                              "document.querySelector('#link.live') !== null && "
                              "document.querySelectorAll('.camera').length === 3",
                              10000));
    browser->tap(QString("#presets button[data-preset='2']"));
    QVERIFY(camera.wait_for("preset 2 recalled"));
    QCOMPARE(count(camera, "preset"), 1);
    // The event stream carries it too.
    QCOMPARE(http(guarded.port, "POST", "/api/v1/cameras/1/tally", R"({"state":"preview"})",
                  {"Authorization: Bearer s3cret"})
                 .status,
             200);
    QVERIFY(browser->wait_for(
        "document.querySelector('.camera[data-number=\"1\"][data-tally=preview]') !== null"));
    // Kept for the browser's session: a reload asks no more.
    QVERIFY(browser->open(guarded.url()));
    QVERIFY(browser->wait_for("document.querySelector('#link.live') !== null"));
    QVERIFY(browser->evaluate("document.getElementById('token').hidden").toBool());
}

QTEST_MAIN(PageTest)
#include "tst_page.moc"
