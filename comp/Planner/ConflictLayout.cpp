// The side-by-side layout of overlapping items (TPlannerItems::UpdateConflicts): which items
// share cells at a position, how many sub-columns each group needs, and which sub-column
// each item takes.
//
// The results are those of the plain algorithm: a single pass in collection order merges
// each item's group range with every item it touches, a work table of byte counters per
// position and cell hands out the sub-columns, and a final cap narrows items to the widest
// sub-column actually handed out at their position.
//
// Only the searches are done differently. Instead of testing every pair of items cell by
// cell, the items are sorted by position and first cell (short items apart from the few
// long ones), so that each item looks only at those that can touch it; the touching ones
// are marked in a bit set by their rank at the position and so visited in collection order,
// which the merging depends on. Repaints are gathered and widened the same way. The sorted
// index, the work table and every buffer are kept between runs: a run that follows a change
// which moved nothing allocates nothing and sorts nothing.
#include "comp/Planner/Planner.h"
#include "comp/Planner/PlannerItems.h"
#include "platform/core/RaiseEvent.h"

#include <algorithm>
#include <bit>
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

bool TPlannerItems::buildIndex(TSpanIndex& index)
{
    // Runs mostly follow changes that moved nothing (a colour, a caption): then the spans
    // are those of the last run and so is their order.
    const std::size_t bytes = index.staged.size() * sizeof(TSpan);
    if (index.valid && index.built.size() == index.staged.size() &&
        (bytes == 0 || std::memcmp(index.built.data(), index.staged.data(), bytes) == 0))
        return false;
    index.built = index.staged;
    index.spans = index.staged;
    index.valid = true;
    std::vector<TSpan>& spans = index.spans;
    index.tabled = false;
    if (!spans.empty()) {
        int lo = spans.front().pos;
        int hi = lo;
        for (const TSpan& s : spans) {
            lo = std::min(lo, s.pos);
            hi = std::max(hi, s.pos);
        }
        const long long range = (long long)hi - lo + 1;
        index.tabled = range <= 4LL * (long long)spans.size() + 64;
        index.minPos = lo;
    }
    if (index.tabled) {
        // Ranks in collection order, while the spans still are in it.
        int hiPos = index.minPos;
        for (const TSpan& s : spans)
            hiPos = std::max(hiPos, s.pos);
        const std::size_t positions = std::size_t(hiPos - index.minPos) + 1;
        index.rankBase.assign(positions + 1, 0);
        for (const TSpan& s : spans)
            ++index.rankBase[std::size_t(s.pos - index.minPos)];
        int start = 0;
        for (int& base : index.rankBase) {
            const int count = base;
            base = start;
            start += count;
        }
        index.cursor.assign(index.rankBase.begin(), index.rankBase.end());
        index.byRank.resize(spans.size());
        for (TSpan& s : spans) {
            const std::size_t p = std::size_t(s.pos - index.minPos);
            const int at = index.cursor[p]++;
            s.rank = at - index.rankBase[p];
            index.byRank[std::size_t(at)] = s.index;
        }
    }
    index.lengths.clear();
    for (const TSpan& s : spans)
        index.lengths.push_back(s.end - s.begin);
    index.threshold = 0;
    if (!index.lengths.empty()) {
        auto q = index.lengths.begin() + std::ptrdiff_t(index.lengths.size() * 3 / 4);
        std::nth_element(index.lengths.begin(), q, index.lengths.end());
        index.threshold = *q;
    }
    const auto longFrom = std::partition(spans.begin(), spans.end(), [&](const TSpan& s) {
        return s.end - s.begin <= index.threshold;
    });
    index.longFrom = std::size_t(longFrom - spans.begin());
    const auto byPlace = [](const TSpan& a, const TSpan& b) {
        if (a.pos != b.pos)
            return a.pos < b.pos;
        if (a.begin != b.begin)
            return a.begin < b.begin;
        return a.index < b.index;
    };
    std::sort(spans.begin(), longFrom, byPlace);
    std::sort(longFrom, spans.end(), byPlace);
    for (std::size_t k = index.longFrom; k < spans.size(); ++k) {
        const bool sameRun = k > index.longFrom && spans[k - 1].pos == spans[k].pos;
        spans[k].reach = sameRun ? std::max(spans[k - 1].reach, spans[k].end) : spans[k].end;
    }
    if (!index.tabled)
        return true;
    const int lo = index.minPos;
    const long long range = (long long)index.rankBase.size() - 1;
    // runs[p] is the first span of position minPos + p or later; runs[range] the end.
    auto table = [&](std::vector<int>& runs, std::size_t from, std::size_t to) {
        runs.assign(std::size_t(range) + 1, int(to));
        for (std::size_t k = to; k-- > from;)
            runs[std::size_t(spans[k].pos - lo)] = int(k);
        for (std::size_t p = std::size_t(range); p-- > 0;)
            runs[p] = std::min(runs[p], runs[p + 1]);
    };
    table(index.shortRuns, 0, index.longFrom);
    table(index.longRuns, index.longFrom, spans.size());
    return true;
}

