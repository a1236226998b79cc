// Moving through the calendar and choosing days: month and year steps with the limits, the
// change events, the caption menus, arrows, clicks (Ctrl, neighbouring months), drags,
// weekday columns and weeks, the today line, the 3-pixel release rule and the keyboard.
#include "CalendarFixture.h"
#include "platform/controls/Keys.h"
#include "platform/controls/PopupMenu.h"

#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class CalendarNavigation : public CalendarFixture
{
protected:
    CalendarNavigation()
    {
        cal.OnDayChange = [this](TPlannerCalendar&, TDateTime, TDateTime) { log += "day "; };
        cal.OnMonthChange = [this](TPlannerCalendar&, TDateTime, TDateTime) { log += "month "; };
        cal.OnYearChange = [this](TPlannerCalendar&, TDateTime, TDateTime) { log += "year "; };
        cal.OnDateChange = [this](TPlannerCalendar&, TDateTime, TDateTime) { log += "date "; };
        cal.OnDaySelect = [this](TPlannerCalendar&, TDateTime d) { daySelects.push_back(d); };
        cal.OnCancelledChange = [this](TPlannerCalendar&, TDateTime d) { cancelled.push_back(d); };
        cal.show();
    }

    void key(Qt::Key k, Qt::KeyboardModifiers mods = {}) { QTest::keyClick(&cal, k, mods); }
    void click(QPoint p, Qt::KeyboardModifiers mods = {})
    {
        QTest::mousePress(&cal, Qt::LeftButton, mods, p);
        QTest::mouseRelease(&cal, Qt::LeftButton, mods, p);
    }

    void useMin(TDateTime d)
    {
        cal.MinDate().SetDate(d);
        cal.MinDate().SetUse(true);
    }
    void useMax(TDateTime d)
    {
        cal.MaxDate().SetDate(d);
        cal.MaxDate().SetUse(true);
    }

    std::string log;
    std::vector<TDateTime> daySelects;
    std::vector<TDateTime> cancelled;
};

struct StepCase
{
    const char* name;
    TDateTime from;
    int months, years;
    TDateTime expected;
};

TEST_F(CalendarNavigation, StepsCutTheDayToTheMonth)
{
    const StepCase cases[] = {
        {"31 Jan + 1 month", D(2001, 1, 31), 1, 0, D(2001, 2, 28)},
        {"31 Jan + 1 month, leap", D(2000, 1, 31), 1, 0, D(2000, 2, 29)},
        {"over the year end", D(2026, 12, 15), 1, 0, D(2027, 1, 15)},
        {"back over the year end", D(2026, 1, 15), -1, 0, D(2025, 12, 15)},
        {"31 Mar - 1 month", D(2026, 3, 31), -1, 0, D(2026, 2, 28)},
        {"29 Feb + 1 year", D(2000, 2, 29), 0, 1, D(2001, 2, 28)},
        {"29 Feb + 4 years", D(2000, 2, 29), 0, 4, D(2004, 2, 29)},
    };
    for (const StepCase& c : cases) {
        SCOPED_TRACE(c.name);
        cal.SetDate(c.from);
        if (c.months)
            cal.ChangeMonth(c.months);
        if (c.years)
            cal.ChangeYear(c.years);
        EXPECT_EQ(cal.Date(), c.expected);
        EXPECT_EQ(cal.FocusDate(), c.expected);
    }
}

TEST_F(CalendarNavigation, MonthStepsClampToTheLimitsYearStepsAreRefused)
{
    useMin(D(2026, 5, 20));
    useMax(D(2026, 8, 10));
    cal.SetDate(D(2026, 6, 10));
    cal.ChangeMonth(-1);
    EXPECT_EQ(cal.Date(), D(2026, 5, 20)); // 10 May lies before the limit: the limit itself
    cal.ChangeMonth(3);
    EXPECT_EQ(cal.Date(), D(2026, 8, 10)); // 20 August lies after it
    cal.ChangeYear(1);
    EXPECT_EQ(cal.Date(), D(2026, 8, 10));
    cal.ChangeYear(-1);
    EXPECT_EQ(cal.Date(), D(2026, 8, 10));
}

