#ifndef ZARVICK_CAMERAS_H
#define ZARVICK_CAMERAS_H

#include "control/camera_settings.h"
#include "links/serial_link.h"
#include "links/tcp_link.h"
#include "links/udp_link.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <map>
#include <memory>
#include <vector>

// The camera list: each camera's settings, its links and its VISCA address,
// and which camera is active (the one the panels show and drive). The
// cameras of one serial port share one line, opened once; each camera has
// its own network links.
class Cameras : public QObject
{
    Q_OBJECT

public:
    enum class State { Closed, Open, Answering, NotAnswering };
    // A camera that has not answered a message for this long is not answering.
    static constexpr int answer_limit_ms = 1000;

    explicit Cameras(QObject *parent = nullptr);
    ~Cameras() override;
    // Closes every link (each says `closing` first).
    void close_all();

    int count() const { return static_cast<int>(cameras.size()); }
    bool full() const { return count() >= CameraSettings::most_cameras; }
    int active() const { return active_index; }
    CameraSettings &settings(int camera);
    const CameraSettings &settings(int camera) const;
    CameraSettings &active_settings() { return settings(active_index); }

    // Appends a camera; the first one becomes the active camera. Not while
    // the list is full.
    int add(const CameraSettings &settings);
    // The last camera stays. Its network links close first, and its serial
    // line when no other camera is on it; the active camera's place passes
    // to its neighbour.
    void remove(int camera);
    void set_active(int camera);
    void rename(int camera, const QString &name);
    // The active camera's settings were changed in place.
    void note_changed() { emit listed(); }
    // The camera's link becomes `kind`; the form shows it anew.
    void set_link(int camera, CameraSettings::LinkKind kind);
    // The camera other than `except` that `settings` would drive too, or -1.
    int same_camera(const CameraSettings &settings, int except = -1) const;
    // The lowest VISCA address at which `settings` drives no camera of the
    // list but `except`'s; 0 when every address is taken.
    int free_address(CameraSettings settings, int except = -1) const;
    // A name not given yet ("Camera 3"), from the words for "Camera %1".
    QString free_name(const QString &pattern) const;

    // The line of a serial port, shared by the cameras on it.
    SerialLink &serial_line(const QString &port);
    TcpLink &tcp(int camera);
    UdpLink &udp(int camera);
    // The open link that the camera's PTZ Mode (drives) or Manual Mode
    // (console) chooses, or none.
    Link *drive_link(int camera);
    Link *console_link(int camera);
    // Whether `camera` is on `link` at `address` (a serial line's cameras
    // tell themselves apart by address).
    bool on_link(int camera, const Link *link) const;

    State state(int camera) const;
    // Since when the camera has not answered (State::NotAnswering).
    QDateTime silent_since(int camera) const;
    // What the log puts before a message to or from `address` on `link`:
    // the camera's name in brackets while several cameras are listed.
    QString label(const Link *link, int address) const;
    QString active_label() const;

    // Bytes the program wrote on `link`: the cameras they address now wait
    // for an answer.
    void note_written(const Link &link, const QByteArray &bytes);

signals:
    // A link was made: whatever hears links connects to it now.
    void link_made(Link &link);
    // The active camera is about to change: holds end here.
    void switching();
    void switched(int camera);
    // Cameras added, removed, renamed or set up anew.
    void listed();
    // A camera's state may have changed.
    void state_changed();
    // A camera's settings were changed elsewhere than in the form.
    void changed_elsewhere(int camera);

private:
    struct Camera;
    void made(Link &link);
    void heard(const Link *link, int address);
    void link_opened(const Link *link);

    std::vector<std::unique_ptr<Camera>> cameras;
    std::map<QString, std::unique_ptr<SerialLink>> lines;
    int active_index = -1;
    QElapsedTimer clock;
};

#endif
