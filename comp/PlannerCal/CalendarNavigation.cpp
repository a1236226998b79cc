// How the month calendar is navigated and how days are chosen: month and year steps with the
// date limits, the caption's month and year menus, the arrows, clicks and drags on days,
// whole weekday columns and weeks, the today line, hover feedback with hints, and the
// keyboard with Shift ranges.
#include "comp/PlannerCal/PlannerCalendar.h"
#include "platform/controls/HintWindow.h"
#include "platform/controls/PopupMenu.h"
#include "platform/core/RaiseEvent.h"
#include "platform/gfx/Canvas.h"

#include <QEvent>
#include <QImage>
#include <QKeyEvent>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

void decode(TDateTime date, int& y, int& m, int& d)
{
    y = m = d = 0;
    TryDecodeDate(date, y, m, d);
}

// Months counted across years, so that December and the January after it are neighbours.
int monthIndex(TDateTime date)
{
    int y = 0, m = 0, d = 0;
    decode(date, y, m, d);
    return y * 12 + m - 1;
}

} // namespace

// --- Stepping ---------------------------------------------------------------------------

TDateTime TPlannerCalendar::yearStep(TDateTime from, int delta) const
{
    int y = 0, m = 0, d = 0;
    decode(from, y, m, d);
    const int year = y + delta;
    TDateTime result = 0;
    if (year < 1 || year > 9999 ||
        !TryEncodeDate(year, m, std::min(d, DaysInAMonth(year, m)), result))
        return MinDateTime - 1; // no such day: outside every range
    return result;
}

bool TPlannerCalendar::inCalendar(TDateTime date) const
{
    return date >= MinDateTime && date <= MaxDateTime;
}

void TPlannerCalendar::ChangeMonth(int delta)
{
    int y = 0, m = 0, d = 0;
    decode(m_focusDate, y, m, d);
    const std::int64_t index = std::int64_t(y) * 12 + (m - 1) + delta;
    const std::int64_t year = index >= 0 ? index / 12 : (index - 11) / 12;
    const int month = int(index - year * 12) + 1;
    if (year < 1 || year > 9999)
        return;
    TDateTime result = EncodeDate(int(year), month, std::min(d, DaysInAMonth(int(year), month)));
    if (!InRange(result)) {
        TDateTime limit = 0;
        if (m_minDate.Limits(limit) && limit > result)
            result = limit;
        else if (m_maxDate.Limits(limit) && limit < result)
            result = limit;
    }
    m_focusDate = result;
    setCurrent(result);
    updateCaption();
    RepaintAll();
}

void TPlannerCalendar::ChangeYear(int delta)
{
    const TDateTime result = yearStep(m_focusDate, delta);
    if (!inCalendar(result) || !InRange(result))
        return;
    m_focusDate = result;
    setCurrent(result);
    updateCaption();
    RepaintAll();
}

void TPlannerCalendar::raiseChanges(TDateTime oldDate, TDateTime newDate)
{
    int oy = 0, om = 0, od = 0, ny = 0, nm = 0, nd = 0;
    decode(oldDate, oy, om, od);
    decode(newDate, ny, nm, nd);
    if (od != nd)
        Raise(OnDayChange, *this, oldDate, newDate);
    if (om != nm)
        DoMonthChanged(oldDate, newDate);
    if (oy != ny)
        DoYearChanged(oldDate, newDate);
}

bool TPlannerCalendar::maySelect(TDateTime date) const
{
    const int shown = monthIndex(m_focusDate);
    const int month = monthIndex(date);
    if (month < shown)
        return m_showDaysBefore;
    if (month > shown)
        return m_showDaysAfter;
    return true;
}

// --- Caption menus ----------------------------------------------------------------------

void TPlannerCalendar::popupMonthMenu(int x)
{
    int y = 0, m = 0, d = 0;
    decode(m_focusDate, y, m, d);
    TDateTime minLimit = 0, maxLimit = 0;
    const bool useMin = m_minDate.Limits(minLimit);
    const bool useMax = m_maxDate.Limits(maxLimit);
    m_monthMenu->Clear();
    for (int month = 1; month <= 12; ++month) {
        TMenuItem& item = m_monthMenu->Add(m_nameOfMonths.Name(month),
                                           [this, month](TMenuItem&) { chooseMonth(month); });
        const int index = y * 12 + month - 1;
        const bool beforeMin = useMin && index < monthIndex(minLimit);
        const bool afterMax = useMax && index > monthIndex(maxLimit);
        item.SetEnabled(!beforeMin && !afterMax);
    }
    const QPoint at = mapToGlobal(QPoint(x, 15));
    m_monthMenu->Popup(at.x(), at.y());
}

