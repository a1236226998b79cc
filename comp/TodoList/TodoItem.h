// The to-do item and the collection that holds the list's items. An item is plain data with
// change reporting: every setter stores only a differing value and then asks the owner (the
// inner list) to repaint the item's row; a change of the notes' text resynchronises the rows
// instead. Items are owned by their collection and know their index.
#pragma once

#include "comp/TodoList/TodoTypes.h"
#include "platform/core/DateTime.h"
#include "platform/core/StringList.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

class TTodoItemCollection;

// What the collection tells its owner; the inner list implements it to repaint and to keep
// its row count equal to the item count.
class TTodoItemsOwner
{
public:
    virtual ~TTodoItemsOwner() = default;
    // An item's property changed: repaint its row.
    virtual void TodoItemChanged(int index) = 0;
    // Items were added or removed, or an item's notes were replaced.
    virtual void TodoItemsChanged() = 0;
};

class TTodoItem
{
public:
    explicit TTodoItem(TTodoItemCollection& collection);
    ~TTodoItem();
    TTodoItem(const TTodoItem&) = delete;
    TTodoItem& operator=(const TTodoItem&) = delete;

    TTodoItemCollection& Collection() const { return *m_collection; }
    int Index() const { return m_index; }

    int ImageIndex() const { return m_imageIndex; } // -1
    void SetImageIndex(int index);
    // The item's own lines; editing them in place resynchronises the rows.
    TStringList& Notes() { return *m_notes; } // empty
    const TStringList& Notes() const { return *m_notes; }
    // Copies the lines and always reports a change.
    void SetNotes(const TStringList& notes);
    int Tag() const { return m_tag; } // 0
    void SetTag(int tag);
    double TotalTime() const { return m_totalTime; } // 0, hours
    void SetTotalTime(double hours);
    const QString& Subject() const { return m_subject; } // ""
    void SetSubject(const QString& subject);
    // 0..100; a value outside raises Exception and keeps the old one.
    TCompletion Completion() const { return m_completion; } // 0
    void SetCompletion(TCompletion completion);
    // Sets a completion read from a table record: a value outside 0..100 is held at the
    // nearest end rather than raised, so that one odd record cannot stop the items being
    // built halfway.
    void LoadCompletion(int completion);
    TDateTime DueDate() const { return m_dueDate; } // 0 = no date
    void SetDueDate(TDateTime date);
    TTodoPriority Priority() const { return m_priority; } // tpLowest
    void SetPriority(TTodoPriority priority);
    TTodoStatus Status() const { return m_status; } // tsNotStarted
    void SetStatus(TTodoStatus status);
    bool Complete() const { return m_complete; } // false
    void SetComplete(bool complete);
    TDateTime CreationDate() const { return m_creationDate; } // 0
    void SetCreationDate(TDateTime date);
    TDateTime CompletionDate() const { return m_completionDate; } // 0
    void SetCompletionDate(TDateTime date);
    const QString& Resource() const { return m_resource; } // ""
    void SetResource(const QString& resource);
    const QString& Project() const { return m_project; } // ""
    void SetProject(const QString& project);
    const QString& Category() const { return m_category; } // ""
    void SetCategory(const QString& category);

    // The key of the table record this item mirrors; not stored, not copied by Assign.
    const QString& DBKey() const { return m_dbKey; } // ""
    void SetDBKey(const QString& key) { m_dbKey = key; }

    // Copies every stored property through its setter; DBKey stays.
    void Assign(const TTodoItem& source);
    // "Item" and the index when the subject is empty.
    QString DisplayName() const;

    // Kept for the user; the item never calls it.
    std::function<void(TTodoItem& sender)> OnChange;

private:
    friend class TTodoItemCollection;
    void changed();
    void bindNotes();
    // Trades every stored property and the key with another item without any report: the
    // sort moves contents between positions and repaints once at the end.
    void exchangeContent(TTodoItem& other);

    TTodoItemCollection* m_collection;
    int m_index = -1;
    int m_imageIndex = -1;
    std::unique_ptr<TStringList> m_notes;
    int m_tag = 0;
    double m_totalTime = 0;
    QString m_subject;
    TCompletion m_completion = 0;
    TDateTime m_dueDate = 0;
    TTodoPriority m_priority = TTodoPriority::tpLowest;
    TTodoStatus m_status = TTodoStatus::tsNotStarted;
    bool m_complete = false;
    TDateTime m_creationDate = 0;
    TDateTime m_completionDate = 0;
    QString m_resource;
    QString m_project;
    QString m_category;
    QString m_dbKey;
};

class TTodoItemCollection
{
public:
    // owner may be null (then changes reach nobody); it must outlive the collection.
    explicit TTodoItemCollection(TTodoItemsOwner* owner = nullptr);
    ~TTodoItemCollection();
    TTodoItemCollection(const TTodoItemCollection&) = delete;
    TTodoItemCollection& operator=(const TTodoItemCollection&) = delete;

    TTodoItem& Add();
    // An index outside 0..Count()-1 raises EListError.
    TTodoItem& Items(int index) const;
    TTodoItem& operator[](int index) const { return Items(index); }
    int Count() const { return int(m_items.size()); }
    void Clear();
    // An index outside the items is ignored.
    void Delete(int index);

    // Exchanges the contents of the items at two positions (see TTodoItem).
    void ExchangeContents(int a, int b);
    // Puts the contents into a new order: position i receives what was at order[i]. Items
    // stay where they are; no change is reported.
    void Permute(const std::vector<int>& order);

    TTodoItemsOwner* Owner() const { return m_owner; }

private:
    friend class TTodoItem;
    void renumber(int from);
    void itemChanged(const TTodoItem& item);
    void notesChanged();

    TTodoItemsOwner* m_owner;
    std::vector<std::unique_ptr<TTodoItem>> m_items;
    bool m_clearing = false;
};
