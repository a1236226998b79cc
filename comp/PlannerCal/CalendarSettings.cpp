// The calendar's settings groups: locale names, year starts with their range checks, date
// limits, arrow pictures and arrow visibility.
#include "comp/PlannerCal/CalendarSettings.h"

#include "platform/controls/ErrorBox.h"
#include "platform/core/FormatSettings.h"
#include "platform/core/RaiseEvent.h"

#include <QWidget>

// --- TNameOfDays ------------------------------------------------------------------------

TNameOfDays::TNameOfDays()
{
    readLocale();
}

void TNameOfDays::readLocale()
{
    // The locale lists Sunday first; our names start on Monday.
    const auto& names = FormatSettings().ShortDayNames;
    for (int i = 0; i < 7; ++i)
        m_names[std::size_t(i)] = names[std::size_t((i + 1) % 7)];
}

void TNameOfDays::setName(int index, const QString& name)
{
    if (m_names[std::size_t(index)] == name)
        return;
    m_names[std::size_t(index)] = name;
    Raise(OnChange, *this);
}

void TNameOfDays::SetUseIntlNames(bool on)
{
    m_useIntlNames = on;
    if (on)
        readLocale();
    Raise(OnChange, *this);
}

QString TNameOfDays::Name(int number) const
{
    if (number < 1 || number > 14)
        return {};
    return m_names[std::size_t((number - 1) % 7)];
}

// --- TNameOfMonths ----------------------------------------------------------------------

TNameOfMonths::TNameOfMonths()
{
    readLocale();
}

void TNameOfMonths::readLocale()
{
    m_names = FormatSettings().ShortMonthNames;
}

void TNameOfMonths::setName(int index, const QString& name)
{
    if (m_names[std::size_t(index)] == name)
        return;
    m_names[std::size_t(index)] = name;
    Raise(OnChange, *this);
}

void TNameOfMonths::SetUseIntlNames(bool on)
{
    m_useIntlNames = on;
    if (on)
        readLocale();
    Raise(OnChange, *this);
}

QString TNameOfMonths::Name(int number) const
{
    if (number < 1 || number > 12)
        return {};
    return m_names[std::size_t(number - 1)];
}

// --- TYearStartAt -----------------------------------------------------------------------

void TYearStartAt::refuse(const QString& message)
{
    if (OnError) {
        OnError(*this, message);
        return;
    }
    ShowErrorBox(nullptr, message, TErrorBoxKind::Critical);
}

void TYearStartAt::store(int& field, int value)
{
    if (field == value)
        return;
    field = value;
    Raise(OnChange, *this);
}

void TYearStartAt::setDay(int& field, int day)
{
    if (day < 1 || day > 31) {
        refuse(InvalidDayMessage);
        return;
    }
    store(field, day);
}

void TYearStartAt::setMonth(int& field, int month)
{
    if (month < 1 || month > 12) {
        refuse(InvalidMonthMessage);
        return;
    }
    store(field, month);
}

// --- TMinMaxDate ------------------------------------------------------------------------

void TMinMaxDate::store(int& field, int value)
{
    // The parts are stored as 16-bit words.
    field = int(std::uint16_t(value));
    Raise(OnChange, *this);
}

void TMinMaxDate::SetUse(bool on)
{
    m_use = on;
    Raise(OnChange, *this);
}

void TMinMaxDate::SetDate(TDateTime date)
{
    int y = 0, m = 0, d = 0;
    if (!TryDecodeDate(date, y, m, d))
        return;
    m_day = d;
    m_month = m;
    m_year = y;
    Raise(OnChange, *this);
}

bool TMinMaxDate::Limits(TDateTime& date) const
{
    return m_use && TryEncodeDate(m_year, m_month, m_day, date);
}

// --- TCalGlyphs -------------------------------------------------------------------------

void TCalGlyphs::store(TBitmap& field, const TBitmap& glyph)
{
    field = glyph;
    if (!field.Empty()) {
        field.SetTransparentMode(TTransparentMode::tmAuto);
        field.SetTransparent(true);
    }
    Raise(OnChange, *this);
}

// --- TCalendarBrowsers ------------------------------------------------------------------

void TCalendarBrowsers::store(bool& field, bool on)
{
    if (field == on)
        return;
    field = on;
    Raise(OnChange, *this);
}
