// Pixels of the list's drawing: gradient bands, progress bar colours and block widths, a
// painted row (selection gradient, focused cell, dotted grid, empty-area grid) and the
// header (gradients, active section, sort indicator).
#include "comp/TodoList/TodoDrawing.h"
#include "comp/TodoList/TodoList.h"
#include "support/CanvasImage.h"

#include <QApplication>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

namespace {

TEST(TodoPaintTest, GradientBandsAreOnePixelTallerThanTheirShare)
{
    CanvasImage image(10, 20);
    DrawGradient(image.Canvas(), RGB(0, 0, 0), RGB(200, 0, 0), false, {0, 0, 10, 16}, 4);
    image.Canvas().Release();
    EXPECT_EQ(image.Pixel(3, 0), RGB(0, 0, 0));
    EXPECT_EQ(image.Pixel(3, 4), RGB(50, 0, 0));
    EXPECT_EQ(image.Pixel(3, 8), RGB(100, 0, 0));
    EXPECT_EQ(image.Pixel(3, 15), RGB(150, 0, 0)); // never reaches the end colour
    EXPECT_EQ(image.Pixel(3, 16), RGB(150, 0, 0)); // one pixel past the rectangle
    EXPECT_EQ(image.Pixel(3, 17), clWhite);
    CanvasImage wide(20, 4);
    DrawGradient(wide.Canvas(), clBlack, clWhite, true, {0, 0, 16, 4}, 0); // 0 steps: one band
    wide.Canvas().Release();
    EXPECT_EQ(wide.Pixel(16, 1), clBlack);
    EXPECT_EQ(wide.Pixel(17, 1), clWhite);
}

TEST(TodoPaintTest, ProgressBarColourFollowsTheLevels)
{
    TProgressLook look; // smooth, gradient, 70 / 90
    look.SetShowPercentage(false);
    struct LevelCase
    {
        int value;
        TColor color;
        int end; // first pixel after the bar along the middle row
    };
    // C = (0, 0, 102, 20): bar B = (1, 1, 101, 19), inner width 98; 75 % of 98 is 73.5,
    // rounded to the even 74.
    const LevelCase cases[] = {
        {50, clLime, 51}, {75, clYellow, 76}, {95, 0x53A9FF, 95}, {100, clRed, 100}};
    for (const LevelCase& c : cases) {
        SCOPED_TRACE(c.value);
        CanvasImage image(110, 20);
        DrawProgressBar(image.Canvas(), {0, 0, 102, 20}, c.value, clWhite, look);
        image.Canvas().Release();
        // The lower half starts with the level colour itself.
        EXPECT_EQ(image.Pixel(5, 10), c.color);
        EXPECT_EQ(image.Pixel(c.end - 1, 10), c.color);
        if (c.value < 100) {
            EXPECT_EQ(image.Pixel(c.end, 10), clWhite);
        }
    }
    // The percentage is written centred in its colour.
    look.SetShowPercentage(true);
    CanvasImage text(110, 20);
    DrawProgressBar(text.Canvas(), {0, 0, 102, 20}, 50, clWhite, look);
    text.Canvas().Release();
    EXPECT_GT(text.Count(clBlue, {35, 2, 67, 18}), 10);
    EXPECT_EQ(text.Count(clBlue, {0, 0, 30, 20}), 0);
    // Nothing but background and outline at 0 %, and no "0%".
    CanvasImage empty(110, 20);
    DrawProgressBar(empty.Canvas(), {0, 0, 102, 20}, 0, clWhite, look);
    empty.Canvas().Release();
    EXPECT_EQ(empty.Ink(), 0);
    // With a border the outline shows.
    look.SetShowBorder(true);
    CanvasImage bordered(110, 20);
    DrawProgressBar(bordered.Canvas(), {0, 0, 102, 20}, 0, clWhite, look);
    bordered.Canvas().Release();
    EXPECT_EQ(bordered.Pixel(1, 5), clBlack);
    EXPECT_EQ(bordered.Pixel(100, 18), clBlack);
}

std::vector<int> runs(const CanvasImage& image, int y, TColor color)
{
    std::vector<int> widths;
    int run = 0;
    for (int x = 0; x < image.Width(); ++x) {
        if (image.Pixel(x, y) == color) {
            ++run;
        } else if (run > 0) {
            widths.push_back(run);
            run = 0;
        }
    }
    if (run > 0)
        widths.push_back(run);
    return widths;
}

TEST(TodoPaintTest, BlockModeWidths)
{
    TProgressLook look;
    look.SetCompletionSmooth(false);
    look.SetShowGradient(false);
    look.SetShowPercentage(false);
    struct BlockCase
    {
        int value;
        std::vector<int> widths;
    };
    // Inner width 100, so L = value.
    const BlockCase cases[] = {{50, {7, 7, 7, 7, 7, 4}}, {1, {}}, {5, {4}}, {10, {7}}, {20, {7, 7}},
                               {21, {7, 7, 2}}};
    for (const BlockCase& c : cases) {
        SCOPED_TRACE(c.value);
        CanvasImage image(120, 20);
        DrawProgressBar(image.Canvas(), {0, 0, 104, 20}, c.value, clWhite, look);
        image.Canvas().Release();
        EXPECT_EQ(runs(image, 10, clLime), c.widths);
    }
    // Stacked: green to 70 %, yellow to 90 %, red to the end at 100 %.
    look.SetStacked(true);
    CanvasImage stacked(120, 20);
    DrawProgressBar(stacked.Canvas(), {0, 0, 104, 20}, 100, clWhite, look);
    stacked.Canvas().Release();
    EXPECT_EQ(runs(stacked, 10, clLime), std::vector<int>{70});
    EXPECT_EQ(runs(stacked, 10, clYellow), std::vector<int>{20});
    EXPECT_EQ(runs(stacked, 10, clRed), std::vector<int>{10});
}

class TodoRowPaintTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // A hidden widget lays out its children only when shown.
        list.resize(300, 100);
        list.show();
        for (int i = 0; i < 2; ++i) {
            TTodoItem& item = list.Items().Add();
            item.SetSubject(QStringLiteral("Row %1").arg(i));
            item.SetCompletion(50);
        }
        list.SetSelectionColor(0xFFD9B3);
        list.SetSelectionColorTo(0xFFEEDD);
        list.SetItemIndex(0);
    }
    QImage paint()
    {
        QImage image(list.List().size(), QImage::Format_RGB32);
        list.List().PaintTo(image);
        return image;
    }
    static TColor at(const QImage& image, int x, int y)
    {
        return FromQColor(image.pixelColor(x, y));
    }
    TCustomTodoList list;
};

