// DrawMarkup's layout: plain text, line breaking (word wrap, no-break runs, ellipsis
// mode), alignment, lists, sub- and superscripts, the bottom of the rectangle, anchors and
// their hit results, embedded controls, and what the canvas looks like afterwards.
// Expected widths are built from the canvas's own text widths, so the cases hold for any
// font the test machine maps the base font to.
#include "comp/PlanHTML/PlanHTML.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/DrawFlags.h"
#include "platform/gfx/ImageList.h"
#include "support/CanvasImage.h"

#include <gtest/gtest.h>

namespace {

class DrawMarkupTest : public ::testing::Test
{
protected:
    // Width of a run as a piece is measured, in the base font with extra styles.
    int W(const QString& s, TFontStyles styles = {})
    {
        TCanvas& c = m_scratch.Canvas();
        c.Font().SetStyle(styles);
        TRect r{0, 0, 1000, 100};
        c.DrawText(s, r, DT_SINGLELINE | DT_CALCRECT);
        c.Font().SetStyle({});
        return r.Width();
    }
    int gh() { return m_scratch.Canvas().TextHeight(QStringLiteral("gh")); }
    // Adds one picture of the list's size, all lime.
    static void addLimeImage(TImageList& images)
    {
        TBitmap strip(images.Width(), images.Height());
        strip.Canvas().Brush().SetColor(clLime);
        strip.Canvas().FillRect({0, 0, images.Width(), images.Height()});
        images.Add(strip, nullptr);
    }

    // Draws into the fixture's picture, wiped white first.
    bool run(const QString& text, const TRect& bounds, TMarkupResults& r,
             const TMarkupOptions& options = {})
    {
        TCanvas& c = m_img.Canvas();
        const TBrush brush = c.Brush();
        c.Brush().SetColor(clWhite);
        c.Brush().SetStyle(TBrushStyle::bsSolid);
        c.FillRect(m_img.Bounds());
        c.Brush() = brush;
        return DrawMarkup(m_img.Canvas(), text, bounds, options, r);
    }

    CanvasImage m_scratch{10, 10};
    CanvasImage m_img{400, 200};
};

struct LayoutCase
{
    const char* markup;
    const char16_t* plain;
    const char16_t* widest; // the widest line's text in the base font
    int lines;
};

TEST_F(DrawMarkupTest, PlainTextWidthAndHeightOfUnwrappedTexts)
{
    const LayoutCase cases[] = {
        {"", u"", u"", 0},
        {"abc", u"abc", u"abc", 1},
        // An unclosed "<" swallows the rest; "&lt;" is the literal.
        {"a < b", u"a ", u"a", 1},
        {"a &lt; b", u"a < b", u"a < b", 1},
        {"x&amp;y", u"x&&y", u"x&&y", 1},
        {"&permil;", u"\u2030", u"\u2030", 1},
        {"&EURO;&trade;&copy;&reg;&sect;&para;&quot;", u"\u20AC\u2122\u00A9\u00AE\u00A7\u00B6\"",
         u"\u20AC\u2122\u00A9\u00AE\u00A7\u00B6\"", 1},
        {"<#FF0000>", u"#FF0000", u"#FF0000", 1},
        {"one\r\ntwo!", u"one\rtwo!", u"two!", 2},
        {"one\ntwo", u"onetwo", u"onetwo", 1},
        {"a<BR>bb<br>c", u"a\rbb\rc", u"bb", 3},
        {"<BIG>x<HX>y", u"xy", u"xy", 1},
        {"ab</A", u"ab", u"ab", 1},
        {"ab<", u"ab", u"ab", 1},
        {"ab<c", u"ab", u"ab", 1},
        {"<Z>hidden</Z>shown", u"hiddenshown", u"shown", 1},
        {"a&nbsp;b", u"a b", u"a b", 1},
        {"<HR>below", u"below", u"below", 2},
        {"<P>one</P>two", u"onetwo", u"two", 2},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.markup);
        TMarkupResults r;
        EXPECT_FALSE(run(QString::fromUtf8(c.markup), {0, 0, 390, 190}, r));
        EXPECT_EQ(r.PlainText, QString::fromUtf16(c.plain));
        EXPECT_EQ(r.Width, W(QString::fromUtf16(c.widest)));
        EXPECT_EQ(r.Height, std::max(1, c.lines) * gh());
        EXPECT_EQ(r.AnchorCount, 0);
        EXPECT_EQ(r.HitIndex, -1);
    }
}

