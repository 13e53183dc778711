#ifndef ZARVICK_CONSOLE_TEXT_H
#define ZARVICK_CONSOLE_TEXT_H

#include <QList>
#include <QString>

// The command texts of the Manual editor: for each non-empty line, the part
// before the first "/" with blanks trimmed. A line that is only a comment
// gives an empty entry, which is sent as an empty command.
QList<QString> command_entries(const QString &editor_text);

enum class IntervalCheck { Accepted, Empty, OutOfScope };

// The loop interval field: not empty, a whole number of at most 7
// characters, 0 to 3600000 ms.
IntervalCheck check_interval(const QString &text);

#endif
