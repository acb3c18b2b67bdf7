// The weld run on real files: grouping, slot order, unused states, sizes, progress, elapsed time and
// what is left on disk when a run fails part way.
#include "weld/WeldRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "runtime/Exceptions.h"
#include "support/BmpFiles.h"
#include "support/TempFolder.h"

namespace plexon {
namespace {

using enum ImageState;
using test::MakeRgb;
using test::Picture;
using test::Rgb;

namespace fs = std::filesystem;

// Source pictures carry their own colour in red and their coordinates in green and blue, so a strip
// shows which file filled a slot and whether it was cut rather than scaled.
Rgb SourcePixel(int tag, int32_t x, int32_t y) {
    return MakeRgb(tag, x, y);
}

class WeldRunTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directory(folder_ / "src");
        fs::create_directory(folder_ / "out");
    }

    // A source picture named name, size x size, of colour tag; gives its path.
    std::string Source(const std::string& name, int tag, int32_t size = 16) const {
        const std::string path = folder_ / ("src/" + name);
        test::WriteBmp24(path, size, size, [tag](int32_t x, int32_t y) { return SourcePixel(tag, x, y); });
        return path;
    }
    std::string SourceBytes(const std::string& name, const std::string& bytes) const {
        return folder_.WriteFile("src/" + name, bytes);
    }

    WeldRequest Request(std::vector<std::string> files, int stateCount, SlotStates slots,
                        int32_t imageSize = 16) const {
        WeldRequest request;
        request.FileList = std::move(files);
        request.ImageSize = imageSize;
        request.StateCount = stateCount;
        request.Slots = slots;
        request.OutputFolder = folder_ / "out/";
        return request;
    }

    std::vector<int> Run(WeldRequest request) const {
        std::vector<int> positions;
        WeldRun run(std::move(request));
        run.Execute([&positions](int position) { positions.push_back(position); });
        return positions;
    }

    std::set<std::string> Outputs() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_ / "out"))
            names.insert(entry.path().filename().string());
        return names;
    }

    Picture Output(const std::string& name) const {
        const auto picture = test::ReadBmp(folder_ / ("out/" + name));
        EXPECT_TRUE(picture.has_value()) << name << " is not a readable strip";
        return picture.value_or(Picture{});
    }

    test::TempFolder folder_;
};

// Every pixel of the slot shows the source of that tag from its top-left corner.
void ExpectSlot(const Picture& strip, int slot, int tag, int32_t size = 16) {
    int wrong = 0;
    for (int32_t y = 0; y < size; ++y)
        for (int32_t x = 0; x < size; ++x)
            if (strip.At(slot * size + x, y) != SourcePixel(tag, x, y)) ++wrong;
    EXPECT_EQ(wrong, 0) << "slot " << slot << " does not show picture " << tag;
}

void ExpectWhiteSlot(const Picture& strip, int slot, int32_t size = 16) {
    int wrong = 0;
    for (int32_t y = 0; y < size; ++y)
        for (int32_t x = 0; x < size; ++x)
            if (strip.At(slot * size + x, y) != test::kWhite) ++wrong;
    EXPECT_EQ(wrong, 0) << "slot " << slot << " is not white";
}

// Grouping and slots

TEST_F(WeldRunTest, OneFileGivesOneStripAndNoProgress) {
    const auto positions = Run(Request({Source("Open.bmp", 10)}, 3, kDefaultSlotStates));
    EXPECT_TRUE(positions.empty());
    EXPECT_EQ(Outputs(), std::set<std::string>{"Open.bmp"});
    const Picture strip = Output("Open.bmp");
    ASSERT_EQ(strip.width, 48);
    ASSERT_EQ(strip.height, 16);
    ExpectSlot(strip, 0, 10);
    ExpectWhiteSlot(strip, 1);
    ExpectWhiteSlot(strip, 2);
}

