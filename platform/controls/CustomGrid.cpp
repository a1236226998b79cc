// The grid's geometry, scrolling, scroll bars and painting. Columns and rows share one set
// of axis helpers (the `columns` flag picks the axis), so the two directions cannot drift
// apart. Mouse and keyboard handling is in CustomGridInput.cpp.
#include "platform/controls/CustomGrid.h"

#include "platform/core/RaiseEvent.h"
#include "platform/gfx/Canvas.h"

#include <QScrollBar>
#include <QStyle>
#include <algorithm>

TCustomGrid::TCustomGrid(QWidget* parent)
    : TCustomControl(parent), m_colWidths(5, 64), m_rowHeights(5, 24),
      m_hScroll(new QScrollBar(Qt::Horizontal, this)), m_vScroll(new QScrollBar(Qt::Vertical, this))
{
    for (QScrollBar* bar : {m_hScroll, m_vScroll}) {
        bar->hide();
        bar->setFocusPolicy(Qt::NoFocus);
        bar->setTracking(false);
    }
    connect(m_hScroll, &QScrollBar::valueChanged, this, [this](int value) {
        if (!m_updatingScrollBars)
            SetLeftCol(value);
    });
    connect(m_vScroll, &QScrollBar::valueChanged, this, [this](int value) {
        if (!m_updatingScrollBars)
            SetTopRow(value);
    });
    resize(320, 120);
}

TCustomGrid::~TCustomGrid() = default;

// ---- shape -------------------------------------------------------------------------------

void TCustomGrid::SetColCount(int count)
{
    if (count < 1 || count == ColCount())
        return;
    m_colWidths.resize(std::size_t(count), m_defaultColWidth);
    m_fixedCols = std::min(m_fixedCols, count - 1);
    shapeChanged();
}

void TCustomGrid::SetRowCount(int count)
{
    if (count < 1 || count == RowCount())
        return;
    m_rowHeights.resize(std::size_t(count), m_defaultRowHeight);
    m_fixedRows = std::min(m_fixedRows, count - 1);
    shapeChanged();
}

void TCustomGrid::SetFixedCols(int count)
{
    // A grid needs at least one scrolling column to hold the current cell.
    if (count < 0 || count >= ColCount() || count == m_fixedCols)
        return;
    m_fixedCols = count;
    shapeChanged();
}

void TCustomGrid::SetFixedRows(int count)
{
    if (count < 0 || count >= RowCount() || count == m_fixedRows)
        return;
    m_fixedRows = count;
    shapeChanged();
}

void TCustomGrid::SetDefaultColWidth(int width)
{
    if (width < 0)
        return;
    m_defaultColWidth = width;
    std::fill(m_colWidths.begin(), m_colWidths.end(), width);
    shapeChanged();
}

void TCustomGrid::SetDefaultRowHeight(int height)
{
    if (height < 0)
        return;
    m_defaultRowHeight = height;
    std::fill(m_rowHeights.begin(), m_rowHeights.end(), height);
    shapeChanged();
}

int TCustomGrid::ColWidths(int col) const
{
    return col >= 0 && col < ColCount() ? m_colWidths[std::size_t(col)] : 0;
}

void TCustomGrid::SetColWidths(int col, int width)
{
    if (col < 0 || col >= ColCount() || width < 0 || m_colWidths[std::size_t(col)] == width)
        return;
    m_colWidths[std::size_t(col)] = width;
    shapeChanged();
}

int TCustomGrid::RowHeights(int row) const
{
    return row >= 0 && row < RowCount() ? m_rowHeights[std::size_t(row)] : 0;
}

void TCustomGrid::SetRowHeights(int row, int height)
{
    if (row < 0 || row >= RowCount() || height < 0 || m_rowHeights[std::size_t(row)] == height)
        return;
    m_rowHeights[std::size_t(row)] = height;
    shapeChanged();
}

void TCustomGrid::SetGridLineWidth(int width)
{
    if (width < 0 || width == m_gridLineWidth)
        return;
    m_gridLineWidth = width;
    shapeChanged();
}

void TCustomGrid::SetGridLineColor(TColor color)
{
    if (color == m_gridLineColor)
        return;
    m_gridLineColor = color;
    update();
}

