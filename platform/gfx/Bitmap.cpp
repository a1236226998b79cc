// TBitmap: a QImage with a lazily begun canvas and a cached keyed-out copy for transparent
// drawing.
#include "platform/gfx/Bitmap.h"

#include "platform/core/RaiseEvent.h"
#include "platform/gfx/Canvas.h"

#include <QByteArray>
#include <QPainter>
#include <algorithm>

QImage KeyOutColor(const QImage& image, TColor color)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    if (color == clNone)
        return out;
    const QRgb key = ToQColor(color).rgb() & 0x00FFFFFFu;
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] & 0x00FFFFFFu) == key)
                line[x] = 0;
    }
    return out;
}

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height)
{
    SetSize(width, height);
}

TBitmap::TBitmap(const TBitmap& other)
    : m_transparent(other.m_transparent), m_transparentMode(other.m_transparentMode),
      m_transparentColor(other.m_transparentColor)
{
    m_image = other.Image();
}

TBitmap& TBitmap::operator=(const TBitmap& other)
{
    Assign(other);
    return *this;
}

TBitmap::~TBitmap() = default;

void TBitmap::flush() const
{
    if (m_canvas) {
        // Whatever was painted since the last read invalidates the keyed copy.
        if (m_canvas->IsPainting())
            m_keyedValid = false;
        m_canvas->Release();
    }
}

void TBitmap::changed()
{
    m_keyedValid = false;
    Raise(OnChange, *this);
}

void TBitmap::SetSize(int width, int height)
{
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == Width() && height == Height())
        return;
    flush();
    if (width == 0 || height == 0) {
        m_image = QImage();
    } else {
        QImage next(width, height, QImage::Format_RGB32);
        next.fill(Qt::white);
        if (!m_image.isNull()) {
            QPainter painter(&next);
            painter.drawImage(0, 0, m_image);
        }
        m_image = next;
    }
    changed();
}

TCanvas& TBitmap::Canvas()
{
    if (!m_canvas)
        m_canvas = std::make_unique<TCanvas>(&m_image);
    m_keyedValid = false;
    return *m_canvas;
}

void TBitmap::SetTransparent(bool transparent)
{
    if (transparent == m_transparent)
        return;
    m_transparent = transparent;
    changed();
}

void TBitmap::SetTransparentMode(TTransparentMode mode)
{
    if (mode == m_transparentMode)
        return;
    m_transparentMode = mode;
    changed();
}

TColor TBitmap::TransparentColor() const
{
    if (m_transparentMode == TTransparentMode::tmFixed)
        return m_transparentColor;
    const QImage& image = Image();
    if (image.isNull())
        return clNone;
    const QRgb rgb = image.pixel(0, image.height() - 1);
    return RGB(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

void TBitmap::SetTransparentColor(TColor color)
{
    if (m_transparentMode == TTransparentMode::tmFixed && color == m_transparentColor)
        return;
    m_transparentColor = color;
    m_transparentMode = TTransparentMode::tmFixed;
    changed();
}

void TBitmap::LoadFromImage(const QImage& image)
{
    flush();
    m_image = image.isNull() ? QImage() : image.convertToFormat(QImage::Format_RGB32);
    changed();
}

bool TBitmap::LoadFromFile(const QString& path)
{
    QImage image;
    if (!image.load(path))
        return false;
    LoadFromImage(image);
    return true;
}

bool TBitmap::LoadFromData(const QByteArray& data)
{
    QImage image;
    if (!image.loadFromData(data))
        return false;
    LoadFromImage(image);
    return true;
}

bool TBitmap::SaveToFile(const QString& path) const
{
    return !Empty() && Image().save(path);
}

void TBitmap::Assign(const TBitmap& other)
{
    if (&other == this)
        return;
    flush();
    m_image = other.Image();
    m_transparent = other.m_transparent;
    m_transparentMode = other.m_transparentMode;
    m_transparentColor = other.m_transparentColor;
    changed();
}

const QImage& TBitmap::Image() const
{
    flush();
    return m_image;
}

const QImage& TBitmap::TransparentImage() const
{
    const TColor key = TransparentColor();
    if (!m_keyedValid || key != m_keyedColor) {
        m_keyed = KeyOutColor(Image(), key);
        m_keyedColor = key;
        m_keyedValid = true;
    }
    return m_keyed;
}