TEST_F(DrawMarkupTest, WordWrapBreaksAtSpacesOnly)
{
    const QString text = QStringLiteral("aaa bbb ccc");
    // Room for "aaa bbb " (trailing space included) but not for "ccc" after it.
    const int right = 1 + W(QStringLiteral("aaa bbb ")) + 1;
    TMarkupResults r;
    run(text, {0, 0, right, 190}, r);
    EXPECT_EQ(r.Height, 2 * gh());
    EXPECT_EQ(r.Width, W(QStringLiteral("aaa bbb")));
    EXPECT_EQ(r.PlainText, text);

    // No space between the two words: no break, whatever the width.
    TMarkupResults joined;
    run(QStringLiteral("<B>bold</B>text"), {0, 0, 10, 190}, joined);
    EXPECT_EQ(joined.Height, gh());
    EXPECT_EQ(joined.Width,
              W(QStringLiteral("bold"), {TFontStyle::fsBold}) + W(QStringLiteral("text")));

    // A word wider than the whole line is placed alone on its line and cut at the right
    // edge; what follows starts the next line.
    const int narrow = 1 + W(QStringLiteral("very"));
    TMarkupResults alone;
    run(QStringLiteral("verylongword b"), {0, 0, narrow, 190}, alone);
    EXPECT_EQ(alone.Height, 2 * gh());
    EXPECT_EQ(alone.Width, W(QStringLiteral("verylongword")));
    EXPECT_EQ(m_img.Ink({narrow, 0, 400, 200}), 0);
    // After other words it starts a line of its own.
    TMarkupResults after;
    run(QStringLiteral("a verylongword b"), {0, 0, narrow, 190}, after);
    EXPECT_EQ(after.Height, 3 * gh());
    EXPECT_EQ(after.Width, W(QStringLiteral("verylongword")));
    EXPECT_EQ(after.PlainText, QStringLiteral("a verylongword b"));
    EXPECT_EQ(m_img.Ink({narrow, 0, 400, 200}), 0);
    // A bullet before it keeps it on the bullet's line.
    TMarkupResults bullet;
    run(QStringLiteral("<UL><LI>verylongword</UL>"), {0, 0, narrow + 12, 190}, bullet);
    EXPECT_EQ(bullet.Height, gh());

    // "&nbsp;" keeps two words together.
    TMarkupResults nbsp;
    run(QStringLiteral("aaa&nbsp;bbb"), {0, 0, 1 + W(QStringLiteral("aaa ")) + 1, 190}, nbsp);
    EXPECT_EQ(nbsp.Height, gh());
}

TEST_F(DrawMarkupTest, WithoutWordWrapOneLineEndsInAnEllipsis)
{
    TMarkupOptions o;
    o.WordWrap = false;
    const QString text = QStringLiteral("a rather long line of text");
    const int right = 1 + W(QStringLiteral("a rather"));
    TMarkupResults r;
    run(text, {0, 0, right, 190}, r, o);
    EXPECT_EQ(r.Height, gh());
    EXPECT_EQ(r.PlainText, text);
    EXPECT_LE(r.Width, right - 1);
    // The end of the text is not drawn; the ellipsis is.
    EXPECT_EQ(m_img.Ink({right, 0, 400, 200}), 0);

    TMarkupResults lines;
    run(QStringLiteral("ab<BR>cd"), {0, 0, 390, 190}, lines, o);
    EXPECT_EQ(lines.Height, 2 * gh());
}

TEST_F(DrawMarkupTest, DrawingStopsAtTheBottomUnlessOnlyMeasuring)
{
    const QString text = QStringLiteral("a<BR>b<BR>c");
    const TRect bounds{0, 0, 390, gh() * 3 / 2};
    TMarkupResults drawn;
    run(text, bounds, drawn);
    EXPECT_EQ(drawn.Height, gh());
    EXPECT_EQ(drawn.PlainText, QStringLiteral("a\r"));

    TMarkupOptions o;
    o.MeasureOnly = true;
    CanvasImage fresh(400, 200);
    TMarkupResults measured;
    DrawMarkup(fresh.Canvas(), text, bounds, o, measured);
    EXPECT_EQ(measured.Height, 3 * gh());
    EXPECT_EQ(measured.PlainText, QStringLiteral("a\rb\rc"));
    EXPECT_EQ(fresh.Ink(), 0);
}

