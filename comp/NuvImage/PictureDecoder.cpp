// Picture decoding through QImageReader over an in-memory buffer.
#include "comp/NuvImage/PictureDecoder.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <cstdint>

QImage DecodePictureBytes(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        throw EPictureError(QStringLiteral("Empty image stream created"));
    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        throw EPictureError(QStringLiteral("Could not create image stream"));
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead())
        throw EPictureError(QStringLiteral("Could not load image. Invalid format"));
    QImage image = reader.read();
    if (image.isNull())
        throw EPictureError(QStringLiteral("Could not load image"));
    return image;
}

int PixelsToHiMetric(int pixels, int resolution)
{
    if (resolution <= 0)
        return 0;
    const std::int64_t n = std::int64_t(pixels) * 2540;
    return int((n + resolution / 2) / resolution);
}

int HiMetricToPixels(int hiMetric, int resolution)
{
    const std::int64_t n = std::int64_t(hiMetric) * resolution;
    return int((n + 1270) / 2540);
}

bool ReadPictureFile(const QString& fileName, QByteArray& bytes)
{
    QFile file(fileName);
    if (!QFileInfo(fileName).isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    bytes = file.readAll();
    return true;
}
