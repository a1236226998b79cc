// Pictures kept as raw bytes: decoding and its errors, sizes, drawing, loading from files,
// streams and the program's resources, the frames of an animated GIF, the picture cache
// and the named container, and the calendar's stretched background picture.
#include "comp/NuvImage/NuvImage.h"
#include "comp/NuvImage/PictureDecoder.h"
#include "comp/PictureContainer/PictureContainer.h"
#include "comp/PlanHTML/PlanHTML.h"
#include "support/CanvasImage.h"

#include <QBuffer>
#include <QImage>
#include <gtest/gtest.h>
#include <vector>

namespace {

QByteArray bmpBytes(int w, int h, QColor color)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

struct GifFrame
{
    int x, y, w, h;
    int colorIndex;
};

// A GIF of solid frames over a four-colour table (white, red, lime, blue). Every pixel code
// is preceded by a clear code so that the code width never grows.
QByteArray makeGif(int screenW, int screenH, const std::vector<GifFrame>& frames)
{
    QByteArray d("GIF89a");
    auto word = [&d](int v) {
        d.append(char(v & 0xFF));
        d.append(char((v >> 8) & 0xFF));
    };
    word(screenW);
    word(screenH);
    d.append(char(0x81)); // global table of 4 colours
    d.append(char(0));
    d.append(char(0));
    const unsigned char table[12] = {255, 255, 255, 255, 0, 0, 0, 255, 0, 0, 0, 255};
    d.append(reinterpret_cast<const char*>(table), 12);
    for (const GifFrame& f : frames) {
        const char gce[8] = {0x21, char(0xF9), 4, 0, 10, 0, 0, 0};
        d.append(gce, 8);
        d.append(char(0x2C));
        word(f.x);
        word(f.y);
        word(f.w);
        word(f.h);
        d.append(char(0));
        d.append(char(2)); // minimum code size
        std::vector<unsigned char> bytes;
        unsigned bits = 0;
        int count = 0;
        auto put = [&](unsigned code) {
            bits |= code << count;
            count += 3;
            while (count >= 8) {
                bytes.push_back(static_cast<unsigned char>(bits & 0xFF));
                bits >>= 8;
                count -= 8;
            }
        };
        for (int i = 0; i < f.w * f.h; ++i) {
            put(4);
            put(unsigned(f.colorIndex));
        }
        put(5);
        if (count > 0)
            bytes.push_back(static_cast<unsigned char>(bits & 0xFF));
        for (std::size_t i = 0; i < bytes.size(); i += 255) {
            const std::size_t n = std::min<std::size_t>(255, bytes.size() - i);
            d.append(char(n));
            d.append(reinterpret_cast<const char*>(bytes.data() + i), qsizetype(n));
        }
        d.append(char(0));
    }
    d.append(char(0x3B));
    return d;
}

TEST(HTMLPicture, DecodesBytesAndReportsSizes)
{
    THTMLPicture p;
    EXPECT_TRUE(p.Empty());
    EXPECT_EQ(p.Width(), 0);
    int changes = 0;
    p.OnChange = [&](THTMLPicture&) { ++changes; };
    QByteArray bytes = bmpBytes(7, 5, Qt::red);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    p.LoadFromStream(buffer);
    EXPECT_FALSE(p.Empty());
    EXPECT_EQ(p.Width(), 7);
    EXPECT_EQ(p.Height(), 5);
    EXPECT_EQ(p.FrameCount(), 0);
    EXPECT_EQ(changes, 1);

    QByteArray saved;
    QBuffer out(&saved);
    out.open(QIODevice::WriteOnly);
    p.SaveToStream(out);
    EXPECT_EQ(saved, bytes);

    THTMLPicture copy;
    copy.Assign(p);
    EXPECT_EQ(copy.Width(), 7);
    THTMLPicture empty;
    copy.Assign(empty);
    EXPECT_TRUE(copy.Empty());
}

TEST(HTMLPicture, BadBytesRaiseTheFixedMessageAndLeaveItEmpty)
{
    THTMLPicture p;
    p.LoadFromData(bmpBytes(3, 3, Qt::blue));
    try {
        p.LoadFromData(QByteArray("certainly not a picture"));
        FAIL() << "no error";
    } catch (const EPictureError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Could not load image. Invalid format"));
    }
    EXPECT_TRUE(p.Empty());
    EXPECT_THROW(DecodePictureBytes(QByteArray()), EPictureError);

    // A file that is missing or not a picture is simply empty, and draws nothing.
    THTMLPicture missing;
    missing.LoadFromFile(QStringLiteral("/nonexistent/picture.bmp"));
    EXPECT_TRUE(missing.Empty());
    missing.LoadFromFile(QStringLiteral("/dev/zero"));
    EXPECT_TRUE(missing.Empty());
    CanvasImage img(20, 20);
    missing.Draw(img.Canvas(), {0, 0, 20, 20});
    EXPECT_EQ(img.Ink(), 0);
}

TEST(HTMLPicture, DrawsAtNaturalSizeOrStretched)
{
    THTMLPicture p;
    p.LoadFromData(bmpBytes(4, 3, Qt::red));
    CanvasImage img(40, 40);
    p.Draw(img.Canvas(), {10, 10, 30, 30});
    EXPECT_EQ(img.InkBounds(), (TRect{10, 10, 14, 13}));
    p.SetStretch(true);
    CanvasImage big(40, 40);
    p.Draw(big.Canvas(), {10, 10, 30, 30});
    EXPECT_EQ(big.Count(clRed), 400);
}

TEST(HTMLPicture, AnimatedGifShowsOneFrameAtItsOffset)
{
    const QByteArray gif = makeGif(20, 10, {{0, 0, 4, 4, 1}, {6, 3, 5, 2, 2}, {1, 1, 2, 2, 3}});
    THTMLPicture p;
    p.LoadFromData(gif);
    ASSERT_FALSE(p.Empty());
    EXPECT_EQ(p.FrameCount(), 3);
    EXPECT_EQ(p.AnimMaxX(), 20);
    EXPECT_EQ(p.AnimMaxY(), 10);
    EXPECT_EQ(p.Width(), 4);
    int frameChanges = 0;
    p.OnFrameChange = [&](THTMLPicture&) { ++frameChanges; };
    p.SetFrame(2);
    EXPECT_EQ(frameChanges, 1);
    EXPECT_EQ(p.Frame(), 2);
    EXPECT_EQ(p.FrameXPos(), 6);
    EXPECT_EQ(p.FrameYPos(), 3);
    EXPECT_EQ(p.Width(), 5);
    EXPECT_EQ(p.Height(), 2);
    p.SetFrame(4);
    EXPECT_EQ(p.Frame(), 2);

    // Drawn by the renderer: the box is the logical screen, the frame sits at its offset.
    TPictureContainer container;
    TPictureItem* item = container.Items().Add();
    item->SetName(QStringLiteral("anim"));
    item->SetPicture(p);
    item->Picture().SetFrame(2);
    CanvasImage img(100, 40);
    TMarkupOptions o;
    o.PictureContainer = &container;
    TMarkupResults r;
    DrawMarkup(img.Canvas(), QStringLiteral("<IMG SRC=\"ANIM\">"), {0, 0, 100, 40}, o, r);
    EXPECT_EQ(r.Width, 20);
    EXPECT_EQ(r.Height, std::max(10, img.Canvas().TextHeight(QStringLiteral("gh"))));
    EXPECT_EQ(img.InkBounds(), (TRect{1 + 6, 3, 1 + 11, 5}));
    EXPECT_EQ(img.Count(clLime), 10);
}

TEST(PictureContainer, FindsNamesIgnoringCaseFirstWins)
{
    TPictureContainer container;
    TPictureItem* first = container.Items().Add();
    first->SetName(QStringLiteral("Logo"));
    TPictureItem* second = container.Items().Add();
    second->SetName(QStringLiteral("logo"));
    EXPECT_EQ(container.FindPicture(QStringLiteral("LOGO")), &first->Picture());
    EXPECT_EQ(container.FindPicture(QStringLiteral("other")), nullptr);
    EXPECT_EQ(second->Index(), 1);
    container.Items().Delete(0);
    EXPECT_EQ(container.FindPicture(QStringLiteral("LOGO")), &second->Picture());
}

TEST(PictureCache, FindsSourcesExactlyAndLoadsFilesAndResources)
{
    THTMLPictureCache cache;
    THTMLPicture* added = cache.AddPicture();
    added->SetID(QStringLiteral("file://pics/a.bmp"));
    EXPECT_EQ(cache.FindPicture(QStringLiteral("FILE://pics/a.bmp")), nullptr);
    EXPECT_EQ(cache.FindPicture(QStringLiteral("file://pics/a.bmp")), added);
    EXPECT_EQ(cache.GetPicture(0), added);
    EXPECT_EQ(cache.GetPicture(1), nullptr);

    THTMLPicture res;
    res.LoadFromURL(QStringLiteral("RES://dot.bmp"));
    EXPECT_FALSE(res.Empty());
    EXPECT_EQ(res.ID(), QStringLiteral("RES://dot.bmp"));
    EXPECT_EQ(res.Width(), 3);

    THTMLPicture web;
    web.SetAsynch(false);
    web.LoadFromURL(QStringLiteral("http://example.com/x.gif"));
    EXPECT_TRUE(web.Empty());
    EXPECT_EQ(web.ID(), QStringLiteral("http://example.com/x.gif"));
    EXPECT_EQ(web.DownloadAddress(), QStringLiteral("http://example.com/x.gif"));
}

TEST(PictureCache, RendererLoadsEachSourceOnceIntoTheCache)
{
    THTMLPictureCache cache;
    TMarkupOptions o;
    o.PictureCache = &cache;
    CanvasImage img(100, 40);
    TMarkupResults r;
    const QString text = QStringLiteral("<IMG SRC=\"RES://dot.bmp\"><IMG SRC=\"RES://dot.bmp\">"
                                        "<IMG SRC=\"http://host/p.gif\">");
    DrawMarkup(img.Canvas(), text, {0, 0, 100, 40}, o, r);
    EXPECT_EQ(cache.Count(), 2);
    EXPECT_EQ(r.Width, 6);
    EXPECT_EQ(img.Count(clBlue), 2 * 9);

    // Explicit WIDTH and HEIGHT stretch the picture.
    CanvasImage big(100, 40);
    DrawMarkup(big.Canvas(),
               QStringLiteral("<IMG SRC=\"RES://dot.bmp\" WIDTH=\"10\" HEIGHT=\"8\">"),
               {0, 0, 100, 40}, o, r);
    EXPECT_EQ(r.Width, 10);
    EXPECT_EQ(big.Count(clBlue), 80);
}

TEST(NuvImage, LoadsAndAlwaysStretches)
{
    TNuvImage image;
    EXPECT_TRUE(image.Empty());
    image.LoadFromData(bmpBytes(2, 2, Qt::red));
    EXPECT_EQ(image.Width(), 2);
    CanvasImage img(30, 30);
    image.Draw(img.Canvas(), {5, 5, 25, 15});
    EXPECT_EQ(img.Count(clRed), 200);
    image.LoadFromFile(QStringLiteral("/nonexistent"));
    EXPECT_TRUE(image.Empty());
    EXPECT_THROW(image.LoadFromData(QByteArray("junk")), EPictureError);
}

} // namespace