TEST_F(CalendarNavigation, ArrowsStepAndRaiseTheChangeEvents)
{
    cal.SetDate(D(2026, 12, 31));
    const TCalendarArrows arrows = cal.Arrows();
    click({arrows.NextMonth.HitLeft + 2, 8});
    EXPECT_EQ(cal.Date(), D(2027, 1, 31));
    EXPECT_EQ(log, "month year ");
    log.clear();
    click({arrows.NextMonth.HitLeft + 2, 8});
    EXPECT_EQ(cal.Date(), D(2027, 2, 28));
    EXPECT_EQ(log, "day month ");
    log.clear();
    click({arrows.PrevYear.HitLeft + 2, 8});
    EXPECT_EQ(cal.Date(), D(2026, 2, 28));
    EXPECT_EQ(log, "year ");
    log.clear();
    click({arrows.PrevMonth.HitLeft + 2, 8});
    EXPECT_EQ(cal.Date(), D(2026, 1, 28));
    click({arrows.NextYear.HitLeft + 2, 8});
    EXPECT_EQ(cal.Date(), D(2027, 1, 28));
    // Arrow presses never count as a day choice.
    EXPECT_TRUE(daySelects.empty());
}

TEST_F(CalendarNavigation, ClickingADaySelectsItAndRaisesDaySelect)
{
    click(centre(D(2026, 6, 3)));
    EXPECT_EQ(cal.Date(), D(2026, 6, 3));
    EXPECT_EQ(selected(), std::vector<TDateTime>{D(2026, 6, 3)});
    EXPECT_EQ(daySelects, std::vector<TDateTime>{D(2026, 6, 3)});
    EXPECT_EQ(log, "day ");
}

TEST_F(CalendarNavigation, ReleasingAwayFromThePressSelectsWithoutDaySelect)
{
    const QPoint p = centre(D(2026, 6, 3));
    QTest::mousePress(&cal, Qt::LeftButton, {}, p);
    QTest::mouseRelease(&cal, Qt::LeftButton, {}, p + QPoint(5, 0));
    EXPECT_EQ(cal.Date(), D(2026, 6, 3));
    EXPECT_TRUE(daySelects.empty());
    QTest::mousePress(&cal, Qt::LeftButton, {}, p);
    QTest::mouseRelease(&cal, Qt::LeftButton, {}, p + QPoint(3, -3));
    EXPECT_EQ(daySelects.size(), 1u);
}

TEST_F(CalendarNavigation, NeighbouringMonthDaysMoveTheMonthOnlyWhenShown)
{
    // The last row of June 2026 shows 1 to 11 July.
    const QPoint july2 = centre(D(2026, 7, 2));
    cal.SetShowDaysAfter(false);
    click(july2);
    EXPECT_EQ(cal.Date(), D(2026, 6, 17));
    EXPECT_EQ(cal.CaptionText(), "Jun 2026");
    cal.SetShowDaysAfter(true);
    daySelects.clear();
    click(july2);
    EXPECT_EQ(cal.Date(), D(2026, 7, 2));
    EXPECT_EQ(cal.CaptionText(), "Jul 2026");
    EXPECT_EQ(log, "day month ");
    // The release names the day pressed, not the one now under the pointer in July's grid.
    EXPECT_EQ(daySelects, std::vector<TDateTime>{D(2026, 7, 2)});
}

TEST_F(CalendarNavigation, DecemberDaysBeforeJanuaryCountAsTheEarlierMonth)
{
    // January 2027 opens with 27 to 31 December 2026.
    cal.SetDate(D(2027, 1, 15));
    cal.SetShowDaysAfter(false);
    click(centre(D(2026, 12, 28)));
    EXPECT_EQ(cal.Date(), D(2026, 12, 28));
    EXPECT_EQ(log, "day month year ");
    // And the other way round: January's days after December need ShowDaysAfter.
    click(centre(D(2027, 1, 2)));
    EXPECT_EQ(cal.Date(), D(2026, 12, 28));
    cal.SetShowDaysBefore(false);
    cal.SetShowDaysAfter(true);
    click(centre(D(2027, 1, 2)));
    EXPECT_EQ(cal.Date(), D(2027, 1, 2));
}

TEST_F(CalendarNavigation, DaysOutsideTheLimitsCannotBeClicked)
{
    useMax(D(2026, 6, 20));
    click(centre(D(2026, 6, 25)));
    EXPECT_EQ(cal.Date(), D(2026, 6, 17));
    click(centre(D(2026, 6, 20)));
    EXPECT_EQ(cal.Date(), D(2026, 6, 20));
}

