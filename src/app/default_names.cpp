#include "app/default_names.h"

#include <QRegularExpression>

void DefaultNames::set_words(const QString &words)
{
    words_seen.removeAll(words);
    words_seen << words;
}

QString DefaultNames::renamed(const QString &name) const
{
    if (words_seen.isEmpty())
        return name;
    const QString &current = words_seen.last();
    for (const QString &before : words_seen.mid(0, words_seen.size() - 1)) {
        const int number_at = before.indexOf("%1");
        const QRegularExpression given('^' + QRegularExpression::escape(before.left(number_at)) +
                                       "([0-9]+)" +
                                       QRegularExpression::escape(before.mid(number_at + 2)) + '$');
        const QRegularExpressionMatch match = given.match(name);
        if (match.hasMatch())
            return current.arg(match.captured(1));
    }
    return name;
}
