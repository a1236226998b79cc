// TPlannerCalendar: the month calendar. A caption with the month and year between four browse
// arrows, a row of day names, six weeks of day cells, optionally a column of week numbers and
// a "today" line at the bottom. The user steps through months and years with the arrows, the
// caption's month and year menus or Page Up/Down, and selects a day, or with MultiSelect
// several days, whole weeks or whole weekday columns; days may carry event marks.
//
// Dates are TDateTime values; every comparison of two dates looks at their whole days only.
// The current date (Date, Day, Month, Year) is the day last chosen; the focus date is the day
// the keyboard cursor is on, and its month is the month shown.
#pragma once

#include "comp/NuvImage/NuvImage.h"
#include "comp/PlannerCal/CalendarGeometry.h"
#include "comp/PlannerCal/CalendarPanel.h"
#include "comp/PlannerCal/CalendarSettings.h"
#include "comp/PlannerCal/SelDateItems.h"
#include "platform/gfx/Font.h"

#include <QString>
#include <functional>
#include <memory>

class THintWindow;
class TPopupMenu;

class TPlannerCalendar : public TCustomCalendarPanel
{
public:
    static inline const QString InvalidDateMessage = QStringLiteral("Invalid date");

    explicit TPlannerCalendar(QWidget* parent = nullptr);
    ~TPlannerCalendar() override;

    // Between BeginLoad and Loaded the stored values are being applied: Day, Month and Year
    // are only kept, so that no passing combination of them (the 31st while the month is
    // still a short one) is refused.
    void BeginLoad() { m_loading = true; }
    bool Loading() const { return m_loading; }
    // The load-completion step: the current date becomes the stored Day, Month and Year (a
    // combination that is no date shows "Invalid date" and keeps the date), the names are
    // read again from the locale where asked, and the cursor is remembered as the one to
    // restore after hovering.
    void Loaded();

    // --- Size and frame ------------------------------------------------------------------
    int Width() const { return width(); }   // 180
    int Height() const { return height(); } // 180
    void SetWidth(int w) { resize(w, height()); }
    void SetHeight(int h) { resize(width(), h); }
    // With visual styles on, a 1-pixel frame in the style's edit-border colour.
    bool BorderXP() const { return m_borderXP; } // true
    void SetBorderXP(bool on) { set(m_borderXP, on); }
    TCalendarLook Look() const { return m_look; } // lookFlat
    void SetLook(TCalendarLook look) { set(m_look, look); }

