// Folder expansion and icon ordering: natural order of base names, states in order, extension case,
// and files given one by one staying as given.
#include "weld/SourceList.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/TempFolder.h"

namespace plexon {
namespace {

using test::TempFolder;

std::vector<std::string> Names(const std::vector<std::string>& paths) {
    std::vector<std::string> names;
    for (const std::string& p : paths) names.push_back(std::filesystem::path(p).filename().string());
    return names;
}

TEST(IsSourceFileName, AcceptsBmpAndPngInAnyCase) {
    for (const char* name :
         {"Open.bmp", "Open.BMP", "Open.Bmp", "a.b.bmp", "Open.png", "Open.PnG", "x.bmp.png"})
        EXPECT_TRUE(IsSourceFileName(name)) << name;
    for (const char* name : {"Open.bmp.txt", "Openbmp", "bmp", "Open.jpg", "Openpng", ".pn", ""})
        EXPECT_FALSE(IsSourceFileName(name)) << name;
}

TEST(SortByIcon, GroupsEachIconInStateOrder) {
    std::vector<std::string> paths{"d/Save_p.bmp", "d/Open_h.bmp", "d/Save.bmp",   "d/Open_p.bmp",
                                   "d/Open.bmp",   "d/Save_d.bmp", "d/Open_d.bmp", "d/Save_h.bmp"};
    SortByIcon(paths, SuffixSettings{});
    EXPECT_EQ(paths,
              (std::vector<std::string>{"d/Open.bmp", "d/Open_h.bmp", "d/Open_d.bmp", "d/Open_p.bmp",
                                        "d/Save.bmp", "d/Save_h.bmp", "d/Save_d.bmp", "d/Save_p.bmp"}));
}

TEST(SortByIcon, OrdersBaseNamesNaturally) {
    std::vector<std::string> paths{"Icon10_h.bmp", "Icon2_h.bmp", "Icon10.bmp", "Icon2.bmp", "Icon1.bmp"};
    SortByIcon(paths, SuffixSettings{});
    EXPECT_EQ(paths, (std::vector<std::string>{"Icon1.bmp", "Icon2.bmp", "Icon2_h.bmp", "Icon10.bmp",
                                               "Icon10_h.bmp"}));
}

TEST(SortByIcon, KeepsAnIconTogetherWhenAnotherNameExtendsIt) {
    // "Open_x" is a base name of its own and must not split Open's files.
    std::vector<std::string> paths{"Open_x.bmp", "Open_h.bmp", "Open.bmp", "Open_x_h.bmp"};
    SortByIcon(paths, SuffixSettings{});
    EXPECT_EQ(paths, (std::vector<std::string>{"Open.bmp", "Open_h.bmp", "Open_x.bmp", "Open_x_h.bmp"}));
}

TEST(SortByIcon, FollowsTheSuffixLetters) {
    SuffixSettings letters{"a", "b", "c"};
    std::vector<std::string> paths{"Go_c.bmp", "Go_h.bmp", "Go_a.bmp", "Go.bmp", "Go_b.bmp"};
    SortByIcon(paths, letters);
    // Go_h is an icon of its own under these letters.
    EXPECT_EQ(paths, (std::vector<std::string>{"Go.bmp", "Go_a.bmp", "Go_b.bmp", "Go_c.bmp", "Go_h.bmp"}));
}

TEST(SortByIcon, BreaksTiesByFileNameSoTheOrderIsFixed) {
    std::vector<std::string> a{"Open.bmp", "Open.BMP"}, b{"Open.BMP", "Open.bmp"};
    SortByIcon(a, SuffixSettings{});
    SortByIcon(b, SuffixSettings{});
    EXPECT_EQ(a, b);
    EXPECT_EQ(a, (std::vector<std::string>{"Open.BMP", "Open.bmp"}));
}

TEST(ExpandSources, AFolderGivesItsBmpFilesInIconOrder) {
    TempFolder t;
    t.MakeFolder("icons/sub");
    for (const char* name : {"Icon10.bmp", "Icon2_H.BMP", "Icon2.Bmp", "Icon2_d.bmp", "Icon10_h.bmp",
                             "notes.txt", "sub/Deep.bmp", "Icon2_h.bmp"})
        t.WriteFile(std::string("icons/") + name);
    std::vector<std::string> files = ExpandSources(std::vector<std::string>{t / "icons"}, SuffixSettings{});
    // "_H" is no suffix with the letter "h": Icon2_H is an icon of its own, after Icon2.
    EXPECT_EQ(Names(files), (std::vector<std::string>{"Icon2.Bmp", "Icon2_h.bmp", "Icon2_d.bmp",
                                                      "Icon2_H.BMP", "Icon10.bmp", "Icon10_h.bmp"}));
    EXPECT_EQ(files[0], t / "icons/Icon2.Bmp");
}

TEST(ExpandSources, AFolderWithATrailingSlashGivesCleanPaths) {
    TempFolder t;
    t.MakeFolder("icons");
    t.WriteFile("icons/A.bmp");
    EXPECT_EQ(ExpandSources(std::vector<std::string>{t / "icons/"}, SuffixSettings{}),
              std::vector<std::string>{t / "icons/A.bmp"});
}

TEST(ExpandSources, FilesStayInTheOrderGiven) {
    TempFolder t;
    t.MakeFolder("more");
    t.WriteFile("more/B.bmp");
    t.WriteFile("more/A.bmp");
    std::vector<std::string> sources{"z/Save.bmp", "z/Open.bmp", t / "more", "missing.bmp"};
    EXPECT_EQ(ExpandSources(sources, SuffixSettings{}),
              (std::vector<std::string>{"z/Save.bmp", "z/Open.bmp", t / "more/A.bmp", t / "more/B.bmp",
                                        "missing.bmp"}));
}

TEST(ExpandSources, FollowsLinksToFoldersAndFiles) {
    TempFolder t;
    t.MakeFolder("real");
    t.WriteFile("real/A.bmp");
    t.WriteFile("elsewhere.bmp");
    std::filesystem::create_directory_symlink(t / "real", t / "alias");
    std::filesystem::create_symlink(t / "elsewhere.bmp", t / "real/B.bmp");
    std::filesystem::create_symlink(t / "gone.bmp", t / "real/C.bmp");  // dangling: no file to weld
    EXPECT_EQ(ExpandSources(std::vector<std::string>{t / "alias"}, SuffixSettings{}),
              (std::vector<std::string>{t / "alias/A.bmp", t / "alias/B.bmp"}));
}

TEST(ExpandSources, AnEmptyFolderGivesNothing) {
    TempFolder t;
    t.MakeFolder("empty");
    t.WriteFile("empty/readme.txt");
    EXPECT_TRUE(ExpandSources(std::vector<std::string>{t / "empty"}, SuffixSettings{}).empty());
}

TEST(SplitSources, TheWindowLeavesOutOtherFilesAndNamesTenOfThem) {
    TempFolder t;
    t.MakeFolder("icons");
    t.WriteFile("icons/A.png");
    t.WriteFile("icons/B.svg");
    t.WriteFile("icons/notes.txt");  // a folder stands for its images
    std::vector<std::string> given{"x/a.gif", t / "icons", "x/B.BMP", "x/C.Svg"};
    for (int i = 0; i < 11; ++i) given.push_back("x/" + std::to_string(i) + ".jpg");
    const WindowSources split = SplitSources(given, SuffixSettings{});
    EXPECT_EQ(split.images,
              (std::vector<std::string>{t / "icons/A.png", t / "icons/B.svg", "x/B.BMP", "x/C.Svg"}));
    EXPECT_EQ(LeftOutText(split.leftOut),
              "These files are not BMP, PNG or SVG images and were left out: a.gif, "
              "0.jpg, 1.jpg, 2.jpg, 3.jpg, 4.jpg, 5.jpg, 6.jpg, 7.jpg, 8.jpg and 2 more.");
}

TEST(FolderTexts, NameTheFolderByItsLastPart) {
    for (const auto& [folder, count] : {std::pair{"/home/me/Icons", "Icons/ (124 images)"},
                                        {"/home/me/Icons//", "Icons/ (124 images)"},
                                        {"/", "/ (124 images)"}})
        EXPECT_EQ(FolderCountText(folder, 124), count);
    EXPECT_EQ(NoImagesText("/home/me/Empty"), "/home/me/Empty/ holds no .bmp, .png or .svg images.");
}

}  // namespace
}  // namespace plexon