TEST_F(DrawMarkupTest, MeasuringAgreesWithDrawingOverManyLines)
{
    // A picture narrower than the line but too wide to follow the text before it starts the
    // next line; so does a second list item.
    TImageList images(40, 12);
    addLimeImage(images);

    struct AgreeCase
    {
        const char* name;
        const char* markup;
        int width;
        bool wordWrap;
    };
    const AgreeCase cases[] = {
        {"nested lists", "<UL><LI>one two three<LI>four<UL><LI>five six seven</UL><LI>eight</UL>",
         70, true},
        {"anchors across lines",
         "<A href=\"a\">first link</A> and <A href=\"b\">a second link of many words</A><BR>"
         "<A href=\"c\">third</A>",
         80, true},
        {"hidden text", "<Z>hidden words that are long</Z>shown words<BR><Z>more</Z>x<Z>y z</Z>",
         60, true},
        {"pictures in anchors",
         "<A href=\"p\">ab<IMG SRC=\"IDX:0\"><IMG SRC=\"IDX:0\"></A><A href=\"q\">cd</A>"
         "<IMG SRC=\"IDX:0\">",
         60, true},
        {"list items with pictures",
         "<UL><LI><IMG SRC=\"IDX:0\">x<IMG SRC=\"IDX:0\"><LI><A href=\"l\">y</A></UL>", 70, true},
        // A tag without its ">" ends the text where it starts: the measuring pass applies it,
        // drawing never gets to it.
        {"an anchor tag left open", "<A href=\"a\">one</A> two<BR>three <A href=\"b\"", 80, true},
        {"an anchor left open, no wrap", "<UL><LI>one<LI>two <A href=\"x\"", 80, false},
        {"without word wrap",
         "<UL><LI>one<LI><A href=\"a\">two</A><Z>gone</Z></UL><BR><A href=\"b\">three</A>", 70,
         false},
    };
    for (const AgreeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QString text = QString::fromUtf8(c.markup);
        const TRect bounds{0, 0, c.width, 5000};
        TMarkupOptions o;
        o.Images = &images;
        o.WordWrap = c.wordWrap;
        TMarkupResults drawn;
        run(text, bounds, drawn, o);
        o.MeasureOnly = true;
        TMarkupResults measured;
        run(text, bounds, measured, o);
        EXPECT_GT(drawn.Height, gh());
        EXPECT_EQ(measured.Width, drawn.Width);
        EXPECT_EQ(measured.Height, drawn.Height);
        EXPECT_EQ(measured.AnchorCount, drawn.AnchorCount);
        EXPECT_EQ(measured.PlainText, drawn.PlainText);
    }
}

TEST_F(DrawMarkupTest, ListItemsStartLinesIndentedPerLevel)
{
    TMarkupResults r;
    run(QStringLiteral("<UL><LI>one<LI>two<UL><LI>deep</UL></UL>"), {0, 0, 390, 190}, r);
    EXPECT_EQ(r.Height, 3 * gh());
    EXPECT_EQ(r.PlainText, QStringLiteral("onetwodeep"));
    EXPECT_EQ(r.Width, std::max(12 + W(QStringLiteral("two")), 24 + W(QStringLiteral("deep"))));
    // Bullets sit in the 12 pixels before each item's text.
    EXPECT_GT(m_img.Ink({1, 0, 13, gh()}), 0);
    EXPECT_GT(m_img.Ink({13, 2 * gh(), 25, 3 * gh()}), 0);
    EXPECT_EQ(m_img.Ink({1, 2 * gh(), 13, 3 * gh()}), 0);
}

