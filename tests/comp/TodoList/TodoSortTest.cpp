// The comparison that sorting uses, kind by kind, against a table.
#include "comp/TodoList/TodoSort.h"

#include <gtest/gtest.h>

namespace {

TEST(TodoSortTest, CompareItemsByKind)
{
    TTodoItemCollection items;
    TTodoItem& a = items.Add();
    TTodoItem& b = items.Add();
    a.SetSubject(QStringLiteral("apple"));
    b.SetSubject(QStringLiteral("banana"));
    a.SetCompletion(80);
    b.SetCompletion(20);
    b.SetComplete(true);
    a.SetPriority(TTodoPriority::tpHigh);
    a.SetDueDate(3);
    b.SetDueDate(3);
    a.SetStatus(TTodoStatus::tsDeferred);
    a.SetTotalTime(9);
    a.SetCategory(QStringLiteral("z"));
    a.SetResource(QStringLiteral("Bob"));
    b.SetResource(QStringLiteral("Ann"));
    a.Notes().SetText(QStringLiteral("x\r\nb"));
    b.Notes().SetText(QStringLiteral("x\r\na"));
    struct CompareCase
    {
        TTodoData kind;
        int expected; // sign of compare(a, b) ascending
    };
    const CompareCase cases[] = {
        {TTodoData::tdSubject, -1},  {TTodoData::tdCompletion, 1},   {TTodoData::tdNotes, 1},
        {TTodoData::tdPriority, 1},  {TTodoData::tdDueDate, 0},      {TTodoData::tdImage, 0},
        {TTodoData::tdComplete, -1}, {TTodoData::tdResource, 1},     {TTodoData::tdProject, 0},
        {TTodoData::tdStatus, 0},    {TTodoData::tdTotalTime, 0},    {TTodoData::tdHandle, 0},
        {TTodoData::tdCategory, 0},  {TTodoData::tdCreationDate, 0},
    };
    for (const CompareCase& c : cases) {
        SCOPED_TRACE(int(c.kind));
        EXPECT_EQ(CompareTodoItems(a, b, c.kind, TSortDirection::sdAscending), c.expected);
        EXPECT_EQ(CompareTodoItems(a, b, c.kind, TSortDirection::sdDescending), -c.expected);
    }
    // Case-sensitive: different case is not equal.
    a.SetSubject(QStringLiteral("a"));
    b.SetSubject(QStringLiteral("A"));
    EXPECT_NE(CompareTodoItems(a, b, TTodoData::tdSubject, TSortDirection::sdAscending), 0);
}

} // namespace
