// The planner control's settings, its inner grid's structure, and the grid update that keeps
// items at their times (or their cells) when the display changes.
#include "comp/Planner/Planner.h"

#include "platform/core/RaiseEvent.h"

#include <algorithm>
#include <climits>
#include <cstdint>

// --- Side bar ---------------------------------------------------------------------------

void TPlannerSideBar::SetPosition(TSideBarPosition position)
{
    if (position == m_position)
        return;
    m_position = position;
    m_planner.Grid().RebuildStructure();
    m_planner.UpdateGrid(false);
    m_planner.LayoutGrid();
    m_planner.Items().UpdateConflicts();
}

void TPlannerSideBar::SetVisible(bool on)
{
    if (on == m_visible)
        return;
    m_visible = on;
    m_planner.Grid().RebuildStructure();
    m_planner.LayoutGrid();
    m_planner.Items().UpdateConflicts();
}

void TPlannerSideBar::SetWidth(int pixels)
{
    if (pixels < 0 || pixels == m_width)
        return;
    m_width = pixels;
    m_planner.LayoutGrid();
}

void TPlannerSideBar::SetShowOccupied(bool on)
{
    m_showOccupied = on;
    m_planner.Grid().InvalidateGrid();
}

void TPlannerSideBar::Assign(const TPlannerSideBar& s)
{
    SetVisible(s.m_visible);
    SetWidth(s.m_width);
    SetShowOccupied(s.m_showOccupied);
    SetPosition(s.m_position);
}

// --- Grid -------------------------------------------------------------------------------

TPlannerGrid::TPlannerGrid(TCustomPlanner& planner) : TCustomGrid(&planner), m_planner(planner)
{
    // Every cell is painted by the planner's cell painter; the rest stays the grid's own.
    SetDefaultDrawing(false);
}

TPlannerGrid::~TPlannerGrid() = default;

bool TPlannerGrid::horizontal() const
{
    return m_planner.Horizontal();
}

int TPlannerGrid::CellCount() const
{
    return horizontal() ? ColCount() : RowCount();
}

void TPlannerGrid::SetCellCount(int count)
{
    if (horizontal())
        SetColCount(count);
    else
        SetRowCount(count);
}

void TPlannerGrid::SetCellScale(int pixels)
{
    if (horizontal())
        SetDefaultColWidth(pixels);
    else
        SetDefaultRowHeight(pixels);
    UpdatePositions();
}

int TPlannerGrid::FirstVisibleCell() const
{
    return horizontal() ? LeftCol() : TopRow();
}

void TPlannerGrid::SetFirstVisibleCell(int cell)
{
    if (horizontal())
        SetLeftCol(cell);
    else
        SetTopRow(cell);
}

int TPlannerGrid::PositionToLine(int pos) const
{
    switch (m_planner.Sidebar().Position()) {
    case TSideBarPosition::spRight:
        return pos;
    case TSideBarPosition::spLeft:
    case TSideBarPosition::spLeftRight:
    case TSideBarPosition::spTop:
        break;
    }
    // The last int has no line after the side bar.
    return pos < INT_MAX ? pos + 1 : -1;
}

int TPlannerGrid::LineToPosition(int line) const
{
    return m_planner.Sidebar().Position() == TSideBarPosition::spRight ? line : line - 1;
}

int TPlannerGrid::PositionExtent(int pos) const
{
    const int line = PositionToLine(pos);
    return horizontal() ? RowHeights(line) : ColWidths(line);
}

int TPlannerGrid::CellAxisExtent() const
{
    const TRect r = ClientRect();
    return horizontal() ? r.Right - r.Left : r.Bottom - r.Top;
}

void TPlannerGrid::RebuildStructure()
{
    const TPlannerSideBar& side = m_planner.Sidebar();
    const int positions = m_planner.Positions();
    const int cells =
        std::max(1, m_planner.Display().DisplayEnd() - m_planner.Display().DisplayStart() + 1);
    // Fixed lines first down to none, so that the counts may shrink below them.
    SetFixedCols(0);
    SetFixedRows(0);
    if (side.Position() == TSideBarPosition::spTop) {
        SetRowCount(positions + 1);
        SetColCount(cells);
        SetFixedRows(1);
    } else {
        int cols = positions + 1;
        if (side.Position() == TSideBarPosition::spLeftRight && side.Visible())
            cols = positions + 2;
        SetColCount(cols);
        SetRowCount(cells);
        if (side.Position() != TSideBarPosition::spRight)
            SetFixedCols(1);
    }
    UpdatePositions();
}

