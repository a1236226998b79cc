// What the side-by-side layout of overlapping items costs: UpdateConflicts for 200, 2,000
// and 20,000 items over 7 positions of a day of half-hour cells, next to the plain model of
// the tests on the same items, whose results are checked equal before timing. Nothing
// changes between runs, so a run should allocate nothing: the allocs_per_run counter counts
// the heap allocations a run makes. The planner's layout should be at least 10 times faster
// than the plain model at 2,000 items.
//
// Moving one item among 2,000: to the next position (move/0) or to the next cell (move/1),
// through its setter, which lays out only the positions the item left and entered, against
// the same move inside an update, whose end lays out every item. The setter should cost at
// most a fifth of the move with a full layout.
#include "bench/support/GuiBenchMain.h"
#include "comp/Planner/Planner.h"
#include "tests/comp/Planner/ConflictReference.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <new>
#include <random>

namespace {

long long g_allocations = 0;

} // namespace

void* operator new(std::size_t size)
{
    ++g_allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

namespace {

// Appointments of one to four half hours, most within working hours, a few long ones.
struct Scene
{
    explicit Scene(int count) : planner(std::make_unique<TCustomPlanner>())
    {
        planner->SetPositions(7);
        std::mt19937 rng(7);
        TPlannerItems& items = planner->Items();
        items.BeginUpdate();
        for (int i = 0; i < count; ++i) {
            const bool isLong = rng() % 20 == 0;
            const int begin = std::uniform_int_distribution<int>(0, 47)(rng);
            const int length = isLong ? std::uniform_int_distribution<int>(4, 16)(rng)
                                      : std::uniform_int_distribution<int>(1, 4)(rng);
            TPlannerItem& item = items.Add();
            item.SetItemPos(std::uniform_int_distribution<int>(0, 6)(rng));
            item.SetItemBegin(begin);
            item.SetItemEnd(std::min(begin + length, 48));
            conflict_reference::Item m;
            m.begin = item.ItemBegin();
            m.end = item.ItemEnd();
            m.pos = item.ItemPos();
            model.push_back(m);
        }
        items.EndUpdate();
        positions = planner->Grid().ColCount();
        cells = planner->Grid().CellCount();
        for (std::size_t i = 0; i < model.size(); ++i) {
            model[i].conflicts = items[int(i)].Conflicts();
            model[i].conflictPos = items[int(i)].ConflictPos();
        }
    }

    bool resultsEqual()
    {
        planner->Items().UpdateConflicts();
        std::vector<conflict_reference::Item> copy = model;
        conflict_reference::UpdateConflicts(copy, positions, cells, 0);
        for (std::size_t i = 0; i < copy.size(); ++i) {
            const TPlannerItem& item = planner->Items()[int(i)];
            if (item.Conflicts() != copy[i].conflicts || item.ConflictPos() != copy[i].conflictPos)
                return false;
        }
        return true;
    }

    // Moves an item one position or one cell on; the results are checked against the plain
    // model run on the items as they are, with the results they had before.
    bool moveMatchesModel(int index, bool toNextPosition)
    {
        TPlannerItems& items = planner->Items();
        std::vector<conflict_reference::Item> now = model;
        for (std::size_t i = 0; i < now.size(); ++i) {
            now[i].conflicts = items[int(i)].Conflicts();
            now[i].conflictPos = items[int(i)].ConflictPos();
        }
        move(items[index], toNextPosition);
        now[std::size_t(index)].pos = items[index].ItemPos();
        now[std::size_t(index)].begin = items[index].ItemBegin();
        now[std::size_t(index)].end = items[index].ItemEnd();
        conflict_reference::UpdateConflicts(now, positions, cells, 0);
        model = now;
        for (std::size_t i = 0; i < now.size(); ++i) {
            const TPlannerItem& item = items[int(i)];
            if (item.Conflicts() != now[i].conflicts || item.ConflictPos() != now[i].conflictPos)
                return false;
        }
        return true;
    }

    // Around the day and around the week, so that the item keeps its length and company.
    static void move(TPlannerItem& item, bool toNextPosition)
    {
        if (toNextPosition) {
            item.SetItemPos((item.ItemPos() + 1) % 7);
            return;
        }
        const int length = item.ItemEnd() - item.ItemBegin();
        item.SetItemBegin(item.ItemEnd() < 48 ? item.ItemBegin() + 1 : 0);
        item.SetItemEnd(item.ItemBegin() + length);
    }

    std::unique_ptr<TCustomPlanner> planner;
    std::vector<conflict_reference::Item> model;
    int positions = 0;
    int cells = 0;
};

void planner(benchmark::State& state)
{
    Scene scene(int(state.range(0)));
    if (!scene.resultsEqual()) {
        state.SkipWithError("layout differs from the plain model");
        return;
    }
    TPlannerItems& items = scene.planner->Items();
    items.UpdateConflicts();
    const long long before = g_allocations;
    for (auto _ : state)
        items.UpdateConflicts();
    state.counters["allocs_per_run"] =
        double(g_allocations - before) / double(std::max<std::int64_t>(state.iterations(), 1));
    state.counters["items"] = double(items.Count());
}

void reference(benchmark::State& state)
{
    Scene scene(int(state.range(0)));
    if (!scene.resultsEqual()) {
        state.SkipWithError("layout differs from the plain model");
        return;
    }
    std::vector<conflict_reference::Item> model = scene.model;
    for (auto _ : state) {
        conflict_reference::UpdateConflicts(model, scene.positions, scene.cells, 0);
        benchmark::DoNotOptimize(model.data());
    }
    state.counters["items"] = double(model.size());
}

// The item moved is the one in the middle of the collection.
void move(benchmark::State& state, bool withFullLayout)
{
    Scene scene(2000);
    const bool toNextPosition = state.range(0) == 0;
    const int index = 1000;
    for (int i = 0; i < 8; ++i) {
        if (!scene.moveMatchesModel(index, toNextPosition)) {
            state.SkipWithError("layout differs from the plain model");
            return;
        }
    }
    TPlannerItems& items = scene.planner->Items();
    TPlannerItem& item = items[index];
    const long long before = g_allocations;
    for (auto _ : state) {
        if (withFullLayout)
            items.BeginUpdate();
        Scene::move(item, toNextPosition);
        if (withFullLayout)
            items.EndUpdate();
    }
    state.counters["allocs_per_run"] =
        double(g_allocations - before) / double(std::max<std::int64_t>(state.iterations(), 1));
}

void moveIncremental(benchmark::State& state)
{
    move(state, false);
}

void moveFullLayout(benchmark::State& state)
{
    move(state, true);
}

BENCHMARK(moveIncremental)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(moveFullLayout)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(planner)->Arg(200)->Arg(2000)->Arg(20000)->Unit(benchmark::kMicrosecond);
BENCHMARK(reference)->Arg(200)->Arg(2000)->Arg(20000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return RunGuiBenchmarks(argc, argv);
}
