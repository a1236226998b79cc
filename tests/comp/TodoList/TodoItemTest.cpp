// To-do items and columns: setters that report only real changes, Assign leaving the key,
// the completion range, the collection's indexes and content permutation, columns' defaults,
// display names and change reports.
#include "comp/TodoList/TodoItem.h"

#include "comp/TodoList/TodoColumn.h"

#include <climits>
#include <gtest/gtest.h>
#include <iterator>
#include <vector>

namespace {

class CountingOwner : public TTodoItemsOwner
{
public:
    void TodoItemChanged(int index) override { changed.push_back(index); }
    void TodoItemsChanged() override { ++resyncs; }
    std::vector<int> changed;
    int resyncs = 0;
};

class TodoItemTest : public ::testing::Test
{
protected:
    CountingOwner owner;
    TTodoItemCollection items{&owner};
};

TEST_F(TodoItemTest, NewItemHasTheDocumentedValues)
{
    TTodoItem& item = items.Add();
    EXPECT_EQ(item.ImageIndex(), -1);
    EXPECT_TRUE(item.Notes().IsEmpty());
    EXPECT_EQ(item.Tag(), 0);
    EXPECT_EQ(item.TotalTime(), 0);
    EXPECT_TRUE(item.Subject().isEmpty());
    EXPECT_EQ(item.Completion(), 0);
    EXPECT_EQ(item.DueDate(), 0);
    EXPECT_EQ(item.Priority(), TTodoPriority::tpLowest);
    EXPECT_EQ(item.Status(), TTodoStatus::tsNotStarted);
    EXPECT_FALSE(item.Complete());
    EXPECT_TRUE(item.DBKey().isEmpty());
    EXPECT_EQ(item.DisplayName(), QStringLiteral("Item0"));
}

TEST_F(TodoItemTest, SettersReportOnlyDifferingValuesForTheirOwnRow)
{
    items.Add();
    TTodoItem& item = items.Add();
    owner.changed.clear();
    item.SetSubject(QStringLiteral("Call"));
    item.SetSubject(QStringLiteral("Call"));
    item.SetDueDate(45000.5);
    item.SetDueDate(45000.5);
    item.SetPriority(TTodoPriority::tpHigh);
    item.SetComplete(false);
    item.SetTotalTime(0);
    EXPECT_EQ(owner.changed, (std::vector<int>{1, 1, 1}));
    // Notes always report, and their text change resynchronises the rows.
    const int before = owner.resyncs;
    item.SetNotes(TStringList{QStringLiteral("a")});
    item.Notes().SetText(QStringLiteral("b\r\nc"));
    EXPECT_EQ(owner.changed.size(), 4u);
    EXPECT_EQ(owner.resyncs, before + 2);
}

TEST_F(TodoItemTest, CompletionOutsideZeroToHundredRaisesAndKeepsTheValue)
{
    TTodoItem& item = items.Add();
    item.SetCompletion(40);
    EXPECT_THROW(item.SetCompletion(101), Exception);
    EXPECT_THROW(item.SetCompletion(-1), Exception);
    EXPECT_EQ(item.Completion(), 40);
    item.SetCompletion(100);
    EXPECT_EQ(item.Completion(), 100);
}

TEST_F(TodoItemTest, StoredCompletionsOutsideTheRangeLoadHeldAtTheNearestEnd)
{
    struct LoadCase
    {
        int stored;
        int loaded;
    };
    const LoadCase cases[] = {
        {-5, 0}, {0, 0}, {57, 57}, {100, 100}, {101, 100}, {250, 100}, {INT_MIN, 0}, {INT_MAX, 100},
    };
    // Records as a table would hand them over, odd ones among them: every one becomes an item.
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.stored);
        TTodoItem& item = items.Add();
        EXPECT_NO_THROW(item.LoadCompletion(c.stored));
        EXPECT_EQ(item.Completion(), c.loaded);
    }
    EXPECT_EQ(items.Count(), int(std::size(cases)));
    // What the user sets is still checked.
    TTodoItem& item = items[2];
    const auto messageOf = [&](int value) {
        try {
            item.SetCompletion(value);
        } catch (const Exception& e) {
            return e.Message();
        }
        return QString();
    };
    EXPECT_EQ(messageOf(101), QStringLiteral("Completion cannot be larger than 100"));
    EXPECT_EQ(messageOf(-1), QStringLiteral("Completion cannot be smaller than 0"));
    EXPECT_EQ(item.Completion(), 57);
}

