// The inner list's rows, keyboard, mouse, hints and horizontal scrolling.
#include "comp/TodoList/TodoListBox.h"

#include "comp/TodoList/TodoList.h"
#include "platform/controls/DragDrop.h"
#include "platform/controls/HintWindow.h"
#include "platform/core/DateFormat.h"
#include "platform/core/RaiseEvent.h"
#include "platform/gfx/Canvas.h"

#include <QEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QScrollBar>
#include <algorithm>

TTodoListBox::TTodoListBox(TCustomTodoList& list)
    : TCustomListBox(&list), m_list(list), m_items(this), m_columns(this)
{
    connect(HorzScrollBar(), &QScrollBar::valueChanged, this, [this] { m_list.UpdateHeader(); });
}

TTodoListBox::~TTodoListBox() = default;

// ---- rows --------------------------------------------------------------------------------

void TTodoListBox::UpdateRowCount()
{
    if (m_list.UpdateCount() > 0)
        return;
    const int before = ItemIndex();
    const int count = m_items.Count();
    if (count == Count())
        return;
    SetCount(count);
    if (ItemIndex() < 0 && before >= 0 && count > 0)
        SetItemIndex(std::min(before, count - 1));
    UpdateHorizontalExtent();
}

void TTodoListBox::TodoItemChanged(int index)
{
    if (index >= 0 && index < Count())
        InvalidateItem(index);
}

void TTodoListBox::TodoItemsChanged()
{
    const int selected = ItemIndex();
    UpdateRowCount();
    if (selected >= 0 && selected < Count() && ItemIndex() != selected)
        SetItemIndex(selected);
    update();
}

void TTodoListBox::TodoColumnsChanged(bool sizes)
{
    update();
    m_list.UpdateHeader();
    if (sizes)
        UpdateHorizontalExtent();
}

const TFont& TTodoListBox::TodoColumnFont() const
{
    return m_list.Font();
}

void TTodoListBox::SetScrollHorizontal(bool on)
{
    if (on == m_scrollHorizontal)
        return;
    m_scrollHorizontal = on;
    UpdateHorizontalExtent();
    update();
}

void TTodoListBox::UpdateHorizontalExtent()
{
    const int total = m_columns.TotalWidth();
    SetHorizontalExtent(m_scrollHorizontal && total > ClientRect().Width() ? total : 0);
    if (!m_scrollHorizontal)
        SetHorzScrollPos(0);
    m_list.UpdateHeader();
}

// ---- geometry ----------------------------------------------------------------------------

int TTodoListBox::ColumnAtX(int x) const
{
    const int scroll = m_scrollHorizontal ? HorzScrollPos() : 0;
    int left = -scroll;
    for (int c = 0; c < m_columns.Count(); ++c) {
        int right = left + m_columns[c].Width();
        if (c == m_columns.Count() - 1 && !m_scrollHorizontal && m_list.StretchLastColumn())
            right = std::max(right, ClientRect().Right);
        if (x >= left && x < right)
            return c;
        left = right;
    }
    return -1;
}

TRect TTodoListBox::CellRect(int row, int column) const
{
    const TRect r = ItemRect(row);
    int left = r.Left - (m_scrollHorizontal ? HorzScrollPos() : 0);
    for (int c = 0; c < column && c < m_columns.Count(); ++c)
        left += m_columns[c].Width();
    int right = left + (column >= 0 && column < m_columns.Count() ? m_columns[column].Width() : 0);
    if (column == m_columns.Count() - 1 && !m_scrollHorizontal && m_list.StretchLastColumn() &&
        right < ClientRect().Right)
        right = ClientRect().Right;
    return {left, r.Top, right, r.Top + m_list.RowHeight()};
}

// ---- hints -------------------------------------------------------------------------------