TEST_F(DrawMarkupTest, SubscriptAndSuperscriptMakeTheLineTaller)
{
    const int quarter = gh() / 4;
    TMarkupResults sub;
    run(QStringLiteral("H<SUB>2</SUB>O"), {0, 0, 390, 190}, sub);
    EXPECT_EQ(sub.Height, gh() + quarter);
    EXPECT_EQ(sub.Width, W(QStringLiteral("H2O")));
    const int hRight = 1 + W(QStringLiteral("H"));
    const int twoRight = hRight + W(QStringLiteral("2"));
    const TRect hInk = m_img.InkBounds({0, 0, hRight, 100});
    const TRect twoInk = m_img.InkBounds({hRight, 0, twoRight, 100});
    EXPECT_EQ(twoInk.Bottom - hInk.Bottom, quarter);

    CanvasImage up(400, 200);
    TMarkupResults sup;
    DrawMarkup(up.Canvas(), QStringLiteral("x<SUP>2</SUP>"), {0, 0, 390, 190}, {}, sup);
    EXPECT_EQ(sup.Height, gh() + quarter);
    const int xRight = 1 + W(QStringLiteral("x"));
    EXPECT_EQ(up.InkBounds({0, 0, xRight, 100}).Bottom - up.InkBounds({xRight, 0, 390, 100}).Bottom,
              quarter);
}

TEST_F(DrawMarkupTest, ParagraphAlignment)
{
    const QString word = QStringLiteral("word");
    const int w = W(word);
    TMarkupResults r;
    run(word, {0, 0, 200, 50}, r);
    const int leftInk = m_img.InkBounds().Left;

    CanvasImage right(400, 200);
    DrawMarkup(right.Canvas(), QStringLiteral("<P align=\"right\">") + word, {0, 0, 200, 50}, {},
               r);
    EXPECT_EQ(right.InkBounds().Left, leftInk + (200 - w) - 1);

    CanvasImage centre(400, 200);
    DrawMarkup(centre.Canvas(), QStringLiteral("<P align=\"center\">") + word, {0, 0, 200, 50}, {},
               r);
    EXPECT_EQ(centre.InkBounds().Left, leftInk + (199 - w) / 2);

    // A right-aligned line exactly as wide as the line stays at the left edge.
    CanvasImage exact(400, 200);
    DrawMarkup(exact.Canvas(), QStringLiteral("<P align=\"right\">") + word, {0, 0, 1 + w, 50}, {},
               r);
    EXPECT_EQ(exact.InkBounds().Left, leftInk);

    CanvasImage indented(400, 200);
    DrawMarkup(indented.Canvas(), QStringLiteral("<P indent=\"7\">") + word, {0, 0, 200, 50}, {},
               r);
    EXPECT_EQ(indented.InkBounds().Left, leftInk + 7);
}

TEST_F(DrawMarkupTest, AnchorsAreCountedAndHitByTheirText)
{
    const QString text = QStringLiteral("<A href=\"x\">one</A> <A href=\"y\">two</A>");
    const int twoLeft = 1 + W(QStringLiteral("one")) + W(QStringLiteral(" "));
    const int twoRight = twoLeft + W(QStringLiteral("two"));

    struct HitCase
    {
        const char* name;
        int x, y;
        bool hit;
        const char* anchor;
        int index;
    };
    const HitCase cases[] = {
        {"on two", (twoLeft + twoRight) / 2, gh() / 2, true, "y", 2},
        {"on one", 3, gh() / 2, true, "x", 1},
        {"between the anchors", twoLeft - 1, gh() / 2, false, "", -1},
        {"below the line", 3, gh() + 2, false, "", -1},
        {"right of the text", twoRight + 5, gh() / 2, false, "", -1},
    };
    for (const HitCase& c : cases) {
        SCOPED_TRACE(c.name);
        TMarkupOptions o;
        o.MouseX = c.x;
        o.MouseY = c.y;
        o.HitTestOnly = true;
        TMarkupResults r;
        EXPECT_EQ(run(text, {0, 0, 390, 190}, r, o), c.hit);
        EXPECT_EQ(r.AnchorCount, 2);
        EXPECT_EQ(r.HitAnchor, QString::fromUtf8(c.anchor));
        EXPECT_EQ(r.HitIndex, c.index);
        EXPECT_EQ(m_img.Ink(), 0);
    }

    TMarkupOptions o;
    o.MouseX = twoLeft + 2;
    o.MouseY = 2;
    TMarkupResults r;
    run(text, {0, 0, 390, 190}, r, o);
    EXPECT_EQ(r.HitAnchorRect, (TRect{twoLeft, 0, twoRight, gh()}));
}

