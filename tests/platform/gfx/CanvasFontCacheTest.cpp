// What canvases keep between text calls (the fonts they used, the advances they measured and
// the glyphs they drew, shared by every canvas of the GUI thread) must never show: a canvas
// that has been through many fonts, or comes after canvases that have, measures and draws
// exactly as a canvas does that meets the font for the first time.
#include "support/CanvasImage.h"

#include <QImage>
#include <functional>
#include <gtest/gtest.h>

namespace {

// One font change from the default font (MS Sans Serif, -11, no style).
struct FontChange
{
    const char* name;
    std::function<void(TFont&)> apply;
};

const FontChange fontChanges[] = {
    {"default", [](TFont&) {}},
    {"bold", [](TFont& f) { f.SetStyle({TFontStyle::fsBold}); }},
    {"italic underline",
     [](TFont& f) {
         f.SetStyle({TFontStyle::fsItalic, TFontStyle::fsUnderline});
     }},
    {"strike-out", [](TFont& f) { f.SetStyle({TFontStyle::fsStrikeOut}); }},
    {"taller", [](TFont& f) { f.SetHeight(-16); }},
    {"cell height", [](TFont& f) { f.SetHeight(20); }},
    {"Times", [](TFont& f) { f.SetName("Times New Roman"); }},
    {"Courier bold",
     [](TFont& f) {
         f.SetName("Courier New");
         f.SetStyle({TFontStyle::fsBold});
     }},
    {"Tahoma 12",
     [](TFont& f) {
         f.SetName("Tahoma");
         f.SetSize(12);
     }},
    {"Symbol", [](TFont& f) { f.SetName("Symbol"); }},
};

const QString sample = QStringLiteral("Quarterly plan, fine-tuned");

// The canvas under test runs through every font more than once, in an order that also
// pushes the earliest ones out of what it keeps.
std::vector<std::size_t> visitingOrder()
{
    std::vector<std::size_t> order;
    for (int round = 0; round < 3; ++round)
        for (std::size_t i = 0; i < std::size(fontChanges); ++i)
            order.push_back(round == 1 ? std::size(fontChanges) - 1 - i : i);
    return order;
}

void useFont(TCanvas& cv, const FontChange& change)
{
    TFont f;
    f.SetColor(clBlack);
    change.apply(f);
    cv.Font().Assign(f);
}

// What a canvas meeting the font for the first time measures.
struct Measures
{
    int width = 0;
    int height = 0;
    int drawTextHeight = 0;
    TRect calcRect;
};

Measures firstMeasures(const FontChange& change)
{
    TCanvas::DropSharedFonts();
    CanvasImage fresh(10, 10);
    TCanvas& cv = fresh.Canvas();
    useFont(cv, change);
    Measures m;
    m.width = cv.TextWidth(sample);
    m.height = cv.TextHeight(sample);
    m.calcRect = {0, 0, 60, 0};
    m.drawTextHeight =
        cv.DrawText(sample, m.calcRect, DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS);
    return m;
}

TEST(CanvasFontCache, MeasuresFollowEveryFontChange)
{
    std::vector<Measures> expected;
    for (const FontChange& change : fontChanges)
        expected.push_back(firstMeasures(change));
    TCanvas::DropSharedFonts();

    CanvasImage used(10, 10);
    for (std::size_t i : visitingOrder()) {
        const FontChange& change = fontChanges[i];
        SCOPED_TRACE(change.name);
        // A second canvas in between, as the next paint event's would be.
        CanvasImage other(10, 10);
        useFont(other.Canvas(), fontChanges[(i + 3) % std::size(fontChanges)]);
        other.Canvas().TextWidth(sample);

        useFont(used.Canvas(), change);
        EXPECT_EQ(used.Canvas().TextWidth(sample), expected[i].width);
        EXPECT_EQ(used.Canvas().TextHeight(sample), expected[i].height);
        TRect r{0, 0, 60, 0};
        EXPECT_EQ(used.Canvas().DrawText(sample, r, DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS),
                  expected[i].drawTextHeight);
        EXPECT_EQ(r, expected[i].calcRect);
    }
}

// Changing the font in place, as views do between two calls, is seen as well.
TEST(CanvasFontCache, WidthsFollowInPlaceChangesAndComeBack)
{
    CanvasImage img(10, 10);
    TCanvas& cv = img.Canvas();
    const int plain = cv.TextWidth(sample);
    cv.Font().SetStyle({TFontStyle::fsBold});
    const int bold = cv.TextWidth(sample);
    EXPECT_GT(bold, plain);
    cv.Font().SetHeight(-22);
    EXPECT_GT(cv.TextWidth(sample), bold);
    cv.Font().SetName("Courier New");
    const int mono = cv.TextWidth(sample);
    EXPECT_EQ(mono, int(sample.size()) * cv.TextWidth("x"));
    cv.Font().SetColor(clRed); // the colour does not shape glyphs
    EXPECT_EQ(cv.TextWidth(sample), mono);
    cv.Font().SetName("MS Sans Serif");
    cv.Font().SetHeight(-11);
    cv.Font().SetStyle({});
    EXPECT_EQ(cv.TextWidth(sample), plain);
}

// The calls that write a string, each drawing the sample into a 220 x 40 picture.
struct Writer
{
    const char* name;
    std::function<void(TCanvas&)> write;
};

void drawText(TCanvas& cv, unsigned flags)
{
    TRect r{4, 4, 216, 36};
    cv.DrawText(sample, r, flags);
}

const Writer writers[] = {
    {"DrawText", [](TCanvas& cv) { drawText(cv, DT_SINGLELINE | DT_NOPREFIX); }},
    {"DrawText centred", [](TCanvas& cv) { drawText(cv, DT_SINGLELINE | DT_CENTER); }},
    {"DrawText wrapped", [](TCanvas& cv) { drawText(cv, DT_WORDBREAK); }},
    {"TextOut", [](TCanvas& cv) { cv.TextOut(3, 5, sample); }},
    {"TextRect",
     [](TCanvas& cv) {
         cv.TextRect({2, 2, 150, 30}, 6, 4, sample);
     }},
};

// Pixels of the sample written by a canvas that meets the font and the string for the first
// time (drawn as they come, nothing kept yet).
QImage freshPicture(const FontChange& change, const Writer& writer, QImage image)
{
    TCanvas::DropSharedFonts();
    image.fill(Qt::white);
    TCanvas cv(&image);
    cv.Brush().SetStyle(TBrushStyle::bsClear);
    useFont(cv, change);
    writer.write(cv);
    cv.Release();
    return image;
}

QImage picture(int width, int height, int dotsPerMeter = 3780)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    return image;
}

