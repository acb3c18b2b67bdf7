// Planning the strips of a run: groups of consecutive base names, returning names, names too long.
#include "weld/StripPlan.h"

#include <gtest/gtest.h>
#include "support/TempFolder.h"

namespace plexon {
namespace {

using test::TempFolder;

// The files of one icon form one strip wherever they stand, strips in the order icons first appear;
// of two files for one state the later by natural order of the full path is the source, and a path
// named twice is one file.
TEST(PlanStrips, GroupsByIconWhateverTheOrder) {
    const std::vector<std::string> files{"i/Arrow.bmp",   "i/Arrow10.bmp", "i/Arrow10_d.bmp", "i/Arrow2.bmp",
                                         "i/Arrow_d.bmp", "j/Arrow_h.png", "i/Arrow_h.bmp",   "i/Arrow.bmp"};
    const std::vector<PlannedStrip> strips = PlanStrips(files, SuffixSettings{}, "out/");
    ASSERT_EQ(strips.size(), 3u);
    const struct {
        std::string base;
        std::vector<std::size_t> files;
        std::array<std::size_t, kImageStateCount> sources;
        std::vector<std::size_t> setAside;
    } expected[] = {
        {"Arrow", {0, 4, 5, 6}, {0, 5, 4, kNoSource}, {6}},
        {"Arrow10", {1, 2}, {1, kNoSource, 2, kNoSource}, {}},
        {"Arrow2", {3}, {3, kNoSource, kNoSource, kNoSource}, {}},
    };
    for (std::size_t k = 0; k < strips.size(); ++k) {
        EXPECT_EQ(strips[k].baseName, expected[k].base);
        EXPECT_EQ(strips[k].outputPath, "out/" + expected[k].base + ".bmp");
        EXPECT_EQ(strips[k].files, expected[k].files) << k;
        EXPECT_EQ(strips[k].sources, expected[k].sources) << k;
        EXPECT_EQ(strips[k].setAside, expected[k].setAside) << k;
    }
}

TEST(PlanStrips, UsesTheSuffixLetters) {
    std::vector<std::string> files{"Go.bmp", "Go_x.bmp", "Go_h.bmp"};
    std::vector<PlannedStrip> withX = PlanStrips(files, SuffixSettings{"x", "d", "p"}, "o/");
    ASSERT_EQ(withX.size(), 2u);
    EXPECT_EQ(withX[1].baseName, "Go_h");
    std::vector<PlannedStrip> plain = PlanStrips(files, SuffixSettings{}, "o/");
    ASSERT_EQ(plain.size(), 2u);
    EXPECT_EQ(plain[1].baseName, "Go_x");
    EXPECT_EQ(plain[0].sources[1], 2u);
}

TEST(FindOverlongName, NamesTheFirstStripTooLongForTheFolder) {
    TempFolder t;
    const std::string longest(251, 'a');  // with ".bmp", as long as a name may be
    const std::vector<std::string> files{"i/" + longest, "i/" + longest + "b", "i/" + longest + "c"};
    const std::vector<PlannedStrip> strips = PlanStrips(files, SuffixSettings{}, t.Path());
    EXPECT_EQ(FindOverlongName({strips[0]}, t.Path()), nullptr);
    ASSERT_NE(FindOverlongName(strips, t.Path()), nullptr);
    EXPECT_EQ(FindOverlongName(strips, t.Path())->outputPath, t / (longest + "b.bmp"));
}

}  // namespace
}  // namespace plexon
