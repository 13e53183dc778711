#include "headless_browser.h"

#include "testsupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QStandardPaths>

namespace {
// What is kept of the tab's events between two takes.
constexpr int most_events = 20000;
} // namespace

HeadlessBrowser::HeadlessBrowser()
{
    connect(&socket, &QWebSocket::textMessageReceived, this, &HeadlessBrowser::received);
}

HeadlessBrowser::~HeadlessBrowser()
{
    // Closed as a user closes it: its helper processes end with it, before
    // its profile folder goes.
    if (socket.state() == QAbstractSocket::ConnectedState)
        send("Browser.close");
    if (!process.waitForFinished(5000)) {
        process.terminate();
        if (!process.waitForFinished(5000))
            process.kill();
        process.waitForFinished(2000);
    }
    socket.close();
}

QString HeadlessBrowser::start()
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    if (program.isEmpty())
        return QStringLiteral("chromium is missing: install the Debian packages chromium and "
                              "chromium-driver (tools/build does)");
    const QStringList arguments = {
        "--headless=new", "--remote-debugging-port=0", "--user-data-dir=" + profile.path(),
        // Nothing beyond loopback: a proxy that is not there, no other name
        // found, none of the browser's own traffic.
        "--proxy-server=127.0.0.1:9", "--host-resolver-rules=MAP * ~NOTFOUND , EXCLUDE 127.0.0.1",
        "--disable-background-networking", "--disable-component-update", "--no-first-run",
        "--disable-sync", "--disable-default-apps", "--no-default-browser-check",
        "--disable-breakpad", "--disable-domain-reliability", "--no-pings",
        "--disable-client-side-phishing-detection",
        "--disable-features=Translate,"
        "OptimizationHints,MediaRouter,DialMediaRouteProvider,AutofillServerCommunication",
        "--safebrowsing-disable-auto-update", "--password-store=basic", "--use-mock-keychain",
        "--disable-gpu", "--mute-audio", "--disable-dev-shm-usage",
        // Debian's launcher turns remote extensions on; none here, and no
        // crash reports.
        "--disable-extensions", "--disable-crash-reporter",
        // The tests run as root in a container, where the sandbox cannot be
        // set up.
        "--no-sandbox", "about:blank"};
    // Whatever the browser keeps beside its profile (the crash handler's
    // database, caches) stays in the scratch folder too.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", profile.path());
    environment.insert("XDG_CACHE_HOME", profile.path());
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(program, arguments);
    if (!process.waitForStarted(10000))
        return QStringLiteral("chromium did not start");
    QByteArray told;
    const QByteArray mark = "DevTools listening on ";
    const bool listening = wait_until(
        [&] {
            told += process.readAllStandardError();
            const int at = told.indexOf(mark);
            return at >= 0 && told.indexOf('\n', at) > at;
        },
        30000);
    if (!listening)
        return QStringLiteral("chromium did not open its DevTools port: ") +
               QString::fromLocal8Bit(told.right(2000));
    const int at = told.indexOf(mark) + mark.size();
    const QUrl endpoint(QString::fromLatin1(told.mid(at, told.indexOf('\n', at) - at).trimmed()));
    socket.open(endpoint);
    if (!wait_until([&] { return socket.state() == QAbstractSocket::ConnectedState; }, 10000))
        return QStringLiteral("no DevTools connection to ") + endpoint.toString();
    return new_tab();
}

QString HeadlessBrowser::new_tab()
{
    if (!tab.isEmpty())
        call("Target.closeTarget", {{"targetId", tab}});
    session.clear();
    events.clear();
    tab = call("Target.createTarget", {{"url", "about:blank"}}).value("targetId").toString();
    session = call("Target.attachToTarget", {{"targetId", tab}, {"flatten", true}})
                  .value("sessionId")
                  .toString();
    if (session.isEmpty())
        return QStringLiteral("no tab to drive");
    for (const char *domain : {"Page.enable", "Network.enable", "Runtime.enable", "Log.enable"})
        call(domain);
    return {};
}

int HeadlessBrowser::send(const QString &method, const QJsonObject &params)
{
    const int id = next_id++;
    QJsonObject message{{"id", id}, {"method", method}, {"params", params}};
    if (!method.startsWith("Target.") && !session.isEmpty())
        message.insert("sessionId", session);
    socket.sendTextMessage(
        QString::fromUtf8(QJsonDocument(message).toJson(QJsonDocument::Compact)));
    socket.flush();
    return id;
}

