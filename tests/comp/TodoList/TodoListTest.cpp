// The to-do list as a control: construction defaults, row synchronisation, sorting against a
// plain model, the header's clicks, keyboard and mouse navigation through QTest events, the
// keys and clicks that start editing, full-text hints, theme colours and the horizontal
// extent.
#include "comp/TodoList/TodoList.h"

#include "platform/controls/HintWindow.h"
#include "platform/core/DateTime.h"
#include "platform/core/UpdateScope.h"
#include "support/WheelEvent.h"

#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <stdexcept>
#include <vector>

namespace {

struct EditCall
{
    int row;
    int column;
    QChar key;
    bool byMouse;
};

class RecordingList : public TCustomTodoList
{
public:
    void StartEdit(int row, int column, std::optional<QChar> key, TPoint, bool byMouse) override
    {
        edits.push_back({row, column, key.value_or(QChar()), byMouse});
    }
    // The sort column as it was whenever an editor had to be closed.
    void EndEdit() override { editsEnded.push_back(SortColumn()); }
    std::vector<EditCall> edits;
    std::vector<int> editsEnded;
};

class TodoListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        list.resize(400, 200);
        list.show(); // lays out the header and the rows
        for (const char* s : {"delta", "alpha", "charlie", "bravo"})
            list.Items().Add().SetSubject(QLatin1String(s));
    }
    QPoint cell(int row, int column)
    {
        const TRect r = list.List().CellRect(row, column);
        return {r.Left + r.Width() / 2, r.Top + r.Height() / 2};
    }
    QPoint section(int index, int dx = 0)
    {
        const TRect r = list.Header().SectionRect(index);
        return {r.Left + r.Width() / 2 + dx, r.Height() / 2};
    }
    std::vector<QString> subjects()
    {
        std::vector<QString> result;
        for (int i = 0; i < list.Items().Count(); ++i)
            result.push_back(list.Items()[i].Subject());
        return result;
    }
    RecordingList list;
};

TEST_F(TodoListTest, ConstructionDefaults)
{
    TCustomTodoList fresh;
    ASSERT_EQ(fresh.Columns().Count(), 3);
    EXPECT_EQ(fresh.Columns()[0].TodoData(), TTodoData::tdHandle);
    EXPECT_EQ(fresh.Columns()[0].Width(), 32);
    EXPECT_FALSE(fresh.Columns()[0].Editable());
    EXPECT_TRUE(fresh.Columns()[0].Caption().isEmpty());
    EXPECT_EQ(fresh.Columns()[1].Caption(), QStringLiteral("Subject"));
    EXPECT_EQ(fresh.Columns()[2].TodoData(), TTodoData::tdCompletion);
    EXPECT_EQ(fresh.Columns()[2].Caption(), QStringLiteral("Completion"));
    EXPECT_EQ(fresh.width(), 250);
    EXPECT_EQ(fresh.height(), 200);
    EXPECT_EQ(fresh.ItemHeight(), 22);
    EXPECT_EQ(fresh.NullDate(), QStringLiteral("None"));
    EXPECT_EQ(fresh.HeaderColor(), TColor(0xFCE1CB));
    EXPECT_EQ(fresh.HeaderActiveColorTo(), TColor(0x1595EE));
    EXPECT_EQ(fresh.GridLines(), TGridLineStyle::glsAlways);
    EXPECT_EQ(fresh.BorderStyle(), TBorderStyle::bsSingle);
    EXPECT_TRUE(fresh.AutoInsertItem());
    EXPECT_TRUE(fresh.CompletionGraphic());
    EXPECT_EQ(fresh.TodoStatusCommaText(),
              QStringLiteral("\"Not started\",\"Completed\",\"In progress\",\"Deferred\""));
    ASSERT_EQ(fresh.Header().SectionCount(), 3);
    EXPECT_EQ(fresh.Header().Section(1).Text(), QStringLiteral("Subject"));
    EXPECT_EQ(fresh.Header().Section(0).Width(), 32);
}

