// plexon split in process: strips of every format cut and welded back byte for byte, and the
// refusals that leave the output folder unwritten.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/CommandLine.h"
#include "support/BmpFiles.h"
#include "support/PngFiles.h"
#include "support/TempFolder.h"

namespace plexon {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;

class SplitCommandTest : public ::testing::Test {
  protected:
    int Run(std::vector<std::string> args) {
        args.insert(args.begin() + 1, {"-q", "--config", t_ / "none.ini"});
        out.str("");
        err.str("");
        Console console{out, err, ProgressDisplay::None};
        return RunCommandLine(args, "test", console);
    }

    // An RGBA PNG of the state, alpha and colour varying by pixel.
    void WriteState(const std::string& name, int state, std::uint16_t width = 5, std::uint16_t height = 5) {
        test::PngPicture picture;
        picture.width = width;
        picture.height = height;
        for (std::uint16_t y = 0; y < height; ++y)
            for (std::uint16_t x = 0; x < width; ++x)
                picture.samples.insert(picture.samples.end(),
                                       {std::uint16_t(40 * state), std::uint16_t(25 * x),
                                        std::uint16_t(50 * y), std::uint16_t(255 - 6 * x * y)});
        const std::vector<std::uint8_t> bytes = test::MakePng(picture);
        std::ofstream(t_ / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }

    // The names in the folder, sorted, each followed by a space.
    std::string Names(const std::string& folder) const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(t_ / folder))
            names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        std::string list;
        for (const std::string& name : names) list += name + " ";
        return list;
    }

    test::TempFolder t_;
    std::ostringstream out, err;
};

TEST_F(SplitCommandTest, WeldingTheSplitFilesGivesTheStripBackByteForByte) {
    const struct {
        std::string format, count, order, hot;
        bool countGiven;  // else split takes it from the strip's width and height
        std::string files;
    } cases[] = {
        {"bmp", "3", "pressed,normal,hot", "h", false, "Go.bmp Go_h.bmp Go_p.bmp "},
        {"png", "4", "hot,disabled,normal,pressed", "h", true, "Go.png Go_d.png Go_h.png Go_p.png "},
        {"bmp-alpha", "2", "disabled,hot", "x", false, "Go_d.bmp Go_x.bmp "},
    };
    fs::create_directory(t_ / "icons");
    int state = 0;
    for (const char* name : {"Go.png", "Go_h.png", "Go_d.png", "Go_p.png", "Go_x.png"})
        WriteState(std::string("icons/") + name, ++state);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
        const std::string extension = c.format == "png" ? ".png" : ".bmp";
        fs::remove_all(t_ / "parts");
        const auto weld = [&](const std::string& folder, const std::string& sources) {
            return Run({"weld", "--suffix-hot", c.hot, "--format", c.format, "-n", c.count, "--order",
                        c.order, "-o", t_ / folder, t_ / sources});
        };
        ASSERT_EQ(weld("strips", "icons"), 0) << err.str();
        const std::string strip = t_ / ("strips/Go" + extension);
        std::vector<std::string> split{"split", "--suffix-hot", c.hot,        "--order",
                                       c.order, "-o",           t_ / "parts", strip};
        if (c.countGiven) split.insert(split.end(), {"-n", c.count});
        ASSERT_EQ(Run(split), 0) << err.str();
        EXPECT_EQ(Names("parts"), c.files);
        ASSERT_EQ(weld("again", "parts"), 0) << err.str();
        EXPECT_EQ(ReadBytes(t_ / ("again/Go" + extension)), ReadBytes(strip));
    }
}

