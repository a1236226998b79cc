// Where the month calendar puts things: column width and row height from the control's size,
// the day cells of the six-week grid, the date under a point, the caption's month and year
// zones, and the browse arrows and their hit zones. All of it is plain arithmetic on the
// control's settings, recomputed at every paint, so it lives apart from the widget and is
// tested on its own.
#pragma once

#include "comp/PlannerCal/CalendarSettings.h"
#include "platform/core/DateTime.h"
#include "platform/core/Rect.h"

#include <array>

// The grid top: the caption band above it is this many pixels high.
inline constexpr int CalendarGridTop = 16;

// How many cells of the first row belong to the previous month (0..6). startDay is
// 1 = Monday ... 7 = Sunday.
int CalendarLeadDays(int year, int month, int startDay);

struct TCalendarGeometry
{
    int Width = 0;
    int Height = 0;
    int BorderWidth = 0;
    int DX = 0; // column width
    int DY = 0; // row height
    int X0 = 0; // left of the first day column
    int T = CalendarGridTop;
    int Year = 0;
    int Month = 0;
    int Lead = 0;        // previous month's days in the first row
    int MonthLength = 0; // days of the shown month
    TDateTime First = 0; // the first of the shown month

    static TCalendarGeometry Compute(int width, int height, int borderWidth, bool showWeeks,
                                     bool showGotoToday, int year, int month, int startDay);

    // The drawn day cell of column c (1..7) and row w (1..6).
    TRect DayCell(int c, int w) const;
    // The date of cell k = c + 7 (w - 1), 1..42.
    TDateTime CellDate(int k) const { return First - Lead + (k - 1); }
    // The column (1..7) and row (1..6) of a date; false when it is not on the grid.
    bool CellOf(TDateTime date, int& c, int& w) const;
    // The rectangle to redraw for a date's cell (a little wider than the drawn cell).
    TRect RepaintRect(TDateTime date) const;

    // The date under a point of the day area (x, y in control pixels); monthOffset tells
    // whether it belongs to the previous (-1), the shown (0) or the next month (+1).
    TDateTime DateAt(int x, int y, int& monthOffset) const;
    // The column (0..6) under x, measured from X0.
    int ColumnAt(int x) const;
    // The row (0..5) under y.
    int RowAt(int y) const;
};

// The caption's text position and its month and year zones; x values are absolute.
struct TCaptionZones
{
    int TextLeft = 0;
    int MonthLeft = 0, MonthRight = 0;
    int YearLeft = 0, YearRight = 0;
    // captionWidth: the caption text's width; yearWidth: the width of " 9999".
    static TCaptionZones Compute(const TCalendarGeometry& g, int captionWidth, int yearWidth);
    bool InMonth(int x, int y) const
    {
        return y >= 1 && y <= 14 && x >= MonthLeft && x < MonthRight;
    }
    bool InYear(int x, int y) const { return y >= 1 && y <= 14 && x >= YearLeft && x <= YearRight; }
};

enum class TCalendarArrow
{
    caNone,
    caPrevYear,
    caPrevMonth,
    caNextMonth,
    caNextYear
};

// The four browse arrows: their drawn triangles (or glyph positions) and their hit zones.
struct TCalendarArrows
{
    struct Arrow
    {
        bool Shown = false;
        bool Glyph = false;
        TPoint GlyphAt;
        int Triangles = 0; // 1 or 2 triangles when drawn
        std::array<TPoint, 6> Points{};
        int HitLeft = 0, HitRight = 0, HitTop = 0, HitBottom = 15; // exclusive bounds
    };
    Arrow PrevYear, PrevMonth, NextMonth, NextYear;

    static TCalendarArrows Compute(const TCalendarGeometry& g, const TCalendarBrowsers& browsers,
                                   const TCalGlyphs& glyphs);
    // The arrow whose zone holds (x, y), absolute control pixels.
    TCalendarArrow At(int x, int y) const;
    const Arrow& Get(TCalendarArrow which) const;
};
