// The batch command with SVG sources and --size, in process: strips against the SVG library's own
// renders over white, the slot size of an SVG, hostile documents, bitmaps at and off the sizes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>

#include "app/WeldSvgSupport.h"
#include "graphics/PngFormat.h"
#include "support/BmpFiles.h"
#include "support/TempFolder.h"

namespace plexon {
namespace {

using test::TempFolder;

constexpr const char* kIcon =
    R"(<svg xmlns="http://www.w3.org/2000/svg" width="WIDTH" height="WIDTH" viewBox="0 0 16 16">)"
    R"(<defs><linearGradient id="g" x2="1" y2="1"><stop offset="0" stop-color="#2060c0"/>)"
    R"(<stop offset="1" stop-color="#c0e0ff"/></linearGradient></defs>)"
    R"x(<rect x="1" y="2" width="14" height="12" rx="2" fill="url(#g)"/>)x"
    R"(<circle cx="8" cy="8" r="3" fill="COLOUR" fill-opacity="0.6"/></svg>)";

std::string Icon(std::string_view width, std::string_view colour) {
    std::string text = kIcon;
    for (const auto& [key, value] : {std::pair{"WIDTH", width}, std::pair{"COLOUR", colour}})
        for (std::size_t at; (at = text.find(key)) != std::string::npos;)
            text.replace(at, std::strlen(key), value);
    return text;
}

using WeldSvgTest = test::SvgWeldTest;

// Each slot of our BMP strips holds what the library's own converter draws over white at that size.
TEST_F(WeldSvgTest, StripsAtEverySizeMatchTheLibrarysRendersOverWhite) {
    std::filesystem::create_directory(t_ / "icons");
    t_.WriteFile("icons/Open.svg", Icon("16", "#f80"));
    t_.WriteFile("icons/Open_h.svg", Icon("16", "#0c0"));
    ASSERT_EQ(Run({"-n", "2", "--size", "16,24,48", t_ / "icons"}), 0) << err.str();
    for (const int size : {16, 24, 48}) {
        const std::string folder = t_ / ("out/" + std::to_string(size) + "x" + std::to_string(size));
        const std::optional<test::Picture> strip = test::ReadBmp(folder + "/Open.bmp");
        ASSERT_TRUE(strip) << size;
        ASSERT_EQ(strip->width, 2 * size);
        for (const auto& [slot, name] : {std::pair{0, "Open.svg"}, std::pair{1, "Open_h.svg"}}) {
            const std::string reference = t_ / "reference.png";
            const std::string command = "rsvg-convert -b white -w " + std::to_string(size) + " -h " +
                                        std::to_string(size) + " -o " + reference + " " + t_ / "icons/" +
                                        name;
            ASSERT_EQ(std::system(command.c_str()), 0) << command;
            const RgbaImage expected = DecodePng(test::ReadBytes(reference));
            int worst = 0;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x) {
                    const Rgba want = expected.Pixel(x, y);
                    const test::Rgb got = strip->At(slot * size + x, y);
                    worst = std::max({worst, std::abs(want.red - got.r), std::abs(want.green - got.g),
                                      std::abs(want.blue - got.b)});
                }
            EXPECT_LE(worst, 1) << name << " at " << size;
        }
    }
}

// Without --size the first SVG's width at 96 dpi, rounded up, sets the slot; documents that give no
// size, that the parser refuses, that are too large or that reach outside their folder are stopped.
TEST_F(WeldSvgTest, SlotSizeAndHostileDocuments) {
    t_.WriteFile("Pt.svg", Icon("9pt", "#f80"));  // 12 pixels
    t_.WriteFile("Frac.svg", Icon("12.2", "#f80"));
    t_.WriteFile("NoSize.svg", R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 8 8"/>)");
    t_.WriteFile("Huge.svg", Icon("100000", "#f80"));
    // A billion "a"s from ten entities of ten references each.
    std::string laughs = R"(<?xml version="1.0"?><!DOCTYPE svg [<!ENTITY a0 "a">)";
    for (int i = 1; i <= 9; ++i) {
        laughs += "<!ENTITY a" + std::to_string(i) + " \"";
        for (int k = 0; k < 10; ++k) laughs += "&a" + std::to_string(i - 1) + ";";
        laughs += "\">";
    }
    laughs +=
        R"(]><svg xmlns="http://www.w3.org/2000/svg" width="16" height="16"><text y="9">&a9;</text></svg>)";
    t_.WriteFile("Laughs.svg", laughs);
    std::filesystem::create_directory(t_ / "in");
    test::WriteSolidBmp24(t_ / "inside.bmp", 4, 4, {200, 0, 0});
    test::WriteSolidBmp24(t_ / "in/sub.bmp", 4, 4, {0, 0, 200});
    t_.WriteFile("in/Ref.svg", R"(<svg xmlns="http://www.w3.org/2000/svg" width="8" height="8">)"
                               R"(<image width="4" height="8" href="sub.bmp"/></svg>)");
    t_.WriteFile("in/Above.svg", R"(<svg xmlns="http://www.w3.org/2000/svg" width="8" height="8">)"
                                 R"(<image x="4" width="4" height="8" href="../inside.bmp"/></svg>)");
    ASSERT_EQ(Run({t_ / "Pt.svg"}), 0) << err.str();
    EXPECT_EQ(test::ReadBmp(t_ / "out/Pt.bmp")->height, 12);
    ASSERT_EQ(Run({t_ / "Frac.svg"}), 0) << err.str();
    EXPECT_EQ(test::ReadBmp(t_ / "out/Frac.bmp")->height, 13);
    const struct {
        const char* file;
        const char* message;
    } refusals[] = {
        {"NoSize.svg", "NoSize.svg: no size; use --size\n"},
        {"Huge.svg", "Huge.svg: 100000 x 100000 pixels would need"},
        {"Laughs.svg", "Laughs.svg: cannot render SVG: "},
        // Above its folder an image is not loaded, and a strip drawn without it would be wrong.
        {"in/Above.svg", "Above.svg: cannot render SVG: the image \"../inside.bmp\" could not be loaded"},
    };
    for (const auto& refusal : refusals) {
        EXPECT_EQ(Run({t_ / refusal.file}), 1) << refusal.file;
        EXPECT_NE(err.str().find(refusal.message), std::string::npos) << err.str();
    }
    ASSERT_EQ(Run({"--size", "8", t_ / "in/Ref.svg"}), 0) << err.str();
    const std::optional<test::Picture> ref = test::ReadBmp(t_ / "out/8x8/Ref.bmp");
    EXPECT_EQ(ref->At(1, 4), (test::Rgb{0, 0, 200}));  // beside the document: loaded
}

// A bitmap already at the size is taken as it is, byte for byte; a smaller one is scaled up with a
// warning naming it.
TEST_F(WeldSvgTest, BitmapsAtAndBelowTheSize) {
    std::filesystem::create_directory(t_ / "icons");
    for (const char* name : {"icons/Open.bmp", "icons/Open_h.bmp", "icons/Open_d.bmp"})
        test::WriteBmp24(t_ / name, 16, 16, [name](int x, int y) {
            return test::Rgb{std::uint8_t(x * 16), std::uint8_t(y * 16), std::uint8_t(std::strlen(name) * 9)};
        });
    test::WriteSolidBmp24(t_ / "icons/Small.bmp", 8, 8, {10, 20, 30});
    ASSERT_EQ(Run({t_ / "icons/Open.bmp", t_ / "icons/Open_h.bmp", t_ / "icons/Open_d.bmp"}), 0);
    ASSERT_EQ(Run({"--size", "16,32", t_ / "icons"}), 0);
    EXPECT_EQ(test::ReadBytes(t_ / "out/16x16/Open.bmp"), test::ReadBytes(t_ / "out/Open.bmp"));
    EXPECT_NE(err.str().find("Small.bmp: warning: the image is 8 x 8; it was scaled up to 16 x 16\n"),
              std::string::npos)
        << err.str();
    EXPECT_NE(err.str().find("Small.bmp: warning: the image is 8 x 8; it was scaled up to 32 x 32\n"),
              std::string::npos);
    EXPECT_EQ(test::ReadBmp(t_ / "out/32x32/Small.bmp")->At(20, 20), (test::Rgb{10, 20, 30}));
}

// The manifest is written last, so whatever would stop it is found first; it may go into the output
// folder the run makes, but never over a strip or a source.
TEST_F(WeldSvgTest, ManifestRefusalsComeBeforeAnyStrip) {
    t_.WriteFile("Open.svg", Icon("16", "#f80"));
    const struct {
        std::string manifest;
        std::string message;  // empty: the run succeeds
    } cases[] = {
        {t_ / "gone/m.json", "m.json: cannot create: its folder does not exist; nothing was written\n"},
        {t_ / "Open.svg", "the manifest would replace " + t_ / "Open.svg" + "; nothing was written\n"},
        {t_ / "out/Open.bmp", "the manifest would replace " + t_ / "out/Open.bmp" + "; nothing was written\n"},
        {t_ / "out/m.json", ""},
    };
    for (const auto& c : cases) {
        const int status = Run({"--manifest", c.manifest, t_ / "Open.svg"});
        EXPECT_EQ(status, c.message.empty() ? 0 : 1) << c.manifest << err.str();
        EXPECT_EQ(std::filesystem::exists(t_ / "out/Open.bmp"), c.message.empty()) << c.manifest;
        if (!c.message.empty()) {
            EXPECT_NE(err.str().find(c.message), std::string::npos) << err.str();
        }
    }
}

}  // namespace
}  // namespace plexon
