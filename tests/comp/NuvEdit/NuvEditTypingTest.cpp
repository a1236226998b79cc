// Typed characters per edit type: what a sequence of key presses leaves as the window text,
// the caret and the selection, from the decimal rules with a precision to money grouping,
// signs with a prefix, ranges, hexadecimal, letter case and the length limit.
#include "NuvEditFixture.h"
#include "comp/NuvEdit/ValueText.h"

namespace {

using ET = TNuvEditType;

struct TypingCase
{
    const char* name;
    ET type;
    int precision;
    bool isSigned;
    const char* prefix;
    const char* suffix;
    const char* initial; // written with SetText; nullptr for none
    int caret;           // window position before typing; -1 = end of the value
    const char* keys;    // "\b" is Backspace, "\x01" the Left arrow
    const char* expected;
    int expectedCaret;
    int expectedSelection = 0;
};

class NuvEditTyping : public NuvEditFixture
{};

TEST_F(NuvEditTyping, KeySequencesPerType)
{
    const TypingCase cases[] = {
        // Decimals with a precision.
        {"float writes with precision", ET::etFloat, 2, false, "", "", "3", 1, "", "3.00", 1},
        {"float dot jumps over separator", ET::etFloat, 2, false, "", "", "3", 1, ".", "3.00", 2},
        {"float digit overwrites decimal", ET::etFloat, 2, false, "", "", "3", 2, "5", "3.50", 3},
        {"float two digits overwrite", ET::etFloat, 2, false, "", "", "3", 2, "57", "3.57", 4},
        {"float digit at end refused", ET::etFloat, 2, false, "", "", "3", 4, "9", "3.00", 4},
        {"float second separator refused", ET::etFloat, 2, false, "", "", "3", 4, ".", "3.00", 2},
        {"float separator into empty", ET::etFloat, 2, false, "", "", nullptr, 0, ".5", "0.5", 3},
        {"float separator before too many digits", ET::etFloat, 2, false, "", "", nullptr, 0,
         "123\x01\x01\x01.", "123", 0},
        {"float separator before precision digits", ET::etFloat, 2, false, "", "", nullptr, 0,
         "123\x01\x01.", "1.23", 2},
        {"float precision 0 no separator", ET::etFloat, 0, false, "", "", nullptr, 0, "1.5", "15",
         2},
        {"float letters refused", ET::etFloat, 2, false, "", "", nullptr, 0, "1a2", "12", 2},
        {"float minus unsigned refused", ET::etFloat, 2, false, "", "", nullptr, 0, "-1", "1", 1},
        {"float minus signed toggles", ET::etFloat, 2, true, "", "", nullptr, 0, "12-", "-12", 3},
        {"float semicolon refused", ET::etFloat, 2, false, "", "", nullptr, 0, "1;2", "12", 2},
        // Money.
        {"money groups while typing", ET::etMoney, 2, false, "", "", nullptr, 0, "1234567",
         "1,234,567", 9},
        {"money keeps caret from end", ET::etMoney, 2, false, "", "", nullptr, 0, "1234\b", "123",
         3},
        {"money decimals kept", ET::etMoney, 2, false, "", "", nullptr, 0, "1234.5", "1,234.5", 7},
        {"money signed", ET::etMoney, 0, true, "", "", nullptr, 0, "-1234", "-1,234", 6},
        {"money with prefix", ET::etMoney, 0, false, "$", "", nullptr, 1, "12345", "$12,345", 7},
        // Whole numbers and the sign.
        {"numeric unsigned drops minus", ET::etNumeric, 0, false, "", "", nullptr, 0, "1-2", "12",
         2},
        {"numeric signed prefix toggles", ET::etNumeric, 0, true, "$", "", "12", -1, "-", "$-12",
         4},
        {"numeric signed toggles back", ET::etNumeric, 0, true, "$", "", "12", -1, "--", "$12", 3},
        {"numeric letters refused", ET::etNumeric, 0, false, "", "", nullptr, 0, "1x2.3", "123", 3},
        {"numeric no digit before sign", ET::etNumeric, 0, true, "", "", "-5", 0, "7", "-5", 0},
        {"numeric backspace stops at prefix", ET::etNumeric, 0, false, "$", "", "1", -1, "\b\b\b",
         "$", 1},
        // Ranges.
        {"range typed", ET::etRange, 0, false, "", "", nullptr, 0, "1-5,8", "1-5,8", 5},
        {"range double separator", ET::etRange, 0, false, "", "", nullptr, 0, "1--;5", "1-5", 3},
        {"range leading separator", ET::etRange, 0, false, "", "", nullptr, 0, ",1", "1", 1},
        {"range letters refused", ET::etRange, 0, false, "", "", nullptr, 0, "1a;2", "1;2", 3},
        // Hexadecimal and other sets.
        {"hex typed", ET::etHex, 0, false, "", "", nullptr, 0, "1fG", "1f", 2},
        {"hex sign only in front", ET::etHex, 0, false, "", "", nullptr, 0, "-a-", "-a", 2},
        {"alphanumeric", ET::etAlphaNumeric, 0, false, "", "", nullptr, 0, "a-b 1_", "ab1", 3},
        {"upper case", ET::etUppercase, 0, false, "", "", nullptr, 0, "abc d", "ABC D", 5},
        {"lower case", ET::etLowerCase, 0, false, "", "", nullptr, 0, "AbC D", "abc d", 5},
        {"mixed case names", ET::etMixedCase, 0, false, "", "", nullptr, 0, "mcguffin o'clock",
         "McGuffin O'clock", 16},
        {"mixed case numerals", ET::etMixedCase, 0, false, "", "", nullptr, 0, "volume ii",
         "Volume II", 9},
        {"mixed case separators", ET::etMixedCase, 0, false, "", "", nullptr, 0, "JOHN-PAUL(x)",
         "John-Paul(X)", 12},
        {"string takes everything", ET::etString, 0, false, "", "", nullptr, 0, "a-1.;", "a-1.;",
         5},
        // Suffix: typing stays in the value.
        {"suffix stays behind value", ET::etNumeric, 0, false, "", " kg", "12", -1, "3", "123 kg",
         3},
    };
    for (const TypingCase& c : cases) {
        SCOPED_TRACE(c.name);
        edit->SetPrecision(0);
        edit->SetPrefix(QString());
        edit->SetSuffix(QString());
        edit->SetValueText(QString());
        edit->SetEditType(c.type);
        edit->SetPrecision(c.precision);
        edit->SetSigned(c.isSigned);
        edit->SetPrefix(QString::fromUtf8(c.prefix));
        edit->SetSuffix(QString::fromUtf8(c.suffix));
        edit->SetValueText(c.initial ? QString::fromUtf8(c.initial) : QString());
        edit->setCursorPosition(c.caret >= 0 ? c.caret
                                             : int(edit->Prefix().size() + edit->Text().size()));
        // "\x01" stands for the Left arrow.
        for (QChar ch : QString::fromUtf8(c.keys)) {
            if (ch == QChar(1))
                key(Qt::Key_Left);
            else
                type(QString(ch));
        }
        EXPECT_EQ(shown(), QString::fromUtf8(c.expected));
        EXPECT_EQ(edit->cursorPosition(), c.expectedCaret);
        EXPECT_EQ(int(edit->selectedText().size()), c.expectedSelection);
    }
}

TEST_F(NuvEditTyping, NumericSignTogglesWithASelection)
{
    edit->SetEditType(ET::etNumeric);
    edit->SetSigned(true);
    edit->SetPrefix(QStringLiteral("$"));
    edit->SetText(QStringLiteral("12"));
    edit->setSelection(1, 2);
    type(QStringLiteral("-"));
    EXPECT_EQ(shown(), QStringLiteral("$-12"));
    EXPECT_TRUE(edit->IsValueModified());
    edit->setSelection(1, 3);
    type(QStringLiteral("-"));
    EXPECT_EQ(shown(), QStringLiteral("$12"));
    EXPECT_GE(edit->cursorPosition(), 1) << "never into the prefix";
}

TEST_F(NuvEditTyping, ReadOnlyTakesNoKeys)
{
    const ET types[] = {ET::etString, ET::etNumeric, ET::etMoney, ET::etMixedCase};
    for (ET t : types) {
        SCOPED_TRACE(int(t));
        edit->setReadOnly(false);
        edit->SetEditType(t);
        edit->SetSigned(true);
        edit->SetText(QStringLiteral("12"));
        edit->setReadOnly(true);
        edit->setCursorPosition(1);
        type(QStringLiteral("3-a\b"));
        key(Qt::Key_Delete);
        EXPECT_EQ(edit->Text(), QStringLiteral("12"));
        EXPECT_FALSE(edit->IsValueModified());
    }
}

TEST_F(NuvEditTyping, TypedCharacterMarksTheValueModified)
{
    edit->SetEditType(ET::etNumeric);
    edit->SetValueText(QStringLiteral("1"));
    EXPECT_FALSE(edit->IsValueModified());
    type(QStringLiteral("x"));
    EXPECT_FALSE(edit->IsValueModified()) << "a refused key changes nothing";
    type(QStringLiteral("2"));
    EXPECT_TRUE(edit->IsValueModified());
}

TEST_F(NuvEditTyping, ValidCharsTakesOnlyItsSet)
{
    edit->SetEditType(ET::etValidChars);
    edit->SetValidChars(QStringLiteral("xyz"));
    type(QStringLiteral("axbyc\bz"));
    EXPECT_EQ(shown(), QStringLiteral("xz"));
}

TEST_F(NuvEditTyping, LengthLimitStopsTheIntegerPart)
{
    edit->SetEditType(ET::etFloat);
    edit->SetPrecision(2);
    edit->SetText(QString()); // a new precision writes 0.00 into the empty value
    edit->SetLengthLimit(3);
    type(QStringLiteral("1234"));
    EXPECT_EQ(shown(), QStringLiteral("123"));
    type(QStringLiteral(".45"));
    EXPECT_EQ(shown(), QStringLiteral("123.45"));
    // Typing over the selected separator, or deleting it, would join the parts into five
    // integer digits.
    edit->setSelection(3, 1);
    type(QStringLiteral("6"));
    EXPECT_EQ(shown(), QStringLiteral("123.45"));
    edit->setCursorPosition(4);
    type(QStringLiteral("\b"));
    EXPECT_EQ(shown(), QStringLiteral("123.45"));
    edit->setCursorPosition(3);
    key(Qt::Key_Delete);
    EXPECT_EQ(shown(), QStringLiteral("123.45"));
}

// Counts the Tab presses that reach a widget.
class TabCounter : public QObject
{
public:
    int tabs = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Tab)
            ++tabs;
        return false;
    }
};

