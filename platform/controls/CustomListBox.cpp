// Rows, selection, scrolling and input of the owner-drawn list.
#include "platform/controls/CustomListBox.h"

#include "platform/core/RaiseEvent.h"
#include "platform/gfx/Canvas.h"

#include <QScrollBar>
#include <QStyle>
#include <algorithm>

TCustomListBox::TCustomListBox(QWidget* parent)
    : TCustomControl(parent), m_hScroll(new QScrollBar(Qt::Horizontal, this)),
      m_vScroll(new QScrollBar(Qt::Vertical, this))
{
    for (QScrollBar* bar : {m_hScroll, m_vScroll}) {
        bar->hide();
        bar->setFocusPolicy(Qt::NoFocus);
    }
    connect(m_vScroll, &QScrollBar::valueChanged, this, [this](int value) {
        if (m_updatingScrollBars || value == m_topIndex)
            return;
        UserScrolling();
        SetTopIndex(value);
    });
    connect(m_hScroll, &QScrollBar::valueChanged, this, [this](int value) {
        if (m_updatingScrollBars || value == m_horzScrollPos)
            return;
        UserScrolling();
        SetHorzScrollPos(value);
    });
    resize(120, 97);
}

TCustomListBox::~TCustomListBox() = default;

// ---- rows ----------------------------------------------------------------------------

void TCustomListBox::SetCount(int count)
{
    count = std::max(count, 0);
    if (count == m_count)
        return;
    m_count = count;
    m_selected.resize(std::size_t(count), false);
    if (m_itemIndex >= count)
        m_itemIndex = -1;
    if (m_anchor >= count)
        m_anchor = m_itemIndex;
    updateScrollBars();
    m_topIndex = std::min(m_topIndex, maxTopIndex());
    updateScrollBars();
    update();
}

void TCustomListBox::SetItemHeight(int height)
{
    if (height < 1 || height == m_itemHeight)
        return;
    m_itemHeight = height;
    updateScrollBars();
    m_topIndex = std::min(m_topIndex, maxTopIndex());
    updateScrollBars();
    update();
}

int TCustomListBox::VisibleRowCount() const
{
    return ClientRect().Height() / m_itemHeight;
}

int TCustomListBox::maxTopIndex() const
{
    return std::max(0, m_count - std::max(1, VisibleRowCount()));
}

void TCustomListBox::SetTopIndex(int index)
{
    index = std::clamp(index, 0, maxTopIndex());
    if (index == m_topIndex)
        return;
    m_topIndex = index;
    updateScrollBars();
    update();
}

void TCustomListBox::makeVisible(int index)
{
    if (index < 0)
        return;
    if (index < m_topIndex)
        SetTopIndex(index);
    else if (const int rows = std::max(1, VisibleRowCount()); index >= m_topIndex + rows)
        SetTopIndex(index - rows + 1);
}

TRect TCustomListBox::ItemRect(int index) const
{
    return Bounds(0, (index - m_topIndex) * m_itemHeight, ClientRect().Width(), m_itemHeight);
}

int TCustomListBox::ItemAtPos(TPoint p, bool existing) const
{
    const TRect client = ClientRect();
    if (p.Y < 0 || !client.Contains(p))
        return existing ? -1 : m_count;
    const int index = m_topIndex + p.Y / m_itemHeight;
    if (index >= m_count)
        return existing ? -1 : m_count;
    return index;
}

void TCustomListBox::InvalidateItem(int index)
{
    const TRect r = ItemRect(index);
    if (r.Bottom > 0 && r.Top < ClientRect().Height())
        update(ToQRect(r));
}

// ---- selection -----------------------------------------------------------------------

void TCustomListBox::SetItemIndex(int index)
{
    if (index < -1 || index >= m_count)
        return;
    if (index == m_itemIndex) {
        makeVisible(index);
        return;
    }
    if (index < 0) {
        InvalidateItem(m_itemIndex);
        m_itemIndex = -1;
        m_anchor = -1;
        return;
    }
    moveTo(index, Move::Select);
}

void TCustomListBox::SetMultiSelect(bool on)
{
    if (on == m_multiSelect)
        return;
    m_multiSelect = on;
    // The current row is the one selection both modes agree on.
    std::fill(m_selected.begin(), m_selected.end(), false);
    if (on && m_itemIndex >= 0)
        m_selected[std::size_t(m_itemIndex)] = true;
    update();
}

bool TCustomListBox::Selected(int index) const
{
    if (index < 0 || index >= m_count)
        return false;
    return m_multiSelect ? bool(m_selected[std::size_t(index)]) : index == m_itemIndex;
}

void TCustomListBox::SetSelected(int index, bool selected)
{
    if (index < 0 || index >= m_count || Selected(index) == selected)
        return;
    if (m_multiSelect) {
        m_selected[std::size_t(index)] = selected;
        InvalidateItem(index);
    } else if (selected) {
        SetItemIndex(index);
    } else {
        SetItemIndex(-1);
    }
}

