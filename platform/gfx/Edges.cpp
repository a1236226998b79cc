// TCanvas borders: the dotted focus rectangle, 3-D edges in the system colours and nested
// two-colour frames. Every line is a 1-pixel fill; at the corners the bottom and right
// lines win, which gives raised borders their dark top-right and bottom-left pixels.
#include "platform/gfx/Canvas.h"

#include <QPaintEngine>
#include <QPainter>

namespace {

struct EdgeLine
{
    TColor topLeft;
    TColor bottomRight;
};

} // namespace

void TCanvas::DrawFocusRect(const TRect& r)
{
    if (r.IsEmpty())
        return;
    QPainter& painter = p();
    // Inverting by XOR with white, so a second call restores the picture exactly.
    const bool rasterOps =
        painter.paintEngine() && painter.paintEngine()->hasFeature(QPaintEngine::RasterOpModes);
    if (rasterOps)
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const QColor ink = rasterOps ? QColor(Qt::white) : QColor(Qt::black);
    auto dot = [&](int x, int y) {
        if (((x + y) & 1) == 0)
            painter.fillRect(QRect(x, y, 1, 1), ink);
    };
    for (int x = r.Left; x < r.Right; ++x) {
        dot(x, r.Top);
        if (r.Bottom - 1 > r.Top)
            dot(x, r.Bottom - 1);
    }
    for (int y = r.Top + 1; y < r.Bottom - 1; ++y) {
        dot(r.Left, y);
        if (r.Right - 1 > r.Left)
            dot(r.Right - 1, y);
    }
    if (rasterOps)
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

bool TCanvas::DrawEdge(TRect& r, unsigned edge, unsigned flags)
{
    if (r.IsEmpty())
        return false;
    EdgeLine lines[2];
    int count = 0;
    if (edge & BDR_RAISEDOUTER)
        lines[count++] = {cl3DLight, cl3DDkShadow};
    else if (edge & BDR_SUNKENOUTER)
        lines[count++] = {clBtnShadow, clBtnHighlight};
    const bool hasOuter = count == 1;
    if (edge & BDR_RAISEDINNER)
        lines[count++] = {clBtnHighlight, clBtnShadow};
    else if (edge & BDR_SUNKENINNER)
        lines[count++] = {cl3DDkShadow, cl3DLight};
    for (int i = 0; i < count; ++i) {
        const bool outer = hasOuter && i == 0;
        if (flags & BF_MONO)
            lines[i] =
                outer ? EdgeLine{clWindowFrame, clWindowFrame} : EdgeLine{clWindow, clWindow};
        else if (flags & BF_FLAT)
            lines[i] = outer ? EdgeLine{clBtnShadow, clBtnShadow} : EdgeLine{clBtnFace, clBtnFace};
    }

    TRect in = r;
    for (int i = 0; i < count; ++i) {
        const EdgeLine& l = lines[i];
        const int bottomCut = (flags & BF_BOTTOM) ? 1 : 0;
        const int rightCut = (flags & BF_RIGHT) ? 1 : 0;
        if (flags & BF_LEFT)
            fillRectRaw(in.Left, in.Top, in.Left + 1, in.Bottom - bottomCut, l.topLeft);
        if (flags & BF_TOP)
            fillRectRaw(in.Left, in.Top, in.Right - rightCut, in.Top + 1, l.topLeft);
        if (flags & BF_RIGHT)
            fillRectRaw(in.Right - 1, in.Top, in.Right, in.Bottom, l.bottomRight);
        if (flags & BF_BOTTOM)
            fillRectRaw(in.Left, in.Bottom - 1, in.Right, in.Bottom, l.bottomRight);
        if (flags & BF_LEFT)
            ++in.Left;
        if (flags & BF_TOP)
            ++in.Top;
        if (flags & BF_RIGHT)
            --in.Right;
        if (flags & BF_BOTTOM)
            --in.Bottom;
    }
    if (flags & BF_MIDDLE)
        fillRectRaw(in.Left, in.Top, in.Right, in.Bottom, (flags & BF_MONO) ? clWindow : clBtnFace);
    if (flags & BF_ADJUST)
        r = in;
    return true;
}

void TCanvas::Frame3D(TRect& r, TColor topColor, TColor bottomColor, int width)
{
    for (int i = 0; i < width && !r.IsEmpty(); ++i) {
        fillRectRaw(r.Left, r.Top, r.Right - 1, r.Top + 1, topColor);
        fillRectRaw(r.Left, r.Top, r.Left + 1, r.Bottom - 1, topColor);
        fillRectRaw(r.Right - 1, r.Top, r.Right, r.Bottom, bottomColor);
        fillRectRaw(r.Left, r.Bottom - 1, r.Right, r.Bottom, bottomColor);
        InflateRect(r, -1, -1);
    }
}