TEST_F(NuvEditTyping, TabOnFullLengthPostsTabAtTheLimit)
{
    edit->SetEditType(ET::etNumeric);
    edit->SetText(QString()); // a number edit starts at 0
    edit->SetLengthLimit(3);
    edit->SetTabOnFullLength(true);
    TabCounter counter;
    edit->installEventFilter(&counter);
    type(QStringLiteral("12"));
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.tabs, 0);
    type(QStringLiteral("3"));
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.tabs, 1);
    edit->removeEventFilter(&counter);
}

TEST_F(NuvEditTyping, TabOnFullLengthCountsNoThousandSeparators)
{
    edit->SetEditType(ET::etMoney);
    edit->SetPrecision(2);
    edit->SetText(QString());
    edit->SetLengthLimit(4);
    edit->SetTabOnFullLength(true);
    TabCounter counter;
    edit->installEventFilter(&counter);
    type(QStringLiteral("1234"));
    QCoreApplication::processEvents();
    EXPECT_EQ(shown(), QStringLiteral("1,234"));
    EXPECT_EQ(counter.tabs, 1);
    type(QStringLiteral(".5"));
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.tabs, 1) << "decimals after a full integer part move nothing";
    edit->removeEventFilter(&counter);
}

TEST_F(NuvEditTyping, TabOnFullLengthMovesTheFocus)
{
    auto* next = new QLineEdit(m_window.get());
    next->setGeometry(100, 100, 80, 21);
    m_window->show();
    QApplication::setActiveWindow(m_window.get());
    edit->setFocus();
    QCoreApplication::processEvents();
    if (!edit->hasFocus())
        GTEST_SKIP() << "the platform gives no focus to the test window";
    edit->SetEditType(ET::etNumeric);
    edit->SetText(QString()); // a number edit starts at 0
    edit->SetLengthLimit(3);
    edit->SetTabOnFullLength(true);
    type(QStringLiteral("123"));
    QCoreApplication::processEvents();
    EXPECT_TRUE(next->hasFocus());
    EXPECT_EQ(edit->Text(), QStringLiteral("123"));
}