    // --- Colours ------------------------------------------------------------------------
    TColor TextColor() const { return m_textColor; } // clBlack
    void SetTextColor(TColor c) { set(m_textColor, c); }
    TColor WeekendColor() const { return m_weekendColor; } // clRed
    void SetWeekendColor(TColor c) { set(m_weekendColor, c); }
    TColor SelectColor() const { return m_selectColor; } // clTeal
    void SetSelectColor(TColor c) { set(m_selectColor, c); }
    TColor SelectFontColor() const { return m_selectFontColor; } // clWhite
    void SetSelectFontColor(TColor c) { set(m_selectFontColor, c); }
    TColor InActiveColor() const { return m_inActiveColor; } // clGray
    void SetInActiveColor(TColor c) { set(m_inActiveColor, c); }
    TColor InversColor() const { return m_inversColor; } // clTeal
    void SetInversColor(TColor c) { set(m_inversColor, c); }
    TColor FocusColor() const { return m_focusColor; } // clHighlight
    void SetFocusColor(TColor c) { set(m_focusColor, c); }
    TColor HeaderColor() const { return m_headerColor; } // clNone
    void SetHeaderColor(TColor c) { set(m_headerColor, c); }
    TColor CaptionColor() const { return m_captionColor; } // clNone
    void SetCaptionColor(TColor c) { set(m_captionColor, c); }
    TColor CaptionTextColor() const { return m_captionTextColor; } // clBlack
    void SetCaptionTextColor(TColor c) { set(m_captionTextColor, c); }
    bool Caption3D() const { return m_caption3D; } // false
    void SetCaption3D(bool on) { set(m_caption3D, on); }
    TColor LineColor() const { return m_lineColor; } // clGray
    void SetLineColor(TColor c) { set(m_lineColor, c); }
    bool Line3D() const { return m_line3D; } // true
    void SetLine3D(bool on) { set(m_line3D, on); }
    TColor GradientStartColor() const { return m_gradientStartColor; } // clWhite
    void SetGradientStartColor(TColor c) { set(m_gradientStartColor, c); }
    TColor GradientEndColor() const { return m_gradientEndColor; } // clBtnFace
    void SetGradientEndColor(TColor c) { set(m_gradientEndColor, c); }
    TGradientDirection GradientDirection() const { return m_gradientDirection; } // gdHorizontal
    void SetGradientDirection(TGradientDirection d) { set(m_gradientDirection, d); }
    TColor MonthGradientStartColor() const { return m_monthGradientStartColor; } // clNone
    void SetMonthGradientStartColor(TColor c) { set(m_monthGradientStartColor, c); }
    TColor MonthGradientEndColor() const { return m_monthGradientEndColor; } // clNone
    void SetMonthGradientEndColor(TColor c) { set(m_monthGradientEndColor, c); }
    TGradientDirection MonthGradientDirection() const
    {
        return m_monthGradientDirection;
    } // gdHorizontal
    void SetMonthGradientDirection(TGradientDirection d) { set(m_monthGradientDirection, d); }
    TColor EventDayColor() const { return m_eventDayColor; } // clBlack
    void SetEventDayColor(TColor c) { set(m_eventDayColor, c); }

    // A picture that, when not empty, replaces both gradients.
    TNuvImage& Background() { return m_background; }
    void SetBackground(const TNuvImage& picture);
    TBackGroundPosition BackgroundPosition() const { return m_backgroundPosition; } // bpTiled
    void SetBackgroundPosition(TBackGroundPosition p) { set(m_backgroundPosition, p); }

    // --- Fonts (Font: caption and day numbers) -------------------------------------------
    // Day names and the week-number header.
    TFont& DayFont() { return m_dayFont; }
    // Week numbers.
    TFont& WeekFont() { return m_weekFont; }

    // --- Settings groups -----------------------------------------------------------------
    TNameOfDays& NameOfDays() { return m_nameOfDays; }
    TNameOfMonths& NameOfMonths() { return m_nameOfMonths; }
    TYearStartAt& YearStartAt() { return m_yearStartAt; }
    TMinMaxDate& MinDate() { return m_minDate; }
    TMinMaxDate& MaxDate() { return m_maxDate; }
    TCalGlyphs& Glyphs() { return m_glyphs; }
    TCalendarBrowsers& Browsers() { return m_browsers; }

