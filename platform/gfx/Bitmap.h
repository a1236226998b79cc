// An off-screen picture with a canvas to paint it: the glyphs, skins and background
// pictures the components draw. A transparent bitmap leaves the pixels of its transparent
// colour undrawn; by default that colour is the bottom-left pixel's, as resource pictures
// expect.
#pragma once

#include "platform/core/Color.h"

#include <QImage>
#include <QString>
#include <functional>
#include <memory>

class QByteArray;
class TCanvas;

enum class TTransparentMode
{
    tmAuto, // the bottom-left pixel's colour
    tmFixed // TransparentColor as set
};

class TBitmap
{
public:
    TBitmap();
    TBitmap(int width, int height);
    TBitmap(const TBitmap& other);
    // Copies the picture and the transparency settings, not the OnChange handler.
    TBitmap& operator=(const TBitmap& other);
    ~TBitmap();

    int Width() const { return m_image.width(); }   // 0
    int Height() const { return m_image.height(); } // 0
    void SetWidth(int width) { SetSize(width, Height()); }
    void SetHeight(int height) { SetSize(Width(), height); }
    // Keeps the old pixels at the top-left; new ones are white. Negative sizes count as 0.
    void SetSize(int width, int height);
    bool Empty() const { return m_image.isNull(); }

    // Paints into the picture. The canvas keeps its tools for the bitmap's lifetime, but
    // reading the picture (drawing it, saving it, Image()) ends its painter, and with it any
    // clip region.
    TCanvas& Canvas();

    bool Transparent() const { return m_transparent; } // false
    void SetTransparent(bool transparent);
    TTransparentMode TransparentMode() const { return m_transparentMode; } // tmAuto
    void SetTransparentMode(TTransparentMode mode);
    // In tmAuto the bottom-left pixel's colour (clNone while empty); setting a colour
    // switches to tmFixed.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor color);

    // Any format Qt reads (BMP, PNG, JPEG, GIF, ICO ...). A file that cannot be read leaves
    // the bitmap as it was and returns false.
    bool LoadFromFile(const QString& path);
    bool LoadFromData(const QByteArray& data);
    void LoadFromImage(const QImage& image);
    bool SaveToFile(const QString& path) const;

    void Assign(const TBitmap& other);

    // The picture (RGB32).
    const QImage& Image() const;
    // The picture with the transparent colour's pixels fully transparent (ARGB32).
    const QImage& TransparentImage() const;

    // Called after the size, the picture or the transparency settings changed (not after
    // each drawing call on Canvas()).
    std::function<void(TBitmap& sender)> OnChange;

private:
    void flush() const;
    void changed();

    QImage m_image;
    std::unique_ptr<TCanvas> m_canvas;
    bool m_transparent = false;
    TTransparentMode m_transparentMode = TTransparentMode::tmAuto;
    TColor m_transparentColor = clDefault;
    mutable QImage m_keyed;
    mutable bool m_keyedValid = false;
    mutable TColor m_keyedColor = clNone;
};

// A copy of image in ARGB32 with every pixel of colour made fully transparent.
QImage KeyOutColor(const QImage& image, TColor color);
