// The side-by-side layout of overlapping items: the documented cases, and random item sets
// compared with the plain model in ConflictReference.h.
#include "ConflictReference.h"
#include "PlannerFixture.h"

#include <random>

namespace {

using ConflictLayout = PlannerFixture;

struct Span
{
    int begin, end;
};

struct LayoutCase
{
    const char* name;
    std::vector<Span> spans;
    std::vector<int> conflicts;
    std::vector<int> conflictPos;
};

TEST_F(ConflictLayout, DocumentedCases)
{
    const LayoutCase cases[] = {
        {"same cells", {{0, 4}, {0, 4}}, {2, 2}, {0, 1}},
        {"apart", {{0, 2}, {4, 6}}, {1, 1}, {0, 0}},
        // A and C never share a cell, yet the chain makes one group of three.
        {"chain", {{0, 4}, {2, 6}, {4, 8}}, {3, 3, 3}, {0, 1, 2}},
        {"long beside short ones", {{0, 8}, {0, 2}, {2, 4}, {4, 6}}, {2, 2, 2, 2}, {0, 1, 1, 1}},
        {"touching ends", {{0, 4}, {4, 8}}, {1, 1}, {0, 0}},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.name);
        items().Clear();
        for (const Span& s : c.spans)
            add(s.begin, s.end);
        for (std::size_t i = 0; i < c.spans.size(); ++i) {
            EXPECT_EQ(items()[int(i)].Conflicts(), c.conflicts[i]) << "item " << i;
            EXPECT_EQ(items()[int(i)].ConflictPos(), c.conflictPos[i]) << "item " << i;
        }
    }
}

TEST_F(ConflictLayout, CollectionOrderNotStartTimeDecides)
{
    TPlannerItem& late = add(2, 6);
    TPlannerItem& early = add(0, 4);
    EXPECT_EQ(late.ConflictPos(), 0);
    EXPECT_EQ(early.ConflictPos(), 1);
}

TEST_F(ConflictLayout, HiddenLayerDoesNotNarrowVisibleItems)
{
    TPlannerItem& shown = add(0, 4);
    shown.SetLayer(1);
    TPlannerItem& other = add(0, 4);
    other.SetLayer(2);
    planner->SetLayer(1);
    EXPECT_EQ(shown.Conflicts(), 1);
    planner->SetLayer(3);
    EXPECT_EQ(shown.Conflicts(), 2);
    planner->SetLayer(0);
    EXPECT_EQ(shown.Conflicts(), 2);
    EXPECT_EQ(other.ConflictPos(), 1);
}

TEST_F(ConflictLayout, OverlappableBackgroundNeverNarrows)
{
    TPlannerItem& back = add(0, 10);
    back.SetBackground(true);
    back.SetAllowOverlap(true);
    // Flags do not lay out by themselves; the next placement change (or this) does.
    items().UpdateConflicts();
    EXPECT_EQ(back.Conflicts(), 0) << "alone at its position";
    TPlannerItem& front = add(2, 4);
    EXPECT_EQ(front.Conflicts(), 1);
    EXPECT_EQ(front.ConflictPos(), 0);
    EXPECT_EQ(back.Conflicts(), 1) << "others share its position";
}

TEST_F(ConflictLayout, PositionOutsideTheGridEndsWithNoColumns)
{
    TPlannerItem& a = add(0, 4, 10);
    TPlannerItem& b = add(0, 4, 10);
    EXPECT_EQ(a.Conflicts(), 0);
    EXPECT_EQ(b.Conflicts(), 0);
}

TEST_F(ConflictLayout, NothingRunsInsideAnUpdateAndTheLastEndUpdateLaysOut)
{
    int layouts = 0;
    planner->OnItemsLayout = [&](TPlannerItems&) { ++layouts; };
    items().BeginUpdate();
    add(0, 4);
    add(0, 4);
    EXPECT_EQ(layouts, 0);
    items().EndUpdate();
    EXPECT_EQ(layouts, 1);
    EXPECT_EQ(items()[1].ConflictPos(), 1);
    items().EndUpdate(); // unbalanced: nothing happens
    EXPECT_EQ(layouts, 1);
}

