// The side-by-side layout of overlapping items (TPlannerItems::UpdateConflicts): which items
// share cells at a position, how many sub-columns each group needs, and which sub-column
// each item takes.
//
// The results are those of the plain algorithm: a single pass in collection order merges
// each item's group range with every item it touches, a work table of byte counters per
// position and cell hands out the sub-columns, and a final cap narrows items to the widest
// sub-column actually handed out at their position. Only the search for touching items is
// done differently: instead of testing every pair of items cell by cell, the items that take
// part are sorted by position and first cell once, so that each item looks only at the
// few that can touch it, and then visits them in collection order, which the merging
// depends on. The work table and the sort buffers are kept between runs.
#include "comp/Planner/Planner.h"
#include "comp/Planner/PlannerItems.h"
#include "platform/core/RaiseEvent.h"

#include <algorithm>
#include <cstring>

namespace {

struct TakesPart
{
    const TPlannerItems& items;
    bool operator()(const TPlannerItem& item) const
    {
        return item.Visible() && items.LayerVisible(item.Layer()) &&
               !(item.Background() && item.AllowOverlap());
    }
};

} // namespace

void TPlannerItems::UpdateConflicts()
{
    if (m_updateCount > 0 || m_isTemplate || m_planner.Destroying())
        return;
    if (m_items.empty()) {
        Raise(m_planner.OnItemsLayout, *this);
        return;
    }

    const TPlannerGrid& grid = m_planner.Grid();
    const bool horizontal = m_planner.Horizontal();
    // One entry per grid line across (positions) and per grid line along time (cells).
    const int positions = horizontal ? grid.RowCount() : grid.ColCount();
    const int cells = horizontal ? grid.ColCount() : grid.RowCount();
    TConflictTable& t = m_table;
    const std::size_t entries = std::size_t(positions) * std::size_t(cells);
    if (t.width.size() < entries) {
        t.width.resize(entries);
        t.nextFree.resize(entries);
        t.wrap.resize(entries);
    }
    t.positions = positions;
    t.cells = cells;
    std::memset(t.width.data(), 0, entries);
    std::memset(t.nextFree.data(), 0, entries);
    std::memset(t.wrap.data(), 0, entries);

    const int n = Count();
    const TakesPart takesPart{*this};
    // Repaints are gathered and done once the layout is complete: an item's repaint widens
    // over the items it overlaps, which is found faster for all of them at once.
    t.dirty.assign(std::size_t(n), 0);

    // 1. Reset, and the items that take part sorted by position and first cell.
    std::vector<int>& order = t.order;
    order.clear();
    for (int i = 0; i < n; ++i) {
        TPlannerItem& item = *m_items[std::size_t(i)];
        item.m_conflictBegin = item.m_itemBegin;
        item.m_conflictEnd = item.m_itemEnd;
        item.m_conflictChanged = false;
        if (takesPart(item) && item.m_itemBegin < item.m_itemEnd)
            order.push_back(i);
    }
    auto key = [this](int i) {
        const TPlannerItem& item = *m_items[std::size_t(i)];
        return std::pair(item.m_itemPos, item.m_itemBegin);
    };
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        const auto ka = key(a);
        const auto kb = key(b);
        return ka != kb ? ka < kb : a < b;
    });
    // The longest item of each position's run bounds how far back a touching item can start.
    std::vector<int>& longest = t.longest;
    longest.assign(order.size(), 0);
    for (std::size_t s = 0; s < order.size();) {
        std::size_t e = s;
        int len = 0;
        const int pos = m_items[std::size_t(order[s])]->m_itemPos;
        while (e < order.size() && m_items[std::size_t(order[e])]->m_itemPos == pos) {
            const TPlannerItem& item = *m_items[std::size_t(order[e])];
            len = std::max(len, item.m_itemEnd - item.m_itemBegin);
            ++e;
        }
        std::fill(longest.begin() + std::ptrdiff_t(s), longest.begin() + std::ptrdiff_t(e), len);
        s = e;
    }

    // 2. Direct conflicts, merging group ranges in collection order.
    std::vector<int>& touching = t.touching;
    for (int i = 0; i < n; ++i) {
        TPlannerItem& a = *m_items[std::size_t(i)];
        int count = 0;
        if (a.Visible() && !(a.m_background && a.m_allowOverlap) && a.m_itemBegin < a.m_itemEnd &&
            !order.empty()) {
            const int ab = a.m_itemBegin;
            const int ae = a.m_itemEnd;
            // First candidate of a's position whose begin lies within reach.
            auto first = std::lower_bound(order.begin(), order.end(), a.m_itemPos,
                                          [&](int j, int pos) { return key(j).first < pos; });
            touching.clear();
            if (first != order.end() && key(*first).first == a.m_itemPos) {
                const int reach = longest[std::size_t(first - order.begin())];
                auto it = std::lower_bound(
                    first, order.end(), std::pair(a.m_itemPos, ab - reach),
                    [&](int j, const std::pair<int, int>& k) { return key(j) < k; });
                for (; it != order.end(); ++it) {
                    const TPlannerItem& b = *m_items[std::size_t(*it)];
                    if (b.m_itemPos != a.m_itemPos || b.m_itemBegin >= ae)
                        break;
                    if (*it != i && std::max(ab, b.m_itemBegin) < std::min(ae, b.m_itemEnd))
                        touching.push_back(*it);
                }
                std::sort(touching.begin(), touching.end());
            }
            for (int j : touching) {
                TPlannerItem& b = *m_items[std::size_t(j)];
                const int lo = std::min(a.m_conflictBegin, b.m_conflictBegin);
                const int hi = std::max(a.m_conflictEnd, b.m_conflictEnd);
                a.m_conflictBegin = b.m_conflictBegin = lo;
                a.m_conflictEnd = b.m_conflictEnd = hi;
                ++count;
            }
        }
        a.m_conflictChanged = a.m_conflicts != count + 1;
        a.m_conflicts = count + 1;
    }

    // Cell ranges of an item clipped to the table; empty when its position has no entries.
    auto clip = [&](int pos, int from, int to, int& lo, int& hi) {
        if (pos < 0 || pos >= positions) {
            lo = hi = 0;
            return;
        }
        lo = std::max(from, 0);
        hi = std::min(to, cells);
        if (hi < lo)
            hi = lo;
    };
    auto at = [&](int pos, int cell) { return std::size_t(pos) * std::size_t(cells) + cell; };

    // 3. Group widths.
    for (int i = 0; i < n; ++i) {
        const TPlannerItem& item = *m_items[std::size_t(i)];
        if (!takesPart(item))
            continue;
        int lo, hi;
        clip(item.m_itemPos, item.m_conflictBegin, item.m_conflictEnd, lo, hi);
        for (int c = lo; c < hi; ++c) {
            std::uint8_t& w = t.width[at(item.m_itemPos, c)];
            w = std::uint8_t(std::max<int>(w, item.m_conflicts));
        }
    }

    // 4. Sub-columns, in collection order.
    for (int i = 0; i < n; ++i) {
        TPlannerItem& item = *m_items[std::size_t(i)];
        if (!takesPart(item))
            continue;
        int lo, hi;
        clip(item.m_itemPos, item.m_itemBegin, item.m_itemEnd, lo, hi);
        int s1 = 0;
        int s2 = 0;
        for (int c = lo; c < hi; ++c) {
            s1 = std::max<int>(s1, t.nextFree[at(item.m_itemPos, c)]);
            s2 = std::max<int>(s2, t.wrap[at(item.m_itemPos, c)]);
        }
        if (s2 == s1)
            s2 = 0;
        int glo, ghi;
        clip(item.m_itemPos, item.m_conflictBegin, item.m_conflictEnd, glo, ghi);
        int widest = 0;
        for (int c = glo; c < ghi; ++c)
            widest = std::max<int>(widest, t.width[at(item.m_itemPos, c)]);
        const bool repaint = item.m_conflicts != widest || item.m_conflictPos != s1;
        item.m_conflicts = widest;
        const int newPos = s1 < widest ? s1 : s2;
        if (newPos != item.m_conflictPos)
            item.m_conflictChanged = true;
        item.m_conflictPos = newPos;
        if (s1 >= item.m_conflicts) {
            ++s2;
            for (int c = lo; c < hi; ++c)
                t.wrap[at(item.m_itemPos, c)] = std::uint8_t(s2);
        } else {
            ++s1;
        }
        for (int c = lo; c < hi; ++c)
            t.nextFree[at(item.m_itemPos, c)] = std::uint8_t(s1);
        if (repaint)
            t.dirty[std::size_t(i)] = 1;
    }

    // 5. No item is wider than the sub-columns handed out at its position.
    std::vector<int>& widestAt = longest;
    widestAt.assign(std::size_t(positions), 0);
    for (int p = 0; p < positions; ++p) {
        const std::uint8_t* row = t.nextFree.data() + at(p, 0);
        widestAt[std::size_t(p)] = cells > 0 ? *std::max_element(row, row + cells) : 0;
    }
    for (int i = 0; i < n; ++i) {
        TPlannerItem& item = *m_items[std::size_t(i)];
        const int m = (item.m_itemPos >= 0 && item.m_itemPos < positions)
                          ? widestAt[std::size_t(item.m_itemPos)]
                          : 0;
        if (item.m_conflicts > m) {
            item.m_conflictChanged = true;
            item.m_conflicts = m;
            t.dirty[std::size_t(i)] = 1;
        }
    }

    repaintMarked();
    Raise(m_planner.OnItemsLayout, *this);
}

