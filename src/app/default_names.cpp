#include "app/default_names.h"

#include <QRegularExpression>

QString DefaultNames::renamed(const QString &name) const
{
    if (previous.isEmpty() || previous == current)
        return name;
    const int number_at = previous.indexOf("%1");
    const QRegularExpression given('^' + QRegularExpression::escape(previous.left(number_at)) +
                                   "([0-9]+)" +
                                   QRegularExpression::escape(previous.mid(number_at + 2)) + '$');
    const QRegularExpressionMatch match = given.match(name);
    return match.hasMatch() ? current.arg(match.captured(1)) : name;
}

QString next_numbered(const QString &words, const QStringList &names)
{
    const QStringList around = words.split("%1");
    const QRegularExpression numbered("^" + QRegularExpression::escape(around.value(0)) +
                                      "(\\d{1,6})" + QRegularExpression::escape(around.value(1)) +
                                      "$");
    int highest = int(names.size());
    for (const QString &name : names) {
        const QRegularExpressionMatch match = numbered.match(name);
        if (match.hasMatch())
            highest = qMax(highest, match.captured(1).toInt());
    }
    return words.arg(highest + 1);
}