TEST_F(DrawMarkupTest, HitResultsComeFromTheDrawnPositionAfterAlignment)
{
    const QString text = QStringLiteral("<P align=\"right\"><A href=\"r\">go</A>");
    const int w = W(QStringLiteral("go"));
    TMarkupOptions o;
    o.HitTestOnly = true;
    o.MouseY = 3;
    TMarkupResults r;
    o.MouseX = 3;
    EXPECT_FALSE(run(text, {0, 0, 200, 50}, r, o));
    o.MouseX = 200 - w / 2;
    EXPECT_TRUE(run(text, {0, 0, 200, 50}, r, o));
    EXPECT_EQ(r.HitAnchorRect, (TRect{200 - w, 0, 200, gh()}));
}

TEST_F(DrawMarkupTest, FocusedAnchorIsFramedAndReported)
{
    const QString text = QStringLiteral("<A href=\"x\">one</A> <A href=\"y\">two</A>");
    TMarkupOptions o;
    o.FocusIndex = 1;
    TMarkupResults r;
    run(text, {0, 0, 390, 190}, r, o);
    EXPECT_EQ(r.FocusAnchor, QStringLiteral("y"));
    const int twoLeft = 1 + W(QStringLiteral("one")) + W(QStringLiteral(" "));
    const int twoRight = twoLeft + W(QStringLiteral("two"));
    // The dotted frame's top row, widened by one pixel on each side.
    const TRect top{twoLeft - 1, 0, twoRight + 1, 1};
    int dots = 0;
    for (int x = top.Left; x < top.Right; ++x)
        dots += (x % 2 == 0) ? 1 : 0;
    EXPECT_EQ(m_img.Ink(top), dots);
    EXPECT_EQ(m_img.Ink({0, 0, twoLeft - 1, 1}), 0);
}

TEST_F(DrawMarkupTest, AnchorColourUnderlineAndHoverOnly)
{
    const QString text = QStringLiteral("<A href=\"x\">mmm</A> <A href=\"y\">mmm</A>");
    const int firstRight = 1 + W(QStringLiteral("mmm"));
    const int secondLeft = firstRight + W(QStringLiteral(" "));
    auto longestRedRun = [](CanvasImage& img, int left, int right) {
        int best = 0;
        for (int y = 0; y < img.Height(); ++y) {
            int run = 0;
            for (int x = left; x < right; ++x) {
                run = img.Pixel(x, y) == clRed ? run + 1 : 0;
                best = std::max(best, run);
            }
        }
        return best;
    };
    TMarkupOptions o;
    o.AnchorColor = clRed;
    TMarkupResults r;
    run(text, {0, 0, 390, 190}, r, o);
    EXPECT_GE(longestRedRun(m_img, 1, firstRight), W(QStringLiteral("mmm")) - 1);
    EXPECT_GE(longestRedRun(m_img, secondLeft, 390), W(QStringLiteral("mmm")) - 1);

    CanvasImage hover(400, 200);
    o.HoverOnly = true;
    o.HoverIndex = 2;
    DrawMarkup(hover.Canvas(), text, {0, 0, 390, 190}, o, r);
    EXPECT_GT(hover.Count(clRed, {1, 0, firstRight, 50}), 0);
    EXPECT_LT(longestRedRun(hover, 1, firstRight), W(QStringLiteral("mmm")) / 2);
    EXPECT_GE(longestRedRun(hover, secondLeft, 390), W(QStringLiteral("mmm")) - 1);
    // Text after the anchor is back in the base font's colour.
    EXPECT_EQ(m_img.Count(clRed, {firstRight, 0, secondLeft, 50}), 0);
}

TEST_F(DrawMarkupTest, EmbeddedCheckBoxIsHitAsAControl)
{
    const QString text = QStringLiteral("<CONTROL TYPE=\"CHECK\" ID=\"c1\" VALUE=\"TRUE\">");
    TMarkupOptions o;
    o.MouseX = 9;
    o.MouseY = 8;
    TMarkupResults r;
    EXPECT_TRUE(run(text, {0, 0, 390, 190}, r, o));
    EXPECT_EQ(r.HitAnchor, QStringLiteral("ctrl"));
    EXPECT_EQ(r.HitControlId, QStringLiteral("c1"));
    EXPECT_EQ(r.HitControlValue, QStringLiteral("TRUE"));
    EXPECT_EQ(r.HitControlType, QStringLiteral("CHECK"));
    EXPECT_EQ(r.HitControlRect, (TRect{1, 0, 17, 16}));
    EXPECT_EQ(r.Width, 16);
    EXPECT_EQ(r.Height, std::max(16, gh()));
    EXPECT_GT(m_img.Ink({1, 0, 17, 17}), 0);

    // Off the box: no hit, and the control results are cleared.
    o.MouseX = 30;
    TMarkupResults miss;
    miss.HitControlId = QStringLiteral("stale");
    EXPECT_FALSE(run(text, {0, 0, 390, 190}, miss, o));
    EXPECT_EQ(miss.HitControlId, QString());
    EXPECT_EQ(miss.HitControlRect, (TRect{0, 0, 0, 0}));
}

