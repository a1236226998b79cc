// The planner's time services in every planner mode: cells to times and back, active cells
// and cell brushes, day names and time texts, an item's start and end written and read, the
// caption and range texts, and the grid update that follows the display settings. The clock
// is pinned to Wednesday 11 March 2026, 10:00, so that the mode's dates are known: month
// start 1 March (a Sunday), week start (plWeek, WeekStart 0) Saturday 28 February, period
// 11 March to 28 April, time line from 11 March.
#include "PlannerFixture.h"
#include "comp/planutil/DateTimeList.h"
#include "platform/core/DateFormat.h"
#include "platform/core/FormatSettings.h"

#include <climits>
#include <cmath>
#include <functional>
#include <iterator>
#include <random>
#include <vector>

namespace {

using PlannerTime = PlannerFixture;

TDateTime at(int month, int day, int hour = 0, int minute = 0)
{
    return EncodeDateTime(2026, month, day, hour, minute, 0, 0);
}

// Compares date-times to the millisecond.
void expectTime(TDateTime actual, TDateTime expected)
{
    EXPECT_NEAR(actual, expected, 0.5 / MSecsPerDay)
        << FormatDateTime(QStringLiteral("yyyy-mm-dd hh:nn:ss"), actual).toStdString();
}

class PlannerModes : public PlannerFixture
{
protected:
    void mode(TPlannerType type)
    {
        planner->Mode().SetPlannerType(type);
        planner->CustomDates().Clear();
        for (int day : {10, 12, 14, 16})
            planner->CustomDates().Add(at(3, day));
    }
};

struct CellCase
{
    TPlannerType type;
    TDateTime value;
    int cell;
};

TEST_F(PlannerModes, TimeToCellInEveryMode)
{
    using T = TPlannerType;
    const CellCase cases[] = {
        {T::plDay, at(3, 11, 8, 0), 16},
        {T::plDay, at(3, 11, 9, 45), 19},
        {T::plWeek, at(3, 4, 15, 0), 4},
        {T::plMonth, at(3, 15, 12, 0), 14},
        {T::plDayPeriod, at(3, 11), 0},
        // One more than the days since the period start, as the period grid counts them.
        {T::plDayPeriod, at(3, 13), 3},
        {T::plDayPeriod, at(3, 12, 12, 0), 3},
        {T::plHalfDayPeriod, at(3, 12, 12, 0), 5},
        {T::plHalfDayPeriod, at(3, 10), 0},
        {T::plTimeLine, at(3, 12, 9, 0), 66},
        {T::plTimeLine, at(3, 10, 9, 0), -30},
        // Midnight of an earlier day is that day's first cell, the start of CellToTimeRange(-48).
        {T::plTimeLine, at(3, 10), -48},
        {T::plTimeLine, at(3, 9), -96},
        {T::plTimeLine, at(3, 10, 0, 30), -47},
        {T::plMultiMonth, at(3, 20), 0},
        {T::plCustomList, at(3, 11), 1},
        {T::plCustomList, at(3, 20), 0},
    };
    for (const CellCase& c : cases) {
        SCOPED_TRACE(int(c.type));
        mode(c.type);
        EXPECT_EQ(planner->TimeToCell(c.value), c.cell);
    }
}

TEST_F(PlannerModes, TimeLineLeavesOutTheUnitsNotShown)
{
    mode(TPlannerType::plTimeLine);
    planner->Mode().SetTimeLineNVUBegin(16); // the day starts at 08:00
    EXPECT_EQ(planner->TimeToCell(at(3, 12, 9, 0)), 34);
    EXPECT_EQ(planner->TimeToCell(at(3, 11, 7, 0)), 0);
}

struct RangeCase
{
    TPlannerType type;
    int cell;
    TDateTime start, end; // -1: left as it was
};

TEST_F(PlannerModes, CellToTimeRangeInEveryMode)
{
    using T = TPlannerType;
    const RangeCase cases[] = {
        {T::plDay, 16, at(3, 11, 8, 0), at(3, 11, 8, 30)},
        // The last half hour has no end within the day.
        {T::plDay, 47, at(3, 11, 23, 30), -1},
        {T::plWeek, 3, at(3, 3), at(3, 4)},
        {T::plMonth, 3, at(3, 4), at(3, 5)},
        {T::plDayPeriod, 2, at(3, 13), at(3, 14)},
        {T::plHalfDayPeriod, 3, at(3, 12, 12, 0), at(3, 13)},
        {T::plMultiMonth, 30, at(3, 31), at(3, 31)},
        {T::plMultiMonth, 31, -1, -1},
        {T::plTimeLine, 50, at(3, 12, 1, 0), at(3, 12, 1, 30)},
        {T::plTimeLine, -1, at(3, 10, 23, 30), at(3, 11)},
        {T::plTimeLine, -48, at(3, 10), at(3, 10, 0, 30)},
        {T::plCustomList, 1, at(3, 12), at(3, 14)},
        {T::plCustomList, 3, at(3, 16), 0},
    };
    for (const RangeCase& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.type) << " cell " << c.cell);
        mode(c.type);
        TDateTime start = -1, end = -1;
        planner->CellToTimeRange(c.cell, start, end);
        expectTime(start, c.start);
        expectTime(end, c.end);
    }
}