TEST_F(SplitCommandTest, RefusalsNameTheirCauseAndWriteNothing) {
    fs::create_directory(t_ / "strips");
    WriteState("strips/Go.png", 1, 10, 5);
    WriteState("strips/Odd.png", 1, 7, 3);
    fs::create_directory_symlink(t_ / "strips", t_ / "link");  // the strips' folder by another name
    const std::string go = t_ / "strips/Go.png", odd = t_ / "strips/Odd.png";
    const std::string notes = t_.WriteFile("strips/Notes.bmp", "no picture"), parts = t_ / "parts";
    const struct {
        std::vector<std::string> args;
        int status;
        std::string message;
    } cases[] = {
        {{"split", "-o", parts, odd},
         1,
         "plexon: " + odd + ": the strip is 7 x 3, not 2, 3 or 4 squares of its height.\n"},
        {{"split", "-n", "3", "-o", parts, go},
         1,
         "plexon: " + go + ": the strip is 10 x 5, not 3 squares of its height.\n"},
        {{"split", "--order", "hot", "-o", parts, go},
         1,
         "plexon: " + go + ": the strip is 10 x 5, 2 slots; --order names 1 state.\n"},
        {{"split", "-o", t_ / "link", go},
         1,
         "plexon: " + t_ / "link" + ": the strip " + go +
             " is in this folder; its files would replace it.\n"},
        {{"split", "--order", "hot,normal,hot", "-o", parts, go},
         2,
         "plexon: --order names hot twice; each state is one file\nTry 'plexon --help' for more "
         "information.\n"},
        {{"split", "-o", parts, go, notes}, 1, "plexon: " + notes + ": not a BMP or PNG image\n"},
        // Headers claiming more than can be held: the reader's reason, the memory rule's text.
        {{"split", "-o", parts, t_ / "huge/Wide.png"}, 1, "plexon: " + t_ / "huge/Wide.png" + ": PNG too large: 24000 x 8000\n"},
        {{"split", "-o", parts, t_ / "huge/Rle.bmp"},
         1,
         "plexon: " + t_ / "huge/Rle.bmp" + ": 40000 x 10000 pixels would need 3052 MB; the limit is 512 MB\n"},
        // Through links: the strip itself, and another strip that is a file the first one's split writes.
        {{"split", "-o", t_ / "strips", t_ / "via/Go.png"},
         1,
         "plexon: " + go + ": it is the strip " + t_ / "via/Go.png" + ", which a file split from " +
             t_ / "via/Go.png" + " would replace; nothing was written\n"},
        {{"split", "-o", t_ / "made", go, t_ / "via/Back.png"},
         1,
         "plexon: " + t_ / "made/Go_h.png" + ": it is the strip " + t_ / "via/Back.png" +
             ", which a file split from " + go + " would replace; nothing was written\n"},
    };
    // Headers alone: signature, IHDR with its CRC, and a start of data.
    fs::create_directory(t_ / "huge");
    const std::string ihdr =
        std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\x5d\xc0\0\0\x1f\x40\x08\x06\0\0\0\x6e\xd0\x04\xdb", 33);
    t_.WriteFile("huge/Wide.png", ihdr + std::string("\0\0\0\x01IDAT\0", 9));
    std::string bmp;
    for (const auto& [value, bytes] : std::initializer_list<std::pair<std::uint32_t, int>>{
             {0x4D42, 2}, {56, 4}, {0, 4}, {54, 4}, {40, 4}, {40000, 4}, {10000, 4}, {1, 2}, {8, 2}, {1, 4}})
        test::PutLe(bmp, value, bytes);
    t_.WriteFile("huge/Rle.bmp", bmp + std::string(22, '\0'));
    fs::create_directory(t_ / "via");
    fs::create_directory(t_ / "made");
    WriteState("made/Go_h.png", 2, 10, 5);
    fs::create_symlink(go, t_ / "via/Go.png");
    fs::create_symlink(t_ / "made/Go_h.png", t_ / "via/Back.png");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[c.args.size() - 2]);
        EXPECT_EQ(Run(c.args), c.status);
        EXPECT_EQ(err.str(), c.message);
        EXPECT_FALSE(fs::exists(parts));
        EXPECT_EQ(Names("strips"), "Go.png Notes.bmp Odd.png ");
        EXPECT_EQ(Names("made"), "Go_h.png ");
    }
}

}  // namespace
}  // namespace plexon
