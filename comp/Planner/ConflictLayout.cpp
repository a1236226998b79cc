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
//
// Every step reads and writes within one position, so a run may take only some positions:
// after a placement change, those whose items changed (UpdateConflictsWhereChanged). Such
// a run searches indexes of every item that follow each change by moving the changed
// items' spans, so a move sorts nothing.
#include "comp/Planner/ConflictLayout.h"

#include "comp/Planner/Planner.h"
#include "comp/Planner/PlannerItems.h"
#include "platform/core/RaiseEvent.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <numeric>

namespace {

using TSpan = TConflictLayout::TSpan;
using TSpanIndex = TConflictLayout::TSpanIndex;

// More changed positions than this, and laying out every item costs less than finding the
// items of the changed ones.
constexpr std::size_t kMostChangedPositions = 8;

// The order of an index's short and of its long spans (a lambda, which the sort inlines).
constexpr auto byPlace = [](const TSpan& a, const TSpan& b) {
    if (a.pos != b.pos)
        return a.pos < b.pos;
    if (a.begin != b.begin)
        return a.begin < b.begin;
    return a.index < b.index;
};

void reachOf(TSpanIndex& index);
void tableRuns(TSpanIndex& index);

bool buildIndex(TSpanIndex& index)
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
    std::sort(spans.begin(), longFrom, byPlace);
    std::sort(longFrom, spans.end(), byPlace);
    reachOf(index);
    tableRuns(index);
    return true;
}

// The reach of the long spans.
void reachOf(TSpanIndex& index)
{
    std::vector<TSpan>& spans = index.spans;
    for (std::size_t k = index.longFrom; k < spans.size(); ++k) {
        const bool sameRun = k > index.longFrom && spans[k - 1].pos == spans[k].pos;
        spans[k].reach = sameRun ? std::max(spans[k - 1].reach, spans[k].end) : spans[k].end;
    }
}

// Tabled, where each position's runs start.
void tableRuns(TSpanIndex& index)
{
    std::vector<TSpan>& spans = index.spans;
    if (!index.tabled)
        return;
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
}

// Takes a span out of a built index and puts another in, in their places (either may be
// null), so that a change need not sort the spans again; the runs of the table follow, the
// reach of the long spans and the ranks once all changes are in. False when the index
// cannot take the new span (a position its table does not cover): it must be built again.
bool moveSpan(TSpanIndex& index, const TSpan* was, const TSpan* now)
{
    std::vector<TSpan>& spans = index.spans;
    // The runs of the positions after pos start one span earlier or later, and so do all
    // long ones when a short span comes or goes.
    auto shiftRuns = [&](int pos, bool isShort, int by) {
        if (!index.tabled)
            return;
        const std::size_t after = std::size_t(pos - index.minPos) + 1;
        std::vector<int>& runs = isShort ? index.shortRuns : index.longRuns;
        for (std::size_t p = after; p < runs.size(); ++p)
            runs[p] += by;
        if (isShort) {
            for (int& start : index.longRuns)
                start += by;
        }
    };
    // Short or long as buildIndex split them; a threshold kept from an earlier build still
    // bounds every short span, which is all the searches need.
    auto placeOf = [&](const TSpan& s, bool& isShort) {
        isShort = s.end - s.begin <= index.threshold;
        const auto longFrom = spans.begin() + std::ptrdiff_t(index.longFrom);
        return isShort ? std::lower_bound(spans.begin(), longFrom, s, byPlace)
                       : std::lower_bound(longFrom, spans.end(), s, byPlace);
    };
    bool isShort = false;
    int rank = 0;
    if (was) {
        const auto at = placeOf(*was, isShort);
        if (at == spans.end() || at->index != was->index)
            return false;
        rank = at->rank;
        spans.erase(at);
        if (isShort)
            --index.longFrom;
        shiftRuns(was->pos, isShort, -1);
    }
    if (now) {
        const long long p = (long long)now->pos - index.minPos;
        if (index.tabled && (p < 0 || p + 1 >= (long long)index.rankBase.size()))
            return false;
        // Within its position the item keeps its rank among the others.
        const auto at = spans.insert(placeOf(*now, isShort), *now);
        if (was && was->pos == now->pos)
            at->rank = rank;
        if (isShort)
            ++index.longFrom;
        shiftRuns(now->pos, isShort, 1);
    }
    return true;
}

