// The planner control: a grid of time cells by positions (days or resources) with
// appointments laid side by side where they overlap. TCustomPlanner holds the model's
// settings (positions, side bar, default item, layer, overlap, item gap, hour type, day
// names), owns the display and mode settings, the item collection and the inner grid, and
// offers the time services that turn cells into date-times and back (PlannerTime.cpp).
//
// Settings come in groups (Display(), Mode(), Sidebar(), ...), each an owned object; derived
// planners follow changes through the protected virtual hooks rather than through events.
// Painting is not done here: where the model asks for a repaint, the grid invalidates the
// cells concerned.
#pragma once

#include "comp/Planner/PlannerDisplay.h"
#include "comp/Planner/PlannerItems.h"
#include "comp/planutil/DateTimeList.h"
#include "platform/controls/CustomControl.h"
#include "platform/controls/CustomGrid.h"
#include "platform/core/StringList.h"

#include <functional>
#include <memory>

// Where the side bar of time labels stands, and so which way time runs.
class TPlannerSideBar
{
public:
    explicit TPlannerSideBar(TCustomPlanner& planner) : m_planner(planner) {}

    // spTop turns the grid: positions become rows, cells columns.
    TSideBarPosition Position() const { return m_position; } // spLeft
    void SetPosition(TSideBarPosition position);
    // A hidden side bar keeps a line of one pixel.
    bool Visible() const { return m_visible; } // true
    void SetVisible(bool on);
    int Width() const { return m_width; } // 40
    void SetWidth(int pixels);
    // Occupied cells are marked in the side bar, which then repaints with the items.
    bool ShowOccupied() const { return m_showOccupied; } // false
    void SetShowOccupied(bool on);

    void Assign(const TPlannerSideBar& source);

private:
    TCustomPlanner& m_planner;
    TSideBarPosition m_position = TSideBarPosition::spLeft;
    bool m_visible = true;
    int m_width = 40;
    bool m_showOccupied = false;
};

// The planner's inner grid: one line of cells per position plus the side-bar line. Cells
// and positions map onto grid columns and rows by the side bar's position.
class TPlannerGrid : public TCustomGrid
{
public:
    explicit TPlannerGrid(TCustomPlanner& planner);
    ~TPlannerGrid() override;

    TCustomPlanner& Planner() const { return m_planner; }

    // Number of time cells: rows in the vertical layout, columns in the horizontal one.
    int CellCount() const;
    void SetCellCount(int count);
    // Row height (column width) of every time cell.
    void SetCellScale(int pixels);
    // The first time cell scrolled into view, and scrolling to one.
    int FirstVisibleCell() const;
    void SetFirstVisibleCell(int cell);
    // Pixels across one position (its column width, or row height on top).
    int PositionExtent(int pos) const;
    // Pixels along the time axis of the client area.
    int CellAxisExtent() const;

    // Grid column (row on top) of a position, and back.
    int PositionToLine(int pos) const;
    int LineToPosition(int line) const;

    // Sets columns, rows and fixed lines for the side bar's position and the position count.
    void RebuildStructure();
    // Recomputes the widths of the side bar and the positions from the client size.
    virtual void UpdatePositions();
    // Invalidates the cells [fromCell, toCell) of a position, and the side-bar cells beside
    // them when the side bar shows occupied cells.
    void InvalidateCells(int pos, int fromCell, int toCell);

    // How many cells were invalidated through InvalidateCells since the last reset; lets a
    // caller (and a test) see that a change repainted what it should.
    long long InvalidatedCells() const { return m_invalidated; }
    void ResetInvalidatedCells() { m_invalidated = 0; }

protected:
    void Resize() override;

private:
    bool horizontal() const;
    void invalidateSpan(int line, int firstCell, int lastCell);

    TCustomPlanner& m_planner;
    long long m_invalidated = 0;
};

class TCustomPlanner : public TCustomControl
{
public:
    explicit TCustomPlanner(QWidget* parent = nullptr);
    ~TCustomPlanner() override;
    TCustomPlanner(const TCustomPlanner&) = delete;
    TCustomPlanner& operator=(const TCustomPlanner&) = delete;