TEST_F(PlannerModes, CurrentDateOfTheDayModeComesFromTheEvent)
{
    planner->OnGetCurrentTime = [](TCustomPlanner&, TDateTime& now) { now = at(5, 1, 9, 0); };
    TDateTime start = 0, end = 0;
    planner->CellToTimeRange(18, start, end);
    expectTime(start, at(5, 1, 9, 0));
}

struct ActiveCase
{
    TPlannerType type;
    int cell, pos;
    bool active;
};

TEST_F(PlannerModes, ActiveCellsInEveryMode)
{
    using T = TPlannerType;
    const ActiveCase cases[] = {
        {T::plDay, 15, 0, false},         {T::plDay, 16, 0, true},
        {T::plDay, 39, 0, true},          {T::plDay, 40, 0, false},
        {T::plWeek, 0, 0, false},         {T::plWeek, 1, 0, false},
        {T::plWeek, 2, 0, true},          {T::plWeek, 7, 0, false},
        {T::plWeek, -1, 0, true},         {T::plMonth, 0, 0, false},     // Sunday 1 March
        {T::plMonth, 1, 0, true},         {T::plMonth, 6, 0, false},     // Saturday 7 March
        {T::plDayPeriod, 0, 0, true},     {T::plDayPeriod, 3, 0, false}, // Saturday 14 March
        {T::plHalfDayPeriod, 5, 0, true}, {T::plHalfDayPeriod, 6, 0, false},
        {T::plMultiMonth, 30, 0, true},  // Tuesday 31 March
        {T::plMultiMonth, 31, 0, false}, // March has no 32nd
        {T::plMultiMonth, 29, 1, true},  // Thursday 30 April
        {T::plMultiMonth, 30, 1, false},  {T::plMultiMonth, 0, 0, false},
        {T::plTimeLine, 47, 0, true},     {T::plTimeLine, 144, 0, false}, // Saturday 14 March
        {T::plCustom, 0, 0, true},
    };
    for (const ActiveCase& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.type) << " cell " << c.cell << " pos " << c.pos);
        mode(c.type);
        EXPECT_EQ(planner->IsActive(c.cell, c.pos), c.active);
    }
}

TEST_F(PlannerModes, WeekDaysPlayNoPartInTheDayMode)
{
    planner->InActiveDays().SetWed(true);
    EXPECT_TRUE(planner->IsActive(20, 0));
    mode(TPlannerType::plDayPeriod);
    EXPECT_FALSE(planner->IsActive(0, 0)) << "11 March is a Wednesday";
    planner->InActiveDays().SetWed(false);
    EXPECT_TRUE(planner->IsActive(0, 0));
}

TEST_F(PlannerModes, CellActiveEventHasTheLastWord)
{
    planner->OnCellActive = [](TCustomPlanner&, int index, bool& active, int pos) {
        if (index == 2 && pos == 1)
            active = true;
    };
    EXPECT_TRUE(planner->IsActive(2, 1));
    EXPECT_FALSE(planner->IsActive(2, 0));
}

TEST_F(PlannerTime, CellBrushFromDisplayBandsAndPositionProps)
{
    TBrush brush;
    planner->CellBrush(0, 16, brush);
    EXPECT_EQ(brush.Color(), clWhite);
    planner->CellBrush(0, 10, brush);
    EXPECT_EQ(brush.Color(), clSilver);

    planner->Bands().Show = true;
    planner->CellBrush(0, 17, brush);
    EXPECT_EQ(brush.Color(), planner->Bands().ActivePrimary);
    planner->CellBrush(0, 18, brush);
    EXPECT_EQ(brush.Color(), planner->Bands().ActiveSecondary);
    planner->CellBrush(0, 3, brush);
    EXPECT_EQ(brush.Color(), planner->Bands().NonActivePrimary);
    planner->Bands().Show = false;

    TPositionProp& prop = planner->PositionProps().Add();
    prop.ActiveStart = 10;
    prop.ColorActive = clYellow;
    prop.MinSelection = 12;
    prop.MaxSelection = 30;
    prop.BrushNoSelect = TBrushStyle::bsBDiagonal;
    planner->CellBrush(0, 12, brush);
    EXPECT_EQ(brush.Color(), clYellow);
    EXPECT_EQ(brush.Style(), TBrushStyle::bsSolid);
    planner->CellBrush(0, 11, brush);
    EXPECT_EQ(brush.Color(), clRed);
    EXPECT_EQ(brush.Style(), TBrushStyle::bsBDiagonal);
    planner->CellBrush(0, 30, brush);
    EXPECT_EQ(brush.Color(), clRed);
    EXPECT_TRUE(planner->IsActive(10, 0));
    EXPECT_FALSE(planner->IsActive(10, 1)) << "position 1 has no props";
    prop.Use = false;
    planner->CellBrush(0, 11, brush);
    EXPECT_EQ(brush.Color(), clSilver);
}

