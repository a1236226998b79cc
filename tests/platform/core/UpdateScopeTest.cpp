// The batching counter and its scope guard: the last release runs the deferred work once, and
// an exception inside or out of a batch leaves nothing held.
#include "platform/core/UpdateScope.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace {

// An owner as the components write them: a counter and the work its last release runs.
struct Owner
{
    Owner()
    {
        updates.SetOnRelease([this] {
            ++released;
            if (throwOnRelease)
                throw std::runtime_error("release failed");
        });
    }
    void BeginUpdate() { updates.Begin(); }
    void EndUpdate() { updates.End(); }

    TUpdateCounter updates;
    int released = 0;
    bool throwOnRelease = false;
};

} // namespace

TEST(UpdateScope, NestedScopesReleaseOnceAtTheOutermost)
{
    Owner owner;
    {
        TUpdateScope outer(owner);
        {
            TUpdateScope inner(owner);
            EXPECT_EQ(owner.updates.Count(), 2);
        }
        EXPECT_EQ(owner.released, 0);
        EXPECT_TRUE(owner.updates.Updating());
    }
    EXPECT_EQ(owner.released, 1);
    EXPECT_FALSE(owner.updates.Updating());
}

TEST(UpdateScope, AnExceptionInsideTheBatchStillReleasesIt)
{
    Owner owner;
    EXPECT_THROW(
        {
            TUpdateScope batch(owner);
            throw std::runtime_error("handler failed");
        },
        std::runtime_error);
    EXPECT_EQ(owner.released, 1);
    EXPECT_FALSE(owner.updates.Updating());

    // The next batch works as before.
    {
        TUpdateScope batch(owner);
    }
    EXPECT_EQ(owner.released, 2);
}

TEST(UpdateScope, AFailingReleaseReachesTheCallerAndLeavesNothingHeld)
{
    Owner owner;
    owner.throwOnRelease = true;
    EXPECT_THROW({ TUpdateScope batch(owner); }, std::runtime_error);
    EXPECT_FALSE(owner.updates.Updating());

    // While another exception is on its way, the first one is the one that arrives.
    try {
        TUpdateScope batch(owner);
        throw std::logic_error("first");
    } catch (const std::logic_error& e) {
        EXPECT_STREQ(e.what(), "first");
    }
    EXPECT_FALSE(owner.updates.Updating());
    EXPECT_EQ(owner.released, 2);
}

TEST(UpdateScope, UnbalancedAndSilentEndsDoNothingHarmful)
{
    Owner owner;
    owner.EndUpdate();
    EXPECT_EQ(owner.updates.Count(), 0);
    EXPECT_EQ(owner.released, 0);

    owner.BeginUpdate();
    owner.updates.EndSilently();
    owner.updates.EndSilently();
    EXPECT_EQ(owner.updates.Count(), 0);
    EXPECT_EQ(owner.released, 0);
}

TEST(UpdateScope, OpensAndClosesWithAnyPairOfCalls)
{
    int opened = 0;
    int closed = 0;
    {
        TUpdateScope scope([&] { ++opened; }, [&] { ++closed; });
        EXPECT_EQ(opened, 1);
        EXPECT_EQ(closed, 0);
    }
    EXPECT_EQ(closed, 1);
}
