// Painting of the month calendar, back to front: panel, background (gradients or picture),
// caption band, arrows and caption, day names, separators, week numbers, the 42 day cells
// with their selection, event marks, focus and today frames, and the today line.
#include "comp/PlannerCal/PlannerCalendar.h"
#include "comp/PlannerCal/WeekNumbers.h"
#include "comp/planutil/PlanUtil.h"
#include "platform/core/DateFormat.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/Themes.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int GradientBands = 80;
constexpr TColor Shadow3D = 0x00808080;

void raisedFrame(TCanvas& canvas, TRect r)
{
    canvas.Frame3D(r, clWhite, Shadow3D, 1);
}

void transparentText(TCanvas& canvas)
{
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    canvas.SetBkMode(TBkMode::bkTransparent);
}

void drawMark(TCanvas& canvas, TRect r, TColor color, TEventShape shape)
{
    if (shape == TEventShape::evsNone)
        return;
    InflateRect(r, -1, -1);
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.Brush().SetColor(color);
    canvas.Pen().SetStyle(TPenStyle::psSolid);
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetColor(color);
    const int midX = (r.Left + r.Right) / 2;
    const int midY = (r.Top + r.Bottom) / 2;
    switch (shape) {
    case TEventShape::evsRectangle:
        canvas.Rectangle(r);
        break;
    case TEventShape::evsCircle:
        canvas.Ellipse(r);
        break;
    case TEventShape::evsSquare: {
        const TPoint diamond[] = {
            {midX, r.Top}, {r.Right - 1, midY}, {midX, r.Bottom - 1}, {r.Left, midY}};
        canvas.Polygon(diamond);
        break;
    }
    case TEventShape::evsTriangle: {
        const TPoint triangle[] = {
            {midX, r.Top}, {r.Right - 1, r.Bottom - 1}, {r.Left, r.Bottom - 1}};
        canvas.Polygon(triangle);
        break;
    }
    case TEventShape::evsNone:
        break;
    }
}

} // namespace

void TPlannerCalendar::Paint(TCanvas& canvas)
{
    const TCalendarGeometry g = Geometry();
    // 1 and 2: bevels, border and the panel colour inside them.
    const TRect client = PaintPanel(canvas);
    if (UseVisualStyles() && m_borderXP) {
        if (!m_styleFrameKnown) {
            m_styleFrameColor = ThemedEditBorderColor();
            m_styleFrameKnown = true;
        }
        canvas.Brush().SetStyle(TBrushStyle::bsSolid);
        canvas.Brush().SetColor(m_styleFrameColor);
        canvas.FrameRect(ClientRect());
    }
    paintBackground(canvas, client, g);
    paintCaption(canvas, g);
    paintDayNames(canvas, g);
    paintWeeks(canvas, g);
    paintCells(canvas, g);
    paintTodayLine(canvas, g);
}

