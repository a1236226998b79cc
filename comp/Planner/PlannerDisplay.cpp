// The display, mode, week-day and per-position settings: their setters, the minute limits
// they keep, the period update of the period modes and the named dates of the mode.
#include "comp/Planner/PlannerDisplay.h"

#include "comp/Planner/Planner.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Math.h"
#include "platform/core/RaiseEvent.h"
#include "platform/gfx/Bitmap.h"

#include <algorithm>
#include <climits>
#include <cstdint>

TDateTime SafeEncodeDate(int year, int month, int day)
{
    if (year == 0 || month == 0 || day == 0)
        return 0;
    month = std::clamp(month, 1, 12);
    // February is taken to have 29 days in every fourth year; where the calendar disagrees
    // (1900, 2100) the encode below fails and the date is 0.
    static const int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int length = lengths[month - 1];
    if (month == 2 && year % 4 == 0)
        length = 29;
    day = std::clamp(day, 1, length);
    TDateTime result = 0;
    if (!TryEncodeDate(year, month, day, result))
        return 0;
    return result;
}

// --- Display ----------------------------------------------------------------------------

TPlannerDisplay::TPlannerDisplay(TCustomPlanner& planner)
    : m_planner(planner), m_update([this] { batchReleased(); })
{
    UpdateLimits();
}

int TPlannerDisplay::CellMinutes(std::int64_t cell) const
{
    // Held at the ends for stored values far out of range.
    return HoldInt((m_displayStart + cell) * m_displayUnit + m_displayOffset);
}

void TPlannerDisplay::UpdateLimits()
{
    m_startLimit = CellMinutes(0);
    m_endLimit = CellMinutes(std::int64_t(m_displayEnd) - m_displayStart + 1);
    m_activeStartMinutes = CellMinutes(m_activeStart);
    m_activeEndMinutes = CellMinutes(m_activeEnd);
}

void TPlannerDisplay::BeginLoad()
{
    m_startBeforeLoad = m_displayStart;
    m_endBeforeLoad = m_displayEnd;
}

void TPlannerDisplay::Loaded()
{
    if (m_displayStart > m_displayEnd) {
        m_displayStart = m_startBeforeLoad;
        m_displayEnd = m_endBeforeLoad;
        refit();
    }
    UpdateLimits();
}

void TPlannerDisplay::changed(Keep keep)
{
    UpdateLimits();
    if (m_update.Updating()) {
        m_pendingKeepCells = m_pendingKeepCells && keep == Keep::Cells;
        return;
    }
    m_planner.UpdateGrid(keep == Keep::Minutes);
}

// One grid update for the whole batch, keeping the items at their times when any setter of
// it would have.
void TPlannerDisplay::batchReleased()
{
    const bool keepMinutes = !m_pendingKeepCells;
    m_pendingKeepCells = true;
    m_planner.UpdateGrid(keepMinutes);
}

// The cells an item hides before the grid count in the unit being replaced: its start goes
// back to plain minutes, which the grid update clips again in the new unit.
void TPlannerDisplay::unclipStarts()
{
    TPlannerItems& items = m_planner.Items();
    for (int i = 0; i < items.Count(); ++i) {
        TPlannerItem& item = items.Items(i);
        if (item.BeginOffset() <= 0)
            continue;
        item.SetBeginMinutes(
            HoldInt(item.BeginMinutes() - std::int64_t(item.BeginOffset()) * m_displayUnit));
        item.SetBeginOffset(0);
    }
}

void TPlannerDisplay::refit()
{
    if (!m_scaleToFit)
        return;
    const int cells = m_displayEnd - m_displayStart + 1;
    if (cells > 0)
        m_displayScale = std::max(1, m_planner.Grid().CellAxisExtent() / cells);
}

void TPlannerDisplay::SetDisplayStart(int unit)
{
    // Before midnight or past the last unit nothing could be shown. Stored values come in
    // either order, so the order waits for the load completion.
    if (unit < 0 || (unit > m_displayEnd && !m_planner.Loading()))
        return;
    m_displayStart = unit;
    refit();
    changed(Keep::Minutes);
}