TEST_F(WeldRunTest, TwoIconsOfThreeStatesGiveTwoStrips) {
    Run(Request({Source("Open.bmp", 10), Source("Open_h.bmp", 20), Source("Open_d.bmp", 30),
                 Source("Save.bmp", 40), Source("Save_h.bmp", 50), Source("Save_d.bmp", 60)},
                3, kDefaultSlotStates));
    EXPECT_EQ(Outputs(), (std::set<std::string>{"Open.bmp", "Save.bmp"}));
    const Picture open = Output("Open.bmp");
    const Picture save = Output("Save.bmp");
    ASSERT_EQ(open.width, 48);
    ASSERT_EQ(save.width, 48);
    ExpectSlot(open, 0, 10);
    ExpectSlot(open, 1, 20);
    ExpectSlot(open, 2, 30);
    ExpectSlot(save, 0, 40);
    ExpectSlot(save, 1, 50);
    ExpectSlot(save, 2, 60);
}

TEST_F(WeldRunTest, SlotsFollowTheChosenOrder) {
    Run(Request({Source("Open.bmp", 10), Source("Open_h.bmp", 20)}, 2,
                SlotStates{Hot, Normal, Disabled, Pressed}));
    const Picture strip = Output("Open.bmp");
    ASSERT_EQ(strip.width, 32);
    ExpectSlot(strip, 0, 20);
    ExpectSlot(strip, 1, 10);
}

TEST_F(WeldRunTest, OneStateMayFillSeveralSlots) {
    Run(Request({Source("Open.bmp", 10), Source("Open_h.bmp", 20)}, 2, SlotStates{Normal, Normal, Hot, Hot}));
    const Picture strip = Output("Open.bmp");
    ASSERT_EQ(strip.width, 32);
    ExpectSlot(strip, 0, 10);
    ExpectSlot(strip, 1, 10);
}

TEST_F(WeldRunTest, UnusedStateFileIsNotOpenedAndDoesNotSplitTheGroup) {
    // Not a bitmap: opening it would end the run.
    const std::string disabled = SourceBytes("Open_d.bmp", "not a bitmap");
    Run(Request({Source("Open.bmp", 10), disabled, Source("Open_h.bmp", 20)}, 2, kDefaultSlotStates));
    EXPECT_EQ(Outputs(), std::set<std::string>{"Open.bmp"});
    const Picture strip = Output("Open.bmp");
    ExpectSlot(strip, 0, 10);
    ExpectSlot(strip, 1, 20);
}

// An icon whose files are interleaved with another's still forms one strip; a state it has no file
// for is white, never an earlier icon's image.
TEST_F(WeldRunTest, InterleavedIconsFormOneStripEachAndMissingStatesAreWhite) {
    Run(Request({Source("Open.bmp", 10), Source("Save.bmp", 40), Source("Open_h.bmp", 20)}, 2,
                kDefaultSlotStates));
    EXPECT_EQ(Outputs(), (std::set<std::string>{"Open.bmp", "Save.bmp"}));
    const Picture open = Output("Open.bmp");
    ExpectSlot(open, 0, 10);
    ExpectSlot(open, 1, 20);
    const Picture save = Output("Save.bmp");
    ExpectSlot(save, 0, 40);
    ExpectWhiteSlot(save, 1);
}

TEST_F(WeldRunTest, OutputFolderWithoutDelimiterStillWritesInsideIt) {
    WeldRequest request = Request({Source("Open.bmp", 10)}, 2, kDefaultSlotStates);
    request.OutputFolder.pop_back();
    Run(request);
    EXPECT_EQ(Outputs(), std::set<std::string>{"Open.bmp"});
}

// Sizes

TEST_F(WeldRunTest, LargerFileBeforeTheEndIsCutToTheSlot) {
    Run(Request({Source("Open.bmp", 10), Source("Open_h.bmp", 20, 24), Source("Open_d.bmp", 30)}, 3,
                kDefaultSlotStates));
    const Picture strip = Output("Open.bmp");
    ASSERT_EQ(strip.width, 48);
    ASSERT_EQ(strip.height, 16);
    ExpectSlot(strip, 0, 10);
    ExpectSlot(strip, 1, 20);
    ExpectSlot(strip, 2, 30);
}

