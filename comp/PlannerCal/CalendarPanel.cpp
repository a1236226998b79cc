// The calendar's panel: bevels and border around a background in the panel colour.
#include "comp/PlannerCal/CalendarPanel.h"

#include "platform/gfx/Canvas.h"

#include <algorithm>

TCustomCalendarPanel::TCustomCalendarPanel(QWidget* parent) : TCustomControl(parent)
{
    SetColor(clBtnFace);
}

TCustomCalendarPanel::~TCustomCalendarPanel() = default;

void TCustomCalendarPanel::SetBorderWidth(int width)
{
    width = std::max(width, 0);
    if (width == m_borderWidth)
        return;
    m_borderWidth = width;
    RepaintAll();
}

void TCustomCalendarPanel::SetBevelOuter(TBevelCut cut)
{
    if (cut == m_bevelOuter)
        return;
    m_bevelOuter = cut;
    RepaintAll();
}

void TCustomCalendarPanel::SetBevelInner(TBevelCut cut)
{
    if (cut == m_bevelInner)
        return;
    m_bevelInner = cut;
    RepaintAll();
}

void TCustomCalendarPanel::SetBevelWidth(int width)
{
    // A bevel of no width is no bevel; the panel keeps at least one pixel.
    width = std::max(width, 1);
    if (width == m_bevelWidth)
        return;
    m_bevelWidth = width;
    RepaintAll();
}

void TCustomCalendarPanel::SetEventMarkerColor(TColor color)
{
    if (color == m_eventMarkerColor)
        return;
    m_eventMarkerColor = color;
    RepaintAll();
}

void TCustomCalendarPanel::SetEventMarkerShape(TEventShape shape)
{
    if (shape == m_eventMarkerShape)
        return;
    m_eventMarkerShape = shape;
    RepaintAll();
}

void TCustomCalendarPanel::YearStartChanged() {}

void TCustomCalendarPanel::RepaintAll() {}

void TCustomCalendarPanel::RepaintDate(TDateTime) {}

TRect TCustomCalendarPanel::InnerRect() const
{
    TRect r = ClientRect();
    int inset = m_borderWidth;
    if (m_bevelOuter != TBevelCut::bvNone)
        inset += m_bevelWidth;
    if (m_bevelInner != TBevelCut::bvNone)
        inset += m_bevelWidth;
    InflateRect(r, -inset, -inset);
    return r;
}

TRect TCustomCalendarPanel::PaintPanel(TCanvas& canvas)
{
    TRect r = ClientRect();
    auto bevel = [&](TBevelCut cut) {
        if (cut == TBevelCut::bvNone)
            return;
        const bool lowered = cut == TBevelCut::bvLowered;
        const TColor top = lowered ? clBtnShadow : clBtnHighlight;
        const TColor bottom = lowered ? clBtnHighlight : clBtnShadow;
        if (cut == TBevelCut::bvSpace)
            canvas.Frame3D(r, Color(), Color(), m_bevelWidth);
        else
            canvas.Frame3D(r, top, bottom, m_bevelWidth);
    };
    bevel(m_bevelOuter);
    if (m_borderWidth > 0)
        canvas.Frame3D(r, Color(), Color(), m_borderWidth);
    bevel(m_bevelInner);
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(r);
    return r;
}
