// The source folder and the slot size both front ends take from a selection.
#include "weld/SourceSelection.h"

#include <gtest/gtest.h>

#include "runtime/Exceptions.h"
#include "support/BmpFiles.h"
#include "support/TempFolder.h"

namespace plexon {
namespace {

TEST(SourceFolderOf, FolderOfTheFirstFile) {
    const struct {
        std::vector<std::string> files;
        std::string folder;
    } cases[] = {
        {{}, ""},
        {{"/icons/Open.bmp", "/other/Save.bmp"}, "/icons/"},
        {{"icons/a/Open.bmp"}, "icons/a/"},
        {{"Open.bmp"}, "./"},
        {{"/Open.bmp"}, "/"},
        {{"c:\\Open.bmp"}, "./"},
    };
    for (const auto& c : cases) EXPECT_EQ(SourceFolderOf(c.files), c.folder) << c.files.size();
}

TEST(SlotSizeOf, WidthOfTheFirstFileWhateverItsHeight) {
    test::TempFolder folder;
    const std::string path = folder / "Open_h.bmp";
    test::WriteBmp24(path, 20, 12, [](int32_t, int32_t) { return test::kWhite; });
    EXPECT_EQ(SlotSizeOf(path), 20);
    EXPECT_THROW(SlotSizeOf(folder / "missing.bmp"), Exception);
}

}  // namespace
}  // namespace plexon