TEST_F(NuvEditTyping, ExcelStyleKeypadDecimal)
{
    TFormatSettings comma = TFormatSettings::Fixed();
    comma.DecimalSeparator = u',';
    comma.ThousandSeparator = u'.';
    TFormatSettingsGuard guard(comma);
    edit->SetEditType(ET::etFloat);
    edit->SetPrecision(2);
    edit->SetExcelStyleDecimalSeparator(true);
    edit->SetText(QString());
    type(QStringLiteral("12"));
    QTest::keyClick(edit, Qt::Key_Period, Qt::KeypadModifier);
    type(QStringLiteral("5"));
    EXPECT_EQ(shown(), QStringLiteral("12,5"));
}

TEST_F(NuvEditTyping, PrefixAndSuffixKeys)
{
    edit->SetPrefix(QStringLiteral("<"));
    edit->SetSuffix(QStringLiteral(">"));
    edit->SetValueText(QStringLiteral("abc"));
    EXPECT_EQ(shown(), QStringLiteral("<abc>"));
    EXPECT_EQ(edit->Text(), QStringLiteral("abc"));
    key(Qt::Key_Home);
    EXPECT_EQ(edit->cursorPosition(), 1);
    key(Qt::Key_Left);
    EXPECT_EQ(edit->cursorPosition(), 1);
    key(Qt::Key_End);
    EXPECT_EQ(edit->cursorPosition(), 4);
    key(Qt::Key_Right);
    EXPECT_EQ(edit->cursorPosition(), 4);
    key(Qt::Key_Delete);
    EXPECT_EQ(shown(), QStringLiteral("<abc>"));
    key(Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_EQ(edit->selectedText(), QStringLiteral("abc"));
    EXPECT_EQ(edit->cursorPosition(), 1);
    // A caret put into the prefix by the program goes back to the value before typing.
    edit->setCursorPosition(0);
    type(QStringLiteral("x"));
    EXPECT_EQ(shown(), QStringLiteral("<xabc>"));
}

TEST_F(NuvEditTyping, DeleteRegroupsMoney)
{
    edit->SetEditType(ET::etMoney);
    type(QStringLiteral("1234"));
    ASSERT_EQ(shown(), QStringLiteral("1,234"));
    edit->setCursorPosition(0);
    key(Qt::Key_Delete);
    EXPECT_EQ(shown(), QStringLiteral("234"));
    EXPECT_TRUE(edit->IsValueModified());
}

TEST_F(NuvEditTyping, KeyEventsCanSwallow)
{
    std::vector<int> downs;
    std::vector<int> ups;
    edit->OnKeyDown = [&](QWidget&, int& k, TShiftState) {
        downs.push_back(k);
        if (k == 'B')
            k = 0;
    };
    edit->OnKeyUp = [&](QWidget&, int& k, TShiftState) { ups.push_back(k); };
    type(QStringLiteral("abc"));
    EXPECT_EQ(shown(), QStringLiteral("ac")) << "a key swallowed on its way down types nothing";
    EXPECT_EQ(downs, (std::vector<int>{'A', 'B', 'C'}));
    EXPECT_EQ(ups, (std::vector<int>{'A', 'B', 'C'}));
}

TEST_F(NuvEditTyping, EnterRaisesKeyPressAndReturnIsTab)
{
    int enters = 0;
    edit->OnKeyPress = [&](QWidget&, QChar& c) {
        if (c == QChar(13))
            ++enters;
    };
    key(Qt::Key_Return);
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(shown(), QString());
    edit->SetReturnIsTab(true);
    TabCounter counter;
    edit->installEventFilter(&counter);
    m_window->show();
    key(Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.tabs, 1);
    edit->removeEventFilter(&counter);
}

} // namespace