void TCustomGrid::SetFixedColor(TColor color)
{
    if (color == m_fixedColor)
        return;
    m_fixedColor = color;
    update();
}

void TCustomGrid::SetOptions(TGridOptions options)
{
    if (options == m_options)
        return;
    m_options = options;
    m_hScroll->setTracking(options.Contains(TGridOption::goThumbTracking));
    m_vScroll->setTracking(options.Contains(TGridOption::goThumbTracking));
    // Line options change the geometry; range selection off collapses the selection.
    if (!options.Contains(TGridOption::goRangeSelect))
        m_anchor = m_current;
    shapeChanged();
}

void TCustomGrid::SetDefaultDrawing(bool on)
{
    if (on == m_defaultDrawing)
        return;
    m_defaultDrawing = on;
    update();
}

void TCustomGrid::SetScrollBars(TScrollStyle style)
{
    if (style == m_scrollBars)
        return;
    m_scrollBars = style;
    shapeChanged();
}

void TCustomGrid::shapeChanged()
{
    clampAfterShapeChange();
    updateScrollBars();
    // The scroll bars change the client area, which can change how far the grid may scroll.
    clampAfterShapeChange();
    update();
}

void TCustomGrid::clampAfterShapeChange()
{
    const auto clampCell = [this](TGridCoord& c) {
        c.X = std::clamp(c.X, m_fixedCols, ColCount() - 1);
        c.Y = std::clamp(c.Y, m_fixedRows, RowCount() - 1);
    };
    clampCell(m_current);
    clampCell(m_anchor);
    const int top = std::clamp(m_topRow, m_fixedRows, maxTopRow());
    const int left = std::clamp(m_leftCol, m_fixedCols, maxLeftCol());
    if (top != m_topRow || left != m_leftCol) {
        m_topRow = top;
        m_leftCol = left;
        updateScrollBars();
        TopLeftChanged();
    }
}

// ---- axis helpers ------------------------------------------------------------------------

int TCustomGrid::lineWidth(bool columns) const
{
    const bool lines = columns ? (m_options.Contains(TGridOption::goFixedVertLine) ||
                                  m_options.Contains(TGridOption::goVertLine))
                               : (m_options.Contains(TGridOption::goFixedHorzLine) ||
                                  m_options.Contains(TGridOption::goHorzLine));
    return lines ? m_gridLineWidth : 0;
}

int TCustomGrid::clientExtent(bool columns) const
{
    const TRect client = ClientRect();
    return columns ? client.Width() : client.Height();
}

int TCustomGrid::fixedExtent(bool columns) const
{
    const auto& sizes = columns ? m_colWidths : m_rowHeights;
    const int fixed = columns ? m_fixedCols : m_fixedRows;
    const int lw = lineWidth(columns);
    int extent = 0;
    for (int i = 0; i < fixed; ++i)
        extent += sizes[std::size_t(i)] + lw;
    return extent;
}

int TCustomGrid::cellStart(bool columns, int index) const
{
    const auto& sizes = columns ? m_colWidths : m_rowHeights;
    const int fixed = columns ? m_fixedCols : m_fixedRows;
    const int first = columns ? m_leftCol : m_topRow;
    const int lw = lineWidth(columns);
    if (index >= fixed && index < first)
        return -1;
    int pos = 0;
    int from = 0;
    if (index >= fixed) {
        pos = fixedExtent(columns);
        from = first;
    }
    for (int i = from; i < index; ++i)
        pos += sizes[std::size_t(i)] + lw;
    return pos;
}

int TCustomGrid::cellAt(bool columns, int pos) const
{
    if (pos < 0 || pos >= clientExtent(columns))
        return -1;
    const auto& sizes = columns ? m_colWidths : m_rowHeights;
    const int fixed = columns ? m_fixedCols : m_fixedRows;
    const int first = columns ? m_leftCol : m_topRow;
    const int count = int(sizes.size());
    const int lw = lineWidth(columns);
    int end = 0;
    for (int i = 0; i < count; ++i) {
        if (i == fixed)
            i = first;
        end += sizes[std::size_t(i)] + lw;
        if (pos < end)
            return i;
    }
    return -1;
}

