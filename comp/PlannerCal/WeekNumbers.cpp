// Week numbers of the calendar's rows, counted from the year start that applies to each row.
#include "comp/PlannerCal/WeekNumbers.h"

#include "platform/core/Math.h"

#include <algorithm>

namespace {

// A year start as a date; a day beyond the month's length (31 February) means its last day.
TDateTime yearStart(int year, int month, int day)
{
    day = std::min(day, DaysInAMonth(year, month));
    TDateTime d = 0;
    TryEncodeDate(year, month, std::max(day, 1), d);
    return d;
}

// Rows past the ends of the calendar (before year 1, after 9999) count as those years.
int yearOf(TDateTime date)
{
    int y = 0, m = 0, d = 0;
    if (!TryDecodeDate(date, y, m, d))
        return date < 0 ? 0 : 10000;
    return y;
}

} // namespace

int CalendarWeekNumber(int year, int month, int row, int startDay, const TYearStartAt& ys)
{
    TDateTime first = 0;
    if (!TryEncodeDate(year, month, 1, first))
        return 0;
    int lead = DayOfWeek(first) - startDay;
    if (lead < 1)
        lead += 7;
    // The date in the row's last column.
    const TDateTime e = first + (8 - lead - 1) + 7 * (row - 1);

    const TDateTime s =
        yearStart(ys.StartMonth() == 12 ? year - 1 : year, ys.StartMonth(), ys.StartDay());
    const TDateTime sNext = yearStart(ys.NextYearStartMonth() == 12 ? year : year + 1,
                                      ys.NextYearStartMonth(), ys.NextYearStartDay());
    const TDateTime sPrev = yearStart(ys.PrevYearStartMonth() == 12 ? year - 2 : year - 1,
                                      ys.PrevYearStartMonth(), ys.PrevYearStartDay());
    const int eYear = yearOf(e);
    TDateTime reference = 0;
    if ((eYear == year && e >= s) || (e < sNext && month == 12))
        reference = s;
    else if (eYear > year)
        reference = sNext;
    else
        reference = sPrev;
    return int(Round(e - reference) / 7) + 1;
}