TEST_F(PlannerTime, DayNames)
{
    const std::pair<int, const char*> cases[] = {{1, "Sun"}, {7, "Sat"},  {8, "Sun"},
                                                 {0, "Sat"}, {-1, "Fri"}, {14, "Sat"},
                                                 {9, "Mon"}, {-15, "Fri"}};
    for (const auto& [n, name] : cases) {
        SCOPED_TRACE(n);
        EXPECT_EQ(planner->DayName(n), QString::fromLatin1(name));
    }
    planner->SetDayNames(
        TStringList{QStringLiteral("So"), QStringLiteral("Mo"), QStringLiteral("Di")});
    EXPECT_EQ(planner->DayName(2), QStringLiteral("Mo"));
    EXPECT_EQ(planner->DayName(5), QStringLiteral("Thu")) << "the list is too short";
}

struct TimeStringCase
{
    THourType type;
    int minutes;
    const char *hours, *mins, *ampm, *text;
};

TEST_F(PlannerTime, TimeTextsByHourType)
{
    using H = THourType;
    const TimeStringCase cases[] = {
        {H::ht24hrs, 750, "12", "30", "", "12:30"},
        {H::ht24hrs, -30, "23", "30", "", "23:30"},
        {H::ht24hrs, 545, "9", "05", "", "9:05"},
        {H::ht24hrs, 1500, "1", "00", "", "1:00"},
        {H::ht12hrs, 810, "1", "30", "", "1:30"},
        {H::htAMPM0, 30, "0", "30", "AM", "0:30 AM"},
        {H::htAMPM0, 750, "12", "30", "PM", "12:30 PM"},
        {H::htAMPM0, 870, "2", "30", "PM", "2:30 PM"},
        {H::htAMPM1, 750, "12", "30", "AM", "12:30 AM"},
        {H::htAMPM1, 30, "0", "30", "PM", "0:30 PM"},
        {H::htAMPMOnce, 840, "2", "PM", "", "2:PM"},
        {H::htAMPMOnce, 870, "2", "30", "", "2:30"},
        {H::htAMPMOnce, 540, "9", "AM", "", "9:AM"},
    };
    for (const TimeStringCase& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.type) << " " << c.minutes);
        planner->SetHourType(c.type);
        QString hours, mins, ampm;
        planner->PlanTimeToStrings(c.minutes, hours, mins, ampm);
        EXPECT_EQ(hours, QString::fromLatin1(c.hours));
        EXPECT_EQ(mins, QString::fromLatin1(c.mins));
        EXPECT_EQ(ampm, QString::fromLatin1(c.ampm));
        EXPECT_EQ(planner->TimeText(c.minutes), QString::fromLatin1(c.text));
    }
}

TEST_F(PlannerTime, TimeStringsEventAndLocaleTexts)
{
    TFormatSettings fs = TFormatSettings::Fixed();
    fs.TimeAMString = QString();
    fs.TimePMString = QStringLiteral("nachm.");
    fs.TimeSeparator = QLatin1Char('.');
    TFormatSettingsGuard guard(fs);
    planner->SetHourType(THourType::htAMPM0);
    EXPECT_EQ(planner->TimeText(30), QStringLiteral("0.30 AM")) << "no AM text: the built-in one";
    EXPECT_EQ(planner->TimeText(900), QStringLiteral("3.00 nachm."));
    unsigned seen = 0;
    planner->OnPlanTimeToStrings = [&](TCustomPlanner&, unsigned minutes, QString& h, QString&,
                                       QString& ampm) {
        seen = minutes;
        h = QStringLiteral("x");
        ampm.clear();
    };
    EXPECT_EQ(planner->TimeText(-60), QStringLiteral("x.00"));
    EXPECT_EQ(seen, 1380u);
}

// --- The grid update ----------------------------------------------------------------------

TEST_F(PlannerTime, NewPlannerGrid)
{
    EXPECT_EQ(planner->Positions(), 3);
    EXPECT_EQ(planner->Grid().CellCount(), 48);
    EXPECT_EQ(planner->Grid().ColCount(), 4);
    EXPECT_EQ(planner->Grid().FixedCols(), 1);
    EXPECT_EQ(planner->Grid().RowHeights(0), 24);
    TDateTime start = 0, end = 0;
    planner->CellToTimeRange(16, start, end);
    expectTime(start, at(3, 11, 8, 0));
    EXPECT_EQ(planner->Display().ActiveStartMinutes(), 8 * 60);
    EXPECT_EQ(planner->Display().ActiveEndMinutes(), 20 * 60);
    planner->SetPositions(0);
    planner->SetPositions(-2);
    EXPECT_EQ(planner->Positions(), 3);
    planner->SetPositions(7);
    EXPECT_EQ(planner->Grid().ColCount(), 8);
}

TEST_F(PlannerTime, UnitChangeKeepsItemsAtTheirTimes)
{
    TPlannerItem& item = add(18, 21); // 09:00 - 10:30
    planner->Display().SetDisplayUnit(60);
    EXPECT_EQ(item.BeginMinutes(), 540);
    EXPECT_EQ(item.EndMinutes(), 630);
    EXPECT_EQ(item.ItemBegin(), 9);
    EXPECT_EQ(item.ItemEnd(), 11) << "the end rounds up";
    EXPECT_EQ(planner->Display().DisplayEnd(), 23);
    EXPECT_EQ(planner->Display().ActiveStart(), 8);
    EXPECT_EQ(planner->Display().ActiveEnd(), 20);
    EXPECT_EQ(planner->Grid().CellCount(), 24);
    planner->Display().SetDisplayUnit(0);
    EXPECT_EQ(planner->Display().DisplayUnit(), 60);
}

