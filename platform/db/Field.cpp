// Typed access to field values: the conversions between the stored forms and what callers
// read and write.
#include "platform/db/Field.h"

#include "platform/core/DateFormat.h"
#include "platform/core/Exceptions.h"
#include "platform/core/NumberFormat.h"
#include "platform/db/DataSet.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/DateTimeText.h"

#include <cmath>

namespace {

bool isText(TFieldType type)
{
    return type == TFieldType::ftString || type == TFieldType::ftMemo;
}

bool isWhole(TFieldType type)
{
    return type == TFieldType::ftInteger || type == TFieldType::ftAutoInc;
}

bool isDateTime(TFieldType type)
{
    return type == TFieldType::ftDateTime || type == TFieldType::ftDate ||
           type == TFieldType::ftTime;
}

QString booleanText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

bool parseBoolean(const QString& text, bool& result)
{
    const QString t = text.trimmed();
    for (const char* yes : {"true", "yes", "1"})
        if (t.compare(QLatin1String(yes), Qt::CaseInsensitive) == 0)
            return result = true, true;
    for (const char* no : {"false", "no", "0"})
        if (t.compare(QLatin1String(no), Qt::CaseInsensitive) == 0)
            return result = false, true;
    return false;
}

QString textOf(const TFieldValue& value)
{
    return TextOf(value);
}

} // namespace

TDateTime StoredDateTime(TDateTime value)
{
    // The file keeps value + JulianDayOffset; subtracting again is exact, so this is what
    // a reopened table reads.
    return (value + JulianDayOffset) - JulianDayOffset;
}

TField::TField(TDataSet* dataSet, int index, TFieldDef def)
    : m_dataSet(dataSet), m_index(index), m_def(std::move(def))
{}

bool TField::CanModify() const
{
    return !ReadOnly() && m_dataSet->CanModify();
}

TFieldValue TField::current() const
{
    return m_dataSet->currentValue(m_index);
}

void TField::wrongType(const char* typeName) const
{
    throw EDatabaseError(QStringLiteral("Cannot access field '%1' as type %2")
                             .arg(m_def.Name, QLatin1String(typeName)));
}

bool TField::isForeign(const TFieldValue& value) const
{
    if (IsNullValue(value) || isText(m_def.DataType))
        return false;
    if (isWhole(m_def.DataType) || m_def.DataType == TFieldType::ftBoolean)
        return !std::holds_alternative<std::int64_t>(value);
    return !std::holds_alternative<double>(value);
}

void TField::foreignValue(const TFieldValue& value, const char* typeName) const
{
    throw EDatabaseError(QStringLiteral("Field '%1' holds '%2', which cannot be read as %3")
                             .arg(m_def.Name, foreignText(value), QLatin1String(typeName)));
}

QString TField::foreignText(const TFieldValue& value)
{
    if (const auto* real = std::get_if<double>(&value))
        return FloatToStr(*real);
    return TextOf(value);
}

std::int64_t TField::wholeOf(const TFieldValue& value, const char* typeName) const
{
    if (isForeign(value))
        foreignValue(value, typeName);
    return IsNullValue(value) ? 0 : std::get<std::int64_t>(value);
}

double TField::realOf(const TFieldValue& value, const char* typeName) const
{
    if (isForeign(value))
        foreignValue(value, typeName);
    return IsNullValue(value) ? 0.0 : std::get<double>(value);
}

void TField::store(TFieldValue value)
{
    if (std::holds_alternative<double>(value)) {
        double d = std::get<double>(value);
        // The file cannot tell NaN from null, so neither does the field.
        if (std::isnan(d)) {
            value = TFieldValue();
        } else if (isDateTime(m_def.DataType)) {
            if (m_def.DataType == TFieldType::ftDate)
                d = DateOf(d);
            else if (m_def.DataType == TFieldType::ftTime)
                d = TimeOf(d);
            value = StoredDateTime(d);
        }
    } else if (m_def.DataType == TFieldType::ftString && std::holds_alternative<QString>(value)) {
        QString& text = std::get<QString>(value);
        if (text.size() > m_def.Size) {
            // Never cut a surrogate pair in half: the file would not give it back.
            qsizetype keep = m_def.Size;
            if (keep > 0 && text.at(keep - 1).isHighSurrogate())
                --keep;
            text.truncate(keep);
        }
    }
    m_dataSet->setFieldValue(this, std::move(value));
}