TEST_F(DrawMarkupTest, ControlBoxesAndDrawing)
{
    struct ControlCase
    {
        const char* markup;
        int width;
        int height;
    };
    const int edit = gh() + 6;
    const ControlCase cases[] = {
        {"<CONTROL TYPE=\"EDIT\" WIDTH=\"60\" VALUE=\"v\">", 60, edit},
        {"<CONTROL TYPE=\"COMBO\" WIDTH=\"70\" VALUE=\"v\">", 70, 25},
        {"<CONTROL TYPE=\"RADIO\" VALUE=\"True\">", 16, 16},
        {"<CONTROL TYPE=\"BUTTON\" WIDTH=\"50\" VALUE=\"Go\">", 50, 24},
        // Without a valid width the box takes no room.
        {"<CONTROL TYPE=\"EDIT\" WIDTH=\"wide\">", 0, edit},
    };
    for (const ControlCase& c : cases) {
        SCOPED_TRACE(c.markup);
        CanvasImage img(400, 200);
        TMarkupResults r;
        DrawMarkup(img.Canvas(), QString::fromUtf8(c.markup), {0, 0, 390, 190}, {}, r);
        EXPECT_EQ(r.Width, c.width);
        EXPECT_EQ(r.Height, std::max(gh(), c.height));
        if (c.width > 0) {
            EXPECT_GT(img.Ink(), 0);
        }
    }
}

TEST_F(DrawMarkupTest, ImagesFromAnImageListAndVerticalAlignment)
{
    TImageList images(16, 40);
    addLimeImage(images);
    TMarkupOptions o;
    o.Images = &images;

    TMarkupResults r;
    run(QStringLiteral("<IMG SRC=\"IDX:0\">x"), {0, 0, 390, 190}, r, o);
    EXPECT_EQ(r.Height, 40);
    EXPECT_EQ(r.Width, 16 + W(QStringLiteral("x")));
    EXPECT_EQ(m_img.Count(clLime), 16 * 40);
    EXPECT_EQ(m_img.InkBounds({1, 0, 17, 100}), (TRect{1, 0, 17, 40}));
    const int plainBottom = m_img.InkBounds({17, 0, 390, 100}).Bottom;

    struct AlignCase
    {
        const char* align;
        int raise;
    };
    const AlignCase cases[] = {{"MIDDLE", (40 - gh()) / 2}, {"TOP", 40 - gh()}};
    for (const AlignCase& c : cases) {
        SCOPED_TRACE(c.align);
        CanvasImage img(400, 200);
        DrawMarkup(img.Canvas(),
                   QStringLiteral("<IMG SRC=\"IDX:0\" ALIGN=\"%1\">x").arg(QLatin1String(c.align)),
                   {0, 0, 390, 190}, o, r);
        EXPECT_EQ(img.InkBounds({17, 0, 390, 100}).Bottom, plainBottom - c.raise);
    }

    // Missing lists and indexes take no room.
    const char* nothing[] = {"<IMG SRC=\"IDX:1\">", "<IMG SRC=\"IDX:-1\">", "<IMG SRC=\"nope\">"};
    for (const char* markup : nothing) {
        SCOPED_TRACE(markup);
        TMarkupResults empty;
        run(QString::fromUtf8(markup), {0, 0, 390, 190}, empty, o);
        EXPECT_EQ(empty.Width, 0);
        EXPECT_EQ(empty.Height, gh());
    }
}

