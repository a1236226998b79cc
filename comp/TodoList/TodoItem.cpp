// Item setters, copying and the item collection.
#include "comp/TodoList/TodoItem.h"

#include "platform/core/NumberFormat.h"

#include <algorithm>
#include <utility>

TTodoItem::TTodoItem(TTodoItemCollection& collection)
    : m_collection(&collection), m_notes(std::make_unique<TStringList>())
{
    bindNotes();
}

TTodoItem::~TTodoItem() = default;

void TTodoItem::bindNotes()
{
    m_notes->OnChange = [this](TStringList&) { m_collection->notesChanged(); };
}

void TTodoItem::changed()
{
    m_collection->itemChanged(*this);
}

namespace {
template <class T>
bool store(T& field, const T& value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}
} // namespace

void TTodoItem::SetImageIndex(int index)
{
    if (store(m_imageIndex, index))
        changed();
}

void TTodoItem::SetNotes(const TStringList& notes)
{
    if (&notes != m_notes.get()) {
        // The copy reports through the list's own notification, which resynchronises rows.
        m_notes->Assign(notes);
    }
    changed();
}

void TTodoItem::SetTag(int tag)
{
    if (store(m_tag, tag))
        changed();
}

void TTodoItem::SetTotalTime(double hours)
{
    if (store(m_totalTime, hours))
        changed();
}

void TTodoItem::SetSubject(const QString& subject)
{
    if (store(m_subject, subject))
        changed();
}

void TTodoItem::SetCompletion(TCompletion completion)
{
    if (completion > 100)
        throw Exception(QStringLiteral("Completion cannot be larger than 100"));
    if (completion < 0)
        throw Exception(QStringLiteral("Completion cannot be smaller than 0"));
    if (store(m_completion, completion))
        changed();
}

void TTodoItem::LoadCompletion(int completion)
{
    SetCompletion(std::clamp(completion, 0, 100));
}

void TTodoItem::SetDueDate(TDateTime date)
{
    if (store(m_dueDate, date))
        changed();
}

void TTodoItem::SetPriority(TTodoPriority priority)
{
    if (store(m_priority, priority))
        changed();
}

void TTodoItem::SetStatus(TTodoStatus status)
{
    if (store(m_status, status))
        changed();
}

void TTodoItem::SetComplete(bool complete)
{
    if (store(m_complete, complete))
        changed();
}

void TTodoItem::SetCreationDate(TDateTime date)
{
    if (store(m_creationDate, date))
        changed();
}

void TTodoItem::SetCompletionDate(TDateTime date)
{
    if (store(m_completionDate, date))
        changed();
}

void TTodoItem::SetResource(const QString& resource)
{
    if (store(m_resource, resource))
        changed();
}

void TTodoItem::SetProject(const QString& project)
{
    if (store(m_project, project))
        changed();
}

void TTodoItem::SetCategory(const QString& category)
{
    if (store(m_category, category))
        changed();
}

void TTodoItem::Assign(const TTodoItem& source)
{
    if (&source == this)
        return;
    SetImageIndex(source.m_imageIndex);
    SetNotes(*source.m_notes);
    SetSubject(source.m_subject);
    SetCategory(source.m_category);
    SetComplete(source.m_complete);
    SetCompletion(source.m_completion);
    SetCompletionDate(source.m_completionDate);
    SetCreationDate(source.m_creationDate);
    SetDueDate(source.m_dueDate);
    SetPriority(source.m_priority);
    SetProject(source.m_project);
    SetResource(source.m_resource);
    SetStatus(source.m_status);
    SetTag(source.m_tag);
    SetTotalTime(source.m_totalTime);
}

QString TTodoItem::DisplayName() const
{
    return m_subject.isEmpty() ? QStringLiteral("Item") + IntToStr(m_index) : m_subject;
}

void TTodoItem::exchangeContent(TTodoItem& other)
{
    using std::swap;
    swap(m_imageIndex, other.m_imageIndex);
    swap(m_notes, other.m_notes);
    bindNotes();
    other.bindNotes();
    swap(m_tag, other.m_tag);
    swap(m_totalTime, other.m_totalTime);
    swap(m_subject, other.m_subject);
    swap(m_completion, other.m_completion);
    swap(m_dueDate, other.m_dueDate);
    swap(m_priority, other.m_priority);
    swap(m_status, other.m_status);
    swap(m_complete, other.m_complete);
    swap(m_creationDate, other.m_creationDate);
    swap(m_completionDate, other.m_completionDate);
    swap(m_resource, other.m_resource);
    swap(m_project, other.m_project);
    swap(m_category, other.m_category);
    swap(m_dbKey, other.m_dbKey);
}

// ---- collection --------------------------------------------------------------------------

TTodoItemCollection::TTodoItemCollection(TTodoItemsOwner* owner) : m_owner(owner) {}

TTodoItemCollection::~TTodoItemCollection()
{
    // The owner is going away with us; it must not hear of the items leaving.
    m_owner = nullptr;
    m_items.clear();
}

TTodoItem& TTodoItemCollection::Add()
{
    auto item = std::make_unique<TTodoItem>(*this);
    item->m_index = Count();
    TTodoItem& added = *item;
    m_items.push_back(std::move(item));
    if (m_owner)
        m_owner->TodoItemsChanged();
    return added;
}

TTodoItem& TTodoItemCollection::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return *m_items[std::size_t(index)];
}

void TTodoItemCollection::Clear()
{
    if (m_items.empty())
        return;
    m_items.clear();
    if (m_owner)
        m_owner->TodoItemsChanged();
}

void TTodoItemCollection::Delete(int index)
{
    if (index < 0 || index >= Count())
        return;
    m_items.erase(m_items.begin() + index);
    renumber(index);
    if (m_owner)
        m_owner->TodoItemsChanged();
}

void TTodoItemCollection::renumber(int from)
{
    for (int i = from; i < Count(); ++i)
        m_items[std::size_t(i)]->m_index = i;
}

void TTodoItemCollection::ExchangeContents(int a, int b)
{
    if (a == b)
        return;
    Items(a).exchangeContent(Items(b));
}

void TTodoItemCollection::Permute(const std::vector<int>& order)
{
    const int n = Count();
    if (int(order.size()) != n)
        throw EListError(QStringLiteral("Permutation does not match the item count"));
    std::vector<bool> done(std::size_t(n), false);
    for (int k : order) {
        if (k < 0 || k >= n || done[std::size_t(k)])
            throw EListError(QStringLiteral("Not a permutation"));
        done[std::size_t(k)] = true;
    }
    std::fill(done.begin(), done.end(), false);
    for (int start = 0; start < n; ++start) {
        if (done[std::size_t(start)])
            continue;
        // Walk the cycle: each exchange puts the wanted content at j and carries the
        // content that started the cycle on to the next position.
        int j = start;
        done[std::size_t(j)] = true;
        while (order[std::size_t(j)] != start) {
            const int k = order[std::size_t(j)];
            m_items[std::size_t(j)]->exchangeContent(*m_items[std::size_t(k)]);
            done[std::size_t(k)] = true;
            j = k;
        }
    }
}

void TTodoItemCollection::itemChanged(const TTodoItem& item)
{
    if (m_owner)
        m_owner->TodoItemChanged(item.m_index);
}

void TTodoItemCollection::notesChanged()
{
    if (m_owner)
        m_owner->TodoItemsChanged();
}
