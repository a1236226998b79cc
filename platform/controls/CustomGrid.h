// The cell grid the planner and the data grid are built on: columns and rows with their own
// widths and heights, fixed columns and rows that stay in place while the rest scrolls by
// whole cells, a current cell and a rectangular range selection, and a virtual cell painter.
//
// Geometry. Fixed columns come first from the left edge, then the scrolling columns from
// LeftCol on; each column is followed by a grid line of GridLineWidth pixels (none when no
// line option is set). Rows likewise from the top with TopRow. A cell's rectangle is its own
// area without the line; the line belongs to the cell before it when hit-testing.
//
// Selection. The current cell (Col, Row) is one corner of the selection, the anchor the
// other; a plain click or arrow key moves both, Shift (or dragging with the button down)
// moves only the current cell while goRangeSelect is on. SelectCell is asked before a cell
// becomes current and may refuse it.
//
// Painting. Every visible cell is painted through DrawCell with its rectangle and state
// (gdFixed, gdSelected inside the selection, gdFocused for the current cell while the grid
// has the focus). With DefaultDrawing the grid first fills the cell (fixed colour, highlight
// or Color); without it DrawCell alone paints the cell.
#pragma once

#include "platform/controls/CustomControl.h"
#include "platform/core/EnumSet.h"

#include <functional>
#include <vector>

class QScrollBar;

enum class TGridDrawStateItem
{
    gdSelected,
    gdFocused,
    gdFixed
};
using TGridDrawState = TEnumSet<TGridDrawStateItem>;

enum class TGridOption
{
    goFixedVertLine,
    goFixedHorzLine,
    goVertLine,
    goHorzLine,
    goRangeSelect,
    goDrawFocusSelected,
    goRowSelect,
    goThumbTracking
};
using TGridOptions = TEnumSet<TGridOption>;

enum class TScrollStyle
{
    ssNone,
    ssHorizontal,
    ssVertical,
    ssBoth
};

// A cell by column (X) and row (Y); -1 for none.
struct TGridCoord
{
    int X = -1;
    int Y = -1;
    friend bool operator==(const TGridCoord&, const TGridCoord&) = default;
};

// A block of cells, both corners included.
struct TGridRect
{
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool Contains(int col, int row) const
    {
        return col >= Left && col <= Right && row >= Top && row <= Bottom;
    }
    friend bool operator==(const TGridRect&, const TGridRect&) = default;
};

class TCustomGrid : public TCustomControl
{
public:
    explicit TCustomGrid(QWidget* parent = nullptr);
    ~TCustomGrid() override;

    // Shape. Counts are at least 1 and fixed counts below them; other values are ignored.
    int ColCount() const { return int(m_colWidths.size()); } // 5
    void SetColCount(int count);
    int RowCount() const { return int(m_rowHeights.size()); } // 5
    void SetRowCount(int count);
    int FixedCols() const { return m_fixedCols; } // 1
    void SetFixedCols(int count);
    int FixedRows() const { return m_fixedRows; } // 1
    void SetFixedRows(int count);
    // Setting a default size gives every column (row) that size.
    int DefaultColWidth() const { return m_defaultColWidth; } // 64
    void SetDefaultColWidth(int width);
    int DefaultRowHeight() const { return m_defaultRowHeight; } // 24
    void SetDefaultRowHeight(int height);
    // Per column and row; an index out of range reads 0 and writes nothing.
    int ColWidths(int col) const;
    void SetColWidths(int col, int width);
    int RowHeights(int row) const;
    void SetRowHeights(int row, int height);
    int GridLineWidth() const { return m_gridLineWidth; } // 1
    void SetGridLineWidth(int width);
    TColor GridLineColor() const { return m_gridLineColor; } // clSilver
    void SetGridLineColor(TColor color);
    TColor FixedColor() const { return m_fixedColor; } // clBtnFace
    void SetFixedColor(TColor color);
    // {goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect}
    TGridOptions Options() const { return m_options; }
    void SetOptions(TGridOptions options);
    bool DefaultDrawing() const { return m_defaultDrawing; } // true
    void SetDefaultDrawing(bool on);
    TScrollStyle ScrollBars() const { return m_scrollBars; } // TScrollStyle::ssBoth
    void SetScrollBars(TScrollStyle style);

    // Scrolling by cell. TopRow stays between FixedRows and the last row that still lets the
    // final row show fully; LeftCol likewise.
    int TopRow() const { return m_topRow; } // FixedRows
    void SetTopRow(int row);
    int LeftCol() const { return m_leftCol; } // FixedCols
    void SetLeftCol(int col);
    void SetTopLeft(int col, int row);
    // Scrolling rows (columns) that fit entirely from TopRow (LeftCol) on.
    int VisibleRowCount() const;
    int VisibleColCount() const;
    // Scrolls as little as needed to show the cell entirely (its top-left when it is larger
    // than the view).
    void MakeVisible(int col, int row);

