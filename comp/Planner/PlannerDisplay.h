// The planner's time-grid settings: the display (which units of the day are shown, how long
// and how tall a cell is, which cells are working time), the mode (day, week, month, period,
// time line and custom grids with their base dates), the inactive week days, the optional
// per-position overrides and the colour bands. Every setter stores and then has the planner
// update the grid; the conversions between cells and times that these settings drive are
// the planner's time services (PlannerTime.cpp).
#pragma once

#include "comp/Planner/PlannerTypes.h"
#include "platform/core/Color.h"
#include "platform/core/DateTime.h"
#include "platform/core/UpdateScope.h"
#include "platform/gfx/Brush.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TBitmap;

// A date from parts that may be out of range: 0 when any part is 0, the month clamped to
// 1..12, the day to the month's length (February has 29 days in every fourth year); 0 when
// the date still does not exist.
TDateTime SafeEncodeDate(int year, int month, int day);

class TPlannerDisplay
{
public:
    explicit TPlannerDisplay(TCustomPlanner& planner);

    // A start below 0 is ignored, and so is either bound out of order with the other, except
    // while the planner loads: then both are taken and Loaded() checks them as a pair.
    int DisplayStart() const { return m_displayStart; } // 0
    void SetDisplayStart(int unit);
    int DisplayEnd() const { return m_displayEnd; } // 47; inclusive
    void SetDisplayEnd(int unit);
    // Minutes per cell in plDay and plTimeLine; 0 (or less) is ignored.
    int DisplayUnit() const { return m_displayUnit; } // 30
    void SetDisplayUnit(int minutes);
    // Shifts every cell; a value above DisplayUnit, or the current one, is ignored.
    int DisplayOffset() const { return m_displayOffset; } // 0
    void SetDisplayOffset(int minutes);
    // Row height (column width with the side bar on top) of a cell, in pixels.
    int DisplayScale() const { return m_displayScale; } // 24
    void SetDisplayScale(int pixels);
    int ActiveStart() const { return m_activeStart; } // 16
    void SetActiveStart(int cell);
    int ActiveEnd() const { return m_activeEnd; } // 40
    void SetActiveEnd(int cell);
    TColor ColorActive() const { return m_colorActive; } // clWhite
    void SetColorActive(TColor color);
    TColor ColorNonActive() const { return m_colorNonActive; } // clSilver
    void SetColorNonActive(TColor color);
    TColor ColorCurrent() const { return m_colorCurrent; } // clYellow
    void SetColorCurrent(TColor color);
    TColor ColorCurrentItem() const { return m_colorCurrentItem; } // clLime
    void SetColorCurrentItem(TColor color);
    bool ShowCurrent() const { return m_showCurrent; } // false
    void SetShowCurrent(bool on);
    // Turning it off clears every item's CurrentActive.
    bool ShowCurrentItem() const { return m_showCurrentItem; } // false
    void SetShowCurrentItem(bool on);
    // Positions that count as current; -1 in either means all.
    int CurrentPosFrom() const { return m_currentPosFrom; } // -1
    void SetCurrentPosFrom(int pos);
    int CurrentPosTo() const { return m_currentPosTo; } // -1
    void SetCurrentPosTo(int pos);
    // Fits every cell into the client area; turning it off restores the scale it replaced.
    bool ScaleToFit() const { return m_scaleToFit; } // false
    void SetScaleToFit(bool on);
    // Side-bar labels grouped by that many cells when above 0.
    int DisplayText() const { return m_displayText; } // 0
    void SetDisplayText(int cells);

    // Minute values derived by the setters.
    int StartLimit() const { return m_startLimit; }
    int EndLimit() const { return m_endLimit; }
    int ActiveStartMinutes() const { return m_activeStartMinutes; }
    int ActiveEndMinutes() const { return m_activeEndMinutes; }
    // Recomputes the four minute values from the settings.
    void UpdateLimits();
    // Run by the planner's BeginLoad and Loaded. A stored start past the stored end is
    // ignored with the end: both keep the values they had before loading. Then the minute
    // values are recomputed.
    void BeginLoad();
    void Loaded();
    // Minutes after midnight at which a cell starts; cells outside the grid count on.
    int CellMinutes(std::int64_t cell) const;

