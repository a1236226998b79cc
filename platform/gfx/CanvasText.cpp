// TCanvas text: output, measurement and the DT_* layout (prefix underlines, tab expansion,
// line breaks, word wrap, end ellipsis, alignment, clipping) done by our own code, so that
// where a line breaks and where an ellipsis starts depends only on glyph advances.
#include "platform/gfx/Canvas.h"
#include "platform/gfx/CanvasFontCache.h"

#include <QPainter>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace {

const QString ellipsis = QStringLiteral("...");

// One laid-out line: its characters and, per character, whether a prefix underlines it.
struct TextLine
{
    QString text;
    std::vector<bool> marked;
};

std::vector<int> markedIndexes(const TextLine& line)
{
    std::vector<int> out;
    for (std::size_t i = 0; i < line.marked.size(); ++i)
        if (line.marked[i])
            out.push_back(int(i));
    return out;
}

TextLine slice(const TextLine& line, int start, int length)
{
    TextLine out;
    out.text = line.text.mid(start, length);
    out.marked.assign(line.marked.begin() + start, line.marked.begin() + start + length);
    return out;
}

// Prefix characters out and underline marks in, then paragraphs, then (word-broken) lines.
// measure(text) gives a run's width; convert(text) maps it to the characters shown.
template <typename Measure, typename Convert>
std::vector<TextLine> layoutLines(const QString& text, unsigned flags, int width, Measure measure,
                                  Convert convert)
{
    const bool singleLine = flags & DT_SINGLELINE;
    // Prefix characters out, underline marks in.
    TextLine all;
    all.text.reserve(text.size());
    const bool prefix = !(flags & DT_NOPREFIX);
    const bool hidePrefix = flags & DT_HIDEPREFIX;
    bool markNext = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (prefix && c == QLatin1Char('&')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('&')) {
                ++i;
            } else {
                markNext = !hidePrefix;
                continue;
            }
        } else if (singleLine && (c == QLatin1Char('\r') || c == QLatin1Char('\n'))) {
            continue;
        }
        all.text += c;
        all.marked.push_back(markNext);
        markNext = false;
    }
    all.text = convert(all.text);

    std::vector<TextLine> paragraphs;
    if (singleLine) {
        paragraphs.push_back(std::move(all));
    } else {
        int start = 0;
        const int n = int(all.text.size());
        for (int i = 0; i <= n; ++i) {
            if (i == n || all.text[i] == QLatin1Char('\r') || all.text[i] == QLatin1Char('\n')) {
                paragraphs.push_back(slice(all, start, i - start));
                if (i < n && all.text[i] == QLatin1Char('\r') && i + 1 < n &&
                    all.text[i + 1] == QLatin1Char('\n'))
                    ++i;
                start = i + 1;
            }
        }
    }

    std::vector<TextLine> lines;
    const bool wrap = (flags & DT_WORDBREAK) && !singleLine;
    for (const TextLine& para : paragraphs) {
        if (!wrap || para.text.isEmpty()) {
            lines.push_back(para);
            continue;
        }
        const QString& t = para.text;
        const int n = int(t.size());
        int pos = 0;
        while (pos < n) {
            const int lineStart = pos;
            int lineEnd = pos;
            int next = pos;
            while (true) {
                int wordStart = next;
                while (wordStart < n && t[wordStart] == QLatin1Char(' '))
                    ++wordStart;
                if (wordStart >= n) {
                    next = n;
                    break;
                }
                int wordEnd = wordStart;
                while (wordEnd < n && t[wordEnd] != QLatin1Char(' '))
                    ++wordEnd;
                const int w = measure(t.mid(lineStart, wordEnd - lineStart));
                if (w <= width) {
                    lineEnd = wordEnd;
                    next = wordEnd;
                    continue;
                }
                if (lineEnd == lineStart) {
                    // A word wider than the whole line is broken between characters.
                    int fit = 1;
                    while (wordStart + fit < wordEnd &&
                           measure(t.mid(lineStart, wordStart + fit + 1 - lineStart)) <= width)
                        ++fit;
                    lineEnd = wordStart + fit;
                    next = lineEnd;
                }
                break;
            }
            lines.push_back(slice(para, lineStart, lineEnd - lineStart));
            pos = next;
            while (pos < n && t[pos] == QLatin1Char(' '))
                ++pos;
        }
    }
    return lines;
}

