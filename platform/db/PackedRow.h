// The compact form of a record as it was loaded from the table file: its values one after
// the other in as few bytes as they need, so that a table of 100,000 records is one
// stretch of memory with no object per value to build on opening or to destroy on
// closing. Each value is a tag byte followed by its payload:
//
//   null    tag 0
//   whole   tag 1, the int64 in 8 bytes (integers, auto-increment keys, Booleans as 0/1)
//   real    tag 2, the double in 8 bytes (floats, and date-times as TDateTime days)
//   text    tag 3, the length in bytes as a base-128 varint (low bits first), then the
//           UTF-8 bytes themselves, with no terminator
//   ASCII   tag 4, as a text; every byte is below 0x80, so reading it needs no decoding
//
// Payloads are copied byte by byte and carry no alignment. A value is decoded only when it
// is read, a text into a TStoredText pointing at its bytes (marked when it is ASCII); records that
// were edited or inserted keep their values as TFieldValue instead (see RecordList.h).
#pragma once

#include "platform/db/FieldValue.h"

#include <cstddef>
#include <cstdint>

// One column's value as the table file hands it over for packing.
struct TLoadedValue
{
    enum class TKind : unsigned char
    {
        Null,
        Whole,
        Real,
        Text,
    };
    TKind Kind = TKind::Null;
    std::int64_t Whole = 0;
    double Real = 0;
    const char* Text = nullptr; // Size bytes of UTF-8, only for Text
    int Size = 0;
};

namespace PackedRow {

// The bytes the packed form of these count values takes.
std::size_t SizeOf(const TLoadedValue* values, int count);
// Writes exactly SizeOf(values, count) bytes to out.
void Write(unsigned char* out, const TLoadedValue* values, int count);
// The value of field (0-based) of a row written by Write; texts point into the row.
TFieldValue Read(const unsigned char* row, int field);

// Where a reading of a row stopped: the start of the value of Field. Callers that read
// the fields of a row one after the other (a scan, a grid painting a line) then walk each
// value once instead of every value before the one they want.
struct TPosition
{
    const unsigned char* Row = nullptr;
    int Field = 0;
    const unsigned char* At = nullptr;
};
// As Read, starting from position when it is in the same row at or before field, and
// leaving it at the value after field. Rows never change once written, so a position
// goes stale only when the memory of its row is given to another row: forget it then.
TFieldValue Read(const unsigned char* row, int field, TPosition& position);

} // namespace PackedRow
