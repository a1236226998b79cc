// TPictureContainer: named pictures that markup texts show with <IMG SRC="name">. Names
// are found ignoring letter case; the first item of a name wins.
#pragma once

#include "comp/PictureContainer/HTMLPicture.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

class TPictureCollection;

class TPictureItem
{
public:
    explicit TPictureItem(TPictureCollection* collection);

    THTMLPicture& Picture() { return m_picture; }
    const THTMLPicture& Picture() const { return m_picture; }
    // Copies the picture's bytes.
    void SetPicture(const THTMLPicture& picture);

    const QString& Name() const { return m_name; } // ""
    void SetName(const QString& name);
    int Tag() const { return m_tag; } // 0
    void SetTag(int tag) { m_tag = tag; }

    int Index() const;
    TPictureCollection* Collection() const { return m_collection; }

private:
    void changed();

    TPictureCollection* m_collection;
    THTMLPicture m_picture;
    QString m_name;
    int m_tag = 0;
};

class TPictureContainer;

class TPictureCollection
{
public:
    explicit TPictureCollection(TPictureContainer* owner) : m_owner(owner) {}
    TPictureCollection(const TPictureCollection&) = delete;
    TPictureCollection& operator=(const TPictureCollection&) = delete;

    TPictureContainer* Owner() const { return m_owner; }
    int Count() const { return int(m_items.size()); } // 0
    TPictureItem* Add();
    // nullptr for an index out of range.
    TPictureItem* Items(int index) const;
    void Delete(int index);
    void Clear();
    int IndexOf(const TPictureItem* item) const;

    // Called after an item was added, deleted or changed.
    std::function<void(TPictureCollection& sender)> OnChange;

private:
    friend class TPictureItem;
    void changed();

    TPictureContainer* m_owner;
    std::vector<std::unique_ptr<TPictureItem>> m_items;
};

class TPictureContainer
{
public:
    TPictureContainer();
    virtual ~TPictureContainer() = default;
    TPictureContainer(const TPictureContainer&) = delete;
    TPictureContainer& operator=(const TPictureContainer&) = delete;

    TPictureCollection& Items() { return m_items; }
    const TPictureCollection& Items() const { return m_items; }

    // The picture of the first item whose Name equals name ignoring letter case, or nullptr.
    virtual THTMLPicture* FindPicture(const QString& name);

private:
    TPictureCollection m_items;
};
