// The calendar's settings and its date: defaults, Date/SetDate and the Day/Month/Year parts
// with their error, the selection text, the date lists, event lookups and the name groups.
#include "CalendarFixture.h"
#include "platform/core/DateFormat.h"

#include <QImage>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

using CalendarModel = CalendarFixture;

TEST_F(CalendarModel, DefaultsOfAFreshCalendar)
{
    TFixedClock pinned(EncodeDateTime(2026, 6, 17, 10, 30, 0, 0));
    TPlannerCalendar fresh;
    EXPECT_EQ(fresh.Width(), 180);
    EXPECT_EQ(fresh.Height(), 180);
    EXPECT_EQ(fresh.BorderWidth(), 1);
    EXPECT_EQ(fresh.BevelOuter(), TBevelCut::bvNone);
    EXPECT_EQ(fresh.Color(), clBtnFace);
    EXPECT_EQ(fresh.TextColor(), clBlack);
    EXPECT_EQ(fresh.WeekendColor(), clRed);
    EXPECT_EQ(fresh.SelectColor(), clTeal);
    EXPECT_EQ(fresh.SelectFontColor(), clWhite);
    EXPECT_EQ(fresh.InActiveColor(), clGray);
    EXPECT_EQ(fresh.InversColor(), clTeal);
    EXPECT_EQ(fresh.FocusColor(), clHighlight);
    EXPECT_EQ(fresh.HeaderColor(), clNone);
    EXPECT_EQ(fresh.CaptionColor(), clNone);
    EXPECT_EQ(fresh.LineColor(), clGray);
    EXPECT_TRUE(fresh.Line3D());
    EXPECT_EQ(fresh.GradientStartColor(), clWhite);
    EXPECT_EQ(fresh.GradientEndColor(), clBtnFace);
    EXPECT_EQ(fresh.MonthGradientStartColor(), clNone);
    EXPECT_EQ(fresh.EventMarkerColor(), clYellow);
    EXPECT_EQ(fresh.EventMarkerShape(), TEventShape::evsCircle);
    EXPECT_EQ(fresh.StartDay(), 7);
    EXPECT_EQ(fresh.TodayFormat(), "\"Today\" DDD/mm, YYYY");
    EXPECT_TRUE(fresh.ShowDaysBefore());
    EXPECT_TRUE(fresh.ShowDaysAfter());
    EXPECT_FALSE(fresh.MultiSelect());
    EXPECT_TRUE(fresh.WeekName().isEmpty());
    EXPECT_TRUE(fresh.HintNextYear().isEmpty());
    EXPECT_TRUE(fresh.Dates().Visible());
    // The current date is now, time included, until a date is set.
    EXPECT_EQ(fresh.Date(), EncodeDateTime(2026, 6, 17, 10, 30, 0, 0));
    EXPECT_EQ(fresh.Day(), 17);
    EXPECT_EQ(fresh.Month(), 6);
    EXPECT_EQ(fresh.Year(), 2026);
    EXPECT_EQ(fresh.CaptionText(), "Jun 2026");
}

TEST_F(CalendarModel, StartDayIsClampedIntoTheWeek)
{
    const std::pair<int, int> cases[] = {{0, 1}, {-5, 1}, {1, 1}, {4, 4}, {7, 7}, {9, 7}};
    for (auto [given, kept] : cases) {
        SCOPED_TRACE(given);
        cal.SetStartDay(given);
        EXPECT_EQ(cal.StartDay(), kept);
    }
}

TEST_F(CalendarModel, SetDateDropsTheTimeAndSelectsTheDayAlone)
{
    cal.SetMultiSelect(true);
    cal.Dates().AddRange(D(2026, 6, 1), D(2026, 6, 5));
    cal.SetDate(EncodeDateTime(2026, 2, 28, 18, 0, 0, 0));
    EXPECT_EQ(cal.Date(), D(2026, 2, 28));
    EXPECT_EQ(cal.FocusDate(), D(2026, 2, 28));
    EXPECT_EQ(cal.CaptionText(), "Feb 2026");
    EXPECT_EQ(selected(), std::vector<TDateTime>{D(2026, 2, 28)});
    // A value that is no calendar day changes nothing.
    cal.SetDate(1e12);
    EXPECT_EQ(cal.Date(), D(2026, 2, 28));
}