TEST_F(ConflictLayout, HitTestUsesTheSubColumns)
{
    planner->Grid().SetColWidths(1, 100);
    TPlannerItem& a = add(0, 4);
    TPlannerItem& b = add(0, 4);
    // Two sub-columns of 50 pixels with the default gap of 11.
    EXPECT_EQ(items().FindItemAtPixel(1, 0, 10), &a);
    EXPECT_EQ(items().FindItemAtPixel(1, 0, 0), nullptr) << "the left edge itself is outside";
    EXPECT_EQ(items().FindItemAtPixel(1, 0, 39), nullptr) << "inside the gap";
    EXPECT_EQ(items().FindItemAtPixel(1, 0, 60), &b);
    EXPECT_EQ(items().FindItemAtSlot(2, 0, 1), &b);
    EXPECT_EQ(items().FindItemAtPixel(5, 0, 10), nullptr);
    planner->SetTrackOnly(true);
    EXPECT_EQ(items().FindItemAtPixel(1, 0, 3), &a);
    EXPECT_EQ(items().FindItemAtPixel(1, 0, 10), nullptr) << "past the track bar";
}

// The inputs of the plain model read from an item, with the results it carries over.
conflict_reference::Item modelOf(const TPlannerItem& item)
{
    conflict_reference::Item m;
    m.begin = item.ItemBegin();
    m.end = item.ItemEnd();
    m.pos = item.ItemPos();
    m.visible = item.Visible();
    m.background = item.Background();
    m.allowOverlap = item.AllowOverlap();
    m.layer = item.Layer();
    m.conflicts = item.Conflicts();
    m.conflictPos = item.ConflictPos();
    return m;
}

// Whether every item holds the sub-columns the plain model gave it.
testing::AssertionResult LaidOutAsModel(TPlannerItems& items,
                                        const std::vector<conflict_reference::Item>& model)
{
    for (int i = 0; i < items.Count(); ++i) {
        const TPlannerItem& item = items[i];
        const auto& m = model[std::size_t(i)];
        if (item.Conflicts() != m.conflicts || item.ConflictPos() != m.conflictPos ||
            item.ConflictBegin() != m.conflictBegin || item.ConflictEnd() != m.conflictEnd)
            return testing::AssertionFailure()
                   << "item " << i << ": conflicts " << item.Conflicts() << " pos "
                   << item.ConflictPos() << " span " << item.ConflictBegin() << ".."
                   << item.ConflictEnd() << ", the model has " << m.conflicts << " pos "
                   << m.conflictPos << " span " << m.conflictBegin << ".." << m.conflictEnd;
    }
    return testing::AssertionSuccess();
}

// Random item sets, the planner's layout against the plain model, including the results
// carried over from one run into the next.
TEST_F(ConflictLayout, MatchesThePlainModelOnRandomItems)
{
    std::mt19937 rng(20260311);
    planner->SetPositions(4);
    const int cells = planner->Grid().CellCount();
    const int positionsInTable = planner->Grid().ColCount();
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE(round);
        items().Clear();
        const int count = std::uniform_int_distribution<int>(1, round < 40 ? 30 : 400)(rng);
        std::vector<conflict_reference::Item> model;
        items().BeginUpdate();
        for (int i = 0; i < count; ++i) {
            const int begin = std::uniform_int_distribution<int>(-2, cells + 2)(rng);
            const int length = std::uniform_int_distribution<int>(-1, round % 3 == 0 ? 30 : 6)(rng);
            const int pos = std::uniform_int_distribution<int>(-1, positionsInTable)(rng);
            TPlannerItem& item = items().Add();
            item.SetItemPos(pos);
            item.SetItemBegin(begin);
            item.SetItemEnd(begin + length);
            const int kind = std::uniform_int_distribution<int>(0, 9)(rng);
            if (kind == 0)
                item.SetVisible(false);
            if (kind == 1) {
                item.SetBackground(true);
                item.SetAllowOverlap(rng() % 2 == 0);
            }
            if (kind == 2)
                item.SetLayer(2);
            conflict_reference::Item m;
            m.begin = item.ItemBegin();
            m.end = item.ItemEnd();
            m.pos = item.ItemPos();
            m.visible = item.Visible();
            m.background = item.Background();
            m.allowOverlap = item.AllowOverlap();
            m.layer = item.Layer();
            model.push_back(m);
        }
        planner->SetLayer(round % 4 == 0 ? 1 : 0);
        // The plain model starts from the results the items had before this run.
        items().EndUpdate();
        for (int i = 0; i < count; ++i) {
            model[std::size_t(i)].conflicts = items()[i].Conflicts();
            model[std::size_t(i)].conflictPos = items()[i].ConflictPos();
        }
        // Move one item and lay out again, so that carried-over values matter.
        if (count > 1) {
            TPlannerItem& moved = items()[count / 2];
            items().BeginUpdate();
            moved.SetItemBegin(moved.ItemBegin() + 1);
            items().EndUpdate();
            model[std::size_t(count / 2)].begin = moved.ItemBegin();
            // A new begin shows the item again.
            model[std::size_t(count / 2)].visible = moved.Visible();
        }
        conflict_reference::UpdateConflicts(model, positionsInTable, cells, planner->Layer());
        ASSERT_TRUE(LaidOutAsModel(items(), model));
    }
}

