// The colour syntax of markup attributes: "cl" names and #RRGGBB.
#include "comp/PlanHTML/PlanHTML.h"

#include <QHash>

TColor MarkupColorByName(const QString& name)
{
    static const QHash<QString, TColor> table = {
        {QStringLiteral("clred"), clRed},
        {QStringLiteral("clblack"), clBlack},
        {QStringLiteral("clblue"), clBlue},
        {QStringLiteral("clgreen"), clGreen},
        {QStringLiteral("claqua"), clAqua},
        {QStringLiteral("clyellow"), clYellow},
        {QStringLiteral("clfuchsia"), clFuchsia},
        {QStringLiteral("clwhite"), clWhite},
        {QStringLiteral("cllime"), clLime},
        {QStringLiteral("clsilver"), clSilver},
        {QStringLiteral("clgray"), clGray},
        {QStringLiteral("clolive"), clOlive},
        {QStringLiteral("clnavy"), clNavy},
        {QStringLiteral("clpurple"), clPurple},
        {QStringLiteral("clteal"), clTeal},
        {QStringLiteral("clmaroon"), clMaroon},
        {QStringLiteral("clbackground"), clBackground},
        {QStringLiteral("clactivecaption"), clActiveCaption},
        {QStringLiteral("clinactivecaption"), clInactiveCaption},
        {QStringLiteral("clmenu"), clMenu},
        {QStringLiteral("clwindow"), clWindow},
        {QStringLiteral("clwindowframe"), clWindowFrame},
        {QStringLiteral("clmenutext"), clMenuText},
        {QStringLiteral("clwindowtext"), clWindowText},
        {QStringLiteral("clcaptiontext"), clCaptionText},
        {QStringLiteral("clactiveborder"), clActiveBorder},
        {QStringLiteral("clinactiveborder"), clInactiveBorder},
        {QStringLiteral("clappworkspace"), clAppWorkSpace},
        {QStringLiteral("clhighlight"), clHighlight},
        {QStringLiteral("clhighlighttext"), clHighlightText},
        {QStringLiteral("clbtnface"), clBtnFace},
        {QStringLiteral("clbtnshadow"), clBtnShadow},
        {QStringLiteral("clgraytext"), clGrayText},
        {QStringLiteral("clbtntext"), clBtnText},
        {QStringLiteral("clinactivecaptiontext"), clInactiveCaptionText},
        {QStringLiteral("clbtnhighlight"), clBtnHighlight},
        {QStringLiteral("cl3ddkshadow"), cl3DDkShadow},
        {QStringLiteral("cl3dlight"), cl3DLight},
        {QStringLiteral("clinfotext"), clInfoText},
        {QStringLiteral("clinfobk"), clInfoBk},
    };
    return table.value(name, clBlack);
}

namespace {

int hexDigit(QChar c)
{
    // Values arrive upper-cased; anything else reads by the same arithmetic.
    const int u = c.unicode();
    return u < 'A' ? u - '0' : u - 'A' + 10;
}

int hexPair(const QString& value, qsizetype at)
{
    if (at + 1 >= value.size())
        return 0;
    return hexDigit(value[at]) * 16 + hexDigit(value[at + 1]);
}

} // namespace

TColor MarkupHexColor(const QString& value)
{
    const int r = hexPair(value, 1);
    const int g = hexPair(value, 3);
    const int b = hexPair(value, 5);
    // Garbage digits give values outside 0..255; only the colour's own bytes are kept.
    return (TColor(r) + TColor(g) * 256u + TColor(b) * 65536u) & 0x00FFFFFFu;
}
