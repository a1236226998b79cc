// THTMLPicture: a picture of the markup renderer's <IMG> tags, kept as its file's raw bytes
// and decoded for drawing. Animated GIFs are decoded one frame at a time (Frame); sources
// are files, streams, the program's own resources ("RES://name", the Qt resource
// ":/name") or addresses that are only recorded: nothing is ever downloaded.
// THTMLPictureCache keeps the pictures loaded from "FILE://" and "RES://" sources, found
// by the exact source text.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QIODevice;
class TCanvas;
struct TRect;

class THTMLPicture
{
public:
    THTMLPicture() = default;
    THTMLPicture(const THTMLPicture& other);
    THTMLPicture& operator=(const THTMLPicture& other);

    bool Empty() const { return m_empty; } // true
    // Pixels at the logical resolution of the decoded picture (for a GIF, its current
    // frame); 0 while nothing is decoded.
    int Width() const;  // 0
    int Height() const; // 0

    // Draw the whole picture into the rectangle instead of at its natural size.
    bool Stretch() const { return m_stretch; } // false
    void SetStretch(bool stretch) { m_stretch = stretch; }

    // Frames of an animated GIF, counted once: graphic-control extensions directly
    // followed by an image descriptor. 0 for anything that is not a GIF.
    int FrameCount() const;
    // The frame decoded, from 1. Values outside 1 .. FrameCount() are ignored.
    int Frame() const { return m_frame; } // 1
    void SetFrame(int frame);
    // The current frame's place and size on the animation's logical screen.
    int FrameXPos() const { return m_frameX; }  // 0
    int FrameYPos() const { return m_frameY; }  // 0
    int FrameXSize() const { return m_frameW; } // 0
    int FrameYSize() const { return m_frameH; } // 0
    int AnimMaxX() const { return m_animMaxX; } // 0 unless an animated GIF
    int AnimMaxY() const { return m_animMaxY; } // 0 unless an animated GIF

    // The source text the picture was loaded under (the cache's key).
    const QString& ID() const { return m_id; } // ""
    void SetID(const QString& id) { m_id = id; }
    // Loading from a network address only records it; a real download is not ours.
    bool Asynch() const { return m_asynch; } // true
    void SetAsynch(bool asynch) { m_asynch = asynch; }
    const QString& DownloadAddress() const { return m_url; } // ""

    // A file that cannot be read or decoded leaves the picture empty without an error.
    void LoadFromFile(const QString& fileName);
    // Copies the device's remaining bytes and decodes them; no bytes empty the picture. A
    // decoding failure empties it and raises EPictureError with its fixed message.
    void LoadFromStream(QIODevice& stream);
    void LoadFromData(const QByteArray& bytes);
    // The resource ":/name" (the module is ours: the program's own resources); a missing
    // one leaves the picture as it is.
    void LoadFromResourceName(const QString& module, const QString& name);
    // "RES://name": a resource; "FILE://path": a file; anything else is recorded as ID and
    // download address, and the picture stays empty.
    void LoadFromURL(const QString& source);
    // Copies the other picture's bytes and frame (an empty source empties this one).
    void Assign(const THTMLPicture& other);
    void SaveToStream(QIODevice& stream) const;
    const QByteArray& Data() const { return m_data; }

    // Nothing while empty. With Stretch into r, otherwise at r's top-left at the natural
    // size converted to the canvas's resolution.
    void Draw(TCanvas& canvas, const TRect& r) const;
    // As Draw, stretching or not whatever Stretch says.
    void Draw(TCanvas& canvas, const TRect& r, bool stretch) const;

    std::function<void(THTMLPicture& sender)> OnChange;
    std::function<void(THTMLPicture& sender)> OnFrameChange;
    // Kept for the stored form; nothing here raises them, since nothing is downloaded.
    std::function<void(THTMLPicture& sender, std::int64_t done, std::int64_t total)>
        OnDownLoadProgress;
    std::function<void(THTMLPicture& sender, bool& cancel)> OnDownLoadCancel;
    std::function<void(THTMLPicture& sender)> OnDownLoadComplete;
    std::function<void(THTMLPicture& sender, const QString& error)> OnDownLoadError;

private:
    void setBytes(const QByteArray& bytes);
    void decode();
    void clear();
    QByteArray frameBytes();

    QByteArray m_data;
    QImage m_image;
    bool m_empty = true;
    bool m_stretch = false;
    int m_resolution = 96;
    QString m_id;
    QString m_url;
    bool m_asynch = true;
    bool m_downloading = false;
    int m_frame = 1;
    mutable int m_frameCount = -1;
    int m_frameX = 0;
    int m_frameY = 0;
    int m_frameW = 0;
    int m_frameH = 0;
    int m_animMaxX = 0;
    int m_animMaxY = 0;
};

class THTMLPictureCache
{
public:
    THTMLPictureCache() = default;
    THTMLPictureCache(const THTMLPictureCache&) = delete;
    THTMLPictureCache& operator=(const THTMLPictureCache&) = delete;

    int Count() const { return int(m_pictures.size()); } // 0
    // A new empty picture at the end; the cache owns it.
    THTMLPicture* AddPicture();
    // The first picture whose ID equals id exactly (letter case counts), or nullptr.
    THTMLPicture* FindPicture(const QString& id) const;
    // nullptr for an index out of range.
    THTMLPicture* GetPicture(int index) const;
    void ClearPictures();

private:
    std::vector<std::unique_ptr<THTMLPicture>> m_pictures;
};
