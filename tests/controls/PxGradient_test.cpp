// Gradient colour tables (two colours, runs through a list), the settings object's notifications,
// and the painting of tables in bands and nested shapes, compared with models of the formulas.
#include "controls/PxGradient.h"

#include <gtest/gtest.h>

#include "platform/gdi/Raster.h"
#include "support/Sheet.h"

namespace plexon {
namespace {

using test::Sheet;

TEST(GradientTable, WhiteToSkyBlueIn64StepsFollowsTheChannelFormula) {
    TPxGradient gradient;
    gradient.SetColor(clWhite);
    gradient.SetEndColor(clSkyBlue);
    gradient.SetColorCount(64);
    ASSERT_EQ(gradient.Colors().size(), 64u);
    for (int k = 0; k < 64; ++k) {
        const gdi::COLORREF want =
            gdi::RGB(std::uint8_t(255 + gdi::MulDiv(k, -89, 63)), std::uint8_t(255 + gdi::MulDiv(k, -53, 63)),
                     std::uint8_t(255 + gdi::MulDiv(k, -15, 63)));
        EXPECT_EQ(gradient.Colors()[std::size_t(k)], want) << k;
    }
    EXPECT_EQ(gradient.Colors().back(), ResolveColor(clSkyBlue));
}

TEST(GradientTable, TheAboutSeparatorRunsThroughItsListIn83Colours) {
    TPxGradient gradient;
    gradient.SetColorCount(128);
    gradient.SetColorList({clWhite, 8404992, clWhite});
    gradient.SetTwoColors(false);
    const GradientTable& table = gradient.Colors();
    ASSERT_EQ(table.size(), 83u);  // 42 down, 41 back: a continuing run skips the meeting colour
    EXPECT_EQ(table[0], 0xFFFFFFu);
    EXPECT_EQ(table[41], gdi::RGB(0, 64, 128));
    EXPECT_EQ(table[42],
              gdi::RGB(std::uint8_t(0 + gdi::MulDiv(1, 255, 41)), std::uint8_t(64 + gdi::MulDiv(1, 191, 41)),
                       std::uint8_t(128 + gdi::MulDiv(1, 127, 41))));
    EXPECT_EQ(table[82], 0xFFFFFFu);
    // Fewer steps than listed colours: runs of no colour, nothing to paint.
    gradient.SetColorCount(2);
    EXPECT_TRUE(gradient.Colors().empty());
    Sheet sheet(5, 5);
    PaintGradient(sheet.Dc(), {0, 0, 5, 5}, gstVertical, 0, nullptr, gradient.Colors());
    EXPECT_TRUE(sheet.Matches({0, 0, 5, 5}, [](int, int) { return 0xFFFFFFu; }));
}

TEST(GradientSettings, OnlyRealChangesNotifyAndABracketNotifiesOnce) {
    TPxGradient gradient;
    int notes = 0;
    gradient.OnChange = [&] { ++notes; };
    gradient.SetColor(clBlue);  // the default
    gradient.SetColorCount(16);
    EXPECT_EQ(notes, 0);
    gradient.SetColorCount(500);  // brought into range
    EXPECT_EQ(gradient.ColorCount(), 236);
    EXPECT_EQ(notes, 1);
    gradient.BeginUpdate();
    gradient.SetColor(clRed);
    gradient.SetEndColor(clLime);
    gradient.SetColorCount(3);
    EXPECT_EQ(notes, 1);
    EXPECT_EQ(gradient.Colors()[1],
              gdi::RGB(127, 128, 0));  // recomputed inside the bracket; halves away from 0
    gradient.EndUpdate(true);
    EXPECT_EQ(notes, 2);
    TPxGradient copy;
    int copied = 0;
    copy.OnChange = [&] { ++copied; };
    copy.Assign(gradient);
    EXPECT_EQ(copied, 1);
    EXPECT_EQ(copy.Colors(), gradient.Colors());
    gradient.SetPaletteRealize(true);
    EXPECT_NE(gradient.Palette(), nullptr);
}

// Index of the band of a 64-colour table over n pixels holding pixel p.
int BandOf(int p, int n, int c) {
    int i = 0;
    while (!(gdi::MulDiv(i, n, c) <= p && p < gdi::MulDiv(i + 1, n, c))) ++i;
    return i;
}

TEST(PaintGradient, BandsFollowMulDivAndSomeColoursGetNoRow) {
    TPxGradient gradient;
    gradient.SetColor(clWhite);
    gradient.SetEndColor(clSkyBlue);
    gradient.SetColorCount(64);
    const GradientTable& table = gradient.Colors();
    EXPECT_EQ(gdi::MulDiv(1, 41, 64), 1);
    EXPECT_EQ(gdi::MulDiv(2, 41, 64), 1);  // band 1 is empty
    for (unsigned flags : {0u, kGradientUseBitmap, kGradientClip}) {
        Sheet vertical(30, 45);
        PaintGradient(vertical.Dc(), {3, 2, 23, 43}, gstVertical, flags, nullptr, table);
        EXPECT_TRUE(vertical.Matches({0, 0, 30, 45}, [&](int x, int y) {
            if (x < 3 || x >= 23 || y < 2 || y >= 43) return 0xFFFFFFu;
            return table[std::size_t(BandOf(y - 2, 41, 64))];
        })) << flags;
        Sheet horizontal(100, 4);
        PaintGradient(horizontal.Dc(), {0, 0, 100, 4}, gstHorizontal, flags, nullptr, table);
        EXPECT_TRUE(horizontal.Matches({0, 0, 100, 4},
                                       [&](int x, int) { return table[std::size_t(BandOf(x, 100, 64))]; }));
    }
}

TEST(PaintGradient, NestedShapesPutTheFirstColourInTheirCorner) {
    const GradientTable table = {gdi::RGB(255, 0, 0), gdi::RGB(0, 255, 0), gdi::RGB(0, 0, 255),
                                 gdi::RGB(9, 9, 9)};
    // Box i is MulDiv(i + 1, w, 4) x MulDiv(i + 1, h, 4) from its corner; the smallest is on top.
    const auto cornerModel = [&](bool right, bool bottom) {
        return [&table, right, bottom](int x, int y) {
            const int dx = right ? 20 - 1 - x : x, dy = bottom ? 12 - 1 - y : y;
            for (int i = 0; i < 4; ++i)
                if (dx < gdi::MulDiv(i + 1, 20, 4) && dy < gdi::MulDiv(i + 1, 12, 4))
                    return table[std::size_t(i)];
            return table[3];
        };
    };
    const struct {
        TPxGradientStyle style;
        bool right, bottom;
    } corners[] = {{gstTopLeft, false, false},
                   {gstTopRight, true, false},
                   {gstBottomLeft, false, true},
                   {gstBottomRight, true, true}};
    for (const auto& corner : corners) {
        Sheet sheet(20, 12);
        PaintGradient(sheet.Dc(), {0, 0, 20, 12}, corner.style, kGradientUseBitmap, nullptr, table);
        EXPECT_TRUE(sheet.Matches({0, 0, 20, 12}, cornerModel(corner.right, corner.bottom)))
            << int(corner.style);
    }
    for (TPxGradientStyle centred : {gstSquare, gstElliptic}) {
        Sheet sheet(40, 30);
        PaintGradient(sheet.Dc(), {0, 0, 40, 30}, centred, kGradientUseBitmap, nullptr, table);
        EXPECT_EQ(sheet.At(20, 15), table[0]) << int(centred);
        EXPECT_EQ(sheet.At(1, 1), table[3]) << int(centred);
    }
    for (TPxGradientStyle diagonal : {gstTopLeftDiagonal, gstTopRightDiagonal}) {
        Sheet sheet(40, 30);
        PaintGradient(sheet.Dc(), {0, 0, 40, 30}, diagonal, kGradientUseBitmap, nullptr, table);
        EXPECT_EQ(sheet.At(diagonal == gstTopLeftDiagonal ? 1 : 38, 1), table[0]) << int(diagonal);
        EXPECT_EQ(sheet.At(diagonal == gstTopLeftDiagonal ? 38 : 1, 28), table[3]) << int(diagonal);
    }
}

}  // namespace
}  // namespace plexon
