// A plain model of the side-by-side layout of overlapping planner items, written straight
// from its description: every pair of items tested cell by cell, a freshly allocated table
// of byte counters, the width cap found by scanning each item's whole position. The tests
// and the benchmark check the planner's own layout against it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace conflict_reference {

struct Item
{
    int begin = 0;
    int end = 1;
    int pos = 0;
    bool visible = true;
    bool background = false;
    bool allowOverlap = true;
    int layer = 0;
    // Results (Conflicts and ConflictPos carry over from the previous run).
    int conflicts = 0;
    int conflictPos = 0;
    int conflictBegin = 0;
    int conflictEnd = 0;
};

inline bool layerVisible(int plannerLayer, int layer)
{
    return plannerLayer == 0 || (plannerLayer > 0 && (plannerLayer & layer) != 0);
}

// positions and cells are the grid's line counts across and along time; the table has one
// more of each, and only entries below (count + 1) - 1 exist.
inline void UpdateConflicts(std::vector<Item>& items, int positions, int cells, int plannerLayer)
{
    if (items.empty())
        return;
    const int rows = positions + 1;
    const int cols = cells + 1;
    struct Entry
    {
        std::uint8_t width = 0, nextFree = 0, wrap = 0;
    };
    std::vector<std::vector<Entry>> table(static_cast<std::size_t>(rows));
    for (auto& line : table)
        line.resize(std::size_t(cols));
    auto exists = [&](int p, int c) { return p >= 0 && p < rows - 1 && c >= 0 && c < cols - 1; };
    auto takesPart = [&](const Item& it) {
        return it.visible && layerVisible(plannerLayer, it.layer) &&
               !(it.background && it.allowOverlap);
    };

    for (Item& it : items) {
        it.conflictBegin = it.begin;
        it.conflictEnd = it.end;
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        Item& a = items[i];
        int n = 0;
        if (a.visible && !(a.background && a.allowOverlap)) {
            for (std::size_t j = 0; j < items.size(); ++j) {
                Item& b = items[j];
                if (j == i || b.pos != a.pos)
                    continue;
                for (int c = a.begin; c < a.end; ++c) {
                    if (b.begin <= c && c < b.end && takesPart(b)) {
                        const int lo = std::min(a.conflictBegin, b.conflictBegin);
                        const int hi = std::max(a.conflictEnd, b.conflictEnd);
                        a.conflictBegin = b.conflictBegin = lo;
                        a.conflictEnd = b.conflictEnd = hi;
                        ++n;
                        break;
                    }
                }
            }
        }
        a.conflicts = n + 1;
    }
    for (const Item& it : items) {
        if (!takesPart(it))
            continue;
        for (int c = it.conflictBegin; c < it.conflictEnd; ++c) {
            if (exists(it.pos, c)) {
                Entry& e = table[std::size_t(it.pos)][std::size_t(c)];
                e.width = std::uint8_t(std::max<int>(e.width, it.conflicts));
            }
        }
    }
    for (Item& it : items) {
        if (!takesPart(it))
            continue;
        int s1 = 0, s2 = 0, m = 0;
        for (int c = it.begin; c < it.end; ++c) {
            if (exists(it.pos, c)) {
                s1 = std::max<int>(s1, table[std::size_t(it.pos)][std::size_t(c)].nextFree);
                s2 = std::max<int>(s2, table[std::size_t(it.pos)][std::size_t(c)].wrap);
            }
        }
        if (s2 == s1)
            s2 = 0;
        for (int c = it.conflictBegin; c < it.conflictEnd; ++c) {
            if (exists(it.pos, c))
                m = std::max<int>(m, table[std::size_t(it.pos)][std::size_t(c)].width);
        }
        it.conflicts = m;
        it.conflictPos = s1 < m ? s1 : s2;
        if (s1 >= it.conflicts) {
            ++s2;
            for (int c = it.begin; c < it.end; ++c) {
                if (exists(it.pos, c))
                    table[std::size_t(it.pos)][std::size_t(c)].wrap = std::uint8_t(s2);
            }
        } else {
            ++s1;
        }
        for (int c = it.begin; c < it.end; ++c) {
            if (exists(it.pos, c))
                table[std::size_t(it.pos)][std::size_t(c)].nextFree = std::uint8_t(s1);
        }
    }
    for (Item& it : items) {
        int m = 0;
        for (int c = 0; c < cols; ++c) {
            if (exists(it.pos, c))
                m = std::max<int>(m, table[std::size_t(it.pos)][std::size_t(c)].nextFree);
        }
        if (it.conflicts > m)
            it.conflicts = m;
    }
}

} // namespace conflict_reference