bool TCustomGrid::fits(bool columns, int first, int index) const
{
    const auto& sizes = columns ? m_colWidths : m_rowHeights;
    const int lw = lineWidth(columns);
    int used = 0;
    for (int i = first; i <= index; ++i)
        used += sizes[std::size_t(i)] + (i < index ? lw : 0);
    return used <= clientExtent(columns) - fixedExtent(columns);
}

int TCustomGrid::visibleCount(bool columns) const
{
    const int first = columns ? m_leftCol : m_topRow;
    const int count = columns ? ColCount() : RowCount();
    int n = 0;
    while (first + n < count && fits(columns, first, first + n))
        ++n;
    return n;
}

int TCustomGrid::maxTopRow() const
{
    int top = RowCount() - 1;
    while (top > m_fixedRows && fits(false, top - 1, RowCount() - 1))
        --top;
    return std::max(top, m_fixedRows);
}

int TCustomGrid::maxLeftCol() const
{
    int left = ColCount() - 1;
    while (left > m_fixedCols && fits(true, left - 1, ColCount() - 1))
        --left;
    return std::max(left, m_fixedCols);
}

int TCustomGrid::VisibleRowCount() const
{
    return visibleCount(false);
}

int TCustomGrid::VisibleColCount() const
{
    return visibleCount(true);
}

// ---- scrolling ---------------------------------------------------------------------------

void TCustomGrid::SetTopRow(int row)
{
    SetTopLeft(m_leftCol, row);
}

void TCustomGrid::SetLeftCol(int col)
{
    SetTopLeft(col, m_topRow);
}

void TCustomGrid::SetTopLeft(int col, int row)
{
    col = std::clamp(col, m_fixedCols, maxLeftCol());
    row = std::clamp(row, m_fixedRows, maxTopRow());
    if (col == m_leftCol && row == m_topRow)
        return;
    m_leftCol = col;
    m_topRow = row;
    updateScrollBars();
    update();
    TopLeftChanged();
}

void TCustomGrid::MakeVisible(int col, int row)
{
    int left = m_leftCol;
    int top = m_topRow;
    if (col >= m_fixedCols && col < ColCount()) {
        if (col < left)
            left = col;
        while (left < col && !fits(true, left, col))
            ++left;
    }
    if (row >= m_fixedRows && row < RowCount()) {
        if (row < top)
            top = row;
        while (top < row && !fits(false, top, row))
            ++top;
    }
    SetTopLeft(left, top);
}

void TCustomGrid::updateScrollBars()
{
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const bool allowH =
        m_scrollBars == TScrollStyle::ssHorizontal || m_scrollBars == TScrollStyle::ssBoth;
    const bool allowV =
        m_scrollBars == TScrollStyle::ssVertical || m_scrollBars == TScrollStyle::ssBoth;
    // Showing one bar narrows the other direction, so settle the pair in two rounds.
    m_hScrollShown = m_vScrollShown = false;
    for (int round = 0; round < 2; ++round) {
        m_hScrollShown = allowH && maxLeftCol() > m_fixedCols;
        m_vScrollShown = allowV && maxTopRow() > m_fixedRows;
    }
    m_updatingScrollBars = true;
    const int w = width();
    const int h = height();
    m_hScroll->setGeometry(0, h - extent, w - (m_vScrollShown ? extent : 0), extent);
    m_vScroll->setGeometry(w - extent, 0, extent, h - (m_hScrollShown ? extent : 0));
    m_hScroll->setRange(m_fixedCols, maxLeftCol());
    m_hScroll->setPageStep(std::max(1, VisibleColCount()));
    m_hScroll->setValue(m_leftCol);
    m_vScroll->setRange(m_fixedRows, maxTopRow());
    m_vScroll->setPageStep(std::max(1, VisibleRowCount()));
    m_vScroll->setValue(m_topRow);
    m_hScroll->setVisible(m_hScrollShown);
    m_vScroll->setVisible(m_vScrollShown);
    m_updatingScrollBars = false;
}

TRect TCustomGrid::ClientRect() const
{
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    return {0, 0, width() - (m_vScrollShown ? extent : 0),
            height() - (m_hScrollShown ? extent : 0)};
}

void TCustomGrid::Resize()
{
    shapeChanged();
    TCustomControl::Resize();
}

void TCustomGrid::TopLeftChanged()
{
    Raise(OnTopLeftChanged, *this);
}

// ---- current cell and selection ----------------------------------------------------------

