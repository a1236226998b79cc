// The value of one field of one record as the dataset keeps it in memory: null, a whole
// number (integers, auto-increment keys and Booleans as 0/1), a number with decimals
// (floats, and date-times as TDateTime days) or a text (strings and memos). Fields convert
// between these and the types callers ask for; the table file converts them to SQLite
// values and back.
//
// Texts read from the file stay in the UTF-8 the file has them in (TStoredText, pointing
// into the packed row the record list keeps, see PackedRow.h) until someone reads them: a
// table of 100,000 records then costs no allocation per text and a third of the memory.
// Every text that is set is a QString; Canonical turns either into a QString value for
// comparing and hashing.
#pragma once

#include <QString>
#include <cstdint>
#include <variant>

struct TStoredText
{
    const char* Data = nullptr;
    int Size = 0;
    bool Ascii = false; // every byte below 0x80: the same text read as Latin-1, and faster

    QString ToString() const
    {
        return Ascii ? QString::fromLatin1(Data, Size) : QString::fromUtf8(Data, Size);
    }
    friend bool operator==(const TStoredText& a, const TStoredText& b)
    {
        return a.Size == b.Size && std::equal(a.Data, a.Data + a.Size, b.Data);
    }
};

using TFieldValue = std::variant<std::monostate, std::int64_t, double, QString, TStoredText>;

inline bool IsNullValue(const TFieldValue& value)
{
    return std::holds_alternative<std::monostate>(value);
}

// The text of a text value ("" for null).
inline QString TextOf(const TFieldValue& value)
{
    if (const auto* stored = std::get_if<TStoredText>(&value))
        return stored->ToString();
    if (const auto* text = std::get_if<QString>(&value))
        return *text;
    return QString();
}

// The same value with a stored text made a QString, so that equal values compare equal.
inline TFieldValue Canonical(const TFieldValue& value)
{
    if (const auto* stored = std::get_if<TStoredText>(&value))
        return stored->ToString();
    return value;
}
