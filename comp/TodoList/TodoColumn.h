// A column of the to-do list and the collection of columns: what the column shows, its
// width, alignment, font, background and header caption. Every change is reported to the
// owner (the inner list), which repaints and resynchronises the header; changes of the
// width and of the set of columns also recompute the horizontal scroll extent.
#pragma once

#include "comp/TodoList/TodoTypes.h"
#include "platform/core/Color.h"
#include "platform/gfx/Font.h"

#include <QString>
#include <memory>
#include <vector>

class TTodoColumnCollection;

class TTodoColumnsOwner
{
public:
    virtual ~TTodoColumnsOwner() = default;
    // Any column property changed; sizes is set when widths or the set of columns changed.
    virtual void TodoColumnsChanged(bool sizes) = 0;
    // The font new columns copy.
    virtual const TFont& TodoColumnFont() const = 0;
};

class TTodoColumnItem
{
public:
    explicit TTodoColumnItem(TTodoColumnCollection& collection);
    TTodoColumnItem(const TTodoColumnItem&) = delete;
    TTodoColumnItem& operator=(const TTodoColumnItem&) = delete;

    int Index() const;

    int Width() const { return m_width; } // 100
    void SetWidth(int width);
    TAlignment Alignment() const { return m_alignment; } // taLeftJustify
    void SetAlignment(TAlignment alignment);
    // A copy of the list's font at creation.
    TFont& Font() { return m_font; }
    const TFont& Font() const { return m_font; }
    void SetFont(const TFont& font) { m_font.Assign(font); }
    TColor Color() const { return m_color; } // clWindow
    void SetColor(TColor color);
    // tdHandle also makes the column not editable.
    TTodoData TodoData() const { return m_todoData; } // tdSubject
    void SetTodoData(TTodoData data);
    const QString& Caption() const { return m_caption; } // ""
    void SetCaption(const QString& caption);
    bool Editable() const { return m_editable; } // true
    void SetEditable(bool editable) { m_editable = editable; }
    bool Tag() const { return m_tag; } // false
    void SetTag(bool tag) { m_tag = tag; }
    // The header image.
    int ImageIndex() const { return m_imageIndex; } // -1
    void SetImageIndex(int index);

    void Assign(const TTodoColumnItem& source);
    // The caption or "Column n", then the kind in parentheses.
    QString DisplayName() const;

private:
    void changed(bool sizes);

    TTodoColumnCollection* m_collection;
    int m_width = 100;
    TAlignment m_alignment = TAlignment::taLeftJustify;
    TFont m_font;
    TColor m_color = clWindow;
    TTodoData m_todoData = TTodoData::tdSubject;
    QString m_caption;
    bool m_editable = true;
    bool m_tag = false;
    int m_imageIndex = -1;
};

class TTodoColumnCollection
{
public:
    explicit TTodoColumnCollection(TTodoColumnsOwner* owner = nullptr);
    ~TTodoColumnCollection();
    TTodoColumnCollection(const TTodoColumnCollection&) = delete;
    TTodoColumnCollection& operator=(const TTodoColumnCollection&) = delete;

    TTodoColumnItem& Add();
    // An index outside 0..Count()-1 raises EListError.
    TTodoColumnItem& Items(int index) const;
    TTodoColumnItem& operator[](int index) const { return Items(index); }
    int Count() const { return int(m_columns.size()); }
    int IndexOf(const TTodoColumnItem& column) const;
    void Delete(int index); // out of range: ignored
    void Clear();
    // Moves a column to another position; indexes out of range are ignored.
    void Move(int from, int to);
    // The sum of the widths.
    int TotalWidth() const;

private:
    friend class TTodoColumnItem;
    void changed(bool sizes);

    TTodoColumnsOwner* m_owner;
    std::vector<std::unique_ptr<TTodoColumnItem>> m_columns;
};

// " (Subject)", " (Due Date)" ...: the kind as a column's display name ends.
QString TodoDataDisplayName(TTodoData data);
