// The canvas's pixel model: exclusive right and bottom edges, outlines on the shape's own
// outer pixels, LineTo stopping before its end point, clear tools drawing nothing, pen
// modes, pixels, clipping and the focus rectangle.
#include "support/CanvasImage.h"

#include <gtest/gtest.h>

namespace {

struct EdgeCase
{
    const char* name;
    TRect rect;
};

const EdgeCase edgeCases[] = {
    {"ordinary", {10, 10, 20, 16}},
    {"one pixel", {5, 5, 6, 6}},
    {"touching the origin", {0, 0, 7, 3}},
    {"wide and flat", {2, 30, 60, 32}},
};

TEST(CanvasShapes, FillCoversExactlyLeftToRightExclusive)
{
    for (const EdgeCase& c : edgeCases) {
        SCOPED_TRACE(c.name);
        CanvasImage img(64, 40);
        img.Canvas().Brush().SetColor(clRed);
        img.Canvas().FillRect(c.rect);
        EXPECT_EQ(img.InkBounds(), c.rect);
        EXPECT_EQ(img.Count(clRed), c.rect.Width() * c.rect.Height());
    }
}

TEST(CanvasShapes, FrameRectIsOnePixelOfBrushOnTheOuterPixels)
{
    CanvasImage img(40, 40);
    img.Canvas().Brush().SetColor(clBlue);
    img.Canvas().FrameRect({5, 6, 15, 12});
    EXPECT_EQ(img.InkBounds(), (TRect{5, 6, 15, 12}));
    EXPECT_EQ(img.Count(clBlue), 2 * 10 + 2 * 4);
    EXPECT_EQ(img.Pixel(14, 11), clBlue);
    EXPECT_EQ(img.Pixel(6, 7), clWhite);
}

TEST(CanvasShapes, RectangleOutlinesInsideAndFillsTheInterior)
{
    for (const EdgeCase& c : edgeCases) {
        SCOPED_TRACE(c.name);
        CanvasImage img(64, 40);
        TCanvas& cv = img.Canvas();
        cv.Pen().SetColor(clBlack);
        cv.Brush().SetColor(clLime);
        cv.Rectangle(c.rect);
        EXPECT_EQ(img.InkBounds(), c.rect);
        EXPECT_EQ(img.Pixel(c.rect.Left, c.rect.Top), clBlack);
        EXPECT_EQ(img.Pixel(c.rect.Right - 1, c.rect.Bottom - 1), clBlack);
        const int inner = std::max(0, c.rect.Width() - 2) * std::max(0, c.rect.Height() - 2);
        EXPECT_EQ(img.Count(clLime), inner);
    }
}

TEST(CanvasShapes, WidePenStaysInsideTheRectangle)
{
    CanvasImage img(40, 40);
    TCanvas& cv = img.Canvas();
    cv.Pen().SetWidth(3);
    cv.Brush().SetColor(clLime);
    cv.Rectangle({5, 5, 25, 20});
    EXPECT_EQ(img.InkBounds(), (TRect{5, 5, 25, 20}));
    EXPECT_EQ(img.Count(clLime), (20 - 6) * (15 - 6));
}

TEST(CanvasShapes, ClearToolsDrawNothing)
{
    CanvasImage img(40, 40);
    TCanvas& cv = img.Canvas();
    cv.Brush().SetStyle(TBrushStyle::bsClear);
    cv.FillRect({0, 0, 40, 40});
    EXPECT_EQ(img.Ink(), 0);

    cv.Pen().SetStyle(TPenStyle::psClear);
    cv.Rectangle({2, 2, 30, 30});
    cv.MoveTo(0, 0);
    cv.LineTo(39, 39);
    EXPECT_EQ(img.Ink(), 0);

    // A clear pen with a solid brush fills the whole rectangle.
    cv.Brush().SetStyle(TBrushStyle::bsSolid);
    cv.Brush().SetColor(clRed);
    cv.Rectangle({2, 2, 12, 8});
    EXPECT_EQ(img.Count(clRed), 60);

    // clNone as a brush colour is no fill either.
    cv.Brush().SetColor(clNone);
    cv.FillRect({20, 20, 30, 30});
    EXPECT_EQ(img.Count(clRed), img.Ink());
}

TEST(CanvasShapes, HatchBrushLeavesGapsUntouched)
{
    CanvasImage img(32, 32);
    TCanvas& cv = img.Canvas();
    cv.Brush().SetColor(clBlue);
    cv.Brush().SetStyle(TBrushStyle::bsHorizontal);
    cv.FillRect({0, 0, 32, 32});
    const int blue = img.Count(clBlue);
    EXPECT_GT(blue, 0);
    EXPECT_EQ(blue + img.Count(clWhite), 32 * 32);
    EXPECT_LT(blue, 32 * 32 / 2);
}

struct LineCase
{
    const char* name;
    TPoint from;
    TPoint to;
    int pixels; // drawn pixels: the major-axis length, the end point excluded
};

const LineCase lineCases[] = {
    {"left to right", {2, 5}, {12, 5}, 10},  {"right to left", {12, 5}, {2, 5}, 10},
    {"downwards", {4, 1}, {4, 9}, 8},        {"upwards", {4, 9}, {4, 1}, 8},
    {"diagonal down", {1, 1}, {11, 11}, 10}, {"diagonal up", {11, 11}, {1, 1}, 10},
    {"steep", {3, 2}, {6, 14}, 12},          {"zero length", {7, 7}, {7, 7}, 0},
};

TEST(CanvasShapes, LineToLeavesOutItsEndPoint)
{
    for (const LineCase& c : lineCases) {
        SCOPED_TRACE(c.name);
        CanvasImage img(20, 20);
        TCanvas& cv = img.Canvas();
        cv.MoveTo(c.from.X, c.from.Y);
        cv.LineTo(c.to.X, c.to.Y);
        EXPECT_EQ(img.Count(clBlack), c.pixels);
        if (c.pixels > 0) {
            EXPECT_EQ(img.Pixel(c.from.X, c.from.Y), clBlack);
        }
        EXPECT_EQ(img.Pixel(c.to.X, c.to.Y), clWhite);
        EXPECT_EQ(cv.PenPos(), c.to);
    }
}

TEST(CanvasShapes, ConnectedLinesDrawEveryCornerOnce)
{
    // Under XOR a pixel drawn twice would vanish: the closed path must come out whole.
    CanvasImage img(20, 20);
    TCanvas& cv = img.Canvas();
    cv.Pen().SetMode(TPenMode::pmXor);
    cv.Pen().SetColor(clWhite);
    cv.MoveTo(2, 2);
    cv.LineTo(12, 2);
    cv.LineTo(12, 9);
    cv.LineTo(2, 9);
    cv.LineTo(2, 2);
    EXPECT_EQ(img.Count(clBlack), 2 * 10 + 2 * 7);
    EXPECT_EQ(img.InkBounds(), (TRect{2, 2, 13, 10}));
}

TEST(CanvasShapes, DottedPenSetsEveryOtherPixel)
{
    CanvasImage img(30, 5);
    TCanvas& cv = img.Canvas();
    cv.Pen().SetStyle(TPenStyle::psDot);
    cv.MoveTo(0, 2);
    cv.LineTo(20, 2);
    for (int x = 0; x < 20; ++x)
        EXPECT_EQ(img.Pixel(x, 2), x % 2 == 0 ? clBlack : clWhite) << "x = " << x;
}

TEST(CanvasShapes, XorModeTwiceRestoresThePicture)
{
    CanvasImage img(30, 30);
    TCanvas& cv = img.Canvas();
    cv.Brush().SetColor(clRed);
    cv.FillRect({0, 0, 15, 30});
    const QImage before = img.Image().copy();
    cv.Pen().SetMode(TPenMode::pmXor);
    cv.Pen().SetColor(clWhite);
    cv.Brush().SetColor(clWhite);
    cv.Rectangle({5, 5, 25, 25});
    EXPECT_EQ(img.Pixel(10, 10), RGB(0, 255, 255)); // red inverted
    cv.Rectangle({5, 5, 25, 25});
    EXPECT_EQ(img.Image(), before);
}

TEST(CanvasShapes, MaskModeAndsThePenColourIn)
{
    CanvasImage img(10, 10);
    TCanvas& cv = img.Canvas();
    cv.Brush().SetColor(RGB(0xF0, 0x0F, 0xFF));
    cv.FillRect({0, 0, 10, 10});
    cv.Pen().SetMode(TPenMode::pmMask);
    cv.Pen().SetColor(RGB(0x3C, 0xFF, 0x00));
    cv.Brush().SetColor(RGB(0x3C, 0xFF, 0x00));
    cv.Rectangle({0, 0, 10, 10});
    EXPECT_EQ(img.Pixel(5, 5), RGB(0x30, 0x0F, 0x00));
}

TEST(CanvasShapes, EllipseAndRoundRectStayInTheirBox)
{
    const TRect box{4, 6, 30, 22};
    for (int shape = 0; shape < 2; ++shape) {
        SCOPED_TRACE(shape == 0 ? "ellipse" : "round rect");
        CanvasImage img(40, 30);
        TCanvas& cv = img.Canvas();
        cv.Brush().SetColor(clLime);
        if (shape == 0)
            cv.Ellipse(box);
        else
            cv.RoundRect(box, 8, 8);
        EXPECT_EQ(img.InkBounds(), box);
        EXPECT_EQ(img.Pixel(17, 14), clLime);
        EXPECT_EQ(img.Pixel(box.Left, box.Top), clWhite); // the corner is cut
    }
}

TEST(CanvasShapes, PolygonOutlinePassesThroughEveryVertex)
{
    CanvasImage img(40, 40);
    TCanvas& cv = img.Canvas();
    cv.Brush().SetColor(clLime);
    const TPoint pts[] = {{5, 5}, {30, 5}, {30, 20}, {17, 33}, {5, 20}};
    cv.Polygon(pts);
    for (const TPoint& p : pts)
        EXPECT_EQ(img.Pixel(p.X, p.Y), clBlack) << p.X << "," << p.Y;
    EXPECT_EQ(img.InkBounds(), (TRect{5, 5, 31, 34}));
    EXPECT_EQ(img.Pixel(17, 15), clLime);
}

TEST(CanvasShapes, PolylineDoesNotDrawItsLastPoint)
{
    CanvasImage img(20, 20);
    TCanvas& cv = img.Canvas();
    const TPoint pts[] = {{1, 1}, {10, 1}, {10, 8}};
    cv.Polyline(pts);
    EXPECT_EQ(img.Count(clBlack), 9 + 7);
    EXPECT_EQ(img.Pixel(10, 8), clWhite);
    EXPECT_EQ(cv.PenPos(), (TPoint{0, 0}));
}

TEST(CanvasShapes, PixelsReadAndWrite)
{
    CanvasImage img(8, 8);
    TCanvas& cv = img.Canvas();
    cv.SetPixels(3, 4, clFuchsia);
    EXPECT_EQ(cv.Pixels(3, 4), clFuchsia);
    EXPECT_EQ(cv.Pixels(4, 4), clWhite);
    EXPECT_EQ(cv.Pixels(-1, 0), clNone);
    EXPECT_EQ(cv.Pixels(8, 0), clNone);
    EXPECT_EQ(img.Count(clFuchsia), 1);
}

TEST(CanvasShapes, ClipKeepsDrawingInsideAndCanBeExcludedAndRestored)
{
    CanvasImage img(40, 40);
    TCanvas& cv = img.Canvas();
    EXPECT_EQ(cv.ClipRect(), (TRect{0, 0, 40, 40}));
    cv.SaveState();
    cv.SetClipRect({10, 10, 20, 20});
    EXPECT_EQ(cv.ClipRect(), (TRect{10, 10, 20, 20}));
    cv.ExcludeClipRect({10, 10, 20, 12});
    cv.Brush().SetColor(clRed);
    cv.FillRect({0, 0, 40, 40});
    EXPECT_EQ(img.InkBounds(), (TRect{10, 12, 20, 20}));
    cv.RestoreState();
    EXPECT_FALSE(cv.HasClip());
    EXPECT_EQ(cv.Brush().Color(), clWhite); // the tools came back with the state
    cv.Brush().SetColor(clBlue);
    cv.FillRect({0, 0, 2, 2});
    EXPECT_EQ(img.Count(clBlue), 4);
}

TEST(CanvasShapes, FocusRectIsDottedAndTakesItselfAway)
{
    CanvasImage img(30, 20);
    TCanvas& cv = img.Canvas();
    const TRect r{3, 4, 13, 10};
    cv.DrawFocusRect(r);
    EXPECT_EQ(img.InkBounds(), r);
    // Along the top edge every other pixel, those with x + y even, is inverted.
    for (int x = r.Left; x < r.Right; ++x)
        EXPECT_EQ(img.Pixel(x, r.Top), (x + r.Top) % 2 == 0 ? clBlack : clWhite) << x;
    for (int y = r.Top; y < r.Bottom; ++y)
        EXPECT_EQ(img.Pixel(r.Left, y), (r.Left + y) % 2 == 0 ? clBlack : clWhite) << y;
    EXPECT_EQ(img.Ink({r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}), 0);
    cv.DrawFocusRect(r);
    EXPECT_EQ(img.Ink(), 0);
}

} // namespace