TEST_F(CalendarNavigation, CtrlClickAddsAndRemovesWithMultiSelect)
{
    cal.SetMultiSelect(true);
    click(centre(D(2026, 6, 3)));
    click(centre(D(2026, 6, 5)), Qt::ControlModifier);
    click(centre(D(2026, 6, 9)), Qt::ControlModifier);
    EXPECT_EQ(selected(), (std::vector<TDateTime>{D(2026, 6, 3), D(2026, 6, 5), D(2026, 6, 9)}));
    EXPECT_EQ(cal.Date(), D(2026, 6, 9));
    click(centre(D(2026, 6, 5)), Qt::ControlModifier);
    EXPECT_EQ(selected(), (std::vector<TDateTime>{D(2026, 6, 3), D(2026, 6, 9)}));
    EXPECT_EQ(cal.Date(), D(2026, 6, 9)); // removing leaves the current date
    // A plain click starts over.
    click(centre(D(2026, 6, 12)));
    EXPECT_EQ(selected(), std::vector<TDateTime>{D(2026, 6, 12)});
}

TEST_F(CalendarNavigation, CtrlClickRemovalSurvivesAMoveWithinTheDay)
{
    cal.SetMultiSelect(true);
    click(centre(D(2026, 6, 5)), Qt::ControlModifier);
    const QPoint p = centre(D(2026, 6, 5));
    QTest::mousePress(&cal, Qt::LeftButton, Qt::ControlModifier, p);
    QTest::mouseMove(&cal, p + QPoint(1, 1));
    QTest::mouseRelease(&cal, Qt::LeftButton, Qt::ControlModifier, p + QPoint(1, 1));
    EXPECT_EQ(selected(), std::vector<TDateTime>{D(2026, 6, 17)});
    // Leaving the day is a drag, and a drag selects from the pressed day on.
    QTest::mousePress(&cal, Qt::LeftButton, Qt::ControlModifier, p);
    QTest::mouseMove(&cal, centre(D(2026, 6, 6)));
    QTest::mouseRelease(&cal, Qt::LeftButton, Qt::ControlModifier, centre(D(2026, 6, 6)));
    EXPECT_EQ(selected(), (std::vector<TDateTime>{D(2026, 6, 5), D(2026, 6, 6), D(2026, 6, 17)}));
}

TEST_F(CalendarNavigation, ADragFromBeyondTheLimitStopsAtIt)
{
    cal.SetMultiSelect(true);
    useMax(D(2026, 6, 20));
    QTest::mousePress(&cal, Qt::LeftButton, {}, centre(D(2026, 6, 25)));
    QTest::mouseMove(&cal, centre(D(2026, 6, 18)));
    QTest::mouseRelease(&cal, Qt::LeftButton, {}, centre(D(2026, 6, 18)));
    EXPECT_EQ(selected(), range(D(2026, 6, 17), D(2026, 6, 20)));
}

TEST_F(CalendarNavigation, DraggingSelectsTheRangeFromThePressedDay)
{
    cal.SetMultiSelect(true);
    QTest::mousePress(&cal, Qt::LeftButton, {}, centre(D(2026, 6, 10)));
    QTest::mouseMove(&cal, centre(D(2026, 6, 18)));
    EXPECT_EQ(selected(), range(D(2026, 6, 10), D(2026, 6, 18)));
    // Back across the anchor: the earlier range goes, the new one comes.
    QTest::mouseMove(&cal, centre(D(2026, 6, 8)));
    EXPECT_EQ(selected(), range(D(2026, 6, 8), D(2026, 6, 10)));
    QTest::mouseRelease(&cal, Qt::LeftButton, {}, centre(D(2026, 6, 8)));
    EXPECT_TRUE(daySelects.empty());
    // After the release moving selects nothing more.
    QTest::mouseMove(&cal, centre(D(2026, 6, 20)));
    EXPECT_EQ(selected(), range(D(2026, 6, 8), D(2026, 6, 10)));
}

TEST_F(CalendarNavigation, DayNameSelectsTheWeekdayColumn)
{
    cal.SetMultiSelect(true);
    cal.SetAllDaySelect(true);
    int allDay = 0;
    cal.OnAllDaySelect = [&](TPlannerCalendar&, TDateTime) { ++allDay; };
    const TCalendarGeometry g = cal.Geometry();
    const QPoint monday(g.X0 + g.DX + g.DX / 2, 25);
    click(monday);
    EXPECT_EQ(allDay, 1);
    // The six Mondays of the grid: 1 June to 6 July.
    std::vector<TDateTime> mondays;
    for (int i = 0; i < 6; ++i)
        mondays.push_back(D(2026, 6, 1) + 7 * i);
    EXPECT_EQ(selected(), mondays);
    // With Ctrl, a column that is all selected is deselected.
    click(monday, Qt::ControlModifier);
    EXPECT_TRUE(selected().empty());
    // Without ShowDaysAfter the July Monday may not be chosen.
    cal.SetShowDaysAfter(false);
    click(monday);
    mondays.pop_back();
    EXPECT_EQ(selected(), mondays);
    // ...and does not keep the others from being taken out again.
    click(monday, Qt::ControlModifier);
    EXPECT_TRUE(selected().empty());
}

