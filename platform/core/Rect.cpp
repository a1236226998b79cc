// Rectangle helpers and the single conversion between our exclusive-edge rectangles and Qt's.
#include "platform/core/Rect.h"

#include <algorithm>

void InflateRect(TRect& r, int dx, int dy)
{
    r.Left -= dx;
    r.Top -= dy;
    r.Right += dx;
    r.Bottom += dy;
}

void OffsetRect(TRect& r, int dx, int dy)
{
    r.Left += dx;
    r.Right += dx;
    r.Top += dy;
    r.Bottom += dy;
}

bool IntersectRect(TRect& dst, const TRect& a, const TRect& b)
{
    dst = {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
           std::min(a.Bottom, b.Bottom)};
    if (dst.IsEmpty()) {
        dst = {};
        return false;
    }
    return true;
}

bool UnionRect(TRect& dst, const TRect& a, const TRect& b)
{
    if (a.IsEmpty())
        dst = b;
    else if (b.IsEmpty())
        dst = a;
    else
        dst = {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
               std::max(a.Bottom, b.Bottom)};
    if (dst.IsEmpty()) {
        dst = {};
        return false;
    }
    return true;
}

bool PtInRect(const TRect& r, TPoint p)
{
    return r.Contains(p);
}

QRect ToQRect(const TRect& r)
{
    return QRect(QPoint(r.Left, r.Top), QSize(r.Width(), r.Height()));
}

TRect FromQRect(const QRect& r)
{
    return Bounds(r.x(), r.y(), r.width(), r.height());
}

QPoint ToQPoint(TPoint p)
{
    return QPoint(p.X, p.Y);
}

TPoint FromQPoint(const QPoint& p)
{
    return {p.x(), p.y()};
}
