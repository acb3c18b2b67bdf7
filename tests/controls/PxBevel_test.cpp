// Bevel widths for every mode and style, and the drawn borders of the command bar's single raised
// line, custom bevels and the transparent plain borders, against pixel models.
#include "controls/PxBevel.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/Sheet.h"

namespace plexon {
namespace {

using enum TPxBevelStyle;

using test::Sheet;

TEST(BevelWidth, EveryModeAndStandardStyle) {
    TPxBevel bevel;
    EXPECT_EQ(bevel.Width(), 0);  // custom, no bevels: the About separator
    const std::pair<TPxBorderStyle, int> standard[] = {
        {lsNone, 0},          {lsSingle, 1},       {lsLowered, 2},      {lsRaised, 2},
        {lsRaisedspb, 2},     {lsLoweredspb, 2},   {lsRaisedExt, 2},    {lsLoweredExt, 2},
        {lsFrameInset, 2},    {lsFrameOffset, 2},  {lsWindowBorder, 2}, {lsSingleRaised, 1},
        {lsSingleLowered, 1}, {lsDoubleRaised, 2}, {lsDoubleLowered, 2}};
    bevel.SetMode(bmStandard);
    bevel.SetBorderInnerWidth(3);
    for (auto [style, width] : standard) {
        bevel.SetStandardStyle(style);
        EXPECT_EQ(bevel.Width(), width + 3) << int(style);
    }
    bevel.SetMode(bmEdge);
    EXPECT_EQ(bevel.Width(), 5);
    bevel.SetBorderSides(TPxFrameSides::None);
    EXPECT_EQ(bevel.Width(), 3);
    bevel.SetMode(bmWindows);
    EXPECT_EQ(bevel.Width(), 5);
    bevel.SetMode(bmCustom);
    bevel.SetBorderInnerWidth(0);
    bevel.SetBorderWidth(2);
    bevel.SetStyleOuter(bvRaised);
    bevel.SetWidthOuter(4);
    bevel.SetStyleInner(bvFrameLowered);
    bevel.SetWidthInner(60);  // at most 50
    EXPECT_EQ(bevel.Width(), 2 + 4 + 50 + 1);
}

TEST(BevelDrawing, SingleRaisedIsWhiteTopLeftAndGreyBottomRight) {
    TPxBevel bevel;
    bevel.SetMode(bmStandard);
    bevel.SetStandardStyle(lsSingleRaised);
    Sheet sheet(12, 9, clRed);
    const gdi::RECT inner = bevel.Draw(sheet.Dc(), {0, 0, 12, 9}, false);
    EXPECT_EQ(test::Edges(inner), (std::array<int, 4>{1, 1, 11, 8}));
    const gdi::COLORREF light = ResolveColor(clBtnHighlight), shadow = ResolveColor(clBtnShadow);
    EXPECT_TRUE(sheet.Matches({0, 0, 12, 9}, [&](int x, int y) {
        if (x == 11 || y == 8) return shadow;
        if (x == 0 || y == 0) return light;
        return ResolveColor(clRed);
    }));
}

TEST(BevelDrawing, CustomBevelsMeetOnTheDiagonalsAndPlainBordersCanStayUndrawn) {
    TPxBevel bevel;
    bevel.SetStyleOuter(bvRaised);
    bevel.SetWidthOuter(3);
    bevel.SetBorderWidth(1);
    bevel.SetBorderColor(clNavy);
    bevel.SetLightColor(clWhite);
    bevel.SetShadowColor(clBlack);
    for (bool transparent : {false, true}) {
        Sheet sheet(14, 10, clRed);
        EXPECT_EQ(test::Edges(bevel.Draw(sheet.Dc(), {0, 0, 14, 10}, transparent)),
                  (std::array<int, 4>{4, 4, 10, 6}));
        EXPECT_TRUE(sheet.Matches({0, 0, 14, 10}, [&](int x, int y) -> gdi::COLORREF {
            const int ring = std::min({x, y, 13 - x, 9 - y});
            if (ring >= 4) return ResolveColor(clRed);
            if (ring == 3) return transparent ? ResolveColor(clRed) : ResolveColor(clNavy);
            // Top-left band where the pixel is nearer the top or left edge, counting the corners
            // at the top right and bottom left to the bottom-right colour.
            const bool topLeft = (y == ring && x < 13 - ring) || (x == ring && y > ring);
            return topLeft ? 0xFFFFFFu : 0u;
        })) << transparent;
    }
}

}  // namespace
}  // namespace plexon
