// The work state of the side-by-side layout of overlapping items, private to the item
// collection (only its .cpp files include this header).
//
// The layout of one position reads nothing of the items at other positions: the merging of
// group ranges, the byte counters and the width cap all stay within the position. So after
// a placement change only the positions whose items changed are laid out again; a snapshot
// of what the layout read from each item tells which they are, whatever setter changed it.
// Every buffer is kept between runs, so that a run allocates nothing unless the collection
// or the grid grew.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class TPlannerItem;
class TPlannerItems;

class TConflictLayout
{
public:
    // Lays out every item.
    void LayOutAll(TPlannerItems& items);
    // Lays out the positions whose items changed since the last run, with the results a
    // run over every item would give.
    void LayOutChanged(TPlannerItems& items);

    // An item's cells at its position, for the searches that find overlapping items.
    struct TSpan
    {
        int pos;
        int begin;
        int end;
        int index;
        int reach; // long spans: the furthest end so far in their position's run
        int rank;  // place among the spans of its position in collection order (tabled)
    };
    // Spans by position and first cell, split by length: the short ones (at most threshold
    // cells, three in four of them) are found by their first cell alone, the few long ones
    // by the reach of their run.
    struct TSpanIndex
    {
        std::vector<TSpan> staged; // filled by the caller in collection order
        std::vector<TSpan> built;  // what spans was built from, to skip an unchanged rebuild
        bool valid = false;
        std::vector<TSpan> spans; // short ones, then long ones, each by position and cell
        std::size_t longFrom = 0;
        int threshold = 0;
        std::vector<int> lengths;
        // Where each position's short and long runs start, by position - minPos, when the
        // positions lie close together (else the runs are found by binary search).
        int minPos = 0;
        bool tabled = false;
        std::vector<int> shortRuns;
        std::vector<int> longRuns;
        // Tabled only: rankBase[p] + rank is where byRank holds the item index of a span.
        std::vector<int> rankBase;
        std::vector<int> byRank;
        std::vector<int> cursor;
    };

private:
    // What the layout reads from an item, as of the last run that laid out its position.
    struct TPlaced
    {
        const TPlannerItem* item = nullptr;
        int pos = 0;
        int begin = 0;
        int end = 1;
        bool merges = false;    // visible, not an overlappable background: looks for others
        bool takesPart = false; // and its layer shown: found by others, gets a sub-column
        bool shown = false;     // visible, its layer shown: widens the repaints of others
        bool operator==(const TPlaced&) const = default;
    };
    // Per item, the widened cells of its last repaint and the place they were found for;
    // kept while the visible items stay where they were.
    struct TWidened
    {
        int pos = 0, begin = 0, end = 0, from = 0, to = 0;
        bool valid = false;
    };
    // One kind of run and its searches. A run over every item repaints each item it had to
    // correct, and keeps its searches (and the repaint areas) while nothing moves. A run
    // over changed positions repaints only the items whose sub-columns differ from before
    // (the rest look as they did); its searches hold every item as last placed and follow
    // each change by moving the changed items' spans, built again only after a run over
    // every item.
    struct TRun
    {
        bool everyItem = false;
        TSpanIndex parts; // items that take part
        TSpanIndex shown; // visible items with cells (repaints)
    };
    struct TResults
    {
        int conflicts = 0;
        int conflictPos = 0;
    };

    static TPlaced placedOf(const TPlannerItem& item, int plannerLayer);
    // The span an item has in the searches of the items that take part, or of those shown
    // (repaints); none without cells.
    static bool spanOf(const TPlaced& p, int i, bool ofShown, TSpan& span);
    bool addStale(int pos);
    // The spans of the items of order that an index holds: of the items that take part, or
    // of those shown.
    void stageSpans(TSpanIndex& index, const std::vector<int>& order, bool ofShown);
    void followChange(int i, const TPlaced& was, const TPlaced& now);
    void rankStale(TSpanIndex& index);
    void layOut(TPlannerItems& items, const std::vector<int>& order, TRun& run);
    void repaintMarked(TPlannerItems& items, const std::vector<int>& order, TRun& run);

    // The grid the last run laid out on; another grid lays out every item again.
    bool m_valid = false;
    int m_positions = 0;
    int m_cells = 0;
    // Per position and cell, the byte counters; all zeros between runs, each run clears
    // what it wrote, so a run costs what the items cover, not what the grid holds.
    std::vector<std::uint8_t> m_width;
    std::vector<std::uint8_t> m_nextFree;
    std::vector<std::uint8_t> m_wrap;
    // Per item.
    std::vector<TPlaced> m_placed;
    std::vector<int> m_groupBegin; // its group's cells while they are merged
    std::vector<int> m_groupEnd;
    std::vector<int> m_direct;             // Conflicts after the direct conflicts
    std::vector<std::uint8_t> m_steady;    // ConflictChanged of a run that moves nothing
    std::vector<std::uint8_t> m_dirty;     // to be repainted after the run
    std::vector<TResults> m_before;        // as the run found them
    std::vector<std::uint64_t> m_touching; // a bit: touches the item at hand
    std::vector<TWidened> m_widened;
    std::vector<int> m_widest;   // per position: the widest sub-column handed out
    std::vector<int> m_rankOf;   // per item: its span's rank at a changed position
    bool m_membersMoved = false; // a change run's spans came to or left a position
    // The items of a run in collection order, and the positions a change run lays out.
    std::vector<int> m_all;
    std::vector<int> m_order;
    std::vector<int> m_stale;
    TRun m_everyItem{true, {}, {}};
    TRun m_changedOnly;
};