// Calls f for every span at pos that may end at or after minEnd and starts at or before
// maxBegin (a few more may come; callers test the overlap they need).
template <class F>
void forCandidates(const TSpanIndex& index, int pos, int minEnd, int maxBegin, F&& f)
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

} // namespace

// --- Entry points -----------------------------------------------------------------------

bool TPlannerItems::layoutHeldOff() const
{
    return m_update.Updating() || m_isTemplate || m_planner.Destroying();
}

void TPlannerItems::UpdateConflicts()
{
    if (layoutHeldOff())
        return;
    if (!m_items.empty())
        m_layout->LayOutAll(*this);
    laidOut();
}

void TPlannerItems::UpdateConflictsWhereChanged()
{
    if (layoutHeldOff())
        return;
    if (!m_items.empty())
        m_layout->LayOutChanged(*this);
    laidOut();
}

// --- Runs -------------------------------------------------------------------------------

TConflictLayout::TPlaced TConflictLayout::placedOf(const TPlannerItem& item, int plannerLayer)
{
    TPlaced p;
    p.item = &item;
    p.pos = item.m_itemPos;
    p.begin = item.m_itemBegin;
    p.end = item.m_itemEnd;
    p.merges = item.Visible() && !(item.m_background && item.m_allowOverlap);
    p.shown = item.Visible() && TPlannerItems::LayerShown(plannerLayer, item.m_layer);
    p.takesPart = p.merges && p.shown;
    return p;
}

bool TConflictLayout::spanOf(const TPlaced& p, int i, bool ofShown, TSpan& span)
{
    span = {p.pos, p.begin, p.end, i, 0, 0};
    return (ofShown ? p.shown : p.takesPart) && p.begin < p.end;
}

void TConflictLayout::stageSpans(TSpanIndex& index, const std::vector<int>& order, bool ofShown)
{
    index.staged.clear();
    TSpan span;
    for (int i : order) {
        if (spanOf(m_placed[std::size_t(i)], i, ofShown, span))
            index.staged.push_back(span);
    }
}

void TConflictLayout::followChange(int i, const TPlaced& was, const TPlaced& now)
{
    for (const bool ofShown : {false, true}) {
        TSpanIndex& index = ofShown ? m_changedOnly.shown : m_changedOnly.parts;
        TSpan a, b;
        const bool had = spanOf(was, i, ofShown, a);
        const bool has = spanOf(now, i, ofShown, b);
        if (!ofShown && (had != has || a.pos != b.pos))
            m_membersMoved = true;
        if (index.valid && (had || has) && !moveSpan(index, had ? &a : nullptr, has ? &b : nullptr))
            index.valid = false;
    }
}

// The ranks at the changed positions, from their items in collection order, once their
// spans moved; then where each position's ranks start and byRank for every position, as
// the starts shift with the counts.
void TConflictLayout::rankStale(TSpanIndex& index)
{
    std::vector<TSpan>& spans = index.spans;
    const std::size_t range = index.rankBase.size() - 1;
    int start = 0;
    for (std::size_t p = 0; p < range; ++p) {
        index.rankBase[p] = start;
        start += index.shortRuns[p + 1] - index.shortRuns[p];
        start += index.longRuns[p + 1] - index.longRuns[p];
    }
    index.rankBase[range] = start;
    std::array<int, kMostChangedPositions> next{};
    TSpan span;
    for (int i : m_order) {
        if (spanOf(m_placed[std::size_t(i)], i, false, span)) {
            const auto slot = std::find(m_stale.begin(), m_stale.end(), span.pos) - m_stale.begin();
            m_rankOf[std::size_t(i)] = next[std::size_t(slot)]++;
        }
    }
    for (int pos : m_stale) {
        const long long p = (long long)pos - index.minPos;
        if (p < 0 || p >= (long long)range)
            continue;
        for (const std::vector<int>* runs : {&index.shortRuns, &index.longRuns}) {
            for (int k = (*runs)[std::size_t(p)]; k < (*runs)[std::size_t(p) + 1]; ++k)
                spans[std::size_t(k)].rank = m_rankOf[std::size_t(spans[std::size_t(k)].index)];
        }
    }
    index.byRank.resize(spans.size());
    for (const TSpan& s : spans)
        index.byRank[std::size_t(index.rankBase[std::size_t(s.pos - index.minPos)] + s.rank)] =
            s.index;
}