void TPlannerCalendar::paintBackground(TCanvas& canvas, const TRect& client,
                                       const TCalendarGeometry& g)
{
    if (m_background.Empty()) {
        canvas.Font() = m_dayFont;
        const int gh = canvas.TextHeight(QStringLiteral("gh"));
        const int rows = m_showGotoToday ? 9 : 8;
        TRect body = client;
        if (m_monthGradientStartColor != clNone && m_monthGradientEndColor != clNone) {
            TRect band = client;
            band.Bottom = (rows + g.Height) / rows + gh - 4;
            GradientFill(canvas, m_monthGradientStartColor, m_monthGradientEndColor,
                         m_monthGradientDirection == TGradientDirection::gdVertical, band,
                         GradientBands);
            body.Top = band.Bottom;
        }
        if (m_gradientStartColor != clNone && m_gradientEndColor != clNone)
            GradientFill(canvas, m_gradientStartColor, m_gradientEndColor,
                         m_gradientDirection == TGradientDirection::gdVertical, body,
                         GradientBands);
        return;
    }

    const int pw = m_background.Width();
    const int ph = m_background.Height();
    if (pw <= 0 || ph <= 0)
        return;
    const int right = std::max(client.Left, g.Width - pw - BevelWidth());
    const int bottom = std::max(client.Top, g.Height - ph - BevelWidth());
    canvas.SaveState();
    canvas.IntersectClipRect(client);
    switch (m_backgroundPosition) {
    case TBackGroundPosition::bpTopLeft:
        m_background.Draw(canvas, Bounds(client.Left, client.Top, pw, ph));
        break;
    case TBackGroundPosition::bpTopRight:
        m_background.Draw(canvas, Bounds(right, client.Top, pw, ph));
        break;
    case TBackGroundPosition::bpBottomLeft:
        m_background.Draw(canvas, Bounds(client.Left, bottom, pw, ph));
        break;
    case TBackGroundPosition::bpBottomRight:
        m_background.Draw(canvas, Bounds(right, bottom, pw, ph));
        break;
    case TBackGroundPosition::bpTiled:
        for (int y = client.Top; y < client.Bottom; y += ph)
            for (int x = client.Left; x < client.Right; x += pw)
                m_background.Draw(canvas, Bounds(x, y, pw, ph));
        break;
    case TBackGroundPosition::bpStretched:
        m_background.Draw(canvas, client);
        break;
    case TBackGroundPosition::bpCenter:
        m_background.Draw(canvas, Bounds(right / 2, bottom / 2, pw, ph));
        break;
    }
    canvas.RestoreState();
}

TColor TPlannerCalendar::arrowColor(TCalendarArrow which) const
{
    int y = 0, m = 0, d = 0;
    TryDecodeDate(m_focusDate, y, m, d);
    TDateTime target = 0;
    switch (which) {
    case TCalendarArrow::caPrevMonth:
        TryEncodeDate(y, m, 1, target);
        target -= 1;
        break;
    case TCalendarArrow::caNextMonth:
        TryEncodeDate(y, m, 1, target);
        target += DaysInAMonth(y, m);
        break;
    case TCalendarArrow::caPrevYear:
        target = yearStep(m_focusDate, -1);
        break;
    default:
        target = yearStep(m_focusDate, 1);
        break;
    }
    if (!InRange(target))
        return m_inActiveColor;
    return which == m_hoverArrow ? m_selectColor : m_captionTextColor;
}

void TPlannerCalendar::paintArrows(TCanvas& canvas, const TCalendarGeometry& g)
{
    const TCalendarArrows arrows = TCalendarArrows::Compute(g, m_browsers, m_glyphs);
    const std::pair<TCalendarArrow, const TBitmap*> all[] = {
        {TCalendarArrow::caPrevYear, &m_glyphs.PrevYear()},
        {TCalendarArrow::caPrevMonth, &m_glyphs.PrevMonth()},
        {TCalendarArrow::caNextMonth, &m_glyphs.NextMonth()},
        {TCalendarArrow::caNextYear, &m_glyphs.NextYear()},
    };
    for (const auto& [which, glyph] : all) {
        const TCalendarArrows::Arrow& a = arrows.Get(which);
        if (!a.Shown)
            continue;
        if (a.Glyph) {
            canvas.Draw(a.GlyphAt.X, a.GlyphAt.Y, *glyph);
            continue;
        }
        const TColor color = arrowColor(which);
        canvas.Brush().SetStyle(TBrushStyle::bsSolid);
        canvas.Brush().SetColor(color);
        canvas.Pen().SetStyle(TPenStyle::psSolid);
        canvas.Pen().SetWidth(1);
        canvas.Pen().SetColor(color);
        for (int t = 0; t < a.Triangles; ++t)
            canvas.Polygon(std::span<const TPoint>(a.Points.data() + t * 3, 3));
    }
}