// More than 255 items on one cell: the counters wrap as bytes do.
TEST_F(ConflictLayout, CountersWrapAsBytes)
{
    items().BeginUpdate();
    for (int i = 0; i < 300; ++i)
        add(0, 2);
    items().EndUpdate();
    std::vector<conflict_reference::Item> model(300);
    for (auto& m : model) {
        m.begin = 0;
        m.end = 2;
    }
    for (int i = 0; i < 300; ++i) {
        model[std::size_t(i)].conflicts = items()[i].Conflicts();
        model[std::size_t(i)].conflictPos = items()[i].ConflictPos();
    }
    items().UpdateConflicts();
    conflict_reference::UpdateConflicts(model, planner->Grid().ColCount(),
                                        planner->Grid().CellCount(), 0);
    for (int i = 0; i < 300; ++i) {
        ASSERT_EQ(items()[i].Conflicts(), model[std::size_t(i)].conflicts) << i;
        ASSERT_EQ(items()[i].ConflictPos(), model[std::size_t(i)].conflictPos) << i;
    }
    EXPECT_EQ(items()[0].Conflicts(), 300 % 256);
}

} // namespace

namespace {

// Items whose width or sub-column the run had to correct are repainted, each over the
// cells of the items it overlaps; in a chain the outer items are corrected on every run.
TEST_F(ConflictLayout, RunRepaintsTheCorrectedItemsOverTheirNeighbours)
{
    TPlannerItem& a = add(0, 4);
    add(2, 6);
    add(4, 8);
    TPlannerGrid& grid = planner->Grid();
    grid.ResetInvalidatedCells();
    items().UpdateConflicts();
    EXPECT_EQ(grid.InvalidatedCells(), 6 + 6) << "A over 0-5 and C over 2-7";
    grid.ResetInvalidatedCells();
    a.RepaintItem();
    EXPECT_EQ(grid.InvalidatedCells(), 6);

    // A neighbour that grows widens the repaint of the next run.
    items()[1].SetItemEnd(7);
    grid.ResetInvalidatedCells();
    items().UpdateConflicts();
    EXPECT_EQ(grid.InvalidatedCells(), 7 + 6) << "A over 0-6 and C over 2-7";

    items().Clear();
    add(0, 4);
    add(0, 4);
    grid.ResetInvalidatedCells();
    items().UpdateConflicts();
    EXPECT_EQ(grid.InvalidatedCells(), 0) << "nothing to correct";
}

} // namespace

namespace {

// Positions far apart (the searches then find each position's items without a table of
// positions), the turned grid and several runs in a row, against the plain model.
TEST_F(ConflictLayout, MatchesThePlainModelOnScatteredPositionsAndTurnedGrid)
{
    std::mt19937 rng(7031);
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        planner->Sidebar().SetPosition(round % 2 == 0 ? TSideBarPosition::spTop
                                                      : TSideBarPosition::spLeftRight);
        planner->SetLayer(round % 5 == 0 ? 2 : 0);
        TPlannerGrid& grid = planner->Grid();
        const bool turned = planner->Horizontal();
        const int positionsInTable = turned ? grid.RowCount() : grid.ColCount();
        const int cells = grid.CellCount();
        items().Clear();
        const int count = std::uniform_int_distribution<int>(1, 120)(rng);
        std::vector<conflict_reference::Item> model;
        items().BeginUpdate();
        for (int i = 0; i < count; ++i) {
            const int begin = std::uniform_int_distribution<int>(-3, cells + 3)(rng);
            const int length = std::uniform_int_distribution<int>(-2, 12)(rng);
            // Mostly a handful of positions, some of them thousands apart.
            const int pos = rng() % 4 == 0 ? std::uniform_int_distribution<int>(-5000, 5000)(rng)
                                           : std::uniform_int_distribution<int>(0, 3)(rng);
            TPlannerItem& item = items().Add();
            item.SetItemPos(pos);
            item.SetItemBegin(begin);
            item.SetItemEnd(begin + length);
            if (rng() % 7 == 0)
                item.SetLayer(2);
            if (rng() % 9 == 0)
                item.SetVisible(false);
            if (rng() % 11 == 0) {
                item.SetBackground(true);
                item.SetAllowOverlap(rng() % 2 == 0);
            }
        }
        items().EndUpdate();
        auto snapshot = [&] {
            model.clear();
            for (int i = 0; i < count; ++i)
                model.push_back(modelOf(items()[i]));
        };
        for (int run = 0; run < 3; ++run) {
            SCOPED_TRACE(run);
            snapshot();
            // Shift a few items between runs so that carried-over results and a changed
            // set of spans both come into play.
            items().BeginUpdate();
            for (int k = 0; k < 3 && run > 0; ++k) {
                const int i = int(rng() % unsigned(count));
                TPlannerItem& moved = items()[i];
                moved.SetItemBegin(moved.ItemBegin() + int(rng() % 5) - 2);
                model[std::size_t(i)].begin = moved.ItemBegin();
                model[std::size_t(i)].visible = moved.Visible();
            }
            items().EndUpdate();
            conflict_reference::UpdateConflicts(model, positionsInTable, cells, planner->Layer());
            ASSERT_TRUE(LaidOutAsModel(items(), model));
        }
    }
}

} // namespace