void TConflictLayout::LayOutAll(TPlannerItems& items)
{
    const TPlannerGrid& grid = items.Planner().Grid();
    const bool horizontal = items.Planner().Horizontal();
    // One entry per grid line across (positions) and per grid line along time (cells).
    m_positions = horizontal ? grid.RowCount() : grid.ColCount();
    m_cells = horizontal ? grid.ColCount() : grid.RowCount();
    const int n = items.Count();
    m_placed.resize(std::size_t(n));
    for (int i = 0; i < n; ++i)
        m_placed[std::size_t(i)] = placedOf(items[i], items.Planner().Layer());
    m_all.resize(std::size_t(n));
    std::iota(m_all.begin(), m_all.end(), 0);
    m_valid = true;
    m_changedOnly.parts.valid = false;
    m_changedOnly.shown.valid = false;
    layOut(items, m_all, m_everyItem);
}

// Adds a position to those to lay out; false when there are too many of them.
bool TConflictLayout::addStale(int pos)
{
    if (std::find(m_stale.begin(), m_stale.end(), pos) == m_stale.end())
        m_stale.push_back(pos);
    return m_stale.size() <= kMostChangedPositions;
}

void TConflictLayout::LayOutChanged(TPlannerItems& items)
{
    const TPlannerGrid& grid = items.Planner().Grid();
    const bool horizontal = items.Planner().Horizontal();
    const int positions = horizontal ? grid.RowCount() : grid.ColCount();
    const int cells = horizontal ? grid.ColCount() : grid.RowCount();
    const int n = items.Count();
    // Another grid, or items added, freed or reordered since: every position changed.
    if (!m_valid || positions != m_positions || cells != m_cells ||
        m_placed.size() != std::size_t(n))
        return LayOutAll(items);
    m_stale.clear();
    m_membersMoved = false;
    const int plannerLayer = items.Planner().Layer();
    for (int i = 0; i < n; ++i) {
        TPlannerItem& item = *items.m_items[std::size_t(i)];
        TPlaced& last = m_placed[std::size_t(i)];
        const TPlaced now = placedOf(item, plannerLayer);
        if (!(now == last)) {
            if (now.item != last.item || !addStale(last.pos) || !addStale(now.pos))
                return LayOutAll(items);
            followChange(i, last, now);
            last = now;
        }
        // What a run over every item would leave at the positions it finds unchanged.
        item.m_conflictChanged = m_steady[std::size_t(i)] != 0;
    }
    m_order.clear();
    for (int i = 0; i < n; ++i) {
        if (std::find(m_stale.begin(), m_stale.end(), m_placed[std::size_t(i)].pos) !=
            m_stale.end())
            m_order.push_back(i);
    }
    if (m_order.empty())
        return;
    TSpanIndex& parts = m_changedOnly.parts;
    if (parts.valid) {
        reachOf(parts);
        // Ranks change only where items came or went.
        if (parts.tabled && m_membersMoved) {
            m_rankOf.resize(std::size_t(n));
            rankStale(parts);
        }
    }
    // Its ranks are not kept: the repaints do not visit spans in collection order.
    if (m_changedOnly.shown.valid)
        reachOf(m_changedOnly.shown);
    layOut(items, m_order, m_changedOnly);
}

