// Colour values, system colour resolution and the blend used for selections.
#include "platform/core/Color.h"

#include <QGuiApplication>
#include <QPalette>
#include <gtest/gtest.h>

namespace {

// Tests that change the system colour table put the classic one back.
class ColorTest : public ::testing::Test
{
protected:
    void TearDown() override { TSystemColors::LoadClassic(); }
};

} // namespace

TEST_F(ColorTest, NamedValuesKeepRedInTheLowestByte)
{
    EXPECT_EQ(clRed, 0x000000FFu);
    EXPECT_EQ(clBlue, 0x00FF0000u);
    EXPECT_EQ(clNone, 0x1FFFFFFFu);
    EXPECT_EQ(clWindow, 0xFF000005u);
    EXPECT_EQ(clHighlight, 0xFF00000Du);
    EXPECT_EQ(clInfoBk, 0xFF000018u);
    EXPECT_EQ(RGB(0x12, 0x34, 0x56), 0x00563412u);
    EXPECT_EQ(GetRValue(0x00563412u), 0x12);
    EXPECT_EQ(GetBValue(0x00563412u), 0x56);
}

TEST_F(ColorTest, EverySystemIndexResolvesThroughTheTable)
{
    for (int i = 0; i < SystemColorCount; ++i) {
        SCOPED_TRACE(i);
        TSystemColors::Set(i, RGB(i, 2 * i, 3 * i));
        EXPECT_EQ(ColorToRGB(clSystemColor + TColor(i)), RGB(i, 2 * i, 3 * i));
    }
    // Beyond the table, and the two "no colour" values, resolve to black, never to garbage.
    EXPECT_EQ(ColorToRGB(clSystemColor + 0x40), clBlack);
    EXPECT_EQ(ColorToRGB(clNone), clBlack);
    EXPECT_EQ(ColorToRGB(clDefault), clBlack);
    EXPECT_EQ(ColorToRGB(0x02FF8040u), 0x00FF8040u);
}

TEST_F(ColorTest, PaletteFillsTheTable)
{
    QPalette pal = QGuiApplication::palette();
    const QPalette saved = pal;
    pal.setColor(QPalette::Active, QPalette::Highlight, QColor(1, 2, 3));
    pal.setColor(QPalette::Active, QPalette::Base, QColor(250, 240, 230));
    QGuiApplication::setPalette(pal);
    TSystemColors::LoadFromPalette();
    QGuiApplication::setPalette(saved);

    EXPECT_EQ(ColorToRGB(clHighlight), RGB(1, 2, 3));
    EXPECT_EQ(ColorToRGB(clWindow), RGB(250, 240, 230));
    EXPECT_EQ(ToQColor(clHighlight), QColor(1, 2, 3));
}

TEST_F(ColorTest, BlendMixesChannelsAndRoundsHalvesToEven)
{
    struct Case
    {
        TColor a, b;
        int percent;
        TColor expected;
    };
    const Case cases[] = {
        {clWhite, clBlack, 100, clWhite},
        {clWhite, clBlack, 0, clBlack},
        // 0.5 * 255 = 127.5 rounds to the even 128; 0.5 * 1 = 0.5 rounds to 0.
        {clWhite, clBlack, 50, RGB(128, 128, 128)},
        {RGB(1, 3, 5), clBlack, 50, RGB(0, 2, 2)},
        // 0.9 * 255 is exactly 229.5 (to 230); (1 - 0.9) * 255 falls just below 25.5 (to 25).
        {clRed, clBlue, 90, RGB(230, 0, 25)},
        // 100 returns the first colour itself, even a system colour, unresolved.
        {clHighlight, clWhite, 100, clHighlight},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.percent);
        EXPECT_EQ(BlendColor(c.a, c.b, c.percent), c.expected);
    }
}

TEST_F(ColorTest, BlendResolvesSystemColoursFirst)
{
    TSystemColors::Set(clHighlight - clSystemColor, RGB(200, 100, 0));
    EXPECT_EQ(BlendColor(clHighlight, clWhite, 50), RGB(228, 178, 128));
}

TEST_F(ColorTest, QtConversionRoundTripsAndNoneIsTransparent)
{
    EXPECT_EQ(FromQColor(ToQColor(RGB(10, 20, 30))), RGB(10, 20, 30));
    EXPECT_EQ(ToQColor(clNone).alpha(), 0);
    EXPECT_EQ(FromQColor(QColor(Qt::transparent)), clNone);
}
