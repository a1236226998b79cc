// Ordered record storage in arenas of packed rows, with order numbers for logarithmic row
// look-ups.
#include "platform/db/RecordList.h"

#include <algorithm>
#include <new>
#include <sys/mman.h>
#include <type_traits>

namespace {

// Room for about 30 inserts at the same place before everything is renumbered.
constexpr std::int64_t OrderSpacing = std::int64_t(1) << 30;
// Arenas start small, so that a table of a few records costs a few pages, and double up
// to the size of a huge page.
constexpr std::size_t FirstArenaSize = 64 * 1024;
constexpr std::size_t HugePageSize = 2 * 1024 * 1024;
std::int64_t s_nextId = 1;

// Records live in raw arena bytes and are never destroyed one by one.
static_assert(std::is_trivially_destructible_v<TRecord>);
static_assert(alignof(TRecord) <= alignof(std::max_align_t));

std::size_t alignedSize(std::size_t size)
{
    return (size + alignof(TRecord) - 1) & ~(alignof(TRecord) - 1);
}

} // namespace

// Bump allocation from blocks that are all released together.
class TRecordList::TArena
{
public:
    TArena() = default;
    ~TArena()
    {
        for (const TMapped& mapped : m_mapped)
            ::munmap(mapped.Data, mapped.Size);
    }
    TArena(const TArena&) = delete;
    TArena& operator=(const TArena&) = delete;

    // size is a multiple of alignof(TRecord).
    void* Allocate(std::size_t size)
    {
        if (m_used + size <= m_size) {
            void* data = m_current + m_used;
            m_used += size;
            return data;
        }
        if (size > HugePageSize / 4) {
            // A record with a long memo gets a block of its own and the current block goes
            // on being filled.
            m_heap.push_back(std::make_unique_for_overwrite<unsigned char[]>(size));
            return m_heap.back().get();
        }
        newBlock(size);
        m_used = size;
        return m_current;
    }

private:
    struct TMapped
    {
        void* Data;
        std::size_t Size;
    };

    // At least room for one allocation of atLeast bytes (a quarter of a huge page at most).
    void newBlock(std::size_t atLeast)
    {
        std::size_t size = m_size == 0 ? FirstArenaSize : std::min(m_size * 2, HugePageSize);
        while (size < atLeast)
            size *= 2;
        m_current = size == HugePageSize ? mapHugeBlock() : newHeapBlock(size);
        m_size = size;
        m_used = 0;
    }

    unsigned char* newHeapBlock(std::size_t size)
    {
        m_heap.push_back(std::make_unique_for_overwrite<unsigned char[]>(size));
        return m_heap.back().get();
    }

    // A block aligned to a huge page and asking for one: a table of 100,000 records then
    // takes a dozen page faults to fill instead of several thousand.
    unsigned char* mapHugeBlock()
    {
        const std::size_t span = 2 * HugePageSize;
        void* mapped =
            ::mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapped == MAP_FAILED)
            throw std::bad_alloc();
        const auto start = reinterpret_cast<std::uintptr_t>(mapped);
        const std::uintptr_t aligned = (start + HugePageSize - 1) & ~(HugePageSize - 1);
        if (aligned > start)
            ::munmap(mapped, aligned - start);
        const std::uintptr_t end = aligned + HugePageSize;
        if (start + span > end)
            ::munmap(reinterpret_cast<void*>(end), start + span - end);
        void* block = reinterpret_cast<void*>(aligned);
#ifdef MADV_HUGEPAGE
        // Only advice: without huge pages the block is ordinary memory.
        ::madvise(block, HugePageSize, MADV_HUGEPAGE);
#endif
        m_mapped.push_back(TMapped{block, HugePageSize});
        return static_cast<unsigned char*>(block);
    }

    unsigned char* m_current = nullptr;
    std::size_t m_size = 0;
    std::size_t m_used = 0;
    std::vector<std::unique_ptr<unsigned char[]>> m_heap;
    std::vector<TMapped> m_mapped;
};

TRecordList::TRecordList() = default;
TRecordList::~TRecordList() = default;

void TRecordList::Reset(int fieldCount)
{
    m_records.clear();
    m_heapValues.clear();
    m_arena.reset();
    m_lastRead = PackedRow::TPosition();
    m_fieldCount = fieldCount;
    ++m_generation;
}

TRecord* TRecordList::newRecord(std::size_t packedSize)
{
    if (!m_arena)
        m_arena = std::make_unique<TArena>();
    void* data = m_arena->Allocate(alignedSize(sizeof(TRecord) + packedSize));
    TRecord* record = new (data) TRecord();
    record->Id = s_nextId++;
    return record;
}

TRecord& TRecordList::AppendLoaded(std::int64_t rowId, const TLoadedValue* values)
{
    const std::size_t size = PackedRow::SizeOf(values, m_fieldCount);
    TRecord* record = newRecord(size);
    PackedRow::Write(reinterpret_cast<unsigned char*>(record + 1), values, m_fieldCount);
    record->RowId = rowId;
    place(record, Count());
    return *record;
}

TRecord& TRecordList::InsertAt(int index)
{
    index = std::clamp(index, 0, Count());
    TRecord* record = newRecord(0);
    m_heapValues.push_back(std::make_unique<TFieldValue[]>(size_t(m_fieldCount)));
    record->Values = m_heapValues.back().get();
    place(record, index);
    return *record;
}

void TRecordList::place(TRecord* record, int index)
{
    if (index == Count()) {
        record->Order = m_records.empty() ? OrderSpacing : m_records.back()->Order + OrderSpacing;
        m_records.push_back(record);
        // Only after ~8e9 appends at the end of one open list.
        if (record->Order < 0)
            renumber();
        return;
    }
    const std::int64_t before = index == 0 ? 0 : m_records[size_t(index) - 1]->Order;
    const std::int64_t after = m_records[size_t(index)]->Order;
    m_records.insert(m_records.begin() + index, record);
    if (after - before >= 2)
        record->Order = before + (after - before) / 2;
    else
        renumber();
}

void TRecordList::RemoveAt(int index)
{
    TRecord* record = m_records[size_t(index)];
    m_records.erase(m_records.begin() + index);
    // Release the texts now; the slot itself waits for the next Reset.
    if (record->Values)
        std::fill(record->Values, record->Values + m_fieldCount, TFieldValue());
    record->Id = 0;
}

TFieldValue* TRecordList::EditableValues(TRecord& record)
{
    if (!record.Values) {
        // The packed texts stay valid until the list is reset, so the unpacked values may
        // go on pointing at them.
        auto values = std::make_unique<TFieldValue[]>(size_t(m_fieldCount));
        for (int field = 0; field < m_fieldCount; ++field)
            values[size_t(field)] = record.Value(field);
        m_heapValues.push_back(std::move(values));
        record.Values = m_heapValues.back().get();
    }
    return record.Values;
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
