// The grid's mouse and keyboard: clicking and dragging a range of cells, Shift-extended
// selection, arrow, page, Home and End keys, and the wheel. Each moves the current cell
// through MoveCurrent, so SelectCell sees every cell that would become current.
#include "platform/controls/CustomGrid.h"

#include <algorithm>

void TCustomGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == TMouseButton::mbLeft) {
        setFocus(Qt::MouseFocusReason);
        const TGridCoord cell = MouseCoord(x, y);
        if (cell.X >= m_fixedCols && cell.Y >= m_fixedRows) {
            const bool extend = shift.Contains(TShiftStateItem::ssShift);
            m_selecting = MoveCurrent(cell.X, cell.Y, extend, true) &&
                          m_options.Contains(TGridOption::goRangeSelect);
        }
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

TGridCoord TCustomGrid::cellAtClamped(int x, int y) const
{
    // Past an edge of the view the selection reaches for the first cell not fully shown
    // there, which MakeVisible then scrolls in: dragging out of the grid scrolls one cell
    // per move.
    const TRect client = ClientRect();
    const int fixedW = fixedExtent(true);
    const int fixedH = fixedExtent(false);
    int col = cellAt(true, std::clamp(x, fixedW, std::max(fixedW, client.Right - 1)));
    int row = cellAt(false, std::clamp(y, fixedH, std::max(fixedH, client.Bottom - 1)));
    if (col < 0)
        col = m_current.X;
    if (row < 0)
        row = m_current.Y;
    if (x >= client.Right)
        col = std::min(m_leftCol + VisibleColCount(), ColCount() - 1);
    else if (x < fixedW)
        col = std::max(m_leftCol - 1, m_fixedCols);
    if (y >= client.Bottom)
        row = std::min(m_topRow + VisibleRowCount(), RowCount() - 1);
    else if (y < fixedH)
        row = std::max(m_topRow - 1, m_fixedRows);
    return {col, row};
}

void TCustomGrid::MouseMove(TShiftState shift, int x, int y)
{
    if (m_selecting && !shift.Contains(TShiftStateItem::ssLeft))
        m_selecting = false;
    if (m_selecting) {
        const TGridCoord cell = cellAtClamped(x, y);
        if (cell != m_current)
            MoveCurrent(cell.X, cell.Y, true, true);
    }
    TCustomControl::MouseMove(shift, x, y);
}

void TCustomGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == TMouseButton::mbLeft)
        m_selecting = false;
    TCustomControl::MouseUp(button, shift, x, y);
}

bool TCustomGrid::MouseWheel(TShiftState shift, int wheelDelta, TPoint pos)
{
    if (TCustomControl::MouseWheel(shift, wheelDelta, pos))
        return true;
    // A fast wheel sends several notches in one event.
    const int notches = std::max(1, std::abs(wheelDelta) / 120);
    const int step = wheelDelta > 0 ? -notches : notches;
    MoveCurrent(m_current.X, m_current.Y + step, false, true);
    return true;
}

void TCustomGrid::KeyDown(int& key, TShiftState shift)
{
    TCustomControl::KeyDown(key, shift);
    const bool extend = shift.Contains(TShiftStateItem::ssShift);
    const bool ctrl = shift.Contains(TShiftStateItem::ssCtrl);
    const bool rowSelect = m_options.Contains(TGridOption::goRowSelect);
    int col = m_current.X;
    int row = m_current.Y;
    const int page = std::max(1, VisibleRowCount());
    switch (key) {
    case VK_UP:
        --row;
        break;
    case VK_DOWN:
        ++row;
        break;
    case VK_LEFT:
        // Whole rows are selected: sideways keys only scroll.
        if (rowSelect) {
            SetLeftCol(m_leftCol - 1);
            return;
        }
        --col;
        break;
    case VK_RIGHT:
        if (rowSelect) {
            SetLeftCol(m_leftCol + 1);
            return;
        }
        ++col;
        break;
    case VK_PRIOR:
        row -= page;
        break;
    case VK_NEXT:
        row += page;
        break;
    case VK_HOME:
        if (ctrl || rowSelect)
            row = m_fixedRows;
        if (!rowSelect)
            col = m_fixedCols;
        break;
    case VK_END:
        if (ctrl || rowSelect)
            row = RowCount() - 1;
        if (!rowSelect)
            col = ColCount() - 1;
        break;
    default:
        return;
    }
    MoveCurrent(col, row, extend, true);
}
