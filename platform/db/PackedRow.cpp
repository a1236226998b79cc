// Packing loaded values into the compact row form and reading them back one at a time.
#include "platform/db/PackedRow.h"

#include <cstring>

namespace {

enum TTag : unsigned char
{
    TagNull = 0,
    TagWhole = 1,
    TagReal = 2,
    TagText = 3,
    TagAscii = 4,
};

// Copies size bytes of text to out and tells whether every one is below 0x80, eight at a
// time: loading copies every text anyway, and a second pass over it only for the check
// costs as much as the copy.
bool copyText(unsigned char* out, const char* text, int size)
{
    constexpr std::uint64_t HighBits = 0x8080808080808080ull;
    std::uint64_t high = 0;
    if (size >= 8) {
        std::uint64_t word;
        int i = 0;
        for (; i + 8 <= size; i += 8) {
            std::memcpy(&word, text + i, 8);
            std::memcpy(out + i, &word, 8);
            high |= word;
        }
        // The last eight bytes again, overlapping: no byte-by-byte tail.
        std::memcpy(&word, text + size - 8, 8);
        std::memcpy(out + size - 8, &word, 8);
        return ((high | word) & HighBits) == 0;
    }
    for (int i = 0; i < size; ++i) {
        out[i] = static_cast<unsigned char>(text[i]);
        high |= out[i];
    }
    return (high & 0x80) == 0;
}

std::size_t varintSize(std::uint32_t value)
{
    std::size_t size = 1;
    while (value >= 0x80) {
        value >>= 7;
        ++size;
    }
    return size;
}

unsigned char* writeVarint(unsigned char* out, std::uint32_t value)
{
    while (value >= 0x80) {
        *out++ = static_cast<unsigned char>(value | 0x80);
        value >>= 7;
    }
    *out++ = static_cast<unsigned char>(value);
    return out;
}

const unsigned char* readVarint(const unsigned char* in, std::uint32_t& value)
{
    // Most texts are shorter than 128 bytes.
    if (*in < 0x80) {
        value = *in;
        return in + 1;
    }
    value = 0;
    int shift = 0;
    while (*in & 0x80) {
        value |= std::uint32_t(*in++ & 0x7f) << shift;
        shift += 7;
    }
    value |= std::uint32_t(*in++) << shift;
    return in;
}

// The start of the value after the one at p.
const unsigned char* skipValue(const unsigned char* p)
{
    switch (*p++) {
    case TagWhole:
    case TagReal:
        return p + 8;
    case TagText:
    case TagAscii: {
        std::uint32_t size = 0;
        p = readVarint(p, size);
        return p + size;
    }
    default:
        return p;
    }
}

// The value at p, leaving p at the value after it.
TFieldValue readValue(const unsigned char*& p)
{
    switch (*p++) {
    case TagWhole: {
        std::int64_t whole;
        std::memcpy(&whole, p, 8);
        p += 8;
        return whole;
    }
    case TagReal: {
        double real;
        std::memcpy(&real, p, 8);
        p += 8;
        return real;
    }
    case TagText:
    case TagAscii: {
        const bool ascii = p[-1] == TagAscii;
        std::uint32_t size = 0;
        p = readVarint(p, size);
        const char* text = reinterpret_cast<const char*>(p);
        p += size;
        return TStoredText{text, int(size), ascii};
    }
    default:
        return TFieldValue();
    }
}

} // namespace

namespace PackedRow {

std::size_t SizeOf(const TLoadedValue* values, int count)
{
    std::size_t size = 0;
    for (int i = 0; i < count; ++i) {
        const TLoadedValue& value = values[i];
        switch (value.Kind) {
        case TLoadedValue::TKind::Null:
            size += 1;
            break;
        case TLoadedValue::TKind::Whole:
        case TLoadedValue::TKind::Real:
            size += 1 + 8;
            break;
        case TLoadedValue::TKind::Text:
            size += 1 + varintSize(std::uint32_t(value.Size)) + std::size_t(value.Size);
            break;
        }
    }
    return size;
}

void Write(unsigned char* out, const TLoadedValue* values, int count)
{
    for (int i = 0; i < count; ++i) {
        const TLoadedValue& value = values[i];
        switch (value.Kind) {
        case TLoadedValue::TKind::Null:
            *out++ = TagNull;
            break;
        case TLoadedValue::TKind::Whole:
            *out++ = TagWhole;
            std::memcpy(out, &value.Whole, 8);
            out += 8;
            break;
        case TLoadedValue::TKind::Real:
            *out++ = TagReal;
            std::memcpy(out, &value.Real, 8);
            out += 8;
            break;
        case TLoadedValue::TKind::Text: {
            unsigned char* tag = out++;
            out = writeVarint(out, std::uint32_t(value.Size));
            *tag = copyText(out, value.Text, value.Size) ? TagAscii : TagText;
            out += value.Size;
            break;
        }
        }
    }
}

TFieldValue Read(const unsigned char* row, int field)
{
    TPosition start;
    return Read(row, field, start);
}

TFieldValue Read(const unsigned char* row, int field, TPosition& position)
{
    const unsigned char* p = row;
    int at = 0;
    if (position.Row == row && position.Field <= field) {
        p = position.At;
        at = position.Field;
    }
    for (; at < field; ++at)
        p = skipValue(p);
    TFieldValue value = readValue(p);
    position = TPosition{row, field + 1, p};
    return value;
}

} // namespace PackedRow
