// <IMG> and <BODY BACKGROUND>: image-list images ("IDX:n"), the platform's file icons
// ("SSYS:"/"LSYS:" with an index or a path), named pictures of the picture container and
// pictures of "://" sources kept in the picture cache.
#include "comp/NuvImage/PictureDecoder.h"
#include "comp/PictureContainer/PictureContainer.h"
#include "comp/PlanHTML/MarkupParsing.h"
#include "comp/PlanHTML/MarkupRenderer.h"
#include "platform/core/Math.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/ImageList.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QIcon>
#include <QMimeDatabase>
#include <algorithm>

namespace markup {

namespace {

// The platform has no numbered system image list; the numbers stand for its standard
// icon kinds in the order QFileIconProvider lists them.
QIcon systemIcon(const QString& name)
{
    QFileIconProvider provider;
    bool isNumber = false;
    const int index = name.trimmed().toInt(&isNumber);
    if (isNumber) {
        if (index < 0 || index > int(QFileIconProvider::File))
            return QIcon();
        return provider.icon(QFileIconProvider::IconType(index));
    }
    const QFileInfo info(name);
    if (info.exists())
        return provider.icon(info);
    // A file that is not there gets the icon of its type, known from the name alone.
    const QMimeType type = QMimeDatabase().mimeTypeForFile(name, QMimeDatabase::MatchExtension);
    QIcon icon = QIcon::fromTheme(type.iconName());
    if (icon.isNull())
        icon = QIcon::fromTheme(type.genericIconName());
    if (icon.isNull())
        icon = provider.icon(QFileIconProvider::File);
    return icon;
}

} // namespace

THTMLPicture* TMarkupRenderer::findPicture(const QString& source)
{
    if (!source.contains(QLatin1Char(':'))) {
        return m_opt.PictureContainer ? m_opt.PictureContainer->FindPicture(source) : nullptr;
    }
    if (!source.contains(QLatin1String("://")) || !m_opt.PictureCache)
        return nullptr;
    if (THTMLPicture* known = m_opt.PictureCache->FindPicture(source))
        return known;
    THTMLPicture* picture = m_opt.PictureCache->AddPicture();
    picture->SetAsynch(false);
    try {
        picture->LoadFromURL(source);
    } catch (const EPictureError&) {
        // A source that is not a picture shows nothing, like a missing one.
    }
    picture->SetID(source);
    return picture;
}

TMarkupRenderer::ImageSource TMarkupRenderer::resolveImage(const QString& source)
{
    ImageSource s;
    const QString upper = UpperSameLength(source);
    if (upper.contains(QLatin1String("IDX:"))) {
        const int index = LeadingInt(QStringView(source).mid(4));
        if (m_opt.Images && index >= 0 && index < m_opt.Images->Count()) {
            s.kind = ImageSource::Kind::ListImage;
            s.index = index;
            s.w = scaleX(m_opt.Images->Width());
            s.h = scaleY(m_opt.Images->Height());
        }
        return s;
    }
    const bool small = upper.contains(QLatin1String("SSYS:"));
    if (small || upper.contains(QLatin1String("LSYS:"))) {
        s.kind = ImageSource::Kind::SystemIcon;
        s.path = source.mid(5);
        s.largeIcon = !small;
        s.w = scaleX(small ? 16 : 32);
        s.h = scaleY(small ? 16 : 32);
        return s;
    }
    THTMLPicture* picture = findPicture(source);
    if (picture && !picture->Empty()) {
        s.kind = ImageSource::Kind::Picture;
        s.picture = picture;
        s.w = scaleX(picture->AnimMaxX() ? picture->AnimMaxX() : picture->Width());
        s.h = scaleY(picture->AnimMaxY() ? picture->AnimMaxY() : picture->Height());
    }
    return s;
}

void TMarkupRenderer::drawSystemIcon(const ImageSource& src, int left, int top)
{
    const int side = src.largeIcon ? 32 : 16;
    const QIcon icon = systemIcon(src.path);
    if (icon.isNull())
        return;
    const QImage image = icon.pixmap(side, side).toImage();
    if (image.isNull())
        return;
    if (!m_opt.PrintMode) {
        m_canvas.DrawImage(left, top, image);
        return;
    }
    const int w = int(Round(side * m_opt.Scale));
    const int h = int(Round(side * m_opt.Scale));
    m_canvas.StretchDrawImage({left, top, left + w, top + h}, image);
}

void TMarkupRenderer::drawImage(const ImageSource& src, int left, int top, int width, int height)
{
    switch (src.kind) {
    case ImageSource::Kind::ListImage:
        if (!m_opt.PrintMode) {
            m_opt.Images->Draw(m_canvas, left, top, src.index, true);
        } else {
            TBitmap bitmap;
            if (m_opt.Images->GetBitmap(src.index, bitmap)) {
                bitmap.SetTransparent(true);
                const int w = int(Round(m_opt.Images->Width() * m_opt.Scale));
                const int h = int(Round(m_opt.Images->Height() * m_opt.Scale));
                m_canvas.StretchDraw({left, top, left + w, top + h}, bitmap);
            }
        }
        break;
    case ImageSource::Kind::SystemIcon:
        drawSystemIcon(src, left, top);
        break;
    case ImageSource::Kind::Picture:
        if (width > 0 && height > 0) {
            src.picture->Draw(m_canvas, {left, top, left + width, top + height}, true);
        } else {
            if (src.picture->FrameCount() > 1)
                fillBand(left, top, left + src.w, top + src.h, m_background);
            const int x = left + src.picture->FrameXPos();
            const int y = top + src.picture->FrameYPos();
            src.picture->Draw(m_canvas, {x, y, x + src.w, y + src.h}, false);
        }
        break;
    case ImageSource::Kind::None:
        break;
    }
}

void TMarkupRenderer::imageTag(Pass& p, const QString& tag, const QString& upper)
{
    ++m_imageCount;
    const int number = m_imageCount;
    // Sources keep their letter case: file names and cache keys depend on it.
    const QString source = AttributeValue(tag, upper, QLatin1String("SRC"));
    const int width = LeadingInt(AttributeValue(tag, upper, QLatin1String("WIDTH")));
    const int height = LeadingInt(AttributeValue(tag, upper, QLatin1String("HEIGHT")));
    bool hasAlt = false;
    const QString alt = AttributeValue(tag, upper, QLatin1String("ALT"), &hasAlt);

    const ImageSource src = resolveImage(source);
    int w = src.w;
    int h = src.h;
    if (src.kind == ImageSource::Kind::Picture && width > 0 && height > 0) {
        w = scaleX(width);
        h = scaleY(height);
    }

    if (p.hitTests) {
        const int mx = m_opt.MouseX - p.lineLeft;
        if (m_inAnchor && mx > p.x && mx < p.x + w && m_opt.MouseY > p.lineTop &&
            m_opt.MouseY < p.lineTop + h) {
            m_res.HitAnchor = m_anchorTarget;
            p.imageHit = true;
            m_hotImage = number;
        }
    }
    if (p.paints) {
        // The hovered image shows its ALT picture in the box its SRC laid out.
        if (hasAlt && m_hotImage == number && !alt.isEmpty())
            drawImage(resolveImage(alt), p.curLeft, p.lineTop, width, height);
        else
            drawImage(src, p.curLeft, p.lineTop, width, height);
    }

    if (!place(p, w, h))
        return;
    if (p.measuring && upper.contains(QLatin1String("ALIGN"))) {
        const int gh = ghHeight();
        if (upper.contains(QLatin1String("\"TOP")))
            p.imageOffset = p.lineHeight - gh;
        else if (upper.contains(QLatin1String("\"MIDDLE")))
            p.imageOffset = (p.lineHeight - gh) / 2;
    }
}

bool TMarkupRenderer::place(Pass& p, int w, int h)
{
    const int lineWidth = p.lineRight - p.lineLeft;
    if (p.measuring && p.x + w > lineWidth && w < lineWidth) {
        p.overflow = true;
        return false;
    }
    p.x += w;
    p.curLeft += w;
    if (p.measuring) {
        p.lineHeight = std::max(p.lineHeight, h);
        p.placedText = true;
    }
    return true;
}

void TMarkupRenderer::bodyTag(Pass& p, const QString& tag, const QString& upper)
{
    if (!p.paints)
        return;
    bool found = false;
    const QString background = AttributeValue(tag, upper, QLatin1String("BACKGROUND"), &found);
    if (found) {
        THTMLPicture* picture = findPicture(background);
        if (picture && !picture->Empty() && picture->Width() > 0 && picture->Height() > 0) {
            const int pw = picture->Width();
            const int ph = picture->Height();
            m_canvas.SaveState();
            m_canvas.IntersectClipRect(m_bounds);
            for (int y = m_bounds.Top; y < m_bounds.Bottom; y += ph)
                for (int x = m_bounds.Left; x < m_bounds.Right; x += pw)
                    picture->Draw(m_canvas, {x, y, x + pw, y + ph}, false);
            m_canvas.RestoreState();
        }
    }
    const QString color = AttributeValue(upper, upper, QLatin1String("BGCOLOR"), &found);
    if (found) {
        if (color.contains(QLatin1String("CL")))
            setBrushColor(MarkupColorByName(color.toLower()));
        if (color.contains(QLatin1Char('#')))
            setBrushColor(MarkupHexColor(color));
        m_fontBackground = brushColor();
        fillBand(m_bounds.Left, m_bounds.Top, m_bounds.Right, m_bounds.Bottom, brushColor());
    }
}

} // namespace markup
