// TCanvas frame controls: check boxes, radio buttons, push buttons and scroll-bar arrows,
// in the plain look (our own pixels in the system colours, the same on every machine) or,
// with visual styles on, through the application's QStyle.
#include "platform/gfx/Canvas.h"
#include "platform/gfx/Themes.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>

namespace {

constexpr unsigned partMask = 0xFF;

// The largest square inside r, centred.
TRect centredSquare(const TRect& r)
{
    const int side = std::min(r.Width(), r.Height());
    const int left = r.Left + (r.Width() - side) / 2;
    const int top = r.Top + (r.Height() - side) / 2;
    return {left, top, left + side, top + side};
}

} // namespace

bool TCanvas::DrawFrameControl(const TRect& r, unsigned type, unsigned state)
{
    if (type != DFC_BUTTON && type != DFC_SCROLL)
        return false;
    if (r.IsEmpty())
        return true;
    if (UseVisualStyles() && drawFrameControlThemed(r, type, state))
        return true;
    drawFrameControlPlain(r, type, state);
    return true;
}

void TCanvas::drawArrow(const TRect& r, unsigned direction, TColor color)
{
    // A solid triangle about a third of the button, its point away from the centre line.
    const int size = std::max(2, (std::min(r.Width(), r.Height()) + 2) / 4);
    const int base = 2 * size - 1;
    const int cx = r.Left + (r.Width() - 1) / 2;
    const int cy = r.Top + (r.Height() - 1) / 2;
    for (int i = 0; i < size; ++i) {
        switch (direction) {
        case DFCS_SCROLLUP: {
            const int y = cy - size / 2 + i;
            fillRectRaw(cx - i, y, cx + i + 1, y + 1, color);
            break;
        }
        case DFCS_SCROLLLEFT: {
            const int x = cx - size / 2 + i;
            fillRectRaw(x, cy - i, x + 1, cy + i + 1, color);
            break;
        }
        case DFCS_SCROLLRIGHT: {
            const int x = cx + size / 2 - i;
            fillRectRaw(x, cy - i, x + 1, cy + i + 1, color);
            break;
        }
        default: { // down, and the combo box's drop-down arrow
            const int y = cy - size / 2 + i;
            fillRectRaw(cx - (base - 1) / 2 + i, y, cx + (base - 1) / 2 - i + 1, y + 1, color);
            break;
        }
        }
    }
}

