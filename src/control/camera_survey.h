#ifndef ZARVICK_CAMERA_SURVEY_H
#define ZARVICK_CAMERA_SURVEY_H

#include "visca/answer_times.h"
#include "visca/catalog.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>

class Camera;
class Cameras;
class LinkChannel;

// The camera's whole state, asked of it: every inquiry of the catalog, one
// at a time and quietly (never in the log), the next once the last has its
// answer or its time is up; none while a drive is underway on the link or
// the operator's loop runs there, as with the liveness questions; one
// unanswered for a while is asked again. A lost
// link or a removed camera ends it; what came in stays.
class CameraSurvey : public QObject
{
    Q_OBJECT

public:
    // An inquiry unanswered this long is put down as unanswered.
    static constexpr int answer_ms = visca::silence_ms;
    // How often a survey that waits looks again (a drive ended, an answer late).
    static constexpr int look_ms = 20;
    // An inquiry unanswered this long is sent again, until `answer_ms`: on
    // a lossy link one datagram lost would otherwise leave its row empty.
    static constexpr int ask_again_ms = 250;
    using Busy = std::function<bool(const LinkChannel *)>;

    enum class State { waiting, answered, refused, unanswered };
    struct Row {
        const visca::catalog::Entry *inquiry = nullptr;
        QByteArray asked;
        QByteArray answer;
        State state = State::waiting;
    };

    explicit CameraSurvey(Cameras &cameras, QObject *parent = nullptr);
    void set_busy(Busy link_busy) { busy = std::move(link_busy); }
    // Asks the camera at `index` afresh; false when it has no open link.
    bool start(int index);
    void stop();
    bool running() const { return ticker.isActive(); }
    const QList<Row> &rows() const { return table; }
    // The camera asked, by name.
    QString camera_name() const { return name; }

signals:
    void row_changed(int row);
    void finished();

private:
    void tick();
    void ask(LinkChannel &channel);
    // The next row's inquiry; `again` when its first went unanswered.
    void send(LinkChannel &channel, bool again);
    void take(quint64 message, bool refused, const QByteArray &reply);
    void settle(State state, const QByteArray &answer);

    Cameras &cameras;
    Busy busy;
    QTimer ticker;
    QPointer<Camera> camera;
    QString name;
    const LinkChannel *channel = nullptr;
    QList<Row> table;
    int next = 0;
    quint64 waiting = 0;
    // Since the row's first inquiry, and since its last.
    QElapsedTimer since;
    QElapsedTimer sent_at;
    QMetaObject::Connection answers;
};

#endif
