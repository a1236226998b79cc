// Week numbers against a plain day-of-year model for the default year start and against
// worked cases for shifted year starts.
#include "comp/PlannerCal/WeekNumbers.h"

#include <QDate>
#include <gtest/gtest.h>

namespace {

// The week number a plain model gives with every year starting on 1 January: the week of
// the year in which the row's last day falls.
int plainWeek(int year, int month, int row, int startDay)
{
    const QDate first(year, month, 1);
    // Qt counts Monday = 1 ... Sunday = 7, as startDay does.
    int lead = (first.dayOfWeek() - startDay + 7) % 7;
    const QDate last = first.addDays(6 - lead + 7 * (row - 1));
    return (last.dayOfYear() - 1) / 7 + 1;
}

TEST(CalendarWeekNumbers, DefaultYearStartAgreesWithThePlainModel)
{
    const TYearStartAt ys;
    for (int startDay : {1, 7})
        for (int year = 2020; year <= 2030; ++year)
            for (int month = 1; month <= 12; ++month)
                for (int row = 1; row <= 6; ++row) {
                    SCOPED_TRACE(testing::Message() << year << "-" << month << " row " << row
                                                    << " start " << startDay);
                    ASSERT_EQ(CalendarWeekNumber(year, month, row, startDay, ys),
                              plainWeek(year, month, row, startDay));
                }
}

struct WeekCase
{
    int year, month, row;
    int expected;
};

TEST(CalendarWeekNumbers, ShiftedYearStarts)
{
    TYearStartAt ys;
    ys.SetStartDay(4);
    ys.SetPrevYearStartDay(5);
    ys.SetNextYearStartDay(3);
    const WeekCase cases[] = {
        // Before this year's start: counted from the year before's start.
        {2026, 1, 1, 52},
        {2026, 1, 2, 1},
        {2026, 12, 1, 48},
        // Early January days of December's last rows still count in the old year...
        {2026, 12, 5, 52},
        // ...until the next year's start.
        {2026, 12, 6, 1},
    };
    for (const WeekCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << " row " << c.row);
        EXPECT_EQ(CalendarWeekNumber(c.year, c.month, c.row, 7, ys), c.expected);
    }
    // A year starting in December begins in the year before.
    TYearStartAt december;
    december.SetStartDay(29);
    december.SetStartMonth(12);
    EXPECT_EQ(CalendarWeekNumber(2026, 1, 1, 7, december), 1);
    EXPECT_EQ(CalendarWeekNumber(2026, 1, 2, 7, december), 2);
}

TEST(CalendarWeekNumbers, DayBeyondTheStartMonthMeansItsLastDay)
{
    TYearStartAt ys;
    ys.SetStartDay(31);
    ys.SetStartMonth(2); // 28 February 2026
    // The first row of March 2026 ends on Saturday 7 March, a week after the start.
    EXPECT_EQ(CalendarWeekNumber(2026, 3, 1, 7, ys), 2);
}

} // namespace