    // Nestable; grid updates wait for the last EndUpdate, which runs one. Open a batch with
    // TUpdateScope.
    void BeginUpdate() { m_update.Begin(); }
    void EndUpdate() { m_update.End(); }
    bool Updating() const { return m_update.Updating(); }
    int UpdateCount() const { return m_update.Count(); }

    void Assign(const TPlannerDisplay& source);

private:
    // Which items keep what when the grid is updated after a setter.
    enum class Keep
    {
        Cells,
        Minutes
    };
    void changed(Keep keep);
    void batchReleased();
    void unclipStarts();
    void refit();

    TCustomPlanner& m_planner;
    int m_displayStart = 0;
    int m_displayEnd = 47;
    int m_displayUnit = 30;
    int m_displayOffset = 0;
    int m_displayScale = 24;
    int m_activeStart = 16;
    int m_activeEnd = 40;
    TColor m_colorActive = clWhite;
    TColor m_colorNonActive = clSilver;
    TColor m_colorCurrent = clYellow;
    TColor m_colorCurrentItem = clLime;
    bool m_showCurrent = false;
    bool m_showCurrentItem = false;
    int m_currentPosFrom = -1;
    int m_currentPosTo = -1;
    bool m_scaleToFit = false;
    int m_savedScale = 24;
    int m_displayText = 0;
    int m_startBeforeLoad = 0;
    int m_endBeforeLoad = 47;
    int m_startLimit = 0;
    int m_endLimit = 48 * 30;
    int m_activeStartMinutes = 16 * 30;
    int m_activeEndMinutes = 40 * 30;
    TUpdateCounter m_update;
    // Whether every setter of the batch so far kept the items at their cells.
    bool m_pendingKeepCells = true;
};

class TPlannerMode
{
public:
    explicit TPlannerMode(TCustomPlanner& planner);

    TPlannerType PlannerType() const { return m_plannerType; } // plDay
    void SetPlannerType(TPlannerType type);
    int Year() const { return m_year; } // the current year at creation
    void SetYear(int year);
    int Month() const { return m_month; } // the current month at creation
    void SetMonth(int month);
    int WeekStart() const { return m_weekStart; } // 0
    void SetWeekStart(int day);
    // Period bounds: a day outside 1..31 or a month outside 1..12 is ignored.
    int PeriodStartDay() const { return m_periodStartDay; } // today
    void SetPeriodStartDay(int day);
    int PeriodStartMonth() const { return m_periodStartMonth; }
    void SetPeriodStartMonth(int month);
    int PeriodStartYear() const { return m_periodStartYear; }
    void SetPeriodStartYear(int year);
    int PeriodEndDay() const { return m_periodEndDay; } // today + 48 days
    void SetPeriodEndDay(int day);
    int PeriodEndMonth() const { return m_periodEndMonth; }
    void SetPeriodEndMonth(int month);
    int PeriodEndYear() const { return m_periodEndYear; }
    void SetPeriodEndYear(int year);
    const QString& DateTimeFormat() const { return m_dateTimeFormat; } // ""
    void SetDateTimeFormat(const QString& format);
    TDateTime TimeLineStart() const { return m_timeLineStart; } // today
    void SetTimeLineStart(TDateTime day);
    int TimeLineNVUBegin() const { return m_timeLineNVUBegin; } // 0
    void SetTimeLineNVUBegin(int units);
    int TimeLineNVUEnd() const { return m_timeLineNVUEnd; } // 0
    void SetTimeLineNVUEnd(int units);
    bool Clip() const { return m_clip; } // false
    void SetClip(bool on) { m_clip = on; }

