// Ordered record storage in chunks, with order numbers for logarithmic row look-ups.
#include "platform/db/RecordList.h"

#include <algorithm>

namespace {

// Room for about 30 inserts at the same place before everything is renumbered.
constexpr std::int64_t OrderSpacing = std::int64_t(1) << 30;
constexpr int ChunkRecords = 1024;
constexpr int TextBlockSize = 256 * 1024;
std::int64_t s_nextId = 1;

} // namespace

struct TRecordList::TChunk
{
    std::unique_ptr<TRecord[]> Records;
    std::unique_ptr<TFieldValue[]> Values;
    int Used = 0;
};

TRecordList::TRecordList() = default;
TRecordList::~TRecordList() = default;

void TRecordList::Reset(int fieldCount)
{
    m_records.clear();
    m_chunks.clear();
    m_textBlocks.clear();
    m_textUsed = 0;
    m_fieldCount = fieldCount;
    ++m_generation;
}

TRecord* TRecordList::newRecord()
{
    if (m_chunks.empty() || m_chunks.back().Used == ChunkRecords) {
        TChunk chunk;
        chunk.Records = std::make_unique<TRecord[]>(ChunkRecords);
        chunk.Values = std::make_unique<TFieldValue[]>(size_t(ChunkRecords) * size_t(m_fieldCount));
        m_chunks.push_back(std::move(chunk));
    }
    TChunk& chunk = m_chunks.back();
    TRecord* record = &chunk.Records[size_t(chunk.Used)];
    record->Values = chunk.Values.get() + size_t(chunk.Used) * size_t(m_fieldCount);
    record->Id = s_nextId++;
    ++chunk.Used;
    return record;
}

TRecord& TRecordList::Append(std::int64_t rowId)
{
    TRecord* record = newRecord();
    record->RowId = rowId;
    record->Order = m_records.empty() ? OrderSpacing : m_records.back()->Order + OrderSpacing;
    m_records.push_back(record);
    // Only after ~8e9 appends at the end of one open list.
    if (record->Order < 0)
        renumber();
    return *record;
}

TRecord& TRecordList::InsertAt(int index)
{
    index = std::clamp(index, 0, Count());
    if (index == Count())
        return Append(0);
    const std::int64_t before = index == 0 ? 0 : m_records[size_t(index) - 1]->Order;
    const std::int64_t after = m_records[size_t(index)]->Order;
    TRecord* record = newRecord();
    m_records.insert(m_records.begin() + index, record);
    if (after - before >= 2)
        record->Order = before + (after - before) / 2;
    else
        renumber();
    return *record;
}

void TRecordList::RemoveAt(int index)
{
    TRecord* record = m_records[size_t(index)];
    m_records.erase(m_records.begin() + index);
    // Release the texts now; the slot itself waits for the next Reset.
    std::fill(record->Values, record->Values + m_fieldCount, TFieldValue());
    record->Id = 0;
}

TStoredText TRecordList::StoreText(const char* utf8, int size)
{
    if (size <= 0)
        return TStoredText{"", 0};
    if (size > TextBlockSize / 4) {
        // A long memo gets a block of its own, ahead of the current one.
        auto own = std::make_unique<char[]>(size_t(size));
        std::copy(utf8, utf8 + size, own.get());
        const char* data = own.get();
        m_textBlocks.insert(m_textBlocks.end() - (m_textBlocks.empty() ? 0 : 1), std::move(own));
        return TStoredText{data, size};
    }
    if (m_textBlocks.empty() || m_textUsed + size > TextBlockSize) {
        m_textBlocks.push_back(std::make_unique_for_overwrite<char[]>(TextBlockSize));
        m_textUsed = 0;
    }
    char* data = m_textBlocks.back().get() + m_textUsed;
    std::copy(utf8, utf8 + size, data);
    m_textUsed += size;
    return TStoredText{data, size};
}

void TRecordList::renumber()
{
    ++m_generation;
    std::int64_t order = 0;
    for (TRecord* record : m_records)
        record->Order = (order += OrderSpacing);
}

int TRecordList::lowerBound(std::int64_t order) const
{
    auto it = std::lower_bound(
        m_records.begin(), m_records.end(), order,
        [](const TRecord* record, std::int64_t value) { return record->Order < value; });
    return int(it - m_records.begin());
}

int TRecordList::IndexOf(const TRecord* record) const
{
    if (!record)
        return -1;
    const int index = lowerBound(record->Order);
    if (index < Count() && m_records[size_t(index)] == record)
        return index;
    return -1;
}

int TRecordList::IndexOf(std::int64_t id, std::int64_t order, std::int64_t generation) const
{
    const int index = lowerBound(order);
    if (index < Count() && m_records[size_t(index)]->Id == id)
        return index;
    if (generation == m_generation)
        return -1;
    // The list was renumbered since: the record may still be there under a new number.
    for (int i = 0; i < Count(); ++i)
        if (m_records[size_t(i)]->Id == id)
            return i;
    return -1;
}