int TCustomListBox::SelCount() const
{
    if (!m_multiSelect)
        return m_itemIndex >= 0 ? 1 : 0;
    return int(std::count(m_selected.begin(), m_selected.end(), true));
}

void TCustomListBox::ClearSelection()
{
    if (m_multiSelect) {
        std::fill(m_selected.begin(), m_selected.end(), false);
        update();
    } else {
        SetItemIndex(-1);
    }
}

void TCustomListBox::selectRange(int from, int to)
{
    std::fill(m_selected.begin(), m_selected.end(), false);
    for (int i = std::min(from, to); i <= std::max(from, to); ++i)
        if (i >= 0 && i < m_count)
            m_selected[std::size_t(i)] = true;
}

void TCustomListBox::moveTo(int index, Move how)
{
    index = std::clamp(index, 0, m_count - 1);
    InvalidateItem(m_itemIndex);
    m_itemIndex = index;
    // Extending keeps its anchor (a first extend has none yet); moving the caret alone
    // keeps it too, so that a later Shift+click still measures from the last plain pick.
    const bool keepAnchor = how == Move::CaretOnly || (how == Move::Extend && m_anchor >= 0);
    if (!keepAnchor)
        m_anchor = index;
    if (m_multiSelect) {
        if (how == Move::Extend)
            selectRange(m_anchor, index);
        else if (how == Move::Select)
            selectRange(index, index);
        update();
    }
    InvalidateItem(index);
    makeVisible(index);
}

void TCustomListBox::SelectionChanged()
{
    Raise(OnSelectionChange, *this);
}

// ---- horizontal extent and scroll bars -----------------------------------------------

void TCustomListBox::SetHorizontalExtent(int extent)
{
    extent = std::max(extent, 0);
    if (extent == m_horizontalExtent)
        return;
    m_horizontalExtent = extent;
    updateScrollBars();
    SetHorzScrollPos(m_horzScrollPos);
    update();
}

void TCustomListBox::SetHorzScrollPos(int pos)
{
    pos = std::clamp(pos, 0, std::max(0, m_horizontalExtent - ClientRect().Width()));
    if (pos == m_horzScrollPos)
        return;
    m_horzScrollPos = pos;
    updateScrollBars();
    update();
}

TRect TCustomListBox::ClientRect() const
{
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    return {0, 0, width() - (m_vScrollShown ? extent : 0),
            height() - (m_hScrollShown ? extent : 0)};
}

void TCustomListBox::updateScrollBars()
{
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    // Each bar narrows the other direction, so settle the pair in two rounds.
    m_hScrollShown = m_vScrollShown = false;
    for (int round = 0; round < 2; ++round) {
        m_vScrollShown = m_count * m_itemHeight > ClientRect().Height();
        m_hScrollShown = m_horizontalExtent > ClientRect().Width();
    }
    const TRect client = ClientRect();
    m_updatingScrollBars = true;
    m_vScroll->setGeometry(client.Right, 0, extent, client.Bottom);
    m_hScroll->setGeometry(0, client.Bottom, client.Right, extent);
    m_vScroll->setRange(0, maxTopIndex());
    m_vScroll->setPageStep(std::max(1, VisibleRowCount()));
    m_vScroll->setValue(m_topIndex);
    m_hScroll->setRange(0, std::max(0, m_horizontalExtent - client.Width()));
    m_hScroll->setPageStep(std::max(1, client.Width()));
    m_hScroll->setSingleStep(8);
    m_hScroll->setValue(m_horzScrollPos);
    m_vScroll->setVisible(m_vScrollShown);
    m_hScroll->setVisible(m_hScrollShown);
    m_updatingScrollBars = false;
}

void TCustomListBox::Resize()
{
    updateScrollBars();
    m_topIndex = std::min(m_topIndex, maxTopIndex());
    m_horzScrollPos =
        std::clamp(m_horzScrollPos, 0, std::max(0, m_horizontalExtent - ClientRect().Width()));
    updateScrollBars();
    TCustomControl::Resize();
}

// ---- painting ------------------------------------------------------------------------

void TCustomListBox::DrawItem(TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state)
{
    canvas.Brush().SetColor(state.Contains(TOwnerDrawStateItem::odSelected) ? clHighlight
                                                                            : Color());
    canvas.FillRect(rect);
    canvas.SaveState();
    Raise(OnDrawItem, *this, canvas, index, rect, state);
    canvas.RestoreState();
    if (state.Contains(TOwnerDrawStateItem::odFocused))
        canvas.DrawFocusRect(rect);
}

void TCustomListBox::DrawEmptyArea(TCanvas& canvas, const TRect& rect)
{
    canvas.Brush().SetColor(Color());
    canvas.FillRect(rect);
}

