// The path-text rules every layer shares: the delimiter is "/" alone.
#include "runtime/PathText.h"

#include <gtest/gtest.h>

namespace plexon {
namespace {

TEST(PathText, FolderAndFileNameParts) {
    const struct {
        const char* path;
        const char* folder;
        const char* name;
    } cases[] = {
        {"/icons/Open.bmp", "/icons/", "Open.bmp"},
        {"icons/", "icons/", ""},
        {"Open.bmp", "", "Open.bmp"},
        {"/", "/", ""},
        {"", "", ""},
        {"c:\\icons\\Open.bmp", "", "c:\\icons\\Open.bmp"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExtractFilePath(c.path), c.folder) << c.path;
        EXPECT_EQ(ExtractFileName(c.path), c.name) << c.path;
    }
}

TEST(PathText, TrailingDelimiterAddedOnce) {
    EXPECT_EQ(IncludeTrailingPathDelimiter("/out"), "/out/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/out/"), "/out/");
    EXPECT_EQ(IncludeTrailingPathDelimiter(""), "/");
}

TEST(IsBmpFileName, AcceptsTheExtensionInAnyCase) {
    EXPECT_TRUE(IsBmpFileName("Open.bmp"));
    EXPECT_TRUE(IsBmpFileName("Open.BMP"));
    EXPECT_TRUE(IsBmpFileName("Open.Bmp"));
    EXPECT_TRUE(IsBmpFileName("a.b.bmp"));
    EXPECT_FALSE(IsBmpFileName("Open.png"));
    EXPECT_FALSE(IsBmpFileName("Open.bmp.txt"));
    EXPECT_FALSE(IsBmpFileName("Openbmp"));
    EXPECT_FALSE(IsBmpFileName("bmp"));
}

TEST(PathText, LowerCaseTouchesAsciiLettersOnly) {
    EXPECT_EQ(LowerCase("Open_H.BMP \xC4"), "open_h.bmp \xC4");
}

}  // namespace
}  // namespace plexon
