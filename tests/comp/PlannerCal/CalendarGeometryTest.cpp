// The calendar's pixel arithmetic: column width, row height and left offset for each layout,
// day cells, the date under a point, lead days for each first weekday, arrow zones and caption
// zones; and the year start's range checks.
#include "comp/PlannerCal/CalendarGeometry.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

struct LayoutCase
{
    const char* name;
    int width, height;
    bool showWeeks, showGotoToday;
    int dx, dy, x0;
};

TEST(CalendarGeometry, ColumnWidthRowHeightAndLeftOffset)
{
    const LayoutCase cases[] = {
        {"defaults", 180, 180, false, false, 24, 23, 1},
        {"week column", 180, 180, true, false, 21, 23, 21},
        {"today line", 180, 180, false, true, 24, 20, 1},
        {"both", 180, 180, true, true, 21, 20, 21},
        {"wide and short", 250, 120, false, false, 34, 16, 1},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto g = TCalendarGeometry::Compute(c.width, c.height, 1, c.showWeeks,
                                                  c.showGotoToday, 2026, 6, 7);
        EXPECT_EQ(g.DX, c.dx);
        EXPECT_EQ(g.DY, c.dy);
        EXPECT_EQ(g.X0, c.x0);
        EXPECT_EQ(g.T, 16);
    }
}

TEST(CalendarGeometry, DayCellsAndRepaintRectangles)
{
    const auto g = TCalendarGeometry::Compute(180, 180, 1, false, false, 2026, 6, 7);
    // The first day row starts at 16 + 23 - 2.
    EXPECT_EQ(g.DayCell(1, 1), (TRect{5, 37, 27, 60}));
    EXPECT_EQ(g.DayCell(7, 6), (TRect{1 + 6 * 24 + 4, 37 + 5 * 23, 1 + 7 * 24 + 2, 37 + 6 * 23}));
    // 1 June 2026 is a Monday, the second cell with Sunday first.
    const TDateTime june1 = EncodeDate(2026, 6, 1);
    EXPECT_EQ(g.RepaintRect(june1), (TRect{25, 37, 51, 60}));
    int c = 0, w = 0;
    ASSERT_TRUE(g.CellOf(EncodeDate(2026, 6, 30), c, w));
    EXPECT_EQ(c, 3);
    EXPECT_EQ(w, 5);
    EXPECT_FALSE(g.CellOf(EncodeDate(2026, 8, 1), c, w));
    EXPECT_TRUE(g.RepaintRect(EncodeDate(2026, 8, 1)).IsEmpty());
    const auto weeks = TCalendarGeometry::Compute(180, 180, 1, true, false, 2026, 6, 7);
    EXPECT_EQ(weeks.DayCell(1, 1), (TRect{25, 37, 44, 60}));
}

TEST(CalendarGeometry, ValuesFarOffTheGridHaveNoCell)
{
    const auto g = TCalendarGeometry::Compute(180, 180, 1, false, false, 2026, 6, 7);
    int c = 0, w = 0;
    for (double value : {std::nan(""), 1e300, -1e300, 1e19, -1e19}) {
        SCOPED_TRACE(value);
        EXPECT_FALSE(g.CellOf(value, c, w));
        EXPECT_TRUE(g.RepaintRect(value).IsEmpty());
    }
    // The grid's own ends still have theirs.
    EXPECT_TRUE(g.CellOf(g.CellDate(1), c, w));
    EXPECT_TRUE(g.CellOf(g.CellDate(42) + 0.4, c, w));
    EXPECT_EQ(c, 7);
    EXPECT_EQ(w, 6);
}

