// TCanvas text: output, measurement and the DT_* layout (prefix underlines, tab expansion,
// line breaks, word wrap, end ellipsis, alignment, clipping) done by our own code, so that
// where a line breaks and where an ellipsis starts depends only on glyph advances.
#include "platform/gfx/Canvas.h"
#include "platform/gfx/CanvasFontCache.h"

#include <QPaintEngine>
#include <QPainter>
#include <QTextLayout>
#include <QVarLengthArray>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <span>

namespace {

const QString ellipsis = QStringLiteral("...");

// One laid-out line: its characters and, per character, whether a prefix underlines it
// (nothing is marked when the list is empty).
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
    if (!line.marked.empty())
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

TCanvas::FontEntry::FontEntry(const TFont& f)
    : name(f.Name()), height(f.Height()), style(f.Style()), font(f.ToQFont()), metrics(font)
{
    ascent = metrics.ascent();
    cellHeight = metrics.ascent() + metrics.descent();
    leading = std::max(0, metrics.leading());
    // Tab stops every eight average characters.
    tabWidth = std::max(1, 8 * metrics.averageCharWidth());
    maxWidth = std::max(1, metrics.maxWidth());
    symbol = f.IsSymbolEncoded();
}

int TCanvas::FontEntry::Advance(const QString& text)
{
    if (const auto it = advances.constFind(text); it != advances.cend())
        return *it;
    if (advances.size() >= FontStore::MaxAdvances)
        advances.clear();
    const int w = metrics.horizontalAdvance(text);
    advances.insert(text, w);
    return w;
}

bool TCanvas::FontEntry::Shapeable(const QString& text)
{
    // A soft hyphen would show at the end of a laid-out line.
    return std::all_of(text.cbegin(), text.cend(), [](QChar ch) {
        const char16_t c = ch.unicode();
        return c >= 0x20 && c < 0x590 && !(c >= 0x7F && c < 0xA0) && c != 0xAD;
    });
}

const TCanvas::FontEntry::Shaped* TCanvas::FontEntry::Glyphs(const QString& text,
                                                             const QFont& painterFont)
{
    auto it = shaped.find(text);
    if (it == shaped.end()) {
        if (shaped.size() >= FontStore::MaxShaped)
            shaped.clear();
        shaped.insert(text, Shaped{});
        return nullptr;
    }
    if (!it->ready) {
        QTextLayout layout(text, painterFont);
        QTextOption option;
        option.setWrapMode(QTextOption::NoWrap);
        option.setTextDirection(Qt::LeftToRight);
        option.setFlags(QTextOption::IncludeTrailingSpaces);
        layout.setTextOption(option);
        layout.beginLayout();
        QTextLine line = layout.createLine();
        if (line.isValid()) {
            line.setPosition(QPointF(0, 0));
            layout.endLayout();
            it->runs = line.glyphRuns(0, int(text.size()));
            it->ascent = line.ascent();
        } else {
            layout.endLayout();
        }
        it->ready = true;
    }
    return &*it;
}

TCanvas::FontEntry& TCanvas::font()
{
    if (!m_fontCache) {
        m_fontCache = std::make_unique<FontCache>();
        m_fontCache->store = FontStore::Shared();
        if (!m_fontCache->store) {
            m_fontCache->ownStore = std::make_unique<FontStore>();
            m_fontCache->store = m_fontCache->ownStore.get();
        }
    }
    FontCache& c = *m_fontCache;
    if (c.revision != m_font.Revision() || !c.current)
        return c.For(m_font);
    return *c.current;
}

const QFont& TCanvas::qfont()
{
    return font().font;
}

const QFontMetrics& TCanvas::metrics()
{
    return font().metrics;
}

QString TCanvas::shown(const QString& text) const
{
    // Callers have looked the font up already.
    return m_fontCache->current->symbol ? TFont::SymbolToUnicode(text) : text;
}

bool TCanvas::textOpaque() const
{
    return BkMode() == TBkMode::bkOpaque && m_brush.Color() != clNone;
}

void TCanvas::applyTextPen()
{
    QPainter& painter = p();
    const FontEntry& f = font();
    // setFont builds a fresh resolved font each time, which costs more than the text run
    // itself; so the font goes to the painter only when it is not there yet.
    if (m_painterFontId != f.id) {
        painter.setFont(f.font);
        m_painterFontId = f.id;
    }
    // The same pen object each time the colour is the same: the painter then recognises it
    // at once instead of building and comparing a new one (invalid colours write black, as
    // setPen(QColor) does).
    QColor ink = ToQColor(m_font.Color());
    if (!ink.isValid())
        ink = Qt::black;
    if (m_textPen.color() != ink)
        m_textPen = QPen(ink);
    painter.setPen(m_textPen);
}

int TCanvas::runWidth(const QString& text, bool expandTabs)
{
    FontEntry& f = font();
    if (!expandTabs || !text.contains(QLatin1Char('\t')))
        return f.Advance(text);
    const QFontMetrics& fm = f.metrics;
    const int tab = f.tabWidth;
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

namespace {

// Whether kept glyphs land on the pixels drawText would give: on an image or a widget's
// backing store, unscaled and moved by whole pixels only. A printer or picture keeps its
// text as text, and under scaling Qt draws glyphs as paths.
bool drawsKeptGlyphs(QPainter& painter)
{
    const QPaintEngine* engine = painter.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster)
        return false;
    const QTransform t = painter.deviceTransform();
    return t.type() <= QTransform::TxTranslate && t.dx() == std::floor(t.dx()) &&
           t.dy() == std::floor(t.dy());
}

} // namespace

void TCanvas::drawRun(int x, int baseline, const QString& text)
{
    if (text.isEmpty())
        return; // as drawText, which draws no decoration either
    QPainter& painter = p();
    FontEntry& f = font();
    // Text of left-to-right scripts only is laid out left to right under Auto too.
    if (painter.layoutDirection() != Qt::RightToLeft && FontEntry::Shapeable(text) &&
        drawsKeptGlyphs(painter)) {
        if (const FontEntry::Shaped* glyphs = f.Glyphs(text, painter.font())) {
            const QPointF origin(x, baseline - glyphs->ascent);
            for (const QGlyphRun& run : glyphs->runs)
                painter.drawGlyphRun(origin, run);
            return;
        }
    }
    painter.drawText(QPoint(x, baseline), text);
}

void TCanvas::textRun(int x, int y, const QString& text, const std::vector<int>& underlined,
                      bool expandTabs)
{
    QPainter& painter = p();
    const QFontMetrics& fm = metrics();
    const int baseline = y + font().ascent;
    if (!expandTabs || !text.contains(QLatin1Char('\t'))) {
        drawRun(x, baseline, text);
    } else {
        const int tab = font().tabWidth;
        int cx = 0;
        qsizetype start = 0;
        for (qsizetype i = 0; i <= text.size(); ++i) {
            if (i == text.size() || text[i] == QLatin1Char('\t')) {
                const QString piece = text.mid(start, i - start);
                drawRun(x + cx, baseline, piece);
                cx += font().Advance(piece);
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
        painter.fillRect(QRect(0, 0, runWidth(text, false), font().cellHeight),
                         ToQColor(m_brush.Color()));
    painter.drawText(QPoint(0, font().ascent), text);
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
        fillRectRaw(x, y, x + runWidth(s, false), y + font().cellHeight, m_brush.Color());
    drawRun(x, y + font().ascent, s);
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
        drawRun(x, y + font().ascent, s);
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
    return font().cellHeight;
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
    const double h = font().cellHeight;
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
    const int lineHeight = font().cellHeight + ((flags & DT_EXTERNALLEADING) ? font().leading : 0);
    // The common case lays out one line kept on the stack: measuring a piece of text or
    // writing it then allocates nothing.
    TextLine single;
    std::vector<TextLine> laidOut;
    std::span<TextLine> lines;
    if (plainText && !(flags & DT_WORDBREAK)) {
        single.text = shown(text);
        lines = std::span(&single, 1);
    } else {
        laidOut = layoutLines(
            text, flags, width, [&](const QString& t) { return runWidth(t, expandTabs); },
            [&](const QString& t) { return shown(t); });
        if (laidOut.empty())
            laidOut.emplace_back();
        lines = laidOut;
    }

    // End ellipsis: the longest start of the line that fits together with "...".
    // Left-aligned, transparent text that is only drawn needs no advances: when it cannot
    // be proved to fit it is clipped instead of measured, since measuring shapes the text a
    // second time.
    const bool alignsOrFills =
        (flags & (DT_CENTER | DT_RIGHT | DT_END_ELLIPSIS | DT_CALCRECT)) || textOpaque();
    const int maxChar = font().maxWidth;
    QVarLengthArray<int, 4> widths;
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
            if (!line.marked.empty())
                line.marked.insert(line.marked.end(), 3, false);
            w = runWidth(line.text, expandTabs);
        }
        widths.push_back(w);
    }

    const int total = lineHeight * int(lines.size());
    if (flags & DT_CALCRECT) {
        int widest = 0; // every width is measured here
        for (int w : widths)
            widest = std::max(widest, w);
        r.Right = r.Left + widest;
        r.Bottom = r.Top + total;
        return total;
    }

    int top = r.Top;
    if (singleLine && (flags & DT_VCENTER))
        top = r.Top + (r.Height() - lineHeight) / 2;
    else if (singleLine && (flags & DT_BOTTOM))
        top = r.Bottom - lineHeight;

    QVarLengthArray<int, 4> lefts;
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
