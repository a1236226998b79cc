// Rectangles and points as the components' pixel arithmetic reads them: Left, Top, Right,
// Bottom with Right and Bottom exclusive, so Width = Right - Left. The conversion to and from
// Qt's types lives here and nowhere else.
#pragma once

#include <QPoint>
#include <QRect>

struct TPoint
{
    int X = 0;
    int Y = 0;

    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize
{
    int cx = 0;
    int cy = 0;

    friend bool operator==(const TSize&, const TSize&) = default;
};

struct TRect
{
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    TPoint TopLeft() const { return {Left, Top}; }
    TPoint BottomRight() const { return {Right, Bottom}; }
    bool Contains(TPoint p) const
    {
        return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom;
    }

    friend bool operator==(const TRect&, const TRect&) = default;
};

inline TRect Rect(int left, int top, int right, int bottom)
{
    return {left, top, right, bottom};
}
inline TRect Bounds(int left, int top, int width, int height)
{
    return {left, top, left + width, top + height};
}
inline TPoint Point(int x, int y)
{
    return {x, y};
}

// The classic rectangle helpers. InflateRect grows each side by dx/dy (negative shrinks);
// IntersectRect and UnionRect return whether the result is non-empty.
void InflateRect(TRect& r, int dx, int dy);
void OffsetRect(TRect& r, int dx, int dy);
bool IntersectRect(TRect& dst, const TRect& a, const TRect& b);
bool UnionRect(TRect& dst, const TRect& a, const TRect& b);
bool PtInRect(const TRect& r, TPoint p);

// Qt's QRect has an inclusive right/bottom; these keep the exclusive edges exact.
QRect ToQRect(const TRect& r);
TRect FromQRect(const QRect& r);
QPoint ToQPoint(TPoint p);
TPoint FromQPoint(const QPoint& p);
