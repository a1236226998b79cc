// The typed edit's value model: classification of texts, writing values per type, the number
// accessors, precision and type changes, money grouping, mixed case and link detection, and
// the pure helpers checked against a plain model.
#include "NuvEditFixture.h"
#include "comp/NuvEdit/ValueText.h"

namespace {

using ET = TNuvEditType;

TEST(NuvEditValueText, Classification)
{
    struct Case
    {
        const char* text;
        TValueKind kind;
    } cases[] = {
        {"", TValueKind::vkOther},       {"123", TValueKind::vkInteger},
        {"-123", TValueKind::vkInteger}, {"-", TValueKind::vkOther},
        {"1-2", TValueKind::vkOther},    {"--1", TValueKind::vkOther},
        {"1.5", TValueKind::vkDecimal},  {"1,234.5", TValueKind::vkDecimal},
        {"1,2,3", TValueKind::vkOther},  {"1.2.3", TValueKind::vkOther},
        {"ff", TValueKind::vkHex},       {"-FF", TValueKind::vkHex},
        {"fg", TValueKind::vkOther},     {"12a", TValueKind::vkHex},
        {"1 2", TValueKind::vkOther},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ClassifyValue(QString::fromUtf8(c.text)), c.kind);
    }
}

TEST(NuvEditValueText, MoneyRegroupingMatchesAPlainModel)
{
    const TFormatSettings& fs = FormatSettings();
    // Reference: group the digits of a whole number by hand.
    auto model = [](long long n) {
        QString digits = QString::number(n < 0 ? -n : n);
        for (qsizetype i = digits.size() - 3; i > 0; i -= 3)
            digits.insert(i, u',');
        return (n < 0 ? QStringLiteral("-") : QString()) + digits;
    };
    for (long long n : {0LL, 7LL, 999LL, 1000LL, 123456LL, 1234567LL, -9876543210LL}) {
        SCOPED_TRACE(n);
        EXPECT_EQ(RegroupMoney(QString::number(n), true, fs), model(n));
        EXPECT_EQ(RegroupMoney(model(n), false, fs), QString::number(n));
    }
    EXPECT_EQ(RegroupMoney(QStringLiteral("0012,34.5"), true, fs), QStringLiteral("1,234.5"));
    EXPECT_EQ(RegroupMoney(QStringLiteral("."), true, fs), QStringLiteral("0."));
    // Long values keep every digit.
    EXPECT_EQ(RegroupMoney(QStringLiteral("12345678901234567890"), true, fs),
              QStringLiteral("12,345,678,901,234,567,890"));
}

TEST(NuvEditValueText, MixedCaseRules)
{
    const std::pair<const char*, const char*> cases[] = {
        {"mcguffin o'clock", "McGuffin O'clock"},
        {"volume ii", "Volume II"},
        {"volume iii", "Volume III"},
        {"macdonald", "MacDonald"},
        {"old mcdonald", "Old McDonald"},
        {"a/b:c[d]e\\f", "A/B:C[D]E\\F"},
        {"ii iI", "Ii II"},
        {"", ""},
    };
    for (const auto& [in, out] : cases) {
        SCOPED_TRACE(in);
        EXPECT_EQ(MixedCase(QString::fromUtf8(in)), QString::fromUtf8(out));
    }
}

TEST(NuvEditValueText, LinkLikeTexts)
{
    const std::pair<const char*, bool> cases[] = {
        {"www.example.com", true}, {"WWW.x", true}, {"a@b", true},    {"@b", false},
        {"http://x", true},        {"x://", true},  {"plain", false}, {"", false},
    };
    for (const auto& [text, link] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(LooksLikeLink(QString::fromUtf8(text)), link);
    }
}

class NuvEditValue : public NuvEditFixture
{};