TGridRect TCustomGrid::Selection() const
{
    TGridRect r{std::min(m_anchor.X, m_current.X), std::min(m_anchor.Y, m_current.Y),
                std::max(m_anchor.X, m_current.X), std::max(m_anchor.Y, m_current.Y)};
    if (m_options.Contains(TGridOption::goRowSelect)) {
        r.Left = m_fixedCols;
        r.Right = ColCount() - 1;
    }
    return r;
}

void TCustomGrid::SetSelection(const TGridRect& selection)
{
    InvalidateRange(Selection());
    m_anchor = {std::clamp(std::min(selection.Left, selection.Right), m_fixedCols, ColCount() - 1),
                std::clamp(std::min(selection.Top, selection.Bottom), m_fixedRows, RowCount() - 1)};
    m_current = {
        std::clamp(std::max(selection.Left, selection.Right), m_fixedCols, ColCount() - 1),
        std::clamp(std::max(selection.Top, selection.Bottom), m_fixedRows, RowCount() - 1)};
    InvalidateRange(Selection());
}

void TCustomGrid::SetCol(int col)
{
    MoveCurrent(col, m_current.Y, false, true);
}

void TCustomGrid::SetRow(int row)
{
    MoveCurrent(m_current.X, row, false, true);
}

bool TCustomGrid::SelectCell(int col, int row)
{
    bool canSelect = true;
    Raise(OnSelectCell, *this, col, row, canSelect);
    return canSelect;
}

bool TCustomGrid::MoveCurrent(int col, int row, bool extend, bool show)
{
    col = std::clamp(col, m_fixedCols, ColCount() - 1);
    row = std::clamp(row, m_fixedRows, RowCount() - 1);
    extend = extend && m_options.Contains(TGridOption::goRangeSelect);
    const TGridCoord target{col, row};
    if (target != m_current && !SelectCell(col, row))
        return false;
    InvalidateRange(Selection());
    m_current = target;
    if (!extend)
        m_anchor = target;
    InvalidateRange(Selection());
    if (show)
        MakeVisible(col, row);
    return true;
}

// ---- hit testing and invalidation --------------------------------------------------------

TRect TCustomGrid::CellRect(int col, int row) const
{
    if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount())
        return {};
    const int x = cellStart(true, col);
    const int y = cellStart(false, row);
    if (x < 0 || y < 0 || x >= clientExtent(true) || y >= clientExtent(false))
        return {};
    return Bounds(x, y, m_colWidths[std::size_t(col)], m_rowHeights[std::size_t(row)]);
}

TGridCoord TCustomGrid::MouseCoord(int x, int y) const
{
    const int col = cellAt(true, x);
    const int row = cellAt(false, y);
    if (col < 0 || row < 0)
        return {};
    return {col, row};
}

void TCustomGrid::MouseToCell(int x, int y, int& col, int& row) const
{
    const TGridCoord c = MouseCoord(x, y);
    col = c.X;
    row = c.Y;
}

void TCustomGrid::InvalidateRange(const TGridRect& cells)
{
    // Only the part on screen matters: walk the visible cells of the block.
    TRect area;
    bool any = false;
    const auto visibleIndexes = [this](bool columns, int from, int to) {
        std::vector<int> result;
        const int fixed = columns ? m_fixedCols : m_fixedRows;
        const int first = columns ? m_leftCol : m_topRow;
        const int last = first + visibleCount(columns); // one partly visible cell more
        for (int i = std::max(from, 0); i <= to && i < fixed; ++i)
            result.push_back(i);
        for (int i = std::max(from, first); i <= to && i <= last; ++i)
            result.push_back(i);
        return result;
    };
    const auto cols =
        visibleIndexes(true, std::min(cells.Left, cells.Right), std::max(cells.Left, cells.Right));
    const auto rows =
        visibleIndexes(false, std::min(cells.Top, cells.Bottom), std::max(cells.Top, cells.Bottom));
    for (int r : {rows.empty() ? -1 : rows.front(), rows.empty() ? -1 : rows.back()})
        for (int c : {cols.empty() ? -1 : cols.front(), cols.empty() ? -1 : cols.back()}) {
            const TRect cell = CellRect(c, r);
            if (cell.IsEmpty())
                continue;
            if (!any)
                area = cell;
            else
                UnionRect(area, area, cell);
            any = true;
        }
    if (any)
        update(ToQRect(area));
}