TEST_F(TodoRowPaintTest, SelectedRowGradientFocusedCellAndGrid)
{
    QImage image = paint();
    // Handle 0..32, subject 32..132, completion stretched to the right edge.
    EXPECT_EQ(at(image, 60, 0), TColor(0xFFD9B3));
    EXPECT_NE(at(image, 60, 19), TColor(0xFFD9B3));
    // Unselected row: column colour.
    EXPECT_EQ(at(image, 100, 30), ColorToRGB(clWindow));
    // Dotted grid along each row's last pixel row and the column boundaries.
    int silver = 0;
    for (int x = 0; x < image.width(); ++x)
        silver += at(image, x, 43) == clSilver;
    EXPECT_NEAR(silver, image.width() / 2, 2);
    int vertical = 0;
    for (int y = 22; y < 44; ++y)
        vertical += at(image, 32, y) == clSilver;
    EXPECT_NEAR(vertical, 11, 1);
    // The empty area has the same grid below the rows.
    silver = 0;
    for (int x = 0; x < image.width(); ++x)
        silver += at(image, x, 65) == clSilver;
    EXPECT_NEAR(silver, image.width() / 2, 2);

    // The focused cell needs the keyboard focus.
    list.show();
    QApplication::setActiveWindow(&list);
    list.List().setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&list));
    ASSERT_TRUE(list.List().hasFocus());
    list.SetFocusColumn(1);
    image = paint();
    EXPECT_EQ(at(image, 60, 0), clWhite);
    EXPECT_EQ(at(image, 60, 19), clWhite);
    EXPECT_EQ(at(image, 20, 0), TColor(0xFFD9B3)); // the handle cell keeps the gradient

    // Without grid lines nothing silver is left.
    list.SetGridLines(TGridLineStyle::glsNone);
    image = paint();
    int any = 0;
    for (int y = 0; y < image.height(); ++y)
        any += at(image, 32, y) == clSilver;
    EXPECT_EQ(any, 0);
}