// What RepaintItem does for each marked item: its cells widened over every visible item at
// its position that overlaps it, found among the visible items sorted by position and
// first cell instead of by a scan of the whole collection per item.
void TPlannerItems::repaintMarked()
{
    TConflictTable& t = m_table;
    if (std::find(t.dirty.begin(), t.dirty.end(), 1) == t.dirty.end())
        return;
    TPlannerGrid& grid = m_planner.Grid();
    std::vector<int>& shown = t.shown;
    shown.clear();
    int longest = 0;
    for (int i = 0; i < Count(); ++i) {
        const TPlannerItem& item = *m_items[std::size_t(i)];
        // Only items with at least one cell can widen a range.
        if (IsVisibleItem(item) && item.m_itemBegin < item.m_itemEnd) {
            shown.push_back(i);
            longest = std::max(longest, item.m_itemEnd - item.m_itemBegin);
        }
    }
    auto key = [this](int i) {
        const TPlannerItem& item = *m_items[std::size_t(i)];
        return std::pair(item.m_itemPos, item.m_itemBegin);
    };
    std::sort(shown.begin(), shown.end(), [&](int a, int b) {
        const auto ka = key(a);
        const auto kb = key(b);
        return ka != kb ? ka < kb : a < b;
    });
    for (int i = 0; i < Count(); ++i) {
        if (!t.dirty[std::size_t(i)])
            continue;
        const TPlannerItem& item = *m_items[std::size_t(i)];
        if (item.m_inHeader) {
            m_planner.update();
            continue;
        }
        const int b = item.m_itemBegin;
        const int e = item.m_itemEnd;
        int from = b;
        int to = e;
        // Every overlapping item starts at or before max(b, e) and ends at or after
        // min(b, e), so it starts no earlier than min(b, e) - longest.
        auto it = std::lower_bound(shown.begin(), shown.end(),
                                   std::pair(item.m_itemPos, std::min(b, e) - longest),
                                   [&](int j, const std::pair<int, int>& k) { return key(j) < k; });
        for (; it != shown.end(); ++it) {
            const TPlannerItem& other = *m_items[std::size_t(*it)];
            if (other.m_itemPos != item.m_itemPos || other.m_itemBegin > std::max(b, e))
                break;
            if (*it != i && Overlaps(other, b, e)) {
                from = std::min(from, other.m_itemBegin);
                to = std::max(to, other.m_itemEnd);
            }
        }
        grid.InvalidateCells(item.m_itemPos, from, to);
    }
}
