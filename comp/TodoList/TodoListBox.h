// The inner list of the to-do list: the owner-drawn rows, one per item, each painted cell by
// cell from the columns, with the list's keyboard (focused column, insert, delete, clipboard
// keys, keys that start editing), its mouse (selection, row dragging, clicks that start
// editing), full-text hints and horizontal scrolling. It owns the item and column
// collections; every painting setting is read from the to-do list that owns it.
#pragma once

#include "comp/TodoList/TodoColumn.h"
#include "comp/TodoList/TodoItem.h"
#include "platform/controls/CustomListBox.h"

#include <memory>

class TCustomTodoList;
class THintWindow;

class TTodoListBox : public TCustomListBox, public TTodoItemsOwner, public TTodoColumnsOwner
{
public:
    explicit TTodoListBox(TCustomTodoList& list);
    ~TTodoListBox() override;

    TTodoItemCollection& TodoItems() { return m_items; }
    TTodoColumnCollection& TodoColumns() { return m_columns; }

    // Tab and Shift+Tab move the focused column instead of the focus.
    bool UseTab() const { return m_useTab; } // false
    void SetUseTab(bool on) { m_useTab = on; }
    bool ScrollHorizontal() const { return m_scrollHorizontal; } // false
    void SetScrollHorizontal(bool on);
    // Rows equal to items, keeping a selection when rows remain (see TCustomTodoList).
    void UpdateRowCount();
    void UpdateHorizontalExtent();

    // The column under client x (with the horizontal scroll), -1 left of the columns or
    // right of them all.
    int ColumnAtX(int x) const;
    // A cell's rectangle, RowHeight tall, in client pixels.
    TRect CellRect(int row, int column) const;
    // What a full-text hint would show for a cell (before the width test).
    QString CellHintText(int row, int column) const;
    // The hint for the cell under a client point: its text when the text does not fit, else
    // empty; cell receives the cell's rectangle.
    QString HintAt(TPoint p, TRect& cell);
    THintWindow* HintWindow() const { return m_hint.get(); }
    // Takes a full-text hint away (the pointer left, or the hints were switched off).
    void CancelHint();

    // TTodoItemsOwner, TTodoColumnsOwner.
    void TodoItemChanged(int index) override;
    void TodoItemsChanged() override;
    void TodoColumnsChanged(bool sizes) override;
    const TFont& TodoColumnFont() const override;

protected:
    void DrawItem(TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state) override;
    void DrawEmptyArea(TCanvas& canvas, const TRect& rect) override;
    void Paint(TCanvas& canvas) override;
    void SelectionChanged() override;
    // An open editor is closed before the rows move under it.
    void UserScrolling() override;
    void KeyDown(int& key, TShiftState shift) override;
    void KeyPress(QChar& key) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    bool event(QEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void drawEmptyAreaGrid(TCanvas& canvas);
    void moveFocusColumn(int delta);
    void insertItem();
    void deleteSelected();

    TCustomTodoList& m_list;
    TTodoItemCollection m_items;
    TTodoColumnCollection m_columns;
    bool m_useTab = false;
    bool m_scrollHorizontal = false;
    std::unique_ptr<THintWindow> m_hint;
};
