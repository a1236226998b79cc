// TImageList: images cut from strips, masked once when added, drawn by index.
#include "platform/gfx/ImageList.h"

#include "platform/core/RaiseEvent.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"

#include <QPainter>
#include <algorithm>

namespace {
// The colour that stands for "transparent" when an image goes back into a plain bitmap.
constexpr TColor maskedPixelColor = clFuchsia;
} // namespace

TImageList::TImageList(int width, int height)
    : m_width(std::max(1, width)), m_height(std::max(1, height))
{}

void TImageList::changed()
{
    Raise(OnChange, *this);
}

void TImageList::SetWidth(int width)
{
    SetSize(width, m_height);
}

void TImageList::SetHeight(int height)
{
    SetSize(m_width, height);
}

void TImageList::SetSize(int width, int height)
{
    width = std::max(1, width);
    height = std::max(1, height);
    if (width == m_width && height == m_height)
        return;
    m_width = width;
    m_height = height;
    m_images.clear();
    changed();
}

int TImageList::addImage(const QImage& argb)
{
    const int count = std::max(1, argb.width() / m_width);
    const int first = Count();
    for (int i = 0; i < count; ++i) {
        QImage cell(m_width, m_height, QImage::Format_ARGB32);
        cell.fill(Qt::transparent);
        QPainter painter(&cell);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, argb, i * m_width, 0, m_width, m_height);
        painter.end();
        m_images.push_back({cell, {}});
    }
    changed();
    return first;
}

int TImageList::Add(const TBitmap& bitmap, const TBitmap* mask)
{
    if (bitmap.Empty())
        return -1;
    QImage argb = bitmap.Image().convertToFormat(QImage::Format_ARGB32);
    if (mask && !mask->Empty()) {
        const QImage& m = mask->Image();
        for (int y = 0; y < std::min(argb.height(), m.height()); ++y) {
            auto* line = reinterpret_cast<QRgb*>(argb.scanLine(y));
            for (int x = 0; x < std::min(argb.width(), m.width()); ++x)
                if (qGray(m.pixel(x, y)) >= 128)
                    line[x] = 0;
        }
    }
    return addImage(argb);
}

int TImageList::AddMasked(const TBitmap& bitmap, TColor transparentColor)
{
    if (bitmap.Empty())
        return -1;
    if (transparentColor == clDefault) {
        const QImage& image = bitmap.Image();
        const QRgb rgb = image.pixel(0, image.height() - 1);
        transparentColor = RGB(qRed(rgb), qGreen(rgb), qBlue(rgb));
    }
    return addImage(KeyOutColor(bitmap.Image(), transparentColor));
}

void TImageList::Delete(int index)
{
    if (index < 0 || index >= Count())
        return;
    m_images.erase(m_images.begin() + index);
    changed();
}

void TImageList::Clear()
{
    if (m_images.empty())
        return;
    m_images.clear();
    changed();
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const
{
    if (index < 0 || index >= Count())
        return;
    Entry& e = m_images[std::size_t(index)];
    if (enabled) {
        canvas.DrawImage(x, y, e.image);
        return;
    }
    if (e.disabled.isNull()) {
        e.disabled = e.image;
        QPainter painter(&e.disabled);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(e.disabled.rect(), ToQColor(clBtnShadow));
    }
    canvas.DrawImage(x, y, e.disabled);
}

bool TImageList::GetBitmap(int index, TBitmap& bitmap) const
{
    if (index < 0 || index >= Count())
        return false;
    QImage plain(m_width, m_height, QImage::Format_RGB32);
    plain.fill(ToQColor(maskedPixelColor));
    QPainter painter(&plain);
    painter.drawImage(0, 0, m_images[std::size_t(index)].image);
    painter.end();
    bitmap.LoadFromImage(plain);
    bitmap.SetTransparentColor(maskedPixelColor);
    bitmap.SetTransparent(true);
    return true;
}