// Clips text output to a rectangle for one call. Without a clip region in force the clip
// is simply switched off again afterwards, which is far cheaper than a painter save and
// restore (that copies and rebuilds the painter's font).
class TextClip
{
public:
    // An inactive clip does nothing, so a call site can decide at run time without an
    // optional (which g++ misjudges as uninitialised under the sanitizers).
    TextClip(QPainter& painter, const TRect& r, bool active) : m_painter(painter), m_active(active)
    {
        if (!m_active)
            return;
        m_saved = painter.hasClipping();
        if (m_saved) {
            painter.save();
            painter.setClipRect(ToQRect(r), Qt::IntersectClip);
        } else {
            painter.setClipRect(ToQRect(r), Qt::ReplaceClip);
        }
    }
    ~TextClip() { Release(); }
    TextClip(const TextClip&) = delete;
    TextClip& operator=(const TextClip&) = delete;

    void Release()
    {
        if (!m_active)
            return;
        m_active = false;
        if (m_saved)
            m_painter.restore();
        else
            m_painter.setClipping(false);
    }

private:
    QPainter& m_painter;
    bool m_active = false;
    bool m_saved = false;
};

} // namespace

const QFont& TCanvas::qfont()
{
    if (!m_fontCache)
        m_fontCache = std::make_unique<FontCache>();
    FontCache& c = *m_fontCache;
    if (c.revision != m_font.Revision()) {
        c.revision = m_font.Revision();
        c.font = m_font.ToQFont();
        c.metrics.emplace(c.font);
        c.ascent = c.metrics->ascent();
        c.height = c.metrics->ascent() + c.metrics->descent();
        c.leading = std::max(0, c.metrics->leading());
        // Tab stops every eight average characters.
        c.tabWidth = std::max(1, 8 * c.metrics->averageCharWidth());
        c.symbol = m_font.IsSymbolEncoded();
    }
    return c.font;
}

const QFontMetrics& TCanvas::metrics()
{
    qfont();
    return *m_fontCache->metrics;
}

QString TCanvas::shown(const QString& text) const
{
    return m_fontCache && m_fontCache->symbol ? TFont::SymbolToUnicode(text) : text;
}

bool TCanvas::textOpaque() const
{
    return BkMode() == TBkMode::bkOpaque && m_brush.Color() != clNone;
}

void TCanvas::applyTextPen()
{
    QPainter& painter = p();
    const QFont& f = qfont();
    // setFont builds a fresh resolved font each time, which costs more than the text run
    // itself; so the font goes to the painter only when it is not there yet.
    if (m_painterFontRevision != m_font.Revision()) {
        painter.setFont(f);
        m_painterFontRevision = m_font.Revision();
    }
    painter.setPen(ToQColor(m_font.Color()));
}

int TCanvas::runWidth(const QString& text, bool expandTabs)
{
    const QFontMetrics& fm = metrics();
    if (!expandTabs || !text.contains(QLatin1Char('\t'))) {
        return fm.horizontalAdvance(text);
    }
    const int tab = m_fontCache->tabWidth;
    int x = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == QLatin1Char('\t')) {
            x += fm.horizontalAdvance(text.mid(start, i - start));
            if (i < text.size())
                x = (x / tab + 1) * tab;
            start = i + 1;
        }
    }
    return x;
}

void TCanvas::textRun(int x, int y, const QString& text, const std::vector<int>& underlined,
                      bool expandTabs)
{
    QPainter& painter = p();
    const QFontMetrics& fm = metrics();
    const int baseline = y + m_fontCache->ascent;
    if (!expandTabs || !text.contains(QLatin1Char('\t'))) {
        painter.drawText(QPoint(x, baseline), text);
    } else {
        const int tab = m_fontCache->tabWidth;
        int cx = 0;
        qsizetype start = 0;
        for (qsizetype i = 0; i <= text.size(); ++i) {
            if (i == text.size() || text[i] == QLatin1Char('\t')) {
                const QString piece = text.mid(start, i - start);
                painter.drawText(QPoint(x + cx, baseline), piece);
                cx += fm.horizontalAdvance(piece);
                if (i < text.size())
                    cx = (cx / tab + 1) * tab;
                start = i + 1;
            }
        }
    }
    if (underlined.empty())
        return;
    const QColor ink = ToQColor(m_font.Color());
    const int thickness = std::max(1, fm.lineWidth());
    const int uy = baseline + std::max(1, fm.underlinePos());
    for (int i : underlined) {
        const int left = runWidth(text.left(i), expandTabs);
        const int width = fm.horizontalAdvance(text.mid(i, 1));
        painter.fillRect(QRect(x + left, uy, width, thickness), ink);
    }
}

