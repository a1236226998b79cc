// The planner's time services: what a cell means in each planner mode (TimeToCell,
// CellToTimeRange), which cells are working time (IsActive, CellBrush), the texts that stand
// for times (DayName, PlanTimeToStrings, TimeText), and an item's start and end read and
// written in mode terms with the caption and range texts built from them.
#include "comp/Planner/Planner.h"
#include "platform/core/DateFormat.h"
#include "platform/core/Exceptions.h"
#include "platform/core/FormatSettings.h"
#include "platform/core/Math.h"
#include "platform/core/NumberFormat.h"
#include "platform/core/RaiseEvent.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace {

int truncInt(double v)
{
    if (!(v == v))
        return 0;
    return HoldInt(Trunc(std::clamp(v, double(INT_MIN), double(INT_MAX))));
}

int nearestInt(double v)
{
    if (!(v == v))
        return 0;
    return HoldInt(Round(std::clamp(v, double(INT_MIN), double(INT_MAX))));
}

// The time of day in whole minutes; 0 for a value that does not decode.
int minutesOfDay(TDateTime value)
{
    int h = 0, m = 0, s = 0, ms = 0;
    if (!TryDecodeTime(value, h, m, s, ms))
        return 0;
    return h * 60 + m;
}

// 1 = Sunday .. 7 = Saturday, 0 for a value outside the calendar.
int safeDayOfWeek(TDateTime value)
{
    int y = 0, m = 0, d = 0;
    if (!TryDecodeDate(value, y, m, d))
        return 0;
    return DayOfWeek(value);
}

// Texts of dates that do not exist are empty rather than an error in the middle of a paint.
QString formatDate(const QString& pattern, TDateTime value)
{
    try {
        return FormatDateTime(pattern, value);
    } catch (const Exception&) {
        return QString();
    }
}

QString shortDate(TDateTime value)
{
    try {
        return DateToStr(value);
    } catch (const Exception&) {
        return QString();
    }
}

QString longTime(TDateTime value)
{
    try {
        return TimeToStr(value);
    } catch (const Exception&) {
        return QString();
    }
}

// Minutes as a fraction of a day, days included; EncodeTime for 0..1439.
double minutesToTime(int minutes)
{
    return double(minutes) / MinsPerDay;
}

// The start's minutes with the cells hidden before the display taken off, a day on so that
// an early start stays positive; held at the ends for offsets from far-away dates.
int clippedStartMinutes(int beginMinutes, const TPlannerDisplay& d, int beginOffset)
{
    return HoldInt(std::int64_t(beginMinutes) - std::int64_t(d.DisplayUnit()) * beginOffset +
                   MinsPerDay);
}

std::int64_t floorDiv(std::int64_t a, std::int64_t b)
{
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

// Year and month of the month `offset` months after year/month (a year past the calendar
// simply yields no date later on).
void addMonths(int year, int month, int offset, int& y, int& m)
{
    const std::int64_t index = std::int64_t(year) * 12 + (std::int64_t(month) - 1) + offset;
    const std::int64_t years = floorDiv(index, 12);
    y = HoldInt(years);
    m = int(index - years * 12) + 1;
}

// Months from the mode's month to year/month.
int monthsFrom(const TPlannerMode& mode, int year, int month)
{
    return HoldInt((std::int64_t(year) - mode.Year()) * 12 + (std::int64_t(month) - mode.Month()));
}

TDateTime tryDate(int year, int month, int day)
{
    TDateTime result = 0;
    if (!TryEncodeDate(year, month, day, result))
        return 0;
    return result;
}

} // namespace

// --- Cells and times --------------------------------------------------------------------

