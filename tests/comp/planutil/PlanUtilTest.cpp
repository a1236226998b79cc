// The shared helpers: filter patterns (operators without precedence, comparisons by number,
// date and text, wildcards and negation), short dates in the locale's order, line-break
// escaping, month lengths, gradient bands, alignment flags and the date-time list.
#include "comp/planutil/PlanUtil.h"

#include "comp/planutil/DateTimeList.h"
#include "platform/core/Exceptions.h"
#include "platform/core/FormatSettings.h"
#include "platform/gfx/DrawFlags.h"
#include "support/CanvasImage.h"

#include <gtest/gtest.h>

namespace {

TFormatSettings dayMonthYear()
{
    TFormatSettings fs = TFormatSettings::Fixed();
    fs.ShortDateFormat = QStringLiteral("d/MM/yyyy");
    fs.DateSeparator = QLatin1Char('/');
    return fs;
}

struct FilterCase
{
    const char* pattern;
    const char* text;
    bool caseSensitive;
    bool expected;
};

TEST(MatchFilter, OperatorsComparisonsAndWildcards)
{
    TFormatSettingsGuard guard(dayMonthYear());
    const FilterCase cases[] = {
        {">5", "7", false, true},
        {">5", "3", false, false},
        {">5", "5", false, false},
        {">=5", "5", false, true},
        {"<10", "9", false, true},
        {"<=9", "9", false, true},
        // Numbers compare as numbers, not as text ("10" < "9" as text).
        {">9", "10", false, true},
        {">=1/05/2001", "1/05/2001", false, true},
        {">1/05/2001", "30/04/2001", false, false},
        {"<2/01/2001", "31/12/2000", false, true},
        // Neither numbers nor dates: character codes.
        {">abc", "abd", false, true},
        {"ab*", "ABC", false, true},
        {"ab*", "ABC", true, false},
        {"ab*", "abc", true, true},
        {"!ab*", "xyz", false, true},
        {"!ab*", "abc", false, false},
        {"a*;b*", "bee", false, true},
        {"a*^b*", "bee", false, true},
        {"a*&*e", "axe", false, true},
        {"a*&*e", "axo", false, false},
        // Left to right without precedence: (x or b*) and *z.
        {"x;b*&*z", "bee", false, false},
        {"x;b*&*e", "bee", false, true},
        // Spaces around operators belong to no term; the pattern is trimmed.
        {"  a* ; b*  ", "bee", false, true},
        {"?ee", "bee", false, true},
        {"?e", "bee", false, false},
        {"*", "", false, true},
        {"", "", false, true},
        {"", "x", false, false},
        {"a*b*c", "aXbYc", false, true},
        {"a*b*c", "aXbYd", false, false},
    };
    for (const FilterCase& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " / " + c.text);
        EXPECT_EQ(
            MatchFilter(QString::fromUtf8(c.pattern), QString::fromUtf8(c.text), c.caseSensitive),
            c.expected);
    }
}

TEST(MatchFilter, ManyStarsAgainstALongTextStaysQuick)
{
    // Trying every split of every star would take exponential time here.
    const QString pattern = QStringLiteral("*a*a*a*a*a*a*a*a*a*a*a*a*b");
    const QString text(4000, QLatin1Char('a'));
    EXPECT_FALSE(MatchFilter(pattern, text, true));
}

struct DateCase
{
    const char* format;
    QChar separator;
    const char* text;
    bool ok;
    int year, month, day;
};

TEST(ParseShortDate, FollowsTheLocaleOrderAndRejectsBadDates)
{
    const DateCase cases[] = {
        {"d/MM/yyyy", '/', "1/05/2001", true, 2001, 5, 1},
        {"d/MM/yyyy", '/', "31/13/2001", false, 0, 0, 0},
        {"d/MM/yyyy", '/', "29/02/2001", false, 0, 0, 0},
        {"d/MM/yyyy", '/', "29/02/2000", true, 2000, 2, 29},
        {"d/MM/yyyy", '/', "32/01/2001", false, 0, 0, 0},
        {"d/MM/yyyy", '/', "1/05", false, 0, 0, 0},
        {"d/MM/yyyy", '/', "1/05/2001/7", false, 0, 0, 0},
        {"d/MM/yyyy", '/', "a/05/2001", false, 0, 0, 0},
        {"d/MM/yyyy", '/', "", false, 0, 0, 0},
        {"M/d/yyyy", '/', "2/28/2001", true, 2001, 2, 28},
        {"M/d/yyyy", '/', "28/2/2001", false, 0, 0, 0},
        {"yyyy-mm-dd", '-', "2003-04-05", true, 2003, 4, 5},
        {"dd.mm.yyyy", '.', "05.04.2003", true, 2003, 4, 5},
    };
    for (const DateCase& c : cases) {
        SCOPED_TRACE(std::string(c.format) + " " + c.text);
        TFormatSettings fs = TFormatSettings::Fixed();
        fs.ShortDateFormat = QString::fromUtf8(c.format);
        fs.DateSeparator = c.separator;
        TFormatSettingsGuard guard(fs);
        TDateTime date = -1;
        ASSERT_EQ(ParseShortDate(QString::fromUtf8(c.text), date), c.ok);
        if (c.ok)
            EXPECT_EQ(date, EncodeDate(c.year, c.month, c.day));
        else
            EXPECT_EQ(date, -1);
    }
}

