// Pixel art for the header and tab images. Each picture is drawn on a fuchsia ground that
// becomes transparent when it is added to the list.
#include "app/AppImages.h"

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"

#include <QPixmap>

namespace {

constexpr TColor transparentGround = clFuchsia;

TBitmap blankGlyph()
{
    TBitmap bmp(16, 16);
    bmp.Canvas().Brush().SetColor(transparentGround);
    bmp.Canvas().FillRect(Rect(0, 0, 16, 16));
    return bmp;
}

// A sheet of paper with written lines.
TBitmap notesGlyph()
{
    TBitmap bmp = blankGlyph();
    TCanvas& c = bmp.Canvas();
    c.Brush().SetColor(clWhite);
    c.Pen().SetColor(clGray);
    c.Rectangle(Rect(3, 1, 13, 15));
    c.Pen().SetColor(clNavy);
    for (int y = 4; y <= 12; y += 2) {
        c.MoveTo(5, y);
        c.LineTo(y == 12 ? 9 : 11, y);
    }
    return bmp;
}

// A red exclamation mark on a yellow flag.
TBitmap priorityGlyph()
{
    TBitmap bmp = blankGlyph();
    TCanvas& c = bmp.Canvas();
    c.Pen().SetColor(clBlack);
    c.MoveTo(3, 1);
    c.LineTo(3, 15);
    c.Brush().SetColor(clYellow);
    c.Rectangle(Rect(4, 1, 14, 9));
    c.Brush().SetColor(clRed);
    c.FillRect(Rect(8, 2, 10, 6));
    c.FillRect(Rect(8, 7, 10, 8));
    return bmp;
}

// A pencil drawn diagonally.
TBitmap subjectGlyph()
{
    TBitmap bmp = blankGlyph();
    TCanvas& c = bmp.Canvas();
    for (int i = 0; i < 9; ++i) {
        c.SetPixels(4 + i, 11 - i, clOlive);
        c.SetPixels(5 + i, 11 - i, clYellow);
        c.SetPixels(5 + i, 12 - i, clOlive);
    }
    c.SetPixels(3, 12, clBlack);
    c.SetPixels(4, 12, clBlack);
    c.SetPixels(3, 13, clBlack);
    c.SetPixels(13, 3, clRed);
    c.SetPixels(14, 3, clRed);
    return bmp;
}

// A small table: a header row and grid lines.
TBitmap tableGlyph()
{
    TBitmap bmp = blankGlyph();
    TCanvas& c = bmp.Canvas();
    c.Brush().SetColor(clWhite);
    c.Pen().SetColor(clGray);
    c.Rectangle(Rect(1, 2, 15, 14));
    c.Brush().SetColor(clNavy);
    c.FillRect(Rect(2, 3, 14, 5));
    c.Pen().SetColor(clSilver);
    for (int y = 8; y < 14; y += 3) {
        c.MoveTo(2, y);
        c.LineTo(14, y);
    }
    c.MoveTo(6, 5);
    c.LineTo(6, 13);
    return bmp;
}

} // namespace

void FillHeaderImages(TImageList& list)
{
    list.Clear();
    list.SetSize(16, 16);
    list.AddMasked(notesGlyph(), transparentGround);
    list.AddMasked(priorityGlyph(), transparentGround);
    list.AddMasked(subjectGlyph(), transparentGround);
}

QIcon ImageListIcon(const TImageList& list, int index)
{
    TBitmap bmp;
    if (!list.GetBitmap(index, bmp))
        return QIcon();
    return QIcon(QPixmap::fromImage(bmp.TransparentImage()));
}

QIcon TableTabIcon()
{
    TImageList tabImages(16, 16);
    tabImages.AddMasked(tableGlyph(), transparentGround);
    return ImageListIcon(tabImages, 0);
}