namespace {

// A move lays out only the positions the item left and entered: a chain elsewhere, which
// every run over all items corrects and repaints again, is left alone.
TEST_F(ConflictLayout, MoveLaysOutOnlyThePositionsItLeftAndEntered)
{
    add(0, 4);
    add(2, 6);
    add(4, 8);
    TPlannerItem& moving = add(10, 12, 1);
    TPlannerGrid& grid = planner->Grid();
    grid.ResetInvalidatedCells();
    moving.SetItemPos(2);
    EXPECT_EQ(grid.InvalidatedCells(), 2 + 2) << "only the cells it left and those it entered";
    EXPECT_EQ(items()[0].Conflicts(), 3);
    grid.ResetInvalidatedCells();
    items().UpdateConflicts();
    EXPECT_EQ(grid.InvalidatedCells(), 6 + 6) << "a run over every item corrects the chain";
}

// The repaints of a move are widened over the neighbours as they are now, including one
// that an earlier move brought to the position.
TEST_F(ConflictLayout, MoveRepaintsOverNeighboursEarlierMovesBrought)
{
    TPlannerItem& a = add(0, 4);
    TPlannerItem& b = add(3, 8, 1);
    TPlannerItem& c = add(5, 6, 2);
    add(0, 2, 3);
    add(1, 3, 4).SetItemPos(3); // a first move that repaints
    b.SetItemPos(0);
    ASSERT_EQ(a.Conflicts(), 2);
    TPlannerGrid& grid = planner->Grid();
    grid.ResetInvalidatedCells();
    c.SetItemPos(0);
    ASSERT_EQ(a.Conflicts(), 3);
    ASSERT_EQ(b.Conflicts(), 3);
    ASSERT_EQ(c.ConflictPos(), 2);
    EXPECT_EQ(grid.InvalidatedCells(), (1 + 5) + 8 + 8 + 5)
        << "C where it left and over B where it entered, then A and B over 0-7, C over B";
}

// Visibility, layer and background change without a layout of their own; the next move,
// wherever it is, lays out their position too, as a run over every item would.
TEST_F(ConflictLayout, MoveElsewhereTakesInChangesThatDidNotLayOut)
{
    struct Case
    {
        const char* name;
        void (*change)(TPlannerItem&);
    };
    const Case cases[] = {
        {"hidden", [](TPlannerItem& item) { item.SetVisible(false); }},
        {"other layer", [](TPlannerItem& item) { item.SetLayer(2); }},
        {"overlappable background",
         [](TPlannerItem& item) {
             item.SetBackground(true);
             item.SetAllowOverlap(true);
         }},
    };
    planner->SetLayer(1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        items().Clear();
        TPlannerItem& stays = add(0, 4);
        stays.SetLayer(1);
        TPlannerItem& changed = add(0, 4);
        changed.SetLayer(1);
        TPlannerItem& elsewhere = add(0, 2, 1);
        elsewhere.SetLayer(1);
        ASSERT_EQ(stays.Conflicts(), 2);
        c.change(changed);
        EXPECT_EQ(stays.Conflicts(), 2) << "no layout yet";
        elsewhere.SetItemBegin(1);
        EXPECT_EQ(stays.Conflicts(), 1);
        EXPECT_EQ(stays.ConflictPos(), 0);
    }
}

// Random single-item changes of place, each laid out only where the item left and entered,
// against a second planner that lays out every item after the same change (inside an
// update) and against the plain model. Now and then an item first changes visibility,
// layer or background on both planners without a layout.
TEST_F(ConflictLayout, LayingOutChangedPositionsMatchesAFullRunOnRandomMoves)
{
    std::mt19937 rng(20260312);
    TCustomPlanner full;
    for (TCustomPlanner* p : {planner.get(), &full}) {
        p->SetPositions(5);
        p->SetLayer(0);
    }
    const int cells = planner->Grid().CellCount();
    const int positionsInTable = planner->Grid().ColCount();
    // The last rounds scatter a few positions far apart, where the searches find each
    // position's items without a table of positions (and a move may leave the table).
    int round = 0;
    auto anyPos = [&] {
        const int pos = std::uniform_int_distribution<int>(-1, positionsInTable)(rng);
        if (round < 6 || rng() % 8 != 0)
            return pos;
        return pos % 2 == 0 ? 100000 + pos : -100000 - pos;
    };
    auto anyCell = [&] { return std::uniform_int_distribution<int>(-2, cells + 2)(rng); };
    for (; round < 8; ++round) {
        SCOPED_TRACE(round);
        const int count = std::uniform_int_distribution<int>(2, round < 3 ? 40 : 300)(rng);
        const int plannerLayer = round % 3 == 2 ? 1 : 0;
        for (TCustomPlanner* p : {planner.get(), &full}) {
            p->Items().Clear();
            p->SetLayer(plannerLayer);
            p->Items().BeginUpdate();
            for (int i = 0; i < count; ++i)
                p->Items().Add();
        }
        for (int i = 0; i < count; ++i) {
            const int pos = anyPos();
            const int begin = anyCell();
            const int end = begin + std::uniform_int_distribution<int>(-1, 8)(rng);
            const int layer = int(rng() % 4);
            for (TCustomPlanner* p : {planner.get(), &full}) {
                TPlannerItem& item = p->Items()[i];
                item.SetItemPos(pos);
                item.SetItemBegin(begin);
                item.SetItemEnd(end);
                item.SetLayer(layer);
            }
        }
        planner->Items().EndUpdate();
        full.Items().EndUpdate();

        for (int step = 0; step < 150; ++step) {
            SCOPED_TRACE(step);
            std::vector<conflict_reference::Item> model;
            for (int i = 0; i < count; ++i)
                model.push_back(modelOf(items()[i]));
            const int quiet = int(rng() % unsigned(count));
            const int quietKind = int(rng() % 8);
            const int moved = int(rng() % unsigned(count));
            const int moveKind = int(rng() % 7);
            int value = moveKind < 2 ? anyPos() : anyCell();
            // A position the item already has changes nothing and lays out nothing.
            if (moveKind < 2 && value == items()[moved].ItemPos())
                value += 1;
            auto change = [&](TPlannerItems& all) {
                TPlannerItem& q = all[quiet];
                if (quietKind == 0)
                    q.SetVisible(!q.Visible());
                if (quietKind == 1)
                    q.SetLayer(int(rng() % 4));
                if (quietKind == 2) {
                    q.SetBackground(!q.Background());
                    q.SetAllowOverlap(step % 2 == 0);
                }
                TPlannerItem& m = all[moved];
                if (moveKind < 2)
                    m.SetItemPos(value);
                else if (moveKind < 4)
                    m.SetItemBegin(value);
                else if (moveKind < 6)
                    m.SetItemEnd(value);
                else
                    m.SetInHeader(!m.InHeader());
            };
            // The same random numbers on both planners.
            const std::mt19937 before = rng;
            change(items());
            rng = before;
            full.Items().BeginUpdate();
            change(full.Items());
            full.Items().EndUpdate();

            for (int i = 0; i < count; ++i) {
                const TPlannerItem& a = items()[i];
                const TPlannerItem& b = full.Items()[i];
                ASSERT_EQ(a.Conflicts(), b.Conflicts()) << "item " << i;
                ASSERT_EQ(a.ConflictPos(), b.ConflictPos()) << "item " << i;
                ASSERT_EQ(a.ConflictBegin(), b.ConflictBegin()) << "item " << i;
                ASSERT_EQ(a.ConflictEnd(), b.ConflictEnd()) << "item " << i;
                ASSERT_EQ(a.ConflictChanged(), b.ConflictChanged()) << "item " << i;
            }
            for (int i = 0; i < count; ++i) {
                const conflict_reference::Item now = modelOf(items()[i]);
                conflict_reference::Item& m = model[std::size_t(i)];
                m.begin = now.begin;
                m.end = now.end;
                m.pos = now.pos;
                m.visible = now.visible;
                m.background = now.background;
                m.allowOverlap = now.allowOverlap;
                m.layer = now.layer;
            }
            conflict_reference::UpdateConflicts(model, positionsInTable, cells, plannerLayer);
            ASSERT_TRUE(LaidOutAsModel(items(), model));
        }
    }
}

} // namespace
