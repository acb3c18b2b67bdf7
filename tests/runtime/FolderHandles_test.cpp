// Opening through kept folder handles gives what a plain open gives: the same files across more
// folders than are kept, the same errors, and no old folder once the scope has ended.
#include "runtime/FolderHandles.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "support/TempFolder.h"

namespace plexon {
namespace {

// The file's first byte, or the errno of the failed open.
std::string Read(const std::string& path) {
    const int fd = OpenFile(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return "errno " + std::to_string(errno);
    char byte = 0;
    const bool got = ::read(fd, &byte, 1) == 1;
    ::close(fd);
    return got ? std::string(1, byte) : std::string("empty");
}

TEST(FolderHandles, OpenAsAPlainOpenWouldInEveryFolderAndForm) {
    test::TempFolder folder;
    std::vector<std::string> paths;
    for (char name = 'a'; name <= 'f'; ++name) {
        folder.MakeFolder(std::string(1, name));
        paths.push_back(folder.WriteFile(std::string(1, name) + "/x.bmp", std::string(1, name)));
    }
    paths.push_back(folder / "a//x.bmp");
    paths.push_back(folder / "b/../c/x.bmp");
    paths.push_back(folder / "missing/x.bmp");
    paths.push_back(folder / "a/missing.bmp");
    paths.push_back(folder / "a/x.bmp/");
    paths.push_back(folder / "a/x.bmp/y.bmp");
    paths.push_back(folder.Path());
    paths.push_back("x-not-here.bmp");

    std::vector<std::string> plain;
    for (const std::string& path : paths) plain.push_back(Read(path));
    const FolderHandleScope scope;
    // Six folders and more, twice round: more than are kept, so entries are dropped and made again.
    for (int round = 0; round < 2; ++round)
        for (std::size_t i = 0; i < paths.size(); ++i) EXPECT_EQ(Read(paths[i]), plain[i]) << paths[i];
}

TEST(FolderHandles, ANewScopeSeesAFolderReplacedSinceTheLast) {
    test::TempFolder folder;
    const std::string first = folder.MakeFolder("out");
    folder.WriteFile("out/x.bmp", "1");
    {
        const FolderHandleScope scope;
        EXPECT_EQ(Read(first + "/x.bmp"), "1");
    }
    std::filesystem::rename(first, folder / "old");
    folder.MakeFolder("out");
    folder.WriteFile("out/x.bmp", "2");
    const FolderHandleScope scope;
    EXPECT_EQ(Read(first + "/x.bmp"), "2");
}

}  // namespace
}  // namespace plexon