QString TTodoListBox::CellHintText(int row, int column) const
{
    if (row < 0 || row >= m_items.Count() || column < 0 || column >= m_columns.Count())
        return {};
    const TTodoItem& item = m_items[row];
    switch (m_columns[column].TodoData()) {
    case TTodoData::tdSubject:
        return item.Subject();
    case TTodoData::tdResource:
        return item.Resource();
    case TTodoData::tdProject:
        return item.Project();
    case TTodoData::tdCategory:
        return item.Category();
    case TTodoData::tdCompletion:
        return m_list.CompletionGraphic() ? QString() : QString::number(item.Completion());
    case TTodoData::tdNotes:
        return m_list.Preview() ? QString() : item.Notes().Text();
    case TTodoData::tdPriority:
        return m_list.PriorityStrings().Text(item.Priority());
    case TTodoData::tdDueDate:
        return FormatDateTime(m_list.DateFormat(), item.DueDate());
    case TTodoData::tdCompletionDate:
        return FormatDateTime(m_list.DateFormat(), item.CompletionDate());
    case TTodoData::tdCreationDate:
        return FormatDateTime(m_list.DateFormat(), item.CreationDate());
    case TTodoData::tdStatus:
        return m_list.StatusStrings().Text(item.Status());
    case TTodoData::tdTotalTime:
        return TotalTimeText(item.TotalTime());
    default:
        return {};
    }
}

QString TTodoListBox::HintAt(TPoint p, TRect& cell)
{
    const int row = ItemAtPos(p, true);
    const int column = ColumnAtX(p.X);
    if (row < 0 || column < 0 || p.Y >= ItemRect(row).Top + m_list.RowHeight())
        return {};
    const QString text = CellHintText(row, column);
    if (text.trimmed().isEmpty())
        return {};
    cell = CellRect(row, column);
    const QFontMetrics metrics(m_columns[column].Font().ToQFont());
    // Multi-line notes: the widest line decides.
    int width = 0;
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    for (const QString& line : text.trimmed().split(breaks))
        width = std::max(width, metrics.horizontalAdvance(line));
    if (width <= cell.Width())
        return {};
    return text;
}

// ---- keyboard ----------------------------------------------------------------------------

bool TTodoListBox::event(QEvent* event)
{
    // Tab would move the focus before it reached the keys; with UseTab it is ours.
    if (event->type() == QEvent::KeyPress && m_useTab) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return TCustomListBox::event(event);
}

void TTodoListBox::moveFocusColumn(int delta)
{
    // Left steps back from any column past the first, even one beyond the columns that
    // remain after some were removed; right stops at the last column.
    const int focus = m_list.FocusColumn();
    if (delta < 0 ? focus <= 0 : focus >= m_columns.Count() - 1)
        return;
    m_list.SetFocusColumn(focus + delta);
    InvalidateItem(ItemIndex());
}

void TTodoListBox::insertItem()
{
    TTodoItem& item = m_items.Add();
    const TDateTime now = Now();
    item.SetCreationDate(now);
    item.SetDueDate(now + 1);
    item.SetCompletionDate(item.DueDate());
    if (!m_list.DoItemInsert(item)) {
        m_items.Delete(item.Index());
        return;
    }
    SetItemIndex(item.Index());
    int subject = -1;
    for (int c = 0; c < m_columns.Count(); ++c)
        if (m_columns[c].TodoData() == TTodoData::tdSubject)
            subject = c;
    if (subject >= 0)
        m_list.SetFocusColumn(subject);
    m_list.StartEdit(item.Index(), m_list.FocusColumn(), std::nullopt, {}, false);
}

void TTodoListBox::deleteSelected()
{
    // Collect first: each deletion renumbers the rows after it.
    std::vector<TTodoItem*> chosen;
    for (int i = 0; i < m_items.Count(); ++i)
        if (Selected(i))
            chosen.push_back(&m_items[i]);
    for (TTodoItem* item : chosen)
        if (m_list.DoItemDelete(*item))
            m_items.Delete(item->Index());
}