void TPlannerCalendar::paintCaption(TCanvas& canvas, const TCalendarGeometry& g)
{
    const int b = g.BorderWidth;
    canvas.Font() = Font();
    if (m_captionColor != clNone) {
        const TRect band{b, b, g.Width - b, canvas.TextHeight(QStringLiteral("X")) + 5};
        canvas.Brush().SetStyle(TBrushStyle::bsSolid);
        canvas.Brush().SetColor(m_captionColor);
        canvas.Pen().SetStyle(TPenStyle::psSolid);
        canvas.Pen().SetWidth(1);
        canvas.Pen().SetColor(m_caption3D ? Shadow3D : m_captionColor);
        canvas.Rectangle(band);
        if (m_caption3D) {
            canvas.Pen().SetColor(clWhite);
            canvas.MoveTo(band.Left, band.Bottom - 1);
            canvas.LineTo(band.Left, band.Top);
            canvas.LineTo(band.Right, band.Top);
        }
    }
    paintArrows(canvas, g);
    canvas.Font() = Font();
    canvas.Font().SetColor(m_hoverCaption ? m_selectColor : m_captionTextColor);
    transparentText(canvas);
    const int tw = canvas.TextWidth(m_captionText);
    canvas.TextOut(g.X0 + (g.Width - tw - g.X0) / 2, 2, m_captionText);
}