// Lays out the items of order (whole positions, in collection order).
void TConflictLayout::layOut(TPlannerItems& items, const std::vector<int>& order, TRun& run)
{
    const int positions = m_positions;
    const int cells = m_cells;
    const std::size_t entries = std::size_t(positions) * std::size_t(cells);
    if (m_width.size() < entries) {
        m_width.resize(entries);
        m_nextFree.resize(entries);
        m_wrap.resize(entries);
    }
    const std::size_t n = std::size_t(items.Count());
    // Repaints are gathered and done once the layout is complete: an item's repaint widens
    // over the items it overlaps, which is found faster for all of them at once.
    m_dirty.assign(n, 0);
    m_before.resize(n);
    m_steady.resize(n);
    m_direct.resize(n);
    m_groupBegin.resize(n);
    m_groupEnd.resize(n);
    auto item = [&](int i) -> TPlannerItem& { return items[i]; };
    auto placed = [&](int i) -> const TPlaced& { return m_placed[std::size_t(i)]; };

    // 1. Reset, and the items that take part grouped by position.
    for (int i : order) {
        const TPlaced& p = placed(i);
        TPlannerItem& it = item(i);
        m_before[std::size_t(i)] = {it.m_conflicts, it.m_conflictPos};
        it.m_conflictChanged = false;
        m_groupBegin[std::size_t(i)] = p.begin;
        m_groupEnd[std::size_t(i)] = p.end;
    }
    TSpanIndex& parts = run.parts;
    if (run.everyItem || !parts.valid) {
        stageSpans(parts, run.everyItem ? order : m_all, false);
        buildIndex(parts);
    }

    // 2. Direct conflicts, merging group ranges in collection order (in flat arrays, which
    // the merging walks far more often than it visits an item).
    m_touching.assign((n + 63) / 64, 0);
    int* groupBegin = m_groupBegin.data();
    int* groupEnd = m_groupEnd.data();
    for (int i : order) {
        const TPlaced& a = placed(i);
        int count = 0;
        if (a.merges && a.begin < a.end) {
            const int ab = a.begin;
            const int ae = a.end;
            // The touching items are marked in a bit set and then visited in collection
            // order: by their rank among the items of the position when the index has
            // ranks, else by item index.
            std::uint64_t* touching = m_touching.data();
            const bool ranked = parts.tabled;
            const long long p = (long long)a.pos - parts.minPos;
            const int* byRank = nullptr;
            if (ranked && p >= 0 && p + 1 < (long long)parts.rankBase.size())
                byRank = parts.byRank.data() + parts.rankBase[std::size_t(p)];
            int lowWord = int(n);
            int highWord = -1;
            forCandidates(parts, a.pos, ab + 1, ae - 1, [&](const TSpan& b) {
                // Sharing a cell is what the cell-by-cell scan finds. Without a branch, which
                // would guess wrong half the time: a candidate that misses sets no bit, and
                // only widens the words to visit.
                const bool hit = (std::max(ab, b.begin) < std::min(ae, b.end)) & (b.index != i);
                const int bit = ranked ? b.rank : b.index;
                const int w = bit >> 6;
                touching[w] |= std::uint64_t(hit) << (bit & 63);
                lowWord = std::min(lowWord, w);
                highWord = std::max(highWord, w);
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
        TPlannerItem& it = item(i);
        it.m_conflictChanged = it.m_conflicts != count + 1;
        it.m_conflicts = count + 1;
        m_direct[std::size_t(i)] = count + 1;
    }
    for (int i : order) {
        item(i).m_conflictBegin = groupBegin[i];
        item(i).m_conflictEnd = groupEnd[i];
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
    for (int i : order) {
        const TPlaced& p = placed(i);
        if (!p.takesPart)
            continue;
        int lo, hi;
        clip(p.pos, groupBegin[i], groupEnd[i], lo, hi);
        std::uint8_t* w = m_width.data() + at(p.pos, 0);
        const int conflicts = m_direct[std::size_t(i)];
        for (int c = lo; c < hi; ++c)
            w[c] = std::uint8_t(std::max<int>(w[c], conflicts));
    }

    // 4. Sub-columns, in collection order.
    for (int i : order) {
        const TPlaced& p = placed(i);
        if (!p.takesPart)
            continue;
        TPlannerItem& it = item(i);
        int lo, hi;
        clip(p.pos, p.begin, p.end, lo, hi);
        int glo, ghi;
        clip(p.pos, groupBegin[i], groupEnd[i], glo, ghi);
        const std::size_t row = glo < ghi || lo < hi ? at(p.pos, 0) : 0;
        std::uint8_t* nextFree = m_nextFree.data() + row;
        std::uint8_t* wrap = m_wrap.data() + row;
        const std::uint8_t* width = m_width.data() + row;
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
        if (it.m_conflicts != widest || it.m_conflictPos != s1)
            m_dirty[std::size_t(i)] = 1;
        it.m_conflicts = widest;
        const int newPos = s1 < widest ? s1 : s2;
        if (newPos != it.m_conflictPos)
            it.m_conflictChanged = true;
        it.m_conflictPos = newPos;
        if (s1 >= it.m_conflicts) {
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
    m_widest.assign(std::size_t(positions), 0);
    for (int i : order) {
        const TPlaced& p = placed(i);
        if (!p.takesPart)
            continue;
        int lo, hi;
        clip(p.pos, p.begin, p.end, lo, hi);
        if (lo < hi) {
            const std::size_t row = at(p.pos, 0);
            int& widest = m_widest[std::size_t(p.pos)];
            for (int c = lo; c < hi; ++c)
                widest = std::max<int>(widest, m_nextFree[row + std::size_t(c)]);
        }
    }
    for (int i : order) {
        const TPlaced& p = placed(i);
        if (!p.takesPart)
            continue;
        int lo, hi;
        clip(p.pos, p.begin, p.end, lo, hi);
        if (lo < hi) {
            const std::size_t row = at(p.pos, 0);
            std::memset(m_nextFree.data() + row + lo, 0, std::size_t(hi - lo));
            std::memset(m_wrap.data() + row + lo, 0, std::size_t(hi - lo));
        }
        clip(p.pos, groupBegin[i], groupEnd[i], lo, hi);
        if (lo < hi)
            std::memset(m_width.data() + at(p.pos, 0) + lo, 0, std::size_t(hi - lo));
    }
    for (int i : order) {
        TPlannerItem& it = item(i);
        const int pos = placed(i).pos;
        const int m = (pos >= 0 && pos < positions) ? m_widest[std::size_t(pos)] : 0;
        const bool capped = it.m_conflicts > m;
        if (capped) {
            it.m_conflictChanged = true;
            it.m_conflicts = m;
            m_dirty[std::size_t(i)] = 1;
        }
        // Run again on the same items, the direct conflicts would set ConflictChanged when
        // they differ from the final width, and so would the cap.
        m_steady[std::size_t(i)] = capped || it.m_conflicts != m_direct[std::size_t(i)];
        if (!run.everyItem) {
            const TResults& was = m_before[std::size_t(i)];
            m_dirty[std::size_t(i)] =
                it.m_conflicts != was.conflicts || it.m_conflictPos != was.conflictPos;
        }
    }

    repaintMarked(items, order, run);
}

// What RepaintItem does for each marked item: its cells widened over every visible item at
// its position that overlaps it, looked for among the items of that position only.
void TConflictLayout::repaintMarked(TPlannerItems& items, const std::vector<int>& order, TRun& run)
{
    if (std::find(m_dirty.begin(), m_dirty.end(), 1) == m_dirty.end())
        return;
    TCustomPlanner& planner = items.Planner();
    TPlannerGrid& grid = planner.Grid();
    const std::size_t n = std::size_t(items.Count());
    // Only items with at least one cell can widen a range.
    TSpanIndex& shown = run.shown;
    bool rebuilt = false;
    if (run.everyItem || !shown.valid) {
        stageSpans(shown, run.everyItem ? order : m_all, true);
        rebuilt = buildIndex(shown);
    }
    if (run.everyItem && (rebuilt || m_widened.size() != n))
        m_widened.assign(n, {});
    for (int i : order) {
        if (!m_dirty[std::size_t(i)])
            continue;
        const TPlannerItem& item = items[i];
        if (item.m_inHeader) {
            planner.update();
            continue;
        }
        const int b = item.m_itemBegin;
        const int e = item.m_itemEnd;
        TWidened* known = run.everyItem ? &m_widened[std::size_t(i)] : nullptr;
        if (known && known->valid && known->pos == item.m_itemPos && known->begin == b &&
            known->end == e) {
            grid.InvalidateCells(item.m_itemPos, known->from, known->to);
            continue;
        }
        int from = b;
        int to = e;
        // Every item that overlaps [b, e) starts at or before max(b, e) and ends at or after
        // min(b, e).
        forCandidates(shown, item.m_itemPos, std::min(b, e), std::max(b, e), [&](const TSpan& o) {
            // RepaintItem's widening, on the span's copy of the cells.
            if (o.index != i)
                TPlannerItems::WidenRepaint(b, e, o.begin, o.end, from, to);
        });
        if (known)
            *known = {item.m_itemPos, b, e, from, to, true};
        grid.InvalidateCells(item.m_itemPos, from, to);
    }
}
