// One field of an open dataset: the column's name, type and size, and typed access to its
// value in the current record (or, for a grid, at any row). Reading converts the stored
// value to the type asked for; writing converts, checks the dataset is in edit or insert
// state and that the field can be modified, changes the edit buffer and notifies
// RecordChanged(this).
//
// Conversions (a null value reads as "", 0, false or 0.0):
//   string, memo     every access; numbers, Booleans and date-times parse and format with
//                    the locale settings (FloatToStr, DateTimeToStr, "True"/"False").
//   integer, autoinc text, integer, float, Boolean (non-zero is true)
//   Boolean          text ("True"/"False"), integer (1/0), Boolean
//   float            text, integer (rounded), float, date-time
//   date-time, date, time   text (DateTimeToStr, DateToStr, TimeToStr), float, date-time
// Any other pairing raises EDatabaseError "Cannot access field 'X' as type Y". Text that
// does not parse raises EConvertError; setting "" to a non-text field makes it null.
//
// A value another tool stored with a type of its own (a text or a blob in a date-time or
// number column, a fraction in an integer column) is kept as it is: its text shows as it
// stands, and reading it as a number, date-time or Boolean raises EDatabaseError "Field 'X'
// holds 'abc', which cannot be read as DateTime" rather than making up a value. A post
// writes it back only when the field was set.
//
// Date-times read and set as text use the locale settings (DateTimeToStr); the text a user
// edits and a grid shows (EditText, DisplayText) is the form of DateTimeText.h, which
// always parses back.
//
// Date-times are kept at the resolution the table file stores them (Julian day numbers,
// about 40 microseconds): a value reads back after setting exactly as it will after
// posting and reopening, and any value of whole milliseconds decodes to the same
// milliseconds.
#pragma once

#include "platform/core/DateTime.h"
#include "platform/db/FieldDefs.h"
#include "platform/db/FieldValue.h"

#include <QString>
#include <QVariant>

class TDataSet;

class TField
{
public:
    TField(TDataSet* dataSet, int index, TFieldDef def);
    TField(const TField&) = delete;
    TField& operator=(const TField&) = delete;

    // --- Description --------------------------------------------------------------------
    TDataSet* DataSet() const { return m_dataSet; }
    int Index() const { return m_index; } // position among the dataset's fields
    const QString& FieldName() const { return m_def.Name; }
    TFieldType DataType() const { return m_def.DataType; }
    int Size() const { return m_def.Size; } // characters for strings, else 0
    bool Required() const { return m_def.Required; }
    const TFieldDef& Def() const { return m_def; }

    // false by default; auto-increment fields are always read-only.
    bool ReadOnly() const { return m_readOnly || m_def.DataType == TFieldType::ftAutoInc; }
    void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }
    // Whether the field can be written: not read-only, in a dataset that can be modified.
    bool CanModify() const;

    // --- Value of the current record -----------------------------------------------------
    bool IsNull() const;
    void Clear(); // makes the value null

    QString AsString() const;
    void SetAsString(const QString& text);
    int AsInteger() const;
    void SetAsInteger(int value);
    bool AsBoolean() const;
    void SetAsBoolean(bool value);
    TDateTime AsDateTime() const;
    void SetAsDateTime(TDateTime value);
    double AsFloat() const;
    void SetAsFloat(double value);
    // The text a user edits: AsString, except for date-times (see the file comment).
    QString EditText() const { return editTextOf(current()); }
    void SetEditText(const QString& text) { SetAsString(text); }
    // The text a grid shows; the same as EditText.
    QString DisplayText() const { return EditText(); }

    // As a QVariant: null, qlonglong, bool, double (date-times too) or QString. SetValue
    // takes the same and anything QVariant converts to them.
    QVariant Value() const;
    void SetValue(const QVariant& value);

    // --- Any row, without moving the cursor (for grids) -----------------------------------
    // recNo 1..RecordCount(); the row being edited shows the edit buffer. Outside the range
    // EListError.
    QString DisplayTextAt(int recNo) const;
    bool IsNullAt(int recNo) const;

private:
    friend class TDataSet;

    TFieldValue current() const;
    // The stored form of a value of this field's type given as text; EConvertError when
    // the text does not convert.
    TFieldValue parseText(const QString& text) const;
    // The stored form of value for Locate and SetValue; false when it does not convert.
    bool fromVariant(const QVariant& value, TFieldValue& result) const;
    QString textOf(const TFieldValue& value) const;
    QString editTextOf(const TFieldValue& value) const;
    [[noreturn]] void wrongType(const char* typeName) const;
    // Whether a non-null value is not of the kind this field's type keeps (see the file
    // comment), and the error for reading it as typeName.
    bool isForeign(const TFieldValue& value) const;
    [[noreturn]] void foreignValue(const TFieldValue& value, const char* typeName) const;
    static QString foreignText(const TFieldValue& value);
    // The number in value, 0 for null; a foreign value raises.
    std::int64_t wholeOf(const TFieldValue& value, const char* typeName) const;
    double realOf(const TFieldValue& value, const char* typeName) const;
    void store(TFieldValue value);

    TDataSet* m_dataSet;
    int m_index;
    TFieldDef m_def;
    bool m_readOnly = false;
};

// The Julian day number a TDateTime is stored as, and back.
inline constexpr double JulianDayOffset = 2415018.5;
// Rounds a TDateTime to the value the table file will give back for it.
TDateTime StoredDateTime(TDateTime value);