void TPlannerDisplay::SetDisplayEnd(int unit)
{
    if (unit < m_displayStart && !m_planner.Loading())
        return;
    m_displayEnd = unit;
    refit();
    changed(Keep::Cells);
}

void TPlannerDisplay::SetDisplayUnit(int minutes)
{
    // A unit longer than a day has no cell within one: ignored.
    if (minutes <= 0 || minutes > MinsPerDay || minutes == m_displayUnit)
        return;
    if (m_planner.Loading()) {
        m_displayUnit = minutes;
        UpdateLimits();
        return;
    }
    const int oldUnit = m_displayUnit;
    const int oldFirst = m_planner.Grid().FirstVisibleCell();
    unclipStarts();
    m_displayUnit = minutes;
    m_activeStart = m_activeStartMinutes / minutes;
    m_activeEnd = m_activeEndMinutes / minutes;
    // Offsets far below midnight could carry the start below it: held at midnight.
    m_displayStart = std::max(0, m_startLimit / minutes);
    m_displayEnd =
        std::max(m_displayStart, int((std::int64_t(m_endLimit) - m_displayOffset) / minutes - 1));
    changed(Keep::Minutes);
    // The first visible cell shows the same time as before.
    m_planner.Grid().SetFirstVisibleCell((oldFirst * oldUnit + m_displayOffset) / minutes);
}

void TPlannerDisplay::SetDisplayOffset(int minutes)
{
    // An offset beyond one unit would move cells past their neighbours: ignored.
    if (minutes > m_displayUnit || minutes == m_displayOffset)
        return;
    m_displayOffset = minutes;
    changed(Keep::Minutes);
}

void TPlannerDisplay::SetDisplayScale(int pixels)
{
    if (pixels < 1)
        return;
    m_displayScale = pixels;
    m_planner.RepaintItems();
    changed(Keep::Cells);
}

void TPlannerDisplay::SetActiveStart(int cell)
{
    m_activeStart = cell;
    changed(Keep::Cells);
}

void TPlannerDisplay::SetActiveEnd(int cell)
{
    m_activeEnd = cell;
    changed(Keep::Cells);
}

void TPlannerDisplay::SetColorActive(TColor color)
{
    m_colorActive = color;
    changed(Keep::Cells);
}

void TPlannerDisplay::SetColorNonActive(TColor color)
{
    m_colorNonActive = color;
    changed(Keep::Cells);
}

void TPlannerDisplay::SetColorCurrent(TColor color)
{
    m_colorCurrent = color;
    changed(Keep::Cells);
}

void TPlannerDisplay::SetColorCurrentItem(TColor color)
{
    m_colorCurrentItem = color;
    changed(Keep::Cells);
}

void TPlannerDisplay::SetShowCurrent(bool on)
{
    m_showCurrent = on;
    changed(Keep::Cells);
}

void TPlannerDisplay::SetShowCurrentItem(bool on)
{
    m_showCurrentItem = on;
    if (!on) {
        TPlannerItems& items = m_planner.Items();
        for (int i = 0; i < items.Count(); ++i)
            items.Items(i).SetCurrentActive(false);
    }
    changed(Keep::Cells);
}

void TPlannerDisplay::SetCurrentPosFrom(int pos)
{
    m_currentPosFrom = pos;
    changed(Keep::Cells);
}

void TPlannerDisplay::SetCurrentPosTo(int pos)
{
    m_currentPosTo = pos;
    changed(Keep::Cells);
}

void TPlannerDisplay::SetScaleToFit(bool on)
{
    if (on == m_scaleToFit)
        return;
    m_scaleToFit = on;
    if (on) {
        m_savedScale = m_displayScale;
        refit();
    } else {
        m_displayScale = m_savedScale;
    }
    changed(Keep::Cells);
}

void TPlannerDisplay::SetDisplayText(int cells)
{
    m_displayText = cells;
    changed(Keep::Cells);
}

