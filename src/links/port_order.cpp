#include "links/port_order.h"

namespace {
// Only ASCII digits make numbers: other scripts' digits compare as text, so
// that every run compares one way and the order stays a strict weak order.
bool ascii_digit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
} // namespace

bool natural_less(const QString &a, const QString &b)
{
    int i = 0;
    int j = 0;
    while (i < a.size() && j < b.size()) {
        if (ascii_digit(a[i]) && ascii_digit(b[j])) {
            int end_a = i;
            int end_b = j;
            while (end_a < a.size() && ascii_digit(a[end_a]))
                ++end_a;
            while (end_b < b.size() && ascii_digit(b[end_b]))
                ++end_b;
            // Compare the runs by value without converting: leading zeros
            // aside, the longer run is the larger number.
            QStringRef run_a = a.midRef(i, end_a - i);
            QStringRef run_b = b.midRef(j, end_b - j);
            while (run_a.size() > 1 && run_a[0] == '0')
                run_a = run_a.mid(1);
            while (run_b.size() > 1 && run_b[0] == '0')
                run_b = run_b.mid(1);
            if (run_a.size() != run_b.size())
                return run_a.size() < run_b.size();
            const int order = run_a.compare(run_b);
            if (order != 0)
                return order < 0;
            i = end_a;
            j = end_b;
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