void TPlannerCalendar::popupYearMenu(int x)
{
    int y = 0, m = 0, d = 0;
    decode(m_focusDate, y, m, d);
    m_yearMenu->Clear();
    for (int delta = -4; delta <= 5; ++delta) {
        TMenuItem& item = m_yearMenu->Add(QString::number(y + delta),
                                          [this, delta](TMenuItem&) { chooseYear(delta); });
        const TDateTime target = yearStep(m_focusDate, delta);
        item.SetEnabled(inCalendar(target) && InRange(target));
    }
    const QPoint at = mapToGlobal(QPoint(x, 15));
    m_yearMenu->Popup(at.x(), at.y());
}

void TPlannerCalendar::chooseMonth(int month)
{
    int y = 0, m = 0, d = 0;
    decode(m_focusDate, y, m, d);
    const TDateTime old = m_currentDate;
    TDateTime result = EncodeDate(y, month, 1);
    // The first of the limits' own month lies before MinDate: the limit is the nearest day.
    TDateTime limit = 0;
    if (m_minDate.Limits(limit) && result < limit)
        result = limit;
    if (m_maxDate.Limits(limit) && result > limit)
        result = limit;
    m_focusDate = result;
    setCurrent(result);
    updateCaption();
    RepaintAll();
    DoMonthChanged(old, result);
}

void TPlannerCalendar::chooseYear(int delta)
{
    const TDateTime result = yearStep(m_focusDate, delta);
    if (!inCalendar(result) || !InRange(result))
        return;
    const TDateTime old = m_currentDate;
    m_focusDate = result;
    setCurrent(result);
    updateCaption();
    RepaintAll();
    DoYearChanged(old, result);
}

// --- Mouse ------------------------------------------------------------------------------

void TPlannerCalendar::arrowStep(TCalendarArrow which)
{
    const TDateTime old = m_currentDate;
    switch (which) {
    case TCalendarArrow::caPrevYear:
        ChangeYear(-1);
        break;
    case TCalendarArrow::caPrevMonth:
        ChangeMonth(-1);
        break;
    case TCalendarArrow::caNextMonth:
        ChangeMonth(1);
        break;
    case TCalendarArrow::caNextYear:
        ChangeYear(1);
        break;
    case TCalendarArrow::caNone:
        return;
    }
    raiseChanges(old, m_currentDate);
}

void TPlannerCalendar::selectColumnOrRow(const TDateTime (&dates)[7], int count, TShiftState shift)
{
    {
        const TUpdateScope batch(*m_dates);
        if (!shift.Contains(TShiftStateItem::ssCtrl))
            m_dates->Clear();
        // Days that can never be chosen (hidden neighbours, beyond the limits) do not count, or
        // a column holding one could never be taken out again.
        bool all = true, any = false;
        for (int i = 0; i < count; ++i) {
            if (!maySelect(dates[i]) || !InRange(dates[i]))
                continue;
            any = true;
            all = all && m_dates->HasDate(dates[i]);
        }
        for (int i = 0; i < count; ++i) {
            if (any && all)
                m_dates->DelRange(dates[i], dates[i]);
            else if (!m_dates->HasDate(dates[i]) && maySelect(dates[i]) && InRange(dates[i]))
                m_dates->AddDate(dates[i]);
        }
    }
    RepaintAll();
}

void TPlannerCalendar::clickToday()
{
    const TDateTime now = Now();
    // Today beyond the limits is no day to go to.
    if (!InRange(now))
        return;
    const TDateTime old = m_currentDate;
    m_rangeAnchor = now;
    setCurrent(now);
    int y = 0, m = 0, d = 0;
    decode(now, y, m, d);
    applyDate(d, m, y);
    if (m_multiSelect)
        RepaintAll();
    Raise(OnDayChange, *this, old, now);
    Raise(OnDateChange, *this, old, now);
    Raise(OnDaySelect, *this, now);
}

