#include "links/port_order.h"

namespace {
// Only ASCII digits make numbers: other scripts' digits compare as text, so
// that every run compares one way and the order stays a strict weak order.
bool ascii_digit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// The run of digits that starts at `from`, without its leading zeros (but
// one digit at least); `end` is where the run stops.
QStringRef digit_run(const QString &text, int from, int *end)
{
    *end = from;
    while (*end < text.size() && ascii_digit(text[*end]))
        ++*end;
    QStringRef run = text.midRef(from, *end - from);
    while (run.size() > 1 && run[0] == '0')
        run = run.mid(1);
    return run;
}

// Negative, zero or positive as the number `a` is below, equal to or above
// `b`, compared without converting: the longer run is the larger number.
int compare_numbers(const QStringRef &a, const QStringRef &b)
{
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return a.compare(b);
}
} // namespace

bool natural_less(const QString &a, const QString &b)
{
    int i = 0;
    int j = 0;
    while (i < a.size() && j < b.size()) {
        if (ascii_digit(a[i]) && ascii_digit(b[j])) {
            const int order = compare_numbers(digit_run(a, i, &i), digit_run(b, j, &j));
            if (order != 0)
                return order < 0;
            continue;
        }
        if (a[i] != b[j])
            return a[i] < b[j];
        ++i;
        ++j;
    }
    if ((a.size() - i) != (b.size() - j))
        return (a.size() - i) < (b.size() - j);
    // Equal by value (ttyS01 and ttyS1): fall back to the plain text so the
    // order is still total and stable.
    return a < b;
}