// Calls f for every span at pos that may end at or after minEnd and starts at or before
// maxBegin (a few more may come; callers test the overlap they need).
template <class F>
void TPlannerItems::forCandidates(const TSpanIndex& index, int pos, int minEnd, int maxBegin, F&& f)
{
    const TSpan* const data = index.spans.data();
    const TSpan* const longFrom = data + index.longFrom;
    const TSpan* const end = data + index.spans.size();
    const TSpan *shortFirst, *shortLast, *first, *last;
    if (index.tabled) {
        const long long p = (long long)pos - index.minPos;
        if (p < 0 || p + 1 >= (long long)index.shortRuns.size())
            return;
        shortFirst = data + index.shortRuns[std::size_t(p)];
        shortLast = data + index.shortRuns[std::size_t(p) + 1];
        first = data + index.longRuns[std::size_t(p)];
        last = data + index.longRuns[std::size_t(p) + 1];
    } else {
        auto byPos = [](const TSpan& s, int q) { return s.pos < q; };
        auto posBefore = [](int q, const TSpan& s) { return q < s.pos; };
        shortFirst = std::lower_bound(data, longFrom, pos, byPos);
        shortLast = std::upper_bound(shortFirst, longFrom, pos, posBefore);
        first = std::lower_bound(longFrom, end, pos, byPos);
        last = std::upper_bound(first, end, pos, posBefore);
    }
    // A short span that ends at or after minEnd starts no earlier than minEnd - threshold.
    const long long earliest = (long long)minEnd - index.threshold;
    const TSpan* it = std::partition_point(shortFirst, shortLast,
                                           [&](const TSpan& s) { return s.begin < earliest; });
    for (; it != shortLast && it->begin <= maxBegin; ++it)
        f(*it);
    // Within a run reach only grows: skip the spans that all end before minEnd.
    it = std::partition_point(first, last, [&](const TSpan& s) { return s.reach < minEnd; });
    for (; it != last && it->begin <= maxBegin; ++it)
        f(*it);
}

