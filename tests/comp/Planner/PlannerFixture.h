// A planner on a pinned clock (Wednesday 11 March 2026, 10:00) with helpers to place items
// by cells, shared by the planner model tests.
#pragma once

#include "comp/Planner/Planner.h"
#include "platform/core/DateTime.h"

#include <gtest/gtest.h>
#include <memory>

class PlannerFixture : public ::testing::Test
{
protected:
    PlannerFixture() : clock(EncodeDateTime(2026, 3, 11, 10, 0, 0, 0))
    {
        planner = std::make_unique<TCustomPlanner>();
    }

    TPlannerItems& items() { return planner->Items(); }

    TPlannerItem& add(int begin, int end, int pos = 0)
    {
        TPlannerItem& item = items().Add();
        item.SetItemPos(pos);
        item.SetItemBegin(begin);
        item.SetItemEnd(end);
        return item;
    }

    TFixedClock clock;
    std::unique_ptr<TCustomPlanner> planner;
};