void TCanvas::drawFrameControlPlain(const TRect& r, unsigned type, unsigned state)
{
    const unsigned part = state & partMask;
    const bool flat = state & (DFCS_FLAT | DFCS_MONO);
    const bool pushed = state & DFCS_PUSHED;
    const bool inactive = state & DFCS_INACTIVE;
    const bool checked = state & DFCS_CHECKED;

    auto buttonFrame = [&](TRect box, bool down) {
        if (flat) {
            fillRectRaw(box.Left, box.Top, box.Right, box.Bottom, clBtnShadow);
            InflateRect(box, -1, -1);
            fillRectRaw(box.Left, box.Top, box.Right, box.Bottom, clBtnFace);
        } else {
            DrawEdge(box, down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_MIDDLE);
        }
    };

    if (type == DFC_SCROLL) {
        buttonFrame(r, pushed);
        TRect arrowBox = r;
        if (pushed)
            OffsetRect(arrowBox, 1, 1);
        const unsigned direction = part == DFCS_SCROLLCOMBOBOX ? DFCS_SCROLLDOWN : part;
        if (inactive)
            drawArrow(
                {arrowBox.Left + 1, arrowBox.Top + 1, arrowBox.Right + 1, arrowBox.Bottom + 1},
                direction, clBtnHighlight);
        drawArrow(arrowBox, direction, inactive ? clBtnShadow : clBtnText);
        return;
    }

    if (part & DFCS_BUTTONPUSH) {
        buttonFrame(r, pushed || checked);
        return;
    }

    const TColor inside = (inactive || pushed) ? clBtnFace : clWindow;
    const TColor ink = inactive ? clGrayText : clWindowText;
    TRect box = centredSquare(r);

    if (part & DFCS_BUTTONRADIO) {
        const TPen savedPen = m_pen;
        const TBrush savedBrush = m_brush;
        m_pen.SetWidth(1);
        m_pen.SetStyle(TPenStyle::psSolid);
        m_pen.SetMode(TPenMode::pmCopy);
        m_brush.SetStyle(TBrushStyle::bsSolid);
        m_pen.SetColor(clBtnShadow);
        m_brush.SetColor(inside);
        Ellipse(box);
        if (!flat) {
            TRect ring = box;
            InflateRect(ring, -1, -1);
            m_pen.SetColor(cl3DDkShadow);
            Ellipse(ring);
        }
        if (checked) {
            const int d = std::max(2, box.Width() / 3);
            const int left = box.Left + (box.Width() - d) / 2;
            const int top = box.Top + (box.Height() - d) / 2;
            m_pen.SetColor(ink);
            m_brush.SetColor(ink);
            Ellipse({left, top, left + d, top + d});
        }
        m_pen.Assign(savedPen);
        m_brush.Assign(savedBrush);
        return;
    }

    // Check box (also the three-state box, whose checked state shows a grey mark).
    if (flat) {
        fillRectRaw(box.Left, box.Top, box.Right, box.Bottom, clBtnShadow);
        InflateRect(box, -1, -1);
    } else {
        DrawEdge(box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    }
    fillRectRaw(box.Left, box.Top, box.Right, box.Bottom, inside);
    if (!checked)
        return;
    // The classic tick: seven columns, three pixels tall, falling then rising.
    static constexpr int drop[7] = {2, 3, 4, 3, 2, 1, 0};
    const int markLeft = box.Left + (box.Width() - 7) / 2;
    const int markTop = box.Top + (box.Height() - 7) / 2;
    const TColor mark = (part & DFCS_BUTTON3STATE) ? clBtnShadow : ink;
    for (int i = 0; i < 7; ++i)
        fillRectRaw(markLeft + i, markTop + drop[i], markLeft + i + 1, markTop + drop[i] + 3, mark);
}

bool TCanvas::drawFrameControlThemed(const TRect& r, unsigned type, unsigned state)
{
    QStyle* style = QApplication::style();
    if (!style)
        return false;
    const unsigned part = state & partMask;
    QPainter& painter = p();

    QStyle::State s = QStyle::State_None;
    if (!(state & DFCS_INACTIVE))
        s |= QStyle::State_Enabled;
    if (state & DFCS_PUSHED)
        s |= QStyle::State_Sunken;
    if (state & DFCS_HOT)
        s |= QStyle::State_MouseOver;
    if (!(state & DFCS_FLAT))
        s |= QStyle::State_Raised;

    painter.save();
    if (type == DFC_SCROLL) {
        QStyleOption opt;
        opt.rect = ToQRect(r);
        opt.state = s;
        opt.palette = QApplication::palette();
        style->drawPrimitive(QStyle::PE_PanelButtonBevel, &opt, &painter);
        QStyle::PrimitiveElement arrow = QStyle::PE_IndicatorArrowDown;
        if (part == DFCS_SCROLLUP)
            arrow = QStyle::PE_IndicatorArrowUp;
        else if (part == DFCS_SCROLLLEFT)
            arrow = QStyle::PE_IndicatorArrowLeft;
        else if (part == DFCS_SCROLLRIGHT)
            arrow = QStyle::PE_IndicatorArrowRight;
        style->drawPrimitive(arrow, &opt, &painter);
    } else {
        QStyleOptionButton opt;
        opt.rect = ToQRect(r);
        opt.state = s | ((state & DFCS_CHECKED) ? QStyle::State_On : QStyle::State_Off);
        opt.palette = QApplication::palette();
        if (part & DFCS_BUTTONPUSH) {
            style->drawControl(QStyle::CE_PushButtonBevel, &opt, &painter);
        } else if (part & DFCS_BUTTONRADIO) {
            opt.rect = ToQRect(centredSquare(r));
            style->drawPrimitive(QStyle::PE_IndicatorRadioButton, &opt, &painter);
        } else {
            opt.rect = ToQRect(centredSquare(r));
            style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &opt, &painter);
        }
    }
    painter.restore();
    return true;
}