TEST_F(CalendarModel, PartsReplaceOneComponentOrReportAnInvalidDate)
{
    cal.SetDate(D(2026, 1, 31));
    cal.SetMonth(3);
    EXPECT_EQ(cal.Date(), D(2026, 3, 31));
    cal.SetYear(2024);
    EXPECT_EQ(cal.Date(), D(2024, 3, 31));
    cal.SetDay(15);
    EXPECT_EQ(cal.Date(), D(2024, 3, 15));
    EXPECT_TRUE(errors.empty());

    cal.SetDate(D(2026, 1, 31));
    cal.SetMonth(2); // 31 February
    cal.SetDay(0);
    cal.SetMonth(13);
    ASSERT_EQ(errors.size(), 3u);
    for (const QString& e : errors)
        EXPECT_EQ(e, "Invalid date");
    EXPECT_EQ(cal.Date(), D(2026, 1, 31));
    EXPECT_EQ(selected(), std::vector<TDateTime>{D(2026, 1, 31)});
}

TEST_F(CalendarModel, YearStartErrorsReachTheCalendarsHook)
{
    cal.YearStartAt().SetStartMonth(0);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "Invalid month. Should be in [1..12]");
}

TEST_F(CalendarModel, SelectionTextJoinsRunsOfDays)
{
    cal.SetMultiSelect(true);
    cal.Dates().Clear();
    EXPECT_EQ(cal.GetSelectionText(), "");
    cal.Dates().AddDate(D(2001, 5, 5));
    cal.Dates().AddDate(D(2001, 5, 3));
    cal.Dates().AddDate(EncodeDateTime(2001, 5, 1, 23, 0, 0, 0));
    cal.Dates().AddDate(D(2001, 5, 2));
    EXPECT_EQ(cal.GetSelectionText(), "1/05/2001-3/05/2001,5/05/2001");
    // The list itself is left sorted.
    EXPECT_EQ(cal.Dates().Items(0).Date(), D(2001, 5, 1));

    cal.Dates().Clear();
    cal.Dates().AddDate(D(2001, 5, 31));
    cal.Dates().AddDate(D(2001, 6, 1));
    cal.Dates().AddDate(D(2001, 6, 1)); // listed twice: still one run
    cal.Dates().AddDate(D(2001, 7, 4));
    EXPECT_EQ(cal.GetSelectionText(), "31/05/2001-1/06/2001,4/07/2001");
}

TEST_F(CalendarModel, DateListsFindRangesAndTakeTheOwnersMark)
{
    cal.SetEventMarkerColor(clLime);
    cal.SetEventMarkerShape(TEventShape::evsTriangle);
    TSelDateItems& events = cal.Events();
    TSelDateItem& item = events.Add();
    EXPECT_EQ(item.Color(), clLime);
    EXPECT_EQ(item.Shape(), TEventShape::evsTriangle);
    item.SetDate(EncodeDateTime(2026, 6, 3, 9, 0, 0, 0));
    EXPECT_EQ(events.IndexOf(D(2026, 6, 3)), 0);
    EXPECT_EQ(events.IndexOf(EncodeDateTime(2026, 6, 3, 23, 59, 0, 0)), 0);
    EXPECT_EQ(events.IndexOf(D(2026, 6, 4)), -1);
    EXPECT_EQ(events.FindDate(D(2026, 6, 3)), &item);
    EXPECT_EQ(events.FindDate(D(2026, 6, 4)), nullptr);

    int changes = 0;
    events.OnChange = [&](TSelDateItems&) { ++changes; };
    events.AddRange(D(2026, 6, 6), D(2026, 6, 2)); // either order; the 3rd is there already
    EXPECT_EQ(events.Count(), 5);
    events.DelRange(D(2026, 6, 3), D(2026, 6, 5));
    EXPECT_EQ(events.Count(), 2);
    EXPECT_EQ(events.IndexOf(D(2026, 6, 3)), -1);
    EXPECT_GT(changes, 0);
    changes = 0;
    events.BeginUpdate();
    events.AddDate(D(2026, 6, 20));
    events.Delete(0);
    EXPECT_EQ(changes, 0);
    events.EndUpdate();
    EXPECT_EQ(changes, 1);
    events.Delete(99); // out of range: ignored
    EXPECT_EQ(events.Count(), 2);
}

