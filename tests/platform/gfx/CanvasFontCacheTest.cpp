// What a canvas keeps between text calls (the fonts it used, the advances it measured and
// the glyphs it drew) must never show: a canvas that has been through many fonts measures
// and draws exactly as a fresh canvas does with the same font.
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

TEST(CanvasFontCache, MeasuresFollowEveryFontChange)
{
    CanvasImage used(10, 10);
    for (std::size_t i : visitingOrder()) {
        const FontChange& change = fontChanges[i];
        SCOPED_TRACE(change.name);
        CanvasImage fresh(10, 10);
        useFont(fresh.Canvas(), change);
        useFont(used.Canvas(), change);
        EXPECT_EQ(used.Canvas().TextWidth(sample), fresh.Canvas().TextWidth(sample));
        EXPECT_EQ(used.Canvas().TextHeight(sample), fresh.Canvas().TextHeight(sample));
        TRect freshRect{0, 0, 60, 0};
        TRect usedRect = freshRect;
        const unsigned flags = DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS;
        EXPECT_EQ(used.Canvas().DrawText(sample, usedRect, flags),
                  fresh.Canvas().DrawText(sample, freshRect, flags));
        EXPECT_EQ(usedRect, freshRect);
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

// Pixels of the sample written once by a fresh canvas in the given font.
QImage freshPicture(const FontChange& change, const Writer& writer)
{
    CanvasImage img(220, 40);
    TCanvas& cv = img.Canvas();
    cv.Brush().SetStyle(TBrushStyle::bsClear);
    useFont(cv, change);
    writer.write(cv);
    cv.Release();
    return img.Image();
}

// A string is drawn the first time as it comes and from the second time on from the glyphs
// kept for it; both must give the fresh canvas's pixels, in the font of the moment and in
// its colour.
TEST(CanvasFontCache, KeptGlyphsDrawLikeAFreshCanvas)
{
    CanvasImage used(220, 40);
    TCanvas& cv = used.Canvas();
    cv.Brush().SetStyle(TBrushStyle::bsClear);
    for (const Writer& writer : writers) {
        for (std::size_t i : visitingOrder()) {
            const FontChange& change = fontChanges[i];
            SCOPED_TRACE(testing::Message() << writer.name << " in " << change.name);
            used.Image().fill(Qt::white);
            useFont(cv, change);
            writer.write(cv);
            cv.Release();
            EXPECT_EQ(used.Image(), freshPicture(change, writer));
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

} // namespace
