// TBrush: colour and fill style with a change notification.
#include "platform/gfx/Brush.h"

#include "platform/core/RaiseEvent.h"

TBrush& TBrush::operator=(const TBrush& other)
{
    Assign(other);
    return *this;
}

void TBrush::changed()
{
    ++m_revision;
    Raise(OnChange, *this);
}

void TBrush::SetColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    changed();
}

void TBrush::SetStyle(TBrushStyle style)
{
    if (style == m_style)
        return;
    m_style = style;
    changed();
}

void TBrush::Assign(const TBrush& other)
{
    if (*this == other)
        return;
    m_color = other.m_color;
    m_style = other.m_style;
    changed();
}
