// TPen: colour, width, dash style and raster mode with a change notification.
#include "platform/gfx/Pen.h"

#include "platform/core/RaiseEvent.h"

#include <algorithm>

TPen& TPen::operator=(const TPen& other)
{
    Assign(other);
    return *this;
}

void TPen::changed()
{
    ++m_revision;
    Raise(OnChange, *this);
}

void TPen::SetColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    changed();
}

void TPen::SetWidth(int width)
{
    width = std::max(1, width);
    if (width == m_width)
        return;
    m_width = width;
    changed();
}

void TPen::SetStyle(TPenStyle style)
{
    if (style == m_style)
        return;
    m_style = style;
    changed();
}

void TPen::SetMode(TPenMode mode)
{
    if (mode == m_mode)
        return;
    m_mode = mode;
    changed();
}

void TPen::Assign(const TPen& other)
{
    if (*this == other)
        return;
    m_color = other.m_color;
    m_width = other.m_width;
    m_style = other.m_style;
    m_mode = other.m_mode;
    changed();
}