    // --- Layout and behaviour ------------------------------------------------------------
    // First day of the week, 1 = Monday ... 7 = Sunday; clamped into that range.
    int StartDay() const { return m_startDay; } // 7
    void SetStartDay(int day);
    bool ShowWeeks() const { return m_showWeeks; } // false
    void SetShowWeeks(bool on) { set(m_showWeeks, on); }
    const QString& WeekName() const { return m_weekName; } // ""
    void SetWeekName(const QString& name) { set(m_weekName, name); }
    bool ShowToday() const { return m_showToday; } // false
    void SetShowToday(bool on) { set(m_showToday, on); }
    TTodayStyle TodayStyle() const { return m_todayStyle; } // tsSunken
    void SetTodayStyle(TTodayStyle s) { set(m_todayStyle, s); }
    bool ShowGotoToday() const { return m_showGotoToday; } // false
    void SetShowGotoToday(bool on) { set(m_showGotoToday, on); }
    const QString& TodayFormat() const { return m_todayFormat; } // "\"Today\" DDD/mm, YYYY"
    void SetTodayFormat(const QString& f) { set(m_todayFormat, f); }
    bool ShowDaysBefore() const { return m_showDaysBefore; } // true
    void SetShowDaysBefore(bool on) { set(m_showDaysBefore, on); }
    bool ShowDaysAfter() const { return m_showDaysAfter; } // true
    void SetShowDaysAfter(bool on) { set(m_showDaysAfter, on); }
    bool ShowSelection() const { return m_showSelection; } // true
    void SetShowSelection(bool on) { set(m_showSelection, on); }
    // Turning it off clears the selection list.
    bool MultiSelect() const { return m_multiSelect; } // false
    void SetMultiSelect(bool on);
    bool WeekSelect() const { return m_weekSelect; } // false
    void SetWeekSelect(bool on) { m_weekSelect = on; }
    bool AllDaySelect() const { return m_allDaySelect; } // false
    void SetAllDaySelect(bool on) { m_allDaySelect = on; }
    bool ReturnIsSelect() const { return m_returnIsSelect; } // false
    void SetReturnIsSelect(bool on) { m_returnIsSelect = on; }
    bool EventHints() const { return m_eventHints; } // false
    void SetEventHints(bool on) { m_eventHints = on; }
    const QString& HintPrevYear() const { return m_hintPrevYear; }   // ""
    const QString& HintPrevMonth() const { return m_hintPrevMonth; } // ""
    const QString& HintNextMonth() const { return m_hintNextMonth; } // ""
    const QString& HintNextYear() const { return m_hintNextYear; }   // ""
    void SetHintPrevYear(const QString& h) { m_hintPrevYear = h; }
    void SetHintPrevMonth(const QString& h) { m_hintPrevMonth = h; }
    void SetHintNextMonth(const QString& h) { m_hintNextMonth = h; }
    void SetHintNextYear(const QString& h) { m_hintNextYear = h; }

    // --- The date ------------------------------------------------------------------------
    TDateTime Date() const { return m_currentDate; }
    // Makes date's day the current and focus date and the only selected day. A date that is
    // no valid calendar day leaves everything as it was.
    void SetDate(TDateTime date);
    int Day() const;
    int Month() const;
    int Year() const;
    // One part replaced; a combination that is no date shows "Invalid date". While loading
    // the part is only kept.
    void SetDay(int day);
    void SetMonth(int month);
    void SetYear(int year);
    // The day the keyboard cursor is on; its month is shown.
    TDateTime FocusDate() const { return m_focusDate; }

    TSelDateItems& Dates() { return *m_dates; }
    TSelDateItems& Events() { return *m_events; }
    // The selected days, earliest first, in the short date format; runs of consecutive days
    // as "first-last", entries separated by ",".
    QString GetSelectionText();
    // The caption: month name, a space, the year.
    const QString& CaptionText() const { return m_captionText; }

    // Steps the shown month (the day cut to the month's length; clamped to the limits) or
    // year (refused when the result lies outside the limits).
    void ChangeMonth(int delta);
    void ChangeYear(int delta);

    // Whether a date lies within MinDate..MaxDate (the limits in use).
    bool InRange(TDateTime date) const;
    // The layout of the last paint (recomputed from the current settings).
    TCalendarGeometry Geometry() const;
    TCalendarArrows Arrows() const;
    TCaptionZones CaptionZones();

    // The month and year menus of the caption, for the ones who pick an entry.
    TPopupMenu& MonthMenu() { return *m_monthMenu; }
    TPopupMenu& YearMenu() { return *m_yearMenu; }
    // The hint window arrows and events show in.
    THintWindow& HintWindow() { return *m_hint; }

    // --- Hooks after the panel's ---------------------------------------------------------
    void RepaintAll() override;
    void RepaintDate(TDateTime date) override;
    // Whether a day has an event; event receives the look of its mark.
    virtual bool DateHasEvent(TEventProp& event, TDateTime date);
    virtual void DoMonthChanged(TDateTime origDate, TDateTime newDate);
    virtual void DoYearChanged(TDateTime origDate, TDateTime newDate);

