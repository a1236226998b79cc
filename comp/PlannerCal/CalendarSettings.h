// The month calendar's groups of settings: the names of days and months (from the locale or
// set by hand), where a year starts for week numbering, the earliest and latest date that may
// be chosen, the arrow pictures and which arrows show. Each group tells its calendar about a
// change through OnChange; the calendar decides what to redraw.
#pragma once

#include "platform/core/DateTime.h"
#include "platform/gfx/Bitmap.h"

#include <QString>
#include <array>
#include <functional>

class QWidget;

// The mark an event day carries.
enum class TEventShape
{
    evsRectangle,
    evsCircle,
    evsSquare,
    evsTriangle,
    evsNone
};

enum class TCalendarLook
{
    lookFlat,
    look3D
};

enum class TTodayStyle
{
    tsSunken,
    tsRaised,
    tsFlat
};

enum class TGradientDirection
{
    gdHorizontal, // bands stacked top to bottom
    gdVertical    // bands side by side, left to right
};

enum class TBackGroundPosition
{
    bpTopLeft,
    bpTopRight,
    bpBottomLeft,
    bpBottomRight,
    bpTiled,
    bpStretched,
    bpCenter
};

// The seven day names, Monday first.
class TNameOfDays
{
public:
    TNameOfDays();

    const QString& Monday() const { return m_names[0]; }
    const QString& Tuesday() const { return m_names[1]; }
    const QString& Wednesday() const { return m_names[2]; }
    const QString& Thursday() const { return m_names[3]; }
    const QString& Friday() const { return m_names[4]; }
    const QString& Saturday() const { return m_names[5]; }
    const QString& Sunday() const { return m_names[6]; }
    void SetMonday(const QString& name) { setName(0, name); }
    void SetTuesday(const QString& name) { setName(1, name); }
    void SetWednesday(const QString& name) { setName(2, name); }
    void SetThursday(const QString& name) { setName(3, name); }
    void SetFriday(const QString& name) { setName(4, name); }
    void SetSaturday(const QString& name) { setName(5, name); }
    void SetSunday(const QString& name) { setName(6, name); }
    // True: the names are the locale's short day names, read again whenever this is set.
    bool UseIntlNames() const { return m_useIntlNames; } // true
    void SetUseIntlNames(bool on);

    // 1 and 8 Monday ... 7 and 14 Sunday, so that a week starting on any day can count on;
    // any other number gives an empty name.
    QString Name(int number) const;

    std::function<void(TNameOfDays& sender)> OnChange;

private:
    void setName(int index, const QString& name);
    void readLocale();

    std::array<QString, 7> m_names;
    bool m_useIntlNames = true;
};

// The twelve month names, January first.
class TNameOfMonths
{
public:
    TNameOfMonths();

    const QString& January() const { return m_names[0]; }
    const QString& February() const { return m_names[1]; }
    const QString& March() const { return m_names[2]; }
    const QString& April() const { return m_names[3]; }
    const QString& May() const { return m_names[4]; }
    const QString& June() const { return m_names[5]; }
    const QString& July() const { return m_names[6]; }
    const QString& August() const { return m_names[7]; }
    const QString& September() const { return m_names[8]; }
    const QString& October() const { return m_names[9]; }
    const QString& November() const { return m_names[10]; }
    const QString& December() const { return m_names[11]; }
    void SetJanuary(const QString& name) { setName(0, name); }
    void SetFebruary(const QString& name) { setName(1, name); }
    void SetMarch(const QString& name) { setName(2, name); }
    void SetApril(const QString& name) { setName(3, name); }
    void SetMay(const QString& name) { setName(4, name); }
    void SetJune(const QString& name) { setName(5, name); }
    void SetJuly(const QString& name) { setName(6, name); }
    void SetAugust(const QString& name) { setName(7, name); }
    void SetSeptember(const QString& name) { setName(8, name); }
    void SetOctober(const QString& name) { setName(9, name); }
    void SetNovember(const QString& name) { setName(10, name); }
    void SetDecember(const QString& name) { setName(11, name); }
    // True: the names are the locale's short month names, read again whenever this is set.
    bool UseIntlNames() const { return m_useIntlNames; } // true
    void SetUseIntlNames(bool on);

    // 1 = January ... 12 = December; any other number gives an empty name.
    QString Name(int number) const;

    std::function<void(TNameOfMonths& sender)> OnChange;

private:
    void setName(int index, const QString& name);
    void readLocale();

    std::array<QString, 12> m_names;
    bool m_useIntlNames = true;
};

// Where the shown year, the one before and the one after start, for week numbers.
class TYearStartAt
{
public:
    static inline const QString InvalidDayMessage =
        QStringLiteral("Invalid day. Should be in [1..31]");
    static inline const QString InvalidMonthMessage =
        QStringLiteral("Invalid month. Should be in [1..12]");