void TPlannerGrid::UpdatePositions()
{
    const TPlannerSideBar& side = m_planner.Sidebar();
    const int sideExtent = side.Visible() ? side.Width() : 1;
    const int positions = std::max(1, m_planner.Positions());
    const TRect r = ClientRect();
    if (horizontal()) {
        SetRowHeights(0, sideExtent);
        const int share = std::max(1, (r.Bottom - r.Top - sideExtent) / positions);
        for (int row = 1; row < RowCount(); ++row)
            SetRowHeights(row, share);
        return;
    }
    int sideLines = 1;
    if (side.Position() == TSideBarPosition::spLeftRight && side.Visible())
        sideLines = 2;
    const int share = std::max(1, (r.Right - r.Left - sideLines * sideExtent) / positions);
    for (int col = 0; col < ColCount(); ++col) {
        const bool isSide =
            (col == 0 && side.Position() != TSideBarPosition::spRight) ||
            (col == ColCount() - 1 &&
             (side.Position() == TSideBarPosition::spRight ||
              (side.Position() == TSideBarPosition::spLeftRight && sideLines == 2)));
        SetColWidths(col, isSide ? sideExtent : share);
    }
}

void TPlannerGrid::InvalidateCells(int pos, int fromCell, int toCell)
{
    const int count = CellCount();
    const int from = std::max(fromCell, 0);
    const int to = std::min(toCell, count);
    const int line = PositionToLine(pos);
    const int lines = horizontal() ? RowCount() : ColCount();
    if (from >= to || line < 0 || line >= lines)
        return;
    m_invalidated += to - from;
    // A grid that is not on screen has nothing to repaint.
    if (!isVisible())
        return;
    invalidateSpan(line, from, to - 1);
    if (m_planner.Sidebar().ShowOccupied()) {
        const int sideLine =
            m_planner.Sidebar().Position() == TSideBarPosition::spRight ? lines - 1 : 0;
        invalidateSpan(sideLine, from, to - 1);
    }
}

void TPlannerGrid::invalidateSpan(int line, int firstCell, int lastCell)
{
    // The pixel union of the first and the last cell; the whole grid when either is out of
    // view, which costs less than finding the visible part.
    const bool across = horizontal();
    const TRect a = across ? CellRect(firstCell, line) : CellRect(line, firstCell);
    const TRect b = across ? CellRect(lastCell, line) : CellRect(line, lastCell);
    if (a.Right <= a.Left || b.Right <= b.Left) {
        update();
        return;
    }
    const int left = std::min(a.Left, b.Left);
    const int top = std::min(a.Top, b.Top);
    update(left, top, std::max(a.Right, b.Right) - left, std::max(a.Bottom, b.Bottom) - top);
}

void TPlannerGrid::Resize()
{
    TCustomGrid::Resize();
    UpdatePositions();
}

// --- Planner ----------------------------------------------------------------------------

TCustomPlanner::TCustomPlanner(QWidget* parent)
    : TCustomControl(parent), m_grid(new TPlannerGrid(*this)),
      m_sidebar(std::make_unique<TPlannerSideBar>(*this)),
      m_display(std::make_unique<TPlannerDisplay>(*this)),
      m_mode(std::make_unique<TPlannerMode>(*this)),
      m_positionProps(std::make_unique<TPositionProps>(*this)),
      m_dayNames{QStringLiteral("Sun"), QStringLiteral("Mon"), QStringLiteral("Tue"),
                 QStringLiteral("Wed"), QStringLiteral("Thu"), QStringLiteral("Fri"),
                 QStringLiteral("Sat")}
{
    m_dayNames.OnChange = [this](TStringList&) { m_grid->InvalidateGrid(); };
    m_inActiveDays.OnChanged = [this](TWeekDays&) { rebuildInactiveDays(); };
    m_templateItems.reset(new TPlannerItems(*this, true));
    m_defaultItem = &m_templateItems->Add();
    m_items = CreateItems();
    rebuildInactiveDays();
    m_grid->RebuildStructure();
    UpdateGrid(false);
    resize(350, 300);
}

TCustomPlanner::~TCustomPlanner()
{
    m_destroying = true;
    m_items.reset();
    m_templateItems.reset();
}

std::unique_ptr<TPlannerItems> TCustomPlanner::CreateItems()
{
    return std::make_unique<TPlannerItems>(*this);
}

void TCustomPlanner::RecreateItems()
{
    m_items = CreateItems();
}

void TCustomPlanner::LayoutParts()
{
    m_grid->setGeometry(0, 0, width(), height());
}

void TCustomPlanner::Resize()
{
    TCustomControl::Resize();
    LayoutParts();
}