void TTodoListBox::KeyDown(int& key, TShiftState shift)
{
    if (key == VK_LEFT || key == VK_RIGHT) {
        moveFocusColumn(key == VK_LEFT ? -1 : 1);
        key = 0;
        return;
    }
    Raise(m_list.OnKeyDown, m_list, key, shift);
    const bool ctrl = shift.Contains(TShiftStateItem::ssCtrl);
    switch (key) {
    case VK_TAB:
        moveFocusColumn(shift.Contains(TShiftStateItem::ssShift) ? -1 : 1);
        return;
    case VK_F2:
    case VK_SPACE:
        if (!(key == VK_SPACE && ctrl && MultiSelect())) {
            if (ItemIndex() >= 0)
                m_list.StartEdit(ItemIndex(), m_list.FocusColumn(), std::nullopt, {}, false);
            return;
        }
        break;
    case VK_INSERT:
        if (m_list.AutoInsertItem())
            insertItem();
        return;
    case VK_DELETE:
        if (m_list.AutoDeleteItem())
            deleteSelected();
        return;
    case 'C':
    case 'V':
    case 'X':
        if (ctrl) {
            if (key == 'C')
                m_list.CopyToClipboard();
            else if (key == 'V')
                m_list.PasteFromClipboard();
            else
                m_list.CutToClipboard();
            return;
        }
        break;
    default:
        break;
    }
    TCustomListBox::KeyDown(key, shift);
}

void TTodoListBox::KeyPress(QChar& key)
{
    TCustomListBox::KeyPress(key);
    const ushort code = key.unicode();
    if (((code >= 48 && code <= 57) || (code >= 65 && code <= 122)) && m_list.Editable() &&
        ItemIndex() >= 0)
        m_list.StartEdit(ItemIndex(), m_list.FocusColumn(), key, {}, false);
}

void TTodoListBox::SelectionChanged()
{
    TCustomListBox::SelectionChanged();
    m_list.DoItemSelect(m_list.Selected());
}

void TTodoListBox::UserScrolling()
{
    m_list.EndEdit();
}

// ---- mouse -------------------------------------------------------------------------------

void TTodoListBox::MouseMove(TShiftState shift, int x, int y)
{
    TCustomListBox::MouseMove(shift, x, y);
    if (!m_list.HintShowFullText())
        return;
    TRect cell;
    const QString text = HintAt({x, y}, cell);
    if (text.isEmpty()) {
        if (m_hint)
            m_hint->CancelHint();
        return;
    }
    if (!m_hint) {
        m_hint = std::make_unique<THintWindow>();
        // The hint lies exactly over the cell: the pointer must stay the list's, or the list
        // would see it leave the moment the hint appears.
        m_hint->setWindowFlag(Qt::WindowTransparentForInput);
    }
    const QPoint topLeft = mapToGlobal(QPoint(cell.Left, cell.Top));
    TRect screen = Bounds(topLeft.x(), topLeft.y(), cell.Width(), cell.Height());
    const TRect needed = m_hint->CalcHintRect(ClientRect().Width(), text);
    screen.Right = std::max(screen.Right, screen.Left + needed.Width());
    screen.Bottom = std::max(screen.Bottom, screen.Top + needed.Height());
    if (m_hint->isVisible() && m_hint->Text() == text && m_hint->HintRect() == screen)
        return;
    m_hint->ActivateHint(screen, text);
}

void TTodoListBox::CancelHint()
{
    if (m_hint)
        m_hint->CancelHint();
}

void TTodoListBox::leaveEvent(QEvent* event)
{
    // A hint left behind would hang over a cell the pointer is no longer on.
    CancelHint();
    TCustomListBox::leaveEvent(event);
}

void TTodoListBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomListBox::MouseUp(button, shift, x, y);
    if (button != TMouseButton::mbLeft || !m_list.Editable())
        return;
    const int row = ItemAtPos({x, y}, true);
    if (row < 0)
        return;
    const bool onlyCtrl = shift.Contains(TShiftStateItem::ssCtrl) &&
                          !shift.Contains(TShiftStateItem::ssShift) &&
                          !shift.Contains(TShiftStateItem::ssAlt);
    TControlDragSupport& drag = DragSupport();
    const auto cancelDrag = [&] {
        if (TDragManager::Instance().Source() == &drag)
            drag.EndDrag(false);
    };
    if (m_list.Preview() && y >= ItemRect(row).Top + m_list.RowHeight()) {
        cancelDrag();
        m_list.StartEdit(row, -1, std::nullopt, {x, y}, true);
        return;
    }
    const int column = ColumnAtX(x);
    if (column < 0)
        return;
    m_list.SetFocusColumn(column);
    InvalidateItem(row);
    if (!m_columns[column].Editable())
        return;
    cancelDrag();
    if (!onlyCtrl)
        m_list.StartEdit(row, column, std::nullopt, {x, y}, true);
}
