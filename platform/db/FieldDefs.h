// The description of a table's columns: name, type and, for strings, the size in
// characters. A program fills TFieldDefs before TTable::CreateTable to make a new table
// file, or before opening to name the columns it cannot work without; an open table
// reports the columns its file really has here.
#pragma once

#include <QString>
#include <vector>

enum class TFieldType
{
    ftString,   // text of at most Size characters; longer values are cut when set
    ftMemo,     // text of any length
    ftInteger,  // 64-bit whole number, read and written as int
    ftAutoInc,  // whole number the file assigns on insert; read-only; at most one per table
    ftBoolean,  // stored as 0 or 1
    ftFloat,    // double
    ftDateTime, // TDateTime
    ftDate,     // TDateTime, the date part is what matters
    ftTime,     // TDateTime, the time of day is what matters
};

// "String", "Memo", "Integer", ... for messages.
QString FieldTypeName(TFieldType type);

struct TFieldDef
{
    QString Name;
    TFieldType DataType = TFieldType::ftString;
    int Size = 0;          // characters, ftString only (at least 1); 0 for every other type
    bool Required = false; // the column refuses null: a post with the field empty fails

    friend bool operator==(const TFieldDef&, const TFieldDef&) = default;
};

class TFieldDefs
{
public:
    TFieldDefs() = default;
    TFieldDefs(std::initializer_list<TFieldDef> defs); // Add for each, in order

    int Count() const { return int(m_defs.size()); }
    bool IsEmpty() const { return m_defs.empty(); }
    // An index outside 0..Count()-1 raises EListError.
    const TFieldDef& Items(int index) const;
    const TFieldDef& operator[](int index) const { return Items(index); }

    // Raises EDatabaseError, leaving the list as it was, for an empty name, a name already
    // present (names compare without regard to case, as the table file's do), a string
    // without a positive size, or a second auto-increment field.
    void Add(const QString& name, TFieldType type, int size = 0, bool required = false);
    void Add(const TFieldDef& def) { Add(def.Name, def.DataType, def.Size, def.Required); }
    void Clear() { m_defs.clear(); }

    // -1 or nullptr when there is no column of that name (case-insensitive).
    int IndexOf(const QString& name) const;
    const TFieldDef* Find(const QString& name) const;

    auto begin() const { return m_defs.begin(); }
    auto end() const { return m_defs.end(); }

    friend bool operator==(const TFieldDefs&, const TFieldDefs&) = default;

private:
    std::vector<TFieldDef> m_defs;
};
