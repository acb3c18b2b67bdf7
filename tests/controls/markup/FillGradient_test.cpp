// FillGradient: band colours rounded half to even, band positions, both directions, the border.
#include "controls/markup/FillGradient.h"

#include <gtest/gtest.h>

#include <vector>

#include "controls/markup/MarkupTestSupport.h"

namespace plexon {
namespace {

TEST(FillGradient, BandsStepTowardTheEndColourWithoutReachingIt) {
    test::MarkupSheet sheet(10, 10);
    FillGradient(sheet.Canvas(), clBlack, clWhite, TGradientDirection::Horizontal, {0, 0, 8, 10}, 4);
    std::vector<int> reds;
    for (int x = 0; x < 9; ++x) reds.push_back(gdi::GetRValue(sheet.At(x, 5)));
    // 255 / 4 per band: 0, 63.75, 127.5 and 191.25 rounded; each band two pixels wide.
    EXPECT_EQ(reds, (std::vector<int>{0, 0, 64, 64, 128, 128, 191, 191, 255}));

    sheet.Clear();
    FillGradient(sheet.Canvas(), clBlue, clRed, TGradientDirection::Vertical, {0, 0, 10, 10}, 0, clBlack);
    EXPECT_EQ(sheet.At(5, 5), gdi::RGB(0, 0, 255));  // 0 steps is one band in the start colour
    EXPECT_EQ(sheet.At(0, 5), gdi::RGB(0, 0, 0));    // the border
    EXPECT_EQ(sheet.At(9, 9), gdi::RGB(0, 0, 0));
}

}  // namespace
}  // namespace plexon
