// TCanvas: painter ownership, drawing tools, shapes and lines, pixels, clipping, saved
// states and pictures. Text lives in CanvasText.cpp, borders in Edges.cpp, buttons and
// arrows in FrameControls.cpp.
//
// Straight 1-pixel lines and every outline of a rectangle are put down with fillRect rather
// than stroked: Qt's stroker decides end points and pixel centres its own way, while the
// views' arithmetic needs "up to, not including, the end point" exactly.
#include "platform/gfx/Canvas.h"

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/CanvasFontCache.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <array>
#include <cstdlib>

struct TCanvas::SavedState
{
    TFont font;
    TPen pen;
    TBrush brush;
    TBkMode bkMode;
    TBrushStyle seenBrushStyle;
    TPoint penPos;
    TCopyMode copyMode;
};

namespace {

Qt::BrushStyle hatchOf(TBrushStyle s)
{
    switch (s) {
    case TBrushStyle::bsSolid:
        return Qt::SolidPattern;
    case TBrushStyle::bsClear:
        return Qt::NoBrush;
    case TBrushStyle::bsHorizontal:
        return Qt::HorPattern;
    case TBrushStyle::bsVertical:
        return Qt::VerPattern;
    case TBrushStyle::bsFDiagonal:
        return Qt::FDiagPattern;
    case TBrushStyle::bsBDiagonal:
        return Qt::BDiagPattern;
    case TBrushStyle::bsCross:
        return Qt::CrossPattern;
    case TBrushStyle::bsDiagCross:
        return Qt::DiagCrossPattern;
    }
    return Qt::SolidPattern;
}

// On/off run lengths of the dash styles, starting with "on".
std::span<const int> dashPattern(TPenStyle s)
{
    static constexpr std::array<int, 2> dash = {18, 6};
    static constexpr std::array<int, 2> dot = {1, 1};
    static constexpr std::array<int, 4> dashDot = {9, 6, 3, 6};
    static constexpr std::array<int, 6> dashDotDot = {9, 3, 3, 3, 3, 3};
    switch (s) {
    case TPenStyle::psDash:
        return dash;
    case TPenStyle::psDot:
        return dot;
    case TPenStyle::psDashDot:
        return dashDot;
    case TPenStyle::psDashDotDot:
        return dashDotDot;
    default:
        return {};
    }
}

QPainter::CompositionMode compositionOf(TPenMode m)
{
    switch (m) {
    case TPenMode::pmCopy:
        return QPainter::CompositionMode_SourceOver;
    case TPenMode::pmNot:
        return QPainter::RasterOp_NotDestination;
    case TPenMode::pmXor:
        return QPainter::RasterOp_SourceXorDestination;
    case TPenMode::pmMask:
        return QPainter::RasterOp_SourceAndDestination;
    case TPenMode::pmMerge:
        return QPainter::RasterOp_SourceOrDestination;
    }
    return QPainter::CompositionMode_SourceOver;
}

QPainter::CompositionMode compositionOf(TCopyMode m)
{
    switch (m) {
    case TCopyMode::cmSrcCopy:
        return QPainter::CompositionMode_SourceOver;
    case TCopyMode::cmSrcAnd:
        return QPainter::RasterOp_SourceAndDestination;
    case TCopyMode::cmSrcPaint:
        return QPainter::RasterOp_SourceOrDestination;
    case TCopyMode::cmSrcInvert:
        return QPainter::RasterOp_SourceXorDestination;
    }
    return QPainter::CompositionMode_SourceOver;
}

bool supportsRasterOps(QPainter& p)
{
    return p.paintEngine() && p.paintEngine()->hasFeature(QPaintEngine::RasterOpModes);
}

void switchOffSmoothing(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
}

} // namespace

TCanvas::TCanvas(QPaintDevice* device) : m_device(device) {}

TCanvas::TCanvas(QPainter* painter) : m_device(painter->device()), m_painter(painter)
{
    switchOffSmoothing(*painter);
}

TCanvas::~TCanvas()
{
    Release();
}

