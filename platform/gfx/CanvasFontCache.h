// What a canvas derives from its font and keeps until the font's next change: the QFont,
// its metrics and the few numbers every text call needs. Private to the canvas's sources.
#pragma once

#include "platform/gfx/Canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <cstdint>
#include <optional>

struct TCanvas::FontCache
{
    std::uint64_t revision = ~std::uint64_t(0);
    QFont font;
    std::optional<QFontMetrics> metrics;
    int ascent = 0;
    int height = 0;
    int leading = 0;
    int tabWidth = 1;
    bool symbol = false;
};
