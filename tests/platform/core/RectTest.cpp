// Exclusive-edge rectangles and their one conversion to Qt's inclusive ones.
#include "platform/core/Rect.h"

#include <gtest/gtest.h>

TEST(RectTest, QtConversionKeepsExclusiveEdges)
{
    const TRect r = Rect(10, 20, 30, 25);
    const QRect q = ToQRect(r);
    EXPECT_EQ(q.left(), 10);
    EXPECT_EQ(q.right(), 29); // Qt's right is the last pixel inside
    EXPECT_EQ(q.width(), 20);
    EXPECT_EQ(q.height(), 5);
    EXPECT_EQ(FromQRect(q), r);
    EXPECT_EQ(FromQRect(QRect()), Rect(0, 0, 0, 0));
}

TEST(RectTest, ContainsExcludesRightAndBottom)
{
    const TRect r = Rect(0, 0, 10, 10);
    EXPECT_TRUE(PtInRect(r, Point(0, 0)));
    EXPECT_TRUE(PtInRect(r, Point(9, 9)));
    EXPECT_FALSE(PtInRect(r, Point(10, 5)));
    EXPECT_FALSE(PtInRect(r, Point(5, 10)));
    EXPECT_FALSE(PtInRect(Rect(5, 5, 5, 9), Point(5, 5)));
}

TEST(RectTest, IntersectAndUnion)
{
    struct Case
    {
        TRect a, b, intersection;
        bool overlaps;
        TRect unionRect;
    };
    const Case cases[] = {
        {Rect(0, 0, 10, 10), Rect(5, 5, 15, 15), Rect(5, 5, 10, 10), true, Rect(0, 0, 15, 15)},
        // Touching edges share no pixel.
        {Rect(0, 0, 10, 10), Rect(10, 0, 20, 10), Rect(0, 0, 0, 0), false, Rect(0, 0, 20, 10)},
        // An empty rectangle does not stretch a union.
        {Rect(0, 0, 10, 10), Rect(50, 50, 50, 60), Rect(0, 0, 0, 0), false, Rect(0, 0, 10, 10)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.b.Left);
        TRect dst;
        EXPECT_EQ(IntersectRect(dst, c.a, c.b), c.overlaps);
        EXPECT_EQ(dst, c.intersection);
        EXPECT_TRUE(UnionRect(dst, c.a, c.b));
        EXPECT_EQ(dst, c.unionRect);
    }
}

TEST(RectTest, InflateAndOffset)
{
    TRect r = Bounds(10, 10, 20, 5);
    InflateRect(r, -2, 1);
    EXPECT_EQ(r, Rect(12, 9, 28, 16));
    OffsetRect(r, 3, -4);
    EXPECT_EQ(r, Rect(15, 5, 31, 12));
}