    // --- Events --------------------------------------------------------------------------
    std::function<void(TPlannerCalendar& sender, TCanvas& canvas, TDateTime day, bool selected,
                       bool marked, bool inMonth, const TRect& rect)>
        OnCellDraw;
    std::function<void(TPlannerCalendar& sender, TDateTime selDate)> OnDaySelect;
    std::function<void(TPlannerCalendar& sender, TDateTime selDate)> OnMonthSelect; // stored
    std::function<void(TPlannerCalendar& sender, TDateTime dt, bool& isEvent)> OnGetDateHint;
    std::function<void(TPlannerCalendar& sender, TDateTime dt, bool& isEvent, QString& eventHint)>
        OnGetDateHintString;
    std::function<void(TPlannerCalendar& sender, TDateTime dt, TEventProp& event)> OnGetEventProp;
    std::function<void(TPlannerCalendar& sender, TDateTime origDate, TDateTime newDate)>
        OnMonthChange;
    std::function<void(TPlannerCalendar& sender, TDateTime origDate, TDateTime newDate)>
        OnYearChange;
    std::function<void(TPlannerCalendar& sender, TDateTime origDate, TDateTime newDate)>
        OnDayChange;
    std::function<void(TPlannerCalendar& sender, TDateTime origDate, TDateTime newDate)>
        OnDateChange;
    std::function<void(TPlannerCalendar& sender, TDateTime cancelledDate)> OnCancelledChange;
    std::function<void(TPlannerCalendar& sender, TDateTime selDate)> OnWeekSelect;
    std::function<void(TPlannerCalendar& sender, TDateTime selDate)> OnAllDaySelect;
    // Shows a refused value ("Invalid date", the year-start messages); unassigned, an error
    // box opens without blocking.
    std::function<void(TPlannerCalendar& sender, const QString& message)> OnErrorMessage;

protected:
    void Paint(TCanvas& canvas) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(int& key, TShiftState shift) override;
    void KeyPress(QChar& key) override;
    void DoEnter() override;
    void DoExit() override;
    void leaveEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    template <class T>
    void set(T& field, const T& value)
    {
        if (field == value)
            return;
        field = value;
        RepaintAll();
    }

    void showError(const QString& message);
    // Makes (day, month, year) the current, focus and only selected date; false when they are
    // no date.
    bool applyDate(int day, int month, int year);
    void setCurrent(TDateTime date);
    void updateCaption();
    bool maySelect(TDateTime date) const;
    // Whether a value is a day of the representable calendar (year 1 to 9999).
    bool inCalendar(TDateTime date) const;
    void raiseChanges(TDateTime oldDate, TDateTime newDate);
    TDateTime yearStep(TDateTime from, int delta) const;

    // Painting, in its order.
    void paintBackground(TCanvas& canvas, const TRect& client, const TCalendarGeometry& g);
    void paintCaption(TCanvas& canvas, const TCalendarGeometry& g);
    void paintArrows(TCanvas& canvas, const TCalendarGeometry& g);
    void paintDayNames(TCanvas& canvas, const TCalendarGeometry& g);
    void paintWeeks(TCanvas& canvas, const TCalendarGeometry& g);
    void paintCells(TCanvas& canvas, const TCalendarGeometry& g);
    void paintCell(TCanvas& canvas, const TCalendarGeometry& g, int c, int w);
    void paintTodayLine(TCanvas& canvas, const TCalendarGeometry& g);
    TColor arrowColor(TCalendarArrow which) const;