    // --- Owned parts ------------------------------------------------------------------
    TPlannerGrid& Grid() const { return *m_grid; }
    TPlannerDisplay& Display() { return *m_display; }
    const TPlannerDisplay& Display() const { return *m_display; }
    TPlannerMode& Mode() { return *m_mode; }
    const TPlannerMode& Mode() const { return *m_mode; }
    TWeekDays& InActiveDays() { return m_inActiveDays; }
    TPositionProps& PositionProps() { return *m_positionProps; }
    const TPositionProps& PositionProps() const { return *m_positionProps; }
    TBands& Bands() { return m_bands; }
    const TBands& Bands() const { return m_bands; }
    TPlannerSideBar& Sidebar() { return *m_sidebar; }
    const TPlannerSideBar& Sidebar() const { return *m_sidebar; }
    TPlannerItems& Items() const { return *m_items; }
    // The template every new item copies.
    TPlannerItem& DefaultItem() const { return *m_defaultItem; }
    void SetDefaultItem(const TPlannerItem& item) { m_defaultItem->Assign(item); }
    // The entries of plCustomList.
    TDateTimeList& CustomDates() { return m_customDates; }

    // --- Settings ---------------------------------------------------------------------
    // Values <= 0 or unchanged are ignored.
    int Positions() const { return m_positions; } // 3
    void SetPositions(int count);
    // Visible item layers: 0 shows every layer, else items sharing a bit with it.
    int Layer() const { return m_layer; } // 0
    void SetLayer(int layer);
    bool Overlap() const { return m_overlap; } // true
    void SetOverlap(bool on) { m_overlap = on; }
    // Pixels left free beside each item.
    int ItemGap() const { return m_itemGap; } // 11
    void SetItemGap(int pixels);
    THourType HourType() const { return m_hourType; } // ht24hrs
    void SetHourType(THourType type);
    TStringList& DayNames() { return m_dayNames; } // "Sun" .. "Sat"
    void SetDayNames(const TStringList& names);
    bool MultiSelect() const { return m_multiSelect; } // false
    void SetMultiSelect(bool on) { m_multiSelect = on; }
    bool TrackOnly() const { return m_trackOnly; } // false
    void SetTrackOnly(bool on) { m_trackOnly = on; }
    int TrackWidth() const { return m_trackWidth; } // 4
    void SetTrackWidth(int pixels);
    // The item time setters take the nearest cell instead of truncating.
    bool RoundTime = false;

    // --- Lifecycle --------------------------------------------------------------------
    // Between BeginLoad and Loaded the stored values are being applied: grid updates and
    // period updates wait, and Loaded runs them once.
    void BeginLoad();
    virtual void Loaded();
    bool Loading() const { return m_loading; }
    bool Destroying() const { return m_destroying; }

    // --- Linked items -------------------------------------------------------------------
    // Held while a linked item follows its leader: the follower's own link is not followed
    // in turn, so that chains and rings of links end after one step.
    class TLinkPropagation
    {
    public:
        explicit TLinkPropagation(TCustomPlanner& planner) : m_planner(planner)
        {
            m_planner.m_linkPropagating = true;
        }
        ~TLinkPropagation() { m_planner.m_linkPropagating = false; }
        TLinkPropagation(const TLinkPropagation&) = delete;
        TLinkPropagation& operator=(const TLinkPropagation&) = delete;

    private:
        TCustomPlanner& m_planner;
    };
    bool LinkPropagating() const { return m_linkPropagating; }

    // --- Time services (PlannerTime.cpp) ------------------------------------------------
    bool Horizontal() const { return m_sidebar->Position() == TSideBarPosition::spTop; }
    int TimeToCell(TDateTime value);
    void CellToTimeRange(int cell, TDateTime& start, TDateTime& end);
    bool IsActive(int cell, int pos);
    void CellBrush(int pos, int cell, TBrush& brush);
    QString DayName(int n) const;
    void PlanTimeToStrings(int minutes, QString& hours, QString& mins, QString& ampm);
    QString TimeText(int minutes);
    // Now, or what OnGetCurrentTime makes of it.
    TDateTime CurrentTime();
    // Sets every item's CurrentActive for the current cell.
    void UpdateCurrentItems(int currentCell);

    // Brings the grid in line with the display: cell count, cell size, items' cells from
    // their minutes (after the items' minutes from their cells unless keepMinutes).
    void UpdateGrid(bool keepMinutes);
    // Invalidates every item's cells.
    void RepaintItems();
    // Re-lays the inner grid (structure and position widths).
    void LayoutGrid();