TEST_F(WeldRunTest, SmallerFileBeforeTheEndIsExtendedWithWhite) {
    Run(Request({Source("Open.bmp", 10), Source("Open_h.bmp", 20), Source("Save.bmp", 40),
                 Source("Save_h.bmp", 50, 8), Source("Zoom.bmp", 60)},
                2, kDefaultSlotStates));
    const Picture save = Output("Save.bmp");
    int wrong = 0;
    for (int32_t y = 0; y < 16; ++y)
        for (int32_t x = 0; x < 16; ++x)
            if (save.At(16 + x, y) != (x < 8 && y < 8 ? SourcePixel(50, x, y) : test::kWhite)) ++wrong;
    EXPECT_EQ(wrong, 0) << "the Hot slot is not the 8 x 8 picture on white";
}

TEST_F(WeldRunTest, StateWithoutAnyFileShowsAWhiteSquare) {
    // The oversized Hot picture would show through in the Disabled slot if that slot drew nothing.
    Run(Request({Source("Open_h.bmp", 20, 24), Source("Open.bmp", 10)}, 3, kDefaultSlotStates));
    const Picture strip = Output("Open.bmp");
    ExpectSlot(strip, 0, 10);
    ExpectSlot(strip, 1, 20);
    ExpectWhiteSlot(strip, 2);
}

TEST_F(WeldRunTest, LargerLastFileIsPaintedOverByLaterSlotsAndCutAtTheEdges) {
    Run(Request({Source("Open.bmp", 10), Source("Open_d.bmp", 30), Source("Open_h.bmp", 20, 24)}, 3,
                SlotStates{Normal, Hot, Disabled, Pressed}));
    const Picture strip = Output("Open.bmp");
    ASSERT_EQ(strip.width, 48);
    ASSERT_EQ(strip.height, 16);
    ExpectSlot(strip, 1, 20);
    ExpectSlot(strip, 2, 30);
}

TEST_F(WeldRunTest, LargeFirstFileWithFourStates) {
    Run(Request({Source("Open.bmp", 10, 64), Source("Open_h.bmp", 20, 64), Source("Open_d.bmp", 30, 64),
                 Source("Open_p.bmp", 50, 64)},
                4, kDefaultSlotStates, 64));
    const Picture strip = Output("Open.bmp");
    ASSERT_EQ(strip.width, 256);
    ASSERT_EQ(strip.height, 64);
    ExpectSlot(strip, 0, 10, 64);
    ExpectSlot(strip, 1, 20, 64);
    ExpectSlot(strip, 2, 30, 64);
    ExpectSlot(strip, 3, 50, 64);
}