int TCustomPlanner::TimeToCell(TDateTime value)
{
    const TPlannerDisplay& d = *m_display;
    const TPlannerMode& mode = *m_mode;
    const int unit = d.DisplayUnit();
    const int m = minutesOfDay(value);
    switch (mode.PlannerType()) {
    case TPlannerType::plDay:
        return (m - d.DisplayOffset()) / unit - d.DisplayStart();
    case TPlannerType::plWeek:
        return truncInt(value - mode.MonthStartDate());
    case TPlannerType::plMonth: {
        int y = 0, mo = 0, day = 0;
        if (!TryDecodeDate(value, y, mo, day))
            return 0;
        return day - 1;
    }
    case TPlannerType::plDayPeriod: {
        const TDateTime start = mode.PeriodStartDate();
        return value > start ? nearestInt(value - start) + 1 : 0;
    }
    case TPlannerType::plHalfDayPeriod: {
        const TDateTime start = mode.PeriodStartDate();
        return value > start ? nearestInt((value - start + 1) * 2) : 0;
    }
    case TPlannerType::plTimeLine: {
        const std::int64_t perDay =
            std::int64_t(MinsPerDay / unit) - mode.TimeLineNVUBegin() - mode.TimeLineNVUEnd();
        const TDateTime lineStart = mode.TimeLineStart();
        // Days before the start count from the day the value falls on; midnight of an
        // earlier day is that day's first cell, not the one a day before it.
        const std::int64_t days = truncInt(std::floor(value - lineStart));
        const std::int64_t skipped = std::int64_t(mode.TimeLineNVUBegin()) * unit;
        const std::int64_t inDay = m < skipped ? 0 : m - skipped;
        return HoldInt(days * perDay + inDay / unit);
    }
    case TPlannerType::plCustom:
    case TPlannerType::plCustomList:
        return TimeToIndex(value);
    case TPlannerType::plMultiMonth:
        break;
    }
    return 0;
}

void TCustomPlanner::CellToTimeRange(int cell, TDateTime& start, TDateTime& end)
{
    const TPlannerDisplay& d = *m_display;
    const TPlannerMode& mode = *m_mode;
    const int unit = d.DisplayUnit();
    switch (mode.PlannerType()) {
    case TPlannerType::plDay: {
        const std::int64_t t = (std::int64_t(d.DisplayStart()) + cell) * unit + d.DisplayOffset();
        const TDateTime day = Int(CurrentTime());
        if (t >= 0 && t / 60 < 24)
            start = day + minutesToTime(int(t));
        if (t + unit >= 0 && (t + unit) / 60 <= 23)
            end = day + minutesToTime(int(t + unit));
        return;
    }
    case TPlannerType::plWeek:
    case TPlannerType::plMonth:
        start = mode.MonthStartDate() + cell;
        end = start + 1;
        return;
    case TPlannerType::plDayPeriod:
        start = mode.PeriodStartDate() + cell;
        end = start + 1;
        return;
    case TPlannerType::plHalfDayPeriod:
        start = mode.PeriodStartDate() + cell / 2.0;
        end = start + 0.5;
        return;
    case TPlannerType::plMultiMonth:
        if (cell >= 0 && cell < DaysInAMonth(mode.Year(), mode.Month())) {
            start = tryDate(mode.Year(), mode.Month(), cell + 1);
            end = start;
        }
        return;
    case TPlannerType::plTimeLine: {
        const std::int64_t perDay =
            std::int64_t(MinsPerDay / unit) - mode.TimeLineNVUBegin() - mode.TimeLineNVUEnd();
        // Without a single shown unit per day no cell has a time.
        if (perDay <= 0)
            return;
        std::int64_t c = cell;
        if (c < 0)
            c += ((-c + perDay - 1) / perDay) * perDay;
        const TDateTime base = Int(mode.TimeLineStart()) + double(cell / perDay);
        const std::int64_t inDay = c % perDay + mode.TimeLineNVUBegin();
        start = base + double(inDay * unit) / MinsPerDay;
        end = base + double((inDay + 1) * unit) / MinsPerDay;
        if (cell < 0 && cell % perDay != 0) {
            start -= 1;
            end -= 1;
        }
        return;
    }
    case TPlannerType::plCustom:
    case TPlannerType::plCustomList:
        start = IndexToTime(cell);
        end = IndexToTime(cell + 1);
        return;
    }
}

