// An ordered list of text lines with a change notification, the container behind every
// multi-line setting (item notes, captions, day names, drop-down choices).
//
// Text joins the lines with a line break after each one (CR LF, so that the renderer,
// which turns CR into a break and drops LF, reads stored notes right) and splits at CR LF,
// a lone CR or a lone LF. CommaText quotes the lines that need it.
#pragma once

#include "platform/core/UpdateScope.h"

#include <QString>
#include <QStringList>
#include <functional>

inline const QString sLineBreak = QStringLiteral("\r\n");

class TStringList
{
public:
    TStringList();
    TStringList(std::initializer_list<QString> lines);
    TStringList(const TStringList& other);
    TStringList& operator=(const TStringList& other);

    int Count() const { return int(m_lines.size()); }
    bool IsEmpty() const { return m_lines.isEmpty(); }
    // An index outside 0..Count()-1 raises EListError.
    const QString& operator[](int index) const;
    const QString& Strings(int index) const { return (*this)[index]; }
    void Put(int index, const QString& line);

    int Add(const QString& line);
    void Insert(int index, const QString& line);
    void Delete(int index);
    void Clear();
    void Move(int from, int to);
    void Exchange(int a, int b);
    void AddStrings(const TStringList& other);
    int IndexOf(const QString& line) const; // case-insensitive, -1 when absent
    bool Contains(const QString& line) const { return IndexOf(line) >= 0; }

    // Copies the lines of another list; notifies once.
    void Assign(const TStringList& other);

    QString Text() const;
    void SetText(const QString& text);

    // Each line, quoted with doubled inner quotes when it is empty or holds a comma, a quote
    // or a character up to the space; joined with commas. Reading it back splits at commas
    // and at unquoted spaces.
    QString CommaText() const;
    void SetCommaText(const QString& text);

    const QStringList& Lines() const { return m_lines; }

    // Batches changes: OnChange is called once, by the last EndUpdate, when anything changed.
    void BeginUpdate() { m_updates.Begin(); }
    void EndUpdate() { m_updates.End(); }

    friend bool operator==(const TStringList& a, const TStringList& b)
    {
        return a.m_lines == b.m_lines;
    }

    std::function<void(TStringList& sender)> OnChange;

private:
    void checkIndex(int index, int count) const;
    void changed();
    void releaseUpdate();

    QStringList m_lines;
    TUpdateCounter m_updates;
    bool m_changedWhileUpdating = false;
};
