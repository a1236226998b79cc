// The ordered collection of a planner's items: it creates and frees them, keeps the selected
// item, answers the hit tests of the mouse and the keyboard, and recomputes the side-by-side
// layout of overlapping items (UpdateConflicts, ConflictLayout.cpp) after every change of
// placement. All searches are linear scans in collection order: the first match wins.
#pragma once

#include "comp/Planner/PlannerItem.h"
#include "platform/core/UpdateScope.h"

#include <algorithm>
#include <memory>
#include <vector>

class TConflictLayout;

class TPlannerItems
{
public:
    explicit TPlannerItems(TCustomPlanner& planner);
    virtual ~TPlannerItems();
    TPlannerItems(const TPlannerItems&) = delete;
    TPlannerItems& operator=(const TPlannerItems&) = delete;

    TCustomPlanner& Planner() const { return m_planner; }
    // The collection behind the planner's DefaultItem: it neither lays out nor repaints, and
    // its items' changes concern no one.
    bool IsTemplate() const { return m_isTemplate; }

    int Count() const { return int(m_items.size()); }
    // An index outside 0..Count()-1 raises EListError.
    TPlannerItem& Items(int index) const;
    TPlannerItem& operator[](int index) const { return Items(index); }

    // Appends an item that copies the planner's DefaultItem and lays the items out again.
    TPlannerItem& Add();
    // Frees an item the way its destruction is ordered: its copies, its editor, its object,
    // the selection moved on, its area repainted, the layout run again.
    void Delete(int index);
    void Free(TPlannerItem* item);
    void Clear();
    // Copies every item of another collection (placement included).
    void Assign(const TPlannerItems& source);

    TPlannerItem* Selected() const { return m_selected; }
    void SetSelected(TPlannerItem* item) { m_selected = item; }
    TPlannerItem* DBItem() const { return m_dbItem; }
    void SetDBItem(TPlannerItem* item) { m_dbItem = item; }
    int SelCount() const;

    TPlannerItem* FindKey(const QString& key) const;
    void ClearDBItems();
    void SelectItem(TPlannerItem* item);
    void UnSelect();
    void UnSelectAll();
    void FocusNextItem();
    void FocusPrevItem();
    TPlannerItem* SelectItemAt(int cell, int pos, bool toggle, int x);
    TPlannerItem* FindItemAtCell(int cell, int pos) const;
    TPlannerItem* FindItemAtPixel(int cell, int pos, int x) const;
    TPlannerItem* FindBackgroundAt(int cell, int pos, int x) const;
    TPlannerItem* FindItemAtSlot(int cell, int pos, int subColumn) const;
    bool HasOverlap(int begin, int end, int pos) const;
    // Remembers where it stopped; FindNextItem goes on from there.
    TPlannerItem* FindFirstItem(int begin, int end, int pos);
    TPlannerItem* FindNextItem(int begin, int end, int pos);
    TPlannerItem* FindFirstHeaderItem(int pos);
    TPlannerItem* FindNextHeaderItem(int pos);
    bool LayerVisible(int layer) const;
    // LayerVisible for a given planner Layer.
    static bool LayerShown(int plannerLayer, int layer)
    {
        return plannerLayer == 0 || (plannerLayer > 0 && (plannerLayer & layer) != 0);
    }

    // Nestable. The last EndUpdate lays out, clears the items' paint marks, re-lays the grid
    // and repaints it; an EndUpdate without a BeginUpdate does nothing. Open a batch with
    // TUpdateScope, so that an error inside it still releases it.
    void BeginUpdate() { m_update.Begin(); }
    void EndUpdate() { m_update.End(); }
    bool Updating() const { return m_update.Updating(); }
    int UpdateCount() const { return m_update.Count(); }

    // Run by every setter whose change the collection follows: raises OnItemsChange and
    // shares the look of a multi-position item with the rest of its group.
    void ItemChanged(TPlannerItem& item);
    // The side-by-side layout of overlapping items.
    void UpdateConflicts();
    // The same results, laying out again only the positions whose items changed place,
    // visibility or layer since the last layout: what a placement setter runs.
    void UpdateConflictsWhereChanged();

    // Whether the group propagation of ItemChanged is running (or is held off by a move).
    bool Propagating() const { return m_propagating; }
    void SetPropagating(bool on) { m_propagating = on; }

    // A range [begin, end) overlaps the cells [itemBegin, itemEnd) of an item by any of four
    // tests, which also decide for empty and reversed ranges.
    static bool Overlaps(int itemBegin, int itemEnd, int begin, int end)
    {
        return (itemBegin <= begin && begin < itemEnd) || (itemBegin < end && end <= itemEnd) ||
               (begin < itemEnd && itemEnd <= end) || (begin <= itemBegin && itemBegin < end);
    }
    static bool Overlaps(const TPlannerItem& item, int begin, int end);
    // An item's repaint covers its cells [begin, end) widened to those of every visible item
    // at its position that overlaps them: [from, to) takes in one such other item.
    static void WidenRepaint(int begin, int end, int otherBegin, int otherEnd, int& from, int& to)
    {
        if (!Overlaps(otherBegin, otherEnd, begin, end))
            return;
        from = std::min(from, otherBegin);
        to = std::max(to, otherEnd);
    }
    bool IsVisibleItem(const TPlannerItem& item) const;

private:
    // The planner makes the template collection behind its DefaultItem.
    friend class TCustomPlanner;
    friend class TConflictLayout;

    // The template collection behind DefaultItem neither lays out nor repaints.
    TPlannerItems(TCustomPlanner& planner, bool isTemplate);
    void reindex(int from);
    int indexOf(const TPlannerItem* item) const;
    bool hitPixel(const TPlannerItem& item, int x, bool trackTest) const;
    int positionExtent(int pos) const;
    // Inside an update, in the template collection and while the planner is destroyed.
    bool layoutHeldOff() const;
    // The end of every layout run.
    void laidOut();
    void batchReleased();
    TPlannerItem* nextFocusable(int from, int step) const;
    void focusAndSelect(TPlannerItem* item);

    TCustomPlanner& m_planner;
    bool m_isTemplate = false;
    std::vector<std::unique_ptr<TPlannerItem>> m_items;
    TPlannerItem* m_selected = nullptr;
    TPlannerItem* m_dbItem = nullptr;
    TUpdateCounter m_update;
    int m_findIndex = 0;
    int m_headerIndex = 0;
    bool m_propagating = false;

    // The layout's work state (ConflictLayout.h), kept between runs.
    std::unique_ptr<TConflictLayout> m_layout;
};