TEST_F(PlannerTime, UnitChangeScrollsToTheSameTime)
{
    planner->resize(350, 200);
    planner->show();
    planner->Grid().SetTopRow(20); // 10:00
    planner->Display().SetDisplayUnit(15);
    EXPECT_EQ(planner->Grid().TopRow(), 40);
}

TEST_F(PlannerTime, OffsetAndStartKeepItemsAtTheirTimes)
{
    TPlannerItem& item = add(18, 21);
    planner->Display().SetDisplayOffset(45);
    EXPECT_EQ(planner->Display().DisplayOffset(), 0) << "more than a unit is ignored";
    planner->Display().SetDisplayOffset(15);
    EXPECT_EQ(item.ItemBegin(), 17);
    EXPECT_EQ(item.ItemEnd(), 21);
    planner->Display().SetDisplayOffset(0);
    planner->Display().SetDisplayStart(16);
    EXPECT_EQ(item.ItemBegin(), 2);
    EXPECT_EQ(item.ItemEnd(), 5);
    EXPECT_EQ(planner->Grid().CellCount(), 32);
    EXPECT_EQ(planner->Display().StartLimit(), 480);
}

TEST_F(PlannerTime, OtherDisplaySettingsKeepItemsAtTheirCells)
{
    TPlannerItem& item = add(0, 1);
    item.SetItemStartTime(at(3, 11, 9, 10));
    EXPECT_EQ(item.BeginMinutes(), 550);
    planner->Display().SetActiveStart(10);
    EXPECT_EQ(item.BeginMinutes(), 540) << "minutes follow the cells again";
    EXPECT_EQ(item.ItemBegin(), 18);
}

// Stored values are applied in any order: while loading the display takes both bounds, and
// the load completion checks them as a pair.
TEST_F(PlannerTime, StoredDisplayWindowIsTakenInAnyOrder)
{
    struct Case
    {
        const char* name;
        bool endFirst;
        int start, end, wantStart, wantEnd;
    };
    const Case cases[] = {
        {"start first", false, 48, 95, 48, 95},
        {"end first", true, 48, 95, 48, 95},
        {"start past the end", false, 60, 50, 0, 47},
        {"end below the start", true, 60, 50, 0, 47},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        planner = std::make_unique<TCustomPlanner>();
        TPlannerDisplay& d = planner->Display();
        planner->BeginLoad();
        if (c.endFirst)
            d.SetDisplayEnd(c.end);
        d.SetDisplayStart(c.start);
        if (!c.endFirst)
            d.SetDisplayEnd(c.end);
        planner->Loaded();
        EXPECT_EQ(d.DisplayStart(), c.wantStart);
        EXPECT_EQ(d.DisplayEnd(), c.wantEnd);
        EXPECT_EQ(d.StartLimit(), c.wantStart * 30);
        EXPECT_EQ(planner->Grid().CellCount(), c.wantEnd - c.wantStart + 1);
        // Once loaded, a bound out of order is ignored again.
        d.SetDisplayStart(c.wantEnd + 1);
        EXPECT_EQ(d.DisplayStart(), c.wantStart);
    }
}

TEST_F(PlannerTime, DisplayUpdatesAreBatched)
{
    TPlannerItem& item = add(18, 21);
    planner->Display().BeginUpdate();
    planner->Display().SetDisplayStart(10);
    planner->Display().SetDisplayEnd(30);
    EXPECT_EQ(planner->Grid().CellCount(), 48);
    planner->Display().EndUpdate();
    EXPECT_EQ(planner->Grid().CellCount(), 21);
    EXPECT_EQ(item.ItemBegin(), 8);
}

TEST_F(PlannerTime, ScaleToFitAndBack)
{
    planner->resize(350, 300);
    planner->show();
    // The scale fits the client height the grid has when the fit is made.
    int extent = planner->Grid().CellAxisExtent();
    planner->Display().SetScaleToFit(true);
    EXPECT_EQ(planner->Display().DisplayScale(), extent / 48);
    EXPECT_EQ(planner->Grid().RowHeights(5), extent / 48);
    extent = planner->Grid().CellAxisExtent();
    planner->Display().SetDisplayEnd(23);
    EXPECT_EQ(planner->Display().DisplayScale(), extent / 24);
    planner->Display().SetScaleToFit(false);
    EXPECT_EQ(planner->Display().DisplayScale(), 24);
}