void TCanvas::rotatedText(int x, int y, const QString& text)
{
    QPainter& painter = p();
    painter.save();
    painter.translate(x, y);
    painter.rotate(-m_font.Orientation() / 10.0);
    if (textOpaque())
        painter.fillRect(QRect(0, 0, runWidth(text, false), m_fontCache->height),
                         ToQColor(m_brush.Color()));
    painter.drawText(QPoint(0, m_fontCache->ascent), text);
    painter.restore();
}

void TCanvas::TextOut(int x, int y, const QString& text)
{
    applyTextPen();
    const QString s = shown(text);
    if (m_font.Orientation() != 0) {
        rotatedText(x, y, s);
        return;
    }
    if (textOpaque())
        fillRectRaw(x, y, x + runWidth(s, false), y + m_fontCache->height, m_brush.Color());
    p().drawText(QPoint(x, y + m_fontCache->ascent), s);
}

void TCanvas::TextRect(const TRect& r, int x, int y, const QString& text)
{
    if (r.IsEmpty())
        return;
    QPainter& painter = p();
    if (textOpaque())
        fillRectRaw(r.Left, r.Top, r.Right, r.Bottom, m_brush.Color());
    applyTextPen();
    const TextClip clip(painter, r, true);
    const QString s = shown(text);
    if (m_font.Orientation() != 0) {
        const TBkMode mode = m_bkMode;
        m_bkMode = TBkMode::bkTransparent; // the rectangle is filled already
        rotatedText(x, y, s);
        m_bkMode = mode;
    } else {
        painter.drawText(QPoint(x, y + m_fontCache->ascent), s);
    }
}

int TCanvas::TextWidth(const QString& text)
{
    qfont();
    return runWidth(shown(text), false);
}

int TCanvas::TextHeight(const QString&)
{
    qfont();
    return m_fontCache->height;
}

TSize TCanvas::TextExtent(const QString& text)
{
    return {TextWidth(text), TextHeight(text)};
}

int TCanvas::drawRotated(const QString& text, TRect& r, unsigned flags)
{
    QString s = text;
    if (!(flags & DT_NOPREFIX)) {
        QString plain;
        for (qsizetype i = 0; i < s.size(); ++i) {
            if (s[i] == QLatin1Char('&')) {
                if (i + 1 < s.size() && s[i + 1] == QLatin1Char('&'))
                    plain += QLatin1Char('&');
                else
                    continue;
                ++i;
            } else {
                plain += s[i];
            }
        }
        s = plain;
    }
    s.replace(QLatin1Char('\r'), QString()).replace(QLatin1Char('\n'), QString());
    s = shown(s);
    const double w = runWidth(s, flags & DT_EXPANDTABS);
    const double h = m_fontCache->height;
    const double a = qDegreesToRadians(m_font.Orientation() / 10.0);
    const double ca = std::cos(a);
    const double sa = std::sin(a);
    // Corners of the text cell turned counter-clockwise on a y-down surface.
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    for (auto [cx, cy] : {std::pair{w, 0.0}, std::pair{0.0, h}, std::pair{w, h}}) {
        const double tx = cx * ca + cy * sa;
        const double ty = -cx * sa + cy * ca;
        minX = std::min(minX, tx);
        maxX = std::max(maxX, tx);
        minY = std::min(minY, ty);
        maxY = std::max(maxY, ty);
    }
    const int bw = int(std::lround(maxX - minX));
    const int bh = int(std::lround(maxY - minY));
    if (flags & DT_CALCRECT) {
        r.Right = r.Left + bw;
        r.Bottom = r.Top + bh;
        return bh;
    }
    int boxLeft = r.Left;
    if (flags & DT_CENTER)
        boxLeft = r.Left + (r.Width() - bw) / 2;
    else if (flags & DT_RIGHT)
        boxLeft = r.Right - bw;
    int boxTop = r.Top;
    if (flags & DT_VCENTER)
        boxTop = r.Top + (r.Height() - bh) / 2;
    else if (flags & DT_BOTTOM)
        boxTop = r.Bottom - bh;
    applyTextPen();
    QPainter& painter = p();
    TextClip clip(painter, r, !(flags & DT_NOCLIP));
    rotatedText(int(std::lround(boxLeft - minX)), int(std::lround(boxTop - minY)), s);
    return bh;
}

