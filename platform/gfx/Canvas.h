// The drawing surface every view paints on, over a QPainter: pens, brushes and a font with a
// colour, and the pixel model the components' arithmetic is written for.
//
//  - A rectangle covers [Left, Right) x [Top, Bottom); fills never touch the right column
//    or the bottom row.
//  - Rectangle, RoundRect and Ellipse put their outline on the shape's own outer pixels
//    (Left .. Right-1, Top .. Bottom-1) and fill the inside with the brush.
//  - LineTo draws from the pen position up to, but not including, its end point.
//  - Nothing is antialiased, text included; a 1-pixel pen is one pixel wide.
//  - A clear brush or the colour clNone fills nothing; a clear pen draws no outline.
//  - Text is written in the font's colour. Its background is filled with the brush colour
//    while the background mode is opaque; setting the brush style sets the mode (solid:
//    opaque, any other style: transparent), and SetBkMode overrides it until the next
//    style change.
//
// Text layout follows the DT_* flags of DrawFlags.h; 3-D edges and frame controls use the
// system colours (clBtnFace, clBtnHighlight, cl3DLight, clBtnShadow, cl3DDkShadow) or, for
// frame controls with visual styles on (Themes.h), the application's QStyle.
#pragma once

#include "platform/core/Color.h"
#include "platform/core/Rect.h"
#include "platform/gfx/Brush.h"
#include "platform/gfx/DrawFlags.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/Pen.h"

#include <QFont>
#include <QFontMetrics>
#include <QPen>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

class QImage;
class QPaintDevice;
class QPainter;
class TBitmap;

enum class TBkMode
{
    bkTransparent,
    bkOpaque
};

// How Draw, StretchDraw and CopyRect combine source pixels with the destination.
enum class TCopyMode
{
    cmSrcCopy,
    cmSrcAnd,
    cmSrcPaint, // OR
    cmSrcInvert // XOR
};

class TCanvas
{
public:
    // Paints on a device (a QImage, or a widget during its paint event) with a painter of
    // its own, begun at the first drawing call and ended by Release or the destructor.
    explicit TCanvas(QPaintDevice* device);
    // Paints through a painter that the caller owns and keeps alive; antialiasing is turned
    // off on it.
    explicit TCanvas(QPainter* painter);
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // Drawing tools. Changing them affects the following calls only.
    TFont& Font() { return m_font; }
    TBrush& Brush() { return m_brush; }
    TPen& Pen() { return m_pen; }

    TPoint PenPos() const { return m_penPos; } // (0, 0)
    void SetPenPos(TPoint p) { m_penPos = p; }

    TBkMode BkMode() const; // TBkMode::bkOpaque
    void SetBkMode(TBkMode mode);

    TCopyMode CopyMode() const { return m_copyMode; } // TCopyMode::cmSrcCopy
    void SetCopyMode(TCopyMode mode) { m_copyMode = mode; }

    // Shapes. FillRect and FrameRect use the brush only (FrameRect: a 1-pixel frame in the
    // brush colour); the other shapes outline with the pen and fill with the brush, both
    // combined by the pen's Mode.
    void FillRect(const TRect& r);
    void FrameRect(const TRect& r);
    void Rectangle(const TRect& r);
    void Rectangle(int left, int top, int right, int bottom)
    {
        Rectangle(TRect{left, top, right, bottom});
    }
    // Corner ellipses of w x h pixels.
    void RoundRect(const TRect& r, int w, int h);
    void Ellipse(const TRect& r);
    // Closed and filled; every vertex pixel lies on the outline.
    void Polygon(std::span<const TPoint> points);
    // Open; like a chain of LineTo calls, so the last point is not drawn. The pen position
    // does not move.
    void Polyline(std::span<const TPoint> points);
    void MoveTo(int x, int y) { m_penPos = {x, y}; }
    void LineTo(int x, int y);

    // The pixel's colour; clNone outside the device or on a device that cannot be read
    // (only images can).
    TColor Pixels(int x, int y) const;
    void SetPixels(int x, int y, TColor color);

    // Text. TextOut writes with the cell's top-left at (x, y) (with a rotated font, the text
    // turns about that point); TextRect does the same clipped to r, filling r first while
    // the background is opaque. Extents are those of unrotated text: width is the advance,
    // height ascent + descent.
    void TextOut(int x, int y, const QString& text);
    void TextRect(const TRect& r, int x, int y, const QString& text);
    int TextWidth(const QString& text);
    int TextHeight(const QString& text);
    TSize TextExtent(const QString& text);
    // Lays out text in r by the DT_* flags and draws it, clipped to r unless DT_NOCLIP.
    // "&" underlines the next character ("&&" shows "&") unless DT_NOPREFIX. With
    // DT_CALCRECT nothing is drawn and r's Right and Bottom are set to the laid-out extent.
    // Returns the text height, or with DT_SINGLELINE and DT_VCENTER or DT_BOTTOM the offset
    // from r.Top to the text's bottom. A rotated font draws the text as one line, its
    // turned box placed in r by the alignment flags.
    int DrawText(const QString& text, TRect& r, unsigned flags);

