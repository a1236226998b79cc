// Hash indexes per located field.
#include "platform/db/LocateIndex.h"

#include "platform/db/RecordList.h"

#include <QHash>
#include <bit>
#include <functional>

std::size_t TFieldValueHash::operator()(const TFieldValue& value) const
{
    switch (value.index()) {
    case 1:
        return std::hash<std::int64_t>()(std::get<std::int64_t>(value));
    case 2: {
        // 0.0 and -0.0 compare equal, so they must hash alike.
        const double d = std::get<double>(value);
        return std::hash<std::uint64_t>()(std::bit_cast<std::uint64_t>(d == 0.0 ? 0.0 : d));
    }
    case 3:
        return qHash(std::get<QString>(value));
    case 4: {
        // Never in an index (keys are canonical), but hash it as its text would be.
        return qHash(std::get<TStoredText>(value).ToString());
    }
    default:
        return 0x9e3779b9u;
    }
}

TLocateIndexes::TLocateIndexes() = default;
TLocateIndexes::~TLocateIndexes() = default;

std::vector<TRecord*> TLocateIndexes::Find(int field, const TFieldValue& value,
                                           TRecordList& records)
{
    auto& slot = m_indexes[field];
    if (!slot) {
        slot = std::make_unique<TIndex>();
        slot->reserve(size_t(records.Count()));
        for (int i = 0; i < records.Count(); ++i) {
            // A pending insert joins the index when it is posted, not before.
            TRecord* record = &records[i];
            if (record->RowId != 0)
                slot->emplace(Canonical(record->Value(field)), record);
        }
    }
    std::vector<TRecord*> found;
    auto [from, to] = slot->equal_range(value);
    for (auto it = from; it != to; ++it)
        found.push_back(it->second);
    return found;
}

void TLocateIndexes::erase(TIndex& index, const TFieldValue& value, TRecord* record)
{
    auto [from, to] = index.equal_range(Canonical(value));
    for (auto it = from; it != to; ++it) {
        if (it->second == record) {
            index.erase(it);
            return;
        }
    }
}

void TLocateIndexes::Added(TRecord* record)
{
    for (auto& [field, index] : m_indexes)
        index->emplace(Canonical(record->Value(field)), record);
}

void TLocateIndexes::Replaced(TRecord* record, const std::vector<TFieldValue>& oldValues)
{
    for (auto& [field, index] : m_indexes) {
        const TFieldValue now = Canonical(record->Value(field));
        if (Canonical(oldValues[size_t(field)]) == now)
            continue;
        erase(*index, oldValues[size_t(field)], record);
        index->emplace(now, record);
    }
}

void TLocateIndexes::Removed(TRecord* record)
{
    for (auto& [field, index] : m_indexes)
        erase(*index, record->Value(field), record);
}
