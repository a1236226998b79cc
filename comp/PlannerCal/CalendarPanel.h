// The base of the month calendar: a panel (border width, outer and inner bevel, background
// colour) that also knows the default look of an event mark, and the redraw hooks a calendar
// fills in. The panel hooks do nothing, so date lists can redraw through any owner.
#pragma once

#include "comp/PlannerCal/CalendarSettings.h"
#include "platform/controls/CustomControl.h"

enum class TBevelCut
{
    bvNone,
    bvLowered,
    bvRaised,
    bvSpace
};

class TCustomCalendarPanel : public TCustomControl
{
public:
    explicit TCustomCalendarPanel(QWidget* parent = nullptr);
    ~TCustomCalendarPanel() override;

    // --- Panel --------------------------------------------------------------------------
    int BorderWidth() const { return m_borderWidth; } // 0 (the calendar sets 1)
    void SetBorderWidth(int width);
    TBevelCut BevelOuter() const { return m_bevelOuter; } // TBevelCut::bvRaised (calendar: bvNone)
    void SetBevelOuter(TBevelCut cut);
    TBevelCut BevelInner() const { return m_bevelInner; } // TBevelCut::bvNone
    void SetBevelInner(TBevelCut cut);
    int BevelWidth() const { return m_bevelWidth; } // 1
    void SetBevelWidth(int width);

    // --- Event marks --------------------------------------------------------------------
    TColor EventMarkerColor() const { return m_eventMarkerColor; } // clYellow
    void SetEventMarkerColor(TColor color);
    TEventShape EventMarkerShape() const { return m_eventMarkerShape; } // evsCircle
    void SetEventMarkerShape(TEventShape shape);

    // --- Hooks, in this order -----------------------------------------------------------
    // The week numbering changed.
    virtual void YearStartChanged();
    // Redraw everything, or the cell of one date.
    virtual void RepaintAll();
    virtual void RepaintDate(TDateTime date);

protected:
    // Draws the panel's bevels and border and fills what is inside with Color; returns the
    // area inside the border and bevels.
    TRect PaintPanel(TCanvas& canvas);
    // The area inside the border and the bevels.
    TRect InnerRect() const;

private:
    int m_borderWidth = 0;
    TBevelCut m_bevelOuter = TBevelCut::bvRaised;
    TBevelCut m_bevelInner = TBevelCut::bvNone;
    int m_bevelWidth = 1;
    TColor m_eventMarkerColor = clYellow;
    TEventShape m_eventMarkerShape = TEventShape::evsCircle;
};