TEST_F(DrawMarkupTest, ImageInsideAnAnchorIsHit)
{
    TImageList images(16, 16);
    TBitmap b(16, 16);
    images.Add(b, nullptr);
    TMarkupOptions o;
    o.Images = &images;
    o.MouseX = 8;
    o.MouseY = 8;
    o.HitTestOnly = true;
    TMarkupResults r;
    EXPECT_TRUE(
        run(QStringLiteral("<A href=\"pic\"><IMG SRC=\"IDX:0\"></A>"), {0, 0, 390, 190}, r, o));
    EXPECT_EQ(r.HitAnchor, QStringLiteral("pic"));

    TMarkupResults outside;
    EXPECT_FALSE(run(QStringLiteral("<IMG SRC=\"IDX:0\">"), {0, 0, 390, 190}, outside, o));
}

TEST_F(DrawMarkupTest, PixelsOfBoldErrorMarkAndBackgrounds)
{
    TMarkupResults r;
    run(QStringLiteral("mmm"), {0, 0, 390, 190}, r);
    const int plainInk = m_img.Ink();
    CanvasImage bold(400, 200);
    DrawMarkup(bold.Canvas(), QStringLiteral("<B>mmm</B>"), {0, 0, 390, 190}, {}, r);
    EXPECT_GT(bold.Ink(), plainInk);
    EXPECT_EQ(r.Width, W(QStringLiteral("mmm"), {TFontStyle::fsBold}));

    // The zig-zag hangs on absolute x: low at multiples of 4, high at the other even x.
    CanvasImage error(400, 200);
    DrawMarkup(error.Canvas(), QStringLiteral("<E>mmmm</E>"), {0, 0, 390, 190}, {}, r);
    const int bottom = gh();
    EXPECT_EQ(error.Pixel(4, bottom + 1), clRed);
    EXPECT_EQ(error.Pixel(6, bottom - 1), clRed);
    EXPECT_EQ(error.Pixel(8, bottom + 1), clRed);
    EXPECT_EQ(error.Pixel(4, bottom - 1), clWhite);
    EXPECT_GT(error.Count(clRed), W(QStringLiteral("mmmm")) - 4);

    CanvasImage body(100, 50);
    DrawMarkup(body.Canvas(), QStringLiteral("<BODY BGCOLOR=\"clYellow\">x"), {5, 5, 60, 40}, {},
               r);
    EXPECT_EQ(body.Pixel(5, 5), clYellow);
    EXPECT_EQ(body.Pixel(59, 39), clYellow);
    EXPECT_EQ(body.Pixel(60, 40), clWhite);

    CanvasImage para(100, 80);
    DrawMarkup(para.Canvas(), QStringLiteral("<P BGCOLOR=\"#00FF00\">a<BR>b</P>c"), {0, 0, 100, 80},
               {}, r);
    EXPECT_EQ(para.Pixel(99, 1), clLime);
    EXPECT_EQ(para.Pixel(99, gh() + 1), clLime);
    EXPECT_EQ(para.Pixel(99, 2 * gh() + 1), clWhite);
}

TEST_F(DrawMarkupTest, CanvasFontAndBrushArePutBack)
{
    TCanvas& c = m_img.Canvas();
    c.Brush().SetColor(clSilver);
    const TFont before = c.Font();
    TMarkupResults r;
    run(QStringLiteral("<B><I><FONT FACE=\"Arial\" SIZE=\"5\" COLOR=\"clRed\" BGCOLOR=\"clAqua\">"
                       "<A href=\"u\"><HI>open"),
        {0, 0, 390, 190}, r);
    EXPECT_TRUE(c.Font() == before);
    EXPECT_EQ(c.Brush().Color(), clSilver);
    EXPECT_EQ(c.BkMode(), TBkMode::bkTransparent);
}