    // Clipping: drawing stays inside the clip region. ClipRect is the region's bounding box
    // (the whole device when nothing clips).
    void SetClipRect(const TRect& r);
    void IntersectClipRect(const TRect& r);
    void ExcludeClipRect(const TRect& r);
    void ResetClip();
    TRect ClipRect() const;
    bool HasClip() const;
    // Keeps clip region, pen, brush, font, background mode and pen position; Restore puts
    // back the last kept state (and does nothing with none kept).
    void SaveState();
    void RestoreState();

    // The dotted focus rectangle: every other pixel of r's outline, starting with those
    // whose x + y is even, is inverted, so drawing it twice takes it away again.
    void DrawFocusRect(const TRect& r);
    // A 3-D border of BDR_*/EDGE_* lines on the BF_* sides of r; returns false when r is
    // empty. With BF_ADJUST r shrinks by the drawn border.
    bool DrawEdge(TRect& r, unsigned edge, unsigned flags);
    // width nested 1-pixel frames: top and left in topColor, bottom and right (with the
    // top-right and bottom-left corners) in bottomColor; r shrinks by width.
    void Frame3D(TRect& r, TColor topColor, TColor bottomColor, int width);
    // A button or scroll-bar part (DFC_*, DFCS_*) filling r: drawn by the application's
    // QStyle while visual styles are on, else in the plain look. Returns false for kinds
    // not drawn here.
    bool DrawFrameControl(const TRect& r, unsigned type, unsigned state);

    // Pictures, combined by CopyMode. A bitmap with Transparent set leaves its transparent
    // colour's pixels undrawn.
    void Draw(int x, int y, const TBitmap& bitmap);
    void StretchDraw(const TRect& r, const TBitmap& bitmap);
    // Images draw with their alpha channel: fully transparent pixels leave the destination
    // as it was. StretchDrawImage scales the whole image into r.
    void DrawImage(int x, int y, const QImage& image);
    void StretchDrawImage(const TRect& r, const QImage& image);
    // Copies srcRect of another canvas (over an image) into dest, scaling when the sizes
    // differ.
    void CopyRect(const TRect& dest, TCanvas& source, const TRect& srcRect);
    // Copies src of the bitmap into dest with the pixels of transparentColor replaced by
    // this canvas's brush.
    void BrushCopy(const TRect& dest, const TBitmap& bitmap, const TRect& src,
                   TColor transparentColor);

    // For drawing the canvas has no call for; the painter is begun when needed. Changes to
    // its pen, brush or font do not reach Pen(), Brush() or Font().
    QPainter& Painter();
    QPaintDevice* Device() const;
    // Ends the canvas's own painter (not a caller's); the next drawing call begins a new
    // one, with no clip region.
    void Release();
    // Whether the canvas's painter is begun (a caller's painter counts while it is active).
    bool IsPainting() const;

    // Canvases of the GUI thread share the fonts, text widths and glyphs they have used.
    // After the font database changes (an application font added or removed) they must
    // be dropped, as the same font may then resolve to other glyphs; canvases painting at
    // that moment keep theirs until their font changes.
    static void DropSharedFonts();

private:
    struct FontCache;
    struct FontEntry;
    struct FontStore;
    struct SavedState;

    QPainter& p();
    // The current font's cache entry, looked up again after every change of the font.
    FontEntry& font();
    const QFont& qfont();
    const QFontMetrics& metrics();
    QString shown(const QString& text) const;
    void applyTextPen();
    void applyPenMode(bool on);
    void applyCopyMode(bool on);
    bool textOpaque() const;

    // Lines of a 1-pixel pen, end point excluded.
    void hardLine(int x0, int y0, int x1, int y1);
    void wideLine(int x0, int y0, int x1, int y1);
    void fillShape(const TRect& r, TColor color);
    void fillRectRaw(int left, int top, int right, int bottom, TColor color);
    // A run of text without tab stops on the given baseline.
    void drawRun(int x, int baseline, const QString& text);
    void textRun(int x, int y, const QString& text, const std::vector<int>& underlined,
                 bool expandTabs);
    int runWidth(const QString& text, bool expandTabs);
    void rotatedText(int x, int y, const QString& text);
    int drawRotated(const QString& text, TRect& r, unsigned flags);
    void drawFrameControlPlain(const TRect& r, unsigned type, unsigned state);
    bool drawFrameControlThemed(const TRect& r, unsigned type, unsigned state);
    void drawArrow(const TRect& r, unsigned direction, TColor color);

    QPaintDevice* m_device = nullptr;
    std::unique_ptr<QPainter> m_ownPainter;
    QPainter* m_painter = nullptr;

    TFont m_font;
    TBrush m_brush;
    TPen m_pen;
    TPoint m_penPos;
    // The mode follows the brush style lazily: a style differing from the one last seen
    // resets it.
    mutable TBkMode m_bkMode = TBkMode::bkOpaque;
    mutable TBrushStyle m_seenBrushStyle = TBrushStyle::bsSolid;
    TCopyMode m_copyMode = TCopyMode::cmSrcCopy;

    std::unique_ptr<FontCache> m_fontCache;
    // The font (its cache entry's id) last given to the painter; reset whenever the
    // painter's font may have changed behind our back (a new painter, a restored state,
    // Painter() handed out).
    std::uint64_t m_painterFontId = ~std::uint64_t(0);
    // The pen text is written with, in the font's colour.
    QPen m_textPen{QColor(Qt::black)};
    std::vector<SavedState> m_saved;
};
