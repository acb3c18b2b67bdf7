// Stem, state and base name of source paths, with the default letters and with unusual settings.
#include "weld/SourceNaming.h"

#include <gtest/gtest.h>

namespace plexon {
namespace {

using enum ImageState;

struct NamingCase {
    const char* path;
    const char* stem;
    ImageState state;
    const char* baseName;
};

class DefaultLetters : public ::testing::TestWithParam<NamingCase> {};

TEST_P(DefaultLetters, StemStateAndBaseName) {
    const NamingCase& c = GetParam();
    const SuffixSettings defaults;
    const std::string stem = ExtractStem(c.path);
    EXPECT_EQ(stem, c.stem);
    EXPECT_EQ(StateOfStem(stem, defaults), c.state);
    EXPECT_EQ(BaseNameOfStem(stem, defaults), c.baseName);
}

INSTANTIATE_TEST_SUITE_P(SourceNaming, DefaultLetters,
                         ::testing::Values(NamingCase{"/icons/Open.bmp", "Open", Normal, "Open"},
                                           NamingCase{"/icons/Open_h.bmp", "Open_h", Hot, "Open"},
                                           NamingCase{"/icons/Open_d.bmp", "Open_d", Disabled, "Open"},
                                           NamingCase{"/icons/Open_p.bmp", "Open_p", Pressed, "Open"},
                                           NamingCase{"/icons/Open_H.bmp", "Open_H", Normal, "Open_H"},
                                           NamingCase{"/icons/Open_x.bmp", "Open_x", Normal, "Open_x"},
                                           NamingCase{"/icons/Open-h.bmp", "Open-h", Normal, "Open-h"},
                                           NamingCase{"/icons/Open_h.bmp.bmp", "Open_h", Hot, "Open"},
                                           NamingCase{"/icons/Open_h", "Open_h", Hot, "Open"},
                                           NamingCase{"/my.icons/Open", "Open", Normal, "Open"},
                                           NamingCase{"/icons/_p.bmp", "_p", Pressed, ""},
                                           NamingCase{"/icons/p.bmp", "p", Normal, "p"},
                                           NamingCase{"/icons/.bmp", "", Normal, ""}));

// A suffix letter is one character of however many bytes; the stem's last character is compared
// whole, and a stray byte is a character of its own.
TEST(SourceNaming, LettersBeyondAsciiAreOneCharacter) {
    SuffixSettings settings;
    settings.SuffixHot = "\xC3\xA4";          // a umlaut
    settings.SuffixDisabled = "\xD0\xB6";     // Cyrillic zhe
    settings.SuffixPressed = "\xE3\x82\xA2";  // Katakana a
    const NamingCase cases[] = {
        {"/Bilder/Gr\xC3\xB6\xC3\x9F"
         "e_\xC3\xA4.bmp",
         "Gr\xC3\xB6\xC3\x9F"
         "e_\xC3\xA4",
         Hot,
         "Gr\xC3\xB6\xC3\x9F"
         "e"},
        {"/\xD0\x98\xD0\xBA\xD0\xBE\xD0\xBD\xD0\xBA\xD0\xB8_\xD0\xB6.bmp",
         "\xD0\x98\xD0\xBA\xD0\xBE\xD0\xBD\xD0\xBA\xD0\xB8_\xD0\xB6", Disabled,
         "\xD0\x98\xD0\xBA\xD0\xBE\xD0\xBD\xD0\xBA\xD0\xB8"},
        {"/\xE3\x82\xA2\xE3\x82\xA4_\xE3\x82\xA2.bmp", "\xE3\x82\xA2\xE3\x82\xA4_\xE3\x82\xA2", Pressed,
         "\xE3\x82\xA2\xE3\x82\xA4"},
        {"/_\xE3\x82\xA2.bmp", "_\xE3\x82\xA2", Pressed, ""},
        // The last two bytes of a Greek name are no suffix; neither is "_" and half a letter.
        {"/\xCE\x95\xCE\xB9_\xC3.bmp", "\xCE\x95\xCE\xB9_\xC3", Normal, "\xCE\x95\xCE\xB9_\xC3"},
        {"/\xC3\xA4.bmp", "\xC3\xA4", Normal, "\xC3\xA4"},
        {"/Open_\xA4.bmp", "Open_\xA4", Normal, "Open_\xA4"},
    };
    for (const NamingCase& c : cases) {
        const std::string stem = ExtractStem(c.path);
        EXPECT_EQ(stem, c.stem);
        EXPECT_EQ(StateOfStem(stem, settings), c.state) << c.path;
        EXPECT_EQ(BaseNameOfStem(stem, settings), c.baseName) << c.path;
    }
    settings.SuffixHot = "\xA4";  // a stray byte is a letter of its own
    EXPECT_EQ(StateOfStem("Open_\xA4", settings), Hot);
    EXPECT_EQ(StateOfStem("Open\xC3\xA4", settings), Normal);
}

TEST(ExtractStem, EveryOccurrenceOfTheExtensionGoesCaseSensitively) {
    EXPECT_EQ(ExtractStem("/icons/Open.BMP"), "Open");
    EXPECT_EQ(ExtractStem("/icons/a.bmpb.bmp"), "ab");
    EXPECT_EQ(ExtractStem("/icons/a.BMPb.bmp"), "a.BMPb");
    EXPECT_EQ(ExtractStem("/icons/a.bmp.bmp.bmp"), "a");
}

TEST(ExtractStem, OnlySlashEndsAFolder) {
    EXPECT_EQ(ExtractStem("Open_h.bmp"), "Open_h");
    EXPECT_EQ(ExtractStem("/icons/C:Open.bmp"), "C:Open");
    EXPECT_EQ(ExtractStem("/icons\\Open.bmp"), "icons\\Open");
    EXPECT_EQ(ExtractStem("/icons/"), "");
    EXPECT_EQ(ExtractStem("/my.icons/sub/Open"), "Open");
}

TEST(StateOfStem, SameLetterTwiceGivesTheEarlierState) {
    SuffixSettings settings;
    settings.SuffixHot = "x";
    settings.SuffixDisabled = "x";
    EXPECT_EQ(StateOfStem("Open_x", settings), Hot);
    EXPECT_EQ(BaseNameOfStem("Open_x", settings), "Open");
    settings.SuffixPressed = "x";
    settings.SuffixHot = "h";
    EXPECT_EQ(StateOfStem("Open_x", settings), Disabled);
}

TEST(StateOfStem, EmptySettingNeverMatches) {
    SuffixSettings settings;
    settings.SuffixHot = "";
    EXPECT_EQ(StateOfStem("Open_h", settings), Normal);
    EXPECT_EQ(BaseNameOfStem("Open_h", settings), "Open_h");
    EXPECT_EQ(StateOfStem("Open_", settings), Normal);
    EXPECT_EQ(BaseNameOfStem("Open_", settings), "Open_");
}

TEST(StateOfStem, LongerSettingNeverMatches) {
    SuffixSettings settings;
    settings.SuffixHot = "hh";
    EXPECT_EQ(StateOfStem("Open_hh", settings), Normal);
    EXPECT_EQ(StateOfStem("Open_h", settings), Normal);
    EXPECT_EQ(BaseNameOfStem("Open_hh", settings), "Open_hh");
}

TEST(StateOfStem, DigitsAndShortStems) {
    SuffixSettings settings;
    settings.SuffixPressed = "3";
    EXPECT_EQ(StateOfStem("Open_3", settings), Pressed);
    EXPECT_EQ(BaseNameOfStem("Open_3", settings), "Open");
    EXPECT_EQ(StateOfStem("h", settings), Normal);
    EXPECT_EQ(StateOfStem("", settings), Normal);
    EXPECT_EQ(BaseNameOfStem("", settings), "");
}

}  // namespace
}  // namespace plexon
