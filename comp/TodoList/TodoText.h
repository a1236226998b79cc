// The texts of the to-do list's values: the status and priority string sets and their
// conversions in both directions, the quoted comma texts the drop-down lists are filled
// from, and the date, total time, completion and notes texts.
#pragma once

#include "comp/TodoList/TodoItem.h"
#include "comp/TodoList/TodoTypes.h"
#include "platform/core/DateTime.h"

#include <QString>
#include <array>

// The display texts of the four statuses; they only store (a change repaints nothing).
class TStatusStrings
{
public:
    const QString& Deferred() const { return m_texts[3]; }   // "Deferred"
    const QString& NotStarted() const { return m_texts[0]; } // "Not started"
    const QString& Completed() const { return m_texts[1]; }  // "Completed"
    const QString& InProgress() const { return m_texts[2]; } // "In progress"
    void SetDeferred(const QString& text) { m_texts[3] = text; }
    void SetNotStarted(const QString& text) { m_texts[0] = text; }
    void SetCompleted(const QString& text) { m_texts[1] = text; }
    void SetInProgress(const QString& text) { m_texts[2] = text; }
    // Empty for a value outside the four (one read from a damaged record, say).
    const QString& Text(TTodoStatus status) const;

private:
    std::array<QString, TodoStatusCount> m_texts = {
        QStringLiteral("Not started"), QStringLiteral("Completed"), QStringLiteral("In progress"),
        QStringLiteral("Deferred")};
};

class TPriorityStrings
{
public:
    const QString& Lowest() const { return m_texts[0]; }  // "Lowest"
    const QString& Low() const { return m_texts[1]; }     // "Low"
    const QString& Normal() const { return m_texts[2]; }  // "Normal"
    const QString& High() const { return m_texts[3]; }    // "High"
    const QString& Highest() const { return m_texts[4]; } // "Highest"
    void SetLowest(const QString& text) { m_texts[0] = text; }
    void SetLow(const QString& text) { m_texts[1] = text; }
    void SetNormal(const QString& text) { m_texts[2] = text; }
    void SetHigh(const QString& text) { m_texts[3] = text; }
    void SetHighest(const QString& text) { m_texts[4] = text; }
    // Empty for a value outside the five.
    const QString& Text(TTodoPriority priority) const;

private:
    std::array<QString, TodoPriorityCount> m_texts = {
        QStringLiteral("Lowest"), QStringLiteral("Low"), QStringLiteral("Normal"),
        QStringLiteral("High"), QStringLiteral("Highest")};
};

// The status (priority) whose text equals text ignoring case; the last matching entry
// wins. An unknown text raises EConversionFunctionException naming the lower-cased text.
// lowered receives the lower-cased text the event is then given.
TTodoStatus StatusFromText(const TStatusStrings& strings, const QString& text, QString& lowered);
TTodoPriority PriorityFromText(const TPriorityStrings& strings, const QString& text,
                               QString& lowered);
// Each text in double quotes, joined by commas; nothing is escaped.
QString StatusCommaText(const TStatusStrings& strings);
QString PriorityCommaText(const TPriorityStrings& strings);

// A date by the pattern, or nullDate for exactly 0 when nullDate is not empty.
QString TodoDateText(TDateTime value, const QString& pattern, const QString& nullDate);
// The shortest general text of the hours followed by "h": 2.5 gives "2.5h".
QString TotalTimeText(double hours);
// "100%" for a complete item, else the completion followed by "%".
QString CompletionText(const TTodoItem& item);
// The first line of the notes, or empty.
QString NotesCellText(const TTodoItem& item);
