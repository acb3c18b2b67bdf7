// The settings file through ReadSettings and SaveSettings: defaults, values kept exactly or read as
// their default, write order, one section per name, new files and folders, and the documented error.
#include "weld/Settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "runtime/Exceptions.h"
#include "support/TempFolder.h"

namespace plexon {
namespace {

std::string Read(const std::string& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

using enum ImageState;

TEST(ReadSettings, EachKeyGivesItsValueOrItsDefault) {
    const SlotStates reversed = {Pressed, Disabled, Hot, Normal};
    const struct {
        const char* text;
        SuffixSettings suffixes;
        WindowChoices choices;
        const char* unknownFormat;
    } cases[] = {
        {"", {}, {}, ""},
        {"[Suffix]\nHotFile=x\n", {}, {}, ""},  // another section
        {"[FileSuffix]\nHotFile=\nPressedFile=hh\n", {"", "d", "hh"}, {}, ""},
        {"[window]\nSourceFolder=/a b/\nOutputFolder = "
         "/c\n[WELD]\nStateCount=4\nOrder=pressed,DISABLED,Hot,normal\n"
         "StripFormat=bmp-alpha\nDeriveMissing=1\nSvgSize=48\n",
         {},
         {"/a b/", "/c", 4, reversed, StripFormat::BmpAlpha, true, 48},
         ""},
        {"[Weld]\nStateCount=5\nOrder=Normal,Hot,Disabled\nStripFormat=PNG\nDeriveMissing=Y\nSvgSize=33\n",
         {},
         {},
         "PNG"},
        {"[Weld]\nStateCount=33\nOrder=Normal,Hot,Disabled,Pressed,Hot\nStripFormat=png\n",
         {},
         {"", "", 3, kDefaultSlotStates, StripFormat::Png},
         ""},
        {"[Weld]\nStateCount=2\nOrder=Normal,,Hot,Pressed\n[Weld]\nStripFormat=png\n",
         {},
         {"", "", 2, kDefaultSlotStates, StripFormat::Bmp},
         ""},
    };
    test::TempFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const SettingsRead read = ReadSettings(folder.WriteFile("config.ini", c.text));
        EXPECT_EQ(read.suffixes, c.suffixes);
        EXPECT_EQ(read.choices, c.choices);
        EXPECT_EQ(read.unknownFormat, c.unknownFormat);
        EXPECT_EQ(read.refusal, "");
    }
    EXPECT_EQ(ReadSettings(folder / "missing.ini").choices, WindowChoices{});
}

TEST(SaveSettings, WritesEverySectionOnceAndKeepsTheRest) {
    test::TempFolder folder;
    SaveSettings(folder / "new/config.ini", SuffixSettings{}, WindowChoices{});  // its folder made too
    EXPECT_EQ(
        Read(folder / "new/config.ini"),
        "[FileSuffix]\nHotFile=h\nDisabledFile=d\nPressedFile=p\n[Window]\nSourceFolder=\nOutputFolder=\n"
        "[Weld]\nStateCount=3\nOrder=Normal,Hot,Disabled,Pressed\nStripFormat=bmp\nDeriveMissing=0\nSvgSize="
        "32\n");
    const std::string path = folder.WriteFile(
        "config.ini",
        "[Window]\nLeft=3\n[FileSuffix]\nPressedFile=q\nHotFile=hh\nDisabledFile=\n[Window]\nTop=1\n");
    const SettingsRead loaded = ReadSettings(path);
    const WindowChoices choices{"/src/",          "/out\nx/", 2, {Hot, Hot, Normal, Normal},
                                StripFormat::Png, true,       16};
    SaveSettings(path, loaded.suffixes, choices);
    EXPECT_EQ(Read(path),
              "[Window]\nLeft=3\nSourceFolder=/src/\nOutputFolder=\n[FileSuffix]\nPressedFile=q\nHotFile=hh\n"
              "DisabledFile=\n[Window]\nTop=1\n[Weld]\nStateCount=2\nOrder=Hot,Hot,Normal,"
              "Normal\nStripFormat=png\nDeriveMissing=1\nSvgSize=16\n");
    const SettingsRead again = ReadSettings(path);
    EXPECT_EQ(again.suffixes, loaded.suffixes);
    EXPECT_EQ(again.choices.order, choices.order);
    EXPECT_TRUE(again.choices.deriveMissing);
    EXPECT_EQ(again.choices.svgSize, 16);
}

TEST(SaveSettings, UnwritableFileRaisesWithItsFullPath) {
    test::TempFolder folder;
    std::filesystem::create_directory(folder / "config.ini");
    try {
        SaveSettings(folder / "config.ini", SuffixSettings{}, {});
        ADD_FAILURE() << "no exception";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(e.Message(), "Unable to write to " + folder / "config.ini");
    }
}

}  // namespace
}  // namespace plexon
