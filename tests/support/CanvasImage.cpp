// The test picture behind every pixel test.
#include "CanvasImage.h"

#include <algorithm>

CanvasImage::CanvasImage(int width, int height, TColor background)
    : m_image(width, height, QImage::Format_RGB32), m_background(background)
{
    m_image.fill(ToQColor(background));
}

TCanvas& CanvasImage::Canvas()
{
    if (!m_canvas)
        m_canvas = std::make_unique<TCanvas>(&m_image);
    return *m_canvas;
}

TColor CanvasImage::Pixel(int x, int y) const
{
    if (!m_image.valid(x, y))
        return clNone;
    const QRgb rgb = m_image.pixel(x, y);
    return RGB(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

int CanvasImage::Count(TColor color, const TRect& r) const
{
    const TColor want = ColorToRGB(color);
    int n = 0;
    for (int y = std::max(0, r.Top); y < std::min(Height(), r.Bottom); ++y)
        for (int x = std::max(0, r.Left); x < std::min(Width(), r.Right); ++x)
            if (Pixel(x, y) == want)
                ++n;
    return n;
}

int CanvasImage::Ink(const TRect& r) const
{
    const TRect clipped{std::max(0, r.Left), std::max(0, r.Top), std::min(Width(), r.Right),
                        std::min(Height(), r.Bottom)};
    if (clipped.IsEmpty())
        return 0;
    return clipped.Width() * clipped.Height() - Count(m_background, clipped);
}

TRect CanvasImage::InkBounds(const TRect& r) const
{
    const TColor bg = ColorToRGB(m_background);
    TRect box{r.Right, r.Bottom, r.Left, r.Top};
    bool any = false;
    for (int y = std::max(0, r.Top); y < std::min(Height(), r.Bottom); ++y)
        for (int x = std::max(0, r.Left); x < std::min(Width(), r.Right); ++x)
            if (Pixel(x, y) != bg) {
                any = true;
                box.Left = std::min(box.Left, x);
                box.Top = std::min(box.Top, y);
                box.Right = std::max(box.Right, x + 1);
                box.Bottom = std::max(box.Bottom, y + 1);
            }
    return any ? box : TRect{};
}

bool CanvasImage::SavePng(const QString& path) const
{
    return m_image.save(path, "PNG");
}