// --- Active cells -----------------------------------------------------------------------

static bool activeByMode(TCustomPlanner& planner, unsigned inactiveDays, int cell, int pos)
{
    const TPlannerDisplay& d = planner.Display();
    const TPlannerMode& mode = planner.Mode();
    auto inactiveDay = [&](TDateTime value) {
        const int dow = safeDayOfWeek(value);
        return dow > 0 && (inactiveDays & (1u << dow)) != 0;
    };
    switch (mode.PlannerType()) {
    case TPlannerType::plDay: {
        const TPositionProp* prop = planner.PositionProps().Applies(pos);
        const int from = prop ? prop->ActiveStart : d.ActiveStart();
        const int to = prop ? prop->ActiveEnd : d.ActiveEnd();
        return !(cell < from || cell >= to);
    }
    case TPlannerType::plWeek: {
        const int r = (cell - mode.WeekStart()) % 7;
        return !(r == 0 || r == 1);
    }
    case TPlannerType::plMonth:
        return !inactiveDay(mode.MonthStartDate() + cell);
    case TPlannerType::plDayPeriod:
        return !inactiveDay(mode.PeriodStartDate() + cell);
    case TPlannerType::plHalfDayPeriod:
        return !inactiveDay(mode.PeriodStartDate() + cell / 2.0);
    case TPlannerType::plMultiMonth: {
        int y = 0, m = 0;
        addMonths(mode.Year(), mode.Month(), pos, y, m);
        if (cell >= DaysInAMonth(y, m) || cell < 0)
            return false;
        return !inactiveDay(tryDate(y, m, cell + 1));
    }
    case TPlannerType::plTimeLine: {
        const int unit = d.DisplayUnit();
        const std::int64_t shown =
            MinsPerDay -
            std::int64_t(unit) * (std::int64_t(mode.TimeLineNVUEnd()) + mode.TimeLineNVUBegin());
        if (shown <= 0)
            return true;
        return !inactiveDay(Int(double(cell) * unit / shown) + mode.TimeLineStart());
    }
    case TPlannerType::plCustom:
    case TPlannerType::plCustomList:
        break;
    }
    return true;
}

bool TCustomPlanner::IsActive(int cell, int pos)
{
    bool active = activeByMode(*this, m_inactiveDaySet, cell, pos);
    Raise(OnCellActive, *this, cell, active, pos);
    return active;
}

void TCustomPlanner::CellBrush(int pos, int cell, TBrush& brush)
{
    const TPositionProp* prop = m_positionProps->Applies(pos);
    TColor active = prop ? prop->ColorActive : m_display->ColorActive();
    TColor inactive = prop ? prop->ColorNonActive : m_display->ColorNonActive();
    if (m_bands.Show) {
        const bool odd = cell % 2 != 0;
        active = odd ? m_bands.ActivePrimary : m_bands.ActiveSecondary;
        inactive = odd ? m_bands.NonActivePrimary : m_bands.NonActiveSecondary;
    }
    brush.SetStyle(TBrushStyle::bsSolid);
    brush.SetColor(active);
    if (!activeByMode(*this, m_inactiveDaySet, cell, pos))
        brush.SetColor(inactive);
    if (prop && ((prop->MinSelection > 0 && cell < prop->MinSelection) ||
                 (prop->MaxSelection > 0 && cell >= prop->MaxSelection))) {
        brush.SetStyle(prop->BrushNoSelect);
        brush.SetColor(prop->ColorNoSelect);
    }
}

// --- Time texts -------------------------------------------------------------------------

