#include "app/alerts.h"

#include "app/camera_texts.h"
#include "control/cameras.h"

Alerts::Alerts(Cameras &camera_list, const Boxes &window_boxes, Notices &shown_notices, Log to_log)
    : cameras(camera_list), boxes(window_boxes), notices(shown_notices), log(std::move(to_log))
{
}

void Alerts::link_lost(const Link &link, const QString &text)
{
    const QList<int> on_link = cameras.cameras_on(link);
    if (on_link.isEmpty())
        return;
    // A line several cameras share: the active one's box, if it is there.
    tell(on_link.contains(cameras.active()) ? cameras.active() : on_link.first(), text,
         Box::WarnAfterOpenBox);
}

void Alerts::failed(int camera, SendResult result, const QString &reason)
{
    bool warning = true;
    const QString text = Boxes::failure_text(result, reason, &warning);
    if (!text.isEmpty())
        tell(camera, text, warning ? Box::Warn : Box::Inform);
}

void Alerts::stop_unconfirmed(int camera)
{
    tell(camera, tr("The camera did not confirm the stop"), Box::WarnAfterOpenBox);
}

void Alerts::tell(int camera, const QString &text, Box box)
{
    const QString named = cameras.count() > 1 ? about_camera(cameras.settings(camera), text) : text;
    if (camera != cameras.active()) {
        notices.add(named);
        log(named);
        return;
    }
    switch (box) {
    case Box::Inform: boxes.inform(named); break;
    case Box::Warn: boxes.warn(named); break;
    case Box::WarnAfterOpenBox: boxes.warn_after_open_box(named); break;
    }
}
