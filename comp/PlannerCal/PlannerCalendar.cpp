// The calendar's construction, settings, current date and selection text, and the event
// lookup painting and hovering share.
#include "comp/PlannerCal/PlannerCalendar.h"

#include "platform/controls/ErrorBox.h"
#include "platform/controls/HintWindow.h"
#include "platform/controls/PopupMenu.h"
#include "platform/core/DateFormat.h"
#include "platform/core/RaiseEvent.h"
#include "platform/gfx/Canvas.h"

#include <QImage>
#include <algorithm>
#include <cmath>

TPlannerCalendar::TPlannerCalendar(QWidget* parent)
    : TCustomCalendarPanel(parent), m_dates(std::make_unique<TSelDateItems>(this)),
      m_events(std::make_unique<TSelDateItems>(this)), m_monthMenu(std::make_unique<TPopupMenu>()),
      m_yearMenu(std::make_unique<TPopupMenu>()), m_hint(std::make_unique<THintWindow>())
{
    SetBorderWidth(1);
    SetBevelOuter(TBevelCut::bvNone);
    resize(180, 180);

    const auto repaint = [this](auto&) { RepaintAll(); };
    const auto recaption = [this](auto&) {
        updateCaption();
        RepaintAll();
    };
    m_dayFont.OnChange = repaint;
    m_weekFont.OnChange = repaint;
    m_nameOfDays.OnChange = recaption;
    m_nameOfMonths.OnChange = recaption;
    m_browsers.OnChange = recaption;
    m_minDate.OnChange = repaint;
    m_maxDate.OnChange = repaint;
    m_glyphs.OnChange = repaint;
    m_background.OnChange = repaint;
    m_yearStartAt.OnChange = [this](TYearStartAt&) {
        YearStartChanged();
        // Week numbers follow the year start whatever a derived class does with the hook.
        RepaintAll();
    };
    m_yearStartAt.OnError = [this](TYearStartAt&, const QString& message) { showError(message); };

    setCurrent(Now());
    m_focusDate = m_currentDate;
    m_escapeDate = m_currentDate;
    updateCaption();
}

TPlannerCalendar::~TPlannerCalendar()
{
    // The lists redraw through us; nothing may reach a half-destroyed control.
    m_dates->BeginUpdate();
    m_events->BeginUpdate();
}

void TPlannerCalendar::Loaded()
{
    m_loading = false;
    TDateTime stored = 0;
    if (TryEncodeDate(m_storedYear, m_storedMonth, m_storedDay, stored)) {
        m_currentDate = stored;
        m_focusDate = stored;
    } else {
        // The parts follow the date that stays, so the next single part applies to it.
        setCurrent(m_currentDate);
        showError(InvalidDateMessage);
    }
    if (m_nameOfDays.UseIntlNames())
        m_nameOfDays.SetUseIntlNames(true);
    if (m_nameOfMonths.UseIntlNames())
        m_nameOfMonths.SetUseIntlNames(true);
    m_loadedCursor = Cursor();
    updateCaption();
    RepaintAll();
}

void TPlannerCalendar::showError(const QString& message)
{
    if (OnErrorMessage) {
        OnErrorMessage(*this, message);
        return;
    }
    ShowErrorBox(this, message, TErrorBoxKind::Critical);
}

void TPlannerCalendar::SetBackground(const TNuvImage& picture)
{
    m_background.Assign(picture);
    RepaintAll();
}

void TPlannerCalendar::SetStartDay(int day)
{
    set(m_startDay, std::clamp(day, 1, 7));
}

void TPlannerCalendar::SetMultiSelect(bool on)
{
    if (on == m_multiSelect)
        return;
    m_multiSelect = on;
    if (!on)
        m_dates->Clear();
    RepaintAll();
}

// --- The date ---------------------------------------------------------------------------

void TPlannerCalendar::setCurrent(TDateTime date)
{
    m_currentDate = date;
    int y = 0, m = 0, d = 0;
    if (TryDecodeDate(date, y, m, d)) {
        m_storedDay = d;
        m_storedMonth = m;
        m_storedYear = y;
    }
}

void TPlannerCalendar::updateCaption()
{
    int y = 0, m = 0, d = 0;
    if (!TryDecodeDate(m_focusDate, y, m, d))
        return;
    m_captionText = (m_nameOfMonths.Name(m) + QLatin1Char(' ') + QString::number(y)).left(20);
}

bool TPlannerCalendar::applyDate(int day, int month, int year)
{
    TDateTime date = 0;
    if (!TryEncodeDate(year, month, day, date))
        return false;
    RepaintDate(m_currentDate);
    setCurrent(date);
    m_focusDate = date;
    updateCaption();
    m_escapeDate = date;
    {
        const TUpdateScope batch(*m_dates);
        m_dates->Clear();
        m_dates->AddDate(date);
    }
    RepaintAll();
    return true;
}

void TPlannerCalendar::SetDate(TDateTime date)
{
    int y = 0, m = 0, d = 0;
    if (!TryDecodeDate(date, y, m, d))
        return;
    applyDate(d, m, y);
}

int TPlannerCalendar::Day() const
{
    int y = 0, m = 0, d = 0;
    TryDecodeDate(m_currentDate, y, m, d);
    return d;
}

