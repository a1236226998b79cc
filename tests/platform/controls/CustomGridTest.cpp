// The cell grid on a fixture whose every pixel is known: 6 columns of 50 and 20 rows of 20
// pixels with 1-pixel lines, one fixed column and row, a 260 x 106 client area. Columns then
// start every 51 pixels and rows every 21; four scrolling columns and four scrolling rows
// fit entirely.
#include "platform/controls/CustomGrid.h"

#include "platform/gfx/Canvas.h"
#include "support/WheelEvent.h"

#include <QImage>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace {

class TestGrid : public TCustomGrid
{
public:
    struct Drawn
    {
        int col, row;
        TRect rect;
        TGridDrawState state;
    };
    std::vector<Drawn> drawn;
    std::set<int> refusedCols;
    int topLeftChanges = 0;

protected:
    void DrawCell(TCanvas& canvas, int col, int row, const TRect& rect,
                  TGridDrawState state) override
    {
        drawn.push_back({col, row, rect, state});
        TCustomGrid::DrawCell(canvas, col, row, rect, state);
    }
    bool SelectCell(int col, int row) override
    {
        return !refusedCols.count(col) && TCustomGrid::SelectCell(col, row);
    }
    void TopLeftChanged() override
    {
        ++topLeftChanges;
        TCustomGrid::TopLeftChanged();
    }
};

class GridTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        grid.SetScrollBars(TScrollStyle::ssNone);
        grid.resize(260, 106);
        grid.SetColCount(6);
        grid.SetRowCount(20);
        grid.SetDefaultColWidth(50);
        grid.SetDefaultRowHeight(20);
        grid.topLeftChanges = 0;
    }
    // The middle of a cell as it shows now.
    QPoint centre(int col, int row) const
    {
        const TRect r = grid.CellRect(col, row);
        return {r.Left + r.Width() / 2, r.Top + r.Height() / 2};
    }
    TestGrid grid;
};

TEST_F(GridTest, CellRectanglesAndHitTestingFollowWidthsLinesAndScrolling)
{
    EXPECT_EQ(grid.CellRect(0, 0), Rect(0, 0, 50, 20));
    EXPECT_EQ(grid.CellRect(1, 1), Rect(51, 21, 101, 41));
    EXPECT_EQ(grid.CellRect(5, 5), Rect(255, 105, 305, 125)) << "partly visible: whole rect";
    EXPECT_EQ(grid.VisibleColCount(), 4);
    EXPECT_EQ(grid.VisibleRowCount(), 4);

    struct HitCase
    {
        int x, y, col, row;
    };
    const HitCase hits[] = {
        {0, 0, 0, 0},     {50, 20, 0, 0} /* the line after a cell is the cell's */,
        {51, 21, 1, 1},   {259, 105, 5, 5},
        {-1, 5, -1, -1},  {260, 5, -1, -1},
        {5, 106, -1, -1},
    };
    for (const HitCase& h : hits) {
        SCOPED_TRACE(testing::Message() << h.x << "," << h.y);
        EXPECT_EQ(grid.MouseCoord(h.x, h.y), (TGridCoord{h.col, h.row}));
    }

    grid.SetLeftCol(2);
    grid.SetTopRow(3);
    EXPECT_TRUE(grid.CellRect(1, 1).IsEmpty()) << "scrolled out";
    EXPECT_EQ(grid.CellRect(0, 3), Rect(0, 21, 50, 41)) << "fixed column stays";
    EXPECT_EQ(grid.CellRect(2, 0), Rect(51, 0, 101, 20)) << "fixed row stays";
    EXPECT_EQ(grid.MouseCoord(60, 30), (TGridCoord{2, 3}));

    grid.SetLeftCol(1);
    grid.SetColWidths(1, 10);
    EXPECT_EQ(grid.CellRect(2, 0).Left, 62);
    grid.SetOptions({TGridOption::goRangeSelect});
    EXPECT_EQ(grid.CellRect(2, 0).Left, 60) << "no line options, no line width";
}

TEST_F(GridTest, ScrollingClampsToTheLastFullViewAndReportsEachChangeOnce)
{
    grid.SetTopRow(100);
    EXPECT_EQ(grid.TopRow(), 16) << "rows 16..19 fill the view";
    EXPECT_EQ(grid.topLeftChanges, 1);
    grid.SetTopRow(16);
    EXPECT_EQ(grid.topLeftChanges, 1) << "no change, no report";
    grid.SetTopRow(0);
    EXPECT_EQ(grid.TopRow(), 1) << "never into the fixed rows";
    grid.SetLeftCol(9);
    EXPECT_EQ(grid.LeftCol(), 2);

    grid.SetTopLeft(1, 1);
    grid.MakeVisible(3, 10);
    EXPECT_EQ(grid.TopRow(), 7) << "row 10 becomes the last fully visible row";
    grid.MakeVisible(3, 2);
    EXPECT_EQ(grid.TopRow(), 2);
    EXPECT_EQ(grid.LeftCol(), 1);
}

