// TPictureItem, TPictureCollection and TPictureContainer.
#include "comp/PictureContainer/PictureContainer.h"

#include "platform/core/RaiseEvent.h"

TPictureItem::TPictureItem(TPictureCollection* collection) : m_collection(collection) {}

void TPictureItem::SetPicture(const THTMLPicture& picture)
{
    m_picture.Assign(picture);
    changed();
}

void TPictureItem::SetName(const QString& name)
{
    if (name == m_name)
        return;
    m_name = name;
    changed();
}

int TPictureItem::Index() const
{
    return m_collection ? m_collection->IndexOf(this) : -1;
}

void TPictureItem::changed()
{
    if (m_collection)
        m_collection->changed();
}

TPictureItem* TPictureCollection::Add()
{
    m_items.push_back(std::make_unique<TPictureItem>(this));
    changed();
    return m_items.back().get();
}

TPictureItem* TPictureCollection::Items(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return m_items[std::size_t(index)].get();
}

void TPictureCollection::Delete(int index)
{
    if (index < 0 || index >= Count())
        return;
    m_items.erase(m_items.begin() + index);
    changed();
}

void TPictureCollection::Clear()
{
    if (m_items.empty())
        return;
    m_items.clear();
    changed();
}

int TPictureCollection::IndexOf(const TPictureItem* item) const
{
    for (std::size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].get() == item)
            return int(i);
    return -1;
}

void TPictureCollection::changed()
{
    Raise(OnChange, *this);
}

TPictureContainer::TPictureContainer() : m_items(this) {}

THTMLPicture* TPictureContainer::FindPicture(const QString& name)
{
    for (int i = 0; i < m_items.Count(); ++i) {
        TPictureItem* item = m_items.Items(i);
        if (item->Name().compare(name, Qt::CaseInsensitive) == 0)
            return &item->Picture();
    }
    return nullptr;
}