TEST_F(CalendarNavigation, WeekNumberSelectsTheRow)
{
    cal.SetShowWeeks(true);
    cal.SetMultiSelect(true);
    cal.SetWeekSelect(true);
    int weeks = 0;
    cal.OnWeekSelect = [&](TPlannerCalendar&, TDateTime) { ++weeks; };
    const TCalendarGeometry g = cal.Geometry();
    click({g.X0 / 2, g.DayCell(1, 3).Top + 5});
    EXPECT_EQ(weeks, 1);
    EXPECT_EQ(selected(), range(D(2026, 6, 14), D(2026, 6, 20)));
}

TEST_F(CalendarNavigation, TheTodayLineGoesToToday)
{
    cal.SetShowGotoToday(true);
    cal.SetDate(D(2025, 3, 4));
    const TCalendarGeometry g = cal.Geometry();
    click({g.X0 + 10, 8 * g.DY + 2});
    EXPECT_EQ(cal.Date(), D(2026, 6, 17));
    EXPECT_EQ(cal.CaptionText(), "Jun 2026");
    EXPECT_EQ(selected(), std::vector<TDateTime>{D(2026, 6, 17)});
    ASSERT_GE(daySelects.size(), 1u);
    EXPECT_EQ(daySelects[0], EncodeDateTime(2026, 6, 17, 10, 30, 0, 0));
    EXPECT_EQ(log, "day date ");
}

TEST_F(CalendarNavigation, TheTodayLineCannotLeaveTheLimits)
{
    cal.SetShowGotoToday(true);
    cal.SetDate(D(2025, 3, 4));
    useMax(D(2026, 6, 10));
    const TCalendarGeometry g = cal.Geometry();
    click({g.X0 + 10, 8 * g.DY + 2});
    EXPECT_EQ(cal.Date(), D(2025, 3, 4));
    EXPECT_EQ(selected(), std::vector<TDateTime>{D(2025, 3, 4)});
    EXPECT_EQ(log, "");
    EXPECT_TRUE(daySelects.empty());
}

TEST_F(CalendarNavigation, MonthMenuDisablesMonthsOutsideTheLimits)
{
    useMin(D(2026, 3, 15));
    useMax(D(2026, 9, 2));
    const TCaptionZones zones = cal.CaptionZones();
    click({zones.MonthLeft + 2, 6});
    TPopupMenu& menu = cal.MonthMenu();
    ASSERT_EQ(menu.Count(), 12);
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(menu.Item(i).Enabled(), i + 1 >= 3 && i + 1 <= 9);
    }
    EXPECT_EQ(menu.Item(3).Caption(), "Apr");
    menu.Item(3).OnClick(menu.Item(3));
    EXPECT_EQ(cal.Date(), D(2026, 4, 1));
    EXPECT_EQ(log, "month ");
    // The limit's own month starts before the limit: its first day is the limit.
    menu.Item(2).OnClick(menu.Item(2));
    EXPECT_EQ(cal.Date(), D(2026, 3, 15));
    if (menu.Menu())
        menu.Menu()->close();
}

TEST_F(CalendarNavigation, YearMenuOffersTenYearsAroundTheShownOne)
{
    cal.SetDate(D(2024, 2, 29));
    useMax(D(2027, 12, 31));
    const TCaptionZones zones = cal.CaptionZones();
    click({zones.YearLeft + 4, 6});
    TPopupMenu& menu = cal.YearMenu();
    ASSERT_EQ(menu.Count(), 10);
    EXPECT_EQ(menu.Item(0).Caption(), "2020");
    EXPECT_EQ(menu.Item(9).Caption(), "2029");
    EXPECT_TRUE(menu.Item(7).Enabled());
    EXPECT_FALSE(menu.Item(8).Enabled());
    menu.Item(5).OnClick(menu.Item(5)); // 2025: 29 February counts as the 28th
    EXPECT_EQ(cal.Date(), D(2025, 2, 28));
    EXPECT_EQ(log, "year ");
    if (menu.Menu())
        menu.Menu()->close();
}