void TPlannerItems::UpdateConflicts()
{
    if (m_update.Updating() || m_isTemplate || m_planner.Destroying())
        return;
    if (m_items.empty()) {
        laidOut();
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
    // The work table is all zeros between runs: each run clears what it wrote, so a run
    // costs what the items cover, not what the grid holds.
    t.positions = positions;
    t.cells = cells;

    const int n = Count();
    const TakesPart takesPart{*this};
    // Repaints are gathered and done once the layout is complete: an item's repaint widens
    // over the items it overlaps, which is found faster for all of them at once.
    t.dirty.assign(std::size_t(n), 0);

    // 1. Reset, and the items that take part grouped by position.
    t.parts.staged.clear();
    t.groupBegin.resize(std::size_t(n));
    t.groupEnd.resize(std::size_t(n));
    for (int i = 0; i < n; ++i) {
        TPlannerItem& item = *m_items[std::size_t(i)];
        item.m_conflictChanged = false;
        t.groupBegin[std::size_t(i)] = item.m_itemBegin;
        t.groupEnd[std::size_t(i)] = item.m_itemEnd;
        if (takesPart(item) && item.m_itemBegin < item.m_itemEnd)
            t.parts.staged.push_back({item.m_itemPos, item.m_itemBegin, item.m_itemEnd, i, 0, 0});
    }
    buildIndex(t.parts);

    // 2. Direct conflicts, merging group ranges in collection order (in flat arrays, which
    // the merging walks far more often than it visits an item).
    t.touching.assign(std::size_t(n + 63) / 64, 0);
    int* groupBegin = t.groupBegin.data();
    int* groupEnd = t.groupEnd.data();
    for (int i = 0; i < n; ++i) {
        TPlannerItem& a = *m_items[std::size_t(i)];
        int count = 0;
        if (a.Visible() && !(a.m_background && a.m_allowOverlap) && a.m_itemBegin < a.m_itemEnd) {
            const int ab = a.m_itemBegin;
            const int ae = a.m_itemEnd;
            // The touching items are marked in a bit set and then visited in collection
            // order: by their rank among the items of the position when the index has
            // ranks, else by item index.
            std::uint64_t* touching = t.touching.data();
            const TSpanIndex& parts = t.parts;
            const bool ranked = parts.tabled;
            const long long p = (long long)a.m_itemPos - parts.minPos;
            const int* byRank = nullptr;
            if (ranked && p >= 0 && p + 1 < (long long)parts.rankBase.size())
                byRank = parts.byRank.data() + parts.rankBase[std::size_t(p)];
            int lowWord = n;
            int highWord = -1;
            forCandidates(parts, a.m_itemPos, ab + 1, ae - 1, [&](const TSpan& b) {
                // Sharing a cell is what the cell-by-cell scan finds.
                if (std::max(ab, b.begin) < std::min(ae, b.end) && b.index != i) {
                    const int bit = ranked ? b.rank : b.index;
                    const int w = bit >> 6;
                    touching[w] |= std::uint64_t(1) << (bit & 63);
                    lowWord = std::min(lowWord, w);
                    highWord = std::max(highWord, w);
                }
            });
            int lo = groupBegin[i];
            int hi = groupEnd[i];
            for (int w = lowWord; w <= highWord; ++w) {
                for (std::uint64_t bits = touching[w]; bits != 0; bits &= bits - 1) {
                    const int bit = (w << 6) + std::countr_zero(bits);
                    const int j = ranked ? byRank[bit] : bit;
                    lo = std::min(lo, groupBegin[j]);
                    hi = std::max(hi, groupEnd[j]);
                    groupBegin[j] = lo;
                    groupEnd[j] = hi;
                    ++count;
                }
                touching[w] = 0;
            }
            groupBegin[i] = lo;
            groupEnd[i] = hi;
        }
        a.m_conflictChanged = a.m_conflicts != count + 1;
        a.m_conflicts = count + 1;
    }
    for (int i = 0; i < n; ++i) {
        m_items[std::size_t(i)]->m_conflictBegin = groupBegin[i];
        m_items[std::size_t(i)]->m_conflictEnd = groupEnd[i];
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
        std::uint8_t* w = t.width.data() + at(item.m_itemPos, 0);
        for (int c = lo; c < hi; ++c)
            w[c] = std::uint8_t(std::max<int>(w[c], item.m_conflicts));
    }

    // 4. Sub-columns, in collection order.
    for (int i = 0; i < n; ++i) {
        TPlannerItem& item = *m_items[std::size_t(i)];
        if (!takesPart(item))
            continue;
        int lo, hi;
        clip(item.m_itemPos, item.m_itemBegin, item.m_itemEnd, lo, hi);
        int glo, ghi;
        clip(item.m_itemPos, item.m_conflictBegin, item.m_conflictEnd, glo, ghi);
        const std::size_t row = glo < ghi || lo < hi ? at(item.m_itemPos, 0) : 0;
        std::uint8_t* nextFree = t.nextFree.data() + row;
        std::uint8_t* wrap = t.wrap.data() + row;
        const std::uint8_t* width = t.width.data() + row;
        int s1 = 0;
        int s2 = 0;
        for (int c = lo; c < hi; ++c) {
            s1 = std::max<int>(s1, nextFree[c]);
            s2 = std::max<int>(s2, wrap[c]);
        }
        if (s2 == s1)
            s2 = 0;
        int widest = 0;
        for (int c = glo; c < ghi; ++c)
            widest = std::max<int>(widest, width[c]);
        if (item.m_conflicts != widest || item.m_conflictPos != s1)
            t.dirty[std::size_t(i)] = 1;
        item.m_conflicts = widest;
        const int newPos = s1 < widest ? s1 : s2;
        if (newPos != item.m_conflictPos)
            item.m_conflictChanged = true;
        item.m_conflictPos = newPos;
        if (s1 >= item.m_conflicts) {
            ++s2;
            for (int c = lo; c < hi; ++c)
                wrap[c] = std::uint8_t(s2);
        } else {
            ++s1;
        }
        for (int c = lo; c < hi; ++c)
            nextFree[c] = std::uint8_t(s1);
    }

    // 5. No item is wider than the sub-columns handed out at its position. Only the cells of
    // items hold sub-columns, so the widest is found among them; they are cleared on the way.
    std::vector<int>& widestAt = t.widest;
    widestAt.assign(std::size_t(positions), 0);
    for (int i = 0; i < n; ++i) {
        const TPlannerItem& item = *m_items[std::size_t(i)];
        if (!takesPart(item))
            continue;
        int lo, hi;
        clip(item.m_itemPos, item.m_itemBegin, item.m_itemEnd, lo, hi);
        if (lo < hi) {
            const std::size_t row = at(item.m_itemPos, 0);
            int& widest = widestAt[std::size_t(item.m_itemPos)];
            for (int c = lo; c < hi; ++c)
                widest = std::max<int>(widest, t.nextFree[row + std::size_t(c)]);
        }
    }
    for (int i = 0; i < n; ++i) {
        const TPlannerItem& item = *m_items[std::size_t(i)];
        if (!takesPart(item))
            continue;
        int lo, hi;
        clip(item.m_itemPos, item.m_itemBegin, item.m_itemEnd, lo, hi);
        if (lo < hi) {
            const std::size_t row = at(item.m_itemPos, 0);
            std::memset(t.nextFree.data() + row + lo, 0, std::size_t(hi - lo));
            std::memset(t.wrap.data() + row + lo, 0, std::size_t(hi - lo));
        }
        clip(item.m_itemPos, item.m_conflictBegin, item.m_conflictEnd, lo, hi);
        if (lo < hi)
            std::memset(t.width.data() + at(item.m_itemPos, 0) + lo, 0, std::size_t(hi - lo));
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
    laidOut();
}

// What RepaintItem does for each marked item: its cells widened over every visible item at
// its position that overlaps it, looked for among the items of that position only.
void TPlannerItems::repaintMarked()
{
    TConflictTable& t = m_table;
    if (std::find(t.dirty.begin(), t.dirty.end(), 1) == t.dirty.end())
        return;
    TPlannerGrid& grid = m_planner.Grid();
    const int n = Count();
    t.shown.staged.clear();
    for (int i = 0; i < n; ++i) {
        const TPlannerItem& item = *m_items[std::size_t(i)];
        // Only items with at least one cell can widen a range.
        if (IsVisibleItem(item) && item.m_itemBegin < item.m_itemEnd)
            t.shown.staged.push_back({item.m_itemPos, item.m_itemBegin, item.m_itemEnd, i, 0, 0});
    }
    if (buildIndex(t.shown) || t.widened.size() != std::size_t(n))
        t.widened.assign(std::size_t(n), {});
    for (int i = 0; i < n; ++i) {
        if (!t.dirty[std::size_t(i)])
            continue;
        const TPlannerItem& item = *m_items[std::size_t(i)];
        if (item.m_inHeader) {
            m_planner.update();
            continue;
        }
        const int b = item.m_itemBegin;
        const int e = item.m_itemEnd;
        TConflictTable::TWidened& known = t.widened[std::size_t(i)];
        if (known.valid && known.pos == item.m_itemPos && known.begin == b && known.end == e) {
            grid.InvalidateCells(item.m_itemPos, known.from, known.to);
            continue;
        }
        int from = b;
        int to = e;
        // Every item that overlaps [b, e) starts at or before max(b, e) and ends at or after
        // min(b, e).
        forCandidates(t.shown, item.m_itemPos, std::min(b, e), std::max(b, e), [&](const TSpan& o) {
            // The four overlap tests of the hit tests, on the span's copy of the cells; for
            // an item with cells they come down to sharing one.
            const bool overlaps =
                b < e ? std::max(b, o.begin) < std::min(e, o.end)
                      : (o.begin <= b && b < o.end) || (o.begin < e && e <= o.end) ||
                            (b < o.end && o.end <= e) || (b <= o.begin && o.begin < e);
            if (overlaps && o.index != i) {
                from = std::min(from, o.begin);
                to = std::max(to, o.end);
            }
        });
        known = {item.m_itemPos, b, e, from, to, true};
        grid.InvalidateCells(item.m_itemPos, from, to);
    }
}