void TPlannerCalendar::paintDayNames(TCanvas& canvas, const TCalendarGeometry& g)
{
    const int b = g.BorderWidth;
    canvas.Font() = m_dayFont;
    const int gh = canvas.TextHeight(QStringLiteral("gh"));
    if (m_look == TCalendarLook::look3D) {
        const TRect band{b + 1, g.DY - 4, g.Width - b - 1, g.DY - 4 + gh};
        if (m_headerColor != clNone) {
            canvas.Brush().SetStyle(TBrushStyle::bsSolid);
            canvas.Brush().SetColor(m_headerColor);
            canvas.FillRect(band);
        }
        raisedFrame(canvas, band);
    }
    transparentText(canvas);
    for (int c = 1; c <= 7; ++c) {
        TRect r{g.X0 + (c - 1) * g.DX, g.DY - 6, g.X0 + c * g.DX, 2 * g.DY};
        canvas.DrawText(m_nameOfDays.Name(c + m_startDay - 1), r,
                        DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
    }

    // The separator under the day names.
    const int y = g.DY + gh - 4;
    canvas.Pen().SetStyle(TPenStyle::psSolid);
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetColor(m_lineColor);
    canvas.MoveTo(b, y);
    canvas.LineTo(g.Width - b, y);
    if (m_line3D) {
        canvas.Pen().SetColor(clWhite);
        canvas.MoveTo(b, y + 1);
        canvas.LineTo(g.Width - b, y + 1);
    }
}

void TPlannerCalendar::paintWeeks(TCanvas& canvas, const TCalendarGeometry& g)
{
    if (!m_showWeeks)
        return;
    canvas.Font() = m_dayFont;
    const int gh = canvas.TextHeight(QStringLiteral("gh"));
    const int top = g.DY + gh - 4;
    canvas.Pen().SetStyle(TPenStyle::psSolid);
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetColor(m_lineColor);
    canvas.MoveTo(g.DX, top);
    canvas.LineTo(g.DX, g.Height - 2);
    if (m_line3D) {
        canvas.Pen().SetColor(clWhite);
        canvas.MoveTo(g.DX + 1, top);
        canvas.LineTo(g.DX + 1, g.Height - 2);
    }
    transparentText(canvas);
    TRect header{2, g.DY - 6, g.DX + 2, 2 * g.DY};
    canvas.DrawText(m_weekName, header, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);

    canvas.Font() = m_weekFont;
    transparentText(canvas);
    for (int w = 1; w <= 6; ++w) {
        const int rowTop = g.T + w * g.DY - 2;
        TRect r{0, rowTop, g.DX, rowTop + g.DY - 2};
        const int week = CalendarWeekNumber(g.Year, g.Month, w, m_startDay, m_yearStartAt);
        canvas.DrawText(QString::number(week), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

void TPlannerCalendar::paintCells(TCanvas& canvas, const TCalendarGeometry& g)
{
    for (int w = 1; w <= 6; ++w)
        for (int c = 1; c <= 7; ++c)
            paintCell(canvas, g, c, w);
}

void TPlannerCalendar::paintCell(TCanvas& canvas, const TCalendarGeometry& g, int c, int w)
{
    const int k = c + 7 * (w - 1);
    const int index = k - g.Lead;
    const bool before = index < 1;
    const bool after = index > g.MonthLength;
    if ((before && !m_showDaysBefore) || (after && !m_showDaysAfter))
        return;
    const bool inMonth = !before && !after;
    const TDateTime date = g.CellDate(k);
    int year = 0, month = 0, day = 0;
    // Around 1 January 0001 and 31 December 9999 the grid runs past the calendar: no day.
    if (!TryDecodeDate(date, year, month, day))
        return;
    const TRect r = g.DayCell(c, w);

    canvas.Font() = Font();
    TEventProp event;
    const bool hasEvent = DateHasEvent(event, date);
    const bool selected = m_showSelection && m_dates->HasDate(date);

    TColor color = m_inversColor;
    if (inMonth) {
        const int weekday = DayOfWeek(date);
        color = (weekday == 1 || weekday == 7) ? m_weekendColor : m_textColor;
    }
    if (!InRange(date))
        color = m_inActiveColor;
    if (hasEvent) {
        canvas.Font().SetStyle(canvas.Font().Style() + TFontStyle::fsBold);
        color = event.FontColor() != clNone ? event.FontColor() : m_eventDayColor;
    }
    if (selected) {
        canvas.Brush().SetStyle(TBrushStyle::bsSolid);
        canvas.Brush().SetColor(m_selectColor);
        canvas.FillRect(r);
        color = m_selectFontColor;
    }
    if (hasEvent)
        drawMark(canvas, r, event.Color(), event.Shape());
    if (m_look == TCalendarLook::look3D)
        raisedFrame(canvas, r);

    if (OnCellDraw) {
        OnCellDraw(*this, canvas, date, selected, hasEvent, inMonth, r);
    } else {
        canvas.Font().SetColor(color);
        transparentText(canvas);
        TRect text = r;
        canvas.DrawText(QString::number(day), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }

    if (inMonth && hasFocus() && std::trunc(m_focusDate) == date)
        canvas.DrawFocusRect(r);

    if (m_showToday && inMonth && std::trunc(Now()) == date) {
        TColor first = Shadow3D, second = clWhite;
        if (m_todayStyle == TTodayStyle::tsRaised)
            std::swap(first, second);
        else if (m_todayStyle == TTodayStyle::tsFlat)
            first = second = m_lineColor;
        canvas.Pen().SetStyle(TPenStyle::psSolid);
        canvas.Pen().SetWidth(1);
        canvas.Pen().SetColor(first);
        canvas.MoveTo(r.Left, r.Bottom - 1);
        canvas.LineTo(r.Left, r.Top);
        canvas.LineTo(r.Right, r.Top);
        canvas.Pen().SetColor(second);
        canvas.LineTo(r.Right, r.Bottom - 1);
        canvas.LineTo(r.Left, r.Bottom - 1);
    }
}

QString TPlannerCalendar::todayText()
{
    return FormatDateTime(m_todayFormat, Now());
}

void TPlannerCalendar::paintTodayLine(TCanvas& canvas, const TCalendarGeometry& g)
{
    if (!m_showGotoToday)
        return;
    canvas.Font() = Font();
    if (m_hoverToday) {
        canvas.Font().SetStyle(canvas.Font().Style() + TFontStyle::fsUnderline);
        canvas.Font().SetColor(m_selectColor);
    }
    transparentText(canvas);
    canvas.TextOut(g.X0 + 2, 8 * g.DY - 4, todayText());
}
