// THTMLPicture and THTMLPictureCache. A GIF's frames are found in its bytes, and the frame
// shown is decoded from the file's header, logical screen and colour table followed by that
// frame's bytes, so that the image reader's first image is the frame wanted.
#include "comp/PictureContainer/HTMLPicture.h"

#include "comp/NuvImage/PictureDecoder.h"
#include "platform/core/RaiseEvent.h"
#include "platform/core/Rect.h"
#include "platform/gfx/Canvas.h"

#include <QFile>
#include <QIODevice>
#include <QPaintDevice>
#include <algorithm>

namespace {

bool isGif(const QByteArray& d)
{
    return d.startsWith("GIF8");
}

int byteAt(const QByteArray& d, qsizetype i)
{
    return (i >= 0 && i < d.size()) ? int(quint8(d[i])) : 0;
}

int wordAt(const QByteArray& d, qsizetype i)
{
    return byteAt(d, i) | (byteAt(d, i + 1) << 8);
}

// Offsets of the graphic-control extensions directly followed by an image descriptor.
std::vector<qsizetype> gifFrameStarts(const QByteArray& d)
{
    std::vector<qsizetype> starts;
    for (qsizetype i = 0; i + 8 < d.size(); ++i) {
        if (quint8(d[i]) == 0x21 && quint8(d[i + 1]) == 0xF9 && quint8(d[i + 2]) == 0x04 &&
            quint8(d[i + 8]) == 0x2C)
            starts.push_back(i);
    }
    return starts;
}

// Header and logical screen descriptor, with the global colour table when there is one.
qsizetype gifScreenLength(const QByteArray& d)
{
    qsizetype length = 13;
    const int packed = byteAt(d, 10);
    if (packed & 0x80)
        length += 3 * (qsizetype(1) << ((packed & 7) + 1));
    return std::min(length, d.size());
}

} // namespace

THTMLPicture::THTMLPicture(const THTMLPicture& other)
    : m_data(other.m_data), m_image(other.m_image), m_empty(other.m_empty),
      m_stretch(other.m_stretch), m_resolution(other.m_resolution), m_id(other.m_id),
      m_url(other.m_url), m_asynch(other.m_asynch), m_frame(other.m_frame),
      m_frameCount(other.m_frameCount), m_frameX(other.m_frameX), m_frameY(other.m_frameY),
      m_frameW(other.m_frameW), m_frameH(other.m_frameH), m_animMaxX(other.m_animMaxX),
      m_animMaxY(other.m_animMaxY)
{}

THTMLPicture& THTMLPicture::operator=(const THTMLPicture& other)
{
    if (this != &other)
        Assign(other);
    return *this;
}

int THTMLPicture::Width() const
{
    if (m_image.isNull())
        return 0;
    return HiMetricToPixels(PixelsToHiMetric(m_image.width(), m_resolution), m_resolution);
}

int THTMLPicture::Height() const
{
    if (m_image.isNull())
        return 0;
    return HiMetricToPixels(PixelsToHiMetric(m_image.height(), m_resolution), m_resolution);
}

int THTMLPicture::FrameCount() const
{
    if (m_frameCount < 0)
        m_frameCount = isGif(m_data) ? int(gifFrameStarts(m_data).size()) : 0;
    return m_frameCount;
}

void THTMLPicture::SetFrame(int frame)
{
    if (frame == m_frame || frame < 1 || (FrameCount() > 0 && frame > FrameCount()))
        return;
    m_frame = frame;
    if (!m_data.isEmpty()) {
        try {
            decode();
        } catch (const EPictureError&) {
            // A frame the reader cannot read shows nothing rather than the previous one.
            m_image = QImage();
        }
    }
    Raise(OnFrameChange, *this);
}

void THTMLPicture::clear()
{
    m_data.clear();
    m_image = QImage();
    m_empty = true;
    m_frameCount = -1;
    m_frameX = m_frameY = m_frameW = m_frameH = 0;
    m_animMaxX = m_animMaxY = 0;
}

