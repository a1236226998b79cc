// A picture to paint into and read back in tests: a white RGB32 QImage with a TCanvas over
// it, pixel reads as TColor, colour counts and the bounding box of "ink" (pixels differing
// from a background colour), and a PNG dump for looking at a failing picture.
#pragma once

#include "platform/core/Color.h"
#include "platform/core/Rect.h"
#include "platform/gfx/Canvas.h"

#include <QImage>
#include <QString>
#include <memory>

class CanvasImage
{
public:
    CanvasImage(int width, int height, TColor background = clWhite);

    TCanvas& Canvas();
    QImage& Image() { return m_image; }
    int Width() const { return m_image.width(); }
    int Height() const { return m_image.height(); }
    TRect Bounds() const { return {0, 0, Width(), Height()}; }

    // clNone outside the picture.
    TColor Pixel(int x, int y) const;
    // Pixels of exactly this colour inside r (the whole picture by default).
    int Count(TColor color) const { return Count(color, Bounds()); }
    int Count(TColor color, const TRect& r) const;
    // Pixels differing from the background inside r.
    int Ink(const TRect& r) const;
    int Ink() const { return Ink(Bounds()); }
    // Bounding box of the pixels differing from the background; empty when there are none.
    TRect InkBounds() const { return InkBounds(Bounds()); }
    TRect InkBounds(const TRect& r) const;

    // Writes the picture, e.g. to /tmp, for a look at it.
    bool SavePng(const QString& path) const;

private:
    QImage m_image;
    TColor m_background;
    std::unique_ptr<TCanvas> m_canvas;
};
