#pragma once
// The day of the previous year whose sales the terminal monitor shows next to
// today's. The host value "Tpv_ModoOpVtasEstadoTpvs" picks the rule:
//   0 (or empty)  the same date a year ago, and the day of last year with
//                 today's weekday nearest to it (forward when both are as near);
//   1             the day of last year in the same week of the year (weeks
//                 start on Monday, week 1 holds 1 January) and the same weekday.
// Any other value shows no comparison.
#include "terminals_export.h"
#include <QDate>
#include <QVariant>

namespace zqvr::terminals {

enum class ComparisonMode { None = -1, NearestWeekday = 0, SameWeekAndWeekday = 1 };

// The mode a host value asks for: empty or invalid counts as 0; a value that
// is not 0 or 1 (or not a number at all) gives None.
ZQVR_TERMINALS_EXPORT ComparisonMode comparisonMode(const QVariant& hostValue);

// Today's date a year earlier; 29 February falls back to 28 February.
ZQVR_TERMINALS_EXPORT QDate sameDateLastYear(const QDate& today);
// The day with today's weekday nearest to sameDateLastYear(today); forward on a tie.
ZQVR_TERMINALS_EXPORT QDate nearestSameWeekdayLastYear(const QDate& today);
// Week of the year: weeks start on Monday and week 1 is the week of 1 January.
ZQVR_TERMINALS_EXPORT int weekOfYearFromJanuaryFirst(const QDate& day);
// The day of last year in today's week of the year, with today's weekday. In
// a short first week it can fall in the last days of the year before.
ZQVR_TERMINALS_EXPORT QDate sameWeekAndWeekdayLastYear(const QDate& today);

} // namespace zqvr::terminals