TEST_F(TodoListTest, RowsFollowTheItemsAndKeepASelection)
{
    EXPECT_EQ(list.List().Count(), 4);
    list.SetItemIndex(3);
    list.Items().Delete(3);
    EXPECT_EQ(list.ItemIndex(), 2); // the old index is past the end: the last row
    list.BeginUpdate();
    list.Items().Add();
    list.Items().Add();
    EXPECT_EQ(list.List().Count(), 3);
    list.EndUpdate();
    EXPECT_EQ(list.List().Count(), 5);
    EXPECT_EQ(list.Selected(), &list.Items()[2]);
}

TEST_F(TodoListTest, AHandlerThatThrowsInsideABatchLeavesTheRowsSynchronising)
{
    list.OnItemSelect = [](QWidget&, TTodoItem*) { throw std::runtime_error("handler failed"); };
    EXPECT_THROW(
        {
            const TUpdateScope batch(list);
            list.Items().Add().SetSubject(QStringLiteral("echo"));
            list.SetSorted(true); // a sort reports the selected item to the handler
        },
        std::runtime_error);
    EXPECT_EQ(list.UpdateCount(), 0);
    EXPECT_EQ(list.List().Count(), 5);
    list.OnItemSelect = nullptr;
    list.Items().Add();
    EXPECT_EQ(list.List().Count(), 6);
}

TEST_F(TodoListTest, SortMatchesAPlainModelAndKeepsTheSelectedItem)
{
    std::mt19937 random(7);
    std::vector<QString> model;
    list.Items().Clear();
    for (int i = 0; i < 300; ++i) {
        TTodoItem& item = list.Items().Add();
        item.SetSubject(QStringLiteral("s%1").arg(int(random() % 1000), 4, 10, QLatin1Char('0')));
        item.SetPriority(TTodoPriority(random() % 5));
        item.SetDBKey(QString::number(i));
        model.push_back(item.Subject());
    }
    list.SetItemIndex(123);
    const QString key = list.Selected()->DBKey();
    const QString subject = list.Selected()->Subject();
    TTodoItem* selectedEvent = nullptr;
    list.OnItemSelect = [&](QWidget&, TTodoItem* item) { selectedEvent = item; };
    list.SetSortColumn(1);
    list.SetSorted(true);
    std::sort(model.begin(), model.end());
    EXPECT_EQ(subjects(), model);
    ASSERT_NE(list.Selected(), nullptr);
    EXPECT_EQ(list.Selected()->DBKey(), key);
    EXPECT_EQ(list.Selected()->Subject(), subject);
    EXPECT_EQ(selectedEvent, list.Selected());
    // Keys travel with their contents.
    for (int i = 0; i < list.Items().Count(); ++i)
        EXPECT_EQ(list.Items()[i].Subject(), model[std::size_t(i)]);

    list.SetSortDirection(TSortDirection::sdDescending);
    std::reverse(model.begin(), model.end());
    EXPECT_EQ(subjects(), model);

    // Many equal keys: priorities come out in order and the selection still follows.
    list.Columns()[2].SetTodoData(TTodoData::tdPriority);
    list.SetSortDirection(TSortDirection::sdAscending);
    list.SetSortColumn(2);
    for (int i = 1; i < list.Items().Count(); ++i)
        ASSERT_LE(int(list.Items()[i - 1].Priority()), int(list.Items()[i].Priority())) << i;
    EXPECT_EQ(list.Selected()->DBKey(), key);

    // A column that compares everything alike leaves the order alone.
    list.Columns()[2].SetTodoData(TTodoData::tdStatus);
    const std::vector<QString> before = subjects();
    list.SetSortColumn(2);
    EXPECT_EQ(subjects(), before);
}

