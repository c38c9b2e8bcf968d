#include "terminals/ComparisonDays.h"

namespace zqvr::terminals {

ComparisonMode comparisonMode(const QVariant& hostValue)
{
    if (!hostValue.isValid() || hostValue.isNull())
        return ComparisonMode::NearestWeekday;
    const QString text = hostValue.toString().trimmed();
    if (text.isEmpty())
        return ComparisonMode::NearestWeekday;
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok)
        return ComparisonMode::None;
    if (v == 0)
        return ComparisonMode::NearestWeekday;
    if (v == 1)
        return ComparisonMode::SameWeekAndWeekday;
    return ComparisonMode::None;
}

QDate sameDateLastYear(const QDate& today)
{
    // QDate::addYears keeps the month and moves 29 February to the 28th.
    return today.addYears(-1);
}

QDate nearestSameWeekdayLastYear(const QDate& today)
{
    const QDate d1 = sameDateLastYear(today);
    const int forward = (today.dayOfWeek() - d1.dayOfWeek() + 7) % 7;
    const int backward = (7 - forward) % 7;
    return forward <= backward ? d1.addDays(forward) : d1.addDays(-backward);
}

int weekOfYearFromJanuaryFirst(const QDate& day)
{
    const QDate first(day.year(), 1, 1);
    // Days from the Monday that starts week 1 (on or before 1 January).
    const int fromMonday = (day.dayOfYear() - 1) + (first.dayOfWeek() - 1);
    return fromMonday / 7 + 1;
}

QDate sameWeekAndWeekdayLastYear(const QDate& today)
{
    const int w = weekOfYearFromJanuaryFirst(today);
    const int wd = today.dayOfWeek(); // Monday = 1
    QDate d = QDate(today.year() - 1, 1, 1).addDays(7 * (w - 1));
    return d.addDays(wd - d.dayOfWeek());
}

} // namespace zqvr::terminals