int TPlannerCalendar::Month() const
{
    int y = 0, m = 0, d = 0;
    TryDecodeDate(m_currentDate, y, m, d);
    return m;
}

int TPlannerCalendar::Year() const
{
    int y = 0, m = 0, d = 0;
    TryDecodeDate(m_currentDate, y, m, d);
    return y;
}

void TPlannerCalendar::SetDay(int day)
{
    if (m_loading) {
        m_storedDay = int(std::uint16_t(day));
        return;
    }
    if (!applyDate(int(std::uint16_t(day)), m_storedMonth, m_storedYear))
        showError(InvalidDateMessage);
    RepaintAll();
}

void TPlannerCalendar::SetMonth(int month)
{
    if (m_loading) {
        m_storedMonth = int(std::uint16_t(month));
        return;
    }
    if (!applyDate(m_storedDay, int(std::uint16_t(month)), m_storedYear))
        showError(InvalidDateMessage);
    RepaintAll();
}

void TPlannerCalendar::SetYear(int year)
{
    if (m_loading) {
        m_storedYear = int(std::uint16_t(year));
        return;
    }
    if (!applyDate(m_storedDay, m_storedMonth, int(std::uint16_t(year))))
        showError(InvalidDateMessage);
    RepaintAll();
}

QString TPlannerCalendar::GetSelectionText()
{
    m_dates->Sort();
    QString text;
    const int count = m_dates->Count();
    int i = 0;
    while (i < count) {
        const double first = std::trunc(m_dates->Items(i).Date());
        int y = 0, m = 0, d = 0;
        // A date no calendar holds has no text; it must not cost the rest of the list.
        if (!TryDecodeDate(first, y, m, d)) {
            ++i;
            continue;
        }
        double last = first;
        int j = i + 1;
        // A run goes on while the next day follows; a day listed twice does not break it.
        while (j < count) {
            const double next = std::trunc(m_dates->Items(j).Date());
            if ((next != last && next != last + 1) || !TryDecodeDate(next, y, m, d))
                break;
            last = next;
            ++j;
        }
        if (!text.isEmpty())
            text += QLatin1Char(',');
        text += DateToStr(first);
        if (last != first)
            text += QLatin1Char('-') + DateToStr(last);
        i = j;
    }
    return text;
}

bool TPlannerCalendar::InRange(TDateTime date) const
{
    if (!(date >= MinDateTime && date <= MaxDateTime))
        return false;
    const double day = std::trunc(date);
    TDateTime limit = 0;
    if (m_minDate.Limits(limit) && day < limit)
        return false;
    if (m_maxDate.Limits(limit) && day > limit)
        return false;
    return true;
}

// --- Geometry of the current settings ----------------------------------------------------

TCalendarGeometry TPlannerCalendar::Geometry() const
{
    int y = 0, m = 0, d = 0;
    TryDecodeDate(m_focusDate, y, m, d);
    return TCalendarGeometry::Compute(width(), height(), BorderWidth(), m_showWeeks,
                                      m_showGotoToday, y, m, m_startDay);
}

TCalendarArrows TPlannerCalendar::Arrows() const
{
    return TCalendarArrows::Compute(Geometry(), m_browsers, m_glyphs);
}

TCaptionZones TPlannerCalendar::CaptionZones()
{
    QImage scratch(1, 1, QImage::Format_RGB32);
    TCanvas canvas(&scratch);
    canvas.Font() = Font();
    return TCaptionZones::Compute(Geometry(), canvas.TextWidth(m_captionText),
                                  canvas.TextWidth(QStringLiteral(" 9999")));
}

// --- Redraw hooks and events ------------------------------------------------------------

void TPlannerCalendar::RepaintAll()
{
    update();
}

void TPlannerCalendar::RepaintDate(TDateTime date)
{
    if (!updatesEnabled())
        return;
    const TRect r = Geometry().RepaintRect(date);
    if (!r.IsEmpty())
        update(ToQRect(r));
}

bool TPlannerCalendar::DateHasEvent(TEventProp& event, TDateTime date)
{
    if (!m_events->Visible())
        return false;
    bool isEvent = false;
    Raise(OnGetDateHint, *this, date, isEvent);
    QString hint;
    if (m_eventHints && isEvent)
        Raise(OnGetDateHintString, *this, date, isEvent, hint);
    event.SetColor(EventMarkerColor());
    event.SetShape(EventMarkerShape());
    event.SetHint(hint);
    event.SetDate(std::trunc(date));
    if (const TSelDateItem* item = m_events->FindDate(date)) {
        isEvent = true;
        event.Assign(*item);
    }
    if (!isEvent)
        return false;
    // A handler that touches the list while it describes the day must not trigger redraws
    // in the middle of a paint.
    const TUpdateScope quiet = m_events->SilentBatch();
    Raise(OnGetEventProp, *this, date, event);
    return true;
}

void TPlannerCalendar::DoMonthChanged(TDateTime origDate, TDateTime newDate)
{
    Raise(OnMonthChange, *this, origDate, newDate);
}

void TPlannerCalendar::DoYearChanged(TDateTime origDate, TDateTime newDate)
{
    Raise(OnYearChange, *this, origDate, newDate);
}