void TPlannerCalendar::clickDay(TShiftState shift, int x, int y)
{
    const TCalendarGeometry g = Geometry();
    int offset = 0;
    const TDateTime date = g.DateAt(x, y, offset);
    m_pressPoint = {x, y};
    m_hasPressPoint = true;
    if (!maySelect(date) || !InRange(date))
        return;
    const TDateTime old = m_currentDate;
    const int oldMonth = monthIndex(m_focusDate);
    if (shift.Contains(TShiftStateItem::ssCtrl) && m_multiSelect) {
        if (!m_dates->HasDate(date)) {
            m_dates->AddDate(date);
            setCurrent(date);
            m_focusDate = date;
        } else {
            m_dates->DelRange(date, date);
        }
    } else {
        RepaintDate(old);
        {
            const TUpdateScope quiet = m_dates->SilentBatch();
            m_dates->Clear();
            m_dates->AddDate(date);
        }
        setCurrent(date);
        m_focusDate = date;
    }
    if (monthIndex(m_focusDate) != oldMonth) {
        RepaintAll();
    } else {
        RepaintDate(old);
        RepaintDate(date);
    }
    updateCaption();
    raiseChanges(old, m_currentDate);
}

void TPlannerCalendar::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomCalendarPanel::MouseDown(button, shift, x, y);
    if (button != TMouseButton::mbLeft)
        return;
    setFocus(Qt::MouseFocusReason);
    m_hasPressPoint = false;
    const TCalendarGeometry g = Geometry();
    // A click on a neighbouring month's day shows that month; the release still means the
    // day pressed, so it is looked up in the grid of the press.
    m_pressGrid = g;

    const TCaptionZones zones = CaptionZones();
    if (zones.InMonth(x, y)) {
        popupMonthMenu(zones.MonthLeft);
        return;
    }
    if (zones.InYear(x, y)) {
        popupYearMenu(zones.YearLeft);
        return;
    }
    const TCalendarArrow arrow = Arrows().At(x, y);
    if (arrow != TCalendarArrow::caNone) {
        arrowStep(arrow);
        return;
    }

    if (m_multiSelect) {
        m_dragging = true;
        SetCapture(this);
        int offset = 0;
        m_rangeAnchor = g.DateAt(x, y, offset);
        m_lastDragDate = -1;
    }

    if (y > 15 && y < g.DY + g.T && x - g.X0 > 0) {
        if (m_allDaySelect && m_multiSelect) {
            m_pressPoint = {x, g.DY + g.T};
            m_hasPressPoint = true;
            const TDateTime first = g.CellDate(g.ColumnAt(x) + 1);
            TDateTime dates[7] = {};
            for (int i = 0; i < 6; ++i)
                dates[i] = first + 7 * i;
            selectColumnOrRow(dates, 6, shift);
            Raise(OnAllDaySelect, *this, first);
        }
        return;
    }
    if (x - g.X0 < 0 && y > g.DY + g.T) {
        if (m_showWeeks && m_weekSelect && m_multiSelect) {
            m_pressPoint = {g.X0, y};
            m_hasPressPoint = true;
            const TDateTime first = g.CellDate(1 + 7 * g.RowAt(y));
            TDateTime dates[7] = {};
            for (int i = 0; i < 7; ++i)
                dates[i] = first + i;
            selectColumnOrRow(dates, 7, shift);
            Raise(OnWeekSelect, *this, first);
        }
        return;
    }
    if (m_showGotoToday && y > 8 * g.DY - g.DY / 2) {
        clickToday();
        return;
    }
    if (y > g.DY + g.T && x - g.X0 >= 1)
        clickDay(shift, x, y);
}

void TPlannerCalendar::dragTo(int x, int y)
{
    const TCalendarGeometry g = Geometry();
    if (y <= g.DY + g.T || x - g.X0 < 0 || m_rangeAnchor < MinDateTime)
        return;
    int offset = 0;
    const TDateTime date = g.DateAt(x, y, offset);
    if (date == m_lastDragDate || !InRange(date))
        return;
    // No range before the pointer leaves the pressed day: a Ctrl-click that has just taken
    // the day out of the selection must not put it back on the slightest move.
    if (m_lastDragDate == -1 && date == std::trunc(m_rangeAnchor))
        return;
    {
        const TUpdateScope batch(*m_dates);
        if (m_lastDragDate != -1)
            m_dates->DelRange(m_rangeAnchor, m_lastDragDate);
        const double from = std::min(std::trunc(m_rangeAnchor), date);
        const double to = std::max(std::trunc(m_rangeAnchor), date);
        // A drag that starts on a day beyond the limits reaches back only to the limit.
        for (double d = from; d <= to; d += 1)
            if (maySelect(d) && InRange(d) && !m_dates->HasDate(d))
                m_dates->AddDate(d);
    }
    m_lastDragDate = date;
}

