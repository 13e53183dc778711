#include "console/console_text.h"

#include <QStringList>

QList<QString> command_entries(const QString &editor_text)
{
    QList<QString> entries;
    for (const QString &line : editor_text.split('\n')) {
        if (!line.isEmpty())
            entries << line.section('/', 0, 0).trimmed();
    }
    return entries;
}

IntervalCheck check_interval(const QString &text)
{
    if (text.isEmpty())
        return IntervalCheck::Empty;
    const int value = text.toInt(nullptr, 10);
    if (text.size() > 7 || value < 0 || value > 3600000)
        return IntervalCheck::OutOfScope;
    return IntervalCheck::Accepted;
}
