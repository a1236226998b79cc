// Column properties and the column collection.
#include "comp/TodoList/TodoColumn.h"

#include "platform/core/NumberFormat.h"

#include <algorithm>

TTodoColumnItem::TTodoColumnItem(TTodoColumnCollection& collection) : m_collection(&collection)
{
    if (collection.m_owner)
        m_font.Assign(collection.m_owner->TodoColumnFont());
    m_font.OnChange = [this](TFont&) { changed(false); };
}

int TTodoColumnItem::Index() const
{
    return m_collection->IndexOf(*this);
}

void TTodoColumnItem::changed(bool sizes)
{
    m_collection->changed(sizes);
}

// Column setters report without comparing: the header and the rows are cheap to refresh.
void TTodoColumnItem::SetWidth(int width)
{
    m_width = std::max(width, 0);
    changed(true);
}

void TTodoColumnItem::SetAlignment(TAlignment alignment)
{
    m_alignment = alignment;
    changed(false);
}

void TTodoColumnItem::SetColor(TColor color)
{
    m_color = color;
    changed(false);
}

void TTodoColumnItem::SetTodoData(TTodoData data)
{
    m_todoData = data;
    // A handle is a grip for dragging rows, never a value.
    if (data == TTodoData::tdHandle)
        m_editable = false;
    changed(false);
}

void TTodoColumnItem::SetCaption(const QString& caption)
{
    m_caption = caption;
    changed(false);
}

void TTodoColumnItem::SetImageIndex(int index)
{
    m_imageIndex = index;
    changed(false);
}

void TTodoColumnItem::Assign(const TTodoColumnItem& source)
{
    if (&source == this)
        return;
    m_width = source.m_width;
    m_alignment = source.m_alignment;
    m_font.Assign(source.m_font);
    m_color = source.m_color;
    m_todoData = source.m_todoData;
    m_caption = source.m_caption;
    m_editable = source.m_editable;
    m_tag = source.m_tag;
    m_imageIndex = source.m_imageIndex;
    changed(true);
}

QString TodoDataDisplayName(TTodoData data)
{
    static const char* const names[TodoDataCount] = {
        " (Subject)",       " (Completion)", " (Notes)",    " (Priority)",   " (Due Date)",
        " (Status)",        " (Image)",      " (Complete)", " (Total time)", " (Completion date)",
        " (Creation date)", " (Resource)",   " (Handle)",   " (Project)",    " (Category)"};
    const int i = int(data);
    return i >= 0 && i < TodoDataCount ? QString::fromLatin1(names[i]) : QString();
}

QString TTodoColumnItem::DisplayName() const
{
    const QString name =
        m_caption.isEmpty() ? QStringLiteral("Column ") + IntToStr(Index()) : m_caption;
    return name + TodoDataDisplayName(m_todoData);
}

// ---- collection --------------------------------------------------------------------------

TTodoColumnCollection::TTodoColumnCollection(TTodoColumnsOwner* owner) : m_owner(owner) {}

TTodoColumnCollection::~TTodoColumnCollection()
{
    m_owner = nullptr;
    m_columns.clear();
}

TTodoColumnItem& TTodoColumnCollection::Add()
{
    m_columns.push_back(std::make_unique<TTodoColumnItem>(*this));
    changed(true);
    return *m_columns.back();
}

TTodoColumnItem& TTodoColumnCollection::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return *m_columns[std::size_t(index)];
}

int TTodoColumnCollection::IndexOf(const TTodoColumnItem& column) const
{
    for (int i = 0; i < Count(); ++i)
        if (m_columns[std::size_t(i)].get() == &column)
            return i;
    return -1;
}

void TTodoColumnCollection::Delete(int index)
{
    if (index < 0 || index >= Count())
        return;
    m_columns.erase(m_columns.begin() + index);
    changed(true);
}

void TTodoColumnCollection::Clear()
{
    if (m_columns.empty())
        return;
    m_columns.clear();
    changed(true);
}

void TTodoColumnCollection::Move(int from, int to)
{
    if (from < 0 || from >= Count() || to < 0 || to >= Count() || from == to)
        return;
    auto column = std::move(m_columns[std::size_t(from)]);
    m_columns.erase(m_columns.begin() + from);
    m_columns.insert(m_columns.begin() + to, std::move(column));
    changed(true);
}

int TTodoColumnCollection::TotalWidth() const
{
    int sum = 0;
    for (const auto& c : m_columns)
        sum += c->Width();
    return sum;
}

void TTodoColumnCollection::changed(bool sizes)
{
    if (m_owner)
        m_owner->TodoColumnsChanged(sizes);
}