QString TField::editTextOf(const TFieldValue& value) const
{
    if (!isDateTime(m_def.DataType) || IsNullValue(value) || isForeign(value))
        return textOf(value);
    const double d = std::get<double>(value);
    try {
        return DateTimeEditText(d, m_def.DataType);
    } catch (const EConvertError&) {
        // Outside the calendar (written by another tool): show the number itself.
        return FloatToStr(d);
    }
}

QString TField::textOf(const TFieldValue& value) const
{
    if (IsNullValue(value))
        return QString();
    // What another tool stored in place of this field's type is shown as it is.
    if (isForeign(value))
        return foreignText(value);
    switch (m_def.DataType) {
    case TFieldType::ftString:
    case TFieldType::ftMemo:
        return TextOf(value);
    case TFieldType::ftInteger:
    case TFieldType::ftAutoInc:
        return IntToStr(std::get<std::int64_t>(value));
    case TFieldType::ftBoolean:
        return booleanText(std::get<std::int64_t>(value) != 0);
    case TFieldType::ftFloat:
        return FloatToStr(std::get<double>(value));
    case TFieldType::ftDateTime:
    case TFieldType::ftDate:
    case TFieldType::ftTime: {
        const double d = std::get<double>(value);
        try {
            if (m_def.DataType == TFieldType::ftDate)
                return DateToStr(d);
            if (m_def.DataType == TFieldType::ftTime)
                return TimeToStr(d);
            return DateTimeToStr(d);
        } catch (const EConvertError&) {
            // Outside the calendar (written by another tool): show the number itself.
            return FloatToStr(d);
        }
    }
    }
    return QString();
}

TFieldValue TField::parseText(const QString& text) const
{
    if (isText(m_def.DataType))
        return text;
    if (text.trimmed().isEmpty())
        return TFieldValue();
    switch (m_def.DataType) {
    case TFieldType::ftInteger:
    case TFieldType::ftAutoInc:
        return StrToInt64(text.trimmed());
    case TFieldType::ftBoolean: {
        bool b = false;
        if (!parseBoolean(text, b))
            throw EConvertError(QStringLiteral("'%1' is not a valid Boolean value").arg(text));
        return std::int64_t(b ? 1 : 0);
    }
    case TFieldType::ftFloat:
        return StrToFloat(text.trimmed());
    case TFieldType::ftDate:
    case TFieldType::ftTime:
    case TFieldType::ftDateTime:
        return ParseDateTimeEditText(text, m_def.DataType);
    default:
        return TFieldValue();
    }
}

bool TField::IsNull() const
{
    return IsNullValue(current());
}

void TField::Clear()
{
    store(TFieldValue());
}

QString TField::AsString() const
{
    return textOf(current());
}

void TField::SetAsString(const QString& text)
{
    store(parseText(text));
}

int TField::AsInteger() const
{
    const TFieldValue& value = current();
    if (isText(m_def.DataType)) {
        const QString text = ::textOf(value);
        return text.trimmed().isEmpty() ? 0 : StrToInt(text.trimmed());
    }
    if (isWhole(m_def.DataType) || m_def.DataType == TFieldType::ftBoolean)
        return int(wholeOf(value, "Integer"));
    if (m_def.DataType == TFieldType::ftFloat)
        return int(std::llround(realOf(value, "Integer")));
    wrongType("Integer");
}

void TField::SetAsInteger(int value)
{
    if (isText(m_def.DataType))
        store(IntToStr(value));
    else if (isWhole(m_def.DataType))
        store(std::int64_t(value));
    else if (m_def.DataType == TFieldType::ftBoolean)
        store(std::int64_t(value != 0 ? 1 : 0));
    else if (m_def.DataType == TFieldType::ftFloat)
        store(double(value));
    else
        wrongType("Integer");
}

bool TField::AsBoolean() const
{
    const TFieldValue& value = current();
    if (isText(m_def.DataType)) {
        const QString text = ::textOf(value);
        if (text.trimmed().isEmpty())
            return false;
        bool b = false;
        if (!parseBoolean(text, b))
            throw EConvertError(QStringLiteral("'%1' is not a valid Boolean value").arg(text));
        return b;
    }
    if (isWhole(m_def.DataType) || m_def.DataType == TFieldType::ftBoolean)
        return wholeOf(value, "Boolean") != 0;
    wrongType("Boolean");
}

void TField::SetAsBoolean(bool value)
{
    if (isText(m_def.DataType))
        store(booleanText(value));
    else if (isWhole(m_def.DataType) || m_def.DataType == TFieldType::ftBoolean)
        store(std::int64_t(value ? 1 : 0));
    else
        wrongType("Boolean");
}

