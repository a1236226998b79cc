// The records of an open dataset, in memory, in the order the dataset shows them: table
// (rowid) order as read from the file, with records inserted at a position kept there.
//
// Every record carries an order number that grows along the list, so that finding a
// record's row (for a bookmark or a located key) is a binary search rather than a scan.
// Numbers are spread wide on loading; an insert takes the middle of its neighbours' gap
// and only when a gap is used up are all records renumbered.
//
// Records and their values live in chunks of a thousand, so that loading 100,000 records
// costs a hundred allocations besides the texts, and a record never moves in memory while
// the list is open (the locate indexes point at records). A removed record's slot is
// emptied and not reused until the list is cleared. Texts read from the file are copied,
// still in UTF-8, into large blocks owned by the list (see FieldValue.h).
#pragma once

#include "platform/db/FieldValue.h"

#include <cstdint>
#include <memory>
#include <vector>

struct TRecord
{
    std::int64_t Id = 0;           // unique for the life of the process; bookmarks name it
    std::int64_t RowId = 0;        // the row in the table file, 0 until the record is posted
    std::int64_t Order = 0;        // grows along the list
    TFieldValue* Values = nullptr; // FieldCount() of them
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

    // A stored record at the end, its values all null (for loading).
    TRecord& Append(std::int64_t rowId);
    // A new record at index (0..Count()), moving the records from index on down by one.
    TRecord& InsertAt(int index);
    void RemoveAt(int index);

    // A copy of UTF-8 text kept until the list is reset, for texts read from the file.
    TStoredText StoreText(const char* utf8, int size);

    // The row of a record in the list, -1 when it is no longer there.
    int IndexOf(const TRecord* record) const;
    // Bumped whenever order numbers change other than by inserting (renumbering, clearing),
    // so that a saved (id, order) pair knows whether its order number still holds.
    std::int64_t Generation() const { return m_generation; }
    // The row of the record with that id, which had that order number in that generation;
    // -1 when it is gone.
    int IndexOf(std::int64_t id, std::int64_t order, std::int64_t generation) const;

private:
    struct TChunk;
    TRecord* newRecord();
    void renumber();
    int lowerBound(std::int64_t order) const;

    int m_fieldCount = 0;
    std::vector<TChunk> m_chunks;
    std::vector<std::unique_ptr<char[]>> m_textBlocks;
    int m_textUsed = 0; // in the last block
    std::vector<TRecord*> m_records;
    std::int64_t m_generation = 0;
};