TEST_F(CalendarModel, MultiSelectOffClearsTheSelection)
{
    cal.SetMultiSelect(true);
    cal.Dates().AddRange(D(2026, 6, 1), D(2026, 6, 3));
    cal.SetMultiSelect(false);
    EXPECT_EQ(cal.Dates().Count(), 0);
}

TEST_F(CalendarModel, EventsComeFromTheListTheHandlerOrBoth)
{
    TEventProp event;
    EXPECT_FALSE(cal.DateHasEvent(event, D(2026, 6, 10)));

    TSelDateItem& item = cal.Events().AddDate(D(2026, 6, 10));
    item.SetHint(QStringLiteral("Dentist"));
    item.SetColor(clAqua);
    ASSERT_TRUE(cal.DateHasEvent(event, EncodeDateTime(2026, 6, 10, 15, 0, 0, 0)));
    EXPECT_EQ(event.Color(), clAqua);
    EXPECT_EQ(event.Hint(), "Dentist");

    // A handler declares events and, with event hints on, gives their hint text.
    cal.OnGetDateHint = [](TPlannerCalendar&, TDateTime dt, bool& isEvent) {
        isEvent = dt == EncodeDate(2026, 6, 12);
    };
    cal.OnGetDateHintString = [](TPlannerCalendar&, TDateTime, bool&, QString& hint) {
        hint = QStringLiteral("Payday");
    };
    ASSERT_TRUE(cal.DateHasEvent(event, D(2026, 6, 12)));
    EXPECT_EQ(event.Color(), clYellow);
    EXPECT_EQ(event.Hint(), "");
    cal.SetEventHints(true);
    ASSERT_TRUE(cal.DateHasEvent(event, D(2026, 6, 12)));
    EXPECT_EQ(event.Hint(), "Payday");

    // OnGetEventProp may change the look, without the list redrawing or changing.
    int listChanges = 0;
    cal.Events().OnChange = [&](TSelDateItems&) { ++listChanges; };
    cal.OnGetEventProp = [](TPlannerCalendar&, TDateTime, TEventProp& e) {
        e.SetShape(TEventShape::evsSquare);
        e.SetFontColor(clBlue);
    };
    ASSERT_TRUE(cal.DateHasEvent(event, D(2026, 6, 10)));
    EXPECT_EQ(event.Shape(), TEventShape::evsSquare);
    EXPECT_EQ(event.FontColor(), clBlue);
    EXPECT_EQ(item.Shape(), TEventShape::evsCircle);
    EXPECT_FALSE(cal.Events().Updating());
    EXPECT_EQ(listChanges, 0);

    // A hidden list hides every event.
    cal.Events().SetVisible(false);
    EXPECT_FALSE(cal.DateHasEvent(event, D(2026, 6, 10)));
    EXPECT_FALSE(cal.DateHasEvent(event, D(2026, 6, 12)));
}

TEST_F(CalendarModel, AnEventHandlerThatThrowsLeavesTheEventListReporting)
{
    cal.Events().AddDate(D(2026, 6, 10));
    cal.OnGetEventProp = [](TPlannerCalendar&, TDateTime, TEventProp&) {
        throw std::runtime_error("handler failed");
    };
    TEventProp event;
    EXPECT_THROW(cal.DateHasEvent(event, D(2026, 6, 10)), std::runtime_error);
    EXPECT_FALSE(cal.Events().Updating());
    int changes = 0;
    cal.Events().OnChange = [&](TSelDateItems&) { ++changes; };
    cal.Events().AddDate(D(2026, 6, 11));
    EXPECT_EQ(changes, 1);
}

