// DrawMarkup's line loop and the pass over one line: splitting the text into pieces and
// tags, the fit test that decides where a line ends, and the output of text pieces.
#include "comp/PlanHTML/MarkupParsing.h"
#include "comp/PlanHTML/MarkupRenderer.h"
#include "platform/core/Math.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/DrawFlags.h"

#include <QPaintDevice>
#include <algorithm>

namespace markup {

namespace {

// Every piece is written the same way: one line on the bottom of its rectangle; "&" stays
// an underline prefix, which is why "&amp;" became "&&".
constexpr unsigned pieceFlags = DT_SINGLELINE | DT_BOTTOM | DT_EXPANDTABS | DT_EXTERNALLEADING;

} // namespace

TMarkupRenderer::TMarkupRenderer(TCanvas& canvas, const QString& text, const TRect& bounds,
                                 const TMarkupOptions& options, TMarkupResults& results)
    : m_canvas(canvas), m_text(PrepareText(text)), m_bounds(bounds), m_opt(options), m_res(results)
{
    if (const QPaintDevice* device = canvas.Device()) {
        m_dpiX = device->logicalDpiX() > 0 ? device->logicalDpiX() : 96;
        m_dpiY = device->logicalDpiY() > 0 ? device->logicalDpiY() : 96;
    }
}

int TMarkupRenderer::ghHeight()
{
    return m_canvas.TextHeight(QStringLiteral("gh"));
}

int TMarkupRenderer::scaleX(int v) const
{
    return int(Round(double(v) * m_dpiX / 96.0));
}

int TMarkupRenderer::scaleY(int v) const
{
    return int(Round(double(v) * m_dpiY / 96.0));
}

TColor TMarkupRenderer::brushColor() const
{
    TBrush& b = m_canvas.Brush();
    return b.Style() == TBrushStyle::bsClear ? clNone : b.Color();
}

void TMarkupRenderer::setBrushColor(TColor c)
{
    // clNone is the clear brush: text over it is transparent and fills draw nothing.
    m_canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    m_canvas.Brush().SetColor(c);
    m_canvas.SetBkMode(TBkMode::bkTransparent);
}

void TMarkupRenderer::setFontColor(TColor c)
{
    m_canvas.Font().SetColor(c);
}

void TMarkupRenderer::setStyle(TFontStyle s, bool on)
{
    TFontStyles style = m_canvas.Font().Style();
    if (on)
        style.Include(s);
    else
        style.Exclude(s);
    m_canvas.Font().SetStyle(style);
}

TMarkupRenderer::Replay TMarkupRenderer::saveReplay() const
{
    return {m_inAnchor, m_anchorTarget, m_anchorCount, m_listLevel,     m_imageCount, m_hidden,
            m_shadow,   m_subscript,    m_superscript, m_rotationSaved, m_rotated};
}

void TMarkupRenderer::restoreReplay(const Replay& r)
{
    m_inAnchor = r.inAnchor;
    m_anchorTarget = r.anchorTarget;
    m_anchorCount = r.anchorCount;
    m_listLevel = r.listLevel;
    m_imageCount = r.imageCount;
    m_hidden = r.hidden;
    m_shadow = r.shadow;
    m_subscript = r.subscript;
    m_superscript = r.superscript;
    m_rotationSaved = r.rotationSaved;
    m_rotated = r.rotated;
}

bool TMarkupRenderer::Run()
{
    m_res.PlainText.clear();
    m_res.FocusAnchor.clear();
    m_res.HitControlId.clear();
    m_res.HitControlValue.clear();
    m_res.HitControlType.clear();
    m_res.HitControlRect = TRect{0, 0, 0, 0};
    m_res.Width = 0;
    m_res.Height = 0;
    m_res.AnchorCount = 0;
    m_res.HitIndex = -1;

    m_baseFont = m_canvas.Font();
    m_background = brushColor();
    m_measureFont = m_baseFont;
    m_drawFont = m_baseFont;
    const TBrush savedBrush = m_canvas.Brush();
    setBrushColor(clNone);

    TRect line = m_bounds;
    line.Left += 1;
    qsizetype pos = 0;
    qsizetype end = m_text.size();
    while (pos < end) {
        const qsizetype posBefore = pos;
        const qsizetype endBefore = end;
        const Replay atLineStart = saveReplay();
        m_subscript = false;
        m_superscript = false;

        Pass measure;
        measure.measuring = true;
        measure.pos = pos;
        measure.end = end;
        measure.lineStart = pos;
        measure.lineLeft = line.Left;
        measure.lineTop = line.Top;
        measure.lineRight = line.Right;
        m_canvas.Font().Assign(m_measureFont);
        const int startGh = ghHeight();
        measure.lineHeight = startGh;
        runPass(measure);
        m_measureFont.Assign(m_canvas.Font());
        const int endGh = ghHeight();
        // Every line must consume something or the loop would never end; the fit rules
        // always let a line's first piece or tag through, so this only guards them.
        if (measure.pos == posBefore && measure.end == endBefore)
            measure.pos = std::min(measure.end, measure.pos + 1);
        pos = measure.pos;
        end = measure.end;

        const int lineHeight = measure.lineHeight + measure.subExtra + measure.supExtra;
        // The second pass also runs when only measuring, drawing nothing and testing no
        // point: the next line must start from the state the line's own tags leave, as when
        // drawing. The measuring pass may have applied a tag the line does not keep: a
        // picture that did not fit and starts the next line, or a tag without its ">",
        // which ends the text where it starts.
        restoreReplay(atLineStart);
        m_subscript = false;
        m_superscript = false;

        TRect draw = line;
        if (m_align == TParaAlign::Right) {
            if (draw.Right - measure.x > draw.Left)
                draw.Left = draw.Right - measure.x;
        } else if (m_align == TParaAlign::Center) {
            const int free = draw.Right - draw.Left - measure.x;
            if (free > 0)
                draw.Left += free / 2;
        }
        draw.Left += m_indent;
        draw.Bottom = draw.Top + lineHeight;

        Pass second = measure;
        second.measuring = false;
        second.paints = !m_opt.HitTestOnly && !m_opt.MeasureOnly;
        second.hitTests = !m_opt.MeasureOnly;
        second.pos = measure.lineStart;
        second.end = pos;
        second.lineLeft = draw.Left;
        second.lineTop = draw.Top;
        second.lineRight = draw.Right;
        second.bandBottom = draw.Bottom - measure.imageOffset;
        second.bandTop = second.bandBottom - endGh;
        second.x = 0;
        second.trailing = 0;
        second.ended = false;
        second.overflow = false;
        second.metListItem = false;
        m_canvas.Font().Assign(m_drawFont);
        runPass(second);
        m_drawFont.Assign(m_canvas.Font());
        if (second.anchorTextHit || second.imageHit || second.controlHit)
            m_result = true;

        line.Top += lineHeight;
        m_res.Height += lineHeight;
        if (!m_opt.MeasureOnly && line.Top + startGh > m_bounds.Bottom)
            break;
    }

    m_canvas.Font().Assign(m_baseFont);
    if (m_res.Height == 0)
        m_res.Height = ghHeight();
    m_canvas.Brush().Assign(savedBrush);
    m_canvas.SetBkMode(TBkMode::bkTransparent);
    m_res.AnchorCount = m_anchorCount;
    return m_result;
}

bool TMarkupRenderer::inTextBand(const Pass& p) const
{
    return m_opt.MouseY > p.bandTop && m_opt.MouseY < p.bandBottom;
}

void TMarkupRenderer::runPass(Pass& p)
{
    p.curLeft = p.lineLeft;
    // Ordinary text sits above the band a subscript needs.
    p.lineBottom = p.lineTop + p.lineHeight + p.subExtra + p.supExtra - p.subExtra;
    if (!p.measuring) {
        if (m_inAnchor)
            m_anchorStartX = 0;
        if (m_focusOpen)
            m_focusLeft = p.lineLeft + 1;
        if (m_paraBackground && p.paints)
            fillBand(m_bounds.Left, p.lineTop, m_bounds.Right, p.lineTop + p.lineHeight,
                     brushColor());
    }

    while (p.pos < p.end && !p.ended && !p.overflow) {
        const QStringView rest = QStringView(m_text).mid(p.pos, p.end - p.pos);
        qsizetype lt = rest.indexOf(QLatin1Char('<'));
        if (lt < 0)
            lt = rest.size();
        qsizetype pieceLength = lt;
        if (m_opt.WordWrap) {
            const qsizetype space = rest.left(lt).indexOf(QLatin1Char(' '));
            if (space >= 0)
                pieceLength = space + 1;
        }
        if (pieceLength > 0)
            piece(p, p.pos + pieceLength);

        const qsizetype left = p.end - p.pos;
        if (left > 0 && left <= 2 && m_text[p.pos] == QLatin1Char('<')) {
            // A "<" with at most one character after it at the end of the text.
            p.end = p.pos;
            continue;
        }
        if (p.ended || p.overflow || left < 3 || m_text[p.pos] != QLatin1Char('<'))
            continue;

        const QStringView tagRest = QStringView(m_text).mid(p.pos, left);
        const qsizetype close = tagRest.indexOf(QLatin1Char('>'));
        const QString tag = (close < 0 ? tagRest : tagRest.left(close + 1)).toString();
        const QString upper = UpperSameLength(tag);
        if (m_text[p.pos + 1] == QLatin1Char('/') && left > 3)
            closeTag(p, upper);
        else
            openTag(p, tag, upper);
        if (p.overflow)
            break;
        if (close < 0)
            p.end = p.pos;
        else
            p.pos += close + 1;
    }

    if (p.measuring) {
        p.x -= p.trailing;
        m_res.Width = std::max(m_res.Width, p.x);
    } else if (p.paints && m_focusOpen && m_inAnchor && m_anchorCount == m_opt.FocusIndex + 1) {
        // The focused anchor goes on past the line end: its part on this line is framed.
        const int bottom = p.lineBottom;
        const int top = bottom - p.imageOffset - ghHeight();
        m_canvas.DrawFocusRect({m_focusLeft - 1, top, p.curLeft + 1, bottom});
    }
}

void TMarkupRenderer::piece(Pass& p, qsizetype pieceEnd)
{
    const QStringView raw = QStringView(m_text).mid(p.pos, pieceEnd - p.pos);
    const QString shown = PieceEntities(raw);
    if (shown.isEmpty()) {
        p.pos = pieceEnd;
        return;
    }

    if (p.measuring) {
        const int h = m_canvas.TextHeight(shown);
        if (m_subscript)
            p.subExtra = std::max(p.subExtra, h / 4);
        if (m_superscript)
            p.supExtra = std::max(p.supExtra, h / 4);
        p.lineHeight = std::max(p.lineHeight, h);
    }

    if (m_hidden) {
        if (p.measuring)
            m_res.PlainText += shown;
        p.pos = pieceEnd;
        return;
    }

    const unsigned flags = pieceFlags | (m_opt.WordWrap ? 0u : DT_END_ELLIPSIS);
    TRect measureRect{p.curLeft, p.lineTop, p.lineRight, p.lineBottom};
    m_canvas.DrawText(shown, measureRect, flags | DT_CALCRECT);
    const int width = measureRect.Width();
    p.x += width;

    if (!p.measuring) {
        const int mx = m_opt.MouseX - p.lineLeft;
        if (p.hitTests && m_inAnchor && mx >= p.x - width && mx <= p.x && inTextBand(p)) {
            m_res.HitAnchor = m_anchorTarget;
            m_mouseInAnchor = true;
            p.anchorTextHit = true;
        }
        if (p.paints)
            drawPiece(p, shown, width);
        p.curLeft += width;
        p.pos = pieceEnd;
        return;
    }

    const int lineWidth = p.lineRight - p.lineLeft;
    // A word no line can hold goes on a line of its own, cut at the right edge; after other
    // words or pictures it starts the next line, where it is alone (a bullet or an indent
    // before it is no reason to move it down).
    bool fits = p.x < lineWidth || (width >= lineWidth && !p.placedText);
    // Without a space before it there is no place to break the line.
    if (!fits && p.pos > p.lineStart && m_text[p.pos - 1] != QLatin1Char(' '))
        fits = true;
    if (fits || !m_opt.WordWrap) {
        p.placedText = true;
        m_res.PlainText += shown;
        const bool heldText = p.pos > p.lineStart;
        p.pos = pieceEnd;
        if (!fits && heldText)
            p.end = p.pos;
        const bool endsWithSpace = raw.endsWith(QLatin1Char(' ')) && shown.size() == raw.size();
        p.trailing = endsWithSpace ? m_canvas.TextWidth(QStringLiteral(" ")) : 0;
        p.curLeft += width;
    } else {
        p.ended = true;
        p.x -= width;
    }
}

void TMarkupRenderer::drawPiece(Pass& p, const QString& shown, int width)
{
    int bottom = p.lineBottom - p.imageOffset;
    if (m_subscript)
        bottom += p.subExtra;
    if (m_superscript)
        bottom -= p.supExtra;
    const unsigned flags = pieceFlags | (m_opt.WordWrap ? 0u : DT_END_ELLIPSIS);
    const bool opaque = m_canvas.Brush().Fills();
    m_canvas.SetBkMode(opaque ? TBkMode::bkOpaque : TBkMode::bkTransparent);
    if (m_shadow) {
        const TColor color = m_canvas.Font().Color();
        m_canvas.Font().SetColor(m_opt.ShadowColor);
        TRect r{p.curLeft + m_opt.ShadowOffset, p.lineTop + m_opt.ShadowOffset, p.lineRight,
                bottom + m_opt.ShadowOffset};
        m_canvas.DrawText(shown, r, flags);
        m_canvas.Font().SetColor(color);
    }
    TRect r{p.curLeft, p.lineTop, p.lineRight, bottom};
    m_canvas.DrawText(shown, r, flags);
    m_canvas.SetBkMode(TBkMode::bkTransparent);

    if (m_inAnchor && m_anchorCount == m_opt.FocusIndex + 1)
        m_res.FocusAnchor = m_anchorTarget;
    if (m_errorMark)
        zigZag(p.curLeft, p.curLeft + width, p.lineBottom);
}

void TMarkupRenderer::zigZag(int left, int right, int bottom)
{
    // The pattern hangs on absolute x, so neighbouring pieces continue one line.
    const int start = left & ~1;
    if (right <= start)
        return;
    const TColor saved = m_canvas.Pen().Color();
    m_canvas.Pen().SetColor(clRed);
    auto yAt = [bottom](int x) { return (x & 3) == 0 ? bottom + 1 : bottom - 1; };
    m_canvas.MoveTo(start, yAt(start));
    for (int x = start + 2; x < right + 2; x += 2)
        m_canvas.LineTo(x, yAt(x));
    m_canvas.Pen().SetColor(saved);
}

void TMarkupRenderer::fillBand(int left, int top, int right, int bottom, TColor color)
{
    if (color == clNone)
        return;
    const TColor savedPen = m_canvas.Pen().Color();
    const TBrush savedBrush = m_canvas.Brush();
    m_canvas.Pen().SetColor(color);
    m_canvas.Brush().SetColor(color);
    m_canvas.Rectangle(left, top, right, bottom);
    m_canvas.Pen().SetColor(savedPen);
    m_canvas.Brush().Assign(savedBrush);
    m_canvas.SetBkMode(TBkMode::bkTransparent);
}

} // namespace markup

bool DrawMarkup(TCanvas& canvas, const QString& text, const TRect& bounds,
                const TMarkupOptions& options, TMarkupResults& results)
{
    markup::TMarkupRenderer renderer(canvas, text, bounds, options, results);
    return renderer.Run();
}
