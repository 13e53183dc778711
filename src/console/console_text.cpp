#include "console/console_text.h"

#include <QStringList>

QList<QString> command_entries(const QString &editor_text)
{
    QList<QString> entries;
    const QStringList lines = editor_text.split('\n');
    for (const QString &line : lines) {
        if (!line.isEmpty())
            entries << line.section('/', 0, 0).trimmed();
    }
    return entries;
}

IntervalCheck check_interval(const QString &text)
{
    if (text.isEmpty())
        return IntervalCheck::Empty;
    // A typo ("1o0") must not count as 0 ms and flood the camera.
    bool number = false;
    const int value = text.toInt(&number, 10);
    if (!number || text.size() > 7 || value < 0 || value > 3600000)
        return IntervalCheck::OutOfScope;
    return IntervalCheck::Accepted;
}