TEST_F(CalendarNavigation, ShiftArrowsSelectAndShrinkARange)
{
    cal.SetMultiSelect(true);
    cal.SetDate(D(2026, 6, 10));
    for (int i = 0; i < 3; ++i)
        key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(selected(), range(D(2026, 6, 10), D(2026, 6, 13)));
    key(Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(selected(), range(D(2026, 6, 10), D(2026, 6, 12)));
    EXPECT_EQ(cal.Date(), D(2026, 6, 12));
    // Up a week past the anchor: the range turns round.
    key(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(selected(), range(D(2026, 6, 5), D(2026, 6, 10)));
    // A plain move ends the range; the next Shift move starts one from there.
    key(Qt::Key_Down);
    EXPECT_EQ(cal.Date(), D(2026, 6, 12));
    key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(selected().back(), D(2026, 6, 13));
    EXPECT_TRUE(cal.Dates().HasDate(D(2026, 6, 12)));
}

TEST_F(CalendarNavigation, ArrowKeysMoveTheCursorAndRaiseDateChange)
{
    key(Qt::Key_Down);
    EXPECT_EQ(cal.Date(), D(2026, 6, 24));
    EXPECT_EQ(log, "date day ");
    log.clear();
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    EXPECT_EQ(cal.Date(), D(2026, 7, 8));
    EXPECT_EQ(cal.CaptionText(), "Jul 2026");
    EXPECT_EQ(log, "date day month date day ");
    // Without Shift the selection stays where it was.
    EXPECT_EQ(selected(), std::vector<TDateTime>{D(2026, 6, 17)});
}

TEST_F(CalendarNavigation, ArrowIntoAHiddenMonthIsCancelled)
{
    cal.SetShowDaysAfter(false);
    cal.SetDate(D(2026, 6, 30));
    key(Qt::Key_Right);
    EXPECT_EQ(cancelled, std::vector<TDateTime>{D(2026, 7, 1)});
    EXPECT_EQ(cal.Date(), D(2026, 6, 30));
    EXPECT_EQ(cal.FocusDate(), D(2026, 6, 30));
    EXPECT_EQ(log, "");
    // December to January is a later month too.
    cal.SetDate(D(2026, 12, 31));
    key(Qt::Key_Right);
    EXPECT_EQ(cancelled.size(), 2u);
    EXPECT_EQ(cal.Date(), D(2026, 12, 31));
}

TEST_F(CalendarNavigation, KeysStayWithinTheLimits)
{
    useMin(D(2026, 6, 15));
    cal.SetDate(D(2026, 6, 16));
    key(Qt::Key_Up);
    EXPECT_EQ(cal.Date(), D(2026, 6, 16));
    key(Qt::Key_Left);
    key(Qt::Key_Left);
    EXPECT_EQ(cal.Date(), D(2026, 6, 15));
    EXPECT_TRUE(cancelled.empty());
}

TEST_F(CalendarNavigation, PageKeysStepMonthsSpaceTogglesEscapeRestores)
{
    key(Qt::Key_PageDown);
    EXPECT_EQ(cal.Date(), D(2026, 7, 17));
    EXPECT_EQ(log, "date month ");
    key(Qt::Key_PageUp);
    key(Qt::Key_PageUp);
    EXPECT_EQ(cal.Date(), D(2026, 5, 17));

    key(Qt::Key_Space);
    EXPECT_EQ(selected(), std::vector<TDateTime>{D(2026, 5, 17)});
    EXPECT_EQ(daySelects, std::vector<TDateTime>{D(2026, 5, 17)});
    cal.SetMultiSelect(true);
    key(Qt::Key_Right);
    key(Qt::Key_Space);
    EXPECT_EQ(selected(), (std::vector<TDateTime>{D(2026, 5, 17), D(2026, 5, 18)}));
    key(Qt::Key_Space);
    EXPECT_EQ(selected(), std::vector<TDateTime>{D(2026, 5, 17)});
    // Enter chooses only when asked to.
    key(Qt::Key_Return);
    EXPECT_EQ(daySelects.size(), 3u);
    cal.SetReturnIsSelect(true);
    key(Qt::Key_Return);
    EXPECT_EQ(daySelects.size(), 4u);

    key(Qt::Key_Escape);
    EXPECT_EQ(cal.Date(), D(2026, 6, 17));
    EXPECT_EQ(cal.CaptionText(), "Jun 2026");
}

} // namespace