void TCustomListBox::Paint(TCanvas& canvas)
{
    const TRect client = ClientRect();
    if (m_hScrollShown && m_vScrollShown) {
        canvas.Brush().SetColor(clBtnFace);
        canvas.FillRect({client.Right, client.Bottom, width(), height()});
    }
    int bottom = 0;
    for (int i = m_topIndex; i < m_count; ++i) {
        const TRect r = ItemRect(i);
        if (r.Top >= client.Bottom)
            break;
        TOwnerDrawState state;
        if (Selected(i))
            state.Include(TOwnerDrawStateItem::odSelected);
        if (i == m_itemIndex && hasFocus())
            state.Include(TOwnerDrawStateItem::odFocused);
        if (!isEnabled())
            state.Include(TOwnerDrawStateItem::odDisabled);
        canvas.SaveState();
        DrawItem(canvas, i, r, state);
        canvas.RestoreState();
        bottom = r.Bottom;
    }
    if (bottom < client.Bottom)
        DrawEmptyArea(canvas, {0, bottom, client.Right, client.Bottom});
}

// ---- input ---------------------------------------------------------------------------

void TCustomListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == TMouseButton::mbLeft) {
        setFocus(Qt::MouseFocusReason);
        const int index = ItemAtPos({x, y}, true);
        if (index >= 0) {
            const bool ctrl = shift.Contains(TShiftStateItem::ssCtrl);
            const bool extend = shift.Contains(TShiftStateItem::ssShift);
            if (m_multiSelect && ctrl && !extend) {
                moveTo(index, Move::CaretOnly);
                m_anchor = index;
                m_selected[std::size_t(index)] = !m_selected[std::size_t(index)];
            } else {
                moveTo(index, m_multiSelect && extend ? Move::Extend : Move::Select);
            }
            m_tracking = true;
            SelectionChanged();
        }
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TCustomListBox::MouseMove(TShiftState shift, int x, int y)
{
    if (m_tracking && !shift.Contains(TShiftStateItem::ssLeft))
        m_tracking = false;
    if (m_tracking && m_count > 0) {
        // Above or below the rows the list scrolls one row per move, as when selecting with
        // the keyboard.
        const TRect client = ClientRect();
        int index;
        if (y < 0)
            index = std::max(m_topIndex - 1, 0);
        else if (y >= client.Bottom)
            index = std::min(m_topIndex + std::max(1, VisibleRowCount()), m_count - 1);
        else
            index = std::min(m_topIndex + y / m_itemHeight, m_count - 1);
        if (index != m_itemIndex) {
            moveTo(index, m_multiSelect ? Move::Extend : Move::Select);
            SelectionChanged();
        }
    }
    TCustomControl::MouseMove(shift, x, y);
}

void TCustomListBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == TMouseButton::mbLeft)
        m_tracking = false;
    TCustomControl::MouseUp(button, shift, x, y);
}

bool TCustomListBox::MouseWheel(TShiftState shift, int wheelDelta, TPoint pos)
{
    if (TCustomControl::MouseWheel(shift, wheelDelta, pos))
        return true;
    // Three rows a notch, the usual desktop setting; the selection stays.
    const int notches = std::max(1, std::abs(wheelDelta) / 120);
    const int top = std::clamp(m_topIndex + (wheelDelta > 0 ? -3 : 3) * notches, 0, maxTopIndex());
    if (top != m_topIndex) {
        UserScrolling();
        SetTopIndex(top);
    }
    return true;
}

void TCustomListBox::KeyDown(int& key, TShiftState shift)
{
    TCustomControl::KeyDown(key, shift);
    if (m_count == 0)
        return;
    const bool ctrl = shift.Contains(TShiftStateItem::ssCtrl);
    const bool extend = shift.Contains(TShiftStateItem::ssShift);
    const int page = std::max(1, VisibleRowCount() - 1);
    const int from = std::max(m_itemIndex, 0);
    int index;
    switch (key) {
    case VK_UP:
    case VK_LEFT:
        index = m_itemIndex < 0 ? 0 : from - 1;
        break;
    case VK_DOWN:
    case VK_RIGHT:
        index = m_itemIndex < 0 ? 0 : from + 1;
        break;
    case VK_PRIOR:
        index = from - page;
        break;
    case VK_NEXT:
        index = from + page;
        break;
    case VK_HOME:
        index = 0;
        break;
    case VK_END:
        index = m_count - 1;
        break;
    case VK_SPACE:
        if (m_multiSelect && ctrl && m_itemIndex >= 0) {
            m_selected[std::size_t(m_itemIndex)] = !m_selected[std::size_t(m_itemIndex)];
            InvalidateItem(m_itemIndex);
            SelectionChanged();
        }
        return;
    default:
        return;
    }
    index = std::clamp(index, 0, m_count - 1);
    const Move how = !m_multiSelect ? Move::Select
                     : extend       ? Move::Extend
                     : ctrl         ? Move::CaretOnly
                                    : Move::Select;
    const bool changed = index != m_itemIndex || how == Move::Select;
    const int oldIndex = m_itemIndex;
    const int oldCount = SelCount();
    moveTo(index, how);
    if (changed && (index != oldIndex || SelCount() != oldCount))
        SelectionChanged();
}
