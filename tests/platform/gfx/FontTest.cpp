// Fonts, brushes and pens: stored names mapped onto installed families, point and pixel
// sizes, the Qt font's rendering settings, and change notifications that fire once per real
// change and never for a value that did not change.
#include "platform/gfx/Font.h"

#include "platform/gfx/Brush.h"
#include "platform/gfx/Pen.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <gtest/gtest.h>

namespace {

struct MapCase
{
    const char* stored;
    const char* family;
};

const MapCase mapCases[] = {
    {"MS Sans Serif", "Liberation Sans"},
    {"Arial", "Liberation Sans"},
    {"arial", "Liberation Sans"},
    {"Symbol", "DejaVu Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
    {"Tahoma", "DejaVu Sans"},
    {"Verdana", "DejaVu Sans"},
    {"Segoe UI", "DejaVu Sans"},
    {"DejaVu Serif", "DejaVu Serif"},
};

TEST(FontMapping, StoredNamesLandOnInstalledFamilies)
{
    for (const MapCase& c : mapCases) {
        SCOPED_TRACE(c.stored);
        TFont f;
        f.SetName(c.stored);
        EXPECT_EQ(TFont::MapFamily(c.stored), c.family);
        // The family really is installed: Qt resolves to it, not to a fallback.
        EXPECT_EQ(QFontInfo(f.ToQFont()).family(), c.family);
    }
    EXPECT_EQ(TFont::MapFamily("Some Unknown Face"), "Some Unknown Face");
}

TEST(FontDefaults, ClassicDefaults)
{
    TFont f;
    EXPECT_EQ(f.Name(), "MS Sans Serif");
    EXPECT_EQ(f.Height(), -11);
    EXPECT_EQ(f.Size(), 8);
    EXPECT_EQ(f.Color(), clWindowText);
    EXPECT_TRUE(f.Style().IsEmpty());
    EXPECT_EQ(f.Charset(), DEFAULT_CHARSET);
    EXPECT_EQ(f.Orientation(), 0);
}

struct SizeCase
{
    int points;
    int height;
};

const SizeCase sizeCases[] = {{8, -11}, {9, -12}, {10, -13}, {12, -16}, {14, -19}, {24, -32}};

TEST(FontSize, PointsAndPixelHeightsConvertAt96Ppi)
{
    for (const SizeCase& c : sizeCases) {
        SCOPED_TRACE(c.points);
        TFont f;
        f.SetSize(c.points);
        EXPECT_EQ(f.Height(), c.height);
        EXPECT_EQ(f.Size(), c.points);
        EXPECT_EQ(f.ToQFont().pixelSize(), -c.height);
    }
}

TEST(FontSize, PositiveHeightIsTheCellHeight)
{
    TFont f;
    f.SetHeight(20);
    const QFontMetrics m(f.ToQFont());
    EXPECT_LE(m.ascent() + m.descent(), 20);
    EXPECT_GE(m.ascent() + m.descent(), 18);
}

TEST(FontToQt, StylesAndPixelExactRendering)
{
    TFont f;
    f.SetStyle({TFontStyle::fsBold, TFontStyle::fsUnderline});
    const QFont q = f.ToQFont();
    EXPECT_TRUE(q.bold());
    EXPECT_FALSE(q.italic());
    EXPECT_TRUE(q.underline());
    EXPECT_FALSE(q.strikeOut());
    EXPECT_TRUE(q.styleStrategy() & QFont::NoAntialias);
    EXPECT_EQ(q.hintingPreference(), QFont::PreferFullHinting);
    EXPECT_FALSE(q.kerning());
}

TEST(FontStyles, SetOperations)
{
    TFontStyles s;
    s.Include(TFontStyle::fsItalic);
    EXPECT_TRUE(s.Contains(TFontStyle::fsItalic));
    EXPECT_FALSE(s.Contains(TFontStyle::fsBold));
    s = s + TFontStyle::fsBold - TFontStyle::fsItalic;
    EXPECT_EQ(s, TFontStyles{TFontStyle::fsBold});
}

TEST(FontChange, OnChangeFiresOncePerRealChange)
{
    TFont f;
    int calls = 0;
    f.OnChange = [&](TFont& sender) {
        EXPECT_EQ(&sender, &f);
        ++calls;
    };
    struct Step
    {
        const char* name;
        std::function<void()> apply;
        int expectedCalls; // running total
    };
    const Step steps[] = {
        {"name", [&] { f.SetName("Arial"); }, 1},
        {"same name", [&] { f.SetName("Arial"); }, 1},
        {"size", [&] { f.SetSize(10); }, 2},
        {"same size as height", [&] { f.SetHeight(-13); }, 2},
        {"colour", [&] { f.SetColor(clRed); }, 3},
        {"style", [&] { f.SetStyle({TFontStyle::fsBold}); }, 4},
        {"same style", [&] { f.SetStyle({TFontStyle::fsBold}); }, 4},
        {"charset", [&] { f.SetCharset(SYMBOL_CHARSET); }, 5},
        {"orientation", [&] { f.SetOrientation(900); }, 6},
        {"assign equal", [&] { f.Assign(TFont(f)); }, 6},
        {"assign different", [&] { f.Assign(TFont()); }, 7},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        s.apply();
        EXPECT_EQ(calls, s.expectedCalls);
    }
    EXPECT_EQ(f, TFont());
    // Copies take the description, not the handler.
    TFont copy(f);
    EXPECT_FALSE(copy.OnChange);
}

TEST(FontChange, BrushAndPenNotifyOnlyOnRealChanges)
{
    TBrush b;
    int brushCalls = 0;
    b.OnChange = [&](TBrush&) { ++brushCalls; };
    b.SetColor(clWhite);
    b.SetColor(clRed);
    b.SetStyle(TBrushStyle::bsSolid);
    b.SetStyle(TBrushStyle::bsClear);
    b.Assign(TBrush(b));
    EXPECT_EQ(brushCalls, 2);
    EXPECT_FALSE(b.Fills());

    TPen p;
    int penCalls = 0;
    p.OnChange = [&](TPen&) { ++penCalls; };
    p.SetWidth(0); // counts as 1, the current width
    p.SetWidth(2);
    p.SetColor(clBlack);
    p.SetStyle(TPenStyle::psDot);
    p.SetMode(TPenMode::pmXor);
    p.Assign(TPen());
    EXPECT_EQ(penCalls, 4);
    EXPECT_EQ(p, TPen());
}

} // namespace
