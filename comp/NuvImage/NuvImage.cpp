// TNuvImage: raw bytes in, one decoded image out, stretched on drawing.
#include "comp/NuvImage/NuvImage.h"

#include "comp/NuvImage/PictureDecoder.h"
#include "platform/core/RaiseEvent.h"
#include "platform/core/Rect.h"
#include "platform/gfx/Canvas.h"

#include <QIODevice>

TNuvImage::TNuvImage(const TNuvImage& other)
    : m_data(other.m_data), m_image(other.m_image), m_empty(other.m_empty),
      m_resolution(other.m_resolution)
{}

TNuvImage& TNuvImage::operator=(const TNuvImage& other)
{
    if (this != &other)
        Assign(other);
    return *this;
}

int TNuvImage::Width() const
{
    if (m_image.isNull())
        return 0;
    return HiMetricToPixels(PixelsToHiMetric(m_image.width(), m_resolution), m_resolution);
}

int TNuvImage::Height() const
{
    if (m_image.isNull())
        return 0;
    return HiMetricToPixels(PixelsToHiMetric(m_image.height(), m_resolution), m_resolution);
}

void TNuvImage::clear()
{
    m_data.clear();
    m_image = QImage();
    m_empty = true;
}

void TNuvImage::setBytes(const QByteArray& bytes)
{
    if (bytes.isEmpty()) {
        clear();
        return;
    }
    try {
        m_image = DecodePictureBytes(bytes);
    } catch (const EPictureError&) {
        clear();
        throw;
    }
    m_data = bytes;
    m_empty = false;
    Raise(OnChange, *this);
}

void TNuvImage::LoadFromFile(const QString& fileName)
{
    QByteArray bytes;
    if (!ReadPictureFile(fileName, bytes)) {
        clear();
        return;
    }
    try {
        setBytes(bytes);
    } catch (const EPictureError&) {
        // A file that is not a picture is treated like a missing one.
    }
}

void TNuvImage::LoadFromStream(QIODevice& stream)
{
    setBytes(stream.readAll());
}

void TNuvImage::LoadFromData(const QByteArray& bytes)
{
    setBytes(bytes);
}

void TNuvImage::Assign(const TNuvImage& other)
{
    if (&other == this)
        return;
    setBytes(other.m_data);
}

void TNuvImage::SaveToStream(QIODevice& stream) const
{
    if (!m_data.isEmpty())
        stream.write(m_data);
}

void TNuvImage::Draw(TCanvas& canvas, const TRect& r) const
{
    if (m_empty)
        return;
    canvas.StretchDrawImage(r, m_image);
}
