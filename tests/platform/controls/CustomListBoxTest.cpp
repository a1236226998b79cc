// The owner-drawn list on a fixture of 50 rows of 16 pixels in a list that shows exactly six
// (96 pixels high, no horizontal bar): keyboard and mouse navigation with and without
// multi-selection, row geometry, the horizontal extent, and the row painter.
#include "platform/controls/CustomListBox.h"

#include "platform/gfx/Canvas.h"
#include "support/WheelEvent.h"

#include <QImage>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

namespace {

class ListBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        list.resize(200, 96);
        list.SetCount(50);
        list.OnSelectionChange = [this](QWidget&) { ++changes; };
    }
    QPoint row(int index) const
    {
        const TRect r = list.ItemRect(index);
        return {r.Left + 10, r.Top + r.Height() / 2};
    }
    std::vector<int> selected() const
    {
        std::vector<int> result;
        for (int i = 0; i < list.Count(); ++i)
            if (list.Selected(i))
                result.push_back(i);
        return result;
    }
    TCustomListBox list;
    int changes = 0;
};

TEST_F(ListBoxTest, KeysMoveTheItemIndexAndKeepItInView)
{
    EXPECT_EQ(list.VisibleRowCount(), 6);
    struct KeyCase
    {
        int from;
        Qt::Key key;
        int index;
        int top;
    };
    const KeyCase cases[] = {
        {-1, Qt::Key_Down, 0, 0},  {3, Qt::Key_Down, 4, 0},     {5, Qt::Key_Down, 6, 1},
        {0, Qt::Key_Up, 0, 0},     {2, Qt::Key_PageDown, 7, 2}, {49, Qt::Key_PageDown, 49, 44},
        {9, Qt::Key_PageUp, 4, 4}, {20, Qt::Key_Home, 0, 0},    {3, Qt::Key_End, 49, 44},
        {3, Qt::Key_Right, 4, 0},  {3, Qt::Key_Left, 2, 0},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "from " << c.from << " key " << c.key);
        list.SetItemIndex(-1);
        list.SetTopIndex(0);
        if (c.from >= 0)
            list.SetItemIndex(c.from);
        list.SetTopIndex(c.from == 9 ? 5 : list.TopIndex());
        changes = 0;
        QTest::keyClick(&list, c.key);
        EXPECT_EQ(list.ItemIndex(), c.index);
        EXPECT_EQ(list.TopIndex(), c.top);
        EXPECT_EQ(changes, c.index == c.from ? 0 : 1);
    }
}

TEST_F(ListBoxTest, MouseSelectsRowsAndFollowsADragWithTheButtonDown)
{
    // QTest sends a move without a button through the window system: the list is shown so
    // that the last one reaches it.
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    // Such a move is dropped when the pointer is already there, and the pointer stays where
    // the last test left it: it starts from a corner of this test's own.
    QTest::mouseMove(&list, QPoint(190, 90));
    QTest::mouseClick(&list, Qt::LeftButton, {}, row(2));
    EXPECT_EQ(list.ItemIndex(), 2);
    EXPECT_EQ(changes, 1);

    list.SetCount(4);
    QTest::mouseClick(&list, Qt::LeftButton, {}, QPoint(10, 90));
    EXPECT_EQ(list.ItemIndex(), 2) << "below the last row";
    list.SetCount(50);

    QTest::mousePress(&list, Qt::LeftButton, {}, row(1));
    QTest::mouseMove(&list, row(4));
    EXPECT_EQ(list.ItemIndex(), 4);
    QTest::mouseMove(&list, QPoint(10, 120));
    EXPECT_EQ(list.ItemIndex(), 6) << "below the list: one row further, scrolled in";
    EXPECT_EQ(list.TopIndex(), 1);
    QTest::mouseRelease(&list, Qt::LeftButton, {}, QPoint(10, 120));
    int moves = 0;
    list.OnMouseMove = [&](QWidget&, TShiftState, int, int) { ++moves; };
    QTest::mouseMove(&list, row(2));
    EXPECT_EQ(moves, 1) << "the move reached the list";
    EXPECT_EQ(list.ItemIndex(), 6) << "released: moves no longer select";
}

