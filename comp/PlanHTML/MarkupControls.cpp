// Embedded controls of <CONTROL TYPE=... ID=... VALUE=... WIDTH=...>: edit, combo box,
// check box, radio button and push button, drawn in the plain look or through the
// application's style, sized the same in every pass and hit-tested by their box.
#include "comp/PlanHTML/MarkupParsing.h"
#include "comp/PlanHTML/MarkupRenderer.h"
#include "platform/core/Math.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/DrawFlags.h"
#include "platform/gfx/Themes.h"

#include <algorithm>

namespace markup {

void TMarkupRenderer::controlTag(Pass& p, const QString& tag)
{
    const TMarkupControl c = ParseControlTag(tag.mid(8));
    int n = 0;
    if (ValidInt(c.Width, n)) {
        if (m_opt.PrintMode)
            n = int(Round(n * m_opt.Scale));
        // A negative width would turn the box inside out.
        n = std::max(0, n);
    }
    const int gh = ghHeight();
    int w = n;
    int h = gh + 6;
    if (c.Type == QLatin1String("COMBO")) {
        h = 25;
    } else if (c.Type == QLatin1String("CHECK") || c.Type == QLatin1String("RADIO")) {
        w = 16;
        h = 16;
    } else if (c.Type == QLatin1String("BUTTON")) {
        h = 24;
    }

    if (p.paints) {
        const int L = p.curLeft;
        const int Bt = p.lineBottom;
        const int H = p.lineHeight;
        const bool hot = m_opt.MouseX > L - 2 && m_opt.MouseX < L - 2 + w &&
                         m_opt.MouseY > Bt - h - 2 && m_opt.MouseY < Bt - 2;
        // The canvas draws frame controls through the style while visual styles are on.
        const bool themed = UseVisualStyles();
        const TColor savedPen = m_canvas.Pen().Color();
        const TBrush savedBrush = m_canvas.Brush();
        auto frame = [&] {
            m_canvas.Pen().SetColor(clGray);
            m_canvas.Brush().SetColor(clNone);
            m_canvas.Rectangle(L, Bt - H + 3, L + n, Bt + 1);
            m_canvas.Pen().SetColor(savedPen);
            m_canvas.Brush().Assign(savedBrush);
            m_canvas.SetBkMode(TBkMode::bkTransparent);
        };
        const unsigned textFlags = DT_SINGLELINE | DT_NOPREFIX;
        if (c.Type == QLatin1String("EDIT")) {
            frame();
            TRect r{L + 2, Bt - H + 4, L + n, Bt};
            m_canvas.DrawText(c.Value, r, textFlags | DT_LEFT | DT_TOP);
        } else if (c.Type == QLatin1String("COMBO")) {
            frame();
            TRect r{L + 2, Bt - H + 6, L + n - 17, Bt};
            m_canvas.DrawText(c.Value, r, textFlags | DT_LEFT | DT_TOP);
            const unsigned state = DFCS_SCROLLCOMBOBOX | (themed && hot ? DFCS_HOT : 0u);
            m_canvas.DrawFrameControl({L + n - 19, Bt - H + 6, L + n - 3, Bt - 2}, DFC_SCROLL,
                                      state);
        } else if (c.Type == QLatin1String("CHECK") || c.Type == QLatin1String("RADIO")) {
            const bool radio = c.Type == QLatin1String("RADIO");
            const int full = radio ? 14 : 15;
            TRect box{L + 2, Bt - full, L + full, Bt};
            if (m_opt.PrintMode) {
                const int s = int(Round(full * m_opt.Scale));
                box = {L + 2, Bt - s, L + s, Bt};
            }
            // The plain radio button is checked only by the exact word.
            const bool checked = (themed || !radio) ? c.Value.toUpper() == QLatin1String("TRUE")
                                                    : c.Value == QLatin1String("True");
            unsigned state =
                (radio ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK) | (checked ? DFCS_CHECKED : 0u);
            if (themed)
                state |= (hot ? DFCS_HOT : 0u) | (hot && m_opt.ButtonDown ? DFCS_PUSHED : 0u);
            else
                state |= DFCS_FLAT;
            m_canvas.DrawFrameControl(box, DFC_BUTTON, state);
        } else if (c.Type == QLatin1String("BUTTON")) {
            const TRect box{L + 2, Bt - 20, L + n - 2, Bt};
            unsigned state = DFCS_BUTTONPUSH;
            if (themed)
                state |= (m_opt.ButtonDown ? DFCS_PUSHED : 0u) | (hot ? DFCS_HOT : 0u);
            else if (hot && m_opt.ButtonDown)
                state |= DFCS_PUSHED;
            m_canvas.DrawFrameControl(box, DFC_BUTTON, state);
            TRect r{box.Left + 2, box.Top + 2, box.Right - 2, box.Bottom - 2};
            m_canvas.DrawText(c.Value, r, textFlags | DT_CENTER | DT_VCENTER);
        }
    }

    if (p.hitTests) {
        const int mx = m_opt.MouseX - p.lineLeft;
        if (mx > p.x && mx < p.x + w && m_opt.MouseY > p.lineTop && m_opt.MouseY < p.lineTop + h) {
            p.controlHit = true;
            m_res.HitAnchor = QStringLiteral("ctrl");
            m_res.HitControlRect = {p.lineLeft + p.x, p.lineTop, p.lineLeft + p.x + w,
                                    p.lineTop + h};
            m_res.HitControlValue = c.Value;
            m_res.HitControlId = c.Id;
            m_res.HitControlType = c.Type;
        }
    }

    place(p, w, h);
}

} // namespace markup
