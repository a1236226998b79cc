// The item collection's bookkeeping: creating and freeing items in their destruction order,
// selection and focus, the hit tests and searches, batching, and the look shared by the
// copies of a multi-position item.
#include "comp/Planner/PlannerItems.h"

#include "comp/Planner/ConflictLayout.h"
#include "comp/Planner/Planner.h"
#include "platform/core/Exceptions.h"
#include "platform/core/RaiseEvent.h"

#include <QObject>
#include <algorithm>

TPlannerItems::TPlannerItems(TCustomPlanner& planner) : TPlannerItems(planner, false)
{
    m_update.SetOnRelease([this] { batchReleased(); });
}

TPlannerItems::TPlannerItems(TCustomPlanner& planner, bool isTemplate)
    : m_planner(planner), m_isTemplate(isTemplate), m_layout(std::make_unique<TConflictLayout>())
{}

TPlannerItems::~TPlannerItems()
{
    m_selected = nullptr;
    m_dbItem = nullptr;
    m_items.clear();
}

TPlannerItem& TPlannerItems::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return *m_items[std::size_t(index)];
}

int TPlannerItems::indexOf(const TPlannerItem* item) const
{
    if (!item)
        return -1;
    const int i = item->m_index;
    if (i >= 0 && i < Count() && m_items[std::size_t(i)].get() == item)
        return i;
    return -1;
}

void TPlannerItems::reindex(int from)
{
    for (int i = std::max(from, 0); i < Count(); ++i)
        m_items[std::size_t(i)]->m_index = i;
}

TPlannerItem& TPlannerItems::Add()
{
    m_items.push_back(std::make_unique<TPlannerItem>(*this));
    TPlannerItem& item = *m_items.back();
    item.m_index = Count() - 1;
    if (!m_isTemplate)
        item.Assign(m_planner.DefaultItem());
    UpdateConflicts();
    return item;
}

void TPlannerItems::Delete(int index)
{
    Free(&Items(index));
}

void TPlannerItems::Free(TPlannerItem* item)
{
    if (indexOf(item) < 0)
        return;
    // A lead item takes its copies with it.
    if (!item->m_isCopy && item->m_groupID >= 0) {
        for (int i = Count() - 1; i >= 0; --i) {
            if (i >= Count())
                continue;
            TPlannerItem* other = m_items[std::size_t(i)].get();
            if (other != item && other->m_isCopy && other->m_groupID == item->m_groupID)
                Free(other);
        }
    }
    item->m_intList.reset();
    item->m_barItems.reset();
    m_planner.ItemFreeing(*item);
    // The owned object goes before the selection moves on, so that no handler of the focus
    // change meets an object its item has already given up.
    if (item->m_ownsItemObject && item->m_itemObject) {
        QObject* object = item->m_itemObject;
        item->m_itemObject = nullptr;
        delete object;
    }
    if (m_selected == item) {
        const int at = indexOf(item);
        TPlannerItem* next = nextFocusable(at + 1, +1);
        if (!next)
            next = nextFocusable(at - 1, -1);
        item->m_selected = false;
        item->SetFocused(false);
        m_selected = nullptr;
        if (next)
            focusAndSelect(next);
    }
    if (m_dbItem == item)
        m_dbItem = nullptr;
    // Links to the item would dangle once it is gone.
    for (const auto& other : m_items) {
        if (other->m_linkedItem == item)
            other->m_linkedItem = nullptr;
    }
    item->setVisibleRaw(false);
    const int at = indexOf(item);
    m_items.erase(m_items.begin() + at);
    reindex(at);
    UpdateConflicts();
}

void TPlannerItems::Clear()
{
    TUpdateScope batch(*this);
    while (Count() > 0)
        Free(m_items.back().get());
}

void TPlannerItems::Assign(const TPlannerItems& source)
{
    if (&source == this)
        return;
    TUpdateScope batch(*this);
    while (Count() > 0)
        Free(m_items.back().get());
    for (int i = 0; i < source.Count(); ++i)
        Add().Assign(source.Items(i));
}

