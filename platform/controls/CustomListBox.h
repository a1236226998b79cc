// The owner-drawn list the to-do list shows its rows in: a number of rows of one fixed
// height, painted one at a time by a virtual row painter, with a current row (ItemIndex),
// optional multi-selection, keyboard and mouse navigation, a vertical scroll bar by row and a
// horizontal one by pixel when the rows are wider (HorizontalExtent) than the list.
//
// The list holds no texts: its owner knows what row i shows. Row rectangles always span the
// client width from x = 0; a painter that supports horizontal scrolling shifts its own
// content left by HorzScrollPos.
//
// Selection: without MultiSelect the selected row is ItemIndex. With it, a click selects one
// row, Ctrl+click toggles a row, Shift+click or Shift+arrows select the rows from the anchor;
// Ctrl+arrows move ItemIndex alone and Ctrl+Space toggles it. Changes made by the user are
// reported through OnSelectionChange; changes made through the setters are not.
#pragma once

#include "platform/controls/CustomControl.h"
#include "platform/core/EnumSet.h"

#include <functional>
#include <vector>

class QScrollBar;

enum class TOwnerDrawStateItem
{
    odSelected,
    odFocused,
    odDisabled
};
using TOwnerDrawState = TEnumSet<TOwnerDrawStateItem>;

class TCustomListBox : public TCustomControl
{
public:
    explicit TCustomListBox(QWidget* parent = nullptr);
    ~TCustomListBox() override;

    int Count() const { return m_count; } // 0
    // Rows past the new count lose their selection; ItemIndex stays when it still exists.
    void SetCount(int count);
    int ItemHeight() const { return m_itemHeight; } // 16
    void SetItemHeight(int height);                 // at least 1

    // -1 for none; other values outside the rows are ignored. Scrolls the row into view.
    int ItemIndex() const { return m_itemIndex; } // -1
    void SetItemIndex(int index);
    int TopIndex() const { return m_topIndex; } // 0
    void SetTopIndex(int index);
    // Rows that fit entirely in the list.
    int VisibleRowCount() const;

    bool MultiSelect() const { return m_multiSelect; } // false
    void SetMultiSelect(bool on);
    bool Selected(int index) const;
    void SetSelected(int index, bool selected);
    int SelCount() const;
    void ClearSelection();

    // Width in pixels of the rows' content; wider than the list shows a horizontal scroll
    // bar, 0 or narrower scrolls back to the left edge.
    int HorizontalExtent() const { return m_horizontalExtent; } // 0
    void SetHorizontalExtent(int extent);
    int HorzScrollPos() const { return m_horzScrollPos; } // 0
    void SetHorzScrollPos(int pos);

    // The row's rectangle in client pixels, also for rows scrolled out of view.
    TRect ItemRect(int index) const;
    // The row at a client point; past the last row Count (or -1 when existing is set).
    int ItemAtPos(TPoint p, bool existing) const;
    // Repaints one row.
    void InvalidateItem(int index);

    TRect ClientRect() const override;
    QScrollBar* HorzScrollBar() const { return m_hScroll; }
    QScrollBar* VertScrollBar() const { return m_vScroll; }

    // Called by the default DrawItem after it filled the row.
    std::function<void(QWidget& sender, TCanvas& canvas, int index, const TRect& rect,
                       TOwnerDrawState state)>
        OnDrawItem;
    std::function<void(QWidget& sender)> OnSelectionChange;

protected:
    // The row painter. The default fills the row (highlight when selected, else Color),
    // raises OnDrawItem and draws the focus rectangle on the focused row.
    virtual void DrawItem(TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state);
    // The area below the last row; the default fills it with Color.
    virtual void DrawEmptyArea(TCanvas& canvas, const TRect& rect);
    // After the user changed the selection; the default raises OnSelectionChange.
    virtual void SelectionChanged();
    // Before the rows scroll because the user moved a scroll bar or turned the wheel (not when
    // a row is scrolled into view); the default does nothing.
    virtual void UserScrolling() {}

    void Paint(TCanvas& canvas) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    bool MouseWheel(TShiftState shift, int wheelDelta, TPoint pos) override;
    void KeyDown(int& key, TShiftState shift) override;
    void Resize() override;

private:
    enum class Move
    {
        Select,   // select only the new row
        Extend,   // select from the anchor to the new row
        CaretOnly // move ItemIndex, keep the selection
    };
    void moveTo(int index, Move how);
    void selectRange(int from, int to);
    int maxTopIndex() const;
    void updateScrollBars();
    void makeVisible(int index);

    int m_count = 0;
    int m_itemHeight = 16;
    int m_itemIndex = -1;
    int m_topIndex = 0;
    int m_anchor = -1;
    bool m_multiSelect = false;
    std::vector<bool> m_selected; // with MultiSelect
    int m_horizontalExtent = 0;
    int m_horzScrollPos = 0;
    bool m_tracking = false;
    bool m_updatingScrollBars = false;
    bool m_hScrollShown = false;
    bool m_vScrollShown = false;
    QScrollBar* m_hScroll; // children of the list
    QScrollBar* m_vScroll;
};
