// The comparable day of last year shown by the terminal monitor, checked for
// every day of several years (leap years, 1 January, weeks that straddle two
// years) against a computation that walks the calendar day by day.
#include "terminals/ComparisonDays.h"

#include <gtest/gtest.h>

using namespace zqvr::terminals;

namespace {

// Last year's same date by walking back through last year's calendar.
QDate walkSameDateLastYear(const QDate& today)
{
    QDate d(today.year() - 1, today.month(), 1);
    while (d.addDays(1).month() == today.month() && d.day() < today.day())
        d = d.addDays(1);
    return d;
}

// The nearest day with today's weekday, found by trying distances 0, 1, 2...
// forward before backward.
QDate walkNearestWeekday(const QDate& today)
{
    const QDate d1 = walkSameDateLastYear(today);
    for (int distance = 0;; ++distance) {
        if (d1.addDays(distance).dayOfWeek() == today.dayOfWeek())
            return d1.addDays(distance);
        if (d1.addDays(-distance).dayOfWeek() == today.dayOfWeek())
            return d1.addDays(-distance);
    }
}

// Week of the year counted as 1 plus the Mondays after 1 January up to the day.
int walkWeek(const QDate& day)
{
    int week = 1;
    for (QDate d(day.year(), 1, 2); d <= day; d = d.addDays(1))
        if (d.dayOfWeek() == Qt::Monday)
            ++week;
    return week;
}

QDate walkSameWeekAndWeekday(const QDate& today)
{
    QDate monday(today.year() - 1, 1, 1);
    while (monday.dayOfWeek() != Qt::Monday)
        monday = monday.addDays(-1);
    return monday.addDays(7 * (walkWeek(today) - 1) + (today.dayOfWeek() - 1));
}

} // namespace

TEST(ComparisonDays, EveryDayOfSevenYearsMatchesTheCalendarWalk)
{
    for (QDate today(2023, 1, 1); today <= QDate(2029, 12, 31); today = today.addDays(1)) {
        SCOPED_TRACE(today.toString(Qt::ISODate).toStdString());
        ASSERT_EQ(sameDateLastYear(today), walkSameDateLastYear(today));
        const QDate nearest = nearestSameWeekdayLastYear(today);
        ASSERT_EQ(nearest, walkNearestWeekday(today));
        ASSERT_EQ(nearest.dayOfWeek(), today.dayOfWeek());
        ASSERT_EQ(weekOfYearFromJanuaryFirst(today), walkWeek(today));
        const QDate sameWeek = sameWeekAndWeekdayLastYear(today);
        ASSERT_EQ(sameWeek, walkSameWeekAndWeekday(today));
        ASSERT_EQ(sameWeek.dayOfWeek(), today.dayOfWeek());
    }
}

TEST(ComparisonDays, KnownDaysOfLeapYearsAndYearEnds)
{
    // Sunday 6 December 2026: a year before is Saturday, the Sunday after is nearer.
    EXPECT_EQ(nearestSameWeekdayLastYear(QDate(2026, 12, 6)), QDate(2025, 12, 7));
    // 29 February 2028 looks back to 28 February 2027.
    EXPECT_EQ(sameDateLastYear(QDate(2028, 2, 29)), QDate(2027, 2, 28));
    EXPECT_EQ(nearestSameWeekdayLastYear(QDate(2028, 2, 29)), QDate(2027, 3, 2));
    // Friday 1 January 2027 is in week 1; last year's week 1 starts on Monday 29 December 2025.
    EXPECT_EQ(sameWeekAndWeekdayLastYear(QDate(2027, 1, 1)), QDate(2026, 1, 2));
    // Monday 1 January 2029: last year's week 1 holds Saturday 1 January 2028,
    // so its Monday is in December 2027.
    EXPECT_EQ(sameWeekAndWeekdayLastYear(QDate(2029, 1, 1)), QDate(2027, 12, 27));
    // Tuesday 31 December 2024 is in week 53 of a leap year.
    EXPECT_EQ(weekOfYearFromJanuaryFirst(QDate(2024, 12, 31)), 53);
    EXPECT_EQ(sameWeekAndWeekdayLastYear(QDate(2024, 12, 31)), QDate(2023, 12, 26));
}

TEST(ComparisonDays, HostValueSelectsTheMode)
{
    EXPECT_EQ(comparisonMode(QVariant()), ComparisonMode::NearestWeekday);
    EXPECT_EQ(comparisonMode(QString()), ComparisonMode::NearestWeekday);
    EXPECT_EQ(comparisonMode(QStringLiteral("0")), ComparisonMode::NearestWeekday);
    EXPECT_EQ(comparisonMode(1), ComparisonMode::SameWeekAndWeekday);
    EXPECT_EQ(comparisonMode(QStringLiteral(" 1 ")), ComparisonMode::SameWeekAndWeekday);
    EXPECT_EQ(comparisonMode(2), ComparisonMode::None);
    EXPECT_EQ(comparisonMode(QStringLiteral("uno")), ComparisonMode::None);
}
