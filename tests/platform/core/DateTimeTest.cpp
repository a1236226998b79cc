// Day serials and the calendar: known serials, a day-by-day walk against a plain calendar
// model, millisecond-exact time round trips, the negative convention, and the pinned clock.
#include "platform/core/DateTime.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Math.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

struct Ymd
{
    int year, month, day;
    friend bool operator==(const Ymd&, const Ymd&) = default;
};

std::ostream& operator<<(std::ostream& os, const Ymd& d)
{
    return os << d.year << '-' << d.month << '-' << d.day;
}

Ymd decoded(TDateTime value)
{
    Ymd d{};
    DecodeDate(value, d.year, d.month, d.day);
    return d;
}

struct Hnsz
{
    int hour, minute, second, msec;
    friend bool operator==(const Hnsz&, const Hnsz&) = default;
};

std::ostream& operator<<(std::ostream& os, const Hnsz& t)
{
    return os << t.hour << ':' << t.minute << ':' << t.second << '.' << t.msec;
}

Hnsz decodedTime(TDateTime value)
{
    Hnsz t{};
    DecodeTime(value, t.hour, t.minute, t.second, t.msec);
    return t;
}

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

} // namespace

// Decoding rounds milliseconds with Round, so its halves matter.
TEST(DateTimeTest, RoundHalvesToEvenAndTruncCutsTowardZero)
{
    struct Case
    {
        double value;
        std::int64_t round, trunc;
    };
    const Case cases[] = {
        {0.5, 0, 0},    {1.5, 2, 1},    {2.5, 2, 2},    {3.5, 4, 3},    {-0.5, 0, 0},
        {-1.5, -2, -1}, {-2.5, -2, -2}, {2.4999, 2, 2}, {2.5001, 3, 2}, {-2.7, -3, -2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(Round(c.value), c.round);
        EXPECT_EQ(Trunc(c.value), c.trunc);
    }
}

TEST(DateTimeTest, KnownSerials)
{
    struct Case
    {
        Ymd date;
        double serial;
        int dayOfWeek;
    };
    const Case cases[] = {
        {{1899, 12, 30}, 0, 7}, // the epoch, a Saturday
        {{1899, 12, 31}, 1, 1},       {{1899, 12, 29}, -1, 6},   {{1900, 1, 1}, 2, 2},
        {{1900, 2, 28}, 60, 4},       {{1900, 3, 1}, 61, 5}, // 1900 has no 29 February
        {{2000, 2, 29}, 36585, 3},    {{2000, 3, 1}, 36586, 4},  {{1970, 1, 1}, 25569, 5},
        {{2001, 5, 1}, 37012, 3},     {{1800, 1, 1}, -36522, 4}, {{1, 1, 1}, -693593, 2},
        {{9999, 12, 31}, 2958465, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.date));
        EXPECT_EQ(EncodeDate(c.date.year, c.date.month, c.date.day), c.serial);
        EXPECT_EQ(decoded(c.serial), c.date);
        EXPECT_EQ(DayOfWeek(c.serial), c.dayOfWeek);
        // The time of day does not move the day, on either side of the epoch.
        EXPECT_EQ(decoded(ComposeDateTime(c.serial, 0.75)), c.date);
        EXPECT_EQ(DayOfWeek(ComposeDateTime(c.serial, 0.75)), c.dayOfWeek);
    }
}

// Every day of the calendar against a model that only knows month lengths and the leap rule.
TEST(DateTimeTest, EveryDayAgreesWithAPlainCalendarWalk)
{
    auto leap = [](int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; };
    const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    Ymd model{1, 1, 1};
    int weekday = 2; // 1 January 0001 was a Monday
    for (int serial = -693593; serial <= 2958465; ++serial) {
        const Ymd got = decoded(serial);
        if (got != model || DayOfWeek(serial) != weekday ||
            EncodeDate(model.year, model.month, model.day) != serial) {
            ADD_FAILURE() << "serial " << serial << ": model " << model << ", decoded " << got;
            return;
        }
        const int length = model.month == 2 && leap(model.year) ? 29 : lengths[model.month - 1];
        if (++model.day > length) {
            model.day = 1;
            if (++model.month > 12) {
                model.month = 1;
                ++model.year;
            }
        }
        weekday = weekday % 7 + 1;
    }
}

