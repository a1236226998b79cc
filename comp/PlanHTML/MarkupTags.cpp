// The opening and closing tags: fonts and styles, anchors, paragraphs, lists, indents,
// rotation and the flags for shadow, hidden, subscript, superscript, highlight and the
// error mark. A tag is known by its first letters; whatever follows them is free.
#include "comp/PlanHTML/MarkupParsing.h"
#include "comp/PlanHTML/MarkupRenderer.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/DrawFlags.h"

#include <algorithm>

namespace markup {

namespace {

QChar at(const QString& s, qsizetype i)
{
    return i < s.size() ? s[i] : QChar();
}

// A colour attribute's value: "#RRGGBB" or a "cl" name.
TColor colorValue(const QString& value)
{
    if (value.startsWith(QLatin1Char('#')))
        return MarkupHexColor(value);
    return MarkupColorByName(value.toLower());
}

} // namespace

void TMarkupRenderer::openTag(Pass& p, const QString& tag, const QString& upper)
{
    const QChar c1 = at(upper, 1);
    const QChar c2 = at(upper, 2);
    switch (c1.unicode()) {
    case 'A':
        anchorOpen(p, tag);
        break;
    case 'B':
        if (c2 == QLatin1Char('>')) {
            setStyle(TFontStyle::fsBold, true);
        } else if (c2 == QLatin1Char('R')) {
            p.ended = true;
            if (p.measuring)
                m_res.PlainText += QChar(13);
        } else if (c2 == QLatin1Char('L')) {
            if (!m_opt.BlinkOn)
                setFontColor(m_background);
        } else if (c2 == QLatin1Char('O')) {
            bodyTag(p, tag, upper);
        }
        break;
    case 'C':
        controlTag(p, tag);
        break;
    case 'E':
        if (p.paints)
            m_errorMark = true;
        break;
    case 'F':
        if (upper.contains(QLatin1Char('>')))
            fontTag(p, tag, upper);
        break;
    case 'H':
        if (c2 == QLatin1Char('I')) {
            if (p.paints) {
                m_highlightFont = m_canvas.Font().Color();
                m_highlightBrush = brushColor();
                setBrushColor(clHighlight);
                setFontColor(clHighlightText);
            }
        } else if (c2 == QLatin1Char('R')) {
            p.ended = true;
            if (p.paints) {
                const TColor saved = m_canvas.Pen().Color();
                m_canvas.Pen().SetColor(clBlack);
                m_canvas.MoveTo(p.lineLeft, p.lineBottom + 1);
                m_canvas.LineTo(p.lineRight, p.lineBottom + 1);
                m_canvas.Pen().SetColor(saved);
            }
        }
        break;
    case 'I':
        if (c2 == QLatin1Char('>'))
            setStyle(TFontStyle::fsItalic, true);
        else if (c2 == QLatin1Char('N'))
            indentTag(p, tag);
        else if (c2 == QLatin1Char('M'))
            imageTag(p, tag, upper);
        break;
    case 'L':
        listItem(p);
        break;
    case 'P':
        if (upper.contains(QLatin1Char('>')))
            paragraphTag(p, tag, upper);
        break;
    case 'R':
        rotateTag(tag);
        break;
    case 'S':
        if (c2 == QLatin1Char('>'))
            setStyle(TFontStyle::fsStrikeOut, true);
        else if (c2 == QLatin1Char('H'))
            m_shadow = true;
        else if (upper.startsWith(QLatin1String("<SUB>")))
            m_subscript = true;
        else if (upper.startsWith(QLatin1String("<SUP>")))
            m_superscript = true;
        break;
    case 'U':
        if (c2 == QLatin1Char('>'))
            setStyle(TFontStyle::fsUnderline, true);
        else
            ++m_listLevel;
        break;
    case 'Z':
        m_hidden = true;
        break;
    default:
        break;
    }
}

void TMarkupRenderer::closeTag(Pass& p, const QString& upper)
{
    const QChar c2 = at(upper, 2);
    const QChar c3 = at(upper, 3);
    switch (c2.unicode()) {
    case 'A':
        anchorClose(p);
        break;
    case 'B':
        if (c3 == QLatin1Char('>'))
            setStyle(TFontStyle::fsBold, false);
        else
            setFontColor(m_baseFont.Color());
        break;
    case 'E':
        if (p.paints)
            m_errorMark = false;
        break;
    case 'F':
        m_canvas.Font().SetName(m_baseFont.Name());
        m_canvas.Font().SetHeight(m_baseFont.Height());
        if (p.paints && !m_opt.SelectedLook) {
            setFontColor(m_baseFont.Color());
            setBrushColor(m_fontBackground);
        }
        break;
    case 'H':
        if (p.paints) {
            // Without a <HI> before there is no colour to go back to.
            if (m_highlightFont != clNone)
                setFontColor(m_highlightFont);
            setBrushColor(m_highlightBrush);
        }
        break;
    case 'I':
        setStyle(TFontStyle::fsItalic, false);
        break;
    case 'P':
        p.ended = true;
        if (p.paints) {
            setBrushColor(m_paraBrush);
            m_paraBackground = false;
        }
        break;
    case 'R':
        if (m_rotated) {
            m_canvas.Font().SetOrientation(m_rotationSaved);
            m_rotated = false;
        }
        break;
    case 'S':
        if (c3 == QLatin1Char('U')) {
            m_subscript = false;
            m_superscript = false;
        } else if (c3 == QLatin1Char('H')) {
            m_shadow = false;
        } else {
            setStyle(TFontStyle::fsStrikeOut, false);
        }
        break;
    case 'U':
        if (c3 == QLatin1Char('>'))
            setStyle(TFontStyle::fsUnderline, false);
        else if (m_listLevel > 0)
            --m_listLevel;
        else
            setStyle(TFontStyle::fsUnderline, false);
        break;
    case 'Z':
        m_hidden = false;
        break;
    default:
        break;
    }
}

void TMarkupRenderer::anchorOpen(Pass& p, const QString& tag)
{
    if (m_anchorCount == m_opt.FocusIndex && p.paints) {
        m_focusOpen = true;
        m_focusLeft = p.curLeft;
    }
    ++m_anchorCount;
    const int number = m_anchorCount;
    const bool hovered = m_opt.HoverOnly && m_opt.HoverIndex == number;
    if ((!m_opt.HoverOnly || hovered) && p.paints) {
        setStyle(TFontStyle::fsUnderline, true);
        if (m_opt.HoverBrushColor != clNone) {
            m_hoverBrush = brushColor();
            setBrushColor(m_opt.HoverBrushColor);
        }
        if (m_opt.HoverFontColor != clNone) {
            m_hoverFont = m_canvas.Font().Color();
            setFontColor(m_opt.HoverFontColor);
        }
    }
    if (!m_opt.SelectedLook && !(hovered && m_opt.HoverFontColor != clNone))
        setFontColor(m_opt.AnchorColor);
    m_anchorTarget = QuotedFrom(tag, 0);
    m_inAnchor = true;
    m_anchorStartX = p.x;
}

void TMarkupRenderer::anchorClose(Pass& p)
{
    const int number = m_anchorCount;
    if (!(m_opt.HoverOnly && m_opt.HoverIndex != number) && p.paints) {
        setStyle(TFontStyle::fsUnderline, false);
        if (m_opt.HoverBrushColor != clNone)
            setBrushColor(m_hoverBrush);
        if (m_opt.HoverFontColor != clNone)
            setFontColor(m_hoverFont);
    }
    if (!m_opt.SelectedLook)
        setFontColor(m_baseFont.Color());
    m_inAnchor = false;
    if (m_mouseInAnchor) {
        m_res.HitAnchorRect = {p.lineLeft + m_anchorStartX, p.lineTop, p.lineLeft + p.x,
                               p.lineBottom};
        m_res.HitIndex = number;
        m_mouseInAnchor = false;
    }
    if (p.paints && m_focusOpen && number == m_opt.FocusIndex + 1) {
        const int bottom = p.lineBottom - p.imageOffset;
        m_canvas.DrawFocusRect({m_focusLeft - 1, bottom - ghHeight(), p.curLeft + 1, bottom});
        m_focusOpen = false;
    }
}

void TMarkupRenderer::fontTag(Pass& p, const QString& tag, const QString& upper)
{
    Q_UNUSED(tag);
    bool found = false;
    // The face arrives upper-cased; font names are matched without regard to case.
    const QString face = AttributeValue(upper, upper, QLatin1String("FACE"), &found);
    if (found && !face.isEmpty())
        m_canvas.Font().SetName(face);

    // " COLOR" with its space, so that BGCOLOR does not count.
    const QString color = AttributeValue(upper, upper, QLatin1String(" COLOR"));
    if (!m_opt.SelectedLook && !color.isEmpty())
        setFontColor(colorValue(color));

    const QString bg = AttributeValue(upper, upper, QLatin1String("BGCOLOR"), &found);
    if (found && p.paints && !m_opt.SelectedLook) {
        m_fontBackground = brushColor();
        if (!bg.isEmpty())
            setBrushColor(colorValue(bg));
    }

    const qsizetype size = upper.indexOf(QLatin1String("SIZE"));
    if (size >= 0) {
        QStringView rest = QStringView(upper).mid(size + 4);
        const qsizetype eq = rest.indexOf(QLatin1Char('='));
        if (eq >= 0) {
            rest = rest.mid(eq + 1);
            const qsizetype quote = rest.indexOf(QLatin1Char('"'));
            if (quote >= 0)
                rest = rest.mid(quote + 1);
            static const int sizes[] = {8, 10, 12, 14, 16};
            const int n = LeadingInt(rest);
            int points = (n >= 1 && n <= 5) ? sizes[n - 1] : n;
            // A glyph of thousands of points would cost more memory than any screen shows.
            points = std::clamp(points, 0, 400);
            m_canvas.Font().SetSize(points);
        }
    }
}

void TMarkupRenderer::paragraphTag(Pass& p, const QString& tag, const QString& upper)
{
    Q_UNUSED(tag);
    bool found = false;
    const QString align = AttributeValue(upper, upper, QLatin1String("ALIGN"), &found);
    if (found) {
        if (align.contains(QLatin1String("RIGHT")))
            m_align = TParaAlign::Right;
        if (align.contains(QLatin1String("LEFT")))
            m_align = TParaAlign::Left;
        if (align.contains(QLatin1String("CENTER")))
            m_align = TParaAlign::Center;
    }
    const QString indent = AttributeValue(upper, upper, QLatin1String("INDENT"), &found);
    if (found)
        m_indent = LeadingInt(indent);
    const QString bg = AttributeValue(upper, upper, QLatin1String("BGCOLOR"), &found);
    if (found) {
        const TColor color = bg.isEmpty() ? clNone : colorValue(bg);
        if (p.paints) {
            m_paraBackground = true;
            m_paraBrush = brushColor();
            setBrushColor(color);
            fillBand(m_bounds.Left, p.lineTop, m_bounds.Right,
                     p.lineTop + p.lineHeight + p.subExtra + p.supExtra, color);
        }
    }
}

void TMarkupRenderer::listItem(Pass& p)
{
    if (p.measuring && p.metListItem) {
        p.overflow = true;
        return;
    }
    p.metListItem = true;
    p.x += m_listLevel * 12;
    p.curLeft += m_listLevel * 12 - 12;
    if (p.paints) {
        const QString name = m_canvas.Font().Name();
        m_canvas.Font().SetName(QStringLiteral("Symbol"));
        TRect r{p.curLeft, p.lineTop, p.lineRight, p.lineBottom};
        const QString bullet = (m_listLevel % 2 != 0) ? QString(QChar(0xB7)) : QStringLiteral("o");
        m_canvas.DrawText(bullet, r, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
        m_canvas.Font().SetName(name);
    }
    p.curLeft += 12;
}

void TMarkupRenderer::indentTag(Pass& p, const QString& tag)
{
    const QString upper = UpperSameLength(QStringView(tag).mid(2));
    const qsizetype xPos = upper.indexOf(QLatin1Char('X'));
    if (xPos < 0)
        return;
    int n = 0;
    if (ValidInt(QuotedFrom(upper, xPos), n) && n > p.x) {
        p.x = n;
        p.curLeft = m_bounds.Left + n;
    }
}

void TMarkupRenderer::rotateTag(const QString& tag)
{
    const QString upper = UpperSameLength(QStringView(tag).mid(2));
    const qsizetype aPos = upper.indexOf(QLatin1Char('A'));
    const int angle = aPos < 0 ? 0 : LeadingInt(QuotedFrom(upper, aPos));
    if (!m_rotated) {
        m_rotationSaved = m_canvas.Font().Orientation();
        m_rotated = true;
    }
    m_canvas.Font().SetOrientation((angle % 360) * 10);
}

} // namespace markup