QPainter& TCanvas::p()
{
    if (!m_painter) {
        m_ownPainter = std::make_unique<QPainter>();
        m_painter = m_ownPainter.get();
    }
    if (m_ownPainter && !m_ownPainter->isActive() && m_device) {
        m_ownPainter->begin(m_device);
        switchOffSmoothing(*m_ownPainter);
        m_painterFontId = ~std::uint64_t(0);
    }
    return *m_painter;
}

QPainter& TCanvas::Painter()
{
    m_painterFontId = ~std::uint64_t(0);
    return p();
}

QPaintDevice* TCanvas::Device() const
{
    return m_device;
}

void TCanvas::Release()
{
    if (m_ownPainter && m_ownPainter->isActive())
        m_ownPainter->end();
}

bool TCanvas::IsPainting() const
{
    return m_painter && m_painter->isActive();
}

TBkMode TCanvas::BkMode() const
{
    if (m_brush.Style() != m_seenBrushStyle) {
        m_seenBrushStyle = m_brush.Style();
        m_bkMode =
            m_seenBrushStyle == TBrushStyle::bsSolid ? TBkMode::bkOpaque : TBkMode::bkTransparent;
    }
    return m_bkMode;
}

void TCanvas::SetBkMode(TBkMode mode)
{
    m_seenBrushStyle = m_brush.Style();
    m_bkMode = mode;
}

void TCanvas::applyPenMode(bool on)
{
    if (m_pen.Mode() == TPenMode::pmCopy)
        return;
    QPainter& painter = p();
    if (!supportsRasterOps(painter))
        return;
    painter.setCompositionMode(on ? compositionOf(m_pen.Mode())
                                  : QPainter::CompositionMode_SourceOver);
}

void TCanvas::applyCopyMode(bool on)
{
    if (m_copyMode == TCopyMode::cmSrcCopy)
        return;
    QPainter& painter = p();
    if (!supportsRasterOps(painter))
        return;
    painter.setCompositionMode(on ? compositionOf(m_copyMode)
                                  : QPainter::CompositionMode_SourceOver);
}

void TCanvas::fillRectRaw(int left, int top, int right, int bottom, TColor color)
{
    if (right <= left || bottom <= top)
        return;
    p().fillRect(QRect(left, top, right - left, bottom - top), ToQColor(color));
}

void TCanvas::fillShape(const TRect& r, TColor color)
{
    if (r.IsEmpty())
        return;
    const TBrushStyle style = m_brush.Style();
    if (style == TBrushStyle::bsSolid)
        p().fillRect(ToQRect(r), ToQColor(color));
    else if (style != TBrushStyle::bsClear)
        p().fillRect(ToQRect(r), QBrush(ToQColor(color), hatchOf(style)));
}

void TCanvas::FillRect(const TRect& r)
{
    if (!m_brush.Fills())
        return;
    fillShape(r, m_brush.Color());
}

void TCanvas::FrameRect(const TRect& r)
{
    if (r.IsEmpty() || !m_brush.Fills())
        return;
    const TColor c = m_brush.Color();
    fillRectRaw(r.Left, r.Top, r.Right, r.Top + 1, c);
    fillRectRaw(r.Left, r.Bottom - 1, r.Right, r.Bottom, c);
    fillRectRaw(r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1, c);
    fillRectRaw(r.Right - 1, r.Top + 1, r.Right, r.Bottom - 1, c);
}

void TCanvas::Rectangle(const TRect& r)
{
    if (r.IsEmpty())
        return;
    applyPenMode(true);
    const bool outline = m_pen.Draws();
    const int w =
        outline ? std::min({m_pen.Width(), (r.Width() + 1) / 2, (r.Height() + 1) / 2}) : 0;
    if (m_brush.Fills())
        fillShape({r.Left + w, r.Top + w, r.Right - w, r.Bottom - w}, m_brush.Color());
    if (outline) {
        if (w == 1 && !dashPattern(m_pen.Style()).empty()) {
            hardLine(r.Left, r.Top, r.Right - 1, r.Top);
            hardLine(r.Right - 1, r.Top, r.Right - 1, r.Bottom - 1);
            hardLine(r.Right - 1, r.Bottom - 1, r.Left, r.Bottom - 1);
            hardLine(r.Left, r.Bottom - 1, r.Left, r.Top);
        } else {
            const TColor c = m_pen.Color();
            fillRectRaw(r.Left, r.Top, r.Right, r.Top + w, c);
            fillRectRaw(r.Left, r.Bottom - w, r.Right, r.Bottom, c);
            fillRectRaw(r.Left, r.Top + w, r.Left + w, r.Bottom - w, c);
            fillRectRaw(r.Right - w, r.Top + w, r.Right, r.Bottom - w, c);
        }
    }
    applyPenMode(false);
}