QByteArray THTMLPicture::frameBytes()
{
    m_frameX = m_frameY = m_frameW = m_frameH = 0;
    m_animMaxX = m_animMaxY = 0;
    if (!isGif(m_data) || FrameCount() == 0)
        return m_data;
    const std::vector<qsizetype> starts = gifFrameStarts(m_data);
    const int frame = std::clamp(m_frame, 1, int(starts.size()));
    const qsizetype start = starts[std::size_t(frame - 1)];
    m_animMaxX = wordAt(m_data, 6);
    m_animMaxY = wordAt(m_data, 8);
    const qsizetype descriptor = start + 8;
    m_frameX = wordAt(m_data, descriptor + 1);
    m_frameY = wordAt(m_data, descriptor + 3);
    m_frameW = wordAt(m_data, descriptor + 5);
    m_frameH = wordAt(m_data, descriptor + 7);
    return m_data.left(gifScreenLength(m_data)) + m_data.mid(start);
}

void THTMLPicture::decode()
{
    QImage image = DecodePictureBytes(frameBytes());
    // The reader paints a frame onto the whole logical screen; the frame alone is kept and
    // drawn at its offset.
    const QRect frame(m_frameX, m_frameY, m_frameW, m_frameH);
    if (m_animMaxX > 0 && image.size() == QSize(m_animMaxX, m_animMaxY) && !frame.isEmpty() &&
        image.rect().contains(frame) && frame.size() != image.size())
        image = image.copy(frame);
    m_image = image;
}

void THTMLPicture::setBytes(const QByteArray& bytes)
{
    if (bytes.isEmpty()) {
        clear();
        return;
    }
    m_data = bytes;
    m_frameCount = -1;
    if (m_frame > FrameCount() && FrameCount() > 0)
        m_frame = 1;
    try {
        decode();
    } catch (const EPictureError&) {
        clear();
        throw;
    }
    m_empty = false;
    Raise(OnChange, *this);
}

void THTMLPicture::LoadFromFile(const QString& fileName)
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

void THTMLPicture::LoadFromStream(QIODevice& stream)
{
    setBytes(stream.readAll());
}

void THTMLPicture::LoadFromData(const QByteArray& bytes)
{
    setBytes(bytes);
}

void THTMLPicture::LoadFromResourceName(const QString& module, const QString& name)
{
    Q_UNUSED(module);
    QFile file(QStringLiteral(":/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return;
    setBytes(file.readAll());
}

void THTMLPicture::LoadFromURL(const QString& source)
{
    const QString upper = source.toUpper();
    if (upper.startsWith(QLatin1String("RES://"))) {
        m_id = source;
        LoadFromResourceName(QString(), source.mid(6));
        return;
    }
    if (upper.startsWith(QLatin1String("FILE://"))) {
        m_id = source;
        LoadFromFile(source.mid(7));
        return;
    }
    if (!m_asynch) {
        m_id = source;
        m_url = source;
        return;
    }
    if (m_downloading)
        return;
    // A download would start here; none is made, so it is over as soon as it is recorded.
    m_url = source;
    m_downloading = true;
    m_downloading = false;
}

void THTMLPicture::Assign(const THTMLPicture& other)
{
    if (&other == this)
        return;
    m_stretch = other.m_stretch;
    m_frame = other.m_frame;
    setBytes(other.m_data);
}

void THTMLPicture::SaveToStream(QIODevice& stream) const
{
    if (!m_data.isEmpty())
        stream.write(m_data);
}

void THTMLPicture::Draw(TCanvas& canvas, const TRect& r) const
{
    Draw(canvas, r, m_stretch);
}

void THTMLPicture::Draw(TCanvas& canvas, const TRect& r, bool stretch) const
{
    if (m_empty || m_image.isNull())
        return;
    if (stretch) {
        canvas.StretchDrawImage(r, m_image);
        return;
    }
    const QPaintDevice* device = canvas.Device();
    const int dpiX = device ? device->logicalDpiX() : m_resolution;
    const int dpiY = device ? device->logicalDpiY() : m_resolution;
    const int w = int((std::int64_t(Width()) * dpiX + m_resolution / 2) / m_resolution);
    const int h = int((std::int64_t(Height()) * dpiY + m_resolution / 2) / m_resolution);
    canvas.StretchDrawImage({r.Left, r.Top, r.Left + w, r.Top + h}, m_image);
}

THTMLPicture* THTMLPictureCache::AddPicture()
{
    m_pictures.push_back(std::make_unique<THTMLPicture>());
    return m_pictures.back().get();
}

THTMLPicture* THTMLPictureCache::FindPicture(const QString& id) const
{
    for (const auto& p : m_pictures)
        if (p->ID() == id)
            return p.get();
    return nullptr;
}

THTMLPicture* THTMLPictureCache::GetPicture(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return m_pictures[std::size_t(index)].get();
}

void THTMLPictureCache::ClearPictures()
{
    m_pictures.clear();
}