TEST_F(TodoListTest, HeaderClicksSortFlipAndReportTwice)
{
    std::vector<int> clicks;
    list.OnHeaderClick = [&](QWidget&, int column) { clicks.push_back(column); };
    const std::vector<QString> original = subjects();
    QTest::mouseClick(&list.Header(), Qt::LeftButton, {}, section(1));
    EXPECT_EQ(clicks, (std::vector<int>{1, 1}));
    EXPECT_EQ(list.SortColumn(), 1);
    EXPECT_EQ(list.Header().SortedSection(), 1);
    EXPECT_EQ(subjects(), original); // not Sorted: the rows keep their order
    QTest::mouseClick(&list.Header(), Qt::LeftButton, {}, section(1));
    EXPECT_EQ(list.SortDirection(), TSortDirection::sdDescending);
    QTest::mouseClick(&list.Header(), Qt::LeftButton, {}, section(1));
    EXPECT_EQ(list.SortDirection(), TSortDirection::sdAscending);
    list.SetSorted(true);
    EXPECT_EQ(subjects(), (std::vector<QString>{"alpha", "bravo", "charlie", "delta"}));
    // The handle never sorts; within 4 pixels of a border the click sizes instead.
    QTest::mouseClick(&list.Header(), Qt::LeftButton, {}, section(0));
    EXPECT_EQ(list.SortColumn(), 1);
    const TRect r = list.Header().SectionRect(2);
    QTest::mouseClick(&list.Header(), Qt::LeftButton, {}, QPoint(r.Left + 4, 5));
    EXPECT_EQ(list.SortColumn(), 1);
    QTest::mouseClick(&list.Header(), Qt::LeftButton, {}, QPoint(r.Left + 10, 5));
    EXPECT_EQ(list.SortColumn(), 2);
    clicks.clear();
    std::vector<int> rightClicks;
    list.OnHeaderRightClick = [&](QWidget&, int column) { rightClicks.push_back(column); };
    QTest::mouseClick(&list.Header(), Qt::RightButton, {}, section(1));
    EXPECT_EQ(rightClicks, std::vector<int>{1});
    EXPECT_TRUE(clicks.empty());
    EXPECT_EQ(list.SortColumn(), 2);
}

TEST_F(TodoListTest, HeaderPressesAndScrollsEndTheEditFirst)
{
    for (int i = 0; i < 40; ++i)
        list.Items().Add();
    list.SetScrollHorizontal(true);
    list.Columns()[1].SetWidth(700);
    ASSERT_TRUE(list.List().VertScrollBar()->isVisible());
    ASSERT_TRUE(list.List().HorzScrollBar()->isVisible());

    // A left press ends the edit before it sorts; the release and the right button do not.
    QTest::mousePress(&list.Header(), Qt::LeftButton, {}, section(1));
    EXPECT_EQ(list.editsEnded, std::vector<int>{0});
    EXPECT_EQ(list.SortColumn(), 1);
    QTest::mouseRelease(&list.Header(), Qt::LeftButton, {}, section(1));
    QTest::mouseClick(&list.Header(), Qt::RightButton, {}, section(1));
    EXPECT_EQ(list.editsEnded.size(), 1u);

    // Each way the user scrolls ends it before the rows move.
    struct ScrollCase
    {
        const char* how;
        std::function<void()> scroll;
    };
    const ScrollCase cases[] = {
        {"vertical bar", [&] { list.List().VertScrollBar()->setValue(5); }},
        {"wheel", [&] { SendWheel(&list.List(), cell(6, 1), -120); }},
        {"horizontal bar", [&] { list.List().HorzScrollBar()->setValue(30); }},
    };
    for (const ScrollCase& c : cases) {
        SCOPED_TRACE(c.how);
        const std::size_t before = list.editsEnded.size();
        c.scroll();
        EXPECT_EQ(list.editsEnded.size(), before + 1);
    }
    EXPECT_EQ(list.List().TopIndex(), 8);
    EXPECT_EQ(list.List().HorzScrollPos(), 30);

    // Turning the wheel where the rows cannot move, or bringing a selected row into view,
    // scrolls nothing the user asked for.
    const std::size_t before = list.editsEnded.size();
    list.List().SetTopIndex(0);
    SendWheel(&list.List(), cell(0, 1), 120);
    list.SetItemIndex(43);
    EXPECT_EQ(list.editsEnded.size(), before);
}

