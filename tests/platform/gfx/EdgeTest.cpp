// 3-D edges and nested frames: which system colour lands on which side, corner ownership,
// and how far the rectangle is adjusted.
#include "support/CanvasImage.h"

#include <gtest/gtest.h>

namespace {

struct EdgeColours
{
    const char* name;
    unsigned edge;
    TColor outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
};

const EdgeColours edgeColourCases[] = {
    {"raised", EDGE_RAISED, cl3DLight, cl3DDkShadow, clBtnHighlight, clBtnShadow},
    {"sunken", EDGE_SUNKEN, clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight},
    {"etched", EDGE_ETCHED, clBtnShadow, clBtnHighlight, clBtnHighlight, clBtnShadow},
    {"bump", EDGE_BUMP, cl3DLight, cl3DDkShadow, cl3DDkShadow, cl3DLight},
};

TEST(EdgeDraw, SidesTakeTheirSystemColours)
{
    const TRect r{5, 5, 35, 25};
    for (const EdgeColours& c : edgeColourCases) {
        SCOPED_TRACE(c.name);
        CanvasImage img(40, 30);
        TRect rr = r;
        EXPECT_TRUE(img.Canvas().DrawEdge(rr, c.edge, BF_RECT));
        EXPECT_EQ(rr, r); // no BF_ADJUST
        EXPECT_EQ(img.Pixel(5, 15), ColorToRGB(c.outerTopLeft));
        EXPECT_EQ(img.Pixel(20, 5), ColorToRGB(c.outerTopLeft));
        EXPECT_EQ(img.Pixel(34, 15), ColorToRGB(c.outerBottomRight));
        EXPECT_EQ(img.Pixel(20, 24), ColorToRGB(c.outerBottomRight));
        EXPECT_EQ(img.Pixel(6, 15), ColorToRGB(c.innerTopLeft));
        EXPECT_EQ(img.Pixel(33, 15), ColorToRGB(c.innerBottomRight));
        // The bottom-right line owns the far corners.
        EXPECT_EQ(img.Pixel(34, 5), ColorToRGB(c.outerBottomRight));
        EXPECT_EQ(img.Pixel(5, 24), ColorToRGB(c.outerBottomRight));
        EXPECT_EQ(img.Ink({7, 7, 33, 23}), 0); // no BF_MIDDLE
    }
}

TEST(EdgeDraw, RaisedAndSunkenAreDistinguishableAtTheCorners)
{
    CanvasImage raised(20, 20), sunken(20, 20);
    TRect a{0, 0, 20, 20}, b{0, 0, 20, 20};
    raised.Canvas().DrawEdge(a, EDGE_RAISED, BF_RECT);
    sunken.Canvas().DrawEdge(b, EDGE_SUNKEN, BF_RECT);
    // A raised border is light at the top-left and dark at the bottom-right; sunken the
    // other way round.
    EXPECT_NE(raised.Pixel(1, 1), raised.Pixel(18, 18));
    EXPECT_EQ(raised.Pixel(1, 1), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(sunken.Pixel(1, 1), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(sunken.Pixel(19, 19), ColorToRGB(clBtnHighlight));
}

struct AdjustCase
{
    const char* name;
    unsigned edge;
    unsigned flags;
    TRect expected;
};

const AdjustCase adjustCases[] = {
    {"both lines all sides", EDGE_RAISED, BF_RECT | BF_ADJUST, {12, 12, 28, 28}},
    {"inner only", BDR_RAISEDINNER, BF_RECT | BF_ADJUST, {11, 11, 29, 29}},
    {"top and left only", EDGE_SUNKEN, BF_TOPLEFT | BF_ADJUST, {12, 12, 30, 30}},
    {"bottom only", BDR_SUNKENOUTER, BF_BOTTOM | BF_ADJUST, {10, 10, 30, 29}},
};

TEST(EdgeDraw, AdjustShrinksByTheDrawnBorder)
{
    for (const AdjustCase& c : adjustCases) {
        SCOPED_TRACE(c.name);
        CanvasImage img(40, 40);
        TRect r{10, 10, 30, 30};
        img.Canvas().DrawEdge(r, c.edge, c.flags);
        EXPECT_EQ(r, c.expected);
        EXPECT_EQ(img.Ink(c.expected), 0);
    }
}

TEST(EdgeDraw, OnlyTheNamedSidesAreDrawn)
{
    CanvasImage img(40, 40, clAqua); // the outer line is white
    TRect r{10, 10, 30, 30};
    img.Canvas().DrawEdge(r, EDGE_SUNKEN, BF_BOTTOM);
    EXPECT_EQ(img.InkBounds(), (TRect{10, 28, 30, 30}));
}

TEST(EdgeDraw, MiddleFlatAndMonoChangeTheColours)
{
    CanvasImage img(40, 40);
    TRect r{0, 0, 20, 20};
    img.Canvas().DrawEdge(r, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_FLAT);
    EXPECT_EQ(img.Pixel(0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(img.Pixel(19, 19), ColorToRGB(clBtnShadow));
    EXPECT_EQ(img.Pixel(1, 1), ColorToRGB(clBtnFace));
    EXPECT_EQ(img.Pixel(10, 10), ColorToRGB(clBtnFace));

    TRect m{20, 20, 40, 40};
    img.Canvas().DrawEdge(m, EDGE_SUNKEN, BF_RECT | BF_MONO);
    EXPECT_EQ(img.Pixel(20, 20), ColorToRGB(clWindowFrame));
    EXPECT_EQ(img.Pixel(39, 39), ColorToRGB(clWindowFrame));
}

TEST(EdgeDraw, EmptyRectangleDrawsNothing)
{
    CanvasImage img(10, 10);
    TRect r{5, 5, 5, 9};
    EXPECT_FALSE(img.Canvas().DrawEdge(r, EDGE_RAISED, BF_RECT));
    EXPECT_EQ(img.Ink(), 0);
}

TEST(EdgeFrame3D, NestedFramesAndShrink)
{
    CanvasImage img(30, 30);
    TRect r{2, 2, 22, 22};
    img.Canvas().Frame3D(r, clRed, clBlue, 2);
    EXPECT_EQ(r, (TRect{4, 4, 20, 20}));
    EXPECT_EQ(img.Pixel(2, 10), clRed);
    EXPECT_EQ(img.Pixel(3, 10), clRed);
    EXPECT_EQ(img.Pixel(10, 2), clRed);
    EXPECT_EQ(img.Pixel(21, 10), clBlue);
    EXPECT_EQ(img.Pixel(20, 10), clBlue);
    EXPECT_EQ(img.Pixel(21, 2), clBlue); // top-right corner belongs to the bottom colour
    EXPECT_EQ(img.Pixel(2, 21), clBlue);
    EXPECT_EQ(img.Ink(r), 0);
    EXPECT_EQ(img.InkBounds(), (TRect{2, 2, 22, 22}));
}

} // namespace