QJsonObject HeadlessBrowser::call(const QString &method, const QJsonObject &params, int timeout_ms)
{
    const int id = send(method, params);
    if (!wait_until([&] { return answers.contains(id); }, timeout_ms))
        return {{"error", QStringLiteral("no answer to %1").arg(method)}};
    const QJsonObject answer = answers.take(id);
    if (answer.contains("error"))
        return {{"error", answer.value("error")}};
    return answer.value("result").toObject();
}

QJsonValue HeadlessBrowser::evaluate(const QString &expression, int timeout_ms)
{
    const QJsonObject result = call(
        "Runtime.evaluate",
        {{"expression", expression}, {"returnByValue", true}, {"awaitPromise", true}}, timeout_ms);
    return result.value("result").toObject().value("value");
}

bool HeadlessBrowser::wait_for(const QString &expression, int timeout_ms)
{
    return wait_until([&] { return evaluate(expression).toBool(); }, timeout_ms);
}

bool HeadlessBrowser::open(const QString &url)
{
    take("Page.loadEventFired");
    if (call("Page.navigate", {{"url", url}}).contains("error"))
        return false;
    return wait_until([&] { return !take("Page.loadEventFired").isEmpty(); }, 10000);
}

QRectF HeadlessBrowser::box(const QString &selector)
{
    // The selector as a script's string literal.
    const QString quoted = QString::fromUtf8(
        QJsonDocument(QJsonArray{selector}).toJson(QJsonDocument::Compact).mid(1).chopped(1));
    const QJsonObject box =
        evaluate(QStringLiteral("(() => { const found = document.querySelector(%1); if (!found) "
                                "return null; const r = found.getBoundingClientRect(); return "
                                "{x: r.left, y: r.top, w: r.width, h: r.height}; })()")
                     .arg(quoted))
            .toObject();
    return {box.value("x").toDouble(), box.value("y").toDouble(), box.value("w").toDouble(),
            box.value("h").toDouble()};
}

void HeadlessBrowser::touch(const QString &type, const QList<QPointF> &points)
{
    QJsonArray fingers;
    for (int i = 0; i < points.size(); ++i)
        fingers.append(QJsonObject{{"x", points[i].x()}, {"y", points[i].y()}, {"id", i}});
    call("Input.dispatchTouchEvent", {{"type", type}, {"touchPoints", fingers}});
}

void HeadlessBrowser::tap(const QString &selector) { tap(box(selector).center()); }

void HeadlessBrowser::tap(const QPointF &at)
{
    touch("touchStart", {at});
    touch("touchEnd", {});
}

QList<QJsonObject> HeadlessBrowser::take(const QString &method)
{
    QList<QJsonObject> taken;
    for (auto event = events.begin(); event != events.end();) {
        if (event->value("method").toString() == method) {
            taken.append(event->value("params").toObject());
            event = events.erase(event);
        } else {
            ++event;
        }
    }
    return taken;
}

QStringList HeadlessBrowser::script_errors()
{
    QStringList errors;
    for (const QJsonObject &thrown : take("Runtime.exceptionThrown"))
        errors << thrown.value("exceptionDetails").toObject().value("text").toString();
    for (const QJsonObject &added : take("Log.entryAdded")) {
        const QJsonObject entry = added.value("entry").toObject();
        // A refusal the page asked for (401, 404) is no fault of its script.
        if (entry.value("level").toString() == "error" &&
            entry.value("source").toString() != "network")
            errors << entry.value("text").toString();
    }
    return errors;
}

QByteArray HeadlessBrowser::screenshot()
{
    return QByteArray::fromBase64(
        call("Page.captureScreenshot", {{"format", "png"}}).value("data").toString().toLatin1());
}

void HeadlessBrowser::received(const QString &message)
{
    const QJsonObject read = QJsonDocument::fromJson(message.toUtf8()).object();
    if (read.contains("id")) {
        // Bounded: the answers to commands sent without waiting go.
        if (answers.size() >= most_events)
            answers.clear();
        answers.insert(read.value("id").toInt(), read);
        return;
    }
    // A closed tab's last words are not this one's.
    if (read.value("sessionId").toString() != session)
        return;
    if (events.size() >= most_events)
        events.removeFirst();
    events.append(read);
}