TEST(PlanUtil, EscapeLineBreaksAndDaysInMonth)
{
    EXPECT_EQ(EscapeLineBreaks(QStringLiteral("a\r\nb")), QStringLiteral("a\\nb"));
    EXPECT_EQ(EscapeLineBreaks(QStringLiteral("\n\n")), QString());
    EXPECT_EQ(EscapeLineBreaks(QStringLiteral("a\rb\rc")), QStringLiteral("a\\nb\\nc"));

    const int days2001[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int m = 1; m <= 12; ++m)
        EXPECT_EQ(DaysInMonth(m, 2001), days2001[m - 1]) << m;
    EXPECT_EQ(DaysInMonth(2, 1900), 28);
    EXPECT_EQ(DaysInMonth(2, 2000), 29);
    EXPECT_EQ(DaysInMonth(2, 2004), 29);
    EXPECT_EQ(DaysInMonth(13, 2004), 0);
}

TEST(PlanUtil, AlignmentFlags)
{
    EXPECT_EQ(HorzAlignFlag(TAlignment::taLeftJustify), 0u);
    EXPECT_EQ(HorzAlignFlag(TAlignment::taRightJustify), DT_RIGHT);
    EXPECT_EQ(HorzAlignFlag(TAlignment::taCenter), DT_CENTER);
    EXPECT_EQ(VertAlignFlag(TVAlignment::vtaTop), 0u);
    EXPECT_EQ(VertAlignFlag(TVAlignment::vtaCenter), DT_VCENTER);
    EXPECT_EQ(VertAlignFlag(TVAlignment::vtaBottom), DT_BOTTOM);
}

TEST(GradientFill, BandsStepFromStartTowardEnd)
{
    // 4 bands over 10 pixels: starts at round(i * 2.5) = 0, 2, 5, 8 (halves to even), each
    // trunc(2.5) + 1 = 3 thick, so a later band covers the last pixel of the one before.
    CanvasImage img(20, 10);
    GradientFill(img.Canvas(), RGB(0, 0, 0), RGB(200, 100, 40), true, {0, 0, 10, 10}, 4);
    const TColor band[4] = {RGB(0, 0, 0), RGB(50, 25, 10), RGB(100, 50, 20), RGB(150, 75, 30)};
    const int expected[10] = {0, 0, 1, 1, 1, 2, 2, 2, 3, 3};
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(img.Pixel(x, 5), band[expected[x]]) << x;
    EXPECT_EQ(img.Pixel(10, 5), clWhite);
}

TEST(GradientFill, HorizontalStripsAndToolsPutBack)
{
    CanvasImage img(10, 20);
    TCanvas& c = img.Canvas();
    c.Brush().SetColor(clAqua);
    c.Pen().SetColor(clFuchsia);
    GradientFill(c, clBlack, clWhite, false, {0, 0, 10, 20}, 0);
    // Zero steps is one band in the start colour.
    EXPECT_EQ(img.Count(clBlack), 200);
    EXPECT_EQ(c.Brush().Color(), clAqua);
    EXPECT_EQ(c.Pen().Color(), clFuchsia);

    CanvasImage two(10, 20);
    GradientFill(two.Canvas(), clBlack, RGB(100, 100, 100), false, {0, 0, 10, 20}, 2);
    EXPECT_EQ(two.Pixel(5, 0), clBlack);
    EXPECT_EQ(two.Pixel(5, 19), RGB(50, 50, 50));
}

TEST(DateTimeList, AddGetDeleteClear)
{
    TDateTimeList list;
    list.Add(1.5);
    list.Add(2.25);
    list.Add(3.0);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Items(1), 2.25);
    list.Delete(0);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Items(0), 2.25);
    EXPECT_THROW(list.Items(2), EListError);
    EXPECT_THROW(list.Delete(-1), EListError);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

} // namespace
