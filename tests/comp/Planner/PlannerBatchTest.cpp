// Batches the planner opens itself, and the moments a derived planner follows through its
// hooks: an error from a handler inside a batch leaves nothing held, and each hook runs at
// its moment, in order with what the model has done by then.
#include "PlannerFixture.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <stdexcept>

namespace {

using PlannerBatch = PlannerFixture;

struct ThrowingBatchCase
{
    const char* name;
    // Arms a handler that throws, then does what opens a batch around that handler.
    std::function<void(TCustomPlanner& other)> run;
};

TEST_F(PlannerBatch, AHandlerThatThrowsInsideABatchLeavesNothingHeld)
{
    auto throwOnExit = [](TCustomPlanner&, TPlannerItem&) { throw std::runtime_error("exit"); };
    const ThrowingBatchCase cases[] = {
        {"freeing the selected item on clearing",
         [&](TCustomPlanner&) {
             items().SelectItem(&items()[0]);
             planner->OnItemExit = throwOnExit;
             items().Clear();
         }},
        {"freeing the selected item on clearing the data items",
         [&](TCustomPlanner&) {
             items().SelectItem(&items()[1]);
             planner->OnItemExit = throwOnExit;
             items().ClearDBItems();
         }},
        {"a change while copying another collection",
         [&](TCustomPlanner& other) {
             planner->OnItemsChange = [](TPlannerItems&) { throw std::runtime_error("change"); };
             items().Assign(other.Items());
         }},
    };
    for (const ThrowingBatchCase& c : cases) {
        SCOPED_TRACE(c.name);
        planner = std::make_unique<TCustomPlanner>();
        TCustomPlanner other;
        other.Items().Add().SetItemBegin(3);
        add(0, 2);
        add(4, 6);
        EXPECT_THROW(c.run(other), std::runtime_error);
        planner->OnItemExit = nullptr;
        planner->OnItemsChange = nullptr;
        EXPECT_EQ(items().UpdateCount(), 0);

        // Layout and repaint work again.
        int layouts = 0;
        planner->OnItemsLayout = [&](TPlannerItems&) { ++layouts; };
        TPlannerItem& a = add(10, 14);
        TPlannerItem& b = add(12, 16);
        EXPECT_GT(layouts, 0);
        EXPECT_EQ(a.Conflicts(), 2);
        EXPECT_EQ(b.ConflictPos(), 1);
        planner->Grid().ResetInvalidatedCells();
        a.SetColor(clRed);
        EXPECT_GT(planner->Grid().InvalidatedCells(), 0);
    }
}

} // namespace