    // --- Hooks ------------------------------------------------------------------------
    virtual TDateTime PositionToDay(int pos);
    virtual TDateTime IndexToTime(int index);
    virtual int TimeToIndex(TDateTime value);
    virtual void ItemSelected(TPlannerItem& item);
    virtual void ItemUpdated(TPlannerItem& item);

    // Moments of the items that the planner's own parts follow. The collection and its
    // items call them; here they do nothing, and the parts built on the planner override
    // them: the footer refreshes its completion display after a layout, the header fits its
    // height to the in-header items, and an in-place editor showing a freed item hides.
    // After every layout run of the items, before OnItemsLayout.
    virtual void ItemsLaidOut();
    // After an item's InHeader changed and the header and grid were repainted, before the
    // items are laid out again.
    virtual void ItemInHeaderChanged(TPlannerItem& item);
    // While an item is being freed: its copies and lists are gone; its object, its place in
    // the selection and its cells are not yet.
    virtual void ItemFreeing(TPlannerItem& item);

    // --- Events (Sender is the planner unless said otherwise) ---------------------------
    std::function<void(TCustomPlanner& sender, TPlannerItem& item, int& newBegin, int& newEnd,
                       int& newPos)>
        OnItemPlaceUpdate;
    std::function<void(TPlannerItems& sender)> OnItemsChange;
    std::function<void(TPlannerItems& sender)> OnItemsLayout;
    std::function<void(TCustomPlanner& sender, TPlannerItem& item)> OnItemSelect;
    std::function<void(TCustomPlanner& sender, TPlannerItem& item)> OnItemEnter;
    std::function<void(TCustomPlanner& sender, TPlannerItem& item)> OnItemExit;
    std::function<void(TCustomPlanner& sender, TPlannerItem& item)> OnItemActivate;
    std::function<void(TCustomPlanner& sender, TPlannerItem& item)> OnItemDeActivate;
    std::function<void(TCustomPlanner& sender, int pos, TDateTime& day)> OnPositionToDay;
    std::function<void(TCustomPlanner& sender, int index, TDateTime& value)> OnCustomIndexToTime;
    std::function<void(TCustomPlanner& sender, TDateTime value, int& index)> OnCustomTimeToIndex;
    std::function<void(TCustomPlanner& sender, int index, bool& active, int position)> OnCellActive;
    std::function<void(TCustomPlanner& sender, unsigned minutes, QString& hours, QString& mins,
                       QString& ampm)>
        OnPlanTimeToStrings;
    std::function<void(TCustomPlanner& sender, TDateTime& currentTime)> OnGetCurrentTime;

protected:
    // Makes the item collection; a derived planner that overrides it calls RecreateItems()
    // from its own constructor, since a constructor cannot reach an override.
    virtual std::unique_ptr<TPlannerItems> CreateItems();
    void RecreateItems();
    // Places the inner grid (and, later, the parts around it) in the client area.
    virtual void LayoutParts();
    void Resize() override;

private:
    // A new planner type shows its inactive days anew.
    friend class TPlannerMode;

    void rebuildInactiveDays();

    TPlannerGrid* m_grid; // child widget
    std::unique_ptr<TPlannerSideBar> m_sidebar;
    std::unique_ptr<TPlannerDisplay> m_display;
    std::unique_ptr<TPlannerMode> m_mode;
    TWeekDays m_inActiveDays;
    unsigned m_inactiveDaySet = 0; // bit d for day number d, 1 = Sunday .. 7 = Saturday
    std::unique_ptr<TPositionProps> m_positionProps;
    TBands m_bands;
    std::unique_ptr<TPlannerItems> m_templateItems;
    TPlannerItem* m_defaultItem = nullptr;
    std::unique_ptr<TPlannerItems> m_items;
    TDateTimeList m_customDates;

    int m_positions = 3;
    int m_layer = 0;
    bool m_overlap = true;
    int m_itemGap = 11;
    THourType m_hourType = THourType::ht24hrs;
    TStringList m_dayNames;
    bool m_multiSelect = false;
    bool m_trackOnly = false;
    int m_trackWidth = 4;

    bool m_loading = false;
    bool m_destroying = false;
    bool m_linkPropagating = false; // held by TLinkPropagation
};
