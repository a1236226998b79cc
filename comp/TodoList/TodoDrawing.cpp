// Gradient bands, the progress bar, the completion check and the handle.
#include "comp/TodoList/TodoDrawing.h"

#include "comp/TodoList/TodoImages.h"
#include "platform/core/Math.h"
#include "platform/core/NumberFormat.h"
#include "platform/gfx/Canvas.h"

#include <algorithm>

void DrawGradient(TCanvas& canvas, TColor fromColor, TColor toColor, bool horizontal,
                  const TRect& rect, int steps)
{
    if (steps == 0)
        steps = 1;
    const TColor from = ColorToRGB(fromColor);
    const TColor to = ColorToRGB(toColor);
    const int r0 = GetRValue(from), g0 = GetGValue(from), b0 = GetBValue(from);
    const int dr = GetRValue(to) - r0, dg = GetGValue(to) - g0, db = GetBValue(to) - b0;
    const double f = double(horizontal ? rect.Width() : rect.Height()) / steps;
    const int band = int(Round(f)) + 1;
    for (int n = 0; n < steps; ++n) {
        const TColor c =
            RGB(r0 + int(Round(double(n) * dr / steps)), g0 + int(Round(double(n) * dg / steps)),
                b0 + int(Round(double(n) * db / steps)));
        canvas.Pen().SetColor(c);
        canvas.Brush().SetColor(c);
        const int start = int(Round(n * f));
        // A rectangle outlined in its own colour covers exactly the filled span.
        if (horizontal)
            canvas.FillRect({rect.Left + start, rect.Top, rect.Left + start + band, rect.Bottom});
        else
            canvas.FillRect({rect.Left, rect.Top + start, rect.Right, rect.Top + start + band});
    }
}

// ---- looks -------------------------------------------------------------------------------

void TProgressLook::Assign(const TProgressLook& other)
{
    auto handler = std::move(OnChange);
    *this = other;
    OnChange = std::move(handler);
    if (OnChange)
        OnChange(*this);
}

TCompleteCheck::TCompleteCheck()
{
    m_completedGlyph.OnChange = [this](TBitmap&) { changed(); };
    m_unCompletedGlyph.OnChange = [this](TBitmap&) { changed(); };
}

void TCompleteCheck::SetCheckType(TCheckType type)
{
    if (type == m_checkType)
        return;
    m_checkType = type;
    changed();
}

void TCompleteCheck::changed()
{
    if (OnChange)
        OnChange(*this);
}

// ---- progress bar ------------------------------------------------------------------------

namespace {

void fillBlock(TCanvas& canvas, const TRect& r, TColor color, TColor colorTo,
               const TProgressLook& look)
{
    if (r.Width() <= 0 || r.Height() <= 0)
        return;
    // Without a second colour there is nothing to blend towards.
    if (!look.ShowGradient() || colorTo == clNone) {
        canvas.Brush().SetColor(color);
        canvas.FillRect(r);
        return;
    }
    const int middle = r.Top + r.Height() / 2;
    DrawGradient(canvas, colorTo, color, false, {r.Left, r.Top, r.Right, middle}, look.Steps());
    DrawGradient(canvas, color, colorTo, false, {r.Left, middle, r.Right, r.Bottom}, look.Steps());
}

int roundPart(double value, double whole)
{
    return int(Round(value / 100.0 * whole));
}

} // namespace

void ProgressLevelColors(const TProgressLook& look, int value, TColor& color, TColor& colorTo)
{
    if (value < look.Level1Perc()) {
        color = look.Level0Color();
        colorTo = look.Level0ColorTo();
    } else if (value < look.Level2Perc()) {
        color = look.Level1Color();
        colorTo = look.Level1ColorTo();
    } else if (value < 100) {
        color = look.Level2Color();
        colorTo = look.Level2ColorTo();
    } else {
        color = look.Level3Color();
        colorTo = look.Level3ColorTo();
    }
}

