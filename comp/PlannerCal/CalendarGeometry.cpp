// The calendar's pixel arithmetic.
#include "comp/PlannerCal/CalendarGeometry.h"

#include "platform/core/Math.h"

#include <algorithm>
#include <cmath>

int CalendarLeadDays(int year, int month, int startDay)
{
    TDateTime first = 0;
    if (!TryEncodeDate(year, month, 1, first))
        return 0;
    // Weekdays count Sunday = 1 here while startDay counts Monday = 1, hence the extra 1.
    int lead = DayOfWeek(first) - startDay - 1;
    if (lead < 0)
        lead += 7;
    return lead;
}

TCalendarGeometry TCalendarGeometry::Compute(int width, int height, int borderWidth, bool showWeeks,
                                             bool showGotoToday, int year, int month, int startDay)
{
    TCalendarGeometry g;
    const int columns = showWeeks ? 8 : 7;
    const int rows = showGotoToday ? 9 : 8;
    g.Width = width;
    g.Height = height;
    g.BorderWidth = borderWidth;
    // A control squeezed to nothing still gets cells of one pixel, so no division by zero.
    g.DX = std::max((width - columns) / columns, 1);
    g.DY = std::max((height + 8) / rows, 1);
    g.X0 = showWeeks ? g.DX : borderWidth;
    g.Year = year;
    g.Month = month;
    g.Lead = CalendarLeadDays(year, month, startDay);
    g.MonthLength = DaysInAMonth(year, month);
    TryEncodeDate(year, month, 1, g.First);
    return g;
}

TRect TCalendarGeometry::DayCell(int c, int w) const
{
    const int top = T + w * DY - 2;
    return {X0 + (c - 1) * DX + 4, top, X0 + c * DX + 2, top + DY};
}

bool TCalendarGeometry::CellOf(TDateTime date, int& c, int& w) const
{
    // Far-off or undefined values (NaN) have no cell and must not reach the integer rounding.
    const double offset = date - (First - Lead);
    if (!(offset >= -1 && offset <= 42))
        return false;
    const std::int64_t k = Round(offset) + 1;
    if (k < 1 || k > 42)
        return false;
    c = int(k % 7);
    if (c == 0)
        c = 7;
    w = int((k + 6) / 7);
    return true;
}

TRect TCalendarGeometry::RepaintRect(TDateTime date) const
{
    int c = 0, w = 0;
    if (!CellOf(date, c, w))
        return {};
    const int left = X0 + (c - 1) * DX;
    const int top = T + w * DY - 2;
    return {left, top, left + DX + 2, top + DY};
}

int TCalendarGeometry::ColumnAt(int x) const
{
    return std::clamp((x - X0) / DX, 0, 6);
}

int TCalendarGeometry::RowAt(int y) const
{
    return std::clamp((y - T - DY) / DY, 0, 5);
}

TDateTime TCalendarGeometry::DateAt(int x, int y, int& monthOffset) const
{
    const int index = ColumnAt(x) + 7 * RowAt(y) - Lead;
    monthOffset = index < 0 ? -1 : (index >= MonthLength ? 1 : 0);
    return First + index;
}

TCaptionZones TCaptionZones::Compute(const TCalendarGeometry& g, int captionWidth, int yearWidth)
{
    TCaptionZones z;
    const int start = (g.Width - captionWidth - g.X0) / 2;
    z.TextLeft = g.X0 + start;
    z.MonthLeft = g.X0 + start;
    z.MonthRight = z.MonthLeft + captionWidth - yearWidth;
    z.YearLeft = z.MonthRight;
    z.YearRight = g.X0 + start + captionWidth;
    return z;
}

namespace {

void triangle(TCalendarArrows::Arrow& a, int index, TPoint p1, TPoint p2, TPoint p3)
{
    a.Points[std::size_t(index * 3)] = p1;
    a.Points[std::size_t(index * 3 + 1)] = p2;
    a.Points[std::size_t(index * 3 + 2)] = p3;
    a.Triangles = index + 1;
}

void glyphZone(TCalendarArrows::Arrow& a, const TBitmap& glyph)
{
    a.HitLeft = a.GlyphAt.X - 1;
    a.HitRight = a.GlyphAt.X + glyph.Width();
    a.HitTop = a.GlyphAt.Y - 1;
    a.HitBottom = a.GlyphAt.Y + glyph.Height();
}

} // namespace

