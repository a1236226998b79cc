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

bool isAscii(const char* text, int size)
{
    std::uint64_t high = 0;
    int i = 0;
    for (; i + 8 <= size; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text + i, 8);
        high |= word;
    }
    for (; i < size; ++i)
        high |= static_cast<unsigned char>(text[i]);
    return (high & 0x8080808080808080ull) == 0;
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
        case TLoadedValue::TKind::Text:
            *out++ = isAscii(value.Text, value.Size) ? TagAscii : TagText;
            out = writeVarint(out, std::uint32_t(value.Size));
            if (value.Size > 0)
                std::memcpy(out, value.Text, std::size_t(value.Size));
            out += value.Size;
            break;
        }
    }
}

TFieldValue Read(const unsigned char* row, int field)
{
    for (int i = 0; i < field; ++i)
        row = skipValue(row);
    switch (*row++) {
    case TagWhole: {
        std::int64_t whole;
        std::memcpy(&whole, row, 8);
        return whole;
    }
    case TagReal: {
        double real;
        std::memcpy(&real, row, 8);
        return real;
    }
    case TagText:
    case TagAscii: {
        const bool ascii = row[-1] == TagAscii;
        std::uint32_t size = 0;
        row = readVarint(row, size);
        return TStoredText{reinterpret_cast<const char*>(row), int(size), ascii};
    }
    default:
        return TFieldValue();
    }
}

} // namespace PackedRow
