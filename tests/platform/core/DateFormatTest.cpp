// Date patterns to text and text back to dates: a table per behaviour, with the settings
// and the clock pinned per test (the clock decides the century of two-digit years and the
// year of a date typed without one).
#include "platform/core/DateFormat.h"

#include "platform/core/Exceptions.h"

#include <gtest/gtest.h>
#include <limits>
#include <optional>

namespace {

struct Ymd
{
    int year, month, day;
};

struct Hnsz
{
    int hour, minute, second, msec;
};

// Tuesday 1 May 2001, 14:37:09.007: every field differs from the others.
const TDateTime Afternoon = EncodeDateTime(2001, 5, 1, 14, 37, 9, 7);

TFormatSettings dayMonthYear(QChar dateSep = u'/', QChar timeSep = u':')
{
    TFormatSettings s = TFormatSettings::Fixed();
    s.ShortDateFormat = QStringLiteral("dd/mm/yyyy");
    s.DateSeparator = dateSep;
    s.TimeSeparator = timeSep;
    return s;
}

class DateFormatTest : public ::testing::Test
{
protected:
    TFormatSettingsGuard m_settings{TFormatSettings::Fixed()};
    TFixedClock m_clock{EncodeDateTime(2025, 6, 15, 9, 0, 0, 0)};
};

struct FormatCase
{
    const char* pattern;
    TDateTime value;
    const char* expected;
};

void expectFormats(const FormatCase* begin, const FormatCase* end, const TFormatSettings& s)
{
    for (const FormatCase* c = begin; c != end; ++c) {
        SCOPED_TRACE(c->pattern);
        EXPECT_EQ(FormatDateTime(c->pattern, c->value, s), c->expected);
    }
}

} // namespace

TEST_F(DateFormatTest, PatternLetters)
{
    const FormatCase cases[] = {
        {"d/m/yyyy", Afternoon, "1/5/2001"},
        {"dd/mm/yy", Afternoon, "01/05/01"},
        {"d/MM/yyyy", Afternoon, "1/05/2001"},
        {"mm/dd/yyyy", Afternoon, "05/01/2001"},
        {"MM/DD/YYYY", Afternoon, "05/01/2001"},
        {"ddd d mmm", Afternoon, "Tue 1 May"},
        {"dddd, mmmm d", Afternoon, "Tuesday, May 1"},
        {"ddddd", Afternoon, "5/1/2001"},
        {"dddddd", Afternoon, "Tuesday, May 1, 2001"},
        {"hh:nn:ss.zzz", Afternoon, "14:37:09.007"},
        {"h:n:s.z", Afternoon, "14:37:9.7"},
        {"t", Afternoon, "2:37 PM"},
        {"tt", Afternoon, "2:37:09 PM"},
        {"c", Afternoon, "5/1/2001 2:37:09 PM"},
        {"c", EncodeDate(2001, 5, 1), "5/1/2001"},
        {"", Afternoon, "5/1/2001 2:37:09 PM"},
        {"yyyy", EncodeDate(5, 1, 1), "0005"},
        {"yy", EncodeDate(1999, 1, 1), "99"},
        {"yy", EncodeDate(2000, 1, 1), "00"},
        {"yy", EncodeDate(2009, 1, 1), "09"},
        {"yyyy-mm-dd hh:nn", -1.25, "1899-12-29 06:00"},
        {"ddd", 0, "Sat"},
    };
    expectFormats(std::begin(cases), std::end(cases), TFormatSettings::Fixed());
}

// "m" is the month, except right after an hour, where it is the minute.
TEST_F(DateFormatTest, MonthOrMinuteByTheLetterBefore)
{
    const FormatCase cases[] = {
        {"h:mm", Afternoon, "14:37"},
        {"hh:mm:ss", Afternoon, "14:37:09"},
        {"h 'x' m", Afternoon, "14 x 37"}, // quoted text is not a letter
        {"mm", Afternoon, "05"},
        {"h d m", Afternoon, "14 1 5"}, // a day in between makes it the month again
        {"mm:ss", Afternoon, "05:09"},  // seconds do not look back
        {"hh:mm mm", Afternoon, "14:37 05"},
    };
    expectFormats(std::begin(cases), std::end(cases), TFormatSettings::Fixed());
}

