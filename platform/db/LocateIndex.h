// The hash indexes behind Locate: for each field that has been located on, a map from
// value to the records holding it, so that finding a key among 100,000 records is one hash
// look-up. An index is built the first time its field is located and from then on kept in
// step with every post and delete; opening and closing drop them all.
#pragma once

#include "platform/db/FieldValue.h"

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

struct TRecord;
class TRecordList;

struct TFieldValueHash
{
    std::size_t operator()(const TFieldValue& value) const;
};

class TLocateIndexes
{
public:
    TLocateIndexes();
    ~TLocateIndexes();

    // The records whose field holds value; the index of that field is built from records
    // on first use.
    std::vector<TRecord*> Find(int field, const TFieldValue& value, TRecordList& records);

    // Keep the built indexes in step. Added records are those posted by insert; Replaced
    // gives the values the record had before a post of an edit.
    void Added(TRecord* record);
    void Replaced(TRecord* record, const std::vector<TFieldValue>& oldValues);
    void Removed(TRecord* record);
    void Clear() { m_indexes.clear(); }

private:
    using TIndex = std::unordered_multimap<TFieldValue, TRecord*, TFieldValueHash>;
    static void erase(TIndex& index, const TFieldValue& value, TRecord* record);

    std::unordered_map<int, std::unique_ptr<TIndex>> m_indexes;
};