TEST(DateTimeTest, LeapYearsAndMonthLengths)
{
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_TRUE(IsLeapYear(2004));
    EXPECT_FALSE(IsLeapYear(2001));
    EXPECT_FALSE(IsLeapYear(2100));
    EXPECT_EQ(DaysInAMonth(1900, 2), 28);
    EXPECT_EQ(DaysInAMonth(2000, 2), 29);
    EXPECT_EQ(DaysInAMonth(2001, 4), 30);
    EXPECT_EQ(DaysInAMonth(2001, 12), 31);
    EXPECT_EQ(DaysInAMonth(2001, 0), 0);
    EXPECT_EQ(DaysInAMonth(2001, 13), 0);
}

TEST(DateTimeTest, InvalidDatesAndTimesAreRefusedNotAdjusted)
{
    const Ymd badDates[] = {{2001, 2, 29}, {1900, 2, 29}, {2001, 4, 31}, {2001, 13, 1},
                            {2001, 0, 1},  {2001, 1, 0},  {0, 1, 1},     {10000, 1, 1}};
    for (const Ymd& d : badDates) {
        SCOPED_TRACE(::testing::PrintToString(d));
        EXPECT_FALSE(IsValidDate(d.year, d.month, d.day));
        TDateTime untouched = 123.0;
        EXPECT_FALSE(TryEncodeDate(d.year, d.month, d.day, untouched));
        EXPECT_EQ(untouched, 123.0);
        EXPECT_THROW(EncodeDate(d.year, d.month, d.day), EConvertError);
    }
    const Hnsz badTimes[] = {{24, 0, 0, 0},   {0, 60, 0, 0}, {0, 0, 60, 0},
                             {0, 0, 0, 1000}, {-1, 0, 0, 0}, {0, 0, 0, -1}};
    for (const Hnsz& t : badTimes) {
        SCOPED_TRACE(::testing::PrintToString(t));
        TDateTime untouched = 0.25;
        EXPECT_FALSE(TryEncodeTime(t.hour, t.minute, t.second, t.msec, untouched));
        EXPECT_EQ(untouched, 0.25);
        EXPECT_THROW(EncodeTime(t.hour, t.minute, t.second, t.msec), EConvertError);
    }
}

TEST(DateTimeTest, ValuesOutsideTheCalendarDoNotDecode)
{
    const double values[] = {NaN, Inf, -Inf, 1e300, -1e300, 2958466.0, -693594.0,
                             // rounds up to midnight after 31 December 9999
                             2958465.9999999999};
    for (double v : values) {
        SCOPED_TRACE(v);
        int y = -1, m = -1, d = -1, h = -1, n = -1, s = -1, z = -1;
        EXPECT_FALSE(TryDecodeDate(v, y, m, d));
        EXPECT_FALSE(TryDecodeTime(v, h, n, s, z));
        EXPECT_FALSE(TryDecodeDateTime(v, y, m, d, h, n, s, z));
        EXPECT_EQ(y, -1);
        EXPECT_THROW(DecodeDate(v, y, m, d), EConvertError);
        EXPECT_THROW(DecodeTime(v, h, n, s, z), EConvertError);
        EXPECT_THROW(DayOfWeek(v), EConvertError);
    }
}

TEST(DateTimeTest, TimesDecodeToTheExactMillisecond)
{
    EXPECT_EQ(decodedTime(0.5), (Hnsz{12, 0, 0, 0}));
    EXPECT_EQ(decodedTime(0.25), (Hnsz{6, 0, 0, 0}));
    // 10/24 and 1/3 lie a hair below their instants; truncation would read 09:59:59.999.
    EXPECT_EQ(decodedTime(10.0 / 24), (Hnsz{10, 0, 0, 0}));
    EXPECT_EQ(decodedTime(1.0 / 3), (Hnsz{8, 0, 0, 0}));
    EXPECT_EQ(decodedTime(37012 + 10.0 / 24), (Hnsz{10, 0, 0, 0}));
    // A time that rounds up to midnight belongs to the next day, for date and time alike.
    EXPECT_EQ(decodedTime(1.9999999999), (Hnsz{0, 0, 0, 0}));
    EXPECT_EQ(decoded(1.9999999999), (Ymd{1900, 1, 1}));
    EXPECT_EQ(decoded(-1.9999999999), (Ymd{1899, 12, 30}));

    // Every second of a day, at the edges of its millisecond range, on both sides of the
    // epoch and far from it.
    const int msecs[] = {0, 1, 499, 500, 999};
    const TDateTime days[] = {0, 45823, -36522, 2958465};
    for (TDateTime day : days) {
        for (int second = 0; second < SecsPerDay; ++second) {
            for (int ms : msecs) {
                const Hnsz t{second / 3600, second / 60 % 60, second % 60, ms};
                const TDateTime value =
                    ComposeDateTime(day, EncodeTime(t.hour, t.minute, t.second, t.msec));
                if (decodedTime(value) != t || DateOf(value) != day) {
                    ADD_FAILURE() << "day " << day << " time " << t << " decoded as "
                                  << decodedTime(value);
                    return;
                }
            }
        }
    }
}