TEST_F(PlannerTime, PeriodUpdateSizesThePeriodModes)
{
    TPlannerMode& mode = planner->Mode();
    mode.SetPlannerType(TPlannerType::plDayPeriod);
    mode.SetPeriodEndDay(20); // 20 April
    EXPECT_EQ(planner->Display().DisplayStart(), 0);
    EXPECT_EQ(planner->Display().DisplayEnd(), 40);
    mode.SetPlannerType(TPlannerType::plHalfDayPeriod);
    mode.SetPeriodEndDay(21);
    EXPECT_EQ(planner->Display().DisplayEnd(), 83);
    // An end before the start leaves the display as it is.
    mode.BeginUpdate();
    mode.SetPeriodEndMonth(3);
    mode.SetPeriodEndDay(1);
    mode.EndUpdate();
    EXPECT_EQ(planner->Display().DisplayEnd(), 83);
    mode.SetPeriodStartDay(32);
    EXPECT_EQ(mode.PeriodStartDay(), 11);
    mode.SetPeriodStartMonth(13);
    EXPECT_EQ(mode.PeriodStartMonth(), 3);
}

TEST_F(PlannerTime, SafeEncodeDate)
{
    struct Case
    {
        int y, m, d;
        TDateTime expected;
    };
    const Case cases[] = {
        {2026, 2, 30, EncodeDate(2026, 2, 28)},
        {2024, 2, 30, EncodeDate(2024, 2, 29)},
        {1900, 2, 29, 0},
        {2026, 13, 5, EncodeDate(2026, 12, 5)},
        {0, 1, 1, 0},
        {2026, 4, 31, EncodeDate(2026, 4, 30)},
        {2026, 0, 5, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.y << "-" << c.m << "-" << c.d);
        EXPECT_EQ(SafeEncodeDate(c.y, c.m, c.d), c.expected);
    }
    planner->Mode().SetPlannerType(TPlannerType::plWeek);
    EXPECT_EQ(planner->Mode().MonthStartDate(), at(2, 28));
    planner->Mode().SetWeekStart(6);
    EXPECT_EQ(planner->Mode().MonthStartDate(), at(3, 1)) << "the 1st already starts a week";
    EXPECT_EQ(planner->Mode().PeriodEndDate(), at(3, 1) + 47);
    planner->Mode().SetWeekStart(1);
    EXPECT_EQ(planner->Mode().MonthStartDate(), at(2, 27));
}

// --- Item times --------------------------------------------------------------------------

class ItemTimes : public PlannerModes
{
protected:
    ItemTimes()
    {
        planner->OnPositionToDay = [](TCustomPlanner&, int pos, TDateTime& day) {
            day = at(3, 11) + pos;
        };
    }
    TPlannerItem& place(TDateTime start, TDateTime end)
    {
        TPlannerItem& item = items().Add();
        item.SetItemStartTime(start);
        item.SetItemEndTime(end);
        return item;
    }
};

struct ItemTimeCase
{
    TPlannerType type;
    TDateTime start, end;
    int pos, begin, itemEnd, beginOffset, endOffset;
    TDateTime readStart, readEnd;
};

TEST_F(ItemTimes, WrittenAndReadInEveryMode)
{
    using T = TPlannerType;
    const ItemTimeCase cases[] = {
        {T::plDay, at(3, 11, 9, 0), at(3, 11, 10, 30), 0, 18, 21, 0, 0, at(3, 11, 9, 0),
         at(3, 11, 10, 30)},
        // Past midnight: the end lies beyond the display and reads back the next day.
        {T::plDay, at(3, 11, 22, 0), at(3, 12, 1, 0), 0, 44, 48, 0, 2, at(3, 11, 22, 0),
         at(3, 12, 1, 0)},
        {T::plWeek, at(3, 3, 9, 0), at(3, 5, 17, 0), 0, 3, 6, 0, 0, at(3, 3, 9, 0),
         at(3, 5, 17, 0)},
        {T::plWeek, at(2, 27, 9, 0), at(3, 2, 12, 0), 0, 0, 3, 1, 0, at(2, 27, 9, 0),
         at(3, 2, 12, 0)},
        {T::plMonth, at(3, 10), at(3, 12, 12, 0), 0, 9, 12, 0, 0, at(3, 10), at(3, 12, 12, 0)},
        {T::plDayPeriod, at(3, 12, 8, 0), at(3, 13, 18, 0), 0, 1, 3, 0, 0, at(3, 12, 8, 0),
         at(3, 13, 18, 0)},
        {T::plHalfDayPeriod, at(3, 12, 12, 0), at(3, 13, 18, 0), 0, 3, 6, 0, 0, at(3, 12, 12, 0),
         at(3, 14)},
        {T::plMultiMonth, at(4, 5), at(4, 8), 1, 4, 8, 0, 0, at(4, 5), at(4, 8)},
        {T::plMultiMonth, at(12, 5), at(12, 8), 2, 4, 8, 0, 0, at(5, 5), at(5, 8)},
        {T::plCustomList, at(3, 11), at(3, 14), 0, 1, 2, 0, 0, at(3, 12), at(3, 14)},
    };
    for (const ItemTimeCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << int(c.type) << " from "
                     << FormatDateTime(QStringLiteral("mm-dd hh:nn"), c.start).toStdString());
        mode(c.type);
        items().Clear();
        TPlannerItem& item = place(c.start, c.end);
        EXPECT_EQ(item.ItemPos(), c.pos);
        EXPECT_EQ(item.ItemBegin(), c.begin);
        EXPECT_EQ(item.ItemEnd(), c.itemEnd);
        EXPECT_EQ(item.BeginOffset(), c.beginOffset);
        EXPECT_EQ(item.EndOffset(), c.endOffset);
        expectTime(item.ItemStartTime(), c.readStart);
        expectTime(item.ItemEndTime(), c.readEnd);
    }
}