int TPlannerItems::SelCount() const
{
    return int(std::count_if(m_items.begin(), m_items.end(),
                             [](const auto& item) { return item->m_selected; }));
}

TPlannerItem* TPlannerItems::FindKey(const QString& key) const
{
    for (const auto& item : m_items) {
        if (item->m_dbKey == key)
            return item.get();
    }
    return nullptr;
}

void TPlannerItems::ClearDBItems()
{
    TUpdateScope batch(*this);
    for (int i = Count() - 1; i >= 0; --i) {
        if (i < Count() && !m_items[std::size_t(i)]->m_notDBItem)
            Free(m_items[std::size_t(i)].get());
    }
}

// --- Selection and focus ----------------------------------------------------------------

void TPlannerItems::focusAndSelect(TPlannerItem* item)
{
    if (m_selected && m_selected != item) {
        m_selected->SetFocused(false);
        m_selected->SetSelected(false);
    }
    m_selected = item;
    if (item) {
        item->SetFocused(true);
        item->SetSelected(true);
    }
}

void TPlannerItems::SelectItem(TPlannerItem* item)
{
    if (indexOf(item) < 0)
        return;
    focusAndSelect(item);
    m_planner.ItemSelected(*item);
}

void TPlannerItems::UnSelect()
{
    if (m_selected) {
        m_selected->SetFocused(false);
        m_selected->SetSelected(false);
    }
    m_selected = nullptr;
}

void TPlannerItems::UnSelectAll()
{
    for (const auto& item : m_items) {
        item->SetFocused(false);
        item->SetSelected(false);
    }
    m_selected = nullptr;
}

TPlannerItem* TPlannerItems::nextFocusable(int from, int step) const
{
    for (int i = from; i >= 0 && i < Count(); i += step) {
        if (!m_items[std::size_t(i)]->m_background)
            return m_items[std::size_t(i)].get();
    }
    return nullptr;
}

void TPlannerItems::FocusNextItem()
{
    const int at = indexOf(m_selected);
    TPlannerItem* next = nextFocusable(at < 0 ? 0 : at + 1, +1);
    if (!next)
        UnSelect();
    else
        focusAndSelect(next);
}

void TPlannerItems::FocusPrevItem()
{
    const int at = indexOf(m_selected);
    TPlannerItem* prev = nextFocusable(at < 0 ? Count() - 1 : at - 1, -1);
    if (!prev)
        UnSelect();
    else
        focusAndSelect(prev);
}

TPlannerItem* TPlannerItems::SelectItemAt(int cell, int pos, bool toggle, int x)
{
    TPlannerItem* hit = FindItemAtPixel(cell, pos, x);
    const bool keepOthers = toggle && m_planner.MultiSelect();
    for (const auto& item : m_items) {
        if (item.get() == hit)
            continue;
        item->SetFocused(false);
        if (!keepOthers)
            item->SetSelected(false);
    }
    if (hit) {
        hit->SetFocused(true);
        hit->SetSelected(!(keepOthers && hit->m_selected));
    }
    m_selected = hit;
    return hit;
}

// --- Hit tests and searches -------------------------------------------------------------

bool TPlannerItems::Overlaps(const TPlannerItem& item, int begin, int end)
{
    return Overlaps(item.m_itemBegin, item.m_itemEnd, begin, end);
}

bool TPlannerItems::LayerVisible(int layer) const
{
    return LayerShown(m_planner.Layer(), layer);
}

bool TPlannerItems::IsVisibleItem(const TPlannerItem& item) const
{
    return item.Visible() && LayerVisible(item.m_layer);
}

int TPlannerItems::positionExtent(int pos) const
{
    return m_planner.Grid().PositionExtent(pos);
}

static bool covers(const TPlannerItem& item, int cell, int pos)
{
    return item.ItemPos() == pos && item.Covers(cell);
}

bool TPlannerItems::hitPixel(const TPlannerItem& item, int x, bool trackTest) const
{
    const int w = positionExtent(item.m_itemPos);
    const int sub = item.m_conflicts < 2 ? w : w / item.m_conflicts;
    const int near = sub * item.m_conflictPos;
    if (!(near < x && x < sub * (item.m_conflictPos + 1) - m_planner.ItemGap()))
        return false;
    return !(trackTest && m_planner.TrackOnly() && x >= near + m_planner.TrackWidth());
}