TEST(DateTimeTest, NegativeValuesCountTheTimeForwardFromMidnight)
{
    struct Case
    {
        TDateTime value;
        Ymd date;
        Hnsz time;
        TDateTime encoded; // what encoding the parts gives back
    };
    const Case cases[] = {
        {-1.25, {1899, 12, 29}, {6, 0, 0, 0}, -1.25},
        {-1.75, {1899, 12, 29}, {18, 0, 0, 0}, -1.75},
        // Day 0 has two spellings; encoding gives the positive one.
        {-0.5, {1899, 12, 30}, {12, 0, 0, 0}, 0.5},
        {-36522.5, {1800, 1, 1}, {12, 0, 0, 0}, -36522.5},
        {-693593.5, {1, 1, 1}, {12, 0, 0, 0}, -693593.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(decoded(c.value), c.date);
        EXPECT_EQ(decodedTime(c.value), c.time);
        EXPECT_EQ(EncodeDateTime(c.date.year, c.date.month, c.date.day, c.time.hour, c.time.minute,
                                 c.time.second, c.time.msec),
                  c.encoded);
    }
    EXPECT_EQ(DateOf(-1.25), -1.0);
    EXPECT_EQ(TimeOf(-1.25), 0.25);
    EXPECT_EQ(ComposeDateTime(-2, 0.25), -2.25);
    EXPECT_EQ(ComposeDateTime(2, 0.25), 2.25);
    EXPECT_EQ(Int(-1.25), -1.0);
    EXPECT_EQ(Frac(-1.25), -0.25);
    EXPECT_EQ(Int(2.75), 2.0);
    EXPECT_EQ(Frac(2.75), 0.75);
}

TEST(DateTimeTest, IncMonthCutsTheDayToTheTargetMonthAndKeepsTheTime)
{
    struct Case
    {
        Ymd from;
        int months;
        Ymd to;
    };
    const Case cases[] = {
        {{2001, 1, 31}, 1, {2001, 2, 28}},    {{2000, 1, 31}, 1, {2000, 2, 29}},
        {{2001, 12, 15}, 1, {2002, 1, 15}},   {{2001, 3, 31}, -1, {2001, 2, 28}},
        {{2001, 1, 15}, -13, {1999, 12, 15}}, {{2001, 5, 1}, 0, {2001, 5, 1}},
        {{1899, 12, 29}, 1, {1900, 1, 29}},   {{2001, 1, 31}, 27, {2003, 4, 30}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.from) + " + " + std::to_string(c.months));
        const TDateTime from = EncodeDateTime(c.from.year, c.from.month, c.from.day, 18, 0, 0, 0);
        const TDateTime to = IncMonth(from, c.months);
        EXPECT_EQ(decoded(to), c.to);
        EXPECT_EQ(decodedTime(to), (Hnsz{18, 0, 0, 0}));
    }
    EXPECT_THROW(IncMonth(EncodeDate(9999, 12, 1), 1), EConvertError);
}

class DateTimeClockTest : public ::testing::Test
{
protected:
    // Whatever an earlier test left: the clock must be put back to it.
    bool m_wasFixed = TClock::IsFixed();
    TDateTime m_previous = TClock::FixedValue();

    void TearDown() override
    {
        EXPECT_EQ(TClock::IsFixed(), m_wasFixed);
        if (m_wasFixed) {
            EXPECT_EQ(TClock::FixedValue(), m_previous);
        }
    }
};

TEST_F(DateTimeClockTest, FixedClockPinsEveryReadingAndNestsBack)
{
    const TDateTime june = EncodeDateTime(2025, 6, 15, 9, 30, 0, 0);
    {
        TFixedClock clock(june);
        EXPECT_EQ(Now(), june);
        EXPECT_EQ(Date(), 45823.0);
        EXPECT_EQ(decodedTime(Time()), (Hnsz{9, 30, 0, 0}));
        EXPECT_EQ(CurrentYear(), 2025);
        {
            TFixedClock inner(EncodeDate(1990, 1, 1));
            EXPECT_EQ(CurrentYear(), 1990);
            inner.Set(EncodeDate(1991, 1, 1));
            EXPECT_EQ(CurrentYear(), 1991);
        }
        EXPECT_EQ(Now(), june);
    }
}