TEST_F(DrawMarkupTest, FontTagSizesFacesAndColours)
{
    TMarkupResults r;
    run(QStringLiteral("<FONT SIZE=\"3\">x</FONT>"), {0, 0, 390, 190}, r);
    CanvasImage probe(10, 10);
    probe.Canvas().Font().SetSize(12);
    EXPECT_EQ(r.Height, probe.Canvas().TextHeight(QStringLiteral("x")));

    // Colours: names need the "cl" prefix; plain HTML names give black.
    struct ColorCase
    {
        const char* attr;
        TColor color;
    };
    const ColorCase cases[] = {{"clRed", clRed}, {"#0000FF", clBlue}, {"red", clBlack}};
    for (const ColorCase& cc : cases) {
        SCOPED_TRACE(cc.attr);
        CanvasImage img(100, 40);
        DrawMarkup(img.Canvas(),
                   QStringLiteral("<FONT COLOR=\"%1\">mmm</FONT>").arg(QLatin1String(cc.attr)),
                   {0, 0, 100, 40}, {}, r);
        EXPECT_GT(img.Count(cc.color), 0);
    }

    // Selected look keeps the colour of the text.
    CanvasImage selected(100, 40);
    TMarkupOptions o;
    o.SelectedLook = true;
    selected.Canvas().Font().SetColor(clGreen);
    DrawMarkup(selected.Canvas(), QStringLiteral("<FONT COLOR=\"clRed\">mmm</FONT>"),
               {0, 0, 100, 40}, o, r);
    EXPECT_EQ(selected.Count(clRed), 0);
    EXPECT_GT(selected.Count(clGreen), 0);
}

TEST_F(DrawMarkupTest, BlinkingTextIsInvisibleInTheOffPhase)
{
    TMarkupOptions o;
    o.BlinkOn = false;
    TMarkupResults r;
    run(QStringLiteral("<BLINK>mmm</BLINK>"), {0, 0, 390, 190}, r, o);
    EXPECT_EQ(m_img.Ink(), 0);
    o.BlinkOn = true;
    run(QStringLiteral("<BLINK>mmm</BLINK>"), {0, 0, 390, 190}, r, o);
    EXPECT_GT(m_img.Ink(), 0);
}

// A canvas that has drawn other markup before (and keeps fonts, advances and glyphs from
// it) lays out and draws a text exactly as a fresh canvas does.
TEST(DrawMarkupRepeated, AUsedCanvasDrawsLikeAFreshOne)
{
    const QString texts[] = {
        QStringLiteral(
            "<B>Review</B> the <I>quarterly</I> plan with <A href=\"mailto:t@e.com\">the "
            "team</A><BR><FONT COLOR=\"clRed\">Due friday</FONT> &amp; <U>agenda</U>."),
        QStringLiteral("<FONT face=\"Times New Roman\" size=\"4\">Big <S>strike</S></FONT> "
                       "x<SUB>2</SUB> y<SUP>3</SUP> <SHAD>shadow</SHAD> <E>error</E>"),
        QStringLiteral("<P align=\"center\"><B>bold</B> centred text long enough to wrap</P>"
                       "<FONT face=\"Symbol\">abc</FONT> a&lt;b&gt;c"),
    };
    struct Mode
    {
        bool wordWrap;
        bool hitTestOnly;
        int right;
    };
    const Mode modes[] = {{true, false, 200}, {false, false, 120}, {true, true, 90}};

    const auto draw = [](CanvasImage& img, const QString& text, const Mode& m) {
        img.Image().fill(Qt::white);
        TMarkupOptions o;
        o.WordWrap = m.wordWrap;
        o.HitTestOnly = m.hitTestOnly;
        o.MouseX = 40;
        o.MouseY = 8;
        o.FocusIndex = 0;
        TMarkupResults r;
        DrawMarkup(img.Canvas(), text, {0, 0, m.right, 120}, o, r);
        img.Canvas().Release();
        return r;
    };

    CanvasImage used(220, 130);
    for (int round = 0; round < 3; ++round) {
        for (const QString& text : texts) {
            for (const Mode& m : modes) {
                SCOPED_TRACE(testing::Message() << "round " << round << ": " << text.toStdString()
                                                << ", width " << m.right);
                CanvasImage fresh(220, 130);
                const TMarkupResults expected = draw(fresh, text, m);
                const TMarkupResults got = draw(used, text, m);
                EXPECT_EQ(got.PlainText, expected.PlainText);
                EXPECT_EQ(got.Width, expected.Width);
                EXPECT_EQ(got.Height, expected.Height);
                EXPECT_EQ(got.HitAnchor, expected.HitAnchor);
                EXPECT_EQ(got.FocusAnchor, expected.FocusAnchor);
                EXPECT_EQ(got.AnchorCount, expected.AnchorCount);
                EXPECT_TRUE(used.Image() == fresh.Image());
            }
        }
    }
}

} // namespace
