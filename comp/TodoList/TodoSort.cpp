// Sorting the items on the sort column: a partition sort over positions that never swaps
// items comparing equal. The pivot is the item that stood in the middle when the pass began
// and is followed when a swap moves it: comparing against whatever a swap left in the middle
// position would change the pivot during the pass, and the result would not be sorted. Texts
// are compared through collation keys made once per sort, which order exactly as the collator
// compares; contents move by one permutation at the end.
#include "comp/TodoList/TodoSort.h"

#include "comp/TodoList/TodoList.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QLocale>
#include <numeric>
#include <vector>

namespace {

// The column kinds compared as text, and the text of an item each compares.
struct TextColumn
{
    TTodoData kind;
    QString (*text)(const TTodoItem& item);
};

const TextColumn textColumns[] = {
    {TTodoData::tdSubject, [](const TTodoItem& item) { return item.Subject(); }},
    {TTodoData::tdNotes, [](const TTodoItem& item) { return item.Notes().Text(); }},
    {TTodoData::tdResource, [](const TTodoItem& item) { return item.Resource(); }},
    {TTodoData::tdProject, [](const TTodoItem& item) { return item.Project(); }},
};

const TextColumn* textColumnOf(TTodoData kind)
{
    for (const TextColumn& column : textColumns)
        if (column.kind == kind)
            return &column;
    return nullptr;
}

const QCollator& collator()
{
    // One collator for the program's locale; case-sensitive as the classic string compare.
    static const QCollator c = [] {
        QCollator made{QLocale()};
        made.setCaseSensitivity(Qt::CaseSensitive);
        return made;
    }();
    return c;
}

template <class T>
int sign(T a, T b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

// The comparison of the kinds that are not texts; kinds without an order compare alike.
int compareValues(const TTodoItem& a, const TTodoItem& b, TTodoData kind)
{
    switch (kind) {
    case TTodoData::tdCompletion:
        return sign(a.Completion(), b.Completion());
    case TTodoData::tdPriority:
        return sign(int(a.Priority()), int(b.Priority()));
    case TTodoData::tdDueDate:
        return sign(a.DueDate(), b.DueDate());
    case TTodoData::tdImage:
        return sign(a.ImageIndex(), b.ImageIndex());
    case TTodoData::tdComplete:
        return sign(int(a.Complete()), int(b.Complete()));
    case TTodoData::tdCompletionDate:
        return sign(a.CompletionDate(), b.CompletionDate());
    case TTodoData::tdCreationDate:
        return sign(a.CreationDate(), b.CreationDate());
    default:
        return 0;
    }
}

class Sorter
{
public:
    Sorter(TTodoItemCollection& items, TTodoData kind, TSortDirection direction, int selected)
        : m_items(items), m_kind(kind), m_sign(direction == TSortDirection::sdDescending ? -1 : 1),
          m_order(std::size_t(items.Count())), m_text(textColumnOf(kind)), m_selected(selected)
    {
        std::iota(m_order.begin(), m_order.end(), 0);
        if (m_text) {
            m_keys.reserve(std::size_t(items.Count()));
            for (int i = 0; i < items.Count(); ++i)
                m_keys.push_back(collator().sortKey(m_text->text(items[i])));
        }
    }

    void Run()
    {
        if (m_order.size() >= 2)
            quickSort(0, int(m_order.size()) - 1);
    }
    const std::vector<int>& Order() const { return m_order; }
    int Selected() const { return m_selected; }

private:
    // The comparison of the contents now at two positions.
    int compare(int p, int q) const
    {
        const int a = m_order[std::size_t(p)], b = m_order[std::size_t(q)];
        if (m_text)
            return m_sign * sign(m_keys[std::size_t(a)].compare(m_keys[std::size_t(b)]), 0);
        return m_sign * compareValues(m_items[a], m_items[b], m_kind);
    }

    void swap(int i, int j)
    {
        std::swap(m_order[std::size_t(i)], m_order[std::size_t(j)]);
        if (m_selected == i)
            m_selected = j;
        else if (m_selected == j)
            m_selected = i;
    }

    void quickSort(int l, int r)
    {
        // The two halves are independent, so the larger is taken by the loop and only the
        // smaller by recursion: the depth stays logarithmic.
        while (l < r) {
            int p = (l + r) / 2;
            int i = l, j = r;
            do {
                while (compare(p, i) > 0 && i < r)
                    ++i;
                while (compare(p, j) < 0 && j > l)
                    --j;
                if (i <= j) {
                    if (i != j && compare(i, j) != 0) {
                        swap(i, j);
                        if (p == i)
                            p = j;
                        else if (p == j)
                            p = i;
                    }
                    ++i;
                    --j;
                }
            } while (i <= j);
            if (j - l < r - i) {
                if (l < j)
                    quickSort(l, j);
                l = i;
            } else {
                if (i < r)
                    quickSort(i, r);
                r = j;
            }
        }
    }

    TTodoItemCollection& m_items;
    TTodoData m_kind;
    int m_sign;
    std::vector<int> m_order; // position -> index of the content that is there now
    const TextColumn* m_text; // null for the kinds compared by value
    std::vector<QCollatorSortKey> m_keys;
    int m_selected;
};

} // namespace

int CompareTodoItems(const TTodoItem& a, const TTodoItem& b, TTodoData kind,
                     TSortDirection direction)
{
    const TextColumn* text = textColumnOf(kind);
    const int r = text ? sign(collator().compare(text->text(a), text->text(b)), 0)
                       : compareValues(a, b, kind);
    return direction == TSortDirection::sdDescending ? -r : r;
}

int TCustomTodoList::CompareItems(const TTodoItem& a, const TTodoItem& b) const
{
    if (m_sortColumn < 0 || m_sortColumn >= m_list->TodoColumns().Count())
        return 0;
    return CompareTodoItems(a, b, m_list->TodoColumns()[m_sortColumn].TodoData(), m_sortDirection);
}

void TCustomTodoList::Sort()
{
    int selected = m_list->ItemIndex();
    TTodoItemCollection& items = Items();
    if (items.Count() >= 2 && m_sortColumn >= 0 && m_sortColumn < Columns().Count()) {
        Sorter sorter(items, Columns()[m_sortColumn].TodoData(), m_sortDirection, selected);
        sorter.Run();
        items.Permute(sorter.Order());
        selected = sorter.Selected();
        m_list->update();
    }
    m_list->SetItemIndex(selected);
    DoItemSelect(Selected());
}
