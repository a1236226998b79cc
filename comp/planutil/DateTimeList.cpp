// TDateTimeList: holders are freed with their entry, and all of them with the list.
#include "comp/planutil/DateTimeList.h"

#include "platform/core/Exceptions.h"

void TDateTimeList::check(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
}

void TDateTimeList::Add(TDateTime value)
{
    m_items.push_back(std::make_unique<TDateTime>(value));
}

TDateTime TDateTimeList::Items(int index) const
{
    check(index);
    return *m_items[std::size_t(index)];
}

void TDateTimeList::Delete(int index)
{
    check(index);
    m_items.erase(m_items.begin() + index);
}

void TDateTimeList::Clear()
{
    m_items.clear();
}
