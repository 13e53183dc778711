#include "links/port_order.h"

bool natural_less(const QString &a, const QString &b)
{
    int i = 0;
    int j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            int end_a = i;
            int end_b = j;
            while (end_a < a.size() && a[end_a].isDigit())
                ++end_a;
            while (end_b < b.size() && b[end_b].isDigit())
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
