// Header painting, the sort indicator and the header's mouse.
#include "comp/TodoList/TodoHeader.h"

#include "comp/TodoList/TodoDrawing.h"
#include "platform/controls/Mouse.h"
#include "platform/core/RaiseEvent.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/ImageList.h"

#include <array>

TTodoHeader::TTodoHeader(QWidget* parent) : THeaderControl(parent) {}

int TTodoHeader::XYToSection(int x) const
{
    if (x <= 0 || SectionCount() == 0)
        return -1;
    int right = 0;
    for (int i = 0; i < SectionCount(); ++i) {
        right += Section(i).Width();
        if (right >= x)
            return i;
    }
    return SectionCount() - 1;
}

void TTodoHeader::drawSortIndicator(TCanvas& canvas, int x, int y) const
{
    TPen& pen = canvas.Pen();
    pen.SetStyle(TPenStyle::psSolid);
    if (m_sortDirection == TSortDirection::sdAscending) {
        pen.SetColor(clWhite);
        canvas.MoveTo(x - 4, y + 4);
        canvas.LineTo(x + 4, y + 4);
        canvas.LineTo(x, y - 4);
        pen.SetColor(clGray);
        canvas.LineTo(x - 4, y + 4);
    } else {
        pen.SetColor(clWhite);
        canvas.MoveTo(x + 4, y - 4);
        canvas.LineTo(x, y + 4);
        pen.SetColor(clGray);
        canvas.LineTo(x - 4, y - 4);
        canvas.LineTo(x + 4, y - 4);
    }
    pen.SetColor(clBlack);
}

void TTodoHeader::Paint(TCanvas& canvas)
{
    canvas.Font().Assign(Font());
    canvas.Brush().SetColor(Color());
    canvas.Pen().SetColor(m_lineColor == clNone ? Color() : m_lineColor);
    const int clientRight = width();
    int left = 0;
    for (int i = 0; i < SectionCount(); ++i) {
        const THeaderSection& section = Section(i);
        TRect s{left, 0, left + section.Width(), height()};
        const bool last = i == SectionCount() - 1 || s.Right >= clientRight - 1;
        if (last)
            s.Right = clientRight;
        left = s.Right;

        const bool active = m_activeColumn >= 0 && i == m_activeColumn;
        const TColor from = active ? m_activeColor : Color();
        const TColor to = active ? m_activeColorTo : m_colorTo;
        if (to == clNone) {
            canvas.Brush().SetColor(from);
            canvas.FillRect(s);
        } else {
            DrawGradient(canvas, from, to, false, s, 16);
        }

        TRect t = s;
        InflateRect(t, -4, -2);
        const TImageList* images = Images();
        if (images && section.ImageIndex() >= 0 && section.ImageIndex() < images->Count()) {
            images->Draw(canvas, t.Left, t.Top, section.ImageIndex());
            t.Left += images->Width() + 2;
        }
        unsigned flags = DT_NOPREFIX | DT_END_ELLIPSIS;
        flags |= m_alignment == TAlignment::taRightJustify ? DT_RIGHT
                 : m_alignment == TAlignment::taCenter     ? DT_CENTER
                                                           : DT_LEFT;
        if (section.Text().contains(QLatin1Char('\r')))
            flags |= DT_WORDBREAK;
        else
            flags |= DT_SINGLELINE | (m_vAlignment == TVAlignment::vtaCenter   ? DT_VCENTER
                                      : m_vAlignment == TVAlignment::vtaBottom ? DT_BOTTOM
                                                                               : DT_TOP);
        t.Bottom = t.Top + m_textHeight;
        const bool sorted = i == m_sortedSection && m_sortShow;
        if (sorted)
            t.Right -= 16;
        canvas.SetBkMode(TBkMode::bkTransparent);
        TRect textRect = t;
        canvas.DrawText(section.Text(), textRect, flags);
        if (sorted) {
            const int w = std::min(canvas.TextWidth(section.Text()), std::max(0, t.Width()));
            const int textEnd = m_alignment == TAlignment::taRightJustify ? t.Right
                                : m_alignment == TAlignment::taCenter ? t.Left + (t.Width() + w) / 2
                                                                      : t.Left + w;
            drawSortIndicator(canvas, textEnd < s.Right ? s.Right - 8 : textEnd + 8, t.Top + 6);
        }

        if (!m_flat) {
            TRect edge = s;
            canvas.DrawEdge(edge, BDR_RAISEDINNER, BF_RECT);
        } else if (i > 0 && m_lineColor != clNone) {
            canvas.Pen().SetColor(m_lineColor);
            canvas.MoveTo(s.Left + 1, s.Top);
            canvas.LineTo(s.Left + 1, s.Bottom);
        }
        if (last)
            break;
    }
}

void TTodoHeader::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == TMouseButton::mbLeft) {
        const int section = XYToSection(x);
        if (m_sectionDragDrop && section >= 0 && SizingSectionAt({x, y}) < 0) {
            m_dragFrom = section;
            setCursor(TScreenCursors::Get(crDrag));
            SetCapture(this);
        }
        THeaderControl::MouseDown(button, shift, x, y);
        m_lastPressX = x;
        m_pressing = true;
        Raise(OnClick, *this, section);
        m_pressing = false;
        return;
    }
    THeaderControl::MouseDown(button, shift, x, y);
    if (button == TMouseButton::mbRight)
        Raise(OnRightClick, *this, XYToSection(x));
}

void TTodoHeader::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    THeaderControl::MouseUp(button, shift, x, y);
    if (button != TMouseButton::mbLeft)
        return;
    const int section = XYToSection(x);
    if (m_dragFrom >= 0) {
        const int from = m_dragFrom;
        m_dragFrom = -1;
        if (GetCapture() == this)
            ReleaseCapture();
        SetControlCursor(*this, Cursor());
        if (section >= 0 && section != from)
            Raise(OnDragDrop, *this, from, section);
    }
    Raise(OnClick, *this, section);
}