// An end earlier in the day than the start, on the same date, runs past midnight: the end
// moves on a day and the start stays where it was.
TEST_F(ItemTimes, DayModeEndBeforeStartOnTheSameDateRunsPastMidnight)
{
    TPlannerItem& item = place(at(3, 11, 23, 0), at(3, 11, 1, 0));
    EXPECT_EQ(item.BeginMinutes(), 23 * 60);
    EXPECT_EQ(item.EndMinutes(), 25 * 60);
    EXPECT_EQ(item.ItemBegin(), 46);
    EXPECT_EQ(item.ItemEnd(), 48);
    EXPECT_EQ(item.EndOffset(), 2);
    expectTime(item.ItemStartTime(), at(3, 11, 23, 0));
    expectTime(item.ItemEndTime(), at(3, 12, 1, 0));
}

TEST_F(ItemTimes, TimeLineAcrossDays)
{
    mode(TPlannerType::plTimeLine);
    planner->Display().SetDisplayEnd(143); // three days of half hours
    TPlannerItem& item = place(at(3, 12, 9, 0), at(3, 12, 10, 0));
    EXPECT_EQ(item.ItemBegin(), 66);
    EXPECT_EQ(item.ItemEnd(), 68);
    expectTime(item.ItemStartTime(), at(3, 12, 9, 0));
    expectTime(item.ItemEndTime(), at(3, 12, 10, 0));
    EXPECT_EQ(item.CaptionTimeText(), QStringLiteral("9:00:00 AM - 10:00:00 AM 3/12/2026"));

    TPlannerItem& early = place(at(3, 10, 23, 0), at(3, 11, 1, 0));
    EXPECT_EQ(early.ItemBegin(), 0);
    EXPECT_EQ(early.BeginOffset(), 2);
    expectTime(early.ItemStartTime(), at(3, 10, 23, 0));
    EXPECT_EQ(early.CaptionTimeText(),
              QStringLiteral("11:00:00 PM 3/10/2026 - 1:00:00 AM 3/11/2026"));

    TPlannerItem& late = place(at(3, 13, 23, 0), at(3, 14, 2, 0));
    EXPECT_EQ(late.ItemEnd(), 144);
    EXPECT_EQ(late.EndOffset(), 4);
}

TEST_F(ItemTimes, DayModeBeforeTheDisplayAndInTheHeader)
{
    planner->Display().SetDisplayStart(16); // from 08:00
    TPlannerItem& item = place(at(3, 11, 7, 0), at(3, 11, 9, 0));
    EXPECT_EQ(item.ItemBegin(), 0);
    EXPECT_EQ(item.BeginOffset(), 2);
    EXPECT_EQ(item.ItemEnd(), 2);
    expectTime(item.ItemStartTime(), at(3, 11, 7, 0));
    EXPECT_EQ(item.StartText(), QStringLiteral("7:00"));
    EXPECT_EQ(item.CaptionTimeText(), QStringLiteral("7:00 - 9:00"));

    TPlannerItem& early = place(at(3, 11, 6, 0), at(3, 11, 7, 0));
    EXPECT_TRUE(early.InHeader());
    EXPECT_FALSE(early.Visible());
    EXPECT_EQ(early.CaptionTimeText(), QStringLiteral("6:00 - 7:00"));
}

struct GridStep
{
    const char* change;
    std::function<void(TPlannerDisplay&)> apply;
    int begin, end, beginOffset, endOffset;
};

struct ClippedScenario
{
    const char* name;
    TDateTime start, end;
    std::vector<GridStep> steps;
};

// Items clipped at either end of the display keep their times through display changes that
// keep the cells and through those that keep the minutes: the cells outside the grid stay
// offsets, and the cells inside stay within the grid.
TEST_F(ItemTimes, ClippedItemsKeepTheirTimesThroughDisplayChanges)
{
    using D = TPlannerDisplay;
    const ClippedScenario scenarios[] = {
        {"past midnight",
         at(3, 11, 22, 0),
         at(3, 12, 1, 0),
         {
             {"active start", [](D& d) { d.SetActiveStart(10); }, 44, 48, 0, 2},
             {"active start again", [](D& d) { d.SetActiveStart(12); }, 44, 48, 0, 2},
             {"shorter display", [](D& d) { d.SetDisplayEnd(45); }, 44, 46, 0, 4},
             {"full display", [](D& d) { d.SetDisplayEnd(47); }, 44, 48, 0, 2},
             {"scale", [](D& d) { d.SetDisplayScale(30); }, 44, 48, 0, 2},
             {"later start", [](D& d) { d.SetDisplayStart(4); }, 40, 44, 0, 2},
             {"start at midnight", [](D& d) { d.SetDisplayStart(0); }, 44, 48, 0, 2},
         }},
        {"before the display",
         at(3, 11, 7, 0),
         at(3, 11, 9, 0),
         {
             {"start at 08:00", [](D& d) { d.SetDisplayStart(16); }, 0, 2, 2, 0},
             {"active start", [](D& d) { d.SetActiveStart(10); }, 0, 2, 2, 0},
             {"hours", [](D& d) { d.SetDisplayUnit(60); }, 0, 1, 1, 0},
             {"half hours", [](D& d) { d.SetDisplayUnit(30); }, 0, 2, 2, 0},
             {"start at midnight", [](D& d) { d.SetDisplayStart(0); }, 14, 18, 0, 0},
         }},
    };
    for (const ClippedScenario& s : scenarios) {
        SCOPED_TRACE(s.name);
        planner = std::make_unique<TCustomPlanner>();
        planner->OnPositionToDay = [](TCustomPlanner&, int pos, TDateTime& day) {
            day = at(3, 11) + pos;
        };
        TPlannerItem& item = place(s.start, s.end);
        for (const GridStep& step : s.steps) {
            SCOPED_TRACE(step.change);
            step.apply(planner->Display());
            EXPECT_EQ(item.ItemBegin(), step.begin);
            EXPECT_EQ(item.ItemEnd(), step.end);
            EXPECT_EQ(item.BeginOffset(), step.beginOffset);
            EXPECT_EQ(item.EndOffset(), step.endOffset);
            expectTime(item.ItemStartTime(), s.start);
            expectTime(item.ItemEndTime(), s.end);
        }
    }
}