TEST_F(ListBoxTest, MultiSelectWithCtrlAndShiftClicksAndKeys)
{
    list.SetMultiSelect(true);
    QTest::mouseClick(&list, Qt::LeftButton, {}, row(1));
    QTest::mouseClick(&list, Qt::LeftButton, Qt::ControlModifier, row(3));
    EXPECT_EQ(selected(), (std::vector<int>{1, 3}));
    QTest::mouseClick(&list, Qt::LeftButton, Qt::ControlModifier, row(1));
    EXPECT_EQ(selected(), (std::vector<int>{3}));
    QTest::mouseClick(&list, Qt::LeftButton, Qt::ShiftModifier, row(5));
    EXPECT_EQ(selected(), (std::vector<int>{1, 2, 3, 4, 5})) << "from the last ctrl-click";
    EXPECT_EQ(list.SelCount(), 5);

    QTest::mouseClick(&list, Qt::LeftButton, {}, row(2));
    QTest::keyClick(&list, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(&list, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(selected(), (std::vector<int>{2, 3, 4}));
    QTest::keyClick(&list, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(list.ItemIndex(), 5);
    EXPECT_EQ(selected(), (std::vector<int>{2, 3, 4})) << "Ctrl moves the caret only";
    QTest::keyClick(&list, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(selected(), (std::vector<int>{2, 3, 4, 5}));
    QTest::keyClick(&list, Qt::Key_Down);
    EXPECT_EQ(selected(), (std::vector<int>{6}));

    list.SetMultiSelect(false);
    EXPECT_EQ(selected(), (std::vector<int>{6})) << "the item index is the selection";
}

TEST_F(ListBoxTest, RowGeometryFollowsTheTopIndex)
{
    list.SetTopIndex(10);
    EXPECT_EQ(list.ItemRect(10), Rect(0, 0, list.ClientRect().Width(), 16));
    EXPECT_EQ(list.ItemRect(12).Top, 32);
    EXPECT_EQ(list.ItemRect(9).Top, -16);
    EXPECT_EQ(list.ItemAtPos({5, 40}, true), 12);
    list.SetCount(14);
    EXPECT_EQ(list.TopIndex(), 8) << "the last rows fill the list";
    EXPECT_EQ(list.ItemAtPos({5, 95}, true), 13);
    list.SetCount(10);
    EXPECT_EQ(list.TopIndex(), 4);
    list.SetCount(3);
    EXPECT_EQ(list.TopIndex(), 0);
    EXPECT_EQ(list.ItemAtPos({5, 60}, true), -1);
    EXPECT_EQ(list.ItemAtPos({5, 60}, false), 3) << "past the rows: Count";
    list.SetItemIndex(2);
    list.SetCount(2);
    EXPECT_EQ(list.ItemIndex(), -1);
    list.SetItemIndex(5);
    EXPECT_EQ(list.ItemIndex(), -1) << "out of range is ignored";
}

TEST_F(ListBoxTest, HorizontalExtentScrollsByPixelAndBackWhenItFits)
{
    QScrollBar* h = list.HorzScrollBar();
    EXPECT_TRUE(h->isHidden());
    list.SetHorizontalExtent(500);
    EXPECT_FALSE(h->isHidden());
    const int clientWidth = list.ClientRect().Width();
    list.SetHorzScrollPos(1000);
    EXPECT_EQ(list.HorzScrollPos(), 500 - clientWidth);
    EXPECT_EQ(h->value(), list.HorzScrollPos());
    h->setValue(40);
    EXPECT_EQ(list.HorzScrollPos(), 40);
    EXPECT_EQ(list.ItemRect(0).Left, 0) << "rows keep x = 0; painters shift themselves";
    list.SetHorizontalExtent(0);
    EXPECT_EQ(list.HorzScrollPos(), 0);
    EXPECT_TRUE(h->isHidden());
}

TEST_F(ListBoxTest, WheelScrollsThreeRowsAndLeavesTheSelection)
{
    list.SetItemIndex(1);
    SendWheel(&list, {10, 10}, -120);
    EXPECT_EQ(list.TopIndex(), 3);
    EXPECT_EQ(list.ItemIndex(), 1);
    SendWheel(&list, {10, 10}, 240);
    EXPECT_EQ(list.TopIndex(), 0);
}

TEST_F(ListBoxTest, PainterSeesVisibleRowsOnlyAndDoubleBufferingLooksTheSame)
{
    list.SetTopIndex(10);
    list.SetItemIndex(12);
    std::vector<int> painted;
    list.OnDrawItem = [&](QWidget&, TCanvas& canvas, int index, const TRect& rect,
                          TOwnerDrawState state) {
        painted.push_back(index);
        EXPECT_EQ(state.Contains(TOwnerDrawStateItem::odSelected), index == 12);
        canvas.Brush().SetColor(index % 2 ? clBlue : clYellow);
        canvas.FillRect({rect.Left, rect.Top, rect.Left + 20, rect.Bottom});
    };
    QImage direct;
    list.PaintTo(direct);
    EXPECT_EQ(painted, (std::vector<int>{10, 11, 12, 13, 14, 15}));
    EXPECT_EQ(FromQColor(direct.pixelColor(5, 20)), ColorToRGB(clBlue));
    EXPECT_EQ(FromQColor(direct.pixelColor(50, 40)), ColorToRGB(clHighlight));
    EXPECT_EQ(FromQColor(direct.pixelColor(50, 60)), ColorToRGB(clWindow));

    // The screen path: with and without the off-screen picture the pixels are the same.
    const QImage plain = list.grab().toImage().convertToFormat(QImage::Format_RGB32);
    list.SetDoubleBuffered(true);
    const QImage buffered = list.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(plain, buffered);
}

} // namespace
