#include "app/alerts.h"

#include "app/camera_texts.h"
#include "control/cameras.h"

#include <algorithm>

Alerts::Alerts(Cameras &camera_list, const Boxes &window_boxes, Notices &shown_notices, Log to_log)
    : cameras(camera_list), boxes(window_boxes), notices(shown_notices), log(std::move(to_log))
{
}

void Alerts::link_lost(const Link &link, const Notices::Words &text)
{
    const QList<int> on_link = cameras.cameras_on(link);
    if (!on_link.isEmpty())
        tell(on_link, text, true, true);
}

void Alerts::failed(int camera, SendResult result, const QString &reason)
{
    bool warning = true;
    if (Boxes::failure_text(result, reason, &warning).isEmpty())
        return;
    tell(
        {camera}, [result, reason] { return Boxes::failure_text(result, reason); }, warning, false);
}

void Alerts::stop_unconfirmed(int camera)
{
    tell(
        {camera}, [] { return tr("The camera did not confirm the stop"); }, true, true);
}

void Alerts::tell(const QList<int> &about, const Notices::Words &text, bool warning,
                  bool until_answered)
{
    if (cameras.count() < 2) {
        boxes.later(warning ? QMessageBox::Warning : QMessageBox::Information, text());
        return;
    }
    // The cameras as they were named then: one may be renamed or removed
    // while its notice stands.
    QList<CameraSettings> named;
    for (int camera : about) {
        CameraSettings then = cameras.settings(camera);
        then.positions.clear();
        then.moves.clear();
        named << then;
    }
    const Notices::Words told = [named, text] {
        QList<const CameraSettings *> pointers;
        for (const CameraSettings &camera : named)
            pointers << &camera;
        return about_cameras(pointers, text());
    };
    for (int camera : about) {
        const Camera *which = &cameras.camera(camera);
        troubled.erase(std::remove_if(troubled.begin(), troubled.end(),
                                      [which](const auto &entry) { return entry.first == which; }),
                       troubled.end());
        // A camera that answers right now has nothing to come back from.
        if (until_answered && cameras.state(camera) != Camera::State::Answering)
            troubled.append({which, told});
    }
    notices.add(told, {},
                until_answered ? static_cast<const void *>(&cameras.camera(about.first()))
                               : nullptr);
    log(told());
}

QString Alerts::active_trouble() const
{
    if (cameras.active() < 0)
        return QString();
    const Camera *active = &cameras.active_camera();
    for (const auto &[camera, text] : troubled) {
        if (camera == active)
            return text();
    }
    return QString();
}

void Alerts::states_changed()
{
    for (auto entry = troubled.begin(); entry != troubled.end();) {
        const Camera *camera = entry->first;
        const bool listed = cameras.index_of(*camera) >= 0;
        if (listed && camera->state() != Camera::State::Answering) {
            ++entry;
            continue;
        }
        notices.withdraw(camera);
        entry = troubled.erase(entry);
    }
}
