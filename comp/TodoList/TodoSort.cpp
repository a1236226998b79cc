// Sorting the items on the sort column: a partition sort over positions that never swaps
// items comparing equal. The pivot is the item that stood in the middle when the pass began
// and is followed when a swap moves it: comparing against whatever a swap left in the middle
// position would change the pivot during the pass, and the result would not be sorted. Strings are
// compared through collation keys made once per sort, which order exactly as the collator compares;
// contents move by one permutation at the end.
#include "comp/TodoList/TodoList.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <numeric>
#include <vector>

namespace {

class Sorter
{
public:
    Sorter(TTodoItemCollection& items, TTodoData kind, TSortDirection direction, int selected)
        : m_items(items), m_kind(kind), m_sign(direction == TSortDirection::sdDescending ? -1 : 1),
          m_order(std::size_t(items.Count())), m_selected(selected)
    {
        std::iota(m_order.begin(), m_order.end(), 0);
        const QCollator& collator = TodoCollator();
        const auto keyOf = [&](const TTodoItem& item) -> QString {
            switch (kind) {
            case TTodoData::tdSubject:
                return item.Subject();
            case TTodoData::tdNotes:
                return item.Notes().Text();
            case TTodoData::tdResource:
                return item.Resource();
            case TTodoData::tdProject:
                return item.Project();
            default:
                return {};
            }
        };
        m_byKey = kind == TTodoData::tdSubject || kind == TTodoData::tdNotes ||
                  kind == TTodoData::tdResource || kind == TTodoData::tdProject;
        if (m_byKey) {
            m_keys.reserve(std::size_t(items.Count()));
            for (int i = 0; i < items.Count(); ++i)
                m_keys.push_back(collator.sortKey(keyOf(items[i])));
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
        if (m_byKey) {
            const int r = m_keys[std::size_t(a)].compare(m_keys[std::size_t(b)]);
            return m_sign * (r < 0 ? -1 : (r > 0 ? 1 : 0));
        }
        return CompareTodoItems(m_items[a], m_items[b], m_kind,
                                m_sign < 0 ? TSortDirection::sdDescending
                                           : TSortDirection::sdAscending);
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
    std::vector<QCollatorSortKey> m_keys;
    bool m_byKey = false;
    int m_selected;
};

} // namespace

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