TEST_F(ItemTimes, RoundTimeTakesTheNearestCell)
{
    planner->RoundTime = true;
    TPlannerItem& item = place(at(3, 11, 9, 20), at(3, 11, 10, 10));
    EXPECT_EQ(item.ItemBegin(), 19);
    EXPECT_EQ(item.ItemEnd(), 20);
    TPlannerItem& tiny = place(at(3, 11, 9, 5), at(3, 11, 9, 10));
    EXPECT_EQ(tiny.ItemEnd(), tiny.ItemBegin() + 1) << "never empty";
    planner->RoundTime = false;
    TPlannerItem& cut = place(at(3, 11, 9, 20), at(3, 11, 10, 10));
    EXPECT_EQ(cut.ItemBegin(), 18);
    EXPECT_EQ(cut.ItemEnd(), 21);
}

TEST_F(ItemTimes, ExactTimesWinWhileSet)
{
    TPlannerItem& item = place(at(3, 11, 9, 0), at(3, 11, 10, 30));
    item.SetExactStart(at(3, 11, 9, 7));
    item.SetExactEnd(at(3, 11, 10, 41));
    expectTime(item.ItemRealStartTime(), at(3, 11, 9, 0));
    item.SetHasExactTimes(true);
    expectTime(item.ItemRealStartTime(), at(3, 11, 9, 7));
    expectTime(item.ItemRealEndTime(), at(3, 11, 10, 41));
    EXPECT_EQ(item.CaptionTimeText(), QStringLiteral("9:07 - 10:41"));
    item.PlaceUpdate(20, 22);
    EXPECT_FALSE(item.HasExactTimes());
    EXPECT_EQ(item.CaptionTimeText(), QStringLiteral("10:00 - 11:00"));
}

struct CaptionCase
{
    TPlannerType type;
    const char* format;
    TDateTime start, end;
    const char *caption, *startText, *endText;
};

TEST_F(ItemTimes, CaptionAndRangeTextsInEveryMode)
{
    using T = TPlannerType;
    const CaptionCase cases[] = {
        {T::plDay, "", at(3, 11, 9, 0), at(3, 11, 10, 30), "9:00 - 10:30", "9:00", "10:30"},
        {T::plDay, "", at(3, 11, 22, 0), at(3, 12, 1, 0), "22:00 3/11/2026 - 1:00 3/12/2026",
         "22:00", "1:00"},
        {T::plWeek, "", at(3, 3, 9, 0), at(3, 5, 17, 0), "Tue - Thu", "3/3/2026", "3/5/2026"},
        {T::plWeek, "d/m", at(3, 3, 9, 0), at(3, 3, 17, 0), "Tue 3/3", "3/3/2026", "3/3/2026"},
        {T::plMonth, "d mmm", at(3, 10), at(3, 12, 12, 0), "10 Mar - 12 Mar", "3/10/2026",
         "3/12/2026"},
        {T::plDayPeriod, "d mmm", at(3, 12), at(3, 12, 18, 0), "12 Mar", "3/12/2026", "3/12/2026"},
        {T::plHalfDayPeriod, "d/m", at(3, 12, 12, 0), at(3, 13, 18, 0), "12/3 PM - 13/3 PM",
         "3/12/2026", "3/13/2026"},
        {T::plMultiMonth, "", at(4, 5), at(4, 8), "4/5/2026 - 4/7/2026", "4/5/2026", "4/7/2026"},
        {T::plCustomList, "d mmm", at(3, 11), at(3, 14), "12 Mar - 14 Mar", "12 Mar", "14 Mar"},
    };
    for (const CaptionCase& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.type) << " " << c.format);
        mode(c.type);
        planner->Mode().SetDateTimeFormat(QString::fromLatin1(c.format));
        items().Clear();
        TPlannerItem& item = place(c.start, c.end);
        EXPECT_EQ(item.CaptionTimeText(), QString::fromLatin1(c.caption));
        EXPECT_EQ(item.StartText(), QString::fromLatin1(c.startText));
        EXPECT_EQ(item.EndText(), QString::fromLatin1(c.endText));
    }
}

