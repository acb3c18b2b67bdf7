// plexon screenshot: the demo form rendered headless and written as a 32-bit BMP of its client area.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "graphics/Bitmap.h"
#include "platform/gdi/Raster.h"
#include "support/TempFolder.h"

namespace plexon {
namespace {

TEST(Screenshot, WritesTheDemoFormAsA32BitBitmap) {
    test::TempFolder folder;
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

TEST(Screenshot, UsageErrorsReadAsTheBatchCommandsDo) {
    const struct {
        const char* args;
        const char* why;
    } cases[] = {
        {"--window demo --frame -o /dev/null", "unknown option --frame"},
        {"--window demo", "the window or the output file is missing (--window NAME -o FILE.bmp)"},
        {"--window nosuch -o /dev/null",
         "unknown window \"nosuch\" (known: demo, message, main, options, about)"},
        {"--window demo --hover nosuch -o /dev/null", "no control \"nosuch\" on the window"},
        {"--window main --busy 5x -o /dev/null", "the work bar's position must be 0 to 100, not \"5x\""},
        {"--window main --busy 101 -o /dev/null", "the work bar's position must be 0 to 100, not \"101\""},
    };
    for (const auto& c : cases) {
        const std::string command =
            "PLEXON_BACKEND=headless '" + std::string(PLEXON_BINARY) + "' screenshot " + c.args + " 2>&1";
        std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
        ASSERT_TRUE(pipe);
        std::string text;
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe.get())) text += buffer;
        EXPECT_EQ(text, "plexon screenshot: " + std::string(c.why) +
                            "\nTry 'plexon --help' for more information.\n");
        EXPECT_EQ(WEXITSTATUS(::pclose(pipe.release())), 2) << c.args;
    }
}

}  // namespace
}  // namespace plexon

namespace plexon {
namespace {

std::unique_ptr<TBitmap> Shot(const std::string& arguments, test::TempFolder& folder) {
    const std::string shot = folder / "shot.bmp";
    const std::string command = "PLEXON_BACKEND=headless PLEXON_CONFIG='" + (folder / "config.ini") + "' '" +
                                std::string(PLEXON_BINARY) + "' screenshot " + arguments + " -o '" + shot +
                                "' >/dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << arguments;
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->LoadFile(shot);
    return bitmap;
}

TEST(WindowScreenshots, MainOptionsAndAboutAtTheirSizes) {
    test::TempFolder folder;
    const struct {
        const char* window;
        int width, height;
    } windows[] = {{"main", 413, 353}, {"options", 257, 285}, {"about", 534, 301}};
    for (const auto& w : windows) {
        const auto bitmap = Shot(std::string("--window ") + w.window, folder);
        EXPECT_EQ(bitmap->Width(), w.width) << w.window;
        EXPECT_EQ(bitmap->Height(), w.height) << w.window;
    }
}

TEST(WindowScreenshots, TheBusyMainWindowShowsTheWorkBarAtItsPosition) {
    test::TempFolder folder;
    const auto idle = Shot("--window main", folder);
    const auto busy = Shot("--window main --busy 50", folder);
    // The bar's black border at (8, 8) of the command bar, and a block at x 8 + 2 only when busy.
    EXPECT_EQ(busy->Canvas().Pixels(8, 8), 0u);
    EXPECT_NE(busy->Canvas().Pixels(8 + 2, 8 + 3), 0xFFFFFFu);
    EXPECT_EQ(busy->Canvas().Pixels(8 + 300, 8 + 3), 0xFFFFFFu);
    EXPECT_NE(idle->Canvas().Pixels(8, 8), 0u);
}

}  // namespace
}  // namespace plexon