// A 32-bit source's fourth byte (10 20 30 80 here, and the suite's files with alpha masks) never
// reaches a strip: every strip pixel is blue, green, red, 0.
TEST_F(WeldRunTest, StripPixelsEndInZeroWhateverTheSource) {
    std::string bmp = "BM";
    for (const uint32_t field : {54u + 1024u, 0u, 54u, 40u, 16u, 16u}) test::PutLe(bmp, field, 4);
    test::PutLe(bmp, 1, 2);
    test::PutLe(bmp, 32, 2);
    for (const uint32_t field : {0u, 1024u, 0u, 0u, 0u, 0u}) test::PutLe(bmp, field, 4);
    for (int i = 0; i < 256; ++i) bmp += std::string("\x0A\x14\x1E\x80", 4);
    const fs::path suite = fs::path(PLEXON_TESTDATA) / "bmpsuite/q";
    for (const std::string& source :
         {SourceBytes("Open.bmp", bmp), (suite / "rgba32-1.bmp").string(), (suite / "rgba32-2.bmp").string(),
          (suite / "rgb32fakealpha.bmp").string()}) {
        Run(Request({source, Source("Open_h.bmp", 20)}, 2, kDefaultSlotStates));
        std::ifstream file(folder_ / "out/Open.bmp", std::ios::binary);
        const std::string strip((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        ASSERT_EQ(test::GetLe(strip, 28, 2), 32u);
        int nonzero = 0;
        for (std::size_t at = test::GetLe(strip, 10, 4) + 3; at < strip.size(); at += 4)
            nonzero += strip[at] != 0;
        EXPECT_EQ(nonzero, 0) << source;
        // Its fourth bytes are alpha 128: blended over white.
        if (source.ends_with("src/Open.bmp")) {
            EXPECT_EQ(Output("Open.bmp").At(0, 0), MakeRgb(142, 137, 132));
        }
    }
}

TEST_F(WeldRunTest, EmptyFirstFileGivesEmptyStrips) {
    Run(Request({SourceBytes("Open.bmp", ""), Source("Save.bmp", 40)}, 2, kDefaultSlotStates, 0));
    EXPECT_EQ(Outputs(), (std::set<std::string>{"Open.bmp", "Save.bmp"}));
    EXPECT_EQ(fs::file_size(folder_ / "out/Open.bmp"), 0u);
    EXPECT_EQ(fs::file_size(folder_ / "out/Save.bmp"), 0u);
}

// Progress and time

TEST_F(WeldRunTest, NineFilesReportRoundedPositions) {
    std::vector<std::string> files;
    for (int i = 1; i <= 9; ++i) files.push_back(Source("Icon" + std::to_string(i) + ".bmp", i * 10));
    EXPECT_EQ(Run(Request(files, 2, kDefaultSlotStates)),
              (std::vector<int>{0, 12, 25, 38, 50, 62, 75, 88, 100}));
    EXPECT_EQ(Outputs().size(), 9u);
}

TEST_F(WeldRunTest, ElapsedTimeIsRightAcrossATickWrap) {
    std::vector<uint32_t> readings{0xFFFFFF00u, 0x00000100u};
    size_t next = 0;
    WeldRun run(Request({Source("Open.bmp", 10)}, 2, kDefaultSlotStates),
                [&] { return readings.at(next++); });
    EXPECT_EQ(next, 1u) << "the start time is taken when the run begins";
    EXPECT_EQ(run.Execute({}), 0x200u);
    EXPECT_EQ(next, 2u);
}

// Failures

TEST_F(WeldRunTest, InvalidFileMidRunKeepsEarlierStripsAndRaises) {
    const std::vector<std::string> files{Source("Open.bmp", 10), Source("Open_h.bmp", 20),
                                         SourceBytes("Save.bmp", "This file is no bitmap at all"),
                                         Source("Save_h.bmp", 50), Source("Zoom.bmp", 60)};
    try {
        Run(Request(files, 2, kDefaultSlotStates));
        ADD_FAILURE() << "no exception";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), "Bitmap image is not valid");
    }
    EXPECT_EQ(Outputs(), std::set<std::string>{"Open.bmp"});
    const Picture open = Output("Open.bmp");
    ExpectSlot(open, 0, 10);
    ExpectSlot(open, 1, 20);
}

TEST_F(WeldRunTest, MissingSourceRaisesCannotOpen) {
    const std::string missing = folder_ / "src/Open_h.bmp";
    try {
        Run(Request({Source("Open.bmp", 10), missing}, 2, kDefaultSlotStates));
        ADD_FAILURE() << "no exception";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "Cannot open file " + missing);
    }
    EXPECT_TRUE(Outputs().empty());
}

TEST_F(WeldRunTest, UnwritableStripRaisesCannotCreate) {
    WeldRequest request = Request({Source("Open.bmp", 10)}, 2, kDefaultSlotStates);
    request.OutputFolder = folder_ / "gone/";
    try {
        Run(request);
        ADD_FAILURE() << "no exception";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message(), "Cannot create file " + folder_ / "gone/Open.bmp");
    }
}

TEST_F(WeldRunTest, UnusableRequestIsRefusedWhenTheRunBegins) {
    EXPECT_THROW(WeldRun(Request({Source("Open.bmp", 10)}, 5, kDefaultSlotStates)), EInvalidOperation);
    EXPECT_THROW(WeldRun(Request({Source("Open.bmp", 10)}, 1, kDefaultSlotStates)), EInvalidOperation);
    EXPECT_THROW(WeldRun(Request({Source("Open.bmp", 10)}, 2, kDefaultSlotStates, -1)), EInvalidOperation);
    EXPECT_THROW(WeldRun(Request({Source("Open.bmp", 10)}, 4, kDefaultSlotStates, 0x20000000)),
                 EInvalidOperation);
}

TEST_F(WeldRunTest, EmptyFileListWritesNothing) {
    EXPECT_TRUE(Run(Request({}, 3, kDefaultSlotStates)).empty());
    EXPECT_TRUE(Outputs().empty());
}

}  // namespace
}  // namespace plexon