// A string is drawn the first time as it comes and from the second time on from the glyphs
// kept for it; both must give the fresh canvas's pixels, in the font of the moment and in
// its colour.
TEST(CanvasFontCache, KeptGlyphsDrawLikeAFreshCanvas)
{
    std::vector<QImage> expected;
    for (const Writer& writer : writers)
        for (const FontChange& change : fontChanges)
            expected.push_back(freshPicture(change, writer, picture(220, 40)));
    TCanvas::DropSharedFonts();

    CanvasImage used(220, 40);
    TCanvas& cv = used.Canvas();
    cv.Brush().SetStyle(TBrushStyle::bsClear);
    for (std::size_t w = 0; w < std::size(writers); ++w) {
        for (std::size_t i : visitingOrder()) {
            const FontChange& change = fontChanges[i];
            SCOPED_TRACE(testing::Message() << writers[w].name << " in " << change.name);
            used.Image().fill(Qt::white);
            useFont(cv, change);
            writers[w].write(cv);
            cv.Release();
            EXPECT_EQ(used.Image(), expected[w * std::size(fontChanges) + i]);
        }
    }

    // Only the colour changes: same glyphs, new ink.
    used.Image().fill(Qt::white);
    useFont(cv, fontChanges[0]);
    cv.Font().SetColor(clRed);
    drawText(cv, DT_SINGLELINE);
    EXPECT_GT(used.Count(clRed), 20);
    EXPECT_EQ(used.Count(clBlack), 0);
}

// Canvases are made per paint, so what one kept serves the next, also on a device of another
// resolution (fonts are sized in pixels).
TEST(CanvasFontCache, LaterCanvasesDrawWhatEarlierOnesKept)
{
    const Writer& writer = writers[0];
    for (const int dotsPerMeter : {3780, 7559}) { // 96 and 192 dpi
        SCOPED_TRACE(dotsPerMeter);
        const QImage expected =
            freshPicture(fontChanges[1], writer, picture(220, 40, dotsPerMeter));

        // Earlier paints keep the glyphs at the usual resolution...
        for (int paint = 0; paint < 2; ++paint) {
            QImage earlier = picture(220, 40);
            TCanvas cv(&earlier);
            useFont(cv, fontChanges[1]);
            writer.write(cv);
        }
        // ...and the canvases of two later paints at the resolution under test draw the
        // string as a first-time canvas there does.
        for (int paint = 0; paint < 2; ++paint) {
            SCOPED_TRACE(paint);
            QImage later = picture(220, 40, dotsPerMeter);
            later.fill(Qt::white);
            TCanvas cv(&later);
            cv.Brush().SetStyle(TBrushStyle::bsClear);
            useFont(cv, fontChanges[1]);
            writer.write(cv);
            cv.Release();
            EXPECT_EQ(later, expected);
        }
    }
}

// Other canvases may push a font out of what is kept while a canvas still writes with it.
TEST(CanvasFontCache, AFontPushedOutStaysWithTheCanvasWritingWithIt)
{
    const Writer& writer = writers[0];
    const QImage expected = freshPicture(fontChanges[4], writer, picture(220, 40));

    CanvasImage kept(220, 40);
    TCanvas& cv = kept.Canvas();
    cv.Brush().SetStyle(TBrushStyle::bsClear);
    useFont(cv, fontChanges[4]);
    writer.write(cv);
    for (int height = 8; height < 48; ++height) {
        CanvasImage other(10, 10);
        other.Canvas().Font().SetHeight(-height);
        other.Canvas().TextWidth(sample);
    }
    kept.Image().fill(Qt::white);
    writer.write(cv);
    cv.Release();
    EXPECT_EQ(kept.Image(), expected);
}
} // namespace