TEST_F(TodoListTest, HeaderSizingAndMovingColumns)
{
    const TRect r = list.Header().SectionRect(1);
    QTest::mousePress(&list.Header(), Qt::LeftButton, {}, QPoint(r.Right - 1, 5));
    QTest::mouseMove(&list.Header(), QPoint(r.Right + 29, 5));
    QTest::mouseRelease(&list.Header(), Qt::LeftButton, {}, QPoint(r.Right + 29, 5));
    EXPECT_EQ(list.Columns()[1].Width(), 130);

    list.SetHeaderDragDrop(true);
    QTest::mousePress(&list.Header(), Qt::LeftButton, {}, section(2));
    QTest::mouseRelease(&list.Header(), Qt::LeftButton, {}, section(1));
    EXPECT_EQ(list.Columns()[1].TodoData(), TTodoData::tdCompletion);
    EXPECT_EQ(list.Header().Section(1).Text(), QStringLiteral("Completion"));
    EXPECT_EQ(list.Header().XYToSection(0), -1);
    EXPECT_EQ(list.Header().XYToSection(32), 0);
    EXPECT_EQ(list.Header().XYToSection(33), 1);
    EXPECT_EQ(list.Header().XYToSection(5000), 2);
}

TEST_F(TodoListTest, ArrowsMoveTheFocusColumnAndAreConsumed)
{
    int keyDowns = 0;
    list.OnKeyDown = [&](QWidget&, int&, TShiftState) { ++keyDowns; };
    list.SetItemIndex(1);
    struct ArrowCase
    {
        int from;
        Qt::Key key;
        int to;
    };
    const ArrowCase cases[] = {
        {0, Qt::Key_Left, 0},   {0, Qt::Key_Right, 1}, {1, Qt::Key_Right, 2},
        {2, Qt::Key_Right, 2},  {2, Qt::Key_Left, 1},  {-1, Qt::Key_Left, -1},
        {-1, Qt::Key_Right, 0}, {5, Qt::Key_Left, 4}, // past the columns: still one back
        {5, Qt::Key_Right, 5}};
    for (const ArrowCase& c : cases) {
        SCOPED_TRACE(c.from);
        list.SetFocusColumn(c.from);
        QTest::keyClick(&list.List(), c.key);
        EXPECT_EQ(list.FocusColumn(), c.to);
        EXPECT_EQ(list.Header().ActiveColumn(), c.to);
        EXPECT_EQ(list.ItemIndex(), 1);
    }
    EXPECT_EQ(keyDowns, 0);
    QTest::keyClick(&list.List(), Qt::Key_Down);
    EXPECT_EQ(list.ItemIndex(), 2);
    EXPECT_EQ(keyDowns, 1);
    // Tab moves the column only when the list takes it.
    list.List().SetUseTab(true);
    list.SetFocusColumn(0);
    QTest::keyClick(&list.List(), Qt::Key_Tab);
    EXPECT_EQ(list.FocusColumn(), 1);
}

