// Status and priority conversions and value texts.
#include "comp/TodoList/TodoText.h"

#include "platform/core/DateFormat.h"
#include "platform/core/NumberFormat.h"

namespace {

template <class Strings, class Value, int Count>
Value fromText(const Strings& strings, const QString& text, QString& lowered, const char* what,
               const char* kind)
{
    lowered = text.toLower();
    int found = -1;
    for (int i = 0; i < Count; ++i)
        if (strings.Text(Value(i)).toLower() == lowered)
            found = i;
    if (found < 0)
        throw EConversionFunctionException(
            QStringLiteral("%1 error. The parameter \"%2\" is not a valid %3 string.")
                .arg(QLatin1String(what), lowered, QLatin1String(kind)));
    return Value(found);
}

template <class Strings, class Value, int Count>
QString commaText(const Strings& strings)
{
    QString result;
    for (int i = 0; i < Count; ++i) {
        if (i > 0)
            result += QLatin1Char(',');
        result += QLatin1Char('"') + strings.Text(Value(i)) + QLatin1Char('"');
    }
    return result;
}

} // namespace

namespace {
template <class Texts>
const QString& textAt(const Texts& texts, int index)
{
    static const QString none;
    return index >= 0 && index < int(texts.size()) ? texts[std::size_t(index)] : none;
}
} // namespace

const QString& TStatusStrings::Text(TTodoStatus status) const
{
    return textAt(m_texts, int(status));
}

const QString& TPriorityStrings::Text(TTodoPriority priority) const
{
    return textAt(m_texts, int(priority));
}

TTodoStatus StatusFromText(const TStatusStrings& strings, const QString& text, QString& lowered)
{
    return fromText<TStatusStrings, TTodoStatus, TodoStatusCount>(strings, text, lowered,
                                                                  "TodoStatusFromString", "status");
}

TTodoPriority PriorityFromText(const TPriorityStrings& strings, const QString& text,
                               QString& lowered)
{
    return fromText<TPriorityStrings, TTodoPriority, TodoPriorityCount>(
        strings, text, lowered, "TodoPriorityFromString", "priority");
}

QString StatusCommaText(const TStatusStrings& strings)
{
    return commaText<TStatusStrings, TTodoStatus, TodoStatusCount>(strings);
}

QString PriorityCommaText(const TPriorityStrings& strings)
{
    return commaText<TPriorityStrings, TTodoPriority, TodoPriorityCount>(strings);
}

QString TodoDateText(TDateTime value, const QString& pattern, const QString& nullDate)
{
    if (value == 0 && !nullDate.isEmpty())
        return nullDate;
    return FormatDateTime(pattern, value);
}

QString TotalTimeText(double hours)
{
    return FloatToStr(hours) + QLatin1Char('h');
}

QString CompletionText(const TTodoItem& item)
{
    return item.Complete() ? QStringLiteral("100%")
                           : IntToStr(item.Completion()) + QLatin1Char('%');
}

QString NotesCellText(const TTodoItem& item)
{
    return item.Notes().IsEmpty() ? QString() : item.Notes()[0];
}