TEST_F(CalendarModel, NamesLookUpByNumberAndFollowTheLocale)
{
    TNameOfDays& days = cal.NameOfDays();
    EXPECT_EQ(days.Name(1), "Mon");
    EXPECT_EQ(days.Name(7), "Sun");
    EXPECT_EQ(days.Name(8), "Mon");
    EXPECT_EQ(days.Name(14), "Sun");
    EXPECT_EQ(days.Name(0), "");
    EXPECT_EQ(days.Name(15), "");
    TNameOfMonths& months = cal.NameOfMonths();
    EXPECT_EQ(months.Name(1), "Jan");
    EXPECT_EQ(months.Name(12), "Dec");
    EXPECT_EQ(months.Name(13), "");

    months.SetJune(QStringLiteral("Juni"));
    EXPECT_EQ(cal.CaptionText(), "Juni 2026");
    // Setting the flag again reads the locale's names back.
    months.SetUseIntlNames(true);
    EXPECT_EQ(cal.CaptionText(), "Jun 2026");

    TFormatSettings fs = CalendarTestSettings();
    fs.ShortDayNames[1] = QStringLiteral("Lu");
    TFormatSettingsGuard guard(fs);
    days.SetUseIntlNames(true);
    EXPECT_EQ(days.Monday(), "Lu");
}

TEST_F(CalendarModel, PartsStoredWhileLoadingAreTakenTogether)
{
    // Loading on a day of February, whose month has no 31st.
    TFixedClock february(EncodeDateTime(2026, 2, 10, 9, 0, 0, 0));
    const auto collect = [this](TPlannerCalendar&, const QString& m) { errors.push_back(m); };
    TPlannerCalendar stored;
    stored.OnErrorMessage = collect;
    stored.BeginLoad();
    stored.SetDay(31);
    stored.SetMonth(3);
    stored.SetYear(2025);
    EXPECT_EQ(stored.Date(), EncodeDateTime(2026, 2, 10, 9, 0, 0, 0));
    stored.Loaded();
    EXPECT_FALSE(stored.Loading());
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(stored.Date(), D(2025, 3, 31));
    EXPECT_EQ(stored.FocusDate(), D(2025, 3, 31));
    EXPECT_EQ(stored.CaptionText(), "Mar 2025");

    // Parts that make no date together: the error once, the date kept, and the next part
    // applies to that date.
    TPlannerCalendar broken;
    broken.OnErrorMessage = collect;
    broken.BeginLoad();
    broken.SetDay(31);
    broken.SetMonth(4);
    broken.Loaded();
    EXPECT_EQ(errors, std::vector<QString>{QStringLiteral("Invalid date")});
    EXPECT_EQ(broken.Date(), EncodeDateTime(2026, 2, 10, 9, 0, 0, 0));
    broken.SetMonth(3);
    EXPECT_EQ(broken.Date(), D(2026, 3, 10));
}

TEST_F(CalendarModel, LoadedTakesTheStoredParts)
{
    cal.SetDate(D(2025, 11, 2));
    cal.Loaded();
    EXPECT_EQ(cal.Date(), D(2025, 11, 2));
    EXPECT_EQ(cal.FocusDate(), D(2025, 11, 2));
}

} // namespace

namespace {

TEST_F(CalendarModel, TheEndsOfTheCalendarPaintAndStepWithoutFailing)
{
    cal.SetShowWeeks(true);
    QImage image;
    for (TDateTime edge : {D(1, 1, 1), D(9999, 12, 31)}) {
        SCOPED_TRACE(edge);
        cal.SetDate(edge);
        EXPECT_NO_THROW(cal.PaintTo(image));
        EXPECT_NO_THROW(cal.ChangeMonth(edge > 0 ? 1 : -1));
        EXPECT_NO_THROW(cal.ChangeYear(edge > 0 ? 1 : -1));
        EXPECT_EQ(cal.Date(), edge);
    }
    // Out-of-calendar days in the list neither break the text nor the range operations.
    cal.SetMultiSelect(true);
    cal.Dates().Clear();
    cal.Dates().Add().SetDate(1e12);
    cal.Dates().AddDate(D(2026, 6, 1));
    EXPECT_EQ(cal.GetSelectionText(), "1/06/2026");
    cal.Dates().AddRange(MaxDateTime - 1, 1e300);
    EXPECT_EQ(cal.Dates().Count(), 4);
}

} // namespace
