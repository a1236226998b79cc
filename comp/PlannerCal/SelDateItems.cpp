// Date lists of the calendar: whole-day lookups, ranges, and redraws of the touched cells.
#include "comp/PlannerCal/SelDateItems.h"

#include "comp/PlannerCal/CalendarPanel.h"
#include "platform/core/RaiseEvent.h"

#include <algorithm>
#include <cmath>

namespace {

// The day a value stands for; comparisons never look at the time.
double dayOf(TDateTime value)
{
    return std::trunc(value);
}

} // namespace

// --- TSelDateItem -----------------------------------------------------------------------

TSelDateItem::TSelDateItem(TSelDateItems* collection) : m_collection(collection)
{
    if (collection && collection->Owner()) {
        m_color = collection->Owner()->EventMarkerColor();
        m_shape = collection->Owner()->EventMarkerShape();
    }
}

TSelDateItem::~TSelDateItem() = default;

int TSelDateItem::Index() const
{
    if (!m_collection)
        return -1;
    const auto& items = m_collection->m_items;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i].get() == this)
            return int(i);
    return -1;
}

void TSelDateItem::repaint(TDateTime date) const
{
    if (m_collection)
        m_collection->repaintDate(date);
}

void TSelDateItem::SetDate(TDateTime date)
{
    if (date == m_date)
        return;
    const TDateTime old = m_date;
    m_date = date;
    // Both the cell it left and the one it moved to change.
    repaint(old);
    repaint(date);
}

void TSelDateItem::SetColor(TColor color)
{
    m_color = color;
    repaint(m_date);
}

void TSelDateItem::SetShape(TEventShape shape)
{
    m_shape = shape;
    repaint(m_date);
}

void TSelDateItem::Assign(const TSelDateItem& other)
{
    m_date = other.m_date;
    m_hint = other.m_hint;
    m_color = other.m_color;
    m_shape = other.m_shape;
    m_fontColor = other.m_fontColor;
    m_obj = other.m_obj;
    m_tag = other.m_tag;
    repaint(m_date);
}

// --- TSelDateItems ----------------------------------------------------------------------

TSelDateItems::TSelDateItems(TCustomCalendarPanel* owner)
    : m_owner(owner), m_updates([this] {
          if (m_owner)
              m_owner->RepaintAll();
          Raise(OnChange, *this);
      })
{}

TSelDateItems::~TSelDateItems()
{
    // The owner is going away with us: no redraws of a half-destroyed control.
    m_updates.Begin();
    m_items.clear();
}

TUpdateScope TSelDateItems::SilentBatch()
{
    return TUpdateScope([this] { m_updates.Begin(); }, [this] { m_updates.EndSilently(); });
}

void TSelDateItems::repaintDate(TDateTime date) const
{
    if (m_owner && !Updating())
        m_owner->RepaintDate(date);
}

void TSelDateItems::changed()
{
    if (!Updating())
        Raise(OnChange, *this);
}

void TSelDateItems::SetVisible(bool on)
{
    if (on == m_visible)
        return;
    m_visible = on;
    if (m_owner && !Updating())
        m_owner->RepaintAll();
}

TSelDateItem& TSelDateItems::Add()
{
    m_items.push_back(std::make_unique<TSelDateItem>(this));
    changed();
    return *m_items.back();
}

TSelDateItem& TSelDateItems::AddDate(TDateTime date)
{
    TSelDateItem* item = nullptr;
    {
        const TUpdateScope quiet = SilentBatch();
        item = &Add();
        item->SetDate(dayOf(date));
    }
    repaintDate(item->Date());
    changed();
    return *item;
}

void TSelDateItems::Delete(int index)
{
    if (index < 0 || index >= Count())
        return;
    const TDateTime date = m_items[std::size_t(index)]->Date();
    m_items.erase(m_items.begin() + index);
    repaintDate(date);
    changed();
}

void TSelDateItems::Clear()
{
    if (m_items.empty())
        return;
    std::vector<std::unique_ptr<TSelDateItem>> old;
    old.swap(m_items);
    for (const auto& item : old)
        repaintDate(item->Date());
    changed();
}

int TSelDateItems::IndexOf(TDateTime date) const
{
    const double day = dayOf(date);
    for (std::size_t i = 0; i < m_items.size(); ++i)
        if (dayOf(m_items[i]->Date()) == day)
            return int(i);
    return -1;
}

TSelDateItem* TSelDateItems::FindDate(TDateTime date)
{
    const int i = IndexOf(date);
    return i < 0 ? nullptr : m_items[std::size_t(i)].get();
}

void TSelDateItems::AddRange(TDateTime from, TDateTime to)
{
    double a = dayOf(from), b = dayOf(to);
    if (a > b)
        std::swap(a, b);
    // Only days the calendar holds; an end beyond it (or NaN) adds nothing past the limit.
    a = std::max(a, dayOf(MinDateTime));
    b = std::min(b, dayOf(MaxDateTime));
    for (double d = a; d <= b; d += 1)
        if (!HasDate(d))
            AddDate(d);
}

void TSelDateItems::DelRange(TDateTime from, TDateTime to)
{
    double a = dayOf(from), b = dayOf(to);
    if (a > b)
        std::swap(a, b);
    bool removed = false;
    for (std::size_t i = m_items.size(); i-- > 0;) {
        const double d = dayOf(m_items[i]->Date());
        if (d >= a && d <= b) {
            m_items.erase(m_items.begin() + std::ptrdiff_t(i));
            repaintDate(d);
            removed = true;
        }
    }
    if (removed)
        changed();
}

void TSelDateItems::Sort()
{
    std::stable_sort(m_items.begin(), m_items.end(),
                     [](const auto& a, const auto& b) { return a->Date() < b->Date(); });
}