    // Current cell and selection. Setting Col or Row asks SelectCell, collapses the
    // selection onto the new cell and scrolls it into view.
    int Col() const { return m_current.X; } // FixedCols
    void SetCol(int col);
    int Row() const { return m_current.Y; } // FixedRows
    void SetRow(int row);
    TGridCoord Anchor() const { return m_anchor; }
    TGridRect Selection() const;
    // Anchor at the top-left, current cell at the bottom-right; corners are clamped to the
    // scrolling cells. SelectCell is not asked.
    void SetSelection(const TGridRect& selection);

    // Geometry in client pixels. CellRect is empty for a cell scrolled out of view or past
    // the client area; a partly visible cell gets its whole rectangle.
    TRect CellRect(int col, int row) const;
    TGridCoord MouseCoord(int x, int y) const;
    void MouseToCell(int x, int y, int& col, int& row) const;

    // Repaints the cell, the block of cells, or the whole grid.
    void InvalidateCell(int col, int row);
    void InvalidateRange(const TGridRect& cells);
    void InvalidateGrid();

    TRect ClientRect() const override;
    QScrollBar* HorzScrollBar() const { return m_hScroll; }
    QScrollBar* VertScrollBar() const { return m_vScroll; }

    // May refuse a cell becoming current (canSelect starts true).
    std::function<void(QWidget& sender, int col, int row, bool& canSelect)> OnSelectCell;
    std::function<void(QWidget& sender)> OnTopLeftChanged;
    // Called by the default DrawCell.
    std::function<void(QWidget& sender, TCanvas& canvas, int col, int row, const TRect& rect,
                       TGridDrawState state)>
        OnDrawCell;

protected:
    // The cell painter; the default raises OnDrawCell.
    virtual void DrawCell(TCanvas& canvas, int col, int row, const TRect& rect,
                          TGridDrawState state);
    // Whether col, row may become the current cell; the default raises OnSelectCell.
    virtual bool SelectCell(int col, int row);
    // After TopRow or LeftCol changed; the default raises OnTopLeftChanged.
    virtual void TopLeftChanged();

    void Paint(TCanvas& canvas) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    // Without a handler taking it, each notch moves the current row by one.
    bool MouseWheel(TShiftState shift, int wheelDelta, TPoint pos) override;
    void KeyDown(int& key, TShiftState shift) override;
    void Resize() override;

    // Whether a range selection with the mouse is under way; a derived grid may end it.
    bool Selecting() const { return m_selecting; }
    void CancelSelecting() { m_selecting = false; }
    // Moves the current cell (asking SelectCell when it changes); the anchor follows unless
    // extend is set and range selection is on. Returns false when SelectCell refused.
    bool MoveCurrent(int col, int row, bool extend, bool show);

private:
    int lineWidth(bool vertical) const;
    int fixedExtent(bool columns) const;
    int maxTopRow() const;
    int maxLeftCol() const;
    int visibleCount(bool columns) const;
    int cellStart(bool columns, int index) const;
    int clientExtent(bool columns) const;
    bool fits(bool columns, int first, int index) const;
    int cellAt(bool columns, int pos) const;
    void clampAfterShapeChange();
    void updateScrollBars();
    void shapeChanged();
    void paintLines(TCanvas& canvas, int paintedRight, int paintedBottom);
    TGridCoord cellAtClamped(int x, int y) const;

    std::vector<int> m_colWidths;
    std::vector<int> m_rowHeights;
    int m_fixedCols = 1;
    int m_fixedRows = 1;
    int m_defaultColWidth = 64;
    int m_defaultRowHeight = 24;
    int m_gridLineWidth = 1;
    TColor m_gridLineColor = clSilver;
    TColor m_fixedColor = clBtnFace;
    TGridOptions m_options{TGridOption::goFixedVertLine, TGridOption::goFixedHorzLine,
                           TGridOption::goVertLine, TGridOption::goHorzLine,
                           TGridOption::goRangeSelect};
    bool m_defaultDrawing = true;
    TScrollStyle m_scrollBars = TScrollStyle::ssBoth;
    int m_topRow = 1;
    int m_leftCol = 1;
    TGridCoord m_current{1, 1};
    TGridCoord m_anchor{1, 1};
    bool m_selecting = false;
    bool m_updatingScrollBars = false;
    bool m_hScrollShown = false;
    bool m_vScrollShown = false;
    QScrollBar* m_hScroll; // children of the grid
    QScrollBar* m_vScroll;
};