TEST_F(GridTest, ScrollBarsShowWhenNeededAndScrollTheGrid)
{
    grid.SetScrollBars(TScrollStyle::ssBoth);
    QScrollBar* v = grid.VertScrollBar();
    EXPECT_FALSE(v->isHidden());
    EXPECT_EQ(v->minimum(), 1);
    EXPECT_EQ(v->maximum(), grid.RowCount() - grid.VisibleRowCount()) << "last view ends at row 19";
    grid.SetTopRow(5);
    EXPECT_EQ(v->value(), 5);
    v->setValue(8);
    EXPECT_EQ(grid.TopRow(), 8);
    EXPECT_LT(grid.ClientRect().Width(), 260) << "the bar takes client width";

    grid.SetRowCount(3);
    EXPECT_TRUE(v->isHidden()) << "all rows fit";
    EXPECT_EQ(grid.TopRow(), 1);
}

TEST_F(GridTest, MouseSelectsARangeAndShiftClickExtendsIt)
{
    // QTest sends a move without a button through the window system: the grid is shown so
    // that the one below reaches it.
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    // Such a move is dropped when the pointer is already there, and the pointer stays where
    // the last test left it: it starts from a corner of this test's own.
    QTest::mouseMove(&grid, QPoint(5, 5));
    QTest::mousePress(&grid, Qt::LeftButton, {}, centre(1, 1));
    QTest::mouseMove(&grid, centre(3, 3));
    QTest::mouseRelease(&grid, Qt::LeftButton, {}, centre(3, 3));
    EXPECT_EQ(grid.Selection(), (TGridRect{1, 1, 3, 3}));
    EXPECT_EQ(grid.Col(), 3);
    EXPECT_EQ(grid.Anchor(), (TGridCoord{1, 1}));

    int moves = 0;
    grid.OnMouseMove = [&](QWidget&, TShiftState, int, int) { ++moves; };
    QTest::mouseMove(&grid, centre(4, 4));
    EXPECT_EQ(moves, 1) << "the move reached the grid";
    EXPECT_EQ(grid.Selection(), (TGridRect{1, 1, 3, 3})) << "button up: no selecting";

    QTest::mouseClick(&grid, Qt::LeftButton, Qt::ShiftModifier, centre(2, 4));
    EXPECT_EQ(grid.Selection(), (TGridRect{1, 1, 2, 4}));

    QTest::mouseClick(&grid, Qt::LeftButton, {}, centre(0, 2));
    EXPECT_EQ(grid.Selection(), (TGridRect{1, 1, 2, 4})) << "fixed cells are not selected";

    grid.SetOptions({TGridOption::goVertLine, TGridOption::goHorzLine});
    QTest::mousePress(&grid, Qt::LeftButton, {}, centre(1, 1));
    QTest::mouseMove(&grid, centre(3, 3));
    QTest::mouseRelease(&grid, Qt::LeftButton, {}, centre(3, 3));
    EXPECT_EQ(grid.Selection(), (TGridRect{1, 1, 1, 1})) << "without range selection";
}

TEST_F(GridTest, DraggingPastTheBottomScrollsOneRowPerMove)
{
    QTest::mousePress(&grid, Qt::LeftButton, {}, centre(1, 2));
    QTest::mouseMove(&grid, QPoint(60, 200));
    QTest::mouseMove(&grid, QPoint(60, 200));
    QTest::mouseRelease(&grid, Qt::LeftButton, {}, QPoint(60, 200));
    EXPECT_EQ(grid.Row(), 6);
    EXPECT_EQ(grid.TopRow(), 3);
    EXPECT_EQ(grid.Selection(), (TGridRect{1, 2, 1, 6}));
}

TEST_F(GridTest, SelectCellCanRefuseMouseAndKeys)
{
    grid.refusedCols = {3};
    grid.SetCol(2);
    grid.SetRow(2);
    QTest::mouseClick(&grid, Qt::LeftButton, {}, centre(3, 2));
    EXPECT_EQ(grid.Col(), 2);
    QTest::keyClick(&grid, Qt::Key_Right);
    EXPECT_EQ(grid.Col(), 2);
    bool asked = false;
    grid.OnSelectCell = [&](QWidget&, int, int row, bool& can) {
        asked = true;
        can = row != 3;
    };
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_TRUE(asked);
    EXPECT_EQ(grid.Row(), 2);
}