TEST(CalendarGeometry, LeadDaysForEachFirstWeekday)
{
    // June 2026 starts on a Monday.
    const int expected[8] = {0, /*Mon*/ 0, /*Tue*/ 6, 5, 4, 3, 2, /*Sun*/ 1};
    for (int startDay = 1; startDay <= 7; ++startDay) {
        SCOPED_TRACE(startDay);
        EXPECT_EQ(CalendarLeadDays(2026, 6, startDay), expected[startDay]);
        const auto g = TCalendarGeometry::Compute(180, 180, 1, false, false, 2026, 6, startDay);
        // The first cell shows the previous month's day, or the 1st with no lead.
        const TDateTime first = g.CellDate(1);
        EXPECT_EQ(first, EncodeDate(2026, 6, 1) - expected[startDay]);
        // The first cell's weekday is always the first day of the week.
        EXPECT_EQ((DayOfWeek(first) + 5) % 7 + 1, startDay);
    }
    // A month starting on Sunday with Sunday first has no lead (February 2026).
    EXPECT_EQ(CalendarLeadDays(2026, 2, 7), 0);
}

struct PointCase
{
    int x, y;
    int year, month, day, offset;
};

TEST(CalendarGeometry, DateUnderAPoint)
{
    const auto g = TCalendarGeometry::Compute(180, 180, 1, false, false, 2026, 6, 7);
    const PointCase cases[] = {
        {6, 44, 2026, 5, 31, -1},  // first cell: the previous month's last Sunday
        {30, 44, 2026, 6, 1, 0},   // second cell
        {150, 44, 2026, 6, 6, 0},  // Saturday of the first row
        {60, 140, 2026, 6, 30, 0}, // row 5, column 3
        {100, 140, 2026, 7, 2, 1},
        {150, 159, 2026, 7, 11, 1}, // the last cell
        // Beyond the grid: the last column and row.
        {179, 179, 2026, 7, 11, 1},
    };
    for (const PointCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        int offset = 99;
        EXPECT_EQ(g.DateAt(c.x, c.y, offset), EncodeDate(c.year, c.month, c.day));
        EXPECT_EQ(offset, c.offset);
    }
}

TEST(CalendarGeometry, DateUnderAPointWithTheWeekColumnAndMondayFirst)
{
    // X0 = DX = 21; June 2026 starts in the first cell.
    const auto g = TCalendarGeometry::Compute(180, 180, 1, true, false, 2026, 6, 1);
    ASSERT_EQ(g.Lead, 0);
    const PointCase cases[] = {
        {22, 44, 2026, 6, 1, 0},      // just right of the week column
        {21 + 20, 44, 2026, 6, 1, 0}, // the first column's last pixel
        {21 + 21, 44, 2026, 6, 2, 0},
        {21 + 6 * 21 + 3, 44, 2026, 6, 7, 0},
        {21 + 21 + 5, 37 + 4 * 23 + 5, 2026, 6, 30, 0}, // row 5, Tuesday the 30th
        {21 + 2 * 21 + 5, 37 + 4 * 23 + 5, 2026, 7, 1, 1},
        {21 + 6 * 21, 37 + 5 * 23 + 5, 2026, 7, 12, 1},
    };
    for (const PointCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        int offset = 99;
        EXPECT_EQ(g.DateAt(c.x, c.y, offset), EncodeDate(c.year, c.month, c.day));
        EXPECT_EQ(offset, c.offset);
    }
    // The cell of the 1st sits right of the week column.
    EXPECT_EQ(g.DayCell(1, 1), (TRect{21 + 4, 37, 21 + 21 + 2, 60}));
}

TEST(CalendarGeometry, ArrowZonesFollowTheShownArrows)
{
    const auto g = TCalendarGeometry::Compute(180, 180, 1, false, false, 2026, 6, 7);
    TCalendarBrowsers browsers;
    TCalGlyphs glyphs;
    auto arrows = TCalendarArrows::Compute(g, browsers, glyphs);
    EXPECT_EQ(arrows.At(1 + 10, 8), TCalendarArrow::caPrevYear);
    EXPECT_EQ(arrows.At(1 + 30, 8), TCalendarArrow::caPrevMonth);
    EXPECT_EQ(arrows.At(180 - 27, 8), TCalendarArrow::caNextMonth);
    EXPECT_EQ(arrows.At(180 - 10, 8), TCalendarArrow::caNextYear);
    EXPECT_EQ(arrows.At(180 - 10, 15), TCalendarArrow::caNone); // y must stay below 15
    EXPECT_EQ(arrows.At(90, 8), TCalendarArrow::caNone);
    // The drawn triangles of the previous year arrow.
    EXPECT_EQ(arrows.PrevYear.Triangles, 2);
    EXPECT_EQ(arrows.PrevYear.Points[0], (TPoint{11, 4}));
    EXPECT_EQ(arrows.NextMonth.Points[2], (TPoint{155, 9}));

    browsers.SetPrevYear(false);
    browsers.SetNextYear(false);
    arrows = TCalendarArrows::Compute(g, browsers, glyphs);
    EXPECT_EQ(arrows.At(1 + 10, 8), TCalendarArrow::caPrevMonth);
    EXPECT_EQ(arrows.At(180 - 7, 8), TCalendarArrow::caNextMonth);
    EXPECT_EQ(arrows.NextMonth.Points[2], (TPoint{175, 9}));
}

