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

namespace {

// A planner that writes down each moment of its items and what the model shows at it.
class HookedPlanner : public TCustomPlanner
{
public:
    QStringList log;

    void ItemsLaidOut() override
    {
        QString entry = QStringLiteral("laid out");
        for (int i = 0; i < Items().Count(); ++i)
            entry +=
                QStringLiteral(" %1/%2").arg(Items()[i].ConflictPos()).arg(Items()[i].Conflicts());
        log << entry;
    }
    void ItemInHeaderChanged(TPlannerItem& item) override
    {
        log << QStringLiteral("in header %1 %2 visible %3 first %4")
                   .arg(item.Index())
                   .arg(int(item.InHeader()))
                   .arg(int(item.Visible()))
                   .arg(Items()[0].Conflicts());
    }
    void ItemFreeing(TPlannerItem& item) override
    {
        log << QStringLiteral("freeing %1 of %2 selected %3 object %4")
                   .arg(item.Index())
                   .arg(Items().Count())
                   .arg(int(item.Selected()))
                   .arg(int(item.ItemObject() != nullptr));
    }
};

class PlannerHooks : public PlannerFixture
{
protected:
    PlannerHooks()
    {
        auto hooked = std::make_unique<HookedPlanner>();
        hooks = hooked.get();
        planner = std::move(hooked);
    }

    HookedPlanner* hooks = nullptr;
};

TEST_F(PlannerHooks, LayoutHookRunsAfterEveryRunBeforeTheEvent)
{
    planner->OnItemsLayout = [&](TPlannerItems&) { hooks->log << QStringLiteral("event"); };
    add(0, 4);
    hooks->log.clear();
    add(2, 6);
    EXPECT_EQ(hooks->log.mid(hooks->log.size() - 2),
              (QStringList{QStringLiteral("laid out 0/2 1/2"), QStringLiteral("event")}))
        << "the sub-columns are known when the hook runs";

    hooks->log.clear();
    {
        TUpdateScope batch(items());
        add(10, 12);
        add(10, 12);
        EXPECT_TRUE(hooks->log.isEmpty()) << "nothing is laid out inside a batch";
    }
    EXPECT_EQ(hooks->log.count(QStringLiteral("event")), 1);
    EXPECT_EQ(hooks->log.count(QStringLiteral("laid out 0/2 1/2 0/2 1/2")), 1);

    hooks->log.clear();
    items().Clear();
    EXPECT_EQ(hooks->log.last(), QStringLiteral("event"));
    EXPECT_EQ(hooks->log.value(hooks->log.size() - 2), QStringLiteral("laid out"))
        << "the run without items too";
}

TEST_F(PlannerHooks, InHeaderHookRunsOnAChangeBeforeTheLayout)
{
    add(0, 4);
    TPlannerItem& b = add(0, 4);
    hooks->log.clear();
    b.SetInHeader(true);
    b.SetInHeader(true);
    b.SetInHeader(false);
    const QStringList inHeader = hooks->log.filter(QStringLiteral("in header"));
    EXPECT_EQ(inHeader, (QStringList{QStringLiteral("in header 1 1 visible 0 first 2"),
                                     QStringLiteral("in header 1 0 visible 1 first 1")}))
        << "once per change, with the item turned over and not yet laid out";
    hooks->log.clear();
    planner->DefaultItem().SetInHeader(true);
    EXPECT_TRUE(hooks->log.isEmpty()) << "the template item concerns no header";
}

TEST_F(PlannerHooks, FreeingHookRunsAfterTheCopiesBeforeTheObjectAndTheSelection)
{
    TPlannerItem& lead = add(0, 2, 0);
    lead.SetGroupID(0);
    TPlannerItem& copy = add(0, 2, 1);
    copy.SetGroupID(0);
    copy.SetIsCopy(true);
    add(4, 6);
    QPointer<QObject> owned = new QObject;
    lead.SetItemObject(owned);
    lead.SetOwnsItemObject(true);
    items().SelectItem(&lead);
    hooks->log.clear();
    items().Free(&lead);
    EXPECT_EQ(hooks->log.filter(QStringLiteral("freeing")),
              (QStringList{QStringLiteral("freeing 1 of 3 selected 0 object 0"),
                           QStringLiteral("freeing 0 of 2 selected 1 object 1")}));
    EXPECT_TRUE(owned.isNull());
    EXPECT_EQ(items().Count(), 1);
}

} // namespace