    TDateTime MonthStartDate() const;
    TDateTime PeriodStartDate() const;
    TDateTime PeriodEndDate() const;

    // Batches period changes: the period update waits for the last EndUpdate. Open a batch
    // with TUpdateScope.
    void BeginUpdate() { m_update.Begin(); }
    void EndUpdate() { m_update.End(); }

    void Assign(const TPlannerMode& source);

private:
    void periodChanged();
    void repaint();

    TCustomPlanner& m_planner;
    TPlannerType m_plannerType = TPlannerType::plDay;
    int m_year = 0;
    int m_month = 0;
    int m_weekStart = 0;
    int m_periodStartDay = 0;
    int m_periodStartMonth = 0;
    int m_periodStartYear = 0;
    int m_periodEndDay = 0;
    int m_periodEndMonth = 0;
    int m_periodEndYear = 0;
    QString m_dateTimeFormat;
    TDateTime m_timeLineStart = 0;
    int m_timeLineNVUBegin = 0;
    int m_timeLineNVUEnd = 0;
    bool m_clip = false;
    TUpdateCounter m_update;
};

// The week days on which plMonth, the period modes and the time line show inactive cells.
class TWeekDays
{
public:
    bool Sun() const { return m_days[0]; } // true
    void SetSun(bool on) { set(0, on); }
    bool Mon() const { return m_days[1]; } // false
    void SetMon(bool on) { set(1, on); }
    bool Tue() const { return m_days[2]; } // false
    void SetTue(bool on) { set(2, on); }
    bool Wed() const { return m_days[3]; } // false
    void SetWed(bool on) { set(3, on); }
    bool Thu() const { return m_days[4]; } // false
    void SetThu(bool on) { set(4, on); }
    bool Fri() const { return m_days[5]; } // false
    void SetFri(bool on) { set(5, on); }
    bool Sat() const { return m_days[6]; } // true
    void SetSat(bool on) { set(6, on); }
    // By DayOfWeek number, 1 = Sunday .. 7 = Saturday; false outside.
    bool Day(int dayOfWeek) const;
    void Assign(const TWeekDays& source);

    std::function<void(TWeekDays& sender)> OnChanged;

private:
    void set(int index, bool on);
    bool m_days[7] = {true, false, false, false, false, false, true};
};

// Settings of one position that override the display's (see TPositionProps::Applies).
class TPositionProp
{
public:
    explicit TPositionProp(const TPlannerDisplay& display);
    ~TPositionProp();

    int ActiveStart = 16;
    int ActiveEnd = 40;
    TColor ColorActive = clWhite;
    TColor ColorNonActive = clSilver;
    int MinSelection = 0;
    int MaxSelection = 0;
    TColor ColorNoSelect = clRed;
    TBrushStyle BrushNoSelect = TBrushStyle::bsSolid;
    std::unique_ptr<TBitmap> Background;
    bool Use = true;
    bool ShowGap = true;
};

class TPositionProps
{
public:
    explicit TPositionProps(TCustomPlanner& planner) : m_planner(planner) {}
    int Count() const { return int(m_props.size()); }
    // Appended with the display's current values.
    TPositionProp& Add();
    // An index outside 0..Count()-1 raises EListError.
    TPositionProp& Items(int index) const;
    void Delete(int index);
    void Clear() { m_props.clear(); }
    // The props of a position when there are some and they are in use, else none.
    const TPositionProp* Applies(int pos) const;

private:
    TCustomPlanner& m_planner;
    std::vector<std::unique_ptr<TPositionProp>> m_props;
};

// Alternating cell colours (CellBrush): primary on odd cells, secondary on even ones.
struct TBands
{
    bool Show = false;
    TColor ActivePrimary = 0x00FEE7CB;
    TColor ActiveSecondary = 0x00FAD9AF;
    TColor NonActivePrimary = clSilver;
    TColor NonActiveSecondary = 0x00A8A8A8;
};