TEST_F(TodoRowPaintTest, FontsByStateAndPreviewRows)
{
    TTodoItem& item = list.Items()[1];
    item.SetPriority(TTodoPriority::tpHighest);
    item.SetComplete(true);
    list.SetItemIndex(-1);
    list.SetGridLines(TGridLineStyle::glsNone);
    QImage image = paint();
    // Completed wins over priority: grey text, no red.
    int gray = 0, red = 0;
    for (int y = 22; y < 44; ++y)
        for (int x = 32; x < 132; ++x) {
            gray += at(image, x, y) == clGray;
            red += at(image, x, y) == clRed;
        }
    EXPECT_GT(gray, 10);
    EXPECT_EQ(red, 0);

    // An image column without an image list paints only its background.
    list.Columns()[2].SetTodoData(TTodoData::tdImage);
    list.Items()[0].SetImageIndex(0);
    image = paint();
    for (int x = 133; x < 300; x += 7)
        for (int y = 0; y < 22; y += 3)
            ASSERT_EQ(at(image, x, y), ColorToRGB(clWindow)) << x << "," << y;

    // Preview rows are taller by the preview height and lose their vertical grid lines.
    list.resize(300, 200);
    list.SetGridLines(TGridLineStyle::glsItems);
    list.SetPreviewHeight(64);
    list.SetPreview(true);
    EXPECT_EQ(list.List().ItemHeight(), 22 + 64);
    image = paint();
    int vertical = 0;
    for (int y = 0; y < 85; ++y)
        vertical += at(image, 32, y) == clSilver;
    EXPECT_EQ(vertical, 0);
    // The row's bottom line stays.
    EXPECT_TRUE(at(image, 32, 85) == clSilver || at(image, 33, 85) == clSilver);
}

TEST_F(TodoRowPaintTest, ActiveItemOverlayAndPreviewText)
{
    TFixedClock clock(EncodeDateTime(2026, 6, 1, 9, 0, 0, 0));
    list.SetItemIndex(-1);
    list.SetGridLines(TGridLineStyle::glsNone);
    list.SetActiveItemColor(0xE0FFE0);
    list.SetActiveItemColorTo(0xE0FFE0);
    TTodoItem& today = list.Items()[0];
    today.SetCreationDate(Now());
    today.SetDueDate(Now() + 1);
    TTodoItem& late = list.Items()[1];
    late.SetCreationDate(Now() - 10);
    late.SetDueDate(Now() - 2);
    QImage image = paint();
    EXPECT_EQ(at(image, 120, 18), TColor(0xE0FFE0));
    EXPECT_EQ(at(image, 120, 40), ColorToRGB(clWindow));
    // The stretched completion cell: overlay around the bar, whose own background is the
    // cell's colour.
    EXPECT_EQ(at(image, 132, 10), TColor(0xE0FFE0));
    EXPECT_EQ(at(image, 250, 10), ColorToRGB(clWindow));

    // Preview: the notes word-wrapped in the preview font under the main line.
    list.SetActiveItemColor(clNone);
    today.Notes().SetText(
        QStringLiteral("word word word word word word word word word word word word word"));
    list.SetPreviewHeight(40);
    list.SetPreview(true);
    image = paint();
    int blueTop = 0, blueBelow = 0;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 22 + 1; y < 22 + 14; ++y)
            blueTop += at(image, x, y) == clBlue;
        for (int y = 22 + 14; y < 22 + 40; ++y)
            blueBelow += at(image, x, y) == clBlue;
    }
    EXPECT_GT(blueTop, 20);
    EXPECT_GT(blueBelow, 20); // wrapped onto a second line
}