TEST_F(NuvEditValue, WritingPerType)
{
    struct Case
    {
        ET type;
        int precision;
        const char* written;
        const char* value;
    } cases[] = {
        {ET::etNumeric, 0, "12a", "0"},
        {ET::etNumeric, 0, "-42", "-42"},
        {ET::etNumeric, 0, "1.5", "0"},
        {ET::etNumeric, 0, "", ""},
        {ET::etFloat, 0, "1.5", "1.5"},
        {ET::etFloat, 2, "3", "3.00"},
        {ET::etFloat, 2, "abc", "0.00"},
        {ET::etFloat, 2, "1,234.567", "1234.57"},
        {ET::etMoney, 2, "1234567", "1,234,567.00"},
        {ET::etMoney, 0, "x", "0"},
        {ET::etHex, 0, "ff", "FF"},
        {ET::etHex, 0, "fz", "0"},
        {ET::etString, 2, "anything", "anything"},
        {ET::etRange, 0, "1-5", "1-5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.written) + " as type " + std::to_string(int(c.type)));
        edit->SetPrecision(0);
        edit->SetEditType(c.type);
        edit->SetPrecision(c.precision);
        edit->SetValueModified(true);
        edit->SetText(QString::fromUtf8(c.written));
        EXPECT_EQ(edit->Text(), QString::fromUtf8(c.value));
        EXPECT_FALSE(edit->IsValueModified());
    }
}

TEST_F(NuvEditValue, FloatValueAndSetters)
{
    edit->SetEditType(ET::etHex);
    edit->SetText(QStringLiteral("ff"));
    EXPECT_EQ(edit->FloatValue(), 255.0);
    edit->SetIntValue(-255);
    EXPECT_EQ(edit->Text(), QStringLiteral("-FF"));
    EXPECT_EQ(edit->FloatValue(), -255.0);
    EXPECT_TRUE(edit->IsValueModified());
    edit->SetFloatValue(31.9);
    EXPECT_EQ(edit->Text(), QStringLiteral("1F"));

    edit->SetEditType(ET::etMoney);
    edit->SetPrecision(2);
    edit->SetFloatValue(1234567.891);
    EXPECT_EQ(edit->Text(), QStringLiteral("1,234,567.89"));
    EXPECT_DOUBLE_EQ(edit->FloatValue(), 1234567.89);
    edit->SetText(QString());
    EXPECT_EQ(edit->FloatValue(), 0.0);

    edit->SetPrecision(0);
    edit->SetFloatValue(2.5);
    EXPECT_EQ(edit->Text(), QStringLiteral("2.5"));
    edit->SetIntValue(1234567);
    EXPECT_EQ(edit->Text(), QStringLiteral("1,234,567"));

    edit->SetEditType(ET::etNumeric);
    edit->SetFloatValue(1234.0);
    EXPECT_EQ(edit->Text(), QStringLiteral("1234")) << "a whole number stays an integer";
    EXPECT_EQ(edit->FloatValue(), 1234.0);

    edit->SetEditType(ET::etString);
    edit->SetText(QStringLiteral("12"));
    EXPECT_EQ(edit->FloatValue(), 0.0);
}

TEST_F(NuvEditValue, NonNumbersNeverReachTheText)
{
    edit->SetEditType(ET::etFloat);
    edit->SetPrecision(2);
    edit->SetFloatValue(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(edit->Text(), QStringLiteral("0.00"));
    edit->SetFloatValue(1e300);
    EXPECT_EQ(edit->Text(), QStringLiteral("0.00"));
}

TEST_F(NuvEditValue, LargeWholeNumbersInTheGeneralFormat)
{
    // The general format turns to an exponent from 1E15 up, which no number type takes.
    edit->SetEditType(ET::etFloat);
    edit->SetPrecision(-1);
    edit->SetFloatValue(5e15);
    EXPECT_EQ(edit->Text(), QStringLiteral("5000000000000000"));
    EXPECT_DOUBLE_EQ(edit->FloatValue(), 5e15);
    edit->SetFloatValue(-2.5);
    EXPECT_EQ(edit->Text(), QStringLiteral("-2.5"));

    edit->SetEditType(ET::etMoney);
    edit->SetPrecision(0);
    edit->SetFloatValue(1234567890123456.0);
    EXPECT_EQ(edit->Text(), QStringLiteral("1,234,567,890,123,456"));
    EXPECT_DOUBLE_EQ(edit->FloatValue(), 1234567890123456.0);
}

TEST_F(NuvEditValue, PrecisionAndTypeChanges)
{
    edit->SetEditType(ET::etFloat);
    edit->SetText(QStringLiteral("2.5"));
    edit->SetPrecision(3);
    EXPECT_EQ(edit->Text(), QStringLiteral("2.500"));
    edit->SetPrecision(1);
    EXPECT_EQ(edit->Text(), QStringLiteral("2.5"));

    edit->SetEditType(ET::etNumeric);
    EXPECT_EQ(edit->Text(), QStringLiteral("0"));
    edit->SetEditType(ET::etString);
    edit->SetText(QStringLiteral("ab"));
    edit->SetEditType(ET::etHex);
    EXPECT_EQ(edit->Text(), QStringLiteral("ab"));
    edit->SetEditType(ET::etFloat);
    EXPECT_EQ(edit->Text(), QStringLiteral("0"));

    // An empty value suits no number type.
    const ET numberTypes[] = {ET::etNumeric, ET::etFloat, ET::etMoney, ET::etHex};
    for (ET t : numberTypes) {
        SCOPED_TRACE(int(t));
        edit->SetEditType(ET::etString);
        edit->SetText(QString());
        edit->SetEditType(t);
        EXPECT_EQ(edit->Text(), QStringLiteral("0"));
    }
    edit->SetEditType(ET::etString);
    edit->SetText(QString());
    edit->SetEditType(ET::etRange);
    EXPECT_EQ(edit->Text(), QString());

    edit->SetEditType(ET::etPassword);
    EXPECT_EQ(edit->echoMode(), QLineEdit::Password);
    edit->SetText(QStringLiteral("abc"));
    EXPECT_EQ(edit->displayText(), QStringLiteral("***"));
    EXPECT_FALSE(edit->CanUndo());
    edit->SetCanUndo(true);
    EXPECT_FALSE(edit->CanUndo());
    edit->SetEditType(ET::etString);
    EXPECT_EQ(edit->echoMode(), QLineEdit::Normal);
}

TEST_F(NuvEditValue, AutoThousandSeparatorRegroups)
{
    edit->SetEditType(ET::etMoney);
    type(QStringLiteral("1234567"));
    edit->SetAutoThousandSeparator(false);
    EXPECT_EQ(edit->Text(), QStringLiteral("1234567"));
    edit->SetAutoThousandSeparator(true);
    EXPECT_EQ(edit->Text(), QStringLiteral("1,234,567"));
}

TEST_F(NuvEditValue, PrefixAndSuffixKeepTheValue)
{
    edit->SetText(QStringLiteral("42"));
    edit->SetPrefix(QStringLiteral("$ "));
    edit->SetSuffix(QStringLiteral(" net"));
    EXPECT_EQ(shown(), QStringLiteral("$ 42 net"));
    EXPECT_EQ(edit->Text(), QStringLiteral("42"));
    edit->SetPrefix(QStringLiteral("EUR "));
    EXPECT_EQ(shown(), QStringLiteral("EUR 42 net"));
}

} // namespace