TEST_F(ItemTimes, CustomModeAsksTheEvents)
{
    mode(TPlannerType::plCustom);
    planner->OnCustomTimeToIndex = [](TCustomPlanner&, TDateTime value, int& index) {
        index = int(value - at(3, 1));
    };
    planner->OnCustomIndexToTime = [](TCustomPlanner&, int index, TDateTime& value) {
        value = at(3, 1) + index;
    };
    TPlannerItem& item = place(at(3, 5), at(3, 9));
    EXPECT_EQ(item.ItemBegin(), 4);
    EXPECT_EQ(item.ItemEnd(), 8);
    expectTime(item.ItemEndTime(), at(3, 9));
    EXPECT_EQ(planner->TimeToCell(at(3, 20)), 19);
}

} // namespace

namespace {

// Odd stored settings and far-away or broken date-times: every time service answers
// without failing, and an item placed with them keeps cells the collection can lay out.
TEST_F(ItemTimes, OddSettingsAndDatesAreAnsweredQuietly)
{
    std::mt19937 rng(1103);
    const TDateTime dates[] = {0,    -1,          at(3, 11, 9, 0), 2958465.99, -693593.5,
                               1e12, -1e12,       std::nan(""),    at(2, 28),  at(12, 31, 23, 59),
                               1e-9, at(3, 10, 0)};
    const int numbers[] = {0, -1, 1, 13, 31, 32, -400, 10000, INT_MAX / 4, INT_MIN / 4};
    auto number = [&] { return numbers[rng() % std::size(numbers)]; };
    auto date = [&] { return dates[rng() % std::size(dates)]; };
    for (int round = 0; round < 200; ++round) {
        SCOPED_TRACE(round);
        TPlannerMode& m = planner->Mode();
        m.SetPlannerType(TPlannerType(rng() % 9));
        m.SetYear(number());
        m.SetMonth(number());
        m.SetWeekStart(number());
        m.SetPeriodStartYear(number());
        m.SetPeriodEndYear(number());
        m.SetTimeLineStart(date());
        m.SetTimeLineNVUBegin(rng() % 3 ? number() % 60 : number());
        m.SetTimeLineNVUEnd(rng() % 3 ? number() % 60 : number());
        m.SetDateTimeFormat(rng() % 2 ? QString() : QStringLiteral("ddd d/mm hh:nn"));
        planner->Display().SetDisplayUnit(1 + int(rng() % 120));
        planner->Display().SetDisplayOffset(number() % 30);
        planner->SetHourType(THourType(rng() % 5));
        const int cell = number();
        (void)planner->TimeToCell(date());
        TDateTime start = 0, end = 0;
        planner->CellToTimeRange(cell, start, end);
        (void)planner->IsActive(cell, number());
        TBrush brush;
        planner->CellBrush(number(), cell, brush);
        (void)planner->DayName(number());
        (void)planner->TimeText(number());
        items().Clear();
        TPlannerItem& item = items().Add();
        item.SetItemStartTime(date());
        item.SetItemEndTime(date());
        item.SetHasExactTimes(rng() % 2 == 0);
        (void)item.ItemStartTime();
        (void)item.ItemEndTime();
        (void)item.CaptionTimeText();
        (void)item.StartText();
        (void)item.EndText();
        EXPECT_GE(item.ItemBegin(), 0);
    }
}

} // namespace

namespace {

// Display settings from the far ends: the limits stay defined, the grid keeps at least
// one cell, and items placed afterwards still lay out.
TEST_F(PlannerTime, OddDisplaySettingsKeepAUsableGrid)
{
    std::mt19937 rng(99);
    const int values[] = {0, 1, -1, 7, 30, 47, 60, 1440, 100000, INT_MAX, INT_MIN, INT_MAX / 2};
    auto value = [&] { return values[rng() % std::size(values)]; };
    TPlannerDisplay& d = planner->Display();
    add(18, 21);
    for (int step = 0; step < 300; ++step) {
        SCOPED_TRACE(step);
        switch (rng() % 6) {
        case 0:
            d.SetDisplayUnit(value());
            break;
        case 1:
            d.SetDisplayOffset(value());
            break;
        case 2:
            d.SetDisplayStart(value() % 200);
            break;
        case 3:
            d.SetDisplayEnd(value() % 200);
            break;
        case 4:
            d.SetActiveStart(value());
            d.SetActiveEnd(value());
            break;
        case 5:
            // Back to sane values now and then so that later steps start from a grid again.
            d.SetDisplayUnit(30);
            d.SetDisplayOffset(0);
            break;
        }
        ASSERT_GE(planner->Grid().CellCount(), 1);
        add(int(rng() % 60), int(rng() % 60));
        if (items().Count() > 20)
            items().Clear();
    }
    d.SetDisplayUnit(30);
    d.SetDisplayUnit(MinsPerDay + 1);
    EXPECT_EQ(d.DisplayUnit(), 30) << "a unit longer than a day is ignored";
}

} // namespace