TEST_F(DateFormatTest, DayHalves)
{
    const TDateTime midnight = EncodeDate(2001, 5, 1);
    const FormatCase cases[] = {
        {"h:nn AMPM", midnight, "12:00 AM"},
        {"h:nn AMPM", midnight + EncodeTime(0, 30, 0, 0), "12:30 AM"},
        {"h:nn AMPM", midnight + EncodeTime(1, 0, 0, 0), "1:00 AM"},
        {"h:nn AMPM", midnight + EncodeTime(11, 59, 0, 0), "11:59 AM"},
        {"h:nn AMPM", midnight + 0.5, "12:00 PM"},
        {"h:nn AMPM", midnight + EncodeTime(23, 59, 0, 0), "11:59 PM"},
        {"hh:nn am/pm", Afternoon, "02:37 pm"},
        {"h AM/PM", Afternoon, "2 PM"},
        {"h Am/Pm", midnight, "12 Am"},
        {"h a/p", Afternoon, "2 p"},
        {"h A/P", midnight, "12 A"},
        // The day half may come first; h is still 12-hour.
        {"ampm h", Afternoon, "PM 2"},
        // A nested format decides for itself: the outer hh stays 24-hour.
        {"hh t", Afternoon, "14 2:37 PM"},
        // A lone "a" is no day half and leaves hours alone.
        {"h a", Afternoon, "14 a"},
    };
    expectFormats(std::begin(cases), std::end(cases), TFormatSettings::Fixed());
}

TEST_F(DateFormatTest, LiteralsAndUnknownCharactersAreCopied)
{
    const FormatCase cases[] = {
        {"\"Today\" DDD/mm, YYYY", Afternoon, "Today Tue/05, 2001"},
        {"'dd mm' d", Afternoon, "dd mm 1"},
        {"\"it's\" d", Afternoon, "it's 1"},
        {"d 'open", Afternoon, "1 open"},
        {"x#d!", Afternoon, "x#1!"},
        {"[e]", Afternoon, "[e]"},
        {"d\u00e9", Afternoon, "1\u00e9"},
    };
    expectFormats(std::begin(cases), std::end(cases), TFormatSettings::Fixed());
}

TEST_F(DateFormatTest, SeparatorsComeFromTheSettings)
{
    TFormatSettings s = dayMonthYear(u'.', u'.');
    s.ShortTimeFormat = QStringLiteral("hh:nn");
    const FormatCase cases[] = {
        {"d/m/yyyy h:nn", Afternoon, "1.5.2001 14.37"},
        {"ddddd t", Afternoon, "01.05.2001 14.37"},
        {"d\"/\"m", Afternoon, "1/5"}, // a quoted slash is a slash
    };
    expectFormats(std::begin(cases), std::end(cases), s);
}

TEST_F(DateFormatTest, TheGlobalSettingsAreUsedByDefault)
{
    EXPECT_EQ(DateToStr(Afternoon), "5/1/2001");
    EXPECT_EQ(TimeToStr(Afternoon), "2:37:09 PM");
    EXPECT_EQ(DateTimeToStr(Afternoon), "5/1/2001 2:37:09 PM");
    FormatSettings().DateSeparator = u'-';
    EXPECT_EQ(FormatDateTime("d/m", Afternoon), "1-5");
}

TEST_F(DateFormatTest, ValuesOutsideTheCalendarRaise)
{
    EXPECT_THROW(FormatDateTime("d", std::numeric_limits<double>::quiet_NaN()), EConvertError);
    EXPECT_THROW(FormatDateTime("d", 1e20), EConvertError);
}

// Nested formats expand two levels deep and no further.
TEST_F(DateFormatTest, SettingsThatNameThemselvesDoNotRecurseForever)
{
    TFormatSettings s = TFormatSettings::Fixed();
    s.ShortDateFormat = QStringLiteral("d/ddddd");
    s.LongTimeFormat = QStringLiteral("tt");
    s.ShortTimeFormat = QStringLiteral("t");
    EXPECT_EQ(FormatDateTime("ddddd", Afternoon, s), "1/1/");
    EXPECT_EQ(FormatDateTime("t", Afternoon, s), "");
}

// --- Parsing ------------------------------------------------------------------------------

namespace {

struct ParseCase
{
    const char* text;
    std::optional<Ymd> date; // nullopt: refused
};

void expectParses(const ParseCase* begin, const ParseCase* end, const TFormatSettings& s)
{
    for (const ParseCase* c = begin; c != end; ++c) {
        SCOPED_TRACE(std::string("\"") + c->text + "\"");
        TDateTime result = -7;
        const bool ok = TryStrToDate(c->text, result, s);
        ASSERT_EQ(ok, c->date.has_value());
        if (ok) {
            EXPECT_EQ(result, EncodeDate(c->date->year, c->date->month, c->date->day));
            EXPECT_EQ(StrToDate(c->text, s), result);
        } else {
            EXPECT_EQ(result, -7); // untouched
            EXPECT_THROW(StrToDate(c->text, s), EConvertError);
        }
    }
}

} // namespace