int TCanvas::DrawText(const QString& text, TRect& r, unsigned flags)
{
    qfont();
    if (m_font.Orientation() != 0)
        return drawRotated(text, r, flags);

    const bool expandTabs = flags & DT_EXPANDTABS;
    const bool singleLine = flags & DT_SINGLELINE;
    const int width = r.Width();

    // The common case (one line, nothing to underline, nothing to wrap) skips the
    // character-by-character preparation.
    const bool plainText = ((flags & DT_NOPREFIX) || !text.contains(QLatin1Char('&'))) &&
                           !text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n'));
    std::vector<TextLine> lines;
    if (plainText && !(flags & DT_WORDBREAK)) {
        lines.push_back({shown(text), std::vector<bool>(std::size_t(text.size()), false)});
    } else {
        lines = layoutLines(
            text, flags, width, [&](const QString& t) { return runWidth(t, expandTabs); },
            [&](const QString& t) { return shown(t); });
    }
    if (lines.empty())
        lines.emplace_back();

    // End ellipsis: the longest start of the line that fits together with "...".
    // Left-aligned, transparent text that is only drawn needs no advances: when it cannot
    // be proved to fit it is clipped instead of measured, since measuring shapes the text a
    // second time.
    const bool alignsOrFills =
        (flags & (DT_CENTER | DT_RIGHT | DT_END_ELLIPSIS | DT_CALCRECT)) || textOpaque();
    const int maxChar = std::max(1, metrics().maxWidth());
    std::vector<int> widths;
    widths.reserve(lines.size());
    for (TextLine& line : lines) {
        if (!alignsOrFills) {
            // An upper bound, or -1 for "unknown".
            const bool surelyFits =
                !line.text.contains(QLatin1Char('\t')) && line.text.size() * maxChar <= width;
            widths.push_back(surelyFits ? 0 : -1);
            continue;
        }
        int w = runWidth(line.text, expandTabs);
        if ((flags & DT_END_ELLIPSIS) && w > width) {
            int lo = 0;
            int hi = int(line.text.size());
            while (lo < hi) {
                const int mid = (lo + hi + 1) / 2;
                if (runWidth(line.text.left(mid) + ellipsis, expandTabs) <= width)
                    lo = mid;
                else
                    hi = mid - 1;
            }
            line = slice(line, 0, lo);
            line.text += ellipsis;
            line.marked.insert(line.marked.end(), 3, false);
            w = runWidth(line.text, expandTabs);
        }
        widths.push_back(w);
    }

    const int lineHeight =
        m_fontCache->height + ((flags & DT_EXTERNALLEADING) ? m_fontCache->leading : 0);
    const int total = lineHeight * int(lines.size());
    if (flags & DT_CALCRECT) {
        r.Right = r.Left + *std::max_element(widths.begin(), widths.end());
        r.Bottom = r.Top + total;
        return total;
    }

    int top = r.Top;
    if (singleLine && (flags & DT_VCENTER))
        top = r.Top + (r.Height() - lineHeight) / 2;
    else if (singleLine && (flags & DT_BOTTOM))
        top = r.Bottom - lineHeight;

    std::vector<int> lefts;
    lefts.reserve(lines.size());
    bool inside = top >= r.Top && top + total <= r.Bottom;
    for (int w : widths) {
        int left = r.Left;
        if (flags & DT_CENTER)
            left = r.Left + (width - w) / 2;
        else if (flags & DT_RIGHT)
            left = r.Right - w;
        inside = inside && w >= 0 && left >= r.Left && left + w <= r.Right;
        lefts.push_back(left);
    }

    applyTextPen();
    QPainter& painter = p();
    // Most texts fit; only those that do not pay for a clip.
    TextClip clip(painter, r, !(flags & DT_NOCLIP) && !inside);
    const bool rtl = flags & DT_RTLREADING;
    if (rtl)
        painter.setLayoutDirection(Qt::RightToLeft);
    const bool opaque = textOpaque();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int y = top + int(i) * lineHeight;
        if (opaque)
            fillRectRaw(lefts[i], y, lefts[i] + widths[i], y + lineHeight, m_brush.Color());
        textRun(lefts[i], y, lines[i].text, markedIndexes(lines[i]), expandTabs);
    }
    if (rtl)
        painter.setLayoutDirection(Qt::LeftToRight);
    clip.Release();

    if (singleLine && (flags & (DT_VCENTER | DT_BOTTOM)))
        return top + lineHeight - r.Top;
    return total;
}