void TPlannerCalendar::MouseMove(TShiftState shift, int x, int y)
{
    TCustomCalendarPanel::MouseMove(shift, x, y);
    if (m_dragging)
        dragTo(x, y);
    hover(x, y);
}

void TPlannerCalendar::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == TMouseButton::mbLeft) {
        if (m_dragging) {
            m_dragging = false;
            ReleaseCapture();
        }
        if (m_hasPressPoint && std::abs(x - m_pressPoint.X) <= 3 &&
            std::abs(y - m_pressPoint.Y) <= 3) {
            int offset = 0;
            Raise(OnDaySelect, *this, m_pressGrid.DateAt(x, y, offset));
        }
        m_hasPressPoint = false;
    }
    TCustomCalendarPanel::MouseUp(button, shift, x, y);
}

// --- Hovering ---------------------------------------------------------------------------

void TPlannerCalendar::showArrowHint(TCalendarArrow which)
{
    QString text;
    switch (which) {
    case TCalendarArrow::caPrevYear:
        text = m_hintPrevYear;
        break;
    case TCalendarArrow::caPrevMonth:
        text = m_hintPrevMonth;
        break;
    case TCalendarArrow::caNextMonth:
        text = m_hintNextMonth;
        break;
    case TCalendarArrow::caNextYear:
        text = m_hintNextYear;
        break;
    case TCalendarArrow::caNone:
        break;
    }
    if (text.isEmpty()) {
        m_hint->CancelHint();
        return;
    }
    const TCalendarArrows arrows = Arrows();
    const TCalendarArrows::Arrow& a = arrows.Get(which);
    int left = a.Glyph ? a.GlyphAt.X : a.HitLeft;
    const bool leftArrow =
        which == TCalendarArrow::caPrevYear || which == TCalendarArrow::caPrevMonth;
    if (leftArrow && m_showWeeks)
        left += width() / 8;
    TRect r = m_hint->CalcHintRect(200, text);
    const QPoint at = mapToGlobal(QPoint(left, -8 - r.Height()));
    OffsetRect(r, at.x(), at.y());
    m_hint->ActivateHint(r, text);
}

void TPlannerCalendar::showEventHint(int x, int y)
{
    const TCalendarGeometry g = Geometry();
    if (y <= g.DY + g.T || x - g.X0 < 0) {
        m_hintDate = -1;
        m_hint->CancelHint();
        return;
    }
    int offset = 0;
    const TDateTime date = g.DateAt(x, y, offset);
    if (date == m_hintDate)
        return;
    // Another cell: a hint still showing belongs to the one left.
    m_hint->CancelHint();
    m_hintDate = date;
    TEventProp event;
    if (!DateHasEvent(event, date) || event.Hint().isEmpty())
        return;
    TRect r = m_hint->CalcHintRect(200, event.Hint());
    const QPoint at = mapToGlobal(QPoint((g.ColumnAt(x) + 1) * g.DX, g.DY * g.RowAt(y) + g.T));
    OffsetRect(r, at.x(), at.y());
    m_hint->ActivateHint(r, event.Hint());
}

void TPlannerCalendar::hover(int x, int y)
{
    const TCalendarGeometry g = Geometry();
    const TCalendarArrow arrow = Arrows().At(x, y);
    const TCaptionZones zones = CaptionZones();
    const bool onCaption = y > 0 && y < 15 && x >= zones.MonthLeft && x <= zones.YearRight;
    bool onToday = false;
    if (m_showGotoToday && y > 8 * g.DY - g.DY / 2) {
        QImage scratch(1, 1, QImage::Format_RGB32);
        TCanvas canvas(&scratch);
        canvas.Font() = Font();
        onToday = x - g.X0 < canvas.TextWidth(todayText()) && x >= g.X0;
    }

    const bool changed =
        arrow != m_hoverArrow || onCaption != m_hoverCaption || onToday != m_hoverToday;
    if (arrow != m_hoverArrow) {
        m_hoverArrow = arrow;
        if (arrow != TCalendarArrow::caNone)
            showArrowHint(arrow);
        else
            m_hint->CancelHint();
    }
    m_hoverCaption = onCaption;
    m_hoverToday = onToday;
    if (changed) {
        SetCursor(arrow != TCalendarArrow::caNone || onToday ? crHandPoint : m_loadedCursor);
        RepaintAll();
    }
    if (arrow == TCalendarArrow::caNone && (m_eventHints || m_dragging))
        showEventHint(x, y);
    else if (arrow == TCalendarArrow::caNone && m_hint->isVisible())
        m_hint->CancelHint();
}