namespace {

// The Qt pen and brush for the shapes Qt rasterises for us (ellipses, rounded corners,
// polygons); a 1-pixel pen is cosmetic so that it stays one pixel whatever the transform.
QPen qtPen(const TPen& pen)
{
    if (!pen.Draws())
        return Qt::NoPen;
    QPen q(ToQColor(pen.Color()));
    q.setWidth(pen.Width() == 1 ? 0 : pen.Width());
    q.setCapStyle(Qt::FlatCap);
    q.setJoinStyle(Qt::MiterJoin);
    switch (pen.Style()) {
    case TPenStyle::psDash:
        q.setStyle(Qt::DashLine);
        break;
    case TPenStyle::psDot:
        q.setStyle(Qt::DotLine);
        break;
    case TPenStyle::psDashDot:
        q.setStyle(Qt::DashDotLine);
        break;
    case TPenStyle::psDashDotDot:
        q.setStyle(Qt::DashDotDotLine);
        break;
    default:
        break;
    }
    return q;
}

QBrush qtBrush(const TBrush& brush)
{
    if (!brush.Fills())
        return Qt::NoBrush;
    return QBrush(ToQColor(brush.Color()), hatchOf(brush.Style()));
}

} // namespace

void TCanvas::RoundRect(const TRect& r, int w, int h)
{
    if (r.IsEmpty())
        return;
    QPainter& painter = p();
    applyPenMode(true);
    painter.setPen(qtPen(m_pen));
    painter.setBrush(qtBrush(m_brush));
    // With a pen, Qt's outline of a w-1 by h-1 box lands on the box's outer pixels.
    const int shrink = m_pen.Draws() ? 1 : 0;
    painter.drawRoundedRect(QRect(r.Left, r.Top, r.Width() - shrink, r.Height() - shrink), w / 2.0,
                            h / 2.0, Qt::AbsoluteSize);
    applyPenMode(false);
}

void TCanvas::Ellipse(const TRect& r)
{
    if (r.IsEmpty())
        return;
    QPainter& painter = p();
    applyPenMode(true);
    painter.setPen(qtPen(m_pen));
    painter.setBrush(qtBrush(m_brush));
    const int shrink = m_pen.Draws() ? 1 : 0;
    painter.drawEllipse(QRect(r.Left, r.Top, r.Width() - shrink, r.Height() - shrink));
    applyPenMode(false);
}

void TCanvas::Polygon(std::span<const TPoint> points)
{
    if (points.size() < 2)
        return;
    QPolygon poly;
    poly.reserve(qsizetype(points.size()));
    for (const TPoint& pt : points)
        poly << QPoint(pt.X, pt.Y);
    QPainter& painter = p();
    applyPenMode(true);
    painter.setPen(qtPen(m_pen));
    painter.setBrush(qtBrush(m_brush));
    painter.drawPolygon(poly);
    applyPenMode(false);
}

void TCanvas::Polyline(std::span<const TPoint> points)
{
    if (points.size() < 2 || !m_pen.Draws())
        return;
    applyPenMode(true);
    for (std::size_t i = 1; i < points.size(); ++i) {
        const TPoint a = points[i - 1];
        const TPoint b = points[i];
        if (m_pen.Width() == 1)
            hardLine(a.X, a.Y, b.X, b.Y);
        else
            wideLine(a.X, a.Y, b.X, b.Y);
    }
    applyPenMode(false);
}