    // Mouse and keyboard.
    void popupMonthMenu(int x);
    void popupYearMenu(int x);
    void chooseMonth(int month);
    void chooseYear(int delta);
    void arrowStep(TCalendarArrow which);
    void selectColumnOrRow(const TDateTime (&dates)[7], int count, TShiftState shift);
    void clickToday();
    void clickDay(TShiftState shift, int x, int y);
    void dragTo(int x, int y);
    void hover(int x, int y);
    void showArrowHint(TCalendarArrow which);
    void showEventHint(int x, int y);
    void clearHover();
    QString todayText();

    // State.
    TDateTime m_currentDate = 0;
    TDateTime m_focusDate = 0;
    TDateTime m_escapeDate = 0;
    TDateTime m_rangeAnchor = -1;
    TDateTime m_lastDragDate = -1;
    int m_storedDay = 0;
    int m_storedMonth = 0;
    int m_storedYear = 0;
    bool m_loading = false;
    QString m_captionText;
    std::unique_ptr<TSelDateItems> m_dates;
    std::unique_ptr<TSelDateItems> m_events;

    bool m_borderXP = true;
    TCalendarLook m_look = TCalendarLook::lookFlat;
    TColor m_textColor = clBlack;
    TColor m_weekendColor = clRed;
    TColor m_selectColor = clTeal;
    TColor m_selectFontColor = clWhite;
    TColor m_inActiveColor = clGray;
    TColor m_inversColor = clTeal;
    TColor m_focusColor = clHighlight;
    TColor m_headerColor = clNone;
    TColor m_captionColor = clNone;
    TColor m_captionTextColor = clBlack;
    bool m_caption3D = false;
    TColor m_lineColor = clGray;
    bool m_line3D = true;
    TColor m_gradientStartColor = clWhite;
    TColor m_gradientEndColor = clBtnFace;
    TGradientDirection m_gradientDirection = TGradientDirection::gdHorizontal;
    TColor m_monthGradientStartColor = clNone;
    TColor m_monthGradientEndColor = clNone;
    TGradientDirection m_monthGradientDirection = TGradientDirection::gdHorizontal;
    TColor m_eventDayColor = clBlack;
    TNuvImage m_background;
    TBackGroundPosition m_backgroundPosition = TBackGroundPosition::bpTiled;
    TFont m_dayFont;
    TFont m_weekFont;
    TNameOfDays m_nameOfDays;
    TNameOfMonths m_nameOfMonths;
    TYearStartAt m_yearStartAt;
    TMinMaxDate m_minDate;
    TMinMaxDate m_maxDate;
    TCalGlyphs m_glyphs;
    TCalendarBrowsers m_browsers;
    int m_startDay = 7;
    bool m_showWeeks = false;
    QString m_weekName;
    bool m_showToday = false;
    TTodayStyle m_todayStyle = TTodayStyle::tsSunken;
    bool m_showGotoToday = false;
    QString m_todayFormat = QStringLiteral("\"Today\" DDD/mm, YYYY");
    bool m_showDaysBefore = true;
    bool m_showDaysAfter = true;
    bool m_showSelection = true;
    bool m_multiSelect = false;
    bool m_weekSelect = false;
    bool m_allDaySelect = false;
    bool m_returnIsSelect = false;
    bool m_eventHints = false;
    QString m_hintPrevYear, m_hintPrevMonth, m_hintNextMonth, m_hintNextYear;

    // Hover and press state.
    TCalendarArrow m_hoverArrow = TCalendarArrow::caNone;
    bool m_hoverCaption = false;
    bool m_hoverToday = false;
    bool m_dragging = false;
    bool m_hasPressPoint = false;
    TPoint m_pressPoint;
    TCalendarGeometry m_pressGrid;
    TDateTime m_hintDate = -1;
    TCursor m_loadedCursor = crDefault;
    bool m_styleFrameKnown = false;
    TColor m_styleFrameColor = clGray;

    std::unique_ptr<TPopupMenu> m_monthMenu;
    std::unique_ptr<TPopupMenu> m_yearMenu;
    std::unique_ptr<THintWindow> m_hint;
};
