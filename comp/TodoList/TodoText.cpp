// Status and priority conversions, value texts and the comparison of items.
#include "comp/TodoList/TodoText.h"

#include "platform/core/DateFormat.h"
#include "platform/core/NumberFormat.h"

#include <QCollator>
#include <QLocale>

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

template <class T>
int sign(T a, T b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
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

const QCollator& TodoCollator()
{
    // One collator for the program's locale; case-sensitive as the classic string compare.
    static const QCollator collator = [] {
        QCollator c{QLocale()};
        c.setCaseSensitivity(Qt::CaseSensitive);
        return c;
    }();
    return collator;
}

int CompareTodoStrings(const QString& a, const QString& b)
{
    const int r = TodoCollator().compare(a, b);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CompareTodoItems(const TTodoItem& a, const TTodoItem& b, TTodoData kind,
                     TSortDirection direction)
{
    int r = 0;
    switch (kind) {
    case TTodoData::tdSubject:
        r = CompareTodoStrings(a.Subject(), b.Subject());
        break;
    case TTodoData::tdCompletion:
        r = sign(a.Completion(), b.Completion());
        break;
    case TTodoData::tdNotes:
        r = CompareTodoStrings(a.Notes().Text(), b.Notes().Text());
        break;
    case TTodoData::tdPriority:
        r = sign(int(a.Priority()), int(b.Priority()));
        break;
    case TTodoData::tdDueDate:
        r = sign(a.DueDate(), b.DueDate());
        break;
    case TTodoData::tdImage:
        r = sign(a.ImageIndex(), b.ImageIndex());
        break;
    case TTodoData::tdComplete:
        r = sign(int(a.Complete()), int(b.Complete()));
        break;
    case TTodoData::tdCompletionDate:
        r = sign(a.CompletionDate(), b.CompletionDate());
        break;
    case TTodoData::tdCreationDate:
        r = sign(a.CreationDate(), b.CreationDate());
        break;
    case TTodoData::tdResource:
        r = CompareTodoStrings(a.Resource(), b.Resource());
        break;
    case TTodoData::tdProject:
        r = CompareTodoStrings(a.Project(), b.Project());
        break;
    case TTodoData::tdStatus:
    case TTodoData::tdTotalTime:
    case TTodoData::tdHandle:
    case TTodoData::tdCategory:
        r = 0;
        break;
    }
    return direction == TSortDirection::sdDescending ? -r : r;
}
