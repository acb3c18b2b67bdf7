// `plexon PATH...`: which arguments are paths to open, and the file list they give (folders in
// natural icon order, relative paths made absolute); the icon the window system is handed.
#include "app/OpenPaths.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/ApplicationIcon.h"
#include "graphics/PngFormat.h"
#include "platform/shell/ChildProcess.h"
#include "support/TempFolder.h"

namespace plexon {
namespace {

using test::TempFolder;

TEST(OpenPaths, PathsThatExistOpenTheWindowWithTheirFilesInIconOrder) {
    TempFolder temp;
    const std::string icons = temp.MakeFolder("icons");
    for (const char* name : {"Icon10.bmp", "Icon2_h.bmp", "Icon2.bmp", "notes.txt"})
        temp.WriteFile(std::string("icons/") + name);
    const std::string file = temp.WriteFile("Open.bmp");

    struct Case {
        std::vector<std::string> args;
        bool open;
    } cases[] = {{{}, false},
                 {{"weld", icons}, false},
                 {{"-q"}, false},
                 {{"screenshot"}, false},
                 {{temp / "nothing.bmp"}, false},
                 {{icons}, true},
                 {{file, icons}, true}};
    for (const Case& c : cases) EXPECT_EQ(IsOpenCommand(c.args), c.open) << (c.args.empty() ? "" : c.args[0]);

    const SuffixSettings letters;
    EXPECT_EQ(FilesToOpen(std::vector<std::string>{file, icons}, letters),
              (std::vector<std::string>{file, icons + "/Icon2.bmp", icons + "/Icon2_h.bmp",
                                        icons + "/Icon10.bmp"}));

    const std::string before = std::filesystem::current_path().string();
    ASSERT_EQ(::chdir(temp.Path().c_str()), 0);
    const std::vector<std::string> relative =
        FilesToOpen(std::vector<std::string>{"./Open.bmp", "icons"}, letters);
    ASSERT_EQ(::chdir(before.c_str()), 0);
    EXPECT_EQ(relative,
              (std::vector<std::string>{std::filesystem::canonical(file).string(),
                                        std::filesystem::canonical(icons).string() + "/Icon2.bmp",
                                        std::filesystem::canonical(icons).string() + "/Icon2_h.bmp",
                                        std::filesystem::canonical(icons).string() + "/Icon10.bmp"}));
}

TEST(ApplicationIcon, IsARoundedOpaqueTileOnATransparentGround) {
    for (int size : {16, 32, 48}) {
        const window::IconImage icon = DrawApplicationIcon(size);
        ASSERT_EQ(icon.argb.size(), std::size_t(size * size));
        const auto at = [&](int x, int y) { return icon.argb[std::size_t(y * size + x)]; };
        EXPECT_EQ(at(0, 0) >> 24, 0u) << size;  // rounded corner: see-through
        EXPECT_EQ(at(size - 1, size - 1) >> 24, 0u) << size;
        EXPECT_EQ(at(size / 2, size / 8) >> 24, 255u) << size;         // the tile
        EXPECT_GT(at(size / 2, size / 2) >> 16 & 0xFF, 200u) << size;  // the hot square is light
    }
}

// The theme's scalable icon, rendered at 48 pixels by a real SVG renderer, is the window's icon.
TEST(ApplicationIcon, TheScalableIconDrawsLikeTheBitmap) {
    if (FindProgram("rsvg-convert").empty()) GTEST_SKIP() << "rsvg-convert is not installed";
    TempFolder temp;
    const ChildResult svg = RunChildProcess(
        {.argv = {"rsvg-convert", "-w", "48", "-h", "48", temp.WriteFile("icon.svg", ApplicationIconSvg())}});
    ASSERT_EQ(svg.exitCode, 0);
    const RgbaImage image =
        DecodePng(std::span(reinterpret_cast<const std::uint8_t*>(svg.output.data()), svg.output.size()));
    const window::IconImage model = DrawApplicationIcon(48);
    ASSERT_EQ(image.Bytes().size(), model.argb.size() * 4);
    // Red, green and blue weighted by coverage (an edge pixel's colour barely shows), then alpha.
    int worst = 0;
    for (std::size_t i = 0; i < model.argb.size(); ++i)
        for (int c = 0; c < 4; ++c) {
            const int got = image.Bytes()[i * 4 + std::size_t(c)],
                      gotAlpha = c < 3 ? image.Bytes()[i * 4 + 3] : 255;
            const int want = c < 3 ? int(model.argb[i] >> (16 - 8 * c) & 0xFF) : int(model.argb[i] >> 24);
            const int wantAlpha = c < 3 ? int(model.argb[i] >> 24) : 255;
            worst = std::max(worst, std::abs(got * gotAlpha / 255 - want * wantAlpha / 255));
        }
    EXPECT_LE(worst, 16);
}

}  // namespace
}  // namespace plexon
