// A list of equally sized small pictures drawn by index: priority marks, item images,
// header images. Each image keeps its own transparency mask, so drawing it leaves the
// masked pixels untouched.
#pragma once

#include "platform/core/Color.h"

#include <QImage>
#include <functional>
#include <vector>

class TBitmap;
class TCanvas;

class TImageList
{
public:
    TImageList() = default;
    TImageList(int width, int height);

    // Changing the size clears the list.
    int Width() const { return m_width; }   // 16
    int Height() const { return m_height; } // 16
    void SetWidth(int width);
    void SetHeight(int height);
    void SetSize(int width, int height);

    int Count() const { return int(m_images.size()); } // 0

    // Adds the bitmap cut into Width-wide images from the left (a strip of n images adds
    // n; a bitmap narrower than Width adds one, padded). Pixels where mask is white are
    // transparent; no mask (nullptr or empty) makes every pixel opaque. Returns the index
    // of the first added image, -1 when the bitmap is empty.
    int Add(const TBitmap& bitmap, const TBitmap* mask);
    // As Add, with the pixels of transparentColor transparent; clDefault takes the
    // bitmap's bottom-left pixel.
    int AddMasked(const TBitmap& bitmap, TColor transparentColor);
    void Delete(int index);
    void Clear();

    // Draws image index with its top-left at (x, y); disabled images are drawn in the
    // button shadow colour. An index outside 0 .. Count()-1 draws nothing.
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;
    // Puts image index into bitmap, Width x Height, its masked pixels in the colour that
    // becomes the bitmap's fixed transparent colour; false for an index out of range.
    bool GetBitmap(int index, TBitmap& bitmap) const;

    std::function<void(TImageList& sender)> OnChange;

private:
    struct Entry
    {
        QImage image;    // ARGB32, masked pixels fully transparent
        QImage disabled; // the same shape in clBtnShadow, made on first use
    };

    int addImage(const QImage& argb);
    void changed();

    int m_width = 16;
    int m_height = 16;
    mutable std::vector<Entry> m_images;
};
