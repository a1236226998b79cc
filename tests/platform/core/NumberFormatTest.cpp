// Format specifiers, general number texts and number parsing, with the English settings
// pinned and a comma-decimal locale beside them.
#include "platform/core/NumberFormat.h"

#include "platform/core/Exceptions.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <optional>

namespace {

TFormatSettings commaDecimal()
{
    TFormatSettings s = TFormatSettings::Fixed();
    s.DecimalSeparator = u',';
    s.ThousandSeparator = u'.';
    return s;
}

class NumberFormatTest : public ::testing::Test
{
protected:
    TFormatSettingsGuard m_settings{TFormatSettings::Fixed()};
};

// Each case is formatted where the table is built: the arguments keep their own types.
struct Case
{
    QString got;
    const char* expected;
};

void expectAll(const Case* begin, const Case* end)
{
    for (const Case* c = begin; c != end; ++c) {
        SCOPED_TRACE(c->expected);
        EXPECT_EQ(c->got, c->expected);
    }
}

} // namespace

TEST_F(NumberFormatTest, Integers)
{
    const Case cases[] = {
        {Format("%d", 42), "42"},
        {Format("%d", -7), "-7"},
        {Format("%.2d", 5), "05"},
        {Format("%.2d", 123), "123"},
        {Format("%.3d", -5), "-005"},
        {Format("%.2d", 0), "00"},
        {Format("%d", std::numeric_limits<std::int64_t>::min()), "-9223372036854775808"},
        {Format("%d", std::numeric_limits<std::uint64_t>::max()), "18446744073709551615"},
        {Format("%5d|%-5d|", 42, 42), "   42|42   |"},
        {Format("%x", 255), "FF"},
        {Format("%.4x", 255), "00FF"},
        {Format("%x", -1), "FFFFFFFF"},
        {Format("%x", std::int64_t(-1)), "FFFFFFFFFFFFFFFF"},
        {Format("%x", short(-2)), "FFFE"},
    };
    expectAll(std::begin(cases), std::end(cases));
}

TEST_F(NumberFormatTest, TextsAndArgumentOrder)
{
    const Case cases[] = {
        {Format("%s%s%s", "12", QChar(u':'), QString("30")), "12:30"},
        {Format("%s %s", "12:30", "PM"), "12:30 PM"},
        {Format("%.2s|%4s|%-4s|", "abcdef", "ab", "ab"), "ab|  ab|ab  |"},
        {Format("100%%"), "100%"},
        {Format("%1:s %0:s", "a", "b"), "b a"},
        {Format("%1:s %s %0:s %s", "a", "b", "c"), "b c a b"},
        {Format("no specifiers", 1, 2), "no specifiers"},
        {Format("%s", "\u00e9t\u00e9"), "\u00e9t\u00e9"},
    };
    expectAll(std::begin(cases), std::end(cases));
}

TEST_F(NumberFormatTest, FixedDecimals)
{
    const Case cases[] = {
        {Format("%f", 2.5), "2.50"},
        {Format("%.3f", 3.14159), "3.142"},
        {Format("%.0f", 1234.5), "1235"},
        // Halves of the decimal text round away from zero, even where the double is a
        // hair below the half.
        {Format("%.2f", 2.675), "2.68"},
        {Format("%.2f", 1.005), "1.01"},
        {Format("%.0f", 0.5), "1"},
        {Format("%.0f", 2.5), "3"},
        {Format("%.0f", -2.5), "-3"},
        {Format("%.1f", 0.05), "0.1"},
        {Format("%.1f", 0.04), "0.0"},
        {Format("%.2f", 9.995), "10.00"},
        {Format("%.2f", -0.001), "0.00"}, // no "-0.00"
        {Format("%.2f", 0.0), "0.00"},
        {Format("%.2f", 1e-10), "0.00"},
        {Format("%f", 3), "3.00"},
        {Format("%.2f", 1e20), "100000000000000000000.00"},
        {Format("%.20f", 0.1), "0.10000000000000000000"},
        {Format("%.2f", std::numeric_limits<double>::infinity()), "INF"},
        {Format("%.2f", std::nan("")), "NAN"},
    };
    expectAll(std::begin(cases), std::end(cases));
}

