// The brush a canvas fills with: a colour and a fill style. A clear brush (or the colour
// clNone) fills nothing; the hatch styles paint only their lines, in the brush colour, and
// leave what lies between them untouched.
#pragma once

#include "platform/core/Color.h"

#include <cstdint>
#include <functional>

enum class TBrushStyle
{
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};

class TBrush
{
public:
    TBrush() = default;
    TBrush(const TBrush& other) : m_color(other.m_color), m_style(other.m_style) {}
    // Copies colour and style, not the OnChange handler.
    TBrush& operator=(const TBrush& other);

    TColor Color() const { return m_color; } // clWhite
    void SetColor(TColor color);

    TBrushStyle Style() const { return m_style; } // TBrushStyle::bsSolid
    void SetStyle(TBrushStyle style);

    // Whether a fill with this brush puts any pixel down.
    bool Fills() const { return m_style != TBrushStyle::bsClear && m_color != clNone; }

    void Assign(const TBrush& other);

    std::function<void(TBrush& sender)> OnChange;

    std::uint64_t Revision() const { return m_revision; }

    friend bool operator==(const TBrush& a, const TBrush& b)
    {
        return a.m_color == b.m_color && a.m_style == b.m_style;
    }

private:
    void changed();

    TColor m_color = clWhite;
    TBrushStyle m_style = TBrushStyle::bsSolid;
    std::uint64_t m_revision = 0;
};