TEST_F(TodoListTest, InsertAndDeleteAskTheirEvents)
{
    TFixedClock clock(EncodeDateTime(2026, 5, 4, 10, 30, 0, 0));
    bool allow = false;
    list.OnItemInsert = [&](QWidget&, TTodoItem&, bool& a) { a = allow; };
    QTest::keyClick(&list.List(), Qt::Key_Insert);
    EXPECT_EQ(list.Items().Count(), 4);
    EXPECT_TRUE(list.edits.empty());
    allow = true;
    list.Columns().Add().SetTodoData(TTodoData::tdSubject);
    QTest::keyClick(&list.List(), Qt::Key_Insert);
    ASSERT_EQ(list.Items().Count(), 5);
    const TTodoItem& added = list.Items()[4];
    EXPECT_EQ(added.CreationDate(), EncodeDateTime(2026, 5, 4, 10, 30, 0, 0));
    EXPECT_EQ(added.DueDate(), added.CreationDate() + 1);
    EXPECT_EQ(added.CompletionDate(), added.DueDate());
    EXPECT_EQ(list.ItemIndex(), 4);
    EXPECT_EQ(list.FocusColumn(), 3); // the last subject column
    ASSERT_EQ(list.edits.size(), 1u);
    EXPECT_EQ(list.edits[0].row, 4);
    EXPECT_EQ(list.edits[0].column, 3);

    bool allowDelete = false;
    list.OnItemDelete = [&](QWidget&, TTodoItem&, bool& a) { a = allowDelete; };
    list.SetItemIndex(0);
    QTest::keyClick(&list.List(), Qt::Key_Delete);
    EXPECT_EQ(list.Items().Count(), 5);
    allowDelete = true;
    QTest::keyClick(&list.List(), Qt::Key_Delete);
    EXPECT_EQ(list.Items().Count(), 4);
    EXPECT_EQ(list.Items()[0].Subject(), QStringLiteral("alpha"));
    list.SetAutoDeleteItem(false);
    QTest::keyClick(&list.List(), Qt::Key_Delete);
    EXPECT_EQ(list.Items().Count(), 4);
}

TEST_F(TodoListTest, KeysAndClicksThatStartEditingCallStartEdit)
{
    list.SetItemIndex(2);
    list.SetFocusColumn(1);
    QTest::keyClick(&list.List(), Qt::Key_F2);
    QTest::keyClick(&list.List(), Qt::Key_Space);
    QTest::keyClicks(&list.List(), QStringLiteral("k7"));
    QTest::keyClick(&list.List(), Qt::Key_Plus); // not a starting character
    ASSERT_EQ(list.edits.size(), 4u);
    EXPECT_EQ(list.edits[2].key, QLatin1Char('k'));
    EXPECT_EQ(list.edits[3].key, QLatin1Char('7'));
    EXPECT_EQ(list.edits[0].row, 2);
    EXPECT_EQ(list.edits[0].column, 1);
    list.edits.clear();

    // A release on a cell focuses its column and edits it unless it is the handle or only
    // Ctrl is held.
    QTest::mouseClick(&list.List(), Qt::LeftButton, {}, cell(1, 2));
    EXPECT_EQ(list.FocusColumn(), 2);
    EXPECT_EQ(list.ItemIndex(), 1);
    ASSERT_EQ(list.edits.size(), 1u);
    EXPECT_TRUE(list.edits[0].byMouse);
    EXPECT_EQ(list.edits[0].column, 2);
    QTest::mouseClick(&list.List(), Qt::LeftButton, {}, cell(3, 0));
    EXPECT_EQ(list.FocusColumn(), 0);
    QTest::mouseClick(&list.List(), Qt::LeftButton, Qt::ControlModifier, cell(3, 1));
    EXPECT_EQ(list.FocusColumn(), 1);
    EXPECT_EQ(list.edits.size(), 1u);
    // With the preview on, a release on a row's preview part edits its notes there.
    list.SetPreviewHeight(30);
    list.SetPreview(true);
    const TRect row2 = list.List().ItemRect(2);
    QTest::mouseClick(&list.List(), Qt::LeftButton, {}, QPoint(50, row2.Top + 22 + 10));
    ASSERT_EQ(list.edits.size(), 2u);
    EXPECT_EQ(list.edits[1].row, 2);
    EXPECT_EQ(list.edits[1].column, -1);
    EXPECT_TRUE(list.edits[1].byMouse);
    list.SetPreview(false);
    list.edits.pop_back();

    list.SetEditable(false);
    QTest::keyClicks(&list.List(), QStringLiteral("x"));
    QTest::mouseClick(&list.List(), Qt::LeftButton, {}, cell(0, 2));
    EXPECT_EQ(list.edits.size(), 1u);
    EXPECT_EQ(list.FocusColumn(), 1);
}

