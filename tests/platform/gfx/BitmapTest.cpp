// Bitmaps and image lists: transparent colours left undrawn, the bottom-left default,
// resizing, loading bad input, strips cut into images and out-of-range indexes.
#include "platform/gfx/Bitmap.h"

#include "platform/gfx/ImageList.h"
#include "support/CanvasImage.h"

#include <QByteArray>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A 12 x 12 picture on magenta with a red 4 x 4 square in the middle.
TBitmap glyph()
{
    TBitmap b(12, 12);
    TCanvas& c = b.Canvas();
    c.Brush().SetColor(clFuchsia);
    c.FillRect({0, 0, 12, 12});
    c.Brush().SetColor(clRed);
    c.FillRect({4, 4, 8, 8});
    return b;
}

TEST(BitmapBasics, SizeCanvasAndResizeKeepsPixels)
{
    TBitmap b;
    EXPECT_TRUE(b.Empty());
    int changes = 0;
    b.OnChange = [&](TBitmap&) { ++changes; };
    b.SetSize(10, 8);
    EXPECT_EQ(b.Width(), 10);
    EXPECT_EQ(b.Height(), 8);
    b.Canvas().Brush().SetColor(clBlue);
    b.Canvas().FillRect({0, 0, 5, 5});
    b.SetSize(20, 20);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(b.Image().pixel(4, 4), QColor(Qt::blue).rgb());
    EXPECT_EQ(b.Image().pixel(15, 15), QColor(Qt::white).rgb());
    // The canvas works again after the picture was read.
    b.Canvas().Brush().SetColor(clRed);
    b.Canvas().FillRect({0, 0, 1, 1});
    EXPECT_EQ(b.Image().pixel(0, 0), QColor(Qt::red).rgb());
}

TEST(BitmapTransparency, DefaultTransparentColourIsTheBottomLeftPixel)
{
    TBitmap b = glyph();
    EXPECT_EQ(b.TransparentMode(), TTransparentMode::tmAuto);
    EXPECT_EQ(b.TransparentColor(), clFuchsia);
    b.Canvas().SetPixels(0, 11, clLime);
    EXPECT_EQ(b.TransparentColor(), clLime);
    b.SetTransparentColor(clRed);
    EXPECT_EQ(b.TransparentMode(), TTransparentMode::tmFixed);
    EXPECT_EQ(b.TransparentColor(), clRed);
}

TEST(BitmapTransparency, TransparentPixelsAreNotDrawn)
{
    TBitmap b = glyph();
    CanvasImage img(30, 30, clAqua);
    img.Canvas().Draw(2, 2, b);
    EXPECT_EQ(img.Count(clFuchsia), 144 - 16);

    CanvasImage clear(30, 30, clAqua);
    b.SetTransparent(true);
    clear.Canvas().Draw(2, 2, b);
    EXPECT_EQ(clear.Count(clFuchsia), 0);
    EXPECT_EQ(clear.Count(clRed), 16);
    EXPECT_EQ(clear.InkBounds(), (TRect{6, 6, 10, 10}));

    // Repainting the bitmap is seen by the next transparent draw.
    b.Canvas().Brush().SetColor(clBlue);
    b.Canvas().FillRect({0, 0, 2, 2});
    CanvasImage again(30, 30, clAqua);
    again.Canvas().Draw(0, 0, b);
    EXPECT_EQ(again.Count(clBlue), 4);
}

TEST(BitmapTransparency, StretchDrawScalesAndKeepsTransparency)
{
    TBitmap b = glyph();
    b.SetTransparent(true);
    CanvasImage img(40, 40, clAqua);
    img.Canvas().StretchDraw({0, 0, 24, 24}, b);
    EXPECT_EQ(img.Count(clRed), 64);
    EXPECT_EQ(img.InkBounds(), (TRect{8, 8, 16, 16}));
}

TEST(BitmapTransparency, BrushCopyPutsTheBrushWhereTheColourWas)
{
    TBitmap b = glyph();
    CanvasImage img(20, 20);
    img.Canvas().Brush().SetColor(clYellow);
    img.Canvas().BrushCopy({0, 0, 12, 12}, b, {0, 0, 12, 12}, clFuchsia);
    EXPECT_EQ(img.Count(clYellow), 144 - 16);
    EXPECT_EQ(img.Count(clRed), 16);
}

