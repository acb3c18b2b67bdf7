// The level progress bar: band colours and positions of the gradient, thresholds, smooth, stacked and
// segmented fills in both orientations, the percentage text, and when the control repaints.
#include "controls/LevelProgressBar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/FormTestSupport.h"
#include "graphics/Bitmap.h"
#include "platform/gdi/Raster.h"

namespace plexon {
namespace {

// A white canvas of the given size.
struct Sheet {
    TBitmap bitmap;
    Sheet(int width, int height) {
        bitmap.SetWidth(width);
        bitmap.SetHeight(height);
        bitmap.Canvas().Brush().SetColor(clWhite);
        bitmap.Canvas().FillRect({0, 0, width, height});
    }
    TCanvas& Canvas() { return bitmap.Canvas(); }
    gdi::COLORREF At(int x, int y) { return bitmap.Canvas().Pixels(x, y); }
};

constexpr gdi::COLORREF Rgb(int r, int g, int b) {
    return gdi::RGB(std::uint8_t(r), std::uint8_t(g), std::uint8_t(b));
}

// Flat fills and no text, so that every fill pixel has its level colour.
TProgressBarParams FlatParams() {
    TProgressBarParams params;
    params.ShowGradient = false;
    params.ShowPercentage = false;
    return params;
}

// The pbWork settings of the main window.
TProgressBarParams WorkBarParams(int position) {
    TProgressBarParams params;
    params.CompletionSmooth = false;
    params.Font.SetHeight(-13);
    params.Position = position;
    return params;
}

// Runs of filled (non-background) pixels along row y as [from, to) pairs.
std::vector<std::pair<int, int>> FilledRuns(Sheet& sheet, int y, int from, int to) {
    std::vector<std::pair<int, int>> runs;
    for (int x = from; x < to; ++x) {
        if (sheet.At(x, y) == Rgb(255, 255, 255)) continue;
        if (!runs.empty() && runs.back().second == x)
            ++runs.back().second;
        else
            runs.push_back({x, x + 1});
    }
    return runs;
}

std::vector<std::pair<int, int>> Blocks(int count, int last = 0) {
    std::vector<std::pair<int, int>> blocks;
    for (int k = 0; k < count; ++k) blocks.push_back({2 + 9 * k, 9 + 9 * k});
    if (last > 0) blocks.push_back({2 + 9 * count, 2 + 9 * count + last});
    return blocks;
}

TEST(LevelProgressBarDefaults, TheConstructorSetsEveryDocumentedValue) {
    TLevelProgressBar bar(nullptr);
    EXPECT_EQ(bar.Level0Color(), clLime);
    EXPECT_EQ(bar.Level0ColorTo(), Rgb(225, 255, 225));
    EXPECT_EQ(bar.Level1Color(), clYellow);
    EXPECT_EQ(bar.Level1ColorTo(), Rgb(255, 255, 202));
    EXPECT_EQ(bar.Level2Color(), Rgb(255, 169, 83));
    EXPECT_EQ(bar.Level2ColorTo(), Rgb(255, 211, 168));
    EXPECT_EQ(bar.Level3Color(), clRed);
    EXPECT_EQ(bar.Level3ColorTo(), Rgb(255, 202, 202));
    EXPECT_EQ(bar.Level1Perc(), 70);
    EXPECT_EQ(bar.Level2Perc(), 90);
    EXPECT_EQ(bar.BorderColor(), clBlack);
    EXPECT_TRUE(bar.ShowBorder());
    EXPECT_FALSE(bar.Stacked());
    EXPECT_TRUE(bar.ShowPercentage());
    EXPECT_EQ(bar.Font().Name(), "Verdana");
    EXPECT_EQ(bar.Font().Height(), -13);
    EXPECT_TRUE(bar.CompletionSmooth());
    EXPECT_TRUE(bar.ShowGradient());
    EXPECT_EQ(bar.Steps(), 20);
    EXPECT_EQ(bar.Position(), 0);
    EXPECT_EQ(bar.BackgroundColor(), clWhite);
    EXPECT_EQ(bar.Orientation(), goHorizontal);
}

TEST(LevelProgressBarDefaults, PositionIsStoredUnclamped) {
    TLevelProgressBar bar(nullptr);
    bar.SetPosition(250);
    EXPECT_EQ(bar.Position(), 250);
    bar.SetPosition(-7);
    EXPECT_EQ(bar.Position(), -7);
}

TEST(BarGradient, BandColoursRoundHalvesToEvenAndBandsOverlap) {
    Sheet sheet(7, 10);
    // Steps 4 over 10 rows: bands start at rows 0, 2 (2.5 rounds to 2), 5 and 8 (7.5 to 8), each
    // Trunc(2.5) + 1 = 3 rows long, the later over the earlier, the last cut at row 10.
    DrawBarGradient(sheet.Canvas(), Rgb(0, 0, 0), Rgb(255, 100, 10), 4, {0, 0, 7, 10},
                    TBarDirection::AcrossY);
    const gdi::COLORREF band[4] = {Rgb(0, 0, 0), Rgb(64, 25, 2), Rgb(128, 50, 5), Rgb(191, 75, 8)};
    const int bandOfRow[10] = {0, 0, 1, 1, 1, 2, 2, 2, 3, 3};
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 7; ++x) ASSERT_EQ(sheet.At(x, y), band[bandOfRow[y]]) << x << "," << y;
}

TEST(BarGradient, RunsAcrossXWithinItsRectangle) {
    Sheet sheet(12, 3);
    DrawBarGradient(sheet.Canvas(), Rgb(200, 0, 0), Rgb(0, 0, 200), 2, {2, 1, 10, 2}, TBarDirection::AcrossX);
    // Bands of Trunc(4) + 1 = 5 pixels from x 2 and x 6; the second is cut at x 10.
    for (int x = 2; x < 6; ++x) EXPECT_EQ(sheet.At(x, 1), Rgb(200, 0, 0)) << x;
    for (int x = 6; x < 10; ++x) EXPECT_EQ(sheet.At(x, 1), Rgb(100, 0, 100)) << x;
    EXPECT_EQ(sheet.At(1, 1), Rgb(255, 255, 255));
    EXPECT_EQ(sheet.At(10, 1), Rgb(255, 255, 255));
    EXPECT_EQ(sheet.At(5, 0), Rgb(255, 255, 255));
    EXPECT_EQ(sheet.At(5, 2), Rgb(255, 255, 255));
}

TEST(BarGradient, ZeroStepsPaintsTheFromColourAlone) {
    Sheet sheet(5, 9);
    DrawBarGradient(sheet.Canvas(), Rgb(10, 20, 30), Rgb(250, 250, 250), 0, {0, 0, 5, 9},
                    TBarDirection::AcrossY);
    for (int y = 0; y < 9; ++y) EXPECT_EQ(sheet.At(2, y), Rgb(10, 20, 30)) << y;
}

TEST(BarGradient, ResolvesSystemColours) {
    Sheet sheet(3, 3);
    DrawBarGradient(sheet.Canvas(), clBtnFace, clBtnFace, 3, {0, 0, 3, 3}, TBarDirection::AcrossX);
    EXPECT_EQ(sheet.At(1, 1), gdi::GetSysColor(15));
}

TEST(BarFill, ATubeIsPaleAtTheLongEdgesAndStrongInTheMiddle) {
    Sheet sheet(47, 25);
    TProgressBarParams params;
    params.ShowPercentage = false;
    DrawProgressBar(sheet.Canvas(), {0, 0, 47, 25}, 50, params);
    // The smooth piece runs over rows 1..23; its halves meet at row 1 + 23 div 2 = 12.
    EXPECT_EQ(sheet.At(10, 1), Rgb(225, 255, 225));
    EXPECT_EQ(sheet.At(10, 12), Rgb(0, 255, 0));
    // The last band of each half stays one step short of its to colour.
    EXPECT_NE(sheet.At(10, 11), Rgb(0, 255, 0));
    EXPECT_NE(sheet.At(10, 23), Rgb(225, 255, 225));
    EXPECT_EQ(sheet.At(10, 0), Rgb(0, 0, 0));
}

TEST(BarLevels, ThresholdsAreStrictWithTheDefaults) {
    const struct {
        int position;
        gdi::COLORREF colour;
    } cases[] = {{1, Rgb(0, 255, 0)},    {69, Rgb(0, 255, 0)},    {70, Rgb(255, 255, 0)},
                 {89, Rgb(255, 255, 0)}, {90, Rgb(255, 169, 83)}, {99, Rgb(255, 169, 83)},
                 {100, Rgb(255, 0, 0)}};
    for (const auto& c : cases) {
        Sheet sheet(102, 9);
        DrawProgressBar(sheet.Canvas(), {0, 0, 102, 9}, c.position, FlatParams());
        EXPECT_EQ(sheet.At(1, 4), c.colour) << c.position;
        // Smooth: Round(p / 100 * 100) pixels after the border.
        EXPECT_EQ(sheet.At(c.position, 4), c.colour) << c.position;
        if (c.position < 100) {
            EXPECT_EQ(sheet.At(c.position + 1, 4), Rgb(255, 255, 255)) << c.position;
        }
    }
}

TEST(BarFrame, ZeroDrawsTheFrameAndTheText) {
    Sheet sheet(60, 25);
    TProgressBarParams params = WorkBarParams(0);
    DrawProgressBar(sheet.Canvas(), {0, 0, 60, 25}, 0, params);
    EXPECT_EQ(sheet.At(0, 0), Rgb(0, 0, 0));
    EXPECT_EQ(sheet.At(59, 24), Rgb(0, 0, 0));
    EXPECT_EQ(sheet.At(1, 12), Rgb(255, 255, 255));
    EXPECT_EQ(FilledRuns(sheet, 3, 1, 59).size(), 0u);
    int inked = 0;
    for (int y = 1; y < 24; ++y)
        for (int x = 1; x < 59; ++x) inked += sheet.At(x, y) != Rgb(255, 255, 255);
    EXPECT_GT(inked, 10);
}

TEST(BarFrame, WithoutBorderTheOutlineHasTheBackgroundColour) {
    Sheet sheet(20, 10);
    TProgressBarParams params = FlatParams();
    params.ShowBorder = false;
    params.BackgroundColor = Rgb(1, 2, 3);
    DrawProgressBar(sheet.Canvas(), {0, 0, 20, 10}, 0, params);
    EXPECT_EQ(sheet.At(0, 0), Rgb(1, 2, 3));
    EXPECT_EQ(sheet.At(10, 5), Rgb(1, 2, 3));
}

TEST(BarSegments, WorkBarBlocksAtOneFiftyAndHundredPercent) {
    const struct {
        int position;
        std::vector<std::pair<int, int>> blocks;
    } cases[] = {
        {1, {{2, 5}}},         // T = 4: one block of 3 pixels
        {50, Blocks(22)},      // T = 198: 22 blocks, no remainder
        {100, Blocks(43, 7)},  // T = 395: 43 blocks and a last one of m - 1 = 7 pixels
    };
    for (const auto& c : cases) {
        Sheet sheet(397, 25);
        DrawProgressBar(sheet.Canvas(), {0, 0, 397, 25}, c.position, WorkBarParams(c.position));
        for (int y : {2, 3, 21, 22})
            EXPECT_EQ(FilledRuns(sheet, y, 1, 396), c.blocks) << c.position << " row " << y;
        EXPECT_EQ(FilledRuns(sheet, 1, 1, 396).size(), 0u);
        EXPECT_EQ(FilledRuns(sheet, 23, 1, 396).size(), 0u);
    }
}

TEST(BarSegments, TheLastWorkBarBlockEndsBesideTheBorder) {
    Sheet sheet(397, 25);
    DrawProgressBar(sheet.Canvas(), {0, 0, 397, 25}, 100, WorkBarParams(100));
    EXPECT_EQ(sheet.At(388, 3), Rgb(255, 255, 255));
    EXPECT_NE(sheet.At(389, 3), Rgb(255, 255, 255));
    EXPECT_NE(sheet.At(395, 3), Rgb(255, 255, 255));
    EXPECT_EQ(sheet.At(396, 3), Rgb(0, 0, 0));
    // Finished: the Level3 pair, strong in the middle of the tube.
    EXPECT_EQ(sheet.At(390, 12), Rgb(255, 0, 0));
}

TEST(BarSegments, NineAndTenTotalPixels) {
    TProgressBarParams params = FlatParams();
    params.CompletionSmooth = false;
    Sheet nine(11, 9);  // L = 9, T = 9: one block of 8 pixels
    DrawProgressBar(nine.Canvas(), {0, 0, 11, 9}, 100, params);
    EXPECT_EQ(FilledRuns(nine, 4, 1, 10), (std::vector<std::pair<int, int>>{{2, 10}}));
    Sheet ten(12, 9);  // L = 10, T = 10: one block of 7, a remainder of 1 adds nothing
    DrawProgressBar(ten.Canvas(), {0, 0, 12, 9}, 100, params);
    EXPECT_EQ(FilledRuns(ten, 4, 1, 11), (std::vector<std::pair<int, int>>{{2, 9}}));
    Sheet one(52, 9);  // L = 50, p = 2: T = 1 fills nothing
    DrawProgressBar(one.Canvas(), {0, 0, 52, 9}, 2, params);
    EXPECT_EQ(FilledRuns(one, 4, 1, 51).size(), 0u);
}

TEST(BarSegments, TheTotalTakesTheIntegerProductBeforeDividing) {
    TProgressBarParams params = FlatParams();
    params.CompletionSmooth = false;
    // p = 3, L = 50: 150 / 100 = 1.5 rounds to 2, one block of 1 pixel.
    Sheet sheet(52, 9);
    DrawProgressBar(sheet.Canvas(), {0, 0, 52, 9}, 3, params);
    EXPECT_EQ(FilledRuns(sheet, 4, 1, 51), (std::vector<std::pair<int, int>>{{2, 3}}));
}

TEST(BarSegments, VerticalBlocksGrowFromTheBottom) {
    TProgressBarParams params = FlatParams();
    params.CompletionSmooth = false;
    params.Orientation = goVertical;
    Sheet sheet(9, 30);  // L = 28, p = 50: T = 14, one block (2, 21)-(7, 28) and a remainder of 5
    DrawProgressBar(sheet.Canvas(), {0, 0, 9, 30}, 50, params);
    std::vector<int> filled;
    for (int y = 1; y < 29; ++y)
        if (sheet.At(4, y) != Rgb(255, 255, 255)) filled.push_back(y);
    // Block 0: rows b-9 .. b-3; remainder block: rows b-9N-m-1 .. b-9N-3 = 15 .. 18.
    EXPECT_EQ(filled, (std::vector<int>{15, 16, 17, 18, 21, 22, 23, 24, 25, 26, 27}));
    EXPECT_EQ(sheet.At(1, 24), Rgb(255, 255, 255));
    EXPECT_EQ(sheet.At(2, 24), Rgb(0, 255, 0));
    EXPECT_EQ(sheet.At(6, 24), Rgb(0, 255, 0));
    EXPECT_EQ(sheet.At(7, 24), Rgb(255, 255, 255));
}

TEST(BarSmooth, VerticalFillRisesFromTheBottom) {
    TProgressBarParams params = FlatParams();
    params.Orientation = goVertical;
    Sheet sheet(20, 102);
    DrawProgressBar(sheet.Canvas(), {0, 0, 20, 102}, 50, params);
    EXPECT_EQ(sheet.At(10, 100), Rgb(0, 255, 0));
    EXPECT_EQ(sheet.At(10, 51), Rgb(0, 255, 0));
    EXPECT_EQ(sheet.At(10, 50), Rgb(255, 255, 255));
    EXPECT_EQ(sheet.At(1, 60), Rgb(0, 255, 0));
    EXPECT_EQ(sheet.At(18, 60), Rgb(0, 255, 0));
}

TEST(BarSmooth, PositionsAboveHundredAreCutAtTheEdge) {
    TProgressBarParams params = FlatParams();
    Sheet sheet(50, 9);
    DrawProgressBar(sheet.Canvas(), {0, 0, 50, 9}, 150, params);
    EXPECT_EQ(sheet.At(49, 4), Rgb(255, 0, 0));  // over the border column
    params.CompletionSmooth = false;
    Sheet huge(397, 25);
    DrawProgressBar(huge.Canvas(), {0, 0, 397, 25}, 2000000000, params);
    EXPECT_EQ(huge.At(393, 4), Rgb(255, 0, 0));
    EXPECT_EQ(huge.At(396, 4), Rgb(0, 0, 0));
}

TEST(BarStacked, HorizontalPiecesLieEndToEnd) {
    TProgressBarParams params = FlatParams();
    params.Stacked = true;
    Sheet sheet(102, 9);  // L = 100: c1 = 70, c2 = 20, c3 = 5
    DrawProgressBar(sheet.Canvas(), {0, 0, 102, 9}, 95, params);
    EXPECT_EQ(sheet.At(1, 4), Rgb(0, 255, 0));
    EXPECT_EQ(sheet.At(70, 4), Rgb(0, 255, 0));
    EXPECT_EQ(sheet.At(71, 4), Rgb(255, 255, 0));
    EXPECT_EQ(sheet.At(90, 4), Rgb(255, 255, 0));
    EXPECT_EQ(sheet.At(91, 4), Rgb(255, 0, 0));  // the Level3 pair, not Level2
    EXPECT_EQ(sheet.At(95, 4), Rgb(255, 0, 0));
    EXPECT_EQ(sheet.At(96, 4), Rgb(255, 255, 255));
}

TEST(BarStacked, AtHundredTheLastPieceTakesTheRest) {
    TProgressBarParams params = FlatParams();
    params.Stacked = true;
    Sheet sheet(35, 9);  // L = 33: c1 = Round(23.1) = 23, c2 = Round(6.6) = 7, c3 = 3
    DrawProgressBar(sheet.Canvas(), {0, 0, 35, 9}, 100, params);
    EXPECT_EQ(sheet.At(23, 4), Rgb(0, 255, 0));
    EXPECT_EQ(sheet.At(24, 4), Rgb(255, 255, 0));
    EXPECT_EQ(sheet.At(30, 4), Rgb(255, 255, 0));
    EXPECT_EQ(sheet.At(31, 4), Rgb(255, 0, 0));
    EXPECT_EQ(sheet.At(33, 4), Rgb(255, 0, 0));
    EXPECT_EQ(sheet.At(34, 4), Rgb(0, 0, 0));
}

TEST(BarStacked, VerticalPiecesKeepOneRowBetweenTheSecondAndThird) {
    TProgressBarParams params = FlatParams();
    params.Stacked = true;
    params.Orientation = goVertical;
    Sheet sheet(20, 102);  // L = 100: c1 = 70, c2 = 20, c3 = 5
    DrawProgressBar(sheet.Canvas(), {0, 0, 20, 102}, 95, params);
    EXPECT_EQ(sheet.At(10, 101), Rgb(0, 0, 0));
    EXPECT_EQ(sheet.At(10, 100), Rgb(0, 255, 0));
    EXPECT_EQ(sheet.At(10, 32), Rgb(0, 255, 0));
    EXPECT_EQ(sheet.At(10, 31), Rgb(255, 255, 0));
    EXPECT_EQ(sheet.At(10, 12), Rgb(255, 255, 0));
    EXPECT_EQ(sheet.At(10, 11), Rgb(255, 255, 255));
    EXPECT_EQ(sheet.At(10, 10), Rgb(255, 0, 0));
    EXPECT_EQ(sheet.At(10, 6), Rgb(255, 0, 0));
    EXPECT_EQ(sheet.At(10, 5), Rgb(255, 255, 255));
}

// The bounding box of text pixels: neither background nor the flat level 0 fill (glyph edges blend).
gdi::RECT InkBox(Sheet& sheet, int width, int height) {
    gdi::RECT box{width, height, -1, -1};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (sheet.At(x, y) != Rgb(255, 255, 255) && sheet.At(x, y) != Rgb(0, 255, 0) && x > 0 && y > 0 &&
                x < width - 1 && y < height - 1) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x + 1);
                box.bottom = std::max(box.bottom, y + 1);
            }
    return box;
}

