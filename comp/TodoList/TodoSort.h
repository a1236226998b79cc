// Sorting the to-do items: the comparison of two items on a column's kind, which the list's
// Sort and CompareItems both use.
#pragma once

#include "comp/TodoList/TodoItem.h"
#include "comp/TodoList/TodoTypes.h"

// Positive when a sorts after b on a column of the kind, negative before, 0 alike; texts by
// the user's locale, case-sensitively. Descending inverts the sign.
int CompareTodoItems(const TTodoItem& a, const TTodoItem& b, TTodoData kind,
                     TSortDirection direction);