TEST_F(NumberFormatTest, ThousandSeparators)
{
    const Case cases[] = {
        {Format("%n", 1234567.891), "1,234,567.89"},
        {Format("%.0n", 1234567.891), "1,234,568"},
        {Format("%.2n", -1234567.891), "-1,234,567.89"},
        {Format("%.0n", -1000), "-1,000"},
        {Format("%n", 999.999), "1,000.00"},
        {Format("%n", 100), "100.00"},
        {Format("%.3n", 0.5), "0.500"},
        {Format("%n", 1234567), "1,234,567.00"},
        {Format("%.0n", std::numeric_limits<std::int64_t>::max()), "9,223,372,036,854,775,807"},
        {Format("%.0n", 123456), "123,456"},
    };
    expectAll(std::begin(cases), std::end(cases));
}

TEST_F(NumberFormatTest, General)
{
    const Case cases[] = {
        {Format("%g", 2.5), "2.5"},
        {Format("%g", 0.1), "0.1"},
        {Format("%g", 100), "100"},
        {Format("%g", 1e20), "1E20"},
        {Format("%g", 1.5e-5), "1.5E-5"},
        {Format("%g", -0.0001), "-0.0001"},
        {Format("%g", 123456789012345.0), "123456789012345"},
        {Format("%g", 1e15), "1E15"},
        {Format("%.3g", 1234), "1.23E3"},
        {Format("%.3g", 3.14159), "3.14"},
        {Format("%.3g", 0.0012345), "0.00123"},
        {Format("%.2g", 9.96), "10"},
    };
    expectAll(std::begin(cases), std::end(cases));
}

TEST_F(NumberFormatTest, SeparatorsComeFromTheSettings)
{
    const TFormatSettings comma = commaDecimal();
    TFormatSettings ungrouped = TFormatSettings::Fixed();
    ungrouped.ThousandSeparator = QChar();
    const Case cases[] = {
        {Format(comma, "%.2n", 1234567.891), "1.234.567,89"},
        {Format(comma, "%g", 2.5), "2,5"},
        {Format(comma, "%.1f", 2.5), "2,5"},
        {Format(comma, "%g", 1.5e-5), "1,5E-5"},
        {Format(ungrouped, "%n", 1234567), "1234567.00"},
        {FloatToStr(1234.5, comma), "1234,5"},
    };
    expectAll(std::begin(cases), std::end(cases));

    FormatSettings().DecimalSeparator = u',';
    EXPECT_EQ(Format("%.1f", 2.5), "2,5");
    EXPECT_EQ(FloatToStr(2.5), "2,5");
}

TEST_F(NumberFormatTest, BadSpecifiersAndArgumentsRaise)
{
    const std::function<QString()> cases[] = {
        [] { return Format("%d", 2.5); },  [] { return Format("%d", "12"); },
        [] { return Format("%x", 2.5); },  [] { return Format("%s", 5); },
        [] { return Format("%f", "x"); },  [] { return Format("%g", QString("1")); },
        [] { return Format("%d %d", 1); }, [] { return Format("%d"); },
        [] { return Format("%2:d", 1); },  [] { return Format("%q", 1); },
        [] { return Format("50%", 1); },   [] { return Format("%.f", 1.0); },
        [] { return Format("%5", 1); },    [] { return Format("%.99999f", 1.0); },
    };
    int index = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(index++);
        EXPECT_THROW(c(), EConvertError);
    }

    try {
        Format("%d of %s", 5, 6);
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(),
                  "Format \"%d of %s\": argument 2 is an integer, which \"%s\" cannot show");
    }
}

