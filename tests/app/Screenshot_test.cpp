// plexon screenshot: the demo form rendered headless and written as a 32-bit BMP of its client area.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "TempFolder.h"
#include "graphics/Bitmap.h"
#include "platform/gdi/Raster.h"

namespace plexon {
namespace {

TEST(Screenshot, WritesTheDemoFormAsA32BitBitmap) {
    testing::TempFolder folder;
    const std::string shot = folder / "demo.bmp";
    const std::string command = "PLEXON_BACKEND=headless '" + std::string(PLEXON_BINARY) +
                                "' screenshot --window demo -o '" + shot + "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    TBitmap bitmap;
    bitmap.LoadFile(shot);
    EXPECT_EQ(bitmap.Width(), 413);
    EXPECT_EQ(bitmap.Height(), 353);
    EXPECT_EQ(bitmap.PixelLayout(), BitmapPixelLayout::Bits32);
    // The form's face colour at a corner, and the default button's dark frame.
    EXPECT_EQ(bitmap.Canvas().Pixels(0, 0), gdi::GetSysColor(15));
    EXPECT_EQ(bitmap.Canvas().Pixels(326, 320), gdi::GetSysColor(21));
}

TEST(Screenshot, RefusesAnUnknownWindow) {
    const std::string command = "PLEXON_BACKEND=headless '" + std::string(PLEXON_BINARY) +
                                "' screenshot --window nosuch -o /dev/null >/dev/null 2>&1";
    const int raw = std::system(command.c_str());
    EXPECT_EQ(WEXITSTATUS(raw), 2);
}

}  // namespace
}  // namespace plexon
