// plexon screenshot --window message: the Information dialog with one OK button for the text,
// sized by the text and written as a 32-bit BMP.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "graphics/Bitmap.h"
#include "platform/gdi/Raster.h"
#include "support/TempFolder.h"

namespace plexon {
namespace {

void MessageShot(const std::string& text, test::TempFolder& folder, TBitmap& bitmap) {
    const std::string shot = folder / "message.bmp";
    const std::string command = "PLEXON_BACKEND=headless '" + std::string(PLEXON_BINARY) +
                                "' screenshot --window message --text '" + text + "' -o '" + shot +
                                "' >/dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0);
    bitmap.LoadFile(shot);
}

TEST(MessageScreenshot, ShowsTheInformationIconAndGrowsWithTheText) {
    test::TempFolder folder;
    TBitmap shortText, longText;
    MessageShot("Done.", folder, shortText);
    std::string words;
    for (int i = 0; i < 60; ++i) words += "word ";
    MessageShot(words, folder, longText);
    EXPECT_EQ(shortText.PixelLayout(), BitmapPixelLayout::Bits32);
    EXPECT_EQ(shortText.Canvas().Pixels(0, 0), gdi::GetSysColor(15));
    EXPECT_GT(longText.Width(), shortText.Width());
    EXPECT_GT(longText.Height(), shortText.Height());  // wrapped past half the screen
    EXPECT_LE(longText.Width(), 1024 / 2 + 100);
    // Somewhere in the icon's square at the top left, the information icon's white disc.
    bool white = false;
    for (int y = 8; y < 48; ++y)
        for (int x = 8; x < 48; ++x) white = white || shortText.Canvas().Pixels(x, y) == 0xFFFFFF;
    EXPECT_TRUE(white);
}

}  // namespace
}  // namespace plexon