void TCustomPlanner::BeginLoad()
{
    m_loading = true;
    m_display->BeginLoad();
}

void TCustomPlanner::Loaded()
{
    m_loading = false;
    m_display->Loaded();
    UpdateGrid(false);
    m_items->UpdateConflicts();
    LayoutGrid();
}

void TCustomPlanner::SetPositions(int count)
{
    if (count <= 0 || count == m_positions)
        return;
    m_positions = count;
    m_grid->RebuildStructure();
    m_items->UpdateConflicts();
}

void TCustomPlanner::SetLayer(int layer)
{
    if (layer == m_layer)
        return;
    m_layer = layer;
    m_items->UpdateConflicts();
    m_grid->InvalidateGrid();
}

void TCustomPlanner::SetItemGap(int pixels)
{
    m_itemGap = pixels;
    m_grid->InvalidateGrid();
}

void TCustomPlanner::SetHourType(THourType type)
{
    if (type == m_hourType)
        return;
    m_hourType = type;
    m_grid->InvalidateGrid();
}

void TCustomPlanner::SetDayNames(const TStringList& names)
{
    m_dayNames.Assign(names);
    m_grid->InvalidateGrid();
}

void TCustomPlanner::SetTrackWidth(int pixels)
{
    m_trackWidth = pixels;
    m_grid->InvalidateGrid();
}

void TCustomPlanner::rebuildInactiveDays()
{
    m_inactiveDaySet = 0;
    for (int day = 1; day <= 7; ++day) {
        if (m_inActiveDays.Day(day))
            m_inactiveDaySet |= 1u << day;
    }
    m_grid->InvalidateGrid();
}

void TCustomPlanner::UpdateGrid(bool keepMinutes)
{
    if (m_display->Updating() || m_loading || !m_items)
        return;
    const TPlannerDisplay& d = *m_display;
    const int cells = d.DisplayEnd() - d.DisplayStart() + 1;
    if (m_grid->CellCount() != cells)
        m_grid->SetCellCount(cells);
    m_grid->SetCellScale(d.DisplayScale());
    for (int i = 0; i < m_items->Count(); ++i)
        m_items->Items(i).FollowGrid(keepMinutes);
    LayoutGrid();
    // The cells changed under the items, so their sub-columns are laid out again.
    m_items->UpdateConflicts();
}

void TCustomPlanner::RepaintItems()
{
    for (int i = 0; i < m_items->Count(); ++i)
        m_items->Items(i).RepaintItem();
}

void TCustomPlanner::LayoutGrid()
{
    m_grid->UpdatePositions();
}

TDateTime TCustomPlanner::CurrentTime()
{
    TDateTime now = Now();
    Raise(OnGetCurrentTime, *this, now);
    return now;
}

void TCustomPlanner::UpdateCurrentItems(int currentCell)
{
    const int from = m_display->CurrentPosFrom();
    const int to = m_display->CurrentPosTo();
    for (int i = 0; i < m_items->Count(); ++i) {
        TPlannerItem& item = m_items->Items(i);
        const bool inPositions =
            from == -1 || to == -1 || (item.ItemPos() >= from && item.ItemPos() <= to);
        item.SetCurrentActive(item.Covers(currentCell) && !item.InHeader() && inPositions);
    }
}

// --- Hooks ------------------------------------------------------------------------------

TDateTime TCustomPlanner::PositionToDay(int pos)
{
    TDateTime day = 0;
    Raise(OnPositionToDay, *this, pos, day);
    return day;
}

TDateTime TCustomPlanner::IndexToTime(int index)
{
    TDateTime value = 0;
    if (m_mode->PlannerType() == TPlannerType::plCustomList && index >= 0 &&
        index < m_customDates.Count())
        value = m_customDates.Items(index);
    Raise(OnCustomIndexToTime, *this, index, value);
    return value;
}

int TCustomPlanner::TimeToIndex(TDateTime value)
{
    int index = 0;
    if (m_mode->PlannerType() == TPlannerType::plCustomList) {
        for (int i = 0; i < m_customDates.Count(); ++i) {
            if (m_customDates.Items(i) >= value) {
                index = i;
                break;
            }
        }
    }
    Raise(OnCustomTimeToIndex, *this, value, index);
    return index;
}

void TCustomPlanner::ItemSelected(TPlannerItem& item)
{
    Raise(OnItemSelect, *this, item);
}

void TCustomPlanner::ItemUpdated(TPlannerItem&) {}

void TCustomPlanner::ItemsLaidOut() {}

void TCustomPlanner::ItemInHeaderChanged(TPlannerItem&) {}

void TCustomPlanner::ItemFreeing(TPlannerItem&) {}
