// Pixel art of the built-in pictures: one character per pixel.
#include "comp/TodoList/TodoImages.h"

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/ImageList.h"

#include <QImage>

namespace {

QRgb paletteColor(char c)
{
    switch (c) {
    case 'r':
        return qRgb(0xFF, 0x00, 0x00);
    case 'k':
        return qRgb(0x00, 0x00, 0x00);
    case 'b':
        return qRgb(0x00, 0x00, 0xFF);
    case 'g':
        return qRgb(0x80, 0x80, 0x80);
    case 'y':
        return qRgb(0xFF, 0xFF, 0xC0);
    case 'm':
        return qRgb(0xFF, 0x00, 0xFF);
    default:
        return qRgb(0xFF, 0xFF, 0xFF);
    }
}

template <int W, int H>
QImage art(const char* const (&rows)[H])
{
    QImage image(W, H, QImage::Format_RGB32);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            image.setPixel(x, y, paletteColor(rows[y][x]));
    return image;
}

// Five 12 x 12 marks side by side.
const char* const PriorityArt[12] = {
    // 0: !!       1: !        2: -        3: v        4: vv
    "............"
    "............"
    "............"
    "............"
    "............",
    "...rr..rr..."
    ".....rr....."
    "............"
    ".....bb....."
    "..b....b....",
    "...rr..rr..."
    ".....rr....."
    "............"
    ".....bb....."
    "..b....b....",
    "...rr..rr..."
    ".....rr....."
    "............"
    ".....bb....."
    "..b....b....",
    "...rr..rr..."
    ".....rr....."
    "............"
    ".....bb....."
    "..b....b....",
    "...rr..rr..."
    ".....rr....."
    "...kkkkkk..."
    ".....bb....."
    "..b....b....",
    "...rr..rr..."
    ".....rr....."
    "...kkkkkk..."
    "..bbbbbbbb.."
    "bbbbbbbbbb..",
    "............"
    "............"
    "............"
    "...bbbbbb..."
    ".bbb..bbb...",
    "...rr..rr..."
    ".....rr....."
    "............"
    "....bbbb...."
    "..b....b....",
    "...rr..rr..."
    ".....rr....."
    "............"
    ".....bb....."
    "............",
    "............"
    "............"
    "............"
    "............"
    "............",
    "............"
    "............"
    "............"
    "............"
    "............",
};

const char* const FilledPadArt[16] = {
    "mmmmmmmmmmmmmmmm", "mmkgkgkgkgkgkmmm", "mkkkkkkkkkkkkkmm", "mkyyyyyyyyyyykmm",
    "mkybbbbbbbbbykmm", "mkyyyyyyyyyyykmm", "mkybbbbbbbbbykmm", "mkyyyyyyyyyyykmm",
    "mkybbbbbbbbbykmm", "mkyyyyyyyyyyykmm", "mkybbbbbbyyyykmm", "mkyyyyyyyyyyykmm",
    "mkyyyyyyyyyyykmm", "mkkkkkkkkkkkkkmm", "mmmmmmmmmmmmmmmm", "mmmmmmmmmmmmmmmm",
};

const char* const EmptyPadArt[16] = {
    "mmmmmmmmmmmmmmmm", "mmkgkgkgkgkgkmmm", "mkkkkkkkkkkkkkmm", "mkmmmmmmmmmmmkmm",
    "mkmmmmmmmmmmmkmm", "mkmmmmmmmmmmmkmm", "mkmmmmmmmmmmmkmm", "mkmmmmmmmmmmmkmm",
    "mkmmmmmmmmmmmkmm", "mkmmmmmmmmmmmkmm", "mkmmmmmmmmmmmkmm", "mkmmmmmmmmmmmkmm",
    "mkmmmmmmmmmmmkmm", "mkkkkkkkkkkkkkmm", "mmmmmmmmmmmmmmmm", "mmmmmmmmmmmmmmmm",
};

TBitmap transparentBitmap(const QImage& image)
{
    TBitmap b;
    b.LoadFromImage(image);
    b.SetTransparent(true); // the bottom-left pixel's colour
    return b;
}

} // namespace

const TBitmap& TodoPriorityStrip()
{
    static const TBitmap strip = transparentBitmap(art<60, 12>(PriorityArt));
    return strip;
}

const TImageList& TodoPriorityImages()
{
    static const TImageList images = [] {
        TImageList list(12, 12);
        list.AddMasked(TodoPriorityStrip(), clWhite);
        return list;
    }();
    return images;
}

const TBitmap& TodoNotePadFilled()
{
    static const TBitmap pad = transparentBitmap(art<16, 16>(FilledPadArt));
    return pad;
}

const TBitmap& TodoNotePadEmpty()
{
    static const TBitmap pad = transparentBitmap(art<16, 16>(EmptyPadArt));
    return pad;
}