TEST_F(GridTest, KeysMoveTheCurrentCellAndScrollItIntoView)
{
    struct KeyCase
    {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        TGridCoord current;
        TGridRect selection;
        int topRow;
    };
    const auto shift = Qt::ShiftModifier;
    const auto ctrl = Qt::ControlModifier;
    const KeyCase cases[] = {
        {Qt::Key_Down, {}, {2, 3}, {2, 3, 2, 3}, 1},
        {Qt::Key_Down, shift, {2, 3}, {2, 2, 2, 3}, 1},
        {Qt::Key_Right, shift, {3, 2}, {2, 2, 3, 2}, 1},
        {Qt::Key_Up, {}, {2, 1}, {2, 1, 2, 1}, 1},
        {Qt::Key_PageDown, {}, {2, 6}, {2, 6, 2, 6}, 3},
        {Qt::Key_Home, {}, {1, 2}, {1, 2, 1, 2}, 1},
        {Qt::Key_Home, ctrl, {1, 1}, {1, 1, 1, 1}, 1},
        {Qt::Key_End, {}, {5, 2}, {5, 2, 5, 2}, 1},
        {Qt::Key_End, ctrl, {5, 19}, {5, 19, 5, 19}, 16},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "key " << c.key << " mods " << int(c.mods));
        grid.SetTopLeft(1, 1);
        grid.SetSelection({2, 2, 2, 2});
        QTest::keyClick(&grid, c.key, c.mods);
        EXPECT_EQ((TGridCoord{grid.Col(), grid.Row()}), c.current);
        EXPECT_EQ(grid.Selection(), c.selection);
        EXPECT_EQ(grid.TopRow(), c.topRow);
    }
    grid.SetSelection({2, 1, 2, 1});
    QTest::keyClick(&grid, Qt::Key_Up);
    EXPECT_EQ(grid.Row(), 1) << "stops at the first scrolling row";
}

TEST_F(GridTest, WheelMovesTheCurrentRowUnlessAHandlerTakesIt)
{
    grid.SetSelection({2, 5, 2, 5});
    SendWheel(&grid, centre(2, 2), -120);
    EXPECT_EQ(grid.Row(), 6);
    SendWheel(&grid, centre(2, 2), 240);
    EXPECT_EQ(grid.Row(), 4);
    grid.OnMouseWheel = [](QWidget&, TShiftState, int, TPoint, bool& handled) { handled = true; };
    SendWheel(&grid, centre(2, 2), -120);
    EXPECT_EQ(grid.Row(), 4);
}

TEST_F(GridTest, PaintingGivesEveryVisibleCellItsStateAndDefaultDrawingCanBeOff)
{
    grid.SetColor(clRed);
    grid.SetSelection({1, 1, 2, 2});
    QImage picture;
    grid.PaintTo(picture);
    EXPECT_EQ(grid.drawn.size(), 36u) << "6 columns x 6 rows reach into the view";
    for (const auto& d : grid.drawn) {
        SCOPED_TRACE(testing::Message() << d.col << "," << d.row);
        const bool fixed = d.col == 0 || d.row == 0;
        EXPECT_EQ(d.state.Contains(TGridDrawStateItem::gdFixed), fixed);
        EXPECT_EQ(d.state.Contains(TGridDrawStateItem::gdSelected),
                  !fixed && d.col <= 2 && d.row <= 2);
        EXPECT_FALSE(d.state.Contains(TGridDrawStateItem::gdFocused)) << "no focus";
        EXPECT_EQ(d.rect, grid.CellRect(d.col, d.row));
    }
    const auto pixel = [&](int x, int y) { return FromQColor(picture.pixelColor(x, y)); };
    EXPECT_EQ(pixel(10, 10), ColorToRGB(clBtnFace));
    EXPECT_EQ(pixel(60, 30), ColorToRGB(clHighlight));
    EXPECT_EQ(pixel(170, 70), ColorToRGB(clRed));
    EXPECT_EQ(pixel(50, 30), ColorToRGB(clSilver)) << "vertical line";
    EXPECT_EQ(pixel(60, 20), ColorToRGB(clSilver)) << "horizontal line";

    grid.SetDefaultDrawing(false);
    grid.OnDrawCell = [](QWidget&, TCanvas& canvas, int col, int row, const TRect& rect,
                         TGridDrawState) {
        if (col == 3 && row == 3) {
            canvas.Brush().SetColor(clBlue);
            canvas.FillRect(rect);
        }
    };
    grid.PaintTo(picture);
    EXPECT_EQ(pixel(60, 30), ColorToRGB(clWhite)) << "the grid itself drew nothing";
    EXPECT_EQ(pixel(170, 70), ColorToRGB(clBlue));
}

TEST_F(GridTest, ShapeChangesKeepCellsAndScrollingInRange)
{
    grid.SetSelection({4, 15, 5, 18});
    grid.SetTopRow(16);
    grid.SetRowCount(8);
    grid.SetColCount(3);
    EXPECT_EQ(grid.Selection(), (TGridRect{2, 7, 2, 7}));
    EXPECT_EQ(grid.TopRow(), 4);
    grid.SetFixedCols(3);
    EXPECT_EQ(grid.FixedCols(), 1) << "a grid keeps one scrolling column";
    grid.SetColCount(0);
    EXPECT_EQ(grid.ColCount(), 3);
    grid.SetColCount(1);
    EXPECT_EQ(grid.FixedCols(), 0);
}

} // namespace
