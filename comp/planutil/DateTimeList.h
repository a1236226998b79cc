// An owned list of date-time values, each kept in its own holder so that a reference to an
// element stays valid while others are added or deleted.
#pragma once

#include "platform/core/DateTime.h"

#include <memory>
#include <vector>

class TDateTimeList
{
public:
    TDateTimeList() = default;
    TDateTimeList(const TDateTimeList&) = delete;
    TDateTimeList& operator=(const TDateTimeList&) = delete;

    int Count() const { return int(m_items.size()); } // 0

    void Add(TDateTime value);
    // Index outside 0 .. Count()-1: EListError "List index out of bounds (n)".
    TDateTime Items(int index) const;
    void Delete(int index);
    void Clear();

private:
    void check(int index) const;

    std::vector<std::unique_ptr<TDateTime>> m_items;
};
