// Turning a picture file's raw bytes into an image through Qt's image readers, with the
// fixed messages the picture classes raise when that fails. Shared by TNuvImage and the
// markup pictures so that both accept the same formats and fail the same way.
#pragma once

#include "platform/core/Exceptions.h"

#include <QByteArray>
#include <QImage>
#include <QString>

// A picture's bytes that could not be turned into an image.
class EPictureError : public Exception
{
public:
    using Exception::Exception;
};

// "Empty image stream created" for no bytes, "Could not load image. Invalid format" when no
// reader accepts them, "Could not load image" when the reader accepts them but yields
// nothing.
QImage DecodePictureBytes(const QByteArray& bytes);

// The bytes of a picture file; false for anything but a readable ordinary file, since a
// device or a pipe named in an item text would never end reading.
bool ReadPictureFile(const QString& fileName, QByteArray& bytes);

// 0.01 mm units of a length of pixels at the logical resolution, and back, each rounded.
int PixelsToHiMetric(int pixels, int resolution);
int HiMetricToPixels(int hiMetric, int resolution);
