// The string list: storage, line splitting and comma text.
#include "platform/core/StringList.h"

#include "platform/core/Exceptions.h"
#include "platform/core/RaiseEvent.h"

TStringList::TStringList() : m_updates([this] { releaseUpdate(); }) {}

TStringList::TStringList(std::initializer_list<QString> lines) : TStringList()
{
    m_lines = lines;
}

// Copies take the lines only: a handler belongs to the list it was given to.
TStringList::TStringList(const TStringList& other) : TStringList()
{
    m_lines = other.m_lines;
}

TStringList& TStringList::operator=(const TStringList& other)
{
    Assign(other);
    return *this;
}

void TStringList::checkIndex(int index, int count) const
{
    if (index < 0 || index >= count)
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
}

const QString& TStringList::operator[](int index) const
{
    checkIndex(index, Count());
    return m_lines[index];
}

void TStringList::Put(int index, const QString& line)
{
    checkIndex(index, Count());
    if (m_lines[index] == line)
        return;
    m_lines[index] = line;
    changed();
}

int TStringList::Add(const QString& line)
{
    m_lines.append(line);
    changed();
    return Count() - 1;
}

void TStringList::Insert(int index, const QString& line)
{
    checkIndex(index, Count() + 1);
    m_lines.insert(index, line);
    changed();
}

void TStringList::Delete(int index)
{
    checkIndex(index, Count());
    m_lines.removeAt(index);
    changed();
}

void TStringList::Clear()
{
    if (m_lines.isEmpty())
        return;
    m_lines.clear();
    changed();
}

void TStringList::Move(int from, int to)
{
    checkIndex(from, Count());
    checkIndex(to, Count());
    if (from == to)
        return;
    m_lines.move(from, to);
    changed();
}

void TStringList::Exchange(int a, int b)
{
    checkIndex(a, Count());
    checkIndex(b, Count());
    if (a == b)
        return;
    m_lines.swapItemsAt(a, b);
    changed();
}

void TStringList::AddStrings(const TStringList& other)
{
    if (other.IsEmpty())
        return;
    m_lines.append(other.m_lines);
    changed();
}

int TStringList::IndexOf(const QString& line) const
{
    for (int i = 0; i < Count(); ++i)
        if (m_lines[i].compare(line, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void TStringList::Assign(const TStringList& other)
{
    if (&other == this)
        return;
    m_lines = other.m_lines;
    changed();
}

QString TStringList::Text() const
{
    QString text;
    for (const QString& line : m_lines) {
        text += line;
        text += sLineBreak;
    }
    return text;
}

void TStringList::SetText(const QString& text)
{
    QStringList lines;
    QString current;
    bool pending = false; // characters seen since the last break
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            lines.append(current);
            current.clear();
            pending = false;
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else {
            current += c;
            pending = true;
        }
    }
    if (pending)
        lines.append(current);
    m_lines = lines;
    changed();
}

static bool needsQuotes(const QString& s)
{
    if (s.isEmpty())
        return true;
    for (QChar c : s)
        if (c.unicode() <= u' ' || c == u',' || c == u'"')
            return true;
    return false;
}

QString TStringList::CommaText() const
{
    QStringList parts;
    for (const QString& line : m_lines) {
        if (needsQuotes(line)) {
            QString q = line;
            q.replace(u'"', QStringLiteral("\"\""));
            parts.append(u'"' + q + u'"');
        } else {
            parts.append(line);
        }
    }
    return parts.join(u',');
}

void TStringList::SetCommaText(const QString& text)
{
    QStringList lines;
    int i = 0;
    const int n = int(text.size());
    auto skipBlanks = [&] {
        while (i < n && text[i].unicode() <= u' ')
            ++i;
    };
    skipBlanks();
    while (i < n) {
        QString item;
        if (text[i] == u'"') {
            ++i;
            while (i < n) {
                if (text[i] == u'"') {
                    if (i + 1 < n && text[i + 1] == u'"') {
                        item += u'"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += text[i++];
            }
            // Text glued to a closing quote belongs to the same item.
            while (i < n && text[i].unicode() > u' ' && text[i] != u',')
                item += text[i++];
        } else {
            while (i < n && text[i].unicode() > u' ' && text[i] != u',')
                item += text[i++];
        }
        lines.append(item);
        skipBlanks();
        if (i < n && text[i] == u',') {
            ++i;
            skipBlanks();
            // A trailing comma stands for one more, empty item.
            if (i == n)
                lines.append(QString());
        }
    }
    m_lines = lines;
    changed();
}

void TStringList::releaseUpdate()
{
    if (!m_changedWhileUpdating)
        return;
    m_changedWhileUpdating = false;
    Raise(OnChange, *this);
}

void TStringList::changed()
{
    if (m_updates.Updating()) {
        m_changedWhileUpdating = true;
        return;
    }
    Raise(OnChange, *this);
}