void TCanvas::LineTo(int x, int y)
{
    if (m_pen.Draws()) {
        applyPenMode(true);
        if (m_pen.Width() == 1)
            hardLine(m_penPos.X, m_penPos.Y, x, y);
        else
            wideLine(m_penPos.X, m_penPos.Y, x, y);
        applyPenMode(false);
    }
    m_penPos = {x, y};
}

void TCanvas::hardLine(int x0, int y0, int x1, int y1)
{
    const TColor c = m_pen.Color();
    const std::span<const int> pattern = dashPattern(m_pen.Style());
    if (pattern.empty()) {
        // The common grid lines: one fill each.
        if (y0 == y1) {
            if (x1 > x0)
                fillRectRaw(x0, y0, x1, y0 + 1, c);
            else
                fillRectRaw(x1 + 1, y0, x0 + 1, y0 + 1, c);
            return;
        }
        if (x0 == x1) {
            if (y1 > y0)
                fillRectRaw(x0, y0, x0 + 1, y1, c);
            else
                fillRectRaw(x0, y1 + 1, x0 + 1, y0 + 1, c);
            return;
        }
    }
    // Bresenham, one step per pixel of the major axis, the end point left out. Runs of
    // pixels on one row (or column) go down as one fill.
    const int dx = std::abs(x1 - x0);
    const int dy = std::abs(y1 - y0);
    const int sx = x1 >= x0 ? 1 : -1;
    const int sy = y1 >= y0 ? 1 : -1;
    const bool xMajor = dx >= dy;
    const int steps = std::max(dx, dy);
    int err = (xMajor ? dx : dy) / 2;
    int x = x0;
    int y = y0;
    std::size_t patIndex = 0;
    int patLeft = pattern.empty() ? 0 : pattern[0];
    bool runOpen = false;
    int runX = 0;
    int runY = 0;
    int lastX = 0;
    int lastY = 0;
    auto flush = [&] {
        if (!runOpen)
            return;
        fillRectRaw(std::min(runX, lastX), std::min(runY, lastY), std::max(runX, lastX) + 1,
                    std::max(runY, lastY) + 1, c);
        runOpen = false;
    };
    for (int i = 0; i < steps; ++i) {
        const bool on = pattern.empty() || patIndex % 2 == 0;
        if (on) {
            const bool continues = runOpen && (xMajor ? y == runY : x == runX);
            if (!continues) {
                flush();
                runOpen = true;
                runX = x;
                runY = y;
            }
            lastX = x;
            lastY = y;
        } else {
            flush();
        }
        if (!pattern.empty() && --patLeft == 0) {
            patIndex = (patIndex + 1) % pattern.size();
            patLeft = pattern[patIndex];
        }
        if (xMajor) {
            x += sx;
            err -= dy;
            if (err < 0) {
                y += sy;
                err += dx;
            }
        } else {
            y += sy;
            err -= dx;
            if (err < 0) {
                x += sx;
                err += dy;
            }
        }
    }
    flush();
}

void TCanvas::wideLine(int x0, int y0, int x1, int y1)
{
    QPainter& painter = p();
    QPen pen(ToQColor(m_pen.Color()));
    pen.setWidth(m_pen.Width());
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    // Through pixel centres, so that the stroke sits symmetrically on the pixels named.
    painter.drawLine(QPointF(x0 + 0.5, y0 + 0.5), QPointF(x1 + 0.5, y1 + 0.5));
}

