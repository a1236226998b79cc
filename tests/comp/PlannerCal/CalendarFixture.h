// A calendar on 17 June 2026 (a Wednesday) with the clock pinned, day/month/year short dates,
// errors collected instead of shown, and helpers that find a day's cell on screen.
#pragma once

#include "comp/PlannerCal/PlannerCalendar.h"
#include "platform/core/DateTime.h"
#include "platform/core/FormatSettings.h"

#include <QPoint>
#include <QString>
#include <gtest/gtest.h>
#include <vector>

inline TFormatSettings CalendarTestSettings()
{
    TFormatSettings fs = TFormatSettings::Fixed();
    fs.ShortDateFormat = QStringLiteral("d/MM/yyyy");
    fs.DateSeparator = QLatin1Char('/');
    return fs;
}

class CalendarFixture : public testing::Test
{
protected:
    CalendarFixture()
    {
        cal.OnErrorMessage = [this](TPlannerCalendar&, const QString& message) {
            errors.push_back(message);
        };
        cal.Loaded();
        cal.SetDate(EncodeDate(2026, 6, 17));
    }

    static TDateTime D(int year, int month, int day) { return EncodeDate(year, month, day); }

    // The middle of a date's day cell in the shown month's grid.
    QPoint centre(TDateTime date)
    {
        const TCalendarGeometry g = cal.Geometry();
        int c = 0, w = 0;
        EXPECT_TRUE(g.CellOf(date, c, w));
        const TRect r = g.DayCell(c, w);
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }

    std::vector<TDateTime> selected()
    {
        cal.Dates().Sort();
        std::vector<TDateTime> days;
        for (int i = 0; i < cal.Dates().Count(); ++i)
            days.push_back(cal.Dates().Items(i).Date());
        return days;
    }

    std::vector<TDateTime> range(TDateTime from, TDateTime to)
    {
        std::vector<TDateTime> days;
        for (TDateTime d = from; d <= to; d += 1)
            days.push_back(d);
        return days;
    }

    TFixedClock clock{EncodeDateTime(2026, 6, 17, 10, 30, 0, 0)};
    TFormatSettingsGuard settings{CalendarTestSettings()};
    TPlannerCalendar cal;
    std::vector<QString> errors;
};
