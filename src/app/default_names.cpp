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