void DrawProgressBar(TCanvas& canvas, const TRect& c, int value, TColor cellColor,
                     const TProgressLook& look)
{
    value = std::clamp(value, 0, 100);
    TRect b = c;
    InflateRect(b, -1, -1);
    const TColor bg = look.UnCompleteColor() == clNone ? cellColor : look.UnCompleteColor();
    const TColor outline = look.ShowBorder() ? look.BorderColor() : bg;
    canvas.Pen().SetStyle(TPenStyle::psSolid);
    canvas.Pen().SetColor(outline);
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.Brush().SetColor(bg);
    canvas.Rectangle(b);

    if (value > 0) {
        const int w = b.Width() - 2;
        if (!look.Stacked()) {
            TColor color, colorTo;
            ProgressLevelColors(look, value, color, colorTo);
            if (look.CompletionSmooth()) {
                fillBlock(canvas,
                          {b.Left + 1, b.Top + 1, b.Left + roundPart(value, w) + 1, b.Bottom - 1},
                          color, colorTo, look);
            } else {
                const int l = int(Round(double(value) * w / 100.0));
                if (l <= 9) {
                    if (l > 1)
                        fillBlock(canvas, {b.Left + 2, b.Top + 2, b.Left + l + 1, b.Bottom - 2},
                                  color, colorTo, look);
                } else {
                    TRect block{b.Left + 2, b.Top + 2, b.Left + 9, b.Bottom - 2};
                    fillBlock(canvas, block, color, colorTo, look);
                    for (int i = 1; i < l / 9; ++i) {
                        block.Left = block.Right + 2;
                        block.Right = block.Left + 7;
                        fillBlock(canvas, block, color, colorTo, look);
                    }
                    if (l % 9 > 2) {
                        block.Left = block.Right + 2;
                        block.Right = block.Left + l % 9 - 1;
                        fillBlock(canvas, block, color, colorTo, look);
                    }
                }
            }
        } else {
            const int p1 = look.Level1Perc(), p2 = look.Level2Perc();
            int left = b.Left + 1;
            const int first = value < p1 ? roundPart(value, w) : roundPart(p1, w);
            fillBlock(canvas, {left, b.Top + 1, left + first, b.Bottom - 1}, look.Level0Color(),
                      look.Level0ColorTo(), look);
            left += first;
            if (value >= p1) {
                const int second = value < p2 ? roundPart(value - p1, w) : roundPart(p2 - p1, w);
                fillBlock(canvas, {left, b.Top + 1, left + second, b.Bottom - 1},
                          look.Level1Color(), look.Level1ColorTo(), look);
                left += second;
                if (value >= p2) {
                    const int third = value == 100 ? w - first - second : roundPart(value - p2, w);
                    fillBlock(canvas, {left, b.Top + 1, left + third, b.Bottom - 1},
                              look.Level3Color(), look.Level3ColorTo(), look);
                }
            }
        }
        if (look.ShowPercentage()) {
            const QString text = IntToStr(value) + QLatin1Char('%');
            canvas.Font().SetColor(look.CompleteFontColor());
            canvas.SetBkMode(TBkMode::bkTransparent);
            const TSize size = canvas.TextExtent(text);
            canvas.TextOut(b.Left + b.Width() / 2 - size.cx / 2,
                           b.Top + b.Height() / 2 - size.cy / 2, text);
        }
    }

    canvas.Pen().SetColor(outline);
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    canvas.Rectangle(b);
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
}

// ---- check and handle --------------------------------------------------------------------

void DrawCompleteCheck(TCanvas& canvas, const TRect& c, TAlignment alignment, bool complete,
                       const TCompleteCheck& check)
{
    int left = c.Left;
    if (alignment == TAlignment::taRightJustify)
        left = c.Right - 16;
    else if (alignment == TAlignment::taCenter)
        left += (c.Width() - 14) / 2;
    const TRect k{left + 1, c.Top + 1, left + 15, c.Top + 15};
    switch (check.CheckType()) {
    case TCheckType::ctCheckBox:
        canvas.DrawFrameControl(k, DFC_BUTTON,
                                DFCS_BUTTONCHECK | DFCS_FLAT | (complete ? DFCS_CHECKED : 0));
        break;
    case TCheckType::ctCheckMark:
        canvas.Draw(k.Left, k.Top, complete ? TodoNotePadFilled() : TodoNotePadEmpty());
        break;
    case TCheckType::ctGlyph: {
        const TBitmap& glyph = complete ? check.CompletedGlyph() : check.UnCompletedGlyph();
        if (!glyph.Empty())
            canvas.DrawImage(k.Left, k.Top, glyph.TransparentImage());
        break;
    }
    }
}

void DrawHandle(TCanvas& canvas, const TRect& c, TAlignment alignment, const TBitmap& glyph)
{
    int x = c.Left + 1;
    if (alignment == TAlignment::taRightJustify)
        x = c.Right - 15;
    else if (alignment == TAlignment::taCenter)
        x = c.Left + (c.Width() - 14) / 2 + 1;
    if (!glyph.Empty())
        canvas.Draw(x, c.Top + 1, glyph);
    else
        canvas.Draw(x, c.Top + 1, TodoNotePadFilled());
}
