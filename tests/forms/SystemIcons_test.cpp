// The system icons: size, layout and the colours that tell them apart; unknown numbers refused.
#include "forms/SystemIcons.h"

#include <gtest/gtest.h>

#include "runtime/Exceptions.h"

namespace plexon {
namespace {

std::uint32_t Pixel(TBitmap& bitmap, int x, int y) {
    const auto* row = static_cast<const std::uint8_t*>(bitmap.RowPointer(y));
    return std::uint32_t(row[x * 4 + 2]) << 16 | std::uint32_t(row[x * 4 + 1]) << 8 | row[x * 4];
}

TEST(SystemIcons, EachIsA32BitSquareOf32PixelsOverTheButtonFace) {
    const gdi::COLORREF face = ResolveColor(clBtnFace);
    const std::uint32_t faceRgb = (face & 0xFF) << 16 | (face & 0xFF00) | (face >> 16 & 0xFF);
    for (int id : {IDI_HAND, IDI_QUESTION, IDI_EXCLAMATION, IDI_ASTERISK}) {
        auto icon = LoadSystemIcon(id);
        EXPECT_EQ(icon->Width(), 32);
        EXPECT_EQ(icon->Height(), 32);
        EXPECT_EQ(icon->PixelLayout(), BitmapPixelLayout::Bits32);
        EXPECT_EQ(Pixel(*icon, 0, 0), faceRgb) << id;
        EXPECT_NE(Pixel(*icon, 16, 20), faceRgb) << id;
    }
}

TEST(SystemIcons, ColoursTellThemApart) {
    auto hand = LoadSystemIcon(IDI_HAND);
    EXPECT_EQ(Pixel(*hand, 16, 16), 0xFFFFFFu);  // the cross
    EXPECT_EQ(Pixel(*hand, 6, 16), 0xDC1818u);   // the red disc
    auto warning = LoadSystemIcon(IDI_EXCLAMATION);
    EXPECT_EQ(Pixel(*warning, 16, 15), 0x000000u);  // the stroke of "!"
    EXPECT_EQ(Pixel(*warning, 10, 24), 0xFFD600u);  // the yellow triangle
    auto info = LoadSystemIcon(IDI_ASTERISK);
    EXPECT_EQ(Pixel(*info, 16, 18), 0x0040C8u);  // the stem of "i"
    EXPECT_EQ(Pixel(*info, 8, 16), 0xFFFFFFu);
    auto question = LoadSystemIcon(IDI_QUESTION);
    EXPECT_EQ(Pixel(*question, 16, 24), 0x0040C8u);  // the dot of "?"
    EXPECT_EQ(Pixel(*question, 16, 11), 0xFFFFFFu);  // inside the hook
}

TEST(SystemIcons, UnknownNumbersAreRefused) {
    EXPECT_THROW(LoadSystemIcon(32512), EResNotFound);
    EXPECT_THROW(LoadSystemIcon(0), EResNotFound);
}

}  // namespace
}  // namespace plexon
