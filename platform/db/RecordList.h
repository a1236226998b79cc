// The records of an open dataset, in memory, in the order the dataset shows them: table
// (rowid) order as read from the file, with records inserted at a position kept there.
//
// Every record carries an order number that grows along the list, so that finding a
// record's row (for a bookmark or a located key) is a binary search rather than a scan.
// Numbers are spread wide on loading; an insert takes the middle of its neighbours' gap
// and only when a gap is used up are all records renumbered.
//
// A loaded record and its values are one block of bytes: the record, then its values in
// the packed form of PackedRow.h. The blocks are laid end to end in arenas of 2 MB, asked
// for as huge pages, so that opening 100,000 records costs a dozen allocations and few
// page faults, and closing costs nothing per record. A record never moves in memory while
// the list is open (the locate indexes point at records). A record that is inserted, or
// whose edit is posted, gets its values as TFieldValues on the heap from then on; the
// packed bytes it was loaded with are left where they are. A removed record's slot is
// emptied and not reused until the list is cleared.
#pragma once

#include "platform/db/FieldValue.h"
#include "platform/db/PackedRow.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

struct TRecord
{
    std::int64_t Id = 0;    // unique for the life of the process; bookmarks name it
    std::int64_t RowId = 0; // the row in the table file, 0 until the record is posted
    std::int64_t Order = 0; // grows along the list
    // FieldCount() values once the record was inserted or posted; nullptr while it still
    // has the packed values it was loaded with.
    TFieldValue* Values = nullptr;

    // The value of a field (texts of a loaded record as TStoredText).
    TFieldValue Value(int field) const
    {
        return Values ? Values[field] : PackedRow::Read(packed(), field);
    }

private:
    friend class TRecordList;
    // The packed values follow the record in its arena.
    const unsigned char* packed() const { return reinterpret_cast<const unsigned char*>(this + 1); }
};

class TRecordList
{
public:
    TRecordList();
    ~TRecordList();
    TRecordList(const TRecordList&) = delete;
    TRecordList& operator=(const TRecordList&) = delete;

    // Empties the list; from now on every record has fieldCount values.
    void Reset(int fieldCount);
    void Clear() { Reset(m_fieldCount); }
    int FieldCount() const { return m_fieldCount; }

    int Count() const { return int(m_records.size()); }
    TRecord& operator[](int index) { return *m_records[size_t(index)]; }
    const TRecord& operator[](int index) const { return *m_records[size_t(index)]; }
    // The value of a field of the record at index, as TRecord::Value gives it; reading the
    // fields of one record in order walks its packed values once.
    TFieldValue ValueAt(int index, int field) const
    {
        const TRecord& record = *m_records[size_t(index)];
        if (record.Values)
            return record.Values[field];
        return PackedRow::Read(record.packed(), field, m_lastRead);
    }

    // A stored record at the end holding these FieldCount() values, packed (for loading).
    // Texts are copied: they need to outlive nothing but this call.
    TRecord& AppendLoaded(std::int64_t rowId, const TLoadedValue* values);
    // A new record at index (0..Count()), all its values null, moving the records from
    // index on down by one.
    TRecord& InsertAt(int index);
    void RemoveAt(int index);
    // The record's values as TFieldValues that can be changed in place, unpacking them the
    // first time.
    TFieldValue* EditableValues(TRecord& record);

    // The row of a record in the list, -1 when it is no longer there.
    int IndexOf(const TRecord* record) const;
    // Bumped whenever order numbers change other than by inserting (renumbering, clearing),
    // so that a saved (id, order) pair knows whether its order number still holds.
    std::int64_t Generation() const { return m_generation; }
    // The row of the record with that id, which had that order number in that generation;
    // -1 when it is gone.
    int IndexOf(std::int64_t id, std::int64_t order, std::int64_t generation) const;

private:
    class TArena;
    TRecord* newRecord(std::size_t packedSize);
    void place(TRecord* record, int index);
    void renumber();
    int lowerBound(std::int64_t order) const;

    int m_fieldCount = 0;
    std::unique_ptr<TArena> m_arena;
    std::vector<std::unique_ptr<TFieldValue[]>> m_heapValues; // owns every record's Values
    std::vector<TRecord*> m_records;
    std::int64_t m_generation = 0;
    // Where ValueAt last stopped. Its row's bytes stay put until Reset hands the arenas
    // back, which is also the only time another row can take their place.
    mutable PackedRow::TPosition m_lastRead;
};