TEST_F(NumberFormatTest, FloatToStrGivesTheShortestGeneralText)
{
    struct FloatCase
    {
        double value;
        const char* expected;
    };
    const FloatCase cases[] = {
        {0, "0"},
        {-0.0, "0"},
        {0.1, "0.1"},
        {0.1 + 0.2, "0.3"},
        {2.5, "2.5"},
        {-2.5, "-2.5"},
        {100, "100"},
        {123.456, "123.456"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {1e14, "100000000000000"},
        {999999999999999.0, "999999999999999"},
        {1e15, "1E15"},
        {1e20, "1E20"},
        {-1.25e100, "-1.25E100"},
        {0.0001, "0.0001"},
        {1e-5, "1E-5"},
        {1.5e-7, "1.5E-7"},
        {std::numeric_limits<double>::quiet_NaN(), "NAN"},
        {std::numeric_limits<double>::infinity(), "INF"},
        {-std::numeric_limits<double>::infinity(), "-INF"},
    };
    for (const FloatCase& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(FloatToStr(c.value), c.expected);
    }
}

TEST_F(NumberFormatTest, StrToFloatReadsTheLocalesDecimals)
{
    struct ParseCase
    {
        const char* text;
        std::optional<double> value;
    };
    const ParseCase point[] = {
        {"2.5", 2.5},
        {" -2.5 ", -2.5},
        {"+3", 3.0},
        {"1E3", 1000.0},
        {"1.5e-3", 0.0015},
        {".5", 0.5},
        {"5.", 5.0},
        {"007", 7.0},
        {"", std::nullopt},
        {"abc", std::nullopt},
        {"2,5", std::nullopt},
        {"1,000", std::nullopt},
        {"2.5.1", std::nullopt},
        {"1e", std::nullopt},
        {"--1", std::nullopt},
        {"1e400", std::nullopt},
        {"-", std::nullopt},
        {".", std::nullopt},
        {"2.5x", std::nullopt},
        {"- 1", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
        {"0x10", std::nullopt},
    };
    for (const ParseCase& c : point) {
        SCOPED_TRACE(c.text);
        double result = -7;
        ASSERT_EQ(TryStrToFloat(c.text, result), c.value.has_value());
        EXPECT_EQ(result, c.value.value_or(-7));
        if (!c.value) {
            EXPECT_THROW(StrToFloat(c.text), EConvertError);
        }
    }
    double result = 0;
    EXPECT_TRUE(TryStrToFloat("2,5", result, commaDecimal()));
    EXPECT_EQ(result, 2.5);
    EXPECT_FALSE(TryStrToFloat("2.5", result, commaDecimal()));
    // What FloatToStr writes reads back, in either locale.
    for (double v : {0.1, -2.5, 1e20, 1.5e-7, 123456789.125, -0.0001}) {
        SCOPED_TRACE(v);
        EXPECT_EQ(StrToFloat(FloatToStr(v)), v);
        EXPECT_EQ(StrToFloat(FloatToStr(v, commaDecimal()), commaDecimal()), v);
    }
    try {
        StrToFloat("abc");
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'abc' is not a valid floating point value");
    }
}

TEST_F(NumberFormatTest, IntegerTexts)
{
    struct IntCase
    {
        const char* text;
        std::optional<int> value;
    };
    const IntCase cases[] = {
        {"42", 42},
        {" -42 ", -42},
        {"+7", 7},
        {"$FF", 255},
        {"0x1f", 31},
        {"-$10", -16},
        {"2147483647", 2147483647},
        {"-2147483648", std::numeric_limits<int>::min()},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"", std::nullopt},
        {"4.5", std::nullopt},
        {"abc", std::nullopt},
        {"12a", std::nullopt},
        {"- 4", std::nullopt},
        {"$", std::nullopt},
        {"0x", std::nullopt},
        {"99999999999999999999999", std::nullopt},
    };
    for (const IntCase& c : cases) {
        SCOPED_TRACE(c.text);
        int result = -7;
        ASSERT_EQ(TryStrToInt(c.text, result), c.value.has_value());
        EXPECT_EQ(result, c.value.value_or(-7));
        if (!c.value) {
            EXPECT_THROW(StrToInt(c.text), EConvertError);
        }
    }
    EXPECT_EQ(StrToInt64("9223372036854775807"), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(StrToInt64("-9223372036854775808"), std::numeric_limits<std::int64_t>::min());
    EXPECT_THROW(StrToInt64("9223372036854775808"), EConvertError);

    EXPECT_EQ(IntToStr(-123), "-123");
    EXPECT_EQ(IntToStr(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
    EXPECT_EQ(IntToHex(255, 2), "FF");
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    EXPECT_EQ(IntToHex(0, 0), "0");
    EXPECT_EQ(IntToHex(0x12345, 2), "12345");
    EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFF");
    EXPECT_EQ(IntToHex(std::int64_t(-1), 0), "FFFFFFFFFFFFFFFF");
}