TEST_F(TodoListTest, FullTextHintsOnlyForTruncatedCells)
{
    list.Items()[0].SetSubject(QStringLiteral("a subject far too long for a hundred pixels"));
    list.Items()[0].SetPriority(TTodoPriority::tpHigh);
    TRect cellRect;
    EXPECT_EQ(list.List().HintAt(FromQPoint(cell(0, 1)), cellRect),
              QStringLiteral("a subject far too long for a hundred pixels"));
    EXPECT_EQ(cellRect, list.List().CellRect(0, 1));
    EXPECT_TRUE(list.List().HintAt(FromQPoint(cell(1, 1)), cellRect).isEmpty());
    list.Columns()[2].SetTodoData(TTodoData::tdPriority);
    EXPECT_EQ(list.List().CellHintText(0, 2), QStringLiteral("High"));
    list.Columns()[2].SetTodoData(TTodoData::tdDueDate);
    EXPECT_EQ(list.List().CellHintText(0, 2), QStringLiteral("12/30/1899"));
    list.Columns()[2].SetTodoData(TTodoData::tdCompletion);
    EXPECT_TRUE(list.List().CellHintText(0, 2).isEmpty());
    list.SetCompletionGraphic(false);
    EXPECT_EQ(list.List().CellHintText(0, 2), QStringLiteral("0"));
}

TEST_F(TodoListTest, MovingOverATruncatedCellShowsItsTextOverTheCell)
{
    list.SetHintShowFullText(true);
    const QString longText = QStringLiteral("a subject far too long for a hundred pixels");
    list.Items()[0].SetSubject(longText);
    QTest::mouseMove(&list.List(), cell(0, 1));
    THintWindow* hint = list.List().HintWindow();
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(hint->isVisible());
    EXPECT_EQ(hint->Text(), longText);
    const TRect r = list.List().CellRect(0, 1);
    const QPoint topLeft = list.List().mapToGlobal(QPoint(r.Left, r.Top));
    EXPECT_EQ(hint->HintRect().Left, topLeft.x());
    EXPECT_EQ(hint->HintRect().Top, topLeft.y());
    QTest::mouseMove(&list.List(), cell(1, 1));
    EXPECT_FALSE(hint->isVisible());
}

TEST_F(TodoListTest, AHintGoesWhenThePointerLeavesOrHintsAreSwitchedOff)
{
    list.SetHintShowFullText(true);
    list.Items()[0].SetSubject(QStringLiteral("a subject far too long for a hundred pixels"));
    QTest::mouseMove(&list.List(), cell(0, 1));
    THintWindow* hint = list.List().HintWindow();
    ASSERT_NE(hint, nullptr);
    ASSERT_TRUE(hint->isVisible());
    // The hint covers the cell but never takes the pointer from the list.
    EXPECT_TRUE(hint->windowFlags().testFlag(Qt::WindowTransparentForInput));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&list.List(), &leave);
    EXPECT_FALSE(hint->isVisible());

    QTest::mouseMove(&list.List(), cell(0, 1) + QPoint(1, 0));
    ASSERT_TRUE(hint->isVisible());
    list.SetHintShowFullText(false);
    EXPECT_FALSE(hint->isVisible());
}

TEST_F(TodoListTest, ThemeStylesAndHorizontalExtent)
{
    struct ThemeCase
    {
        const char* theme;
        int style;
    };
    const ThemeCase themes[] = {
        {"NormalColor", 0}, {"HomeStead", 2}, {"Metallic", 1}, {"Fusion", 3}, {"", 3}};
    for (const ThemeCase& t : themes)
        EXPECT_EQ(TCustomTodoList::HeaderStyleForTheme(QLatin1String(t.theme)), t.style);
    // Without visual styles no theme is active: the classic colours after loading.
    list.SetAutoThemeAdapt(true);
    list.Loaded();
    EXPECT_EQ(list.HeaderColor(), clGray);
    list.SetHeaderStyle(3);
    EXPECT_EQ(list.HeaderColor(), clGray);
    EXPECT_EQ(list.HeaderActiveColor(), TColor(0xD8D5D4));
    list.SetHeaderStyle(1);
    EXPECT_EQ(list.HeaderColorTo(), TColor(0xB39698));

    list.Columns()[1].SetWidth(600);
    EXPECT_EQ(list.List().HorizontalExtent(), 0);
    list.SetScrollHorizontal(true);
    EXPECT_EQ(list.List().HorizontalExtent(), 732);
    list.List().SetHorzScrollPos(40);
    EXPECT_EQ(list.Header().Section(0).Width(), 0); // 32 - 40, kept at zero
    list.SetScrollHorizontal(false);
    EXPECT_EQ(list.List().HorizontalExtent(), 0);
    EXPECT_EQ(list.List().HorzScrollPos(), 0);
    EXPECT_EQ(list.Header().Section(0).Width(), 32);
}

} // namespace

