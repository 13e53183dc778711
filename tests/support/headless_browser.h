#ifndef ZARVICK_HEADLESS_BROWSER_H
#define ZARVICK_HEADLESS_BROWSER_H

#include <QJsonObject>
#include <QList>
#include <QPointF>
#include <QProcess>
#include <QRectF>
#include <QStringList>
#include <QTemporaryDir>
#include <QWebSocket>

// Debian's Chromium, headless, driven over its DevTools protocol: one tab,
// real touches and clicks, what it loads and sends watched. It reaches
// nothing beyond 127.0.0.1 (a dead proxy, every other name unresolved, its
// own background traffic off).
class HeadlessBrowser : public QObject
{
    Q_OBJECT

public:
    HeadlessBrowser();
    ~HeadlessBrowser() override;
    // Empty once the tab is there; otherwise why not (a missing browser
    // names its package).
    QString start();
    // A fresh tab in front, in place of the one before; empty, or why not.
    QString new_tab();
    // One command to the tab (or to the browser, for Target.*): its
    // result, or {"error": …}.
    QJsonObject call(const QString &method, const QJsonObject &params = {}, int timeout_ms = 10000);
    // The same without waiting for the answer: its id.
    int send(const QString &method, const QJsonObject &params = {});
    // A script's value in the tab, promises awaited.
    QJsonValue evaluate(const QString &expression, int timeout_ms = 10000);
    // Waits until the script's value is true.
    bool wait_for(const QString &expression, int timeout_ms = 5000);
    // Loads the page and waits for its load event.
    bool open(const QString &url);
    // Where the first element the selector finds is, in the viewport's
    // pixels; empty when there is none.
    QRectF box(const QString &selector);
    // Fingers: type is touchStart, touchMove, touchEnd or touchCancel;
    // each point a finger, by its place in the list.
    void touch(const QString &type, const QList<QPointF> &points);
    void tap(const QPointF &at);
    void tap(const QString &selector);
    // The events of one kind that came since the last take.
    QList<QJsonObject> take(const QString &method);
    // What the tab's scripts threw, and what the browser refused them (a
    // content security policy's refusal among them), since the last look.
    QStringList script_errors();
    // A picture of the tab, PNG.
    QByteArray screenshot();

private:
    void received(const QString &message);
    QProcess process;
    QTemporaryDir profile;
    QWebSocket socket;
    QString tab;
    QString session;
    int next_id = 1;
    QHash<int, QJsonObject> answers;
    QList<QJsonObject> events;
};

#endif
