// Calendar arithmetic on day serials. The conversions between a serial and a civil date are
// the era-based ones (400-year cycles of 146097 days), exact for every day of years 1..9999
// and free of tables.
#include "platform/core/DateTime.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Math.h"

#include <QDateTime>
#include <algorithm>
#include <cmath>

namespace {

// 1 January 1970 is day 25569; the civil conversions below count from there.
constexpr std::int64_t UnixEpochSerial = 25569;
constexpr std::int64_t FirstDay = -693593; // 1 January 0001
constexpr std::int64_t LastDay = 2958465;  // 31 December 9999

std::int64_t daysFromCivil(std::int64_t y, int m, int d)
{
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(std::int64_t z, int& year, int& month, int& day)
{
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    day = int(doy - (153 * mp + 2) / 5 + 1);
    month = int(mp < 10 ? mp + 3 : mp - 9);
    year = int(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

// A value split into its calendar day and the milliseconds since that day's midnight. The
// milliseconds are rounded, not truncated: 0.5 * MSecsPerDay is exact, but a time such as
// 10:00 stored as 10/24 sits a hair below its millisecond and must not read 09:59:59.999.
struct TSplit
{
    std::int64_t day;
    std::int64_t msec;
};

bool trySplit(TDateTime value, TSplit& split)
{
    // Compared as doubles first, so that NaN and huge values never reach an integer cast.
    if (!(value > double(FirstDay) - 1.0 && value < double(LastDay) + 1.0))
        return false;
    std::int64_t day = Trunc(value);
    std::int64_t msec = Round(std::fabs(value - double(day)) * MSecsPerDay);
    if (msec >= MSecsPerDay) {
        // Rounded up to midnight: that is the start of the next calendar day, which for
        // negative serials too is day + 1.
        msec -= MSecsPerDay;
        ++day;
    }
    if (day < FirstDay || day > LastDay)
        return false;
    split = {day, msec};
    return true;
}

TSplit split(TDateTime value)
{
    TSplit s{};
    if (!trySplit(value, s))
        throw EConvertError(QStringLiteral("Invalid date-time value %1").arg(value, 0, 'g', 17));
    return s;
}

void decodeMsec(std::int64_t msec, int& hour, int& minute, int& second, int& ms)
{
    hour = int(msec / 3600000);
    minute = int(msec / 60000 % 60);
    second = int(msec / 1000 % 60);
    ms = int(msec % 1000);
}

// The fixed clock; main thread only (see the header).
bool s_clockFixed = false;
TDateTime s_fixedNow = 0;

TDateTime systemNow()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    return ComposeDateTime(EncodeDate(d.year(), d.month(), d.day()),
                           double(now.time().msecsSinceStartOfDay()) / MSecsPerDay);
}

} // namespace

bool IsLeapYear(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInAMonth(int year, int month)
{
    static constexpr int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return (month == 2 && IsLeapYear(year)) ? 29 : lengths[month - 1];
}

bool IsValidDate(int year, int month, int day)
{
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInAMonth(year, month);
}

bool IsValidTime(int hour, int minute, int second, int msec)
{
    return hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60 &&
           msec >= 0 && msec < 1000;
}

bool TryEncodeDate(int year, int month, int day, TDateTime& result)
{
    if (!IsValidDate(year, month, day))
        return false;
    result = double(daysFromCivil(year, month, day) + UnixEpochSerial);
    return true;
}

TDateTime EncodeDate(int year, int month, int day)
{
    TDateTime result = 0;
    if (!TryEncodeDate(year, month, day, result))
        throw EConvertError(QStringLiteral("Invalid date: year %1, month %2, day %3")
                                .arg(year)
                                .arg(month)
                                .arg(day));
    return result;
}

bool TryEncodeTime(int hour, int minute, int second, int msec, TDateTime& result)
{
    if (!IsValidTime(hour, minute, second, msec))
        return false;
    const std::int64_t total = ((std::int64_t(hour) * 60 + minute) * 60 + second) * 1000 + msec;
    result = double(total) / MSecsPerDay;
    return true;
}

TDateTime EncodeTime(int hour, int minute, int second, int msec)
{
    TDateTime result = 0;
    if (!TryEncodeTime(hour, minute, second, msec, result))
        throw EConvertError(QStringLiteral("Invalid time: %1:%2:%3.%4")
                                .arg(hour)
                                .arg(minute)
                                .arg(second)
                                .arg(msec));
    return result;
}

TDateTime ComposeDateTime(TDateTime date, TDateTime time)
{
    const TDateTime day = DateOf(date);
    const TDateTime t = TimeOf(time);
    return day < 0 ? day - t : day + t;
}

TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int msec)
{
    return ComposeDateTime(EncodeDate(year, month, day), EncodeTime(hour, minute, second, msec));
}

bool TryDecodeDate(TDateTime value, int& year, int& month, int& day)
{
    TSplit s{};
    if (!trySplit(value, s))
        return false;
    civilFromDays(s.day - UnixEpochSerial, year, month, day);
    return true;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day)
{
    civilFromDays(split(value).day - UnixEpochSerial, year, month, day);
}

bool TryDecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec)
{
    TSplit s{};
    if (!trySplit(value, s))
        return false;
    decodeMsec(s.msec, hour, minute, second, msec);
    return true;
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec)
{
    decodeMsec(split(value).msec, hour, minute, second, msec);
}

bool TryDecodeDateTime(TDateTime value, int& year, int& month, int& day, int& hour, int& minute,
                       int& second, int& msec)
{
    TSplit s{};
    if (!trySplit(value, s))
        return false;
    civilFromDays(s.day - UnixEpochSerial, year, month, day);
    decodeMsec(s.msec, hour, minute, second, msec);
    return true;
}

void DecodeDateTime(TDateTime value, int& year, int& month, int& day, int& hour, int& minute,
                    int& second, int& msec)
{
    const TSplit s = split(value);
    civilFromDays(s.day - UnixEpochSerial, year, month, day);
    decodeMsec(s.msec, hour, minute, second, msec);
}

int DayOfWeek(TDateTime value)
{
    // Day 0 is a Saturday (7); the modulo is kept non-negative for days before it.
    const std::int64_t day = split(value).day;
    return int(((day + 6) % 7 + 7) % 7) + 1;
}

double Int(double value)
{
    return std::trunc(value);
}

double Frac(double value)
{
    return value - std::trunc(value);
}

TDateTime DateOf(TDateTime value)
{
    return std::trunc(value);
}

TDateTime TimeOf(TDateTime value)
{
    return std::fabs(value - std::trunc(value));
}

TDateTime IncMonth(TDateTime value, int months)
{
    int year = 0, month = 0, day = 0;
    DecodeDate(value, year, month, day);
    // Month arithmetic in one counter so that crossing any number of year ends is exact.
    const std::int64_t index = std::int64_t(year) * 12 + (month - 1) + months;
    const auto newYear = std::int64_t(index >= 0 ? index / 12 : (index - 11) / 12);
    const int newMonth = int(index - newYear * 12) + 1;
    if (newYear < 1 || newYear > 9999)
        throw EConvertError(QStringLiteral("Invalid date: year %1, month %2, day %3")
                                .arg(newYear)
                                .arg(newMonth)
                                .arg(day));
    const int newDay = std::min(day, DaysInAMonth(int(newYear), newMonth));
    return ComposeDateTime(EncodeDate(int(newYear), newMonth, newDay), TimeOf(value));
}

TDateTime TClock::Now()
{
    return s_clockFixed ? s_fixedNow : systemNow();
}

void TClock::SetFixed(TDateTime now)
{
    s_clockFixed = true;
    s_fixedNow = now;
}

void TClock::UseSystem()
{
    s_clockFixed = false;
}

bool TClock::IsFixed()
{
    return s_clockFixed;
}

TDateTime TClock::FixedValue()
{
    return s_fixedNow;
}

TDateTime Now()
{
    return TClock::Now();
}

TDateTime Date()
{
    return DateOf(TClock::Now());
}

TDateTime Time()
{
    return TimeOf(TClock::Now());
}

int CurrentYear()
{
    int year = 0, month = 0, day = 0;
    DecodeDate(TClock::Now(), year, month, day);
    return year;
}

TFixedClock::TFixedClock(TDateTime now)
    : m_wasFixed(TClock::IsFixed()), m_previous(TClock::FixedValue())
{
    TClock::SetFixed(now);
}

TFixedClock::~TFixedClock()
{
    if (m_wasFixed)
        TClock::SetFixed(m_previous);
    else
        TClock::UseSystem();
}

void TFixedClock::Set(TDateTime now)
{
    TClock::SetFixed(now);
}