TEST_F(TodoRowPaintTest, AGradientWithoutItsSecondColourIsAPlainFill)
{
    // clNone as the second colour means no gradient: the overlay and the bar keep their
    // first colour down to their last pixel row instead of darkening towards black.
    TFixedClock clock(EncodeDateTime(2026, 6, 1, 9, 0, 0, 0));
    list.SetItemIndex(-1);
    list.SetGridLines(TGridLineStyle::glsNone);
    list.SetActiveItemColor(0xE0FFE0); // ActiveItemColorTo stays clNone
    TTodoItem& today = list.Items()[0];
    today.SetCreationDate(Now());
    today.SetDueDate(Now() + 1);
    list.ProgressLook().SetLevel0ColorTo(clNone);
    list.ProgressLook().SetShowPercentage(false);
    const QImage image = paint();
    for (int y : {2, 11, 20})
        EXPECT_EQ(at(image, 120, y), TColor(0xE0FFE0)) << y;
    // The bar of row 1 (50 %): Level0Color over its whole height.
    for (int y : {24, 32, 40})
        EXPECT_EQ(at(image, 140, y), clLime) << y;
}

TEST_F(TodoRowPaintTest, HorizontalScrollingShiftsTheCellsAndTheHeader)
{
    // Pixels are read on row 1 below its text (y = 41).
    list.SetGridLines(TGridLineStyle::glsNone);
    list.Columns()[1].SetColor(clYellow);
    list.Columns()[1].SetWidth(400);
    list.SetScrollHorizontal(true);
    QImage image = paint();
    EXPECT_EQ(at(image, 20, 41), ColorToRGB(clWindow)); // the handle cell
    EXPECT_EQ(at(image, 40, 41), clYellow);
    list.List().SetHorzScrollPos(40);
    ASSERT_EQ(list.List().HorzScrollPos(), 40);
    image = paint();
    // The subject cell now starts 8 pixels left of the edge.
    EXPECT_EQ(at(image, 0, 41), clYellow);
    EXPECT_EQ(at(image, 20, 41), clYellow);
    EXPECT_EQ(at(image, image.width() - 1, 41), clYellow); // still the subject cell
    EXPECT_EQ(list.Header().Section(0).Width(), 0);
    EXPECT_EQ(list.Header().SectionRect(1).Left, 0);
    // Switched off, the rows are back at the left edge.
    list.SetScrollHorizontal(false);
    image = paint();
    EXPECT_EQ(at(image, 20, 41), ColorToRGB(clWindow));
}

TEST(TodoBorderPaintTest, SingleBorderIsAGrayFrameAroundTheChildren)
{
    TCustomTodoList list;
    list.resize(200, 100);
    list.show();
    EXPECT_EQ(list.Header().geometry(), QRect(1, 1, 198, 22));
    EXPECT_EQ(list.List().geometry(), QRect(1, 23, 198, 76));
    QImage image(list.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    list.PaintTo(image);
    EXPECT_EQ(FromQColor(image.pixelColor(0, 0)), clGray);
    EXPECT_EQ(FromQColor(image.pixelColor(199, 50)), clGray);
    EXPECT_EQ(FromQColor(image.pixelColor(100, 99)), clGray);
    list.SetBorderStyle(TBorderStyle::bsNone);
    EXPECT_EQ(list.List().geometry(), QRect(0, 22, 200, 78));
}

TEST(TodoHeaderPaintTest, GradientsActiveSectionAndSortIndicator)
{
    TCustomTodoList list;
    list.resize(300, 100);
    list.show();
    list.SetSortColumn(1);
    list.SetSorted(true);
    TTodoHeader& header = list.Header();
    QImage image(header.size(), QImage::Format_RGB32);
    header.PaintTo(image);
    const auto at = [&](int x, int y) { return FromQColor(image.pixelColor(x, y)); };
    // Band 1 of 0xFCE1CB -> 0xE0A57D in 16 steps over 22 pixels.
    EXPECT_EQ(at(60, 1), RGB(198, 221, 250));
    // The focused column's section uses the active colours.
    EXPECT_EQ(at(16, 1), RGB(250, 225, 140));
    // Ascending: white base at y = 2 + 6 + 4, centred at x = 132 - 8.
    EXPECT_EQ(at(122, 12), clWhite);
    EXPECT_EQ(at(127, 12), clWhite);
    list.SetSortDirection(TSortDirection::sdDescending);
    header.PaintTo(image);
    EXPECT_EQ(at(122, 4), clGray);
    EXPECT_NE(at(122, 12), clWhite);
}

} // namespace