TColor TCanvas::Pixels(int x, int y) const
{
    if (!m_device || m_device->devType() != QInternal::Image)
        return clNone;
    const auto* image = static_cast<const QImage*>(m_device);
    QPoint pt(x, y);
    if (m_painter && m_painter->isActive())
        pt = m_painter->transform().map(pt);
    if (!image->valid(pt))
        return clNone;
    const QRgb rgb = image->pixel(pt);
    return RGB(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

void TCanvas::SetPixels(int x, int y, TColor color)
{
    if (color == clNone)
        return;
    fillRectRaw(x, y, x + 1, y + 1, color);
}

// Clipping ---------------------------------------------------------------------------------

namespace {
QRect logicalDeviceRect(QPainter& painter, QPaintDevice* device)
{
    const QRect devRect(0, 0, device ? device->width() : 0, device ? device->height() : 0);
    return painter.transform().inverted().mapRect(devRect);
}
} // namespace

void TCanvas::SetClipRect(const TRect& r)
{
    p().setClipRect(ToQRect(r), Qt::ReplaceClip);
}

void TCanvas::IntersectClipRect(const TRect& r)
{
    QPainter& painter = p();
    painter.setClipRect(ToQRect(r), painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
}

void TCanvas::ExcludeClipRect(const TRect& r)
{
    QPainter& painter = p();
    const QRegion base = painter.hasClipping() ? painter.clipRegion()
                                               : QRegion(logicalDeviceRect(painter, m_device));
    painter.setClipRegion(base.subtracted(QRegion(ToQRect(r))));
}

void TCanvas::ResetClip()
{
    p().setClipping(false);
}

bool TCanvas::HasClip() const
{
    return m_painter && m_painter->isActive() && m_painter->hasClipping();
}

TRect TCanvas::ClipRect() const
{
    if (HasClip())
        return FromQRect(m_painter->clipBoundingRect().toAlignedRect());
    if (m_painter && m_painter->isActive())
        return FromQRect(logicalDeviceRect(*m_painter, m_device));
    return {0, 0, m_device ? m_device->width() : 0, m_device ? m_device->height() : 0};
}

void TCanvas::SaveState()
{
    p().save();
    m_saved.push_back({m_font, m_pen, m_brush, m_bkMode, m_seenBrushStyle, m_penPos, m_copyMode});
}

void TCanvas::RestoreState()
{
    if (m_saved.empty())
        return;
    p().restore();
    m_painterFontId = ~std::uint64_t(0);
    const SavedState& s = m_saved.back();
    m_font.Assign(s.font);
    m_pen.Assign(s.pen);
    m_brush.Assign(s.brush);
    m_bkMode = s.bkMode;
    m_seenBrushStyle = s.seenBrushStyle;
    m_penPos = s.penPos;
    m_copyMode = s.copyMode;
    m_saved.pop_back();
}

// Pictures ---------------------------------------------------------------------------------

void TCanvas::DrawImage(int x, int y, const QImage& image)
{
    if (image.isNull())
        return;
    applyCopyMode(true);
    p().drawImage(QPoint(x, y), image);
    applyCopyMode(false);
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap)
{
    if (bitmap.Empty())
        return;
    DrawImage(x, y, bitmap.Transparent() ? bitmap.TransparentImage() : bitmap.Image());
}

void TCanvas::StretchDrawImage(const TRect& r, const QImage& image)
{
    if (image.isNull() || r.IsEmpty())
        return;
    applyCopyMode(true);
    p().drawImage(ToQRect(r), image);
    applyCopyMode(false);
}

void TCanvas::StretchDraw(const TRect& r, const TBitmap& bitmap)
{
    if (bitmap.Empty())
        return;
    StretchDrawImage(r, bitmap.Transparent() ? bitmap.TransparentImage() : bitmap.Image());
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& srcRect)
{
    QPaintDevice* device = source.Device();
    if (!device || device->devType() != QInternal::Image || dest.IsEmpty() || srcRect.IsEmpty())
        return;
    const auto* image = static_cast<const QImage*>(device);
    QRect from = ToQRect(srcRect);
    if (source.m_painter && source.m_painter->isActive())
        from = source.m_painter->transform().mapRect(from);
    applyCopyMode(true);
    if (&source == this)
        p().drawImage(ToQRect(dest), image->copy(from));
    else
        p().drawImage(ToQRect(dest), *image, from);
    applyCopyMode(false);
}

void TCanvas::BrushCopy(const TRect& dest, const TBitmap& bitmap, const TRect& src,
                        TColor transparentColor)
{
    if (bitmap.Empty() || dest.IsEmpty() || src.IsEmpty())
        return;
    FillRect(dest);
    const QImage part = bitmap.Image().copy(ToQRect(src));
    p().drawImage(ToQRect(dest), KeyOutColor(part, transparentColor));
}
