#ifndef ZARVICK_NOTICES_H
#define ZARVICK_NOTICES_H

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTime>
#include <QTimer>
#include <deque>
#include <functional>

class QBoxLayout;
class QLabel;
class QPushButton;
class QWidget;

// What the operator should know but must not be stopped for: a camera
// that is not the active one lost its link or did not confirm a stop, a
// camera or position was removed (with its undo). Newest first, each with
// its time; the newest few are kept.
class Notices : public QObject
{
    Q_OBJECT

public:
    static constexpr int kept = 20;
    // How long a removal can be undone.
    static constexpr int undo_ms = 10000;

    // A notice's text, made anew whenever it is shown: a language change
    // finds it in the new language.
    using Words = std::function<QString()>;

    explicit Notices(QObject *parent = nullptr);
    // `about`, when given, names what the notice is about, for withdraw().
    void add(Words text, std::function<void()> undo = {}, const void *about = nullptr);
    // The notices about `about` no longer hold (a camera answers again).
    void withdraw(const void *about);
    void dismiss();
    // The newest notice's undo, while it is offered; false when none is.
    bool undo();
    bool can_undo() const { return static_cast<bool>(offered_undo); }
    // "hh:mm:ss text", newest first.
    QStringList lines() const;

signals:
    void changed();

private:
    struct Notice {
        QTime at;
        Words text;
        const void *about = nullptr;
    };
    std::deque<Notice> notices;
    std::function<void()> offered_undo;
    QTimer undo_end;
};

// A view of the notices on a tab: the newest ones as plain text, Undo
// while a removal can be undone, and Dismiss. Hidden while there is none.
class NoticeLine
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    static constexpr int shown = 3;
    // Put into `layout` at `position`; its parts' object names start with
    // `name`. A line of one row (above the pad) shows the newest notice
    // only, and keeps its place when there is none: what is under it never
    // moves under a click.
    NoticeLine(Notices &notices, QBoxLayout *layout, int position, const QString &name,
               int rows = shown);
    void retranslate();

private:
    void show_notices();

    Notices &notices;
    int rows;
    QWidget *line = nullptr;
    QLabel *text = nullptr;
    QPushButton *undo_button = nullptr;
    QPushButton *dismiss_button = nullptr;
};

#endif
