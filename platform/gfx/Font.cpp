// TFont: the stored font description and its translation into a QFont with metrics that do
// not depend on the machine.
#include "platform/gfx/Font.h"

#include "platform/core/RaiseEvent.h"

#include <QFontMetricsF>
#include <QHash>
#include <cmath>

namespace {

// a * b / c rounded half away from zero, the classic conversion between points and pixels.
int mulDiv(int a, int b, int c)
{
    const double v = double(a) * double(b) / double(c);
    return int(v < 0 ? std::ceil(v - 0.5) : std::floor(v + 0.5));
}

// The families every stored name lands on. MS Sans Serif goes to Liberation Sans: at 8 points
// (11 px) its lower-case alphabet is 142 px wide against DejaVu Sans's 161 px, close to the
// narrow bitmap face the stored layouts were made with; both cells are 12 to 13 px high.
const QHash<QString, QString>& familyMap()
{
    static const QHash<QString, QString> map = {
        {QStringLiteral("ms sans serif"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("ms shell dlg"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("ms shell dlg 2"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("arial"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("helvetica"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("symbol"), QStringLiteral("DejaVu Sans")},
        {QStringLiteral("times new roman"), QStringLiteral("Liberation Serif")},
        {QStringLiteral("times"), QStringLiteral("Liberation Serif")},
        {QStringLiteral("courier new"), QStringLiteral("Liberation Mono")},
        {QStringLiteral("courier"), QStringLiteral("Liberation Mono")},
        {QStringLiteral("tahoma"), QStringLiteral("DejaVu Sans")},
        {QStringLiteral("verdana"), QStringLiteral("DejaVu Sans")},
        {QStringLiteral("segoe ui"), QStringLiteral("DejaVu Sans")},
    };
    return map;
}

// Pixel size whose ascent + descent comes closest to a positive (cell) height.
int pixelSizeForCell(const QFont& base, int cellHeight)
{
    QFont probe = base;
    probe.setPixelSize(100);
    const QFontMetricsF m(probe);
    const double cell100 = m.ascent() + m.descent();
    int px = cell100 > 0 ? int(std::lround(cellHeight * 100.0 / cell100)) : cellHeight;
    px = std::max(1, px);
    // The hinted cell is not linear in the size; step to the largest size that fits.
    for (int guard = 0; guard < 4; ++guard) {
        probe.setPixelSize(px);
        const QFontMetrics im(probe);
        if (im.ascent() + im.descent() > cellHeight && px > 1)
            --px;
        else
            break;
    }
    return px;
}

} // namespace

TFont::TFont() : m_name(QStringLiteral("MS Sans Serif")) {}

TFont::TFont(const TFont& other)
    : m_name(other.m_name), m_height(other.m_height), m_color(other.m_color),
      m_style(other.m_style), m_charset(other.m_charset), m_orientation(other.m_orientation)
{}

TFont& TFont::operator=(const TFont& other)
{
    Assign(other);
    return *this;
}

bool operator==(const TFont& a, const TFont& b)
{
    return a.m_name == b.m_name && a.m_height == b.m_height && a.m_color == b.m_color &&
           a.m_style == b.m_style && a.m_charset == b.m_charset &&
           a.m_orientation == b.m_orientation;
}

void TFont::changed()
{
    ++m_revision;
    Raise(OnChange, *this);
}

void TFont::SetName(const QString& name)
{
    if (name == m_name)
        return;
    m_name = name;
    changed();
}

void TFont::SetHeight(int height)
{
    if (height == 0)
        height = -11;
    if (height == m_height)
        return;
    m_height = height;
    changed();
}

int TFont::Size() const
{
    return -mulDiv(m_height, 72, PixelsPerInch);
}

void TFont::SetSize(int points)
{
    SetHeight(-mulDiv(points, PixelsPerInch, 72));
}

void TFont::SetColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    changed();
}

void TFont::SetStyle(TFontStyles style)
{
    if (style == m_style)
        return;
    m_style = style;
    changed();
}

void TFont::SetCharset(int charset)
{
    if (charset == m_charset)
        return;
    m_charset = charset;
    changed();
}

void TFont::SetOrientation(int tenthsOfDegree)
{
    if (tenthsOfDegree == m_orientation)
        return;
    m_orientation = tenthsOfDegree;
    changed();
}

void TFont::Assign(const TFont& other)
{
    if (&other == this || *this == other)
        return;
    m_name = other.m_name;
    m_height = other.m_height;
    m_color = other.m_color;
    m_style = other.m_style;
    m_charset = other.m_charset;
    m_orientation = other.m_orientation;
    changed();
}

QString TFont::MapFamily(const QString& name)
{
    const auto& map = familyMap();
    const auto it = map.constFind(name.trimmed().toLower());
    return it == map.cend() ? name : *it;
}

QFont TFont::ToQFont() const
{
    QFont f(MapFamily(m_name));
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::PreferMatch));
    f.setKerning(false);
    f.setBold(m_style.Contains(TFontStyle::fsBold));
    f.setItalic(m_style.Contains(TFontStyle::fsItalic));
    f.setUnderline(m_style.Contains(TFontStyle::fsUnderline));
    f.setStrikeOut(m_style.Contains(TFontStyle::fsStrikeOut));
    if (m_height < 0)
        f.setPixelSize(-m_height);
    else
        f.setPixelSize(pixelSizeForCell(f, m_height));
    return f;
}

bool TFont::IsSymbolEncoded() const
{
    return m_name.compare(QStringLiteral("Symbol"), Qt::CaseInsensitive) == 0;
}

QString TFont::SymbolToUnicode(const QString& text)
{
    // Greek letters sit at the Latin letters' code points; J, V, j and v hold variant forms.
    static const char16_t upper[26] = {
        0x391, 0x392, 0x3A7, 0x394, 0x395, 0x3A6, 0x393, 0x397, 0x399, 0x3D1, 0x39A, 0x39B, 0x39C,
        0x39D, 0x39F, 0x3A0, 0x398, 0x3A1, 0x3A3, 0x3A4, 0x3A5, 0x3C2, 0x3A9, 0x39E, 0x3A8, 0x396};
    static const char16_t lower[26] = {
        0x3B1, 0x3B2, 0x3C7, 0x3B4, 0x3B5, 0x3C6, 0x3B3, 0x3B7, 0x3B9, 0x3D5, 0x3BA, 0x3BB, 0x3BC,
        0x3BD, 0x3BF, 0x3C0, 0x3B8, 0x3C1, 0x3C3, 0x3C4, 0x3C5, 0x3D6, 0x3C9, 0x3BE, 0x3C8, 0x3B6};
    static const QHash<char16_t, char16_t> others = {
        {0x22, 0x2200}, {0x24, 0x2203}, {0x2D, 0x2212}, {0xA3, 0x2264}, {0xA5, 0x221E},
        {0xA7, 0x2663}, {0xA8, 0x2666}, {0xA9, 0x2665}, {0xAA, 0x2660}, {0xAB, 0x2194},
        {0xAC, 0x2190}, {0xAD, 0x2191}, {0xAE, 0x2192}, {0xAF, 0x2193}, {0xB0, 0x00B0},
        {0xB1, 0x00B1}, {0xB3, 0x2265}, {0xB4, 0x00D7}, {0xB6, 0x2202}, {0xB7, 0x2022},
        {0xB8, 0x00F7}, {0xB9, 0x2260}, {0xBB, 0x2248}, {0xBC, 0x2026}, {0xD6, 0x221A},
    };
    QString out = text;
    for (QChar& ch : out) {
        const char16_t c = ch.unicode();
        if (c >= 'A' && c <= 'Z')
            ch = QChar(upper[c - 'A']);
        else if (c >= 'a' && c <= 'z')
            ch = QChar(lower[c - 'a']);
        else if (const auto it = others.constFind(c); it != others.cend())
            ch = QChar(*it);
    }
    return out;
}
