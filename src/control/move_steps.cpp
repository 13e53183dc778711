#include "control/move_steps.h"

#include "control/camera_settings.h"

#include <QStringList>

namespace {

const char *axis_word(Axis axis)
{
    switch (axis) {
    case Axis::Zoom: return "zoom";
    case Axis::Focus: return "focus";
    case Axis::PanTilt: break;
    }
    return "pan-tilt";
}

std::optional<Axis> axis_of(const QString &word)
{
    for (Axis axis : every_axis) {
        if (word == QLatin1String(axis_word(axis)))
            return axis;
    }
    return std::nullopt;
}

std::optional<MoveStep> read_step(const QString &text)
{
    const QStringList words = text.split(' ', Qt::SkipEmptyParts);
    if (words.size() < 3)
        return std::nullopt;
    const std::optional<int> at = decimal_within(words[0], 0, longest_move_ms);
    const std::optional<Axis> axis = axis_of(words[1]);
    if (!at || !axis)
        return std::nullopt;
    MoveStep step{*at, *axis, {}, {}};
    if (words.size() == 3)
        return words[2] == QLatin1String("stop") ? std::optional(step) : std::nullopt;
    // Pan and tilt each have a way and a speed; zoom and focus one of each.
    const bool pan_tilt = *axis == Axis::PanTilt;
    if (words.size() != (pan_tilt ? 6 : 4))
        return std::nullopt;
    const std::optional<int> x = decimal_within(words[2], -1, 1);
    const std::optional<int> y = pan_tilt ? decimal_within(words[3], -1, 1) : 0;
    const std::optional<int> speed_x =
        decimal_within(words[pan_tilt ? 4 : 3], pan_tilt ? 1 : 0, pan_tilt ? 0x18 : 7);
    const std::optional<int> speed_y = pan_tilt ? decimal_within(words[5], 1, 0x17) : 0;
    if (!x || !y || !speed_x || !speed_y || (*x == 0 && *y == 0))
        return std::nullopt;
    step.way = {*x, *y};
    step.speed = {*speed_x, *speed_y};
    return step;
}

} // namespace

QString move_text(const QList<MoveStep> &steps)
{
    QStringList texts;
    for (const MoveStep &step : steps) {
        QString text = QStringLiteral("%1 %2").arg(step.at_ms).arg(axis_word(step.axis));
        if (step.way.isNull())
            text += QStringLiteral(" stop");
        else if (step.axis == Axis::PanTilt)
            text += QStringLiteral(" %1 %2 %3 %4")
                        .arg(step.way.x())
                        .arg(step.way.y())
                        .arg(step.speed.x())
                        .arg(step.speed.y());
        else
            text += QStringLiteral(" %1 %2").arg(step.way.x()).arg(step.speed.x());
        texts << text;
    }
    return texts.join(QStringLiteral(" | "));
}

std::optional<QList<MoveStep>> read_move(const QString &text)
{
    QList<MoveStep> steps;
    if (text.trimmed().isEmpty())
        return steps;
    // Counted before splitting: a long text is no move, and costs no list.
    if (text.count('|') >= most_move_steps)
        return std::nullopt;
    const QStringList parts = text.split('|');
    for (const QString &part : parts) {
        const std::optional<MoveStep> step = read_step(part);
        if (!step || (!steps.isEmpty() && step->at_ms < steps.last().at_ms))
            return std::nullopt;
        steps << *step;
    }
    return steps;
}