QString TCustomPlanner::DayName(int n) const
{
    static const char* const builtIn[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    int k = n < 8 ? n : n % 7;
    if (k < 1)
        k += 7 * ((1 - k + 6) / 7);
    if (m_dayNames.Count() >= k)
        return m_dayNames[k - 1];
    return QString::fromLatin1(builtIn[k - 1]);
}

void TCustomPlanner::PlanTimeToStrings(int minutes, QString& hours, QString& mins, QString& ampm)
{
    // Raised by whole days until not negative (a remainder cannot overflow).
    if (minutes < 0) {
        minutes %= MinsPerDay;
        if (minutes < 0)
            minutes += MinsPerDay;
    }
    int h = minutes / 60 % 24;
    const int minute = minutes % 60;
    const TFormatSettings& fs = FormatSettings();
    const QString am = fs.TimeAMString.isEmpty() ? QStringLiteral("AM") : fs.TimeAMString;
    const QString pm = fs.TimePMString.isEmpty() ? QStringLiteral("PM") : fs.TimePMString;
    mins = Format(QStringLiteral("%.2d"), minute);
    ampm.clear();
    switch (m_hourType) {
    case THourType::ht24hrs:
        break;
    case THourType::ht12hrs:
        if (h > 12)
            h -= 12;
        break;
    case THourType::htAMPM0:
        ampm = h < 12 ? am : pm;
        if (h > 12)
            h -= 12;
        break;
    case THourType::htAMPM1:
        ampm = (h >= 1 && h <= 12) ? am : pm;
        if (h > 12)
            h -= 12;
        break;
    case THourType::htAMPMOnce:
        if (minute == 0)
            mins = h < 12 ? am : pm;
        if (h > 12)
            h -= 12;
        break;
    }
    hours = Format(QStringLiteral("%d"), h);
    Raise(OnPlanTimeToStrings, *this, unsigned(minutes), hours, mins, ampm);
}

QString TCustomPlanner::TimeText(int minutes)
{
    QString hours, mins, ampm;
    PlanTimeToStrings(minutes, hours, mins, ampm);
    QString text = hours + FormatSettings().TimeSeparator + mins;
    if (!ampm.isEmpty())
        text += QLatin1Char(' ') + ampm;
    return text;
}

// --- Item times -------------------------------------------------------------------------

void TPlannerItem::SetItemStartTime(TDateTime value)
{
    TCustomPlanner& planner = Planner();
    const TPlannerDisplay& d = planner.Display();
    const TPlannerMode& mode = planner.Mode();
    const TPlannerType type = mode.PlannerType();
    if (type != TPlannerType::plMultiMonth && type != TPlannerType::plCustom &&
        type != TPlannerType::plCustomList)
        m_exactStart = value;
    const int unit = d.DisplayUnit();
    const int m = minutesOfDay(value);
    const TDateTime s = mode.PeriodStartDate();
    const TDateTime e = mode.PeriodEndDate();
    switch (type) {
    case TPlannerType::plDay:
        SetItemBegin(planner.RoundTime ? nearestInt(double(m) / unit) - d.DisplayStart()
                                       : m / unit - d.DisplayStart());
        m_beginMinutes = m;
        return;
    case TPlannerType::plWeek:
    case TPlannerType::plMonth:
    case TPlannerType::plDayPeriod: {
        const int day = truncInt(value);
        if (day <= s || day > e) {
            m_beginOffset = truncInt(s - day);
            SetItemBegin(0);
            if (day > e)
                SetVisible(false);
        } else {
            m_beginOffset = 0;
            SetItemBegin(truncInt(value - s));
        }
        return;
    }
    case TPlannerType::plHalfDayPeriod:
        if (value < s || value > e) {
            m_beginOffset = truncInt((s - value) * 2);
            SetItemBegin(0);
        } else {
            m_beginOffset = 0;
            SetItemBegin(truncInt((value - s) * 2));
        }
        return;
    case TPlannerType::plMultiMonth: {
        int y = 0, mo = 0, day = 0;
        if (!TryDecodeDate(value, y, mo, day))
            return;
        const int index = monthsFrom(mode, y, mo);
        SetItemPos(std::clamp(index, 0, std::max(planner.Positions() - 1, 0)));
        SetItemBegin(day - 1);
        return;
    }
    case TPlannerType::plTimeLine: {
        const int c = planner.TimeToCell(value);
        if (c < 0) {
            m_beginOffset = -c;
            SetItemBegin(0);
        } else {
            m_beginOffset = 0;
            SetItemBegin(c);
        }
        // The time of day given, not the cell's, is what the start text shows.
        m_beginMinutes = m;
        return;
    }
    case TPlannerType::plCustom:
    case TPlannerType::plCustomList:
        SetItemBegin(planner.TimeToIndex(value));
        return;
    }
}

void TPlannerItem::SetItemEndTime(TDateTime value)
{
    TCustomPlanner& planner = Planner();
    const TPlannerDisplay& d = planner.Display();
    const TPlannerMode& mode = planner.Mode();
    const TPlannerType type = mode.PlannerType();
    if (type != TPlannerType::plMultiMonth && type != TPlannerType::plCustom &&
        type != TPlannerType::plCustomList)
        m_exactEnd = value;
    const int unit = d.DisplayUnit();
    const int m = minutesOfDay(value);
    const TDateTime s = mode.PeriodStartDate();
    const TDateTime e = mode.PeriodEndDate();
    const int span = d.DisplayEnd() - d.DisplayStart();
    switch (type) {
    case TPlannerType::plDay: {
        m_beginOffset = 0;
        m_endOffset = 0;
        int shift = 0;
        if (Int(value) > Int(m_exactStart))
            shift = MinsPerDay;
        else if (Int(value) < Int(m_exactStart))
            shift = -MinsPerDay;
        int end = m + shift;
        // An end before the start runs past midnight: the end moves on a day, the start stays.
        if (end < m_beginMinutes)
            end += MinsPerDay;
        m_endMinutes = end;
        auto cellOf = [&](int minutes) {
            return planner.RoundTime ? nearestInt(double(minutes) / unit) - d.DisplayStart()
                                     : (minutes - 1) / unit + 1 - d.DisplayStart();
        };
        if (end > d.EndLimit()) {
            m_endOffset = planner.RoundTime ? nearestInt(double(end - d.EndLimit()) / unit)
                                            : (end - d.EndLimit()) / unit;
            SetItemEnd(span + 1);
        } else if (d.StartLimit() > m_beginMinutes) {
            if (d.StartLimit() > end) {
                SetInHeader(true);
            } else {
                // The cells before the display, rounded up so that the start read back lies
                // at or before the real one.
                const int before = (d.StartLimit() - m_beginMinutes + unit - 1) / unit;
                SetItemBegin(0);
                m_beginOffset = before;
                SetItemEnd(cellOf(end));
            }
        } else {
            SetItemEnd(cellOf(end));
        }
        if (planner.RoundTime && m_itemEnd == m_itemBegin)
            SetItemEnd(m_itemEnd + 1);
        m_endMinutes = end;
        return;
    }
    case TPlannerType::plWeek:
    case TPlannerType::plMonth:
    case TPlannerType::plDayPeriod: {
        m_endOffset = truncInt(value) > e ? truncInt(value - e) : 0;
        int v = truncInt(value - s) + 1;
        if (v < 0)
            v = d.DisplayStart();
        if (v > span)
            v = span + 1;
        if (value >= s)
            SetItemEnd(v);
        else
            SetVisible(false);
        return;
    }
    case TPlannerType::plHalfDayPeriod: {
        int v = truncInt((value - s) * 2) + (Frac(value) >= 0.5 ? 1 : 0);
        if (v < 0)
            v = d.DisplayStart();
        if (v > span)
            v = span + 1;
        SetItemEnd(v);
        m_endOffset = Int(value) > Int(e) ? nearestInt((value - e) * 2) : 0;
        return;
    }
    case TPlannerType::plMultiMonth: {
        int y = 0, mo = 0, day = 0;
        if (!TryDecodeDate(value, y, mo, day))
            return;
        const int index = monthsFrom(mode, y, mo);
        SetItemPos(std::clamp(index, 0, std::max(planner.Positions() - 1, 0)));
        SetItemEnd(day);
        return;
    }
    case TPlannerType::plTimeLine: {
        const int c = planner.TimeToCell(value);
        if (c > d.DisplayEnd() + 1) {
            m_endOffset = c - (d.DisplayEnd() + 1);
            SetItemEnd(d.DisplayEnd() + 1);
        } else {
            m_endOffset = 0;
            SetItemEnd(c);
        }
        m_endMinutes = m;
        return;
    }
    case TPlannerType::plCustom:
    case TPlannerType::plCustomList:
        SetItemEnd(planner.TimeToIndex(value));
        return;
    }
}

TDateTime TPlannerItem::ItemStartTime()
{
    TCustomPlanner& planner = Planner();
    const TPlannerDisplay& d = planner.Display();
    const TPlannerMode& mode = planner.Mode();
    switch (mode.PlannerType()) {
    case TPlannerType::plDay: {
        int minutes = m_beginMinutes;
        const int days = minutes >= MinsPerDay ? minutes / MinsPerDay : 0;
        minutes -= days * MinsPerDay;
        TDateTime t = minutesToTime(minutes);
        if (m_beginOffset > 0)
            t -= double(std::int64_t(m_beginOffset) * d.DisplayUnit()) / MinsPerDay;
        return t + planner.PositionToDay(m_itemPos) + days;
    }
    case TPlannerType::plWeek:
    case TPlannerType::plMonth:
        return mode.MonthStartDate() - m_beginOffset + m_itemBegin + Frac(m_exactStart);
    case TPlannerType::plDayPeriod:
        return mode.PeriodStartDate() - m_beginOffset + m_itemBegin + Frac(m_exactStart);
    case TPlannerType::plHalfDayPeriod:
        return mode.PeriodStartDate() + (m_itemBegin - m_beginOffset) / 2.0;
    case TPlannerType::plMultiMonth: {
        int y = 0, m = 0;
        addMonths(mode.Year(), mode.Month(), m_itemPos, y, m);
        return tryDate(y, m, m_itemBegin + 1) + Frac(m_exactStart);
    }
    case TPlannerType::plTimeLine: {
        TDateTime start = 0, end = 0;
        planner.CellToTimeRange(m_itemBegin - m_beginOffset, start, end);
        return start;
    }
    case TPlannerType::plCustom:
    case TPlannerType::plCustomList:
        return planner.IndexToTime(m_itemBegin);
    }
    return 0;
}

TDateTime TPlannerItem::ItemEndTime()
{
    TCustomPlanner& planner = Planner();
    const TPlannerMode& mode = planner.Mode();
    switch (mode.PlannerType()) {
    case TPlannerType::plDay: {
        int minutes = m_endMinutes;
        const int days = minutes >= MinsPerDay ? minutes / MinsPerDay : 0;
        minutes -= days * MinsPerDay;
        return minutesToTime(minutes) + planner.PositionToDay(m_itemPos) + days;
    }
    case TPlannerType::plWeek:
    case TPlannerType::plMonth:
        return mode.MonthStartDate() - 1 + m_endOffset + m_itemEnd + Frac(m_exactEnd);
    case TPlannerType::plDayPeriod:
        return mode.PeriodStartDate() - 1 + m_endOffset + m_itemEnd + Frac(m_exactEnd);
    case TPlannerType::plHalfDayPeriod:
        return mode.PeriodStartDate() + (m_itemEnd + m_endOffset) / 2.0;
    case TPlannerType::plMultiMonth: {
        int y = 0, m = 0;
        addMonths(mode.Year(), mode.Month(), m_itemPos, y, m);
        TDateTime day = 0;
        if (m_itemEnd > DaysInAMonth(y, m)) {
            int ny = 0, nm = 0;
            addMonths(y, m, 1, ny, nm);
            day = tryDate(ny, nm, 1);
        } else {
            day = tryDate(y, m, m_itemEnd);
        }
        return day + Frac(m_exactEnd);
    }
    case TPlannerType::plTimeLine: {
        TDateTime start = 0, end = 0;
        planner.CellToTimeRange(m_itemEnd + m_endOffset, start, end);
        return start;
    }
    case TPlannerType::plCustom:
    case TPlannerType::plCustomList:
        return planner.IndexToTime(m_itemEnd);
    }
    return 0;
}

TDateTime TPlannerItem::ItemRealStartTime()
{
    return m_hasExactTimes ? m_exactStart : ItemStartTime();
}

TDateTime TPlannerItem::ItemRealEndTime()
{
    return (m_hasExactTimes || m_inHeader) ? m_exactEnd : ItemEndTime();
}

// --- Item texts -------------------------------------------------------------------------

QString TPlannerItem::CaptionTimeText()
{
    TCustomPlanner& planner = Planner();
    const TPlannerDisplay& d = planner.Display();
    const TPlannerMode& mode = planner.Mode();
    const QString& format = mode.DateTimeFormat();
    const QString dash = QStringLiteral(" - ");
    switch (mode.PlannerType()) {
    case TPlannerType::plDay: {
        QString start, end;
        if (m_hasExactTimes || m_inHeader) {
            start = planner.TimeText(minutesOfDay(m_exactStart));
            end = planner.TimeText(minutesOfDay(m_exactEnd));
        } else {
            start = planner.TimeText(clippedStartMinutes(m_beginMinutes, d, m_beginOffset));
            end = planner.TimeText(m_endMinutes);
        }
        const TDateTime startDay = Int(ItemRealStartTime());
        const TDateTime endDay = Int(ItemRealEndTime());
        if (startDay != 0 && endDay != 0 && startDay != endDay) {
            start += QLatin1Char(' ') + shortDate(startDay);
            end += QLatin1Char(' ') + shortDate(endDay);
        }
        return start + dash + end;
    }
    case TPlannerType::plWeek: {
        const TDateTime monthStart = mode.MonthStartDate();
        QString text = planner.DayName(m_itemBegin - mode.WeekStart());
        if (!format.isEmpty())
            text += QLatin1Char(' ') + formatDate(format, monthStart + m_itemBegin - m_beginOffset +
                                                              TimeOf(ItemRealStartTime()));
        if (m_itemEnd - m_itemBegin > 1) {
            text += dash + planner.DayName(m_itemEnd - mode.WeekStart() - 1);
            if (!format.isEmpty())
                text += QLatin1Char(' ') + formatDate(format, monthStart + m_itemEnd + m_endOffset -
                                                                  1 + TimeOf(ItemRealEndTime()));
        }
        return text;
    }
    case TPlannerType::plMonth:
    case TPlannerType::plDayPeriod: {
        const TDateTime start = mode.PeriodStartDate();
        QString text =
            formatDate(format, start + m_itemBegin - m_beginOffset + TimeOf(ItemRealStartTime()));
        if (m_itemEnd - m_itemBegin > 1)
            text += dash + formatDate(format, start + m_itemEnd + m_endOffset - 1 +
                                                  TimeOf(ItemRealEndTime()));
        return text;
    }
    case TPlannerType::plHalfDayPeriod: {
        const TDateTime start = mode.PeriodStartDate();
        const int first = m_itemBegin - m_beginOffset;
        const int last = m_itemEnd + m_endOffset;
        return formatDate(format, Int(start + first / 2.0)) +
               (first % 2 != 0 ? QStringLiteral(" PM") : QStringLiteral(" AM")) + dash +
               formatDate(format, Int(start + (last - 1) / 2.0)) +
               (last % 2 != 0 ? QStringLiteral(" AM") : QStringLiteral(" PM"));
    }
    case TPlannerType::plTimeLine: {
        if (m_hasExactTimes || m_inHeader) {
            QString start = longTime(m_exactStart);
            QString end = longTime(m_exactEnd);
            if (Int(m_exactStart) != Int(m_exactEnd)) {
                start += QLatin1Char(' ') + shortDate(m_exactStart);
                end += QLatin1Char(' ') + shortDate(m_exactEnd);
            }
            return start + dash + end;
        }
        TDateTime firstStart = 0, firstEnd = 0, lastStart = 0, lastEnd = 0;
        planner.CellToTimeRange(m_itemBegin - m_beginOffset, firstStart, firstEnd);
        planner.CellToTimeRange(m_itemEnd + m_endOffset - 1, lastStart, lastEnd);
        if (Int(firstStart) != Int(lastStart))
            return longTime(firstStart) + QLatin1Char(' ') + shortDate(firstStart) + dash +
                   longTime(lastEnd) + QLatin1Char(' ') + shortDate(lastEnd);
        return longTime(firstStart) + dash + longTime(lastEnd) + QLatin1Char(' ') +
               shortDate(firstStart);
    }
    case TPlannerType::plMultiMonth:
    case TPlannerType::plCustom:
    case TPlannerType::plCustomList:
        break;
    }
    return StartText() + dash + EndText();
}

QString TPlannerItem::StartText()
{
    TCustomPlanner& planner = Planner();
    const TPlannerMode& mode = planner.Mode();
    switch (mode.PlannerType()) {
    case TPlannerType::plDay:
    case TPlannerType::plTimeLine:
        return planner.TimeText(
            clippedStartMinutes(m_beginMinutes, planner.Display(), m_beginOffset));
    case TPlannerType::plWeek:
    case TPlannerType::plMonth:
        return shortDate(mode.MonthStartDate() + m_itemBegin - m_beginOffset);
    case TPlannerType::plDayPeriod:
        return shortDate(mode.PeriodStartDate() + m_itemBegin - m_beginOffset);
    case TPlannerType::plHalfDayPeriod:
        return shortDate(mode.PeriodStartDate() + (m_itemBegin - m_beginOffset) / 2.0);
    case TPlannerType::plMultiMonth:
        return shortDate(ItemStartTime());
    case TPlannerType::plCustom:
    case TPlannerType::plCustomList:
        return formatDate(mode.DateTimeFormat(), ItemStartTime());
    }
    return QString();
}

QString TPlannerItem::EndText()
{
    TCustomPlanner& planner = Planner();
    const TPlannerMode& mode = planner.Mode();
    switch (mode.PlannerType()) {
    case TPlannerType::plWeek:
    case TPlannerType::plMonth:
        return shortDate(mode.MonthStartDate() - 1 + m_itemEnd + m_endOffset);
    case TPlannerType::plDayPeriod:
        return shortDate(mode.PeriodStartDate() - 1 + m_itemEnd + m_endOffset);
    case TPlannerType::plHalfDayPeriod:
        return shortDate(mode.PeriodStartDate() + (m_itemEnd + m_endOffset - 1) / 2.0);
    case TPlannerType::plMultiMonth:
        return shortDate(ItemEndTime() - 1);
    case TPlannerType::plCustom:
    case TPlannerType::plCustomList:
        return formatDate(mode.DateTimeFormat(), ItemEndTime());
    case TPlannerType::plDay:
    case TPlannerType::plTimeLine:
        break;
    }
    return planner.TimeText(m_endMinutes);
}
