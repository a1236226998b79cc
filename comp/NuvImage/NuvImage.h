// TNuvImage: a picture kept as its file's raw bytes (GIF, JPEG, BMP, ICO, PNG, any format
// Qt reads) and decoded for drawing; the month calendar's background picture. It always
// draws stretched into the rectangle it is given.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <functional>

class QIODevice;
class TCanvas;
struct TRect;

class TNuvImage
{
public:
    TNuvImage() = default;
    TNuvImage(const TNuvImage& other);
    TNuvImage& operator=(const TNuvImage& other);

    bool Empty() const { return m_empty; } // true
    // Pixels at the logical resolution; 0 while empty.
    int Width() const;  // 0
    int Height() const; // 0

    // A file that cannot be read or decoded leaves the picture empty without an error.
    void LoadFromFile(const QString& fileName);
    // Copies the device's remaining bytes and decodes them; no bytes empty the picture. A
    // decoding failure empties it and raises EPictureError.
    void LoadFromStream(QIODevice& stream);
    // Copies the other picture's bytes (an empty source empties this one).
    void Assign(const TNuvImage& other);
    // Writes the raw bytes; nothing while empty.
    void SaveToStream(QIODevice& stream) const;
    // The raw bytes, the picture's stored form.
    const QByteArray& Data() const { return m_data; }
    void LoadFromData(const QByteArray& bytes);

    void Draw(TCanvas& canvas, const TRect& r) const;

    // Called after every successful load.
    std::function<void(TNuvImage& sender)> OnChange;

private:
    void setBytes(const QByteArray& bytes);
    void clear();

    QByteArray m_data;
    QImage m_image;
    bool m_empty = true;
    int m_resolution = 96;
};