    int StartDay() const { return m_startDay; }                     // 1
    int StartMonth() const { return m_startMonth; }                 // 1
    int PrevYearStartDay() const { return m_prevYearStartDay; }     // 1
    int PrevYearStartMonth() const { return m_prevYearStartMonth; } // 1
    int NextYearStartDay() const { return m_nextYearStartDay; }     // 1
    int NextYearStartMonth() const { return m_nextYearStartMonth; } // 1
    // A day outside 1..31 or a month outside 1..12 is refused with an error box; the old value
    // stays.
    void SetStartDay(int day) { setDay(m_startDay, day); }
    void SetStartMonth(int month) { setMonth(m_startMonth, month); }
    void SetPrevYearStartDay(int day) { setDay(m_prevYearStartDay, day); }
    void SetPrevYearStartMonth(int month) { setMonth(m_prevYearStartMonth, month); }
    void SetNextYearStartDay(int day) { setDay(m_nextYearStartDay, day); }
    void SetNextYearStartMonth(int month) { setMonth(m_nextYearStartMonth, month); }

    std::function<void(TYearStartAt& sender)> OnChange;
    // Shows a refusal; unassigned, a non-blocking error box (ShowErrorBox).
    std::function<void(TYearStartAt& sender, const QString& message)> OnError;

private:
    void setDay(int& field, int day);
    void setMonth(int& field, int month);
    void refuse(const QString& message);
    void store(int& field, int value);

    int m_startDay = 1;
    int m_startMonth = 1;
    int m_prevYearStartDay = 1;
    int m_prevYearStartMonth = 1;
    int m_nextYearStartDay = 1;
    int m_nextYearStartMonth = 1;
};

// A limit of the dates that may be chosen (the calendar's MinDate and MaxDate).
class TMinMaxDate
{
public:
    int Day() const { return m_day; }     // 0
    int Month() const { return m_month; } // 0
    int Year() const { return m_year; }   // 0
    bool Use() const { return m_use; }    // false
    // Parts are 16-bit values as stored with the form.
    void SetDay(int day) { store(m_day, day); }
    void SetMonth(int month) { store(m_month, month); }
    void SetYear(int year) { store(m_year, year); }
    void SetUse(bool on);
    // Sets all three parts at once (one change notification).
    void SetDate(TDateTime date);

    // The limit as a date: false while not in use or while the parts form no valid date, so a
    // half-entered limit never locks the user out.
    bool Limits(TDateTime& date) const;

    std::function<void(TMinMaxDate& sender)> OnChange;

private:
    void store(int& field, int value);

    int m_day = 0;
    int m_month = 0;
    int m_year = 0;
    bool m_use = false;
};

// The arrow pictures; an empty one is drawn as triangles instead. Pictures are drawn with
// their transparent colour taken from the bitmap.
class TCalGlyphs
{
public:
    const TBitmap& NextMonth() const { return m_nextMonth; }
    const TBitmap& PrevMonth() const { return m_prevMonth; }
    const TBitmap& NextYear() const { return m_nextYear; }
    const TBitmap& PrevYear() const { return m_prevYear; }
    void SetNextMonth(const TBitmap& glyph) { store(m_nextMonth, glyph); }
    void SetPrevMonth(const TBitmap& glyph) { store(m_prevMonth, glyph); }
    void SetNextYear(const TBitmap& glyph) { store(m_nextYear, glyph); }
    void SetPrevYear(const TBitmap& glyph) { store(m_prevYear, glyph); }

    std::function<void(TCalGlyphs& sender)> OnChange;

private:
    void store(TBitmap& field, const TBitmap& glyph);

    TBitmap m_nextMonth;
    TBitmap m_prevMonth;
    TBitmap m_nextYear;
    TBitmap m_prevYear;
};

// Which of the four browse arrows show.
class TCalendarBrowsers
{
public:
    bool PrevMonth() const { return m_prevMonth; } // true
    bool PrevYear() const { return m_prevYear; }   // true
    bool NextMonth() const { return m_nextMonth; } // true
    bool NextYear() const { return m_nextYear; }   // true
    void SetPrevMonth(bool on) { store(m_prevMonth, on); }
    void SetPrevYear(bool on) { store(m_prevYear, on); }
    void SetNextMonth(bool on) { store(m_nextMonth, on); }
    void SetNextYear(bool on) { store(m_nextYear, on); }

    std::function<void(TCalendarBrowsers& sender)> OnChange;

private:
    void store(bool& field, bool on);

    bool m_prevMonth = true;
    bool m_prevYear = true;
    bool m_nextMonth = true;
    bool m_nextYear = true;
};