TEST(BitmapCopy, CopyRectAndCopyModeAnd)
{
    CanvasImage src(20, 20);
    src.Canvas().Brush().SetColor(RGB(0x0F, 0xF0, 0xFF));
    src.Canvas().FillRect({0, 0, 10, 10});
    CanvasImage dst(20, 20);
    dst.Canvas().Brush().SetColor(RGB(0xFF, 0x30, 0x0F));
    dst.Canvas().FillRect({0, 0, 20, 20});
    dst.Canvas().SetCopyMode(TCopyMode::cmSrcAnd);
    dst.Canvas().CopyRect({5, 5, 10, 10}, src.Canvas(), {0, 0, 5, 5});
    EXPECT_EQ(dst.Pixel(6, 6), RGB(0x0F, 0x30, 0x0F));
    EXPECT_EQ(dst.Pixel(4, 4), RGB(0xFF, 0x30, 0x0F));
}

TEST(BitmapLoad, BadInputLeavesTheBitmapAlone)
{
    TBitmap b = glyph();
    EXPECT_FALSE(b.LoadFromFile("/nonexistent/picture.bmp"));
    EXPECT_FALSE(b.LoadFromData(QByteArray("not a picture")));
    EXPECT_EQ(b.Width(), 12);

    QTemporaryDir dir;
    const QString path = dir.filePath("g.png");
    ASSERT_TRUE(b.SaveToFile(path));
    TBitmap loaded;
    ASSERT_TRUE(loaded.LoadFromFile(path));
    EXPECT_EQ(loaded.Image(), b.Image());
}

TEST(ImageList, StripIsCutIntoImages)
{
    TBitmap strip(36, 12);
    strip.Canvas().Brush().SetColor(clWhite);
    strip.Canvas().FillRect({0, 0, 36, 12});
    const TColor colours[] = {clRed, clLime, clBlue};
    for (int i = 0; i < 3; ++i) {
        strip.Canvas().Brush().SetColor(colours[i]);
        strip.Canvas().FillRect({i * 12 + 2, 2, i * 12 + 10, 10});
    }
    TImageList list(12, 12);
    EXPECT_EQ(list.AddMasked(strip, clWhite), 0);
    EXPECT_EQ(list.Count(), 3);

    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        CanvasImage img(20, 20, clAqua);
        list.Draw(img.Canvas(), 4, 4, i);
        EXPECT_EQ(img.Count(colours[i]), 64); // the white around it stayed transparent
        EXPECT_EQ(img.InkBounds(), (TRect{6, 6, 14, 14}));
    }
}

TEST(ImageList, OutOfRangeIndexDrawsNothing)
{
    TImageList list;
    EXPECT_EQ(list.Width(), 16);
    EXPECT_EQ(list.Height(), 16);
    TBitmap b = glyph();
    list.AddMasked(b, clDefault);
    CanvasImage img(20, 20);
    for (int index : {-1, 1, 100}) {
        list.Draw(img.Canvas(), 0, 0, index);
        TBitmap out;
        EXPECT_FALSE(list.GetBitmap(index, out));
    }
    EXPECT_EQ(img.Ink(), 0);
}

TEST(ImageList, MaskBitmapDisabledDrawingAndGetBitmap)
{
    TBitmap b(16, 16);
    b.Canvas().Brush().SetColor(clRed);
    b.Canvas().FillRect({0, 0, 16, 16});
    TBitmap mask(16, 16); // white: transparent
    mask.Canvas().Brush().SetColor(clBlack);
    mask.Canvas().FillRect({0, 0, 8, 16});
    TImageList list;
    EXPECT_EQ(list.Add(b, &mask), 0);

    CanvasImage img(20, 20);
    list.Draw(img.Canvas(), 0, 0, 0);
    EXPECT_EQ(img.InkBounds(), (TRect{0, 0, 8, 16}));

    CanvasImage grey(20, 20);
    list.Draw(grey.Canvas(), 0, 0, 0, false);
    EXPECT_EQ(grey.Count(clRed), 0);
    EXPECT_EQ(grey.Count(clBtnShadow), 8 * 16);

    TBitmap out;
    ASSERT_TRUE(list.GetBitmap(0, out));
    EXPECT_EQ(out.Width(), 16);
    EXPECT_TRUE(out.Transparent());
    CanvasImage redrawn(20, 20);
    redrawn.Canvas().Draw(0, 0, out);
    EXPECT_EQ(redrawn.Image(), img.Image());

    int changes = 0;
    list.OnChange = [&](TImageList&) { ++changes; };
    list.Clear();
    list.Clear();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(list.Count(), 0);
}

} // namespace
