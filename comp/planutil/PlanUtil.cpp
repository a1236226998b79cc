// Short dates, line-break escaping, month lengths, gradients and alignment flags.
#include "comp/planutil/PlanUtil.h"

#include "platform/core/FormatSettings.h"
#include "platform/core/Math.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/DrawFlags.h"

#include <QStringList>
#include <algorithm>

namespace {

// An integer with optional surrounding spaces, as a user types a date part.
bool readNumber(const QString& part, int& value)
{
    bool ok = false;
    value = part.trimmed().toInt(&ok);
    return ok;
}

} // namespace

bool ParseShortDate(const QString& text, TDateTime& date)
{
    const TFormatSettings& fs = FormatSettings();
    const QString format = fs.ShortDateFormat.toUpper();
    const qsizetype dPos = format.indexOf(QLatin1Char('D'));
    const qsizetype mPos = format.indexOf(QLatin1Char('M'));
    const qsizetype yPos = format.indexOf(QLatin1Char('Y'));
    if (dPos < 0 || mPos < 0 || yPos < 0 || fs.DateSeparator.isNull())
        return false;

    const QStringList parts = text.split(fs.DateSeparator);
    if (parts.size() != 3)
        return false;
    int numbers[3];
    for (int i = 0; i < 3; ++i)
        if (!readNumber(parts[i], numbers[i]))
            return false;

    // Rank of each letter in the format gives the part it reads from.
    auto rank = [&](qsizetype pos) { return int(pos > dPos) + int(pos > mPos) + int(pos > yPos); };
    const int day = numbers[rank(dPos)];
    const int month = numbers[rank(mPos)];
    const int year = numbers[rank(yPos)];
    if (day >= 32 || month > 12)
        return false;
    return TryEncodeDate(year, month, day, date);
}

QString EscapeLineBreaks(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c == QLatin1Char('\r'))
            out += QLatin1String("\\n");
        else if (c != QLatin1Char('\n'))
            out += c;
    }
    return out;
}

int DaysInMonth(int month, int year)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    if (month == 2 && (year % 400 == 0 || (year % 4 == 0 && year % 100 != 0)))
        return 29;
    return days[month - 1];
}

void GradientFill(TCanvas& canvas, TColor startColor, TColor endColor, bool across, const TRect& r,
                  int steps)
{
    if (steps <= 0)
        steps = 1;
    const TColor from = ColorToRGB(startColor);
    const TColor to = ColorToRGB(endColor);
    const int r0 = GetRValue(from), g0 = GetGValue(from), b0 = GetBValue(from);
    const int dr = GetRValue(to) - r0, dg = GetGValue(to) - g0, db = GetBValue(to) - b0;
    const int start = across ? r.Left : r.Top;
    const int end = across ? r.Right : r.Bottom;
    const int extent = end - start;
    const int thickness = int(Trunc(double(extent) / steps)) + 1;

    const TPen savedPen = canvas.Pen();
    const TBrush savedBrush = canvas.Brush();
    canvas.Pen().SetStyle(TPenStyle::psSolid);
    canvas.Pen().SetWidth(1);
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    for (int i = 0; i < steps; ++i) {
        const int bandStart = start + int(Round(double(i) * extent / steps));
        // Bands beyond the rectangle's end have nothing left to paint.
        if (bandStart >= end)
            continue;
        const int bandEnd = std::min(end, bandStart + thickness);
        const TColor c =
            RGB(r0 + int(Round(double(i) * dr / steps)), g0 + int(Round(double(i) * dg / steps)),
                b0 + int(Round(double(i) * db / steps)));
        canvas.Pen().SetColor(c);
        canvas.Brush().SetColor(c);
        if (across)
            canvas.Rectangle(bandStart, r.Top, bandEnd, r.Bottom);
        else
            canvas.Rectangle(r.Left, bandStart, r.Right, bandEnd);
    }
    canvas.Pen() = savedPen;
    canvas.Brush() = savedBrush;
}

unsigned HorzAlignFlag(TAlignment alignment)
{
    switch (alignment) {
    case TAlignment::taRightJustify:
        return DT_RIGHT;
    case TAlignment::taCenter:
        return DT_CENTER;
    case TAlignment::taLeftJustify:
        break;
    }
    return DT_LEFT;
}

unsigned VertAlignFlag(TVAlignment alignment)
{
    switch (alignment) {
    case TVAlignment::vtaCenter:
        return DT_VCENTER;
    case TVAlignment::vtaBottom:
        return DT_BOTTOM;
    case TVAlignment::vtaTop:
        break;
    }
    return DT_TOP;
}