void TPlannerDisplay::Assign(const TPlannerDisplay& s)
{
    if (&s == this)
        return;
    TUpdateScope batch(*this);
    if (s.m_displayUnit != m_displayUnit)
        unclipStarts();
    m_displayStart = s.m_displayStart;
    m_displayEnd = s.m_displayEnd;
    m_displayUnit = s.m_displayUnit;
    m_displayOffset = s.m_displayOffset;
    m_displayScale = s.m_displayScale;
    m_activeStart = s.m_activeStart;
    m_activeEnd = s.m_activeEnd;
    m_colorActive = s.m_colorActive;
    m_colorNonActive = s.m_colorNonActive;
    m_colorCurrent = s.m_colorCurrent;
    m_colorCurrentItem = s.m_colorCurrentItem;
    m_showCurrent = s.m_showCurrent;
    m_showCurrentItem = s.m_showCurrentItem;
    m_currentPosFrom = s.m_currentPosFrom;
    m_currentPosTo = s.m_currentPosTo;
    m_scaleToFit = s.m_scaleToFit;
    m_savedScale = s.m_savedScale;
    m_displayText = s.m_displayText;
    changed(Keep::Minutes);
}

// --- Mode -------------------------------------------------------------------------------

TPlannerMode::TPlannerMode(TCustomPlanner& planner)
    : m_planner(planner), m_update([this] { periodChanged(); })
{
    const TDateTime today = Date();
    int y = 0, m = 0, d = 0;
    if (TryDecodeDate(today, y, m, d)) {
        m_year = y;
        m_month = m;
        m_periodStartYear = y;
        m_periodStartMonth = m;
        m_periodStartDay = d;
    }
    if (TryDecodeDate(today + 48, y, m, d)) {
        m_periodEndYear = y;
        m_periodEndMonth = m;
        m_periodEndDay = d;
    }
    m_timeLineStart = today;
}

void TPlannerMode::repaint()
{
    m_planner.Grid().InvalidateGrid();
}

void TPlannerMode::SetPlannerType(TPlannerType type)
{
    m_plannerType = type;
    m_planner.rebuildInactiveDays();
    m_planner.LayoutGrid();
    repaint();
}

void TPlannerMode::SetYear(int year)
{
    m_year = year;
    repaint();
}

void TPlannerMode::SetMonth(int month)
{
    m_month = month;
    repaint();
}

void TPlannerMode::SetWeekStart(int day)
{
    m_weekStart = day;
    repaint();
}

void TPlannerMode::SetPeriodStartDay(int day)
{
    if (day < 1 || day > 31)
        return;
    m_periodStartDay = day;
    periodChanged();
}

void TPlannerMode::SetPeriodStartMonth(int month)
{
    if (month < 1 || month > 12)
        return;
    m_periodStartMonth = month;
    periodChanged();
}

void TPlannerMode::SetPeriodStartYear(int year)
{
    m_periodStartYear = year;
    periodChanged();
}

void TPlannerMode::SetPeriodEndDay(int day)
{
    if (day < 1 || day > 31)
        return;
    m_periodEndDay = day;
    periodChanged();
}

void TPlannerMode::SetPeriodEndMonth(int month)
{
    if (month < 1 || month > 12)
        return;
    m_periodEndMonth = month;
    periodChanged();
}

void TPlannerMode::SetPeriodEndYear(int year)
{
    m_periodEndYear = year;
    periodChanged();
}

void TPlannerMode::SetDateTimeFormat(const QString& format)
{
    m_dateTimeFormat = format;
    repaint();
}

void TPlannerMode::SetTimeLineStart(TDateTime day)
{
    m_timeLineStart = day;
    repaint();
}

void TPlannerMode::SetTimeLineNVUBegin(int units)
{
    m_timeLineNVUBegin = units;
    repaint();
}

void TPlannerMode::SetTimeLineNVUEnd(int units)
{
    m_timeLineNVUEnd = units;
    repaint();
}

