// The system colour table and the colour arithmetic shared by every view.
#include "platform/core/Color.h"

#include "platform/core/Math.h"

#include <QGuiApplication>
#include <QPalette>
#include <array>

namespace {

// The classic light grey desktop; used before there is an application and by tests that
// must not depend on the platform style.
constexpr std::array<TColor, SystemColorCount> classicColors = {
    RGB(200, 200, 200), // scroll bar
    RGB(0, 128, 128),   // desktop background
    RGB(0, 0, 128),     // active caption
    RGB(128, 128, 128), // inactive caption
    RGB(212, 208, 200), // menu
    RGB(255, 255, 255), // window
    RGB(0, 0, 0),       // window frame
    RGB(0, 0, 0),       // menu text
    RGB(0, 0, 0),       // window text
    RGB(255, 255, 255), // caption text
    RGB(212, 208, 200), // active border
    RGB(212, 208, 200), // inactive border
    RGB(128, 128, 128), // application workspace
    RGB(10, 36, 106),   // highlight
    RGB(255, 255, 255), // highlight text
    RGB(212, 208, 200), // button face
    RGB(128, 128, 128), // button shadow
    RGB(128, 128, 128), // grey text
    RGB(0, 0, 0),       // button text
    RGB(212, 208, 200), // inactive caption text
    RGB(255, 255, 255), // button highlight
    RGB(64, 64, 64),    // 3-D dark shadow
    RGB(212, 208, 200), // 3-D light
    RGB(0, 0, 0),       // info text
    RGB(255, 255, 225), // info background
};

std::array<TColor, SystemColorCount>& table()
{
    static std::array<TColor, SystemColorCount> colors = classicColors;
    return colors;
}

} // namespace

void TSystemColors::LoadClassic()
{
    table() = classicColors;
}

void TSystemColors::LoadFromPalette()
{
    if (!qGuiApp) {
        LoadClassic();
        return;
    }
    const QPalette pal = QGuiApplication::palette();
    auto c = [&](QPalette::ColorGroup group, QPalette::ColorRole role) {
        return FromQColor(pal.color(group, role));
    };
    using G = QPalette;
    auto& t = table();
    t = classicColors; // roles the palette has no word for keep their classic value
    t[clWindow - clSystemColor] = c(G::Active, G::Base);
    t[clWindowText - clSystemColor] = c(G::Active, G::Text);
    t[clMenu - clSystemColor] = c(G::Active, G::Window);
    t[clMenuText - clSystemColor] = c(G::Active, G::WindowText);
    t[clHighlight - clSystemColor] = c(G::Active, G::Highlight);
    t[clHighlightText - clSystemColor] = c(G::Active, G::HighlightedText);
    t[clBtnFace - clSystemColor] = c(G::Active, G::Button);
    t[clBtnText - clSystemColor] = c(G::Active, G::ButtonText);
    t[clBtnShadow - clSystemColor] = c(G::Active, G::Dark);
    t[clBtnHighlight - clSystemColor] = c(G::Active, G::Light);
    t[cl3DDkShadow - clSystemColor] = c(G::Active, G::Shadow);
    t[cl3DLight - clSystemColor] = c(G::Active, G::Midlight);
    t[clGrayText - clSystemColor] = c(G::Disabled, G::Text);
    t[clInfoText - clSystemColor] = c(G::Active, G::ToolTipText);
    t[clInfoBk - clSystemColor] = c(G::Active, G::ToolTipBase);
    t[clActiveBorder - clSystemColor] = c(G::Active, G::Window);
    t[clInactiveBorder - clSystemColor] = c(G::Inactive, G::Window);
    t[clAppWorkSpace - clSystemColor] = c(G::Active, G::Mid);
    t[clWindowFrame - clSystemColor] = c(G::Active, G::Shadow);
}

TColor TSystemColors::Get(int index)
{
    if (index < 0 || index >= SystemColorCount)
        return clBlack;
    return table()[std::size_t(index)];
}

void TSystemColors::Set(int index, TColor rgb)
{
    if (index < 0 || index >= SystemColorCount)
        return;
    table()[std::size_t(index)] = rgb & 0xFFFFFFu;
}

TColor ColorToRGB(TColor c)
{
    if (IsSystemColor(c))
        return TSystemColors::Get(int(c & 0xFFu));
    if (c == clNone || c == clDefault)
        return clBlack;
    return c & 0xFFFFFFu;
}

TColor BlendColor(TColor a, TColor b, int percent)
{
    if (percent == 100)
        return a;
    const TColor ra = ColorToRGB(a);
    const TColor rb = ColorToRGB(b);
    const double f = percent / 100.0;
    auto mix = [f](int x, int y) { return int(Round(f * x + (1.0 - f) * y)); };
    return RGB(mix(GetRValue(ra), GetRValue(rb)), mix(GetGValue(ra), GetGValue(rb)),
               mix(GetBValue(ra), GetBValue(rb)));
}

QColor ToQColor(TColor c)
{
    if (c == clNone)
        return QColor(Qt::transparent);
    const TColor rgb = ColorToRGB(c);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TColor FromQColor(const QColor& c)
{
    if (!c.isValid() || c.alpha() == 0)
        return clNone;
    return RGB(c.red(), c.green(), c.blue());
}
