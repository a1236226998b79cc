// The calendar's lists of dates: the selected days (Dates) and the event days (Events). An
// item is a date with the look of its mark and a hint; the list keeps its items in the order
// they were added until Sort, and finds a date by its whole day, whatever its time. Changes
// redraw the affected day cell of the owning calendar unless the list is inside
// BeginUpdate/EndUpdate, whose last EndUpdate redraws the calendar once.
#pragma once

#include "comp/PlannerCal/CalendarSettings.h"
#include "platform/core/Color.h"
#include "platform/core/DateTime.h"
#include "platform/core/UpdateScope.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QObject;
class TCustomCalendarPanel;
class TSelDateItems;

class TSelDateItem
{
public:
    // A free-standing item (no list) keeps the plain defaults: yellow circle, no font colour.
    explicit TSelDateItem(TSelDateItems* collection = nullptr);
    virtual ~TSelDateItem();
    TSelDateItem(const TSelDateItem&) = delete;
    TSelDateItem& operator=(const TSelDateItem&) = delete;

    TSelDateItems* Collection() const { return m_collection; }
    int Index() const;

    TDateTime Date() const { return m_date; } // 0
    void SetDate(TDateTime date);
    const QString& Hint() const { return m_hint; } // ""
    void SetHint(const QString& hint) { m_hint = hint; }
    TColor Color() const { return m_color; } // the owner's EventMarkerColor
    void SetColor(TColor color);
    TEventShape Shape() const { return m_shape; } // the owner's EventMarkerShape
    void SetShape(TEventShape shape);
    // clNone: the day number takes the calendar's EventDayColor.
    TColor FontColor() const { return m_fontColor; } // clNone
    void SetFontColor(TColor color) { m_fontColor = color; }
    QObject* Obj() const { return m_obj; } // null; not owned
    void SetObj(QObject* obj) { m_obj = obj; }
    int Tag() const { return m_tag; } // 0
    void SetTag(int tag) { m_tag = tag; }

    // Copies the values (not the list membership).
    void Assign(const TSelDateItem& other);

private:
    friend class TSelDateItems;
    void repaint(TDateTime date) const;

    TSelDateItems* m_collection;
    TDateTime m_date = 0;
    QString m_hint;
    TColor m_color = clYellow;
    TEventShape m_shape = TEventShape::evsCircle;
    TColor m_fontColor = clNone;
    QObject* m_obj = nullptr;
    int m_tag = 0;
};

// The item an OnGetEventProp handler fills in for one day.
class TEventProp : public TSelDateItem
{
public:
    using TSelDateItem::TSelDateItem;
};

class TSelDateItems
{
public:
    explicit TSelDateItems(TCustomCalendarPanel* owner);
    ~TSelDateItems();
    TSelDateItems(const TSelDateItems&) = delete;
    TSelDateItems& operator=(const TSelDateItems&) = delete;

    TCustomCalendarPanel* Owner() const { return m_owner; }
    int Count() const { return int(m_items.size()); }
    TSelDateItem& Items(int index) { return *m_items.at(std::size_t(index)); }
    const TSelDateItem& Items(int index) const { return *m_items.at(std::size_t(index)); }

    // Painting of the list's marks; hiding it hides every event of the calendar.
    bool Visible() const { return m_visible; } // true
    void SetVisible(bool on);

    // A new item with the owner's default mark colour and shape.
    TSelDateItem& Add();
    // A new item for date (its whole day).
    TSelDateItem& AddDate(TDateTime date);
    void Delete(int index);
    void Clear();

    // The index of the first item on date's day, -1 when there is none.
    int IndexOf(TDateTime date) const;
    TSelDateItem* FindDate(TDateTime date);
    bool HasDate(TDateTime date) const { return IndexOf(date) >= 0; }
    // Adds every day from one date to the other (inclusive, either order) not yet listed.
    void AddRange(TDateTime from, TDateTime to);
    // Removes every item on a day from one date to the other (inclusive, either order).
    void DelRange(TDateTime from, TDateTime to);
    // Orders the items by date, earliest first.
    void Sort();

    void BeginUpdate() { m_updates.Begin(); }
    // The last EndUpdate redraws the whole calendar.
    void EndUpdate() { m_updates.End(); }
    // A batch that ends without the redraw, for lookups that only borrow the counter:
    // changes inside it redraw nothing, not even at its end.
    TUpdateScope SilentBatch();
    bool Updating() const { return m_updates.Updating(); }

    std::function<void(TSelDateItems& sender)> OnChange;

private:
    friend class TSelDateItem;
    void changed();
    void repaintDate(TDateTime date) const;

    TCustomCalendarPanel* m_owner;
    std::vector<std::unique_ptr<TSelDateItem>> m_items;
    TUpdateCounter m_updates;
    bool m_visible = true;
};