TEST_F(DateFormatTest, ParsesDayMonthYear)
{
    const ParseCase cases[] = {
        {"1/05/2001", Ymd{2001, 5, 1}},
        {"31/12/1999", Ymd{1999, 12, 31}},
        {"29/02/2000", Ymd{2000, 2, 29}},
        {" 1 / 5 / 2001 ", Ymd{2001, 5, 1}},
        {"1/5", Ymd{2025, 5, 1}},   // the clock's year
        {"1/5/0001", Ymd{1, 5, 1}}, // four digits are taken as written
        {"29/02/2001", std::nullopt},
        {"31/13/2001", std::nullopt},
        {"31/04/2001", std::nullopt},
        {"0/5/2001", std::nullopt},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"abc", std::nullopt},
        {"1/5/2001x", std::nullopt},
        {"1/5/2001/", std::nullopt},
        {"1/5/", std::nullopt},
        {"1//2001", std::nullopt},
        {"1/5/2001/3", std::nullopt},
        {"-1/5/2001", std::nullopt},
        {"1.5.2001", std::nullopt},
        {"1/5/2001 10:00", std::nullopt},
        {"1/5/12345678901", std::nullopt},
        {"5", std::nullopt},
    };
    expectParses(std::begin(cases), std::end(cases), dayMonthYear());
}

TEST_F(DateFormatTest, ParsesMonthDayYear)
{
    const ParseCase cases[] = {
        {"2/28/2001", Ymd{2001, 2, 28}}, {"12/31/2001", Ymd{2001, 12, 31}},
        {"5/1", Ymd{2025, 5, 1}},        {"2/29/2001", std::nullopt},
        {"13/31/2001", std::nullopt},    {"31/12/2001", std::nullopt},
    };
    expectParses(std::begin(cases), std::end(cases), TFormatSettings::Fixed());
}

TEST_F(DateFormatTest, ParsesOtherOrdersAndSeparators)
{
    TFormatSettings ymd = TFormatSettings::Fixed();
    ymd.ShortDateFormat = QStringLiteral("yyyy/mm/dd");
    ymd.DateSeparator = u'-';
    const ParseCase ymdCases[] = {
        {"2001-05-01", Ymd{2001, 5, 1}},
        {"05-01", Ymd{2025, 5, 1}}, // month and day
        {"2001/05/01", std::nullopt},
    };
    expectParses(std::begin(ymdCases), std::end(ymdCases), ymd);

    // A format that ends with its separator accepts it at the end of the text.
    TFormatSettings trailing = ymd;
    trailing.ShortDateFormat = QStringLiteral("yy/ m/ d/");
    trailing.DateSeparator = u'.';
    const ParseCase trailingCases[] = {
        {"01. 5. 1.", Ymd{2001, 5, 1}},
        {"01. 5. 1", Ymd{2001, 5, 1}},
        {"01. 5. 1..", std::nullopt},
    };
    expectParses(std::begin(trailingCases), std::end(trailingCases), trailing);

    // A blank separator is not swallowed as padding.
    const ParseCase blankCases[] = {
        {"1 5 2001", Ymd{2001, 5, 1}},
        {"1  5 2001", std::nullopt},
    };
    expectParses(std::begin(blankCases), std::end(blankCases), dayMonthYear(u' '));
}

TEST_F(DateFormatTest, TwoDigitYearsFallInTheWindowAroundTheClocksYear)
{
    struct Case
    {
        int clockYear;
        const char* text;
        int year;
    };
    const Case cases[] = {
        {2025, "1/5/01", 2001}, {2025, "1/5/74", 2074}, {2025, "1/5/75", 1975},
        {2025, "1/5/99", 1999}, {2025, "1/5/0", 2000},  {1990, "1/5/39", 2039},
        {1990, "1/5/40", 1940}, {1990, "1/5/74", 1974}, {2050, "1/5/00", 2000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.clockYear) + " " + c.text);
        TFixedClock clock(EncodeDate(c.clockYear, 3, 1));
        EXPECT_EQ(StrToDate(c.text, dayMonthYear()), EncodeDate(c.year, 5, 1));
    }
    TFormatSettings noWindow = dayMonthYear();
    noWindow.TwoDigitYearCenturyWindow = 0;
    EXPECT_EQ(StrToDate("1/5/99", noWindow), EncodeDate(2099, 5, 1));
}