TEST(BarText, HorizontalTextIsCentredOnTheWholeRectangle) {
    Sheet sheet(120, 40);
    TProgressBarParams params = FlatParams();
    params.ShowPercentage = true;
    params.Position = 42;
    params.Font.SetColor(clBlack);
    DrawProgressBar(sheet.Canvas(), {0, 0, 120, 40}, 42, params);
    const gdi::RECT ink = InkBox(sheet, 120, 40);
    ASSERT_LT(ink.left, ink.right);
    EXPECT_GT(ink.right - ink.left, ink.bottom - ink.top);
    EXPECT_NEAR((ink.left + ink.right) / 2.0, 60, 3);
    EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 20, 4);
}

TEST(BarText, VerticalTextRunsUpwards) {
    Sheet sheet(40, 120);
    TProgressBarParams params = FlatParams();
    params.ShowPercentage = true;
    params.Position = 42;
    params.Orientation = goVertical;
    params.Font.SetColor(clBlack);
    DrawProgressBar(sheet.Canvas(), {0, 0, 40, 120}, 42, params);
    const gdi::RECT ink = InkBox(sheet, 40, 120);
    ASSERT_LT(ink.left, ink.right);
    EXPECT_GT(ink.bottom - ink.top, ink.right - ink.left);
    EXPECT_NEAR((ink.left + ink.right) / 2.0, 20, 4);
    EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 60, 3);
}