void TPlannerMode::periodChanged()
{
    if (m_update.Updating())
        return;
    const TDateTime start = PeriodStartDate();
    const TDateTime end = PeriodEndDate();
    if (start < end && start != 0 && end != 0 && !m_planner.Loading()) {
        TPlannerDisplay& display = m_planner.Display();
        const int days = int(Trunc(end - start));
        if (m_plannerType == TPlannerType::plDayPeriod) {
            TUpdateScope batch(display);
            display.SetDisplayStart(0);
            display.SetDisplayEnd(days);
        } else if (m_plannerType == TPlannerType::plHalfDayPeriod) {
            TUpdateScope batch(display);
            display.SetDisplayStart(0);
            display.SetDisplayEnd(days * 2 + 1);
        }
    }
    repaint();
}

TDateTime TPlannerMode::MonthStartDate() const
{
    const TDateTime first = SafeEncodeDate(m_year, m_month, 1);
    if (m_plannerType != TPlannerType::plWeek)
        return first;
    int d = 7 - m_weekStart - DayOfWeek(first);
    if (d > 0)
        d -= 7;
    return first + d;
}

TDateTime TPlannerMode::PeriodStartDate() const
{
    if (m_plannerType == TPlannerType::plWeek || m_plannerType == TPlannerType::plMonth)
        return MonthStartDate();
    return SafeEncodeDate(m_periodStartYear, m_periodStartMonth, m_periodStartDay);
}

TDateTime TPlannerMode::PeriodEndDate() const
{
    if (m_plannerType == TPlannerType::plWeek || m_plannerType == TPlannerType::plMonth) {
        const TPlannerDisplay& d = m_planner.Display();
        return MonthStartDate() + (d.DisplayEnd() - d.DisplayStart());
    }
    return SafeEncodeDate(m_periodEndYear, m_periodEndMonth, m_periodEndDay);
}

void TPlannerMode::Assign(const TPlannerMode& s)
{
    if (&s == this)
        return;
    TUpdateScope batch(*this);
    m_year = s.m_year;
    m_month = s.m_month;
    m_weekStart = s.m_weekStart;
    m_periodStartDay = s.m_periodStartDay;
    m_periodStartMonth = s.m_periodStartMonth;
    m_periodStartYear = s.m_periodStartYear;
    m_periodEndDay = s.m_periodEndDay;
    m_periodEndMonth = s.m_periodEndMonth;
    m_periodEndYear = s.m_periodEndYear;
    m_dateTimeFormat = s.m_dateTimeFormat;
    m_timeLineStart = s.m_timeLineStart;
    m_timeLineNVUBegin = s.m_timeLineNVUBegin;
    m_timeLineNVUEnd = s.m_timeLineNVUEnd;
    m_clip = s.m_clip;
    SetPlannerType(s.m_plannerType);
}

// --- Week days --------------------------------------------------------------------------

bool TWeekDays::Day(int dayOfWeek) const
{
    return dayOfWeek >= 1 && dayOfWeek <= 7 && m_days[dayOfWeek - 1];
}

void TWeekDays::set(int index, bool on)
{
    m_days[index] = on;
    Raise(OnChanged, *this);
}

void TWeekDays::Assign(const TWeekDays& source)
{
    std::copy(std::begin(source.m_days), std::end(source.m_days), std::begin(m_days));
    Raise(OnChanged, *this);
}

// --- Position props ---------------------------------------------------------------------

TPositionProp::TPositionProp(const TPlannerDisplay& display)
    : ActiveStart(display.ActiveStart()), ActiveEnd(display.ActiveEnd()),
      ColorActive(display.ColorActive()), ColorNonActive(display.ColorNonActive()),
      Background(std::make_unique<TBitmap>())
{}

TPositionProp::~TPositionProp() = default;

TPositionProp& TPositionProps::Add()
{
    m_props.push_back(std::make_unique<TPositionProp>(m_planner.Display()));
    m_planner.Grid().InvalidateGrid();
    return *m_props.back();
}

TPositionProp& TPositionProps::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return *m_props[std::size_t(index)];
}

void TPositionProps::Delete(int index)
{
    Items(index);
    m_props.erase(m_props.begin() + index);
    m_planner.Grid().InvalidateGrid();
}

const TPositionProp* TPositionProps::Applies(int pos) const
{
    if (pos < 0 || pos >= Count() || !m_props[std::size_t(pos)]->Use)
        return nullptr;
    return m_props[std::size_t(pos)].get();
}
