// Date-time values as the components count them: a double of days since 30 December 1899,
// whose fraction is the time of day. Before that day the whole part counts back and the
// fraction still counts forward from midnight, so -1.25 is 29 December 1899 at 06:00 (the
// fraction means the same whatever the sign). Calendar arithmetic is the proleptic Gregorian
// calendar from 1 January 0001 to 31 December 9999; anything outside is reported as invalid
// rather than folded into range. The current time is read through TClock, which tests pin.
#pragma once

#include <cstdint>

using TDateTime = double;

inline constexpr int HoursPerDay = 24;
inline constexpr int MinsPerDay = 24 * 60;
inline constexpr int SecsPerDay = MinsPerDay * 60;
inline constexpr int MSecsPerDay = SecsPerDay * 1000;

// 1 January 0001 and 31 December 9999, the ends of the representable calendar.
inline constexpr TDateTime MinDateTime = -693593.0;
inline constexpr TDateTime MaxDateTime = 2958465.99999999;

// --- Calendar ---------------------------------------------------------------------------
bool IsLeapYear(int year);
// 0 for a month outside 1..12.
int DaysInAMonth(int year, int month);
bool IsValidDate(int year, int month, int day);
bool IsValidTime(int hour, int minute, int second, int msec);

// --- Encoding -----------------------------------------------------------------------------
// The Try forms leave result untouched and return false for an invalid date or time; the
// plain forms raise EConvertError naming the bad parts.
bool TryEncodeDate(int year, int month, int day, TDateTime& result);
TDateTime EncodeDate(int year, int month, int day);
// hour 0..23, minute and second 0..59, msec 0..999; the result is the fraction of a day.
bool TryEncodeTime(int hour, int minute, int second, int msec, TDateTime& result);
TDateTime EncodeTime(int hour, int minute, int second, int msec);
// A date and a time of day joined the way negative values read (see the file comment):
// before 30 December 1899 the time is subtracted, so that it still counts from midnight.
TDateTime ComposeDateTime(TDateTime date, TDateTime time);
TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int msec);

// --- Decoding -----------------------------------------------------------------------------
// The time of day is rounded to the nearest millisecond; a value that rounds up to
// midnight decodes as the following day, so the date and time parts always agree. NaN,
// infinities and values outside MinDateTime..MaxDateTime are invalid: the Try forms return
// false, the plain forms raise EConvertError.
bool TryDecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeDate(TDateTime value, int& year, int& month, int& day);
bool TryDecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec);
bool TryDecodeDateTime(TDateTime value, int& year, int& month, int& day, int& hour, int& minute,
                       int& second, int& msec);
void DecodeDateTime(TDateTime value, int& year, int& month, int& day, int& hour, int& minute,
                    int& second, int& msec);

// 1 = Sunday .. 7 = Saturday (30 December 1899 was a Saturday). Raises EConvertError for an
// invalid value, as the decoders do.
int DayOfWeek(TDateTime value);

// --- Parts of a value ---------------------------------------------------------------------
// The whole and fractional parts, both truncating toward zero: Int(-1.25) = -1,
// Frac(-1.25) = -0.25.
double Int(double value);
double Frac(double value);
// The day (whole part, by truncation) and the time of day (always 0 <= t < 1, whatever the
// sign of value): DateOf(-1.25) = -1, TimeOf(-1.25) = 0.25.
TDateTime DateOf(TDateTime value);
TDateTime TimeOf(TDateTime value);

// The same time of day months later (or earlier for a negative count); the day is cut to the
// target month's length (31 January + 1 month = 28 or 29 February).
TDateTime IncMonth(TDateTime value, int months = 1);

// --- The clock ----------------------------------------------------------------------------
// Every read of the current time goes through here, so that tests can pin it. Main thread
// only, like the rest of the user interface.
class TClock
{
public:
    static TDateTime Now();
    static void SetFixed(TDateTime now);
    static void UseSystem();
    static bool IsFixed();
    // The fixed value, meaningful only while IsFixed().
    static TDateTime FixedValue();
};

TDateTime Now();
TDateTime Date(); // today, midnight
TDateTime Time(); // the time of day
int CurrentYear();

// Pins the clock for one scope and puts back whatever was in force before (the system clock
// or an outer fixed value).
class TFixedClock
{
public:
    explicit TFixedClock(TDateTime now);
    ~TFixedClock();
    TFixedClock(const TFixedClock&) = delete;
    TFixedClock& operator=(const TFixedClock&) = delete;

    // Moves the pinned time, for tests that let time pass.
    void Set(TDateTime now);

private:
    bool m_wasFixed;
    TDateTime m_previous;
};