TCalendarArrows TCalendarArrows::Compute(const TCalendarGeometry& g,
                                         const TCalendarBrowsers& browsers,
                                         const TCalGlyphs& glyphs)
{
    TCalendarArrows r;
    const int b = g.BorderWidth;
    const int w = g.Width;
    const int x0 = g.X0;

    Arrow& py = r.PrevYear;
    py.Shown = browsers.PrevYear();
    py.Glyph = !glyphs.PrevYear().Empty();
    triangle(py, 0, {x0 + 10, b + 3}, {x0 + 5, b + 8}, {x0 + 10, b + 13});
    triangle(py, 1, {x0 + 15, b + 3}, {x0 + 10, b + 8}, {x0 + 15, b + 13});
    py.HitLeft = x0 + 5;
    py.HitRight = x0 + 15;
    if (py.Glyph) {
        py.GlyphAt = {x0 + 5, b + 1};
        glyphZone(py, glyphs.PrevYear());
    }

    Arrow& pm = r.PrevMonth;
    pm.Shown = browsers.PrevMonth();
    pm.Glyph = !glyphs.PrevMonth().Empty();
    const int pa = py.Shown ? x0 + 20 : x0;
    triangle(pm, 0, {pa + 10, b + 3}, {pa + 5, b + 8}, {pa + 10, b + 13});
    pm.HitLeft = py.Shown ? x0 + 25 : x0 + 5;
    pm.HitRight = py.Shown ? x0 + 35 : x0 + 15;
    if (pm.Glyph) {
        pm.GlyphAt = {pa + 5, b + 1};
        if (py.Shown && py.Glyph)
            pm.GlyphAt.X = x0 + 10 + glyphs.PrevYear().Width();
        glyphZone(pm, glyphs.PrevMonth());
    }

    Arrow& ny = r.NextYear;
    ny.Shown = browsers.NextYear();
    ny.Glyph = !glyphs.NextYear().Empty();
    triangle(ny, 0, {w - 10, b + 3}, {w - 10, b + 13}, {w - 5, b + 8});
    triangle(ny, 1, {w - 15, b + 3}, {w - 15, b + 13}, {w - 10, b + 8});
    ny.HitLeft = w - 15;
    ny.HitRight = w - 5;
    if (ny.Glyph) {
        ny.GlyphAt = {w - glyphs.NextYear().Width() - 5, b + 1};
        glyphZone(ny, glyphs.NextYear());
    }

    Arrow& nm = r.NextMonth;
    nm.Shown = browsers.NextMonth();
    nm.Glyph = !glyphs.NextMonth().Empty();
    const int na = ny.Shown ? 25 : 5;
    triangle(nm, 0, {w - na - 5, b + 3}, {w - na - 5, b + 13}, {w - na, b + 8});
    nm.HitLeft = ny.Shown ? w - 30 : w - 10;
    nm.HitRight = ny.Shown ? w - 25 : w - 5;
    if (nm.Glyph) {
        nm.GlyphAt = {w - na - glyphs.NextMonth().Width(), b + 1};
        if (ny.Shown && ny.Glyph)
            nm.GlyphAt.X = w - glyphs.NextMonth().Width() - glyphs.NextYear().Width() - 10;
        glyphZone(nm, glyphs.NextMonth());
    }
    return r;
}

TCalendarArrow TCalendarArrows::At(int x, int y) const
{
    const std::pair<TCalendarArrow, const Arrow*> all[] = {
        {TCalendarArrow::caPrevYear, &PrevYear},
        {TCalendarArrow::caPrevMonth, &PrevMonth},
        {TCalendarArrow::caNextMonth, &NextMonth},
        {TCalendarArrow::caNextYear, &NextYear},
    };
    for (const auto& [which, a] : all)
        if (a->Shown && x > a->HitLeft && x < a->HitRight && y > a->HitTop && y < a->HitBottom)
            return which;
    return TCalendarArrow::caNone;
}

const TCalendarArrows::Arrow& TCalendarArrows::Get(TCalendarArrow which) const
{
    switch (which) {
    case TCalendarArrow::caPrevYear:
        return PrevYear;
    case TCalendarArrow::caPrevMonth:
        return PrevMonth;
    case TCalendarArrow::caNextMonth:
        return NextMonth;
    default:
        return NextYear;
    }
}