void TCustomGrid::InvalidateCell(int col, int row)
{
    InvalidateRange({col, row, col, row});
}

void TCustomGrid::InvalidateGrid()
{
    update();
}

// ---- painting ----------------------------------------------------------------------------

void TCustomGrid::DrawCell(TCanvas& canvas, int col, int row, const TRect& rect,
                           TGridDrawState state)
{
    Raise(OnDrawCell, *this, canvas, col, row, rect, state);
}

void TCustomGrid::Paint(TCanvas& canvas)
{
    const TRect client = ClientRect();
    if (m_hScrollShown && m_vScrollShown) {
        canvas.Brush().SetColor(clBtnFace);
        canvas.FillRect({client.Right, client.Bottom, width(), height()});
    }
    const TGridRect selection = Selection();
    const bool focused = hasFocus();
    const bool highlightFocused = m_options.Contains(TGridOption::goDrawFocusSelected) ||
                                  m_options.Contains(TGridOption::goRowSelect);
    int paintedRight = 0;
    int paintedBottom = 0;
    const int vLine = lineWidth(true);
    const int hLine = lineWidth(false);
    for (int row = 0; row < RowCount(); ++row) {
        if (row == m_fixedRows)
            row = m_topRow;
        const int y = cellStart(false, row);
        if (y >= client.Bottom)
            break;
        const int h = m_rowHeights[std::size_t(row)];
        paintedBottom = y + h + hLine;
        for (int col = 0; col < ColCount(); ++col) {
            if (col == m_fixedCols)
                col = m_leftCol;
            const int x = cellStart(true, col);
            if (x >= client.Right)
                break;
            const TRect rect = Bounds(x, y, m_colWidths[std::size_t(col)], h);
            paintedRight = rect.Right + vLine;
            TGridDrawState state;
            const bool fixed = col < m_fixedCols || row < m_fixedRows;
            if (fixed)
                state.Include(TGridDrawStateItem::gdFixed);
            else if (selection.Contains(col, row))
                state.Include(TGridDrawStateItem::gdSelected);
            const bool current = !fixed && col == m_current.X && row == m_current.Y;
            if (current && focused)
                state.Include(TGridDrawStateItem::gdFocused);
            canvas.SaveState();
            if (m_defaultDrawing) {
                const bool highlighted =
                    state.Contains(TGridDrawStateItem::gdSelected) &&
                    (!state.Contains(TGridDrawStateItem::gdFocused) || highlightFocused);
                canvas.Brush().SetColor(fixed ? m_fixedColor : highlighted ? clHighlight : Color());
                canvas.FillRect(rect);
            }
            DrawCell(canvas, col, row, rect, state);
            canvas.RestoreState();
            if (m_defaultDrawing && state.Contains(TGridDrawStateItem::gdFocused) &&
                !m_options.Contains(TGridOption::goRowSelect))
                canvas.DrawFocusRect(rect);
        }
    }
    paintLines(canvas, paintedRight, paintedBottom);
    canvas.Brush().SetColor(Color());
    canvas.FillRect({paintedRight, 0, client.Right, client.Bottom});
    canvas.FillRect({0, paintedBottom, std::min(paintedRight, client.Right), client.Bottom});
}

void TCustomGrid::paintLines(TCanvas& canvas, int paintedRight, int paintedBottom)
{
    canvas.Brush().SetColor(m_gridLineColor);
    if (const int lw = lineWidth(true); lw > 0) {
        for (int col = 0; col < ColCount(); ++col) {
            if (col == m_fixedCols)
                col = m_leftCol;
            const int x = cellStart(true, col);
            if (x >= paintedRight)
                break;
            const int right = x + m_colWidths[std::size_t(col)];
            canvas.FillRect({right, 0, right + lw, paintedBottom});
        }
    }
    if (const int lw = lineWidth(false); lw > 0) {
        for (int row = 0; row < RowCount(); ++row) {
            if (row == m_fixedRows)
                row = m_topRow;
            const int y = cellStart(false, row);
            if (y >= paintedBottom)
                break;
            const int bottom = y + m_rowHeights[std::size_t(row)];
            canvas.FillRect({0, bottom, paintedRight, bottom + lw});
        }
    }
}
