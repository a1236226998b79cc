// Locale settings: Qt's patterns translated into ours for real locales, the translated
// settings driving the formatter and the parser, and the guard that pins the global ones.
#include "platform/core/FormatSettings.h"

#include "platform/core/DateFormat.h"
#include "platform/core/NumberFormat.h"

#include <gtest/gtest.h>

TEST(FormatSettingsTest, FixedIsUnitedStatesEnglish)
{
    const TFormatSettings s = TFormatSettings::Fixed();
    EXPECT_EQ(s.ShortDateFormat, "M/d/yyyy");
    EXPECT_EQ(s.LongDateFormat, "dddd, mmmm d, yyyy");
    EXPECT_EQ(s.ShortTimeFormat, "h:nn AMPM");
    EXPECT_EQ(s.LongTimeFormat, "h:nn:ss AMPM");
    EXPECT_EQ(s.ShortDayNames[0], "Sun");
    EXPECT_EQ(s.LongDayNames[6], "Saturday");
    EXPECT_EQ(s.ShortMonthNames[0], "Jan");
    EXPECT_EQ(s.LongMonthNames[11], "December");
    EXPECT_EQ(s.TimeAMString, "AM");
    EXPECT_EQ(s.TimePMString, "PM");
}

// Qt 6.4's locale data; the translation is what is under test.
TEST(FormatSettingsTest, TranslatesQtLocalePatterns)
{
    struct Case
    {
        const char* locale;
        const char* shortDate;
        const char* longDate;
        char16_t dateSep;
        const char* shortTime;
        const char* longTime;
        char16_t timeSep;
        char16_t decimal;
    };
    const Case cases[] = {
        {"en_US", "m/d/yy", "dddd, mmmm d, yyyy", u'/', "h:nn ampm", "h:nn:ss ampm", u':', u'.'},
        {"en_GB", "dd/mm/yyyy", "dddd, d mmmm yyyy", u'/', "hh:nn", "hh:nn:ss", u':', u'.'},
        {"de_DE", "dd/mm/yy", "dddd, d. mmmm yyyy", u'.', "hh:nn", "hh:nn:ss", u':', u','},
        {"fi_FI", "d/m/yyyy", "dddd d. mmmm yyyy", u'.', "h:nn", "h:nn:ss", u'.', u','},
        {"nl_NL", "dd/mm/yyyy", "dddd d mmmm yyyy", u'-', "hh:nn", "hh:nn:ss", u':', u','},
        {"ko_KR", "yy/ m/ d/", "yyyy\ub144 m\uc6d4 d\uc77c dddd", u'.', "ampm h:nn",
         "ampm h\uc2dc n\ubd84 s\ucd08", u':', u'.'},
        // No separator in the short date: "/" is assumed for typing dates.
        {"C", "d mmm yyyy", "dddd, d mmmm yyyy", u'/', "hh:nn:ss", "hh:nn:ss", u':', u'.'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale);
        const TFormatSettings s = TFormatSettings::FromLocale(QLocale(c.locale));
        EXPECT_EQ(s.ShortDateFormat, c.shortDate);
        EXPECT_EQ(s.LongDateFormat, c.longDate);
        EXPECT_EQ(s.DateSeparator, QChar(c.dateSep));
        EXPECT_EQ(s.ShortTimeFormat, c.shortTime);
        EXPECT_EQ(s.LongTimeFormat, c.longTime);
        EXPECT_EQ(s.TimeSeparator, QChar(c.timeSep));
        EXPECT_EQ(s.DecimalSeparator, QChar(c.decimal));
    }
}

TEST(FormatSettingsTest, NamesStartOnSunday)
{
    const TFormatSettings s = TFormatSettings::FromLocale(QLocale("en_US"));
    EXPECT_EQ(s.ShortDayNames[0], "Sun");
    EXPECT_EQ(s.ShortDayNames[1], "Mon");
    EXPECT_EQ(s.LongDayNames[6], "Saturday");
    EXPECT_EQ(s.ShortMonthNames[0], "Jan");
    EXPECT_EQ(s.LongMonthNames[11], "December");
    EXPECT_EQ(s.TimeAMString, "AM");
    EXPECT_EQ(s.ThousandSeparator, u',');
}

// The translated settings are only useful if formatter and parser agree with the locale.
TEST(FormatSettingsTest, TranslatedLocalesFormatAndParseLikeTheLocale)
{
    TFixedClock clock(EncodeDate(2025, 6, 15));
    const TDateTime afternoon = EncodeDateTime(2001, 5, 1, 14, 37, 9, 0);
    struct Case
    {
        const char* locale;
        const char* shortDate;
        const char* shortTime;
        const char* money;
    };
    const Case cases[] = {
        {"en_US", "5/1/01", "2:37 PM", "1,234.50"},
        {"de_DE", "01.05.01", "14:37", "1.234,50"},
        {"fi_FI", "1.5.2001", "14.37", "1\u00a0234,50"},
        {"ko_KR", "01. 5. 1.", "\uc624\ud6c4 2:37", "1,234.50"},
        {"ja_JP", "2001/05/01", "14:37", "1,234.50"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale);
        const TFormatSettings s = TFormatSettings::FromLocale(QLocale(c.locale));
        EXPECT_EQ(DateToStr(afternoon, s), c.shortDate);
        EXPECT_EQ(FormatDateTime("t", afternoon, s), c.shortTime);
        EXPECT_EQ(Format(s, "%.2n", 1234.5), c.money);
        EXPECT_EQ(StrToDate(c.shortDate, s), EncodeDate(2001, 5, 1));
        EXPECT_EQ(StrToTime(c.shortTime, s), EncodeTime(14, 37, 0, 0));
    }
    // Non-Latin letters in a pattern are text, not specifiers.
    const TFormatSettings ja = TFormatSettings::FromLocale(QLocale("ja_JP"));
    EXPECT_EQ(FormatDateTime("dddddd", afternoon, ja),
              "2001\u5e745\u67081\u65e5\u706b\u66dc\u65e5");
}

TEST(FormatSettingsTest, GuardPinsTheGlobalSettingsAndPutsThemBack)
{
    // The test program pins the fixed settings before any test runs.
    ASSERT_EQ(FormatSettings(), TFormatSettings::Fixed());
    TFormatSettings comma = TFormatSettings::Fixed();
    comma.DecimalSeparator = u',';
    {
        TFormatSettingsGuard outer(comma);
        EXPECT_EQ(FloatToStr(2.5), "2,5");
        {
            TFormatSettingsGuard inner(TFormatSettings::FromLocale(QLocale("de_DE")));
            EXPECT_EQ(DateToStr(EncodeDate(2001, 5, 1)), "01.05.01");
        }
        EXPECT_EQ(FormatSettings(), comma);
        // Changes made under a guard are undone with it as well.
        FormatSettings().ShortDateFormat = QStringLiteral("yyyy");
    }
    EXPECT_EQ(FormatSettings(), TFormatSettings::Fixed());
}