TEST(CalendarGeometry, GlyphArrowsSitBesideEachOther)
{
    const auto g = TCalendarGeometry::Compute(180, 180, 1, false, false, 2026, 6, 7);
    TCalendarBrowsers browsers;
    TCalGlyphs glyphs;
    glyphs.SetPrevYear(TBitmap(12, 10));
    glyphs.SetPrevMonth(TBitmap(8, 10));
    glyphs.SetNextYear(TBitmap(12, 10));
    glyphs.SetNextMonth(TBitmap(8, 10));
    const auto arrows = TCalendarArrows::Compute(g, browsers, glyphs);
    EXPECT_EQ(arrows.PrevYear.GlyphAt, (TPoint{6, 2}));
    EXPECT_EQ(arrows.PrevMonth.GlyphAt, (TPoint{1 + 10 + 12, 2}));
    EXPECT_EQ(arrows.NextYear.GlyphAt, (TPoint{180 - 12 - 5, 2}));
    EXPECT_EQ(arrows.NextMonth.GlyphAt, (TPoint{180 - 8 - 12 - 10, 2}));
    EXPECT_EQ(arrows.At(24, 5), TCalendarArrow::caPrevMonth);
    EXPECT_EQ(arrows.At(170, 5), TCalendarArrow::caNextYear);
}

TEST(CalendarGeometry, CaptionZonesSplitMonthAndYear)
{
    const auto g = TCalendarGeometry::Compute(180, 180, 1, false, false, 2026, 6, 7);
    const auto z = TCaptionZones::Compute(g, 60, 25);
    EXPECT_EQ(z.TextLeft, 1 + (180 - 60 - 1) / 2);
    EXPECT_EQ(z.MonthRight - z.MonthLeft, 35);
    EXPECT_EQ(z.YearRight, z.TextLeft + 60);
    EXPECT_TRUE(z.InMonth(z.MonthLeft + 1, 5));
    EXPECT_TRUE(z.InYear(z.YearLeft + 1, 5));
    EXPECT_FALSE(z.InMonth(z.MonthLeft + 1, 15));
}

TEST(YearStartAt, RefusesDaysAndMonthsOutOfRange)
{
    TYearStartAt ys;
    std::vector<QString> errors;
    int changes = 0;
    ys.OnError = [&](TYearStartAt&, const QString& message) { errors.push_back(message); };
    ys.OnChange = [&](TYearStartAt&) { ++changes; };
    ys.SetStartDay(0);
    ys.SetNextYearStartDay(32);
    ys.SetStartMonth(13);
    ys.SetPrevYearStartMonth(0);
    ASSERT_EQ(errors.size(), 4u);
    EXPECT_EQ(errors[0], "Invalid day. Should be in [1..31]");
    EXPECT_EQ(errors[1], "Invalid day. Should be in [1..31]");
    EXPECT_EQ(errors[2], "Invalid month. Should be in [1..12]");
    EXPECT_EQ(errors[3], "Invalid month. Should be in [1..12]");
    EXPECT_EQ(ys.StartDay(), 1);
    EXPECT_EQ(ys.StartMonth(), 1);
    EXPECT_EQ(changes, 0);
    ys.SetStartDay(31);
    ys.SetStartMonth(12);
    EXPECT_EQ(ys.StartDay(), 31);
    EXPECT_EQ(ys.StartMonth(), 12);
    EXPECT_EQ(changes, 2);
}

} // namespace
