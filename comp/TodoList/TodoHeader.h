// The column header of the to-do list: one section per column, drawn as gradient buttons
// with an active-column highlight, optional images and a sort indicator. Pressing a section
// reports it (again at the release); with SectionDragDrop a section can be dragged onto
// another to move its column.
#pragma once

#include "comp/TodoList/TodoTypes.h"
#include "platform/controls/HeaderControl.h"

#include <functional>

class TTodoHeader : public THeaderControl
{
public:
    explicit TTodoHeader(QWidget* parent = nullptr);

    // Color() (clBtnFace) is the first gradient colour.
    TColor ColorTo() const { return m_colorTo; } // clWhite
    void SetColorTo(TColor c) { set(m_colorTo, c); }
    TColor ActiveColor() const { return m_activeColor; } // clNone
    void SetActiveColor(TColor c) { set(m_activeColor, c); }
    TColor ActiveColorTo() const { return m_activeColorTo; } // clNone
    void SetActiveColorTo(TColor c) { set(m_activeColorTo, c); }
    int ActiveColumn() const { return m_activeColumn; } // 0
    void SetActiveColumn(int column) { set(m_activeColumn, column); }
    TAlignment Alignment() const { return m_alignment; } // taLeftJustify
    void SetAlignment(TAlignment a) { set(m_alignment, a); }
    TVAlignment VAlignment() const { return m_vAlignment; } // vtaCenter
    void SetVAlignment(TVAlignment a) { set(m_vAlignment, a); }
    int TextHeight() const { return m_textHeight; } // 16
    void SetTextHeight(int h) { set(m_textHeight, h); }
    int ItemHeight() const { return m_itemHeight; } // 16, stored only
    void SetItemHeight(int h) { m_itemHeight = h; }
    int ImagePosition() const { return m_imagePosition; } // 0, stored only
    void SetImagePosition(int p) { m_imagePosition = p; }
    TColor LineColor() const { return m_lineColor; } // clBlack
    void SetLineColor(TColor c) { set(m_lineColor, c); }
    bool Flat() const { return m_flat; } // false
    void SetFlat(bool on) { set(m_flat, on); }
    int SortedSection() const { return m_sortedSection; } // 0
    void SetSortedSection(int s) { set(m_sortedSection, s); }
    TSortDirection SortDirection() const { return m_sortDirection; } // sdAscending
    void SetSortDirection(TSortDirection d) { set(m_sortDirection, d); }
    bool SortShow() const { return m_sortShow; } // false
    void SetSortShow(bool on) { set(m_sortShow, on); }
    bool SectionDragDrop() const { return m_sectionDragDrop; } // false
    void SetSectionDragDrop(bool on) { m_sectionDragDrop = on; }
    bool SectionEdit() const { return m_sectionEdit; } // false; never switched on
    void SetSectionEdit(bool on) { m_sectionEdit = on; }

    // The first section whose right edge is at or beyond x; -1 for x <= 0 or no sections;
    // the last section right of them all.
    int XYToSection(int x) const;
    // While OnClick reports a press (not a release), and where that press was.
    bool Pressing() const { return m_pressing; }
    int LastPressX() const { return m_lastPressX; }

    // Sender, section: a left press and again the release; a right press.
    std::function<void(QWidget& sender, int section)> OnClick;
    std::function<void(QWidget& sender, int section)> OnRightClick;
    // A section dragged from one place onto another (SectionDragDrop).
    std::function<void(QWidget& sender, int fromSection, int toSection)> OnDragDrop;

protected:
    void Paint(TCanvas& canvas) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    template <class T>
    void set(T& field, T value)
    {
        if (field == value)
            return;
        field = value;
        update();
    }
    void drawSortIndicator(TCanvas& canvas, int x, int y) const;

    TColor m_colorTo = clWhite;
    TColor m_activeColor = clNone;
    TColor m_activeColorTo = clNone;
    int m_activeColumn = 0;
    TAlignment m_alignment = TAlignment::taLeftJustify;
    TVAlignment m_vAlignment = TVAlignment::vtaCenter;
    int m_textHeight = 16;
    int m_itemHeight = 16;
    int m_imagePosition = 0;
    TColor m_lineColor = clBlack;
    bool m_flat = false;
    int m_sortedSection = 0;
    TSortDirection m_sortDirection = TSortDirection::sdAscending;
    bool m_sortShow = false;
    bool m_sectionDragDrop = false;
    bool m_sectionEdit = false;
    int m_dragFrom = -1; // the section being dragged
    bool m_pressing = false;
    int m_lastPressX = -1;
};
