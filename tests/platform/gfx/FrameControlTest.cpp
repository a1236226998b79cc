// Frame controls in the plain look (pixel checks) and through QStyle (only that the themed
// path draws, since the picture belongs to the style).
#include "platform/gfx/Themes.h"
#include "support/CanvasImage.h"

#include <gtest/gtest.h>

namespace {

QImage drawControl(unsigned type, unsigned state, TRect r = {0, 0, 16, 16})
{
    CanvasImage img(r.Right + 4, r.Bottom + 4);
    EXPECT_TRUE(img.Canvas().DrawFrameControl(r, type, state));
    return img.Image().copy();
}

TColor at(const QImage& image, int x, int y)
{
    const QRgb rgb = image.pixel(x, y);
    return RGB(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

struct PairCase
{
    const char* name;
    unsigned type;
    unsigned off;
    unsigned on;
};

// Each pair must differ in the centre of the control, and only inside its rectangle.
const PairCase pairCases[] = {
    {"check box", DFC_BUTTON, DFCS_BUTTONCHECK, DFCS_BUTTONCHECK | DFCS_CHECKED},
    {"flat check box", DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT,
     DFCS_BUTTONCHECK | DFCS_FLAT | DFCS_CHECKED},
    {"radio", DFC_BUTTON, DFCS_BUTTONRADIO, DFCS_BUTTONRADIO | DFCS_CHECKED},
    {"flat radio", DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_FLAT,
     DFCS_BUTTONRADIO | DFCS_FLAT | DFCS_CHECKED},
};

TEST(FrameControlPlain, CheckedDiffersInTheCentre)
{
    for (const PairCase& c : pairCases) {
        SCOPED_TRACE(c.name);
        const QImage off = drawControl(c.type, c.off, {0, 0, 13, 13});
        const QImage on = drawControl(c.type, c.on, {0, 0, 13, 13});
        EXPECT_EQ(at(off, 6, 6), ColorToRGB(clWindow));
        EXPECT_EQ(at(on, 6, 6), ColorToRGB(clWindowText));
        EXPECT_EQ(off.copy(13, 0, 4, 17), on.copy(13, 0, 4, 17));
    }
}

TEST(FrameControlPlain, CheckBoxIsASunkenSquareCentredInItsRectangle)
{
    const QImage img = drawControl(DFC_BUTTON, DFCS_BUTTONCHECK, {0, 0, 20, 13});
    // 13 x 13 box centred in 20 x 13: left edge at 3.
    EXPECT_EQ(at(img, 3, 5), ColorToRGB(clBtnShadow));
    EXPECT_EQ(at(img, 2, 5), clWhite);
    EXPECT_EQ(at(img, 15, 12), ColorToRGB(clBtnHighlight));
    const QImage inactive = drawControl(DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_INACTIVE);
    EXPECT_EQ(at(inactive, 8, 8), ColorToRGB(clBtnFace));
}

TEST(FrameControlPlain, PushButtonPushedLooksSunken)
{
    const QImage up = drawControl(DFC_BUTTON, DFCS_BUTTONPUSH, {0, 0, 40, 20});
    const QImage down = drawControl(DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED, {0, 0, 40, 20});
    EXPECT_NE(up, down);
    EXPECT_EQ(at(up, 39, 19), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(at(up, 1, 1), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(at(down, 39, 19), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(at(up, 20, 10), ColorToRGB(clBtnFace));
}

// Rows (or columns) of arrow ink at the first and at the last line the arrow touches,
// along the axis it points in.
std::pair<int, int> arrowEnds(const QImage& img, bool vertical)
{
    std::vector<int> counts;
    for (int a = 0; a < 16; ++a) {
        int n = 0;
        for (int b = 0; b < 16; ++b)
            n += at(img, vertical ? b : a, vertical ? a : b) == ColorToRGB(clBtnText);
        if (n > 0)
            counts.push_back(n);
    }
    return counts.empty() ? std::pair{0, 0} : std::pair{counts.front(), counts.back()};
}

struct ArrowCase
{
    const char* name;
    unsigned part;
    bool vertical;
    bool pointsToStart; // up or left
};

const ArrowCase arrowCases[] = {{"combo box", DFCS_SCROLLCOMBOBOX, true, false},
                                {"up", DFCS_SCROLLUP, true, true},
                                {"down", DFCS_SCROLLDOWN, true, false},
                                {"left", DFCS_SCROLLLEFT, false, true},
                                {"right", DFCS_SCROLLRIGHT, false, false}};

TEST(FrameControlPlain, ScrollArrowsPointTheirWay)
{
    for (const ArrowCase& c : arrowCases) {
        SCOPED_TRACE(c.name);
        CanvasImage img(20, 20);
        img.Canvas().DrawFrameControl({0, 0, 16, 16}, DFC_SCROLL, c.part);
        const int ink = img.Count(clBtnText, {3, 3, 13, 13});
        EXPECT_GE(ink, 9);
        EXPECT_EQ(img.Count(clBtnText, {0, 0, 16, 16}), ink);
        // The point is one pixel, the base the widest line.
        const auto [first, last] = arrowEnds(img.Image(), c.vertical);
        EXPECT_EQ(c.pointsToStart ? first : last, 1);
        EXPECT_GT(c.pointsToStart ? last : first, 1);
    }
}

TEST(FrameControlPlain, PushedArrowMovesByOnePixel)
{
    CanvasImage up(20, 20), down(20, 20);
    up.Canvas().DrawFrameControl({0, 0, 16, 16}, DFC_SCROLL, DFCS_SCROLLDOWN);
    down.Canvas().DrawFrameControl({0, 0, 16, 16}, DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_PUSHED);
    auto arrowBox = [](CanvasImage& img) {
        TRect box{16, 16, 0, 0};
        for (int y = 2; y < 14; ++y)
            for (int x = 2; x < 14; ++x)
                if (img.Pixel(x, y) == ColorToRGB(clBtnText)) {
                    box.Left = std::min(box.Left, x);
                    box.Top = std::min(box.Top, y);
                }
        return box.TopLeft();
    };
    const TPoint a = arrowBox(up);
    const TPoint b = arrowBox(down);
    EXPECT_EQ(b.X, a.X + 1);
    EXPECT_EQ(b.Y, a.Y + 1);
}

TEST(FrameControlPlain, UnknownKindsAreRefused)
{
    CanvasImage img(20, 20);
    EXPECT_FALSE(img.Canvas().DrawFrameControl({0, 0, 16, 16}, DFC_CAPTION, 0));
    EXPECT_EQ(img.Ink(), 0);
}

class FrameControlThemed : public ::testing::Test
{
protected:
    void SetUp() override { SetUseVisualStyles(true); }
    void TearDown() override { SetUseVisualStyles(false); }
};

TEST_F(FrameControlThemed, DrawsThroughTheStyleAndDiffersFromPlain)
{
    ASSERT_TRUE(UseVisualStyles());
    const unsigned states[] = {DFCS_BUTTONCHECK | DFCS_CHECKED, DFCS_BUTTONRADIO | DFCS_CHECKED,
                               DFCS_BUTTONPUSH};
    for (unsigned state : states) {
        SCOPED_TRACE(state);
        CanvasImage themed(30, 30);
        themed.Canvas().DrawFrameControl({2, 2, 18, 18}, DFC_BUTTON, state);
        SetUseVisualStyles(false);
        CanvasImage plain(30, 30);
        plain.Canvas().DrawFrameControl({2, 2, 18, 18}, DFC_BUTTON, state);
        SetUseVisualStyles(true);
        EXPECT_GT(themed.Ink(), 0);
        EXPECT_NE(themed.Image(), plain.Image());
    }
    CanvasImage unchecked(30, 30), checked(30, 30);
    unchecked.Canvas().DrawFrameControl({2, 2, 18, 18}, DFC_BUTTON, DFCS_BUTTONCHECK);
    checked.Canvas().DrawFrameControl({2, 2, 18, 18}, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    EXPECT_NE(unchecked.Image(), checked.Image());
    CanvasImage arrow(30, 30);
    arrow.Canvas().DrawFrameControl({2, 2, 18, 18}, DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
    EXPECT_GT(arrow.Ink(), 0);
}

} // namespace