TEST(BarText, MinusOneAndHiddenPercentageShowNoText) {
    for (const bool show : {true, false}) {
        Sheet sheet(60, 25);
        TProgressBarParams params = FlatParams();
        params.ShowPercentage = show;
        params.Position = show ? -1 : 30;
        params.Font.SetColor(clBlack);
        DrawProgressBar(sheet.Canvas(), {0, 0, 60, 25}, params.Position, params);
        const gdi::RECT ink = InkBox(sheet, 60, 25);
        EXPECT_GE(ink.left, ink.right) << show;
    }
}

class LevelProgressBarPainting : public test::FormTest {};

TEST_F(LevelProgressBarPainting, PositionRepaintsAtOnceOtherPropertiesLater) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 120, 60);
    auto* bar = new TLevelProgressBar(&form);
    bar->SetBounds(8, 8, 102, 25);
    bar->SetShowGradient(false);
    bar->SetParent(&form);
    form.Show();
    Pump();
    EXPECT_EQ(FramePixel(form, 8, 8), 0x000000u);
    EXPECT_EQ(FramePixel(form, 8 + 20, 8 + 3), 0xFFFFFFu);
    bar->SetPosition(50);  // no messages handled: painted through at once
    EXPECT_EQ(FramePixel(form, 8 + 20, 8 + 3), 0x00FF00u);
    bar->SetBorderColor(clRed);
    EXPECT_EQ(FramePixel(form, 8, 8), 0x000000u);
    Pump();
    EXPECT_EQ(FramePixel(form, 8, 8), 0xFF0000u);
    bar->Font().SetColor(clRed);  // a font change invalidates too
    EXPECT_EQ(FramePixel(form, 8, 8), 0xFF0000u);
}

}  // namespace
}  // namespace plexon
