// The pen a canvas draws lines and outlines with. A 1-pixel pen is exactly one pixel wide
// and its dash patterns are fixed pixel counts, so outlines come out the same everywhere.
#pragma once

#include "platform/core/Color.h"

#include <cstdint>
#include <functional>

// Dash patterns of a 1-pixel pen, in pixels on/off along the line's major axis:
// psDash 18/6, psDot 1/1 (every other pixel), psDashDot 9/6/3/6, psDashDotDot 9/3/3/3/3/3.
// Wider pens draw every style solid. psInsideFrame keeps a wide outline inside the shape's
// rectangle, which every outline here does anyway.
enum class TPenStyle
{
    psSolid,
    psDash,
    psDot,
    psDashDot,
    psDashDotDot,
    psClear,
    psInsideFrame
};

// How the pen (and the brush of shapes drawn with it) combines with what is there:
// copy, invert the destination, XOR, AND (mask) or OR (merge) with the pen colour.
enum class TPenMode
{
    pmCopy,
    pmNot,
    pmXor,
    pmMask,
    pmMerge
};

class TPen
{
public:
    TPen() = default;
    TPen(const TPen& other)
        : m_color(other.m_color), m_width(other.m_width), m_style(other.m_style),
          m_mode(other.m_mode)
    {}
    // Copies colour, width, style and mode, not the OnChange handler.
    TPen& operator=(const TPen& other);

    TColor Color() const { return m_color; } // clBlack
    void SetColor(TColor color);

    // Values below 1 count as 1.
    int Width() const { return m_width; } // 1
    void SetWidth(int width);

    TPenStyle Style() const { return m_style; } // TPenStyle::psSolid
    void SetStyle(TPenStyle style);

    TPenMode Mode() const { return m_mode; } // TPenMode::pmCopy
    void SetMode(TPenMode mode);

    // Whether lines drawn with this pen put any pixel down.
    bool Draws() const { return m_style != TPenStyle::psClear && m_color != clNone; }

    void Assign(const TPen& other);

    std::function<void(TPen& sender)> OnChange;

    std::uint64_t Revision() const { return m_revision; }

    friend bool operator==(const TPen& a, const TPen& b)
    {
        return a.m_color == b.m_color && a.m_width == b.m_width && a.m_style == b.m_style &&
               a.m_mode == b.m_mode;
    }

private:
    void changed();

    TColor m_color = clBlack;
    int m_width = 1;
    TPenStyle m_style = TPenStyle::psSolid;
    TPenMode m_mode = TPenMode::pmCopy;
    std::uint64_t m_revision = 0;
};