void TPlannerCalendar::clearHover()
{
    m_hoverArrow = TCalendarArrow::caNone;
    m_hoverCaption = false;
    m_hoverToday = false;
    m_hintDate = -1;
    m_hint->CancelHint();
    SetCursor(m_loadedCursor);
    update(0, 0, width(), height() / 7 + 1);
    if (m_showGotoToday) {
        const TCalendarGeometry g = Geometry();
        update(0, 8 * g.DY - g.DY / 2, width(), height());
    }
}

void TPlannerCalendar::leaveEvent(QEvent* event)
{
    clearHover();
    TCustomCalendarPanel::leaveEvent(event);
}

void TPlannerCalendar::DoEnter()
{
    RepaintAll();
    TCustomCalendarPanel::DoEnter();
}

void TPlannerCalendar::DoExit()
{
    RepaintAll();
    TCustomCalendarPanel::DoExit();
}

// --- Keyboard ---------------------------------------------------------------------------

void TPlannerCalendar::KeyDown(int& key, TShiftState shift)
{
    TCustomCalendarPanel::KeyDown(key, shift);
    if (key == 0)
        return;
    TDateTime next = std::trunc(m_focusDate);
    switch (key) {
    case VK_LEFT:
        next -= 1;
        break;
    case VK_RIGHT:
        next += 1;
        break;
    case VK_UP:
        next -= 7;
        break;
    case VK_DOWN:
        next += 7;
        break;
    default:
        break;
    }
    // Past the ends of the calendar there is nothing to move to, nor anything to refuse.
    if (!inCalendar(next))
        return;
    const int nextMonth = monthIndex(next);
    const int currentMonth = monthIndex(m_currentDate);
    if ((nextMonth > currentMonth && !m_showDaysAfter) ||
        (nextMonth < currentMonth && !m_showDaysBefore)) {
        Raise(OnCancelledChange, *this, next);
        return;
    }
    if (!InRange(next))
        return;
    const TDateTime oldFocus = m_focusDate;
    m_focusDate = next;

    const bool arrow = key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
    if (key == VK_SPACE || (key == VK_RETURN && m_returnIsSelect)) {
        {
            const TUpdateScope batch(*m_dates);
            if (!m_multiSelect)
                m_dates->Clear();
            if (m_dates->HasDate(next))
                m_dates->DelRange(next, next);
            else
                m_dates->AddDate(next);
        }
        RepaintAll();
        setCurrent(next);
        Raise(OnDaySelect, *this, next);
        return;
    }
    if (!arrow && key != VK_PRIOR && key != VK_NEXT)
        return;

    const TDateTime orig = m_currentDate;
    if (arrow) {
        setCurrent(next);
        updateCaption();
        if (!shift.Contains(TShiftStateItem::ssShift) || !m_multiSelect) {
            m_lastDragDate = -1;
        } else if (m_lastDragDate == -1) {
            m_rangeAnchor = std::trunc(oldFocus);
            {
                const TUpdateScope batch(*m_dates);
                m_dates->AddRange(m_rangeAnchor, next);
            }
            m_lastDragDate = next;
        } else {
            {
                const TUpdateScope batch(*m_dates);
                m_dates->DelRange(m_rangeAnchor, m_lastDragDate);
                m_dates->AddRange(m_rangeAnchor, next);
            }
            m_lastDragDate = next;
        }
        if (monthIndex(oldFocus) != monthIndex(next)) {
            RepaintAll();
        } else {
            RepaintDate(oldFocus);
            RepaintDate(next);
        }
    } else {
        ChangeMonth(key == VK_PRIOR ? -1 : 1);
    }
    Raise(OnDateChange, *this, orig, m_currentDate);
    raiseChanges(orig, m_currentDate);
    key = 0;
}

void TPlannerCalendar::KeyPress(QChar& key)
{
    TCustomCalendarPanel::KeyPress(key);
    if (key != QChar(VK_ESCAPE))
        return;
    setCurrent(m_escapeDate);
    m_focusDate = m_escapeDate;
    updateCaption();
    RepaintAll();
}

bool TPlannerCalendar::event(QEvent* e)
{
    // The arrow keys move the day cursor; no shortcut or focus chain may take them first.
    if (e->type() == QEvent::ShortcutOverride) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up ||
            key == Qt::Key_Down) {
            e->accept();
            return true;
        }
    }
    return TCustomCalendarPanel::event(e);
}
