// Text output and layout: ellipsis, word wrap with measured heights, alignment found from
// the ink, prefix underlines, rotation, the opaque background and clipping.
#include "support/CanvasImage.h"

#include <gtest/gtest.h>

namespace {

class CanvasText : public ::testing::Test
{
protected:
    CanvasImage img{200, 120};
    TCanvas& cv = img.Canvas();

    void SetUp() override
    {
        cv.Brush().SetStyle(TBrushStyle::bsClear);
        cv.Font().SetColor(clBlack);
    }
};

TEST_F(CanvasText, ExtentsComeFromTheMappedFont)
{
    EXPECT_GT(cv.TextWidth("Hello"), 0);
    EXPECT_EQ(cv.TextWidth(""), 0);
    EXPECT_EQ(cv.TextWidth("HelloHello"), 2 * cv.TextWidth("Hello"));
    const int h = cv.TextHeight("gh");
    EXPECT_GE(h, 11);
    EXPECT_LE(h, 15);
    EXPECT_EQ(cv.TextExtent("abc"), (TSize{cv.TextWidth("abc"), h}));
    cv.Font().SetHeight(-22);
    EXPECT_GT(cv.TextHeight("gh"), h + 8);
}

TEST_F(CanvasText, TextOutInkStartsAtTheGivenCell)
{
    cv.TextOut(20, 30, "Hello");
    const TRect ink = img.InkBounds();
    EXPECT_GE(ink.Left, 20);
    EXPECT_LE(ink.Left, 22);
    EXPECT_GE(ink.Top, 30);
    EXPECT_LE(ink.Bottom, 30 + cv.TextHeight("H"));
    EXPECT_LE(ink.Right, 20 + cv.TextWidth("Hello"));
    // Without antialiasing the ink is only the font colour.
    EXPECT_EQ(img.Count(clBlack) + img.Count(clWhite), 200 * 120);
}

TEST_F(CanvasText, OpaqueBackgroundFollowsTheBrushStyle)
{
    cv.Brush().SetStyle(TBrushStyle::bsSolid);
    cv.Brush().SetColor(clYellow);
    EXPECT_EQ(cv.BkMode(), TBkMode::bkOpaque);
    cv.TextOut(10, 10, "Hi");
    EXPECT_EQ(img.Count(clYellow) + img.Count(clBlack), cv.TextWidth("Hi") * cv.TextHeight("Hi"));
    cv.SetBkMode(TBkMode::bkTransparent);
    cv.TextOut(10, 50, "Hi");
    EXPECT_EQ(img.Count(clYellow, {0, 40, 200, 120}), 0);
    // A style change takes the mode with it again.
    cv.Brush().SetStyle(TBrushStyle::bsClear);
    EXPECT_EQ(cv.BkMode(), TBkMode::bkTransparent);
    cv.Brush().SetStyle(TBrushStyle::bsSolid);
    EXPECT_EQ(cv.BkMode(), TBkMode::bkOpaque);
}

TEST_F(CanvasText, EndEllipsisShortensToFit)
{
    const QString text = "A rather long planner caption that cannot fit";
    TRect r{10, 10, 90, 30};
    cv.DrawText(text, r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    const TRect ink = img.InkBounds();
    EXPECT_LT(ink.Right, 90);
    EXPECT_GT(ink.Right, 60); // used most of the room

    // The same text without the flag runs into the clip edge.
    CanvasImage plain(200, 40);
    plain.Canvas().Brush().SetStyle(TBrushStyle::bsClear);
    TRect r2{10, 10, 90, 30};
    plain.Canvas().DrawText(text, r2, DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(plain.InkBounds().Right, 90);

    // The shortened text is measured as prefix + "...".
    TRect calc{10, 10, 90, 30};
    cv.DrawText(text, calc, DT_SINGLELINE | DT_END_ELLIPSIS | DT_CALCRECT);
    EXPECT_LE(calc.Width(), 80);
    EXPECT_GE(calc.Width(), 80 - cv.TextWidth("W..."));
}

TEST_F(CanvasText, ShortTextKeepsItsLettersWithEllipsisFlag)
{
    TRect a{0, 0, 150, 20};
    TRect b{0, 0, 150, 20};
    cv.DrawText("Short", a, DT_SINGLELINE | DT_END_ELLIPSIS | DT_CALCRECT);
    cv.DrawText("Short", b, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(a, b);
    EXPECT_EQ(a.Width(), cv.TextWidth("Short"));
}

TEST_F(CanvasText, WordBreakWrapsAndCalcRectReportsTheHeight)
{
    const QString text = "one two three four five six seven eight nine ten";
    const int lineHeight = cv.TextHeight("gh");
    TRect calc{0, 0, 60, 0};
    const int h = cv.DrawText(text, calc, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(img.Ink(), 0); // measuring draws nothing
    EXPECT_GE(h, 3 * lineHeight);
    EXPECT_EQ(h % lineHeight, 0);
    EXPECT_EQ(calc.Bottom, h);
    EXPECT_LE(calc.Right, 60);

    TRect r{0, 0, 60, 120};
    EXPECT_EQ(cv.DrawText(text, r, DT_WORDBREAK), h);
    const TRect ink = img.InkBounds();
    EXPECT_LE(ink.Right, 60);
    EXPECT_GT(ink.Bottom, h - lineHeight);
    EXPECT_LE(ink.Bottom, h);

    // Without word break it stays on one line.
    TRect one{0, 0, 60, 0};
    EXPECT_EQ(cv.DrawText(text, one, DT_CALCRECT), lineHeight);
    EXPECT_EQ(one.Width(), cv.TextWidth(text));
}

TEST_F(CanvasText, LineBreaksMakeLinesUnlessSingleLine)
{
    const int lh = cv.TextHeight("gh");
    TRect a{0, 0, 100, 0};
    EXPECT_EQ(cv.DrawText("one\rtwo\r\nthree\nfour", a, DT_CALCRECT), 4 * lh);
    TRect b{0, 0, 100, 0};
    EXPECT_EQ(cv.DrawText("one\rtwo", b, DT_CALCRECT | DT_SINGLELINE), lh);
    EXPECT_EQ(b.Width(), cv.TextWidth("onetwo"));
}

TEST_F(CanvasText, WordLongerThanTheLineIsBroken)
{
    TRect r{0, 0, 30, 0};
    const int h = cv.DrawText("Supercalifragilistic", r, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_GT(h, cv.TextHeight("S"));
    EXPECT_LE(r.Width(), 30);
}

struct AlignCase
{
    const char* name;
    unsigned flags;
    char horizontal; // l, c, r
    char vertical;   // t, c, b
};

const AlignCase alignCases[] = {
    {"left top", DT_LEFT | DT_TOP | DT_SINGLELINE, 'l', 't'},
    {"centre", DT_CENTER | DT_SINGLELINE, 'c', 't'},
    {"right", DT_RIGHT | DT_SINGLELINE, 'r', 't'},
    {"vcenter", DT_VCENTER | DT_SINGLELINE, 'l', 'c'},
    {"bottom right", DT_BOTTOM | DT_RIGHT | DT_SINGLELINE, 'r', 'b'},
    {"vcenter needs single line", DT_VCENTER, 'l', 't'},
};

TEST(CanvasTextAlign, InkLandsWhereTheFlagsSay)
{
    const TRect r{20, 10, 180, 90};
    for (const AlignCase& c : alignCases) {
        SCOPED_TRACE(c.name);
        CanvasImage img(200, 100);
        TCanvas& cv = img.Canvas();
        cv.Brush().SetStyle(TBrushStyle::bsClear);
        TRect rr = r;
        cv.DrawText("Mmmm", rr, c.flags);
        const TRect ink = img.InkBounds();
        const int w = cv.TextWidth("Mmmm");
        const int h = cv.TextHeight("Mmmm");
        const int cellLeft = c.horizontal == 'l'   ? r.Left
                             : c.horizontal == 'r' ? r.Right - w
                                                   : r.Left + (r.Width() - w) / 2;
        const int cellTop = c.vertical == 't'   ? r.Top
                            : c.vertical == 'b' ? r.Bottom - h
                                                : r.Top + (r.Height() - h) / 2;
        EXPECT_GE(ink.Left, cellLeft);
        EXPECT_LE(ink.Right, cellLeft + w);
        EXPECT_GE(ink.Right, cellLeft + w - 3);
        EXPECT_GE(ink.Top, cellTop);
        EXPECT_LE(ink.Bottom, cellTop + h);
    }
}

TEST_F(CanvasText, VCenterReturnsTheOffsetToTheTextBottom)
{
    TRect r{0, 0, 100, 41};
    const int h = cv.TextHeight("x");
    EXPECT_EQ(cv.DrawText("x", r, DT_SINGLELINE | DT_VCENTER), (41 - h) / 2 + h);
    EXPECT_EQ(cv.DrawText("x", r, DT_SINGLELINE | DT_BOTTOM), 41);
    EXPECT_EQ(cv.DrawText("x", r, DT_SINGLELINE), h);
}

TEST_F(CanvasText, PrefixUnderlinesTheNextCharacter)
{
    // "Home" has no descenders, so below its letters the only ink is the underline.
    CanvasImage plain(200, 60);
    plain.Canvas().Brush().SetStyle(TBrushStyle::bsClear);
    TRect r0{10, 10, 190, 40};
    plain.Canvas().DrawText("Home", r0, DT_SINGLELINE);
    const int letterBottom = plain.InkBounds().Bottom;

    TRect r{10, 10, 190, 40};
    cv.DrawText("&Home", r, DT_SINGLELINE);
    const TRect ul = img.InkBounds({0, letterBottom, 200, 60});
    ASSERT_FALSE(ul.IsEmpty());
    EXPECT_EQ(ul.Left, 10);
    EXPECT_EQ(ul.Right, 10 + cv.TextWidth("H"));
    EXPECT_LE(ul.Bottom, 10 + cv.TextHeight("H"));
    // Above the underline the picture is that of the plain text.
    EXPECT_EQ(img.Image().copy(0, 0, 200, letterBottom),
              plain.Image().copy(0, 0, 200, letterBottom));

    // With DT_NOPREFIX the "&" is shown and nothing is underlined.
    CanvasImage shown(200, 60);
    shown.Canvas().Brush().SetStyle(TBrushStyle::bsClear);
    TRect r2{10, 10, 190, 40};
    shown.Canvas().DrawText("&Home", r2, DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_TRUE(shown.InkBounds({0, letterBottom, 200, 60}).IsEmpty());
    TRect m1{0, 0, 200, 0};
    TRect m2{0, 0, 200, 0};
    cv.DrawText("&Home", m1, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    cv.DrawText("&Home", m2, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(m1.Width(), cv.TextWidth("&Home"));
    EXPECT_EQ(m2.Width(), cv.TextWidth("Home"));
}

TEST_F(CanvasText, DoubleAmpersandShowsOneAndUnderlinesNothing)
{
    TRect calc{0, 0, 200, 0};
    cv.DrawText("Tom && Jerry", calc, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(calc.Width(), cv.TextWidth("Tom & Jerry"));

    const int h = cv.TextHeight("x");
    TRect r{10, 10, 190, 40};
    cv.DrawText("AB&&C", r, DT_SINGLELINE);
    CanvasImage ref(200, 60);
    ref.Canvas().Brush().SetStyle(TBrushStyle::bsClear);
    ref.Canvas().TextOut(10, 10, "AB&C");
    EXPECT_EQ(img.Image().copy(0, 0, 200, 10 + h), ref.Image().copy(0, 0, 200, 10 + h));
}

TEST_F(CanvasText, ExpandTabsMovesToTheNextStop)
{
    TRect a{0, 0, 200, 0};
    cv.DrawText("a\tb", a, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
    TRect b{0, 0, 200, 0};
    cv.DrawText("aa\tb", b, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
    EXPECT_EQ(a.Width(), b.Width()); // both land on the first stop
    EXPECT_GT(a.Width(), cv.TextWidth("a b"));
}

TEST_F(CanvasText, RotatedTextIsTallerThanWide)
{
    cv.Font().SetOrientation(900);
    cv.TextOut(50, 110, "Monday 12");
    const TRect ink = img.InkBounds();
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_GT(ink.Height(), 2 * ink.Width());
    // Turned about the start point: the text rises from (50, 110) to the right of x = 50.
    EXPECT_LE(ink.Bottom, 111);
    EXPECT_GE(ink.Left, 50);
    EXPECT_LE(ink.Right, 50 + cv.TextHeight("M") + 1);
    // Extents stay those of unrotated text.
    cv.Font().SetOrientation(0);
    const int w = cv.TextWidth("Monday 12");
    cv.Font().SetOrientation(900);
    EXPECT_EQ(cv.TextWidth("Monday 12"), w);
}

TEST_F(CanvasText, RotatedDrawTextCentresItsTurnedBox)
{
    cv.Font().SetOrientation(900);
    TRect r{40, 0, 80, 120};
    cv.DrawText("Week 42", r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    const TRect ink = img.InkBounds();
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_GT(ink.Height(), ink.Width());
    EXPECT_NEAR((ink.Left + ink.Right) / 2.0, 60, 4);
    EXPECT_NEAR((ink.Top + ink.Bottom) / 2.0, 60, 4);
}

TEST_F(CanvasText, ClippedTextKeepsItsInkInside)
{
    const TRect clip{30, 20, 70, 26};
    cv.SetClipRect(clip);
    TRect r{0, 0, 200, 100};
    cv.DrawText("Wide text that crosses the clip", r, DT_WORDBREAK);
    cv.TextOut(0, 18, "More text across it");
    const TRect ink = img.InkBounds();
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_GE(ink.Left, clip.Left);
    EXPECT_GE(ink.Top, clip.Top);
    EXPECT_LE(ink.Right, clip.Right);
    EXPECT_LE(ink.Bottom, clip.Bottom);
}

TEST_F(CanvasText, DrawTextClipsToItsRectangleUnlessNoClip)
{
    TRect r{10, 10, 40, 30};
    cv.DrawText("Much too wide for the box", r, DT_SINGLELINE);
    EXPECT_LE(img.InkBounds().Right, 40);
    CanvasImage free(200, 40);
    free.Canvas().Brush().SetStyle(TBrushStyle::bsClear);
    TRect r2{10, 10, 40, 30};
    free.Canvas().DrawText("Much too wide for the box", r2, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(free.InkBounds().Right, 60);
}

TEST_F(CanvasText, TextRectFillsItsRectangleWhenOpaque)
{
    cv.Brush().SetStyle(TBrushStyle::bsSolid);
    cv.Brush().SetColor(clAqua);
    cv.TextRect({10, 10, 30, 40}, 12, 12, "Wider than twenty pixels");
    EXPECT_EQ(img.InkBounds(), (TRect{10, 10, 30, 40}));
    EXPECT_GT(img.Count(clBlack), 0);
}

TEST_F(CanvasText, SymbolFontShowsGreekLetters)
{
    cv.Font().SetName("Symbol");
    EXPECT_EQ(TFont::SymbolToUnicode(QString("abW") + QChar(0xB7)), QString::fromUtf8("αβΩ•"));
    CanvasImage greek(200, 40);
    greek.Canvas().Brush().SetStyle(TBrushStyle::bsClear);
    greek.Canvas().Font().SetName("Tahoma"); // the same family Symbol maps to
    greek.Canvas().TextOut(0, 0, QString::fromUtf8("αβ"));
    cv.TextOut(0, 0, "ab");
    EXPECT_EQ(img.Image().copy(0, 0, 200, 40), greek.Image());
}

} // namespace
