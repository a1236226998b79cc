// Painting and mouse state of the edit's speed button.
#include "comp/NuvEdBtn/NuvSpeedButton.h"

#include "platform/gfx/Canvas.h"
#include "platform/gfx/DrawFlags.h"
#include "platform/gfx/Themes.h"

TNuvSpeedButton::TNuvSpeedButton(QWidget* parent) : TCustomControl(parent)
{
    SetColor(clBtnFace);
    setFocusPolicy(Qt::NoFocus);
    m_glyph.OnChange = [this](TBitmap&) { update(); };
}

void TNuvSpeedButton::SetGlyph(const TBitmap& glyph)
{
    m_glyph.Assign(glyph);
    update();
}

void TNuvSpeedButton::SetNumGlyphs(int n)
{
    if (n < 1 || n > 4)
        return;
    m_numGlyphs = n;
    update();
}

void TNuvSpeedButton::SetCaption(const QString& caption)
{
    m_caption = caption;
    update();
}

void TNuvSpeedButton::SetFlat(bool on)
{
    m_flat = on;
    update();
}

void TNuvSpeedButton::SetEtched(bool on)
{
    if (on == m_etched)
        return;
    m_etched = on;
    update();
}

void TNuvSpeedButton::SetFocused(bool on)
{
    if (on == m_focused)
        return;
    m_focused = on;
    update();
}

void TNuvSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == TMouseButton::mbLeft && isEnabled()) {
        m_down = true;
        update();
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TNuvSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == TMouseButton::mbLeft && m_down) {
        m_down = false;
        update();
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

void TNuvSpeedButton::enterEvent(QEnterEvent* event)
{
    TCustomControl::enterEvent(event);
    m_hover = true;
    update();
}

void TNuvSpeedButton::leaveEvent(QEvent* event)
{
    TCustomControl::leaveEvent(event);
    m_hover = false;
    update();
}

TRect TNuvSpeedButton::glyphSource() const
{
    if (m_glyph.Empty())
        return {};
    const int w = m_glyph.Width() / m_numGlyphs;
    const int index = !isEnabled() && m_numGlyphs > 1 ? 1 : 0;
    return {index * w, 0, index * w + w, m_glyph.Height()};
}

void TNuvSpeedButton::drawGlyph(TCanvas& canvas, int x, int y)
{
    const TRect src = glyphSource();
    if (src.IsEmpty())
        return;
    // The glyph's own background (its top-left pixel) becomes the button face.
    const TColor key = FromQColor(m_glyph.Image().pixelColor(src.Left, src.Top));
    canvas.Brush().SetColor(clBtnFace);
    canvas.BrushCopy(TRect{x, y, x + src.Width(), y + src.Height()}, m_glyph, src, key);
}

void TNuvSpeedButton::drawCaption(TCanvas& canvas, TRect r, unsigned flags)
{
    if (m_caption.isEmpty())
        return;
    canvas.Font().Assign(Font());
    canvas.Font().SetColor(isEnabled() ? clBtnText : clGrayText);
    canvas.SetBkMode(TBkMode::bkTransparent);
    canvas.DrawText(m_caption, r, flags | DT_SINGLELINE | DT_VCENTER);
}

void TNuvSpeedButton::Paint(TCanvas& canvas)
{
    if (UseVisualStyles())
        paintThemed(canvas);
    else if (m_flat)
        paintFlat(canvas);
    else
        paintStandard(canvas);
}

void TNuvSpeedButton::paintThemed(TCanvas& canvas)
{
    const TRect bounds{0, 0, width(), height()};
    canvas.Brush().SetColor(Color());
    canvas.FillRect(bounds);
    unsigned state = DFCS_BUTTONPUSH;
    if (m_down)
        state |= DFCS_PUSHED;
    else if (m_hover)
        state |= DFCS_HOT;
    canvas.DrawFrameControl(TRect{0, 0, width() + 1, height() + 1}, DFC_BUTTON, state);
    const TRect client{2, 2, width() - 2, height() - 2};
    const TRect src = glyphSource();
    const int shift = m_down ? 1 : 0;
    if (!src.IsEmpty()) {
        int x = client.Left;
        int y = client.Top;
        if (!m_caption.isEmpty())
            x = client.Left + 2;
        else if (src.Width() < client.Width())
            x = client.Left + (client.Width() - src.Width()) / 2;
        if (src.Height() < client.Height())
            y = client.Top + (client.Height() - src.Height()) / 2;
        drawGlyph(canvas, x + shift, y + shift);
    }
    if (src.IsEmpty())
        drawCaption(canvas,
                    TRect{client.Left + 3 + shift, client.Top + 1 + shift, client.Right - 3 + shift,
                          client.Bottom - 1 + shift},
                    DT_CENTER);
    else
        drawCaption(
            canvas,
            TRect{client.Left + src.Width() + 2, client.Top - 1, client.Right, client.Bottom - 1},
            DT_LEFT);
}

void TNuvSpeedButton::paintFlat(TCanvas& canvas)
{
    TRect bounds{0, 0, width(), height()};
    canvas.Brush().SetColor(clBtnFace);
    canvas.FillRect(bounds);
    const unsigned edge = m_etched ? EDGE_ETCHED : EDGE_RAISED;
    canvas.DrawEdge(bounds, edge, BF_RECT | (m_down ? BF_FLAT : 0u));
    const int shift = m_down ? 1 : 0;
    const TRect client{3 + shift, 3 + shift, width() - 3 + shift, height() - 3 + shift};
    const TRect src = glyphSource();
    if (!src.IsEmpty())
        drawGlyph(canvas, client.Left + std::max(0, (client.Width() - src.Width()) / 2),
                  client.Top + std::max(0, (client.Height() - src.Height()) / 2));
    drawCaption(canvas, TRect{client.Left + 3, client.Top + 1, client.Right - 3, client.Bottom - 1},
                DT_CENTER);
}

void TNuvSpeedButton::paintStandard(TCanvas& canvas)
{
    TRect bounds{0, 0, width(), height()};
    canvas.Brush().SetColor(clBtnFace);
    canvas.FillRect(bounds);
    canvas.DrawEdge(bounds, m_down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    const int shift = m_down ? 1 : 0;
    const TRect src = glyphSource();
    if (!src.IsEmpty())
        drawGlyph(canvas, (width() - src.Width()) / 2 + shift,
                  (height() - src.Height()) / 2 + shift);
    drawCaption(canvas, TRect{2 + shift, 1 + shift, width() - 2 + shift, height() - 1 + shift},
                DT_CENTER);
}
