// DrawEdge: the colours of every line kind, their places, the soft, flat, mono and middle flags,
// chosen sides and the adjusted rectangle.
#include <gtest/gtest.h>

#include "DrawingTestSupport.h"
#include "platform/gdi/Edges.h"
#include "platform/gdi/SystemColors.h"

namespace plexon::gdi {
namespace {

using test::Canvas;
using test::kWhite;

const COLORREF kLight = GetSysColor(COLOR_3DLIGHT), kDark = GetSysColor(COLOR_3DDKSHADOW),
               kShadow = GetSysColor(COLOR_BTNSHADOW), kHighlight = GetSysColor(COLOR_BTNHIGHLIGHT),
               kFace = GetSysColor(COLOR_BTNFACE);

struct Sides {
    COLORREF top, left, bottom, right;
};

// The colours halfway along each side of the ring `inset` pixels inside (1, 1, 10, 8).
Sides Ring(HDC dc, int inset) {
    return {GetPixel(dc, 5, 1 + inset), GetPixel(dc, 1 + inset, 4), GetPixel(dc, 5, 7 - inset),
            GetPixel(dc, 9 - inset, 4)};
}

void ExpectRing(HDC dc, int inset, COLORREF topLeft, COLORREF bottomRight, const char* what) {
    const Sides sides = Ring(dc, inset);
    EXPECT_EQ(sides.top, topLeft) << what;
    EXPECT_EQ(sides.left, topLeft) << what;
    EXPECT_EQ(sides.bottom, bottomRight) << what;
    EXPECT_EQ(sides.right, bottomRight) << what;
}

COLORREF Draw(UINT edge, UINT flags, int inset, Sides* sides, RECT* after = nullptr) {
    Canvas canvas(test::WhiteBitmap(11, 9));
    RECT r{1, 1, 10, 8};
    EXPECT_TRUE(DrawEdge(canvas.dc(), &r, edge, flags));
    *sides = Ring(canvas.dc(), inset);
    if (after) *after = r;
    return GetPixel(canvas.dc(), 5, 4);  // the middle
}

TEST(EdgeColours, FollowTheClassicSchemeForEveryLineKind) {
    struct Case {
        UINT edge;
        COLORREF outerTL, outerBR, innerTL, innerBR;
    } cases[] = {{EDGE_RAISED, kLight, kDark, kHighlight, kShadow},
                 {EDGE_SUNKEN, kShadow, kHighlight, kDark, kLight},
                 {EDGE_ETCHED, kShadow, kHighlight, kHighlight, kShadow},
                 {EDGE_BUMP, kLight, kDark, kDark, kLight}};
    for (const Case& c : cases) {
        Canvas canvas(test::WhiteBitmap(11, 9));
        RECT r{1, 1, 10, 8};
        DrawEdge(canvas.dc(), &r, c.edge, BF_RECT);
        ExpectRing(canvas.dc(), 0, c.outerTL, c.outerBR, "outer");
        ExpectRing(canvas.dc(), 1, c.innerTL, c.innerBR, "inner");
        EXPECT_EQ(GetPixel(canvas.dc(), 5, 4), kWhite);  // no middle without BF_MIDDLE
        EXPECT_EQ(GetPixel(canvas.dc(), 0, 0), kWhite);  // nothing outside
        EXPECT_EQ(GetPixel(canvas.dc(), 10, 8), kWhite);
    }
}

TEST(EdgeColours, AnInnerLineAloneTakesTheOuterPosition) {
    Sides sides;
    Draw(BDR_RAISEDINNER, BF_RECT, 0, &sides);
    EXPECT_EQ(sides.top, kHighlight);
    EXPECT_EQ(sides.right, kShadow);
    Draw(BDR_SUNKENINNER, BF_RECT, 0, &sides);
    EXPECT_EQ(sides.left, kDark);
    EXPECT_EQ(sides.bottom, kLight);
}

TEST(EdgeCorners, BelongToTheBottomAndRightLines) {
    Canvas canvas(test::WhiteBitmap(11, 9));
    RECT r{1, 1, 10, 8};
    DrawEdge(canvas.dc(), &r, BDR_RAISEDOUTER, BF_RECT);
    EXPECT_EQ(GetPixel(canvas.dc(), 1, 1), kLight);
    EXPECT_EQ(GetPixel(canvas.dc(), 9, 1), kDark);
    EXPECT_EQ(GetPixel(canvas.dc(), 1, 7), kDark);
    EXPECT_EQ(GetPixel(canvas.dc(), 9, 7), kDark);
}

TEST(EdgeFlags, SoftSwapsTheTopLeftColoursOfOuterAndInner) {
    Sides outer, inner;
    Draw(EDGE_RAISED, BF_RECT | BF_SOFT, 0, &outer);
    Draw(EDGE_RAISED, BF_RECT | BF_SOFT, 1, &inner);
    EXPECT_EQ(outer.top, kHighlight);
    EXPECT_EQ(inner.top, kLight);
    EXPECT_EQ(outer.bottom, kDark);
    Draw(EDGE_SUNKEN, BF_RECT | BF_SOFT, 0, &outer);
    Draw(EDGE_SUNKEN, BF_RECT | BF_SOFT, 1, &inner);
    EXPECT_EQ(outer.left, kDark);
    EXPECT_EQ(inner.left, kShadow);
}

TEST(EdgeFlags, FlatMonoAndMiddleUseShadowFrameAndFaceColours) {
    Sides sides;
    EXPECT_EQ(Draw(EDGE_RAISED, BF_RECT | BF_FLAT | BF_MIDDLE, 0, &sides), kFace);
    EXPECT_EQ(sides.top, kShadow);
    EXPECT_EQ(sides.bottom, kShadow);
    Draw(EDGE_RAISED, BF_RECT | BF_FLAT, 1, &sides);
    EXPECT_EQ(sides.left, kFace);
    EXPECT_EQ(Draw(EDGE_SUNKEN, BF_RECT | BF_MONO | BF_MIDDLE, 0, &sides), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(sides.right, GetSysColor(COLOR_WINDOWFRAME));
}

TEST(EdgeFlags, OnlyTheChosenSidesAreDrawnAndAdjusted) {
    Canvas canvas(test::WhiteBitmap(11, 9));
    RECT r{1, 1, 10, 8};
    DrawEdge(canvas.dc(), &r, EDGE_SUNKEN, BF_TOPLEFT | BF_ADJUST);
    EXPECT_EQ(r.left, 3);
    EXPECT_EQ(r.top, 3);
    EXPECT_EQ(r.right, 10);
    EXPECT_EQ(r.bottom, 8);
    const Sides sides = Ring(canvas.dc(), 0);
    EXPECT_EQ(sides.top, kShadow);
    EXPECT_EQ(sides.bottom, kWhite);
    EXPECT_EQ(sides.right, kWhite);
    RECT single{1, 1, 10, 8};
    DrawEdge(canvas.dc(), &single, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
    EXPECT_EQ(single.left, 2);
    EXPECT_EQ(single.right, 9);
}

TEST(EdgeInput, EmptyRectanglesDrawNothingAndStayAsTheyAre) {
    Canvas canvas(test::WhiteBitmap(7, 3));
    RECT empty{5, 2, 1, 2};
    EXPECT_TRUE(DrawEdge(canvas.dc(), &empty, EDGE_RAISED, BF_RECT | BF_ADJUST | BF_MIDDLE));
    EXPECT_EQ(empty.left, 5);
    EXPECT_EQ(test::CountPixels(canvas.dc(), 7, 3, kWhite), 21);
    RECT tiny{0, 0, 1, 1};  // too small for an inner line: only the outer one
    EXPECT_TRUE(DrawEdge(canvas.dc(), &tiny, EDGE_RAISED, BF_RECT | BF_MIDDLE));
    EXPECT_EQ(GetPixel(canvas.dc(), 0, 0), kDark);
    EXPECT_FALSE(DrawEdge(canvas.dc(), nullptr, EDGE_RAISED, BF_RECT));
}

}  // namespace
}  // namespace plexon::gdi