TPlannerItem* TPlannerItems::FindItemAtCell(int cell, int pos) const
{
    for (const auto& item : m_items) {
        if (IsVisibleItem(*item) && covers(*item, cell, pos))
            return item.get();
    }
    return nullptr;
}

TPlannerItem* TPlannerItems::FindItemAtPixel(int cell, int pos, int x) const
{
    for (const auto& item : m_items) {
        if (IsVisibleItem(*item) && !item->m_background && covers(*item, cell, pos) &&
            hitPixel(*item, x, true))
            return item.get();
    }
    return nullptr;
}

TPlannerItem* TPlannerItems::FindBackgroundAt(int cell, int pos, int x) const
{
    for (const auto& item : m_items) {
        if (IsVisibleItem(*item) && item->m_background && item->m_allowOverlap &&
            covers(*item, cell, pos) && hitPixel(*item, x, false))
            return item.get();
    }
    return nullptr;
}

TPlannerItem* TPlannerItems::FindItemAtSlot(int cell, int pos, int subColumn) const
{
    for (const auto& item : m_items) {
        if (IsVisibleItem(*item) && !item->m_background && covers(*item, cell, pos) &&
            item->m_conflictPos == subColumn)
            return item.get();
    }
    return nullptr;
}

bool TPlannerItems::HasOverlap(int begin, int end, int pos) const
{
    for (const auto& item : m_items) {
        if (item.get() == m_selected || item->m_itemPos != pos || !IsVisibleItem(*item))
            continue;
        if (Overlaps(*item, begin, end) && !(item->m_allowOverlap && m_planner.Overlap()))
            return true;
    }
    return false;
}

TPlannerItem* TPlannerItems::FindFirstItem(int begin, int end, int pos)
{
    m_findIndex = 0;
    return FindNextItem(begin, end, pos);
}

TPlannerItem* TPlannerItems::FindNextItem(int begin, int end, int pos)
{
    while (m_findIndex < Count()) {
        TPlannerItem* item = m_items[std::size_t(m_findIndex++)].get();
        if (item->m_itemPos == pos && Overlaps(*item, begin, end))
            return item;
    }
    return nullptr;
}

TPlannerItem* TPlannerItems::FindFirstHeaderItem(int pos)
{
    m_headerIndex = 0;
    return FindNextHeaderItem(pos);
}

TPlannerItem* TPlannerItems::FindNextHeaderItem(int pos)
{
    while (m_headerIndex < Count()) {
        TPlannerItem* item = m_items[std::size_t(m_headerIndex++)].get();
        if (item->m_inHeader && item->m_itemPos == pos)
            return item;
    }
    return nullptr;
}

// --- Batching and change notification ---------------------------------------------------

// The planner follows the layout first, then the application hears of it.
void TPlannerItems::laidOut()
{
    m_planner.ItemsLaidOut();
    Raise(m_planner.OnItemsLayout, *this);
}

// Everything held back during the batch is done once: the layout, and a repaint of the
// whole grid, which covers every item the layout moved to another sub-column.
void TPlannerItems::batchReleased()
{
    UpdateConflicts();
    for (const auto& item : m_items)
        item->m_repainted = false;
    m_planner.LayoutGrid();
    m_planner.Grid().InvalidateGrid();
}

void TPlannerItems::ItemChanged(TPlannerItem& item)
{
    if (m_isTemplate)
        return;
    Raise(m_planner.OnItemsChange, *this);
    if (m_propagating || item.m_groupID == -1)
        return;
    TUpdateScope propagation([this] { m_propagating = true; }, [this] { m_propagating = false; });
    for (int i = 0; i < Count(); ++i) {
        TPlannerItem& other = *m_items[std::size_t(i)];
        if (&other != &item && other.m_groupID == item.m_groupID)
            other.AssignLook(item);
    }
}
