// Logical palettes, the halftone palette and brushes.
#include <gtest/gtest.h>

#include <set>

#include "platform/gdi/Raster.h"

namespace plexon::gdi {
namespace {

TEST(Palette, KeepsEntriesAndFindsNearest) {
    LOGPALETTE logical;
    logical.palNumEntries = 3;
    logical.palPalEntry[0] = {0, 0, 0, 0};
    logical.palPalEntry[1] = {250, 10, 10, 0};
    logical.palPalEntry[2] = {255, 255, 255, 0};
    HPALETTE palette = CreatePalette(&logical);
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(GetPaletteEntries(palette, 0, 0, nullptr), 3u);
    PALETTEENTRY entries[3];
    EXPECT_EQ(GetPaletteEntries(palette, 1, 5, entries), 2u);
    EXPECT_EQ(entries[0].peRed, 250);
    EXPECT_EQ(GetPaletteEntries(palette, 3, 1, entries), 0u);
    EXPECT_EQ(GetNearestPaletteIndex(palette, RGB(200, 40, 40)), 1u);
    EXPECT_EQ(GetNearestPaletteIndex(palette, RGB(140, 140, 140)), 2u);
    EXPECT_EQ(GetNearestPaletteIndex(palette, PALETTEINDEX(2)), 2u);
    EXPECT_EQ(GetNearestPaletteIndex(palette, PALETTEINDEX(3)), CLR_INVALID);
    EXPECT_TRUE(DeleteObject(palette));
    EXPECT_EQ(GetPaletteEntries(palette, 0, 0, nullptr), 0u);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST(Palette, RefusesBadVersionsAndCounts) {
    LOGPALETTE logical;
    logical.palVersion = 0x0200;
    EXPECT_EQ(CreatePalette(&logical), nullptr);
    logical.palVersion = 0x0300;
    logical.palNumEntries = 257;
    EXPECT_EQ(CreatePalette(&logical), nullptr);
    EXPECT_EQ(CreatePalette(nullptr), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(Palette, HalftoneHas256DistinctColoursFromBlackToWhite) {
    HPALETTE palette = CreateHalftonePalette(nullptr);
    PALETTEENTRY entries[256];
    ASSERT_EQ(GetPaletteEntries(palette, 0, 256, entries), 256u);
    std::set<COLORREF> distinct;
    for (const PALETTEENTRY& e : entries) distinct.insert(RGB(e.peRed, e.peGreen, e.peBlue));
    EXPECT_EQ(distinct.size(), 256u);
    EXPECT_EQ(RGB(entries[0].peRed, entries[0].peGreen, entries[0].peBlue), RGB(0, 0, 0));
    EXPECT_EQ(RGB(entries[255].peRed, entries[255].peGreen, entries[255].peBlue), RGB(255, 255, 255));
    EXPECT_EQ(GetNearestPaletteIndex(palette, RGB(51, 102, 153)),
              GetNearestPaletteIndex(palette, RGB(52, 101, 154)));
    DeleteObject(palette);
}

TEST(Brush, StockBrushesSurviveDeletion) {
    HBRUSH white = GetStockBrush(WHITE_BRUSH);
    EXPECT_TRUE(DeleteObject(white));
    EXPECT_EQ(GetStockBrush(WHITE_BRUSH), white);
    EXPECT_EQ(GetStockBrush(StockObject(9)), nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    SelectObject(dc, brush);
    EXPECT_FALSE(DeleteObject(brush));
    EXPECT_EQ(SelectObject(dc, white), brush);
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_FALSE(DeleteObject(brush));
    DeleteDC(dc);
}

}  // namespace
}  // namespace plexon::gdi
