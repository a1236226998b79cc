// Colours as the components speak of them: a 32-bit 0x00BBGGRR value (red in the lowest
// byte). Values 0xFF0000nn name system colour nn and are resolved through one table that is
// filled from the application palette; clNone means "no colour: do not draw this fill".
#pragma once

#include <QColor>
#include <cstdint>

using TColor = std::uint32_t;

// Standard colours.
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clMoneyGreen = 0xC0DCC0;
inline constexpr TColor clSkyBlue = 0xF0CAA6;
inline constexpr TColor clCream = 0xF0FBFF;
inline constexpr TColor clMedGray = 0xA4A0A0;
inline constexpr TColor clLtGray = clSilver;
inline constexpr TColor clDkGray = clGray;

inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

// System colours: 0xFF000000 + index.
inline constexpr TColor clSystemColor = 0xFF000000;
inline constexpr TColor clScrollBar = clSystemColor + 0;
inline constexpr TColor clBackground = clSystemColor + 1;
inline constexpr TColor clActiveCaption = clSystemColor + 2;
inline constexpr TColor clInactiveCaption = clSystemColor + 3;
inline constexpr TColor clMenu = clSystemColor + 4;
inline constexpr TColor clWindow = clSystemColor + 5;
inline constexpr TColor clWindowFrame = clSystemColor + 6;
inline constexpr TColor clMenuText = clSystemColor + 7;
inline constexpr TColor clWindowText = clSystemColor + 8;
inline constexpr TColor clCaptionText = clSystemColor + 9;
inline constexpr TColor clActiveBorder = clSystemColor + 10;
inline constexpr TColor clInactiveBorder = clSystemColor + 11;
inline constexpr TColor clAppWorkSpace = clSystemColor + 12;
inline constexpr TColor clHighlight = clSystemColor + 13;
inline constexpr TColor clHighlightText = clSystemColor + 14;
inline constexpr TColor clBtnFace = clSystemColor + 15;
inline constexpr TColor clBtnShadow = clSystemColor + 16;
inline constexpr TColor clGrayText = clSystemColor + 17;
inline constexpr TColor clBtnText = clSystemColor + 18;
inline constexpr TColor clInactiveCaptionText = clSystemColor + 19;
inline constexpr TColor clBtnHighlight = clSystemColor + 20;
inline constexpr TColor cl3DDkShadow = clSystemColor + 21;
inline constexpr TColor cl3DLight = clSystemColor + 22;
inline constexpr TColor clInfoText = clSystemColor + 23;
inline constexpr TColor clInfoBk = clSystemColor + 24;
inline constexpr int SystemColorCount = 25;

inline constexpr bool IsSystemColor(TColor c)
{
    return (c & 0xFF000000u) == clSystemColor;
}

inline constexpr TColor RGB(int r, int g, int b)
{
    return TColor(r & 0xFF) | (TColor(g & 0xFF) << 8) | (TColor(b & 0xFF) << 16);
}
inline constexpr int GetRValue(TColor c)
{
    return int(c & 0xFF);
}
inline constexpr int GetGValue(TColor c)
{
    return int((c >> 8) & 0xFF);
}
inline constexpr int GetBValue(TColor c)
{
    return int((c >> 16) & 0xFF);
}

// The table of system colours. It starts filled from the application palette (or fixed
// classic values when there is no application yet); tests and themes may set entries.
class TSystemColors
{
public:
    // Refills every entry from QGuiApplication's palette.
    static void LoadFromPalette();
    // Puts back the fixed classic values, independent of the platform style.
    static void LoadClassic();
    static TColor Get(int index);
    static void Set(int index, TColor rgb);
};

// A plain 0x00BBGGRR value for any colour: system colours are looked up, clNone and
// clDefault and unknown system indexes give black. Bits above the RGB bytes are dropped.
TColor ColorToRGB(TColor c);

// The blend of two colours: with percent 100 exactly `a`; otherwise each of red, green and
// blue is round(percent/100 * a + (1 - percent/100) * b) after resolving system colours,
// rounding halves to even.
TColor BlendColor(TColor a, TColor b, int percent);

// Conversion to and from Qt; the only place where TColor meets QColor.
QColor ToQColor(TColor c);
TColor FromQColor(const QColor& c);