TEST_F(TodoItemTest, AssignCopiesEveryStoredPropertyButNotTheKey)
{
    TTodoItem& a = items.Add();
    TTodoItem& b = items.Add();
    a.SetSubject(QStringLiteral("S"));
    a.SetNotes(TStringList{QStringLiteral("n1"), QStringLiteral("n2")});
    a.SetImageIndex(3);
    a.SetTag(7);
    a.SetTotalTime(2.5);
    a.SetCompletion(55);
    a.SetDueDate(1.5);
    a.SetPriority(TTodoPriority::tpHighest);
    a.SetStatus(TTodoStatus::tsDeferred);
    a.SetComplete(true);
    a.SetCreationDate(2);
    a.SetCompletionDate(3);
    a.SetResource(QStringLiteral("R"));
    a.SetProject(QStringLiteral("P"));
    a.SetCategory(QStringLiteral("C"));
    a.SetDBKey(QStringLiteral("{A}"));
    b.SetDBKey(QStringLiteral("{B}"));
    b.Assign(a);
    EXPECT_EQ(b.Subject(), a.Subject());
    EXPECT_EQ(b.Notes(), a.Notes());
    EXPECT_EQ(b.ImageIndex(), 3);
    EXPECT_EQ(b.Tag(), 7);
    EXPECT_EQ(b.TotalTime(), 2.5);
    EXPECT_EQ(b.Completion(), 55);
    EXPECT_EQ(b.DueDate(), 1.5);
    EXPECT_EQ(b.Priority(), TTodoPriority::tpHighest);
    EXPECT_EQ(b.Status(), TTodoStatus::tsDeferred);
    EXPECT_TRUE(b.Complete());
    EXPECT_EQ(b.CreationDate(), 2);
    EXPECT_EQ(b.CompletionDate(), 3);
    EXPECT_EQ(b.Resource(), QStringLiteral("R"));
    EXPECT_EQ(b.Project(), QStringLiteral("P"));
    EXPECT_EQ(b.Category(), QStringLiteral("C"));
    EXPECT_EQ(b.DBKey(), QStringLiteral("{B}"));
}

TEST_F(TodoItemTest, DeletingRenumbersAndPermuteMovesContentsWithKeys)
{
    for (int i = 0; i < 5; ++i) {
        TTodoItem& item = items.Add();
        item.SetSubject(QString::number(i));
        item.SetDBKey(QStringLiteral("k") + QString::number(i));
        item.SetNotes(TStringList{QString::number(i)});
    }
    items.Delete(1);
    items.Delete(17); // ignored
    ASSERT_EQ(items.Count(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(items[i].Index(), i);
    // 0 2 3 4 -> positions receive 4 0 3 2
    items.Permute({3, 0, 2, 1});
    const char* subjects[] = {"4", "0", "3", "2"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(items[i].Subject(), QLatin1String(subjects[i]));
        EXPECT_EQ(items[i].DBKey(), QStringLiteral("k") + QLatin1String(subjects[i]));
        EXPECT_EQ(items[i].Notes()[0], QLatin1String(subjects[i]));
    }
    // Moved notes still report for the item that now holds them.
    owner.resyncs = 0;
    items[0].Notes().Add(QStringLiteral("x"));
    EXPECT_EQ(owner.resyncs, 1);
    EXPECT_THROW(items.Permute({0, 0, 1, 2}), EListError);
    EXPECT_EQ(items[0].Subject(), QStringLiteral("4"));
    EXPECT_THROW(items.Items(4), EListError);
}

class ColumnOwner : public TTodoColumnsOwner
{
public:
    void TodoColumnsChanged(bool sizes) override { reports.push_back(sizes); }
    const TFont& TodoColumnFont() const override { return font; }
    TFont font;
    std::vector<bool> reports;
};

TEST(TodoColumnTest, DefaultsFontCopyHandleAndDisplayNames)
{
    ColumnOwner owner;
    owner.font.SetName(QStringLiteral("Arial"));
    TTodoColumnCollection columns(&owner);
    TTodoColumnItem& c = columns.Add();
    EXPECT_EQ(c.Width(), 100);
    EXPECT_EQ(c.Alignment(), TAlignment::taLeftJustify);
    EXPECT_EQ(c.Color(), clWindow);
    EXPECT_EQ(c.TodoData(), TTodoData::tdSubject);
    EXPECT_TRUE(c.Editable());
    EXPECT_FALSE(c.Tag());
    EXPECT_EQ(c.ImageIndex(), -1);
    EXPECT_EQ(c.Font().Name(), QStringLiteral("Arial"));
    EXPECT_EQ(c.DisplayName(), QStringLiteral("Column 0 (Subject)"));

    owner.reports.clear();
    c.SetWidth(50);
    c.SetCaption(QStringLiteral("Due"));
    c.SetTodoData(TTodoData::tdHandle);
    EXPECT_FALSE(c.Editable());
    EXPECT_EQ(c.DisplayName(), QStringLiteral("Due (Handle)"));
    c.Font().SetColor(clRed);
    EXPECT_EQ(owner.reports, (std::vector<bool>{true, false, false, false}));

    struct NameCase
    {
        TTodoData kind;
        const char* suffix;
    };
    const NameCase names[] = {{TTodoData::tdDueDate, " (Due Date)"},
                              {TTodoData::tdTotalTime, " (Total time)"},
                              {TTodoData::tdCompletionDate, " (Completion date)"},
                              {TTodoData::tdCategory, " (Category)"}};
    for (const NameCase& n : names)
        EXPECT_EQ(TodoDataDisplayName(n.kind), QLatin1String(n.suffix));

    columns.Add().SetCaption(QStringLiteral("B"));
    columns.Move(1, 0);
    EXPECT_EQ(columns[0].Caption(), QStringLiteral("B"));
    EXPECT_EQ(columns.TotalWidth(), 150);
}

} // namespace