namespace {

// Rows dragged out of the list and drops onto it, in one shown window.
class TodoDragTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        host.resize(600, 250);
        list = new RecordingList;
        list->setParent(&host);
        list->setGeometry(0, 0, 300, 200);
        target = new TCustomControl(&host);
        target->setGeometry(350, 0, 200, 200);
        for (const char* s : {"first", "second", "third"})
            list->Items().Add().SetSubject(QLatin1String(s));
        host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
        QTest::mouseMove(&host, QPoint(595, 245));
    }
    QWidget host;
    RecordingList* list; // children of host
    TCustomControl* target;
};

TEST_F(TodoDragTest, ARowIsDraggedFromTheInnerListWithTheListAsSender)
{
    list->SetDragMode(TDragMode::dmAutomatic);
    QWidget* dropped = nullptr;
    target->DragSupport().OnDragOver = [](QWidget&, QWidget*, int, int, TDragState, bool&) {};
    target->DragSupport().OnDragDrop = [&](QWidget&, QWidget* source, int, int) {
        dropped = source;
    };
    QWidget* started = nullptr;
    QWidget* ended = nullptr;
    list->OnStartDrag = [&](QWidget& sender) { started = &sender; };
    list->OnEndDrag = [&](QWidget& sender, QWidget*, int, int) { ended = &sender; };
    const TRect handle = list->List().CellRect(1, 0);
    QTest::mousePress(&list->List(), Qt::LeftButton, {}, QPoint(handle.Left + 5, handle.Top + 5));
    EXPECT_EQ(list->ItemIndex(), 1);
    QTest::mouseMove(target, QPoint(30, 40));
    QTest::mouseMove(target, QPoint(31, 41));
    QTest::mouseRelease(target, Qt::LeftButton, {}, QPoint(31, 41));
    EXPECT_EQ(dropped, &list->List());
    EXPECT_EQ(started, list);
    EXPECT_EQ(ended, list);
    EXPECT_TRUE(list->edits.empty());
    EXPECT_EQ(list->Selected()->Subject(), QStringLiteral("second"));
}

TEST_F(TodoDragTest, DropsOntoTheListAreAskedOfTheList)
{
    target->SetDragMode(TDragMode::dmAutomatic);
    int asked = 0;
    QWidget* droppedFrom = nullptr;
    list->OnDragOver = [&](QWidget& sender, QWidget* source, int, int, TDragState, bool& accept) {
        ++asked;
        accept = &sender == list && source == target;
    };
    list->OnDragDrop = [&](QWidget& sender, QWidget* source, int, int) {
        if (&sender == list)
            droppedFrom = source;
    };
    QTest::mousePress(target, Qt::LeftButton, {}, QPoint(10, 10));
    const TRect row = list->List().CellRect(0, 1);
    QTest::mouseMove(&list->List(), QPoint(row.Left + 5, row.Top + 5));
    QTest::mouseMove(&list->List(), QPoint(row.Left + 6, row.Top + 5));
    QTest::mouseRelease(&list->List(), Qt::LeftButton, {}, QPoint(row.Left + 6, row.Top + 5));
    EXPECT_GT(asked, 0);
    EXPECT_EQ(droppedFrom, target);
}

} // namespace