TEST_F(DateFormatTest, ShortDatesRoundTrip)
{
    const TFormatSettings settings[] = {TFormatSettings::Fixed(), dayMonthYear(u'.')};
    for (const TFormatSettings& s : settings) {
        SCOPED_TRACE(s.ShortDateFormat.toStdString());
        for (TDateTime day = -693593; day <= 2958465; day += 97) {
            TDateTime back = 0;
            if (!TryStrToDate(DateToStr(day, s), back, s) || back != day) {
                ADD_FAILURE() << DateToStr(day, s).toStdString() << " read back as " << back;
                break;
            }
        }
    }
}

TEST_F(DateFormatTest, ParseErrorsQuoteTheText)
{
    try {
        StrToDate("31/13/2001", dayMonthYear());
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'31/13/2001' is not a valid date");
    }
    EXPECT_THROW(StrToTime("25:00"), EConvertError);
    EXPECT_THROW(StrToDateTime("soon"), EConvertError);
}

TEST_F(DateFormatTest, ParsesTimes)
{
    struct Case
    {
        const char* text;
        std::optional<Hnsz> time;
    };
    const Case cases[] = {
        {"14:05", Hnsz{14, 5, 0, 0}},
        {"14:05:09", Hnsz{14, 5, 9, 0}},
        {"14:05:09.5", Hnsz{14, 5, 9, 500}},
        {"14:05:09.007", Hnsz{14, 5, 9, 7}},
        {" 2:05 PM ", Hnsz{14, 5, 0, 0}},
        {"2:05 pm", Hnsz{14, 5, 0, 0}},
        {"2:05p", Hnsz{14, 5, 0, 0}},
        {"12:00 AM", Hnsz{0, 0, 0, 0}},
        {"12:00 PM", Hnsz{12, 0, 0, 0}},
        {"3 PM", Hnsz{15, 0, 0, 0}},
        {"PM 3:30", Hnsz{15, 30, 0, 0}},
        {"0:00", Hnsz{0, 0, 0, 0}},
        {"24:00", std::nullopt},
        {"13:00 PM", std::nullopt},
        {"12:60", std::nullopt},
        {"12:00:60", std::nullopt},
        {"12:00:00.1234", std::nullopt},
        {"14", std::nullopt},
        {"14:", std::nullopt},
        {"14:05x", std::nullopt},
        {"14:05 PMX", std::nullopt},
        {"AM 3 PM", std::nullopt},
        {"", std::nullopt},
        {"abc", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TDateTime result = -7;
        const bool ok = TryStrToTime(c.text, result);
        ASSERT_EQ(ok, c.time.has_value());
        if (ok) {
            EXPECT_EQ(result,
                      EncodeTime(c.time->hour, c.time->minute, c.time->second, c.time->msec));
        } else {
            EXPECT_EQ(result, -7);
        }
    }
    // The settings' own separator and day-half texts.
    TFormatSettings s = dayMonthYear(u'.', u'.');
    s.TimeAMString = QStringLiteral("vorm.");
    s.TimePMString = QStringLiteral("nachm.");
    s.DecimalSeparator = u',';
    EXPECT_EQ(StrToTime("2.05 nachm.", s), EncodeTime(14, 5, 0, 0));
    EXPECT_EQ(StrToTime("14.05.09,25", s), EncodeTime(14, 5, 9, 250));
    TDateTime ignored = 0;
    EXPECT_FALSE(TryStrToTime("14:05", ignored, s));
}

TEST_F(DateFormatTest, ParsesDateTimes)
{
    struct Case
    {
        const char* text;
        std::optional<TDateTime> value;
    };
    const Case cases[] = {
        {"5/1/2001 2:37 PM", EncodeDateTime(2001, 5, 1, 14, 37, 0, 0)},
        {"5/1/2001   14:37:09", EncodeDateTime(2001, 5, 1, 14, 37, 9, 0)},
        {"5/1/2001", EncodeDate(2001, 5, 1)},
        {"2:37 PM", EncodeTime(14, 37, 0, 0)},
        {"12/29/1899 6:00 AM", -1.25},
        {"5/1/2001 junk", std::nullopt},
        {"5/1/2001 25:00", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TDateTime result = -7;
        const bool ok = TryStrToDateTime(c.text, result);
        ASSERT_EQ(ok, c.value.has_value());
        EXPECT_EQ(result, ok ? *c.value : -7);
    }
    // What DateTimeToStr writes, StrToDateTime reads (to the second it shows).
    const TDateTime second = EncodeDateTime(2001, 5, 1, 14, 37, 9, 0);
    EXPECT_EQ(StrToDateTime(DateTimeToStr(second)), second);
}