TDateTime TField::AsDateTime() const
{
    const TFieldValue& value = current();
    if (isText(m_def.DataType)) {
        const QString text = ::textOf(value);
        return text.trimmed().isEmpty() ? 0.0 : StrToDateTime(text);
    }
    if (isDateTime(m_def.DataType) || m_def.DataType == TFieldType::ftFloat)
        return realOf(value, "DateTime");
    wrongType("DateTime");
}

void TField::SetAsDateTime(TDateTime value)
{
    if (isText(m_def.DataType))
        store(DateTimeToStr(value));
    else if (isDateTime(m_def.DataType) || m_def.DataType == TFieldType::ftFloat)
        store(value);
    else
        wrongType("DateTime");
}

double TField::AsFloat() const
{
    const TFieldValue& value = current();
    if (isText(m_def.DataType)) {
        const QString text = ::textOf(value);
        return text.trimmed().isEmpty() ? 0.0 : StrToFloat(text.trimmed());
    }
    if (isWhole(m_def.DataType))
        return double(wholeOf(value, "Float"));
    if (isDateTime(m_def.DataType) || m_def.DataType == TFieldType::ftFloat)
        return realOf(value, "Float");
    wrongType("Float");
}

void TField::SetAsFloat(double value)
{
    if (isText(m_def.DataType))
        store(FloatToStr(value));
    else if (isWhole(m_def.DataType))
        store(std::int64_t(std::llround(value)));
    else if (isDateTime(m_def.DataType) || m_def.DataType == TFieldType::ftFloat)
        store(value);
    else
        wrongType("Float");
}

QVariant TField::Value() const
{
    const TFieldValue& value = current();
    if (IsNullValue(value))
        return QVariant();
    if (m_def.DataType == TFieldType::ftBoolean && !isForeign(value))
        return QVariant(std::get<std::int64_t>(value) != 0);
    if (const auto* whole = std::get_if<std::int64_t>(&value))
        return QVariant(qlonglong(*whole));
    if (const auto* real = std::get_if<double>(&value))
        return QVariant(*real);
    return QVariant(TextOf(value));
}

void TField::SetValue(const QVariant& value)
{
    TFieldValue stored;
    if (!fromVariant(value, stored))
        throw EDatabaseError(QStringLiteral("Cannot access field '%1' as type %2")
                                 .arg(m_def.Name, QLatin1String(value.typeName())));
    store(std::move(stored));
}

bool TField::fromVariant(const QVariant& value, TFieldValue& result) const
{
    if (!value.isValid() || value.isNull()) {
        result = TFieldValue();
        return true;
    }
    const int type = value.typeId();
    if (type == QMetaType::QString && !isText(m_def.DataType)) {
        try {
            result = parseText(value.toString());
        } catch (const EConvertError&) {
            return false;
        }
    } else if (isText(m_def.DataType)) {
        if (type == QMetaType::Bool)
            result = booleanText(value.toBool());
        else if (type == QMetaType::Double || type == QMetaType::Float)
            result = FloatToStr(value.toDouble());
        else
            result = value.toString();
    } else if (isWhole(m_def.DataType) || m_def.DataType == TFieldType::ftBoolean) {
        bool ok = false;
        if (type == QMetaType::Double || type == QMetaType::Float) {
            const double d = value.toDouble();
            if (d != std::floor(d))
                return false;
        }
        const qlonglong whole = value.toLongLong(&ok);
        if (!ok)
            return false;
        result = m_def.DataType == TFieldType::ftBoolean ? std::int64_t(whole != 0 ? 1 : 0)
                                                         : std::int64_t(whole);
    } else {
        bool ok = false;
        const double d = value.toDouble(&ok);
        if (!ok)
            return false;
        result = d;
    }
    // The same rounding as a stored value gets, so that a located value meets its record.
    if (auto* real = std::get_if<double>(&result); real && isDateTime(m_def.DataType)) {
        if (m_def.DataType == TFieldType::ftDate)
            *real = DateOf(*real);
        else if (m_def.DataType == TFieldType::ftTime)
            *real = TimeOf(*real);
        *real = StoredDateTime(*real);
    }
    return true;
}

QString TField::DisplayTextAt(int recNo) const
{
    if (recNo < 1 || recNo > m_dataSet->RecordCount())
        throw EListError(QStringLiteral("Row out of bounds (%1)").arg(recNo));
    return editTextOf(m_dataSet->valueAt(recNo - 1, m_index));
}

bool TField::IsNullAt(int recNo) const
{
    if (recNo < 1 || recNo > m_dataSet->RecordCount())
        throw EListError(QStringLiteral("Row out of bounds (%1)").arg(recNo));
    return IsNullValue(m_dataSet->valueAt(recNo - 1, m_index));
}
