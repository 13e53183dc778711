#ifndef ZARVICK_RECONNECT_H
#define ZARVICK_RECONNECT_H

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>

class Link;

// Opens a link that went down by itself (a dropped connection, an adapter
// pulled out) again, without the operator: the first try a second after
// the loss, then twice as long after each failed try, at most ten seconds
// apart, until it opens. A link closed (by the operator, or opened anew
// elsewhere) ends the trying; so does end() (a Mode change).
class Reconnect : public QObject
{
    Q_OBJECT

public:
    static constexpr int first_wait_ms = 1000;
    static constexpr int longest_wait_ms = 10000;
    // The wait before the try that follows `failed` failed tries.
    static int wait_ms(int failed);

    // `try_open` starts a try. The link tells how it went: `opened`, or
    // failed() for a try that failed.
    Reconnect(Link &link, std::function<void()> try_open, QObject *parent = nullptr);
    void set_attempt(std::function<void()> try_open) { attempt = std::move(try_open); }
    void failed();
    void end();
    // A try made by the program, not the operator (opening the cameras at
    // start): when it fails, the tries go on as after a loss.
    void begin();
    bool trying() const { return on; }
    // Whole seconds to the next try, rounded up; 0 while a try is under way.
    int next_try_in_s() const;

signals:
    // Trying began or ended, or a try failed.
    void changed();

private:
    void lost();
    void wait_next();

    std::function<void()> attempt;
    QTimer next_try;
    QElapsedTimer waiting;
    int failures = 0;
    bool on = false;
    // A try may close the link before it opens it anew.
    bool trying_now = false;
};

#endif
