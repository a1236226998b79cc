// The fuzz entry points: bytes decoded into the arguments each function takes.
#include "fuzz/FuzzEntries.h"

#include "comp/PictureContainer/PictureContainer.h"
#include "comp/PlanHTML/PlanHTML.h"
#include "comp/planutil/PlanUtil.h"
#include "platform/core/FormatSettings.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/ImageList.h"

#include <QBuffer>
#include <QImage>
#include <QString>

namespace fuzzentry {

namespace {

QString utf8(const std::uint8_t* data, std::size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
}

// One image list and one container picture for the whole run; they are only read.
struct Sources
{
    TImageList images{16, 16};
    TPictureContainer container;

    Sources()
    {
        TBitmap strip(32, 16);
        strip.Canvas().Brush().SetColor(clRed);
        strip.Canvas().FillRect({0, 0, 16, 16});
        images.AddMasked(strip, clWhite);
        QImage logo(8, 6, QImage::Format_RGB32);
        logo.fill(Qt::green);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        logo.save(&buffer, "BMP");
        TPictureItem* item = container.Items().Add();
        item->SetName(QStringLiteral("logo"));
        item->Picture().LoadFromData(bytes);
    }
};

Sources& sources()
{
    static Sources s;
    return s;
}

} // namespace

void DrawMarkupInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3)
        return;
    const std::uint8_t switches = data[0];
    TMarkupOptions options;
    options.WordWrap = switches & 0x01;
    options.MeasureOnly = switches & 0x02;
    options.HitTestOnly = switches & 0x04;
    options.HoverOnly = switches & 0x08;
    options.SelectedLook = switches & 0x10;
    options.BlinkOn = switches & 0x20;
    options.PrintMode = switches & 0x40;
    options.ButtonDown = switches & 0x80;
    options.Scale = options.PrintMode ? 1.5 : 1.0;
    options.MouseX = data[1];
    options.MouseY = data[2] / 2;
    options.FocusIndex = (data[1] & 3) - 1;
    options.HoverIndex = (data[2] & 3);
    options.HoverBrushColor = (switches & 0x10) ? clYellow : clNone;
    options.HoverFontColor = (switches & 0x08) ? clRed : clNone;
    options.Images = &sources().images;
    options.PictureContainer = &sources().container;
    THTMLPictureCache cache;
    options.PictureCache = &cache;

    static QImage image(240, 120, QImage::Format_RGB32);
    image.fill(Qt::white);
    TCanvas canvas(&image);
    TMarkupResults results;
    DrawMarkup(canvas, utf8(data + 3, size - 3), {0, 0, 240, 120}, options, results);
}

void StripMarkupInput(const std::uint8_t* data, std::size_t size)
{
    QString text = utf8(data, size);
    StripMarkup(text);
    ParseControlTag(text);
    UnescapeMarkup(EscapeMarkup(text));
    SetMarkupControlValue(text, QStringLiteral("c1"), QStringLiteral("<v>"));
}

void MatchFilterInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return;
    const bool caseSensitive = data[0] & 1;
    const QString rest = utf8(data + 1, size - 1);
    const qsizetype zero = rest.indexOf(QChar(0));
    const QString pattern = zero < 0 ? rest : rest.left(zero);
    const QString text = zero < 0 ? QString() : rest.mid(zero + 1);
    MatchFilter(pattern, text, caseSensitive);
}

void ParseShortDateInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return;
    static const char* const formats[] = {"d/MM/yyyy", "M/d/yyyy", "yyyy-mm-dd", "dd.mm.yy"};
    static const char separators[] = {'/', '/', '-', '.'};
    TFormatSettings settings = TFormatSettings::Fixed();
    settings.ShortDateFormat = QLatin1String(formats[data[0] % 4]);
    settings.DateSeparator = QLatin1Char(separators[data[0] % 4]);
    TFormatSettingsGuard guard(settings);
    TDateTime date = 0;
    ParseShortDate(utf8(data + 1, size - 1), date);
}

} // namespace fuzzentry
