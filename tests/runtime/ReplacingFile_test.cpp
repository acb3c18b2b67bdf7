// Replacing a file never writes in place: readers of the old file keep it, a failure keeps it, a
// link is replaced rather than written through, and no temporary file outlives its writer.
#include "runtime/ReplacingFile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "runtime/Exceptions.h"
#include "runtime/FolderLock.h"
#include "support/TempFolder.h"

namespace plexon {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(int fd) {
    std::string text;
    char buffer[256];
    for (ssize_t n; (n = ::pread(fd, buffer, sizeof buffer, off_t(text.size()))) > 0;)
        text.append(buffer, std::size_t(n));
    return text;
}

std::string ReadPath(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    const std::string text = fd >= 0 ? ReadAll(fd) : "(none)";
    if (fd >= 0) ::close(fd);
    return text;
}

std::size_t EntryCount(const std::string& folder) {
    return std::size_t(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

void Replace(const std::string& path, const std::string& text) {
    ReplaceFileContent(path, text.data(), text.size());
}

TEST(ReplacingFile, ReplacesWholeKeepingModeAndOldReadersAndFollowsNoLink) {
    test::TempFolder t;
    const std::string strip = t.WriteFile("Open.bmp", "old strip");
    ::chmod(strip.c_str(), 0640);
    const int reader = ::open(strip.c_str(), O_RDONLY | O_CLOEXEC);
    Replace(strip, "new strip, longer");
    EXPECT_EQ(ReadAll(reader), "old strip");  // a write in place would show here
    ::close(reader);
    EXPECT_EQ(ReadPath(strip), "new strip, longer");
    struct stat info {};
    ::stat(strip.c_str(), &info);
    EXPECT_EQ(info.st_mode & 07777, 0640u);

    // A link in the folder is replaced by the strip; what it pointed at stays as it was.
    const std::string notes = t.WriteFile("notes.txt", "notes");
    fs::create_symlink(notes, t / "Link.bmp");
    Replace(t / "Link.bmp", "strip");
    EXPECT_FALSE(fs::is_symlink(t / "Link.bmp"));
    EXPECT_EQ(ReadPath(notes), "notes");
    EXPECT_EQ(ReadPath(t / "Link.bmp"), "strip");
    EXPECT_EQ(EntryCount(t.Path()), 3u);  // no temporary file left
}

TEST(ReplacingFile, AFailureKeepsTheOldFileAndNamesTheTarget) {
    test::TempFolder t;
    const std::string strip = t.WriteFile("Open.bmp", "old");
    try {
        TReplacingFile file(strip);
        file.Write("half", 4);
        throw EAbort("the writer failed half-way");
    } catch (const EAbort&) {
    }
    EXPECT_EQ(ReadPath(strip), "old");
    EXPECT_EQ(EntryCount(t.Path()), 1u);

    // Errors name the target with the system's reason, never the temporary file.
    struct Case {
        std::string path, reason;
    } cases[] = {
        {t / "missing/Open.bmp", "cannot create: No such file or directory"},
        {t.MakeFolder("Folder.bmp"), "cannot replace: Is a directory"},
    };
    for (const Case& c : cases) {
        try {
            Replace(c.path, "x");
            ADD_FAILURE() << c.path;
        } catch (const EFCreateError& e) {
            EXPECT_EQ(e.Message(), "Cannot create file " + c.path);
            EXPECT_EQ(e.FilePath(), c.path);
            EXPECT_EQ(e.FileReason(), c.reason);
        }
    }
    EXPECT_EQ(EntryCount(t.Path()), 2u);
}

// A real full disk: a small file system of its own, which only the superuser can mount.
TEST(ReplacingFile, AFullDiskKeepsTheOldFile) {
    test::TempFolder t;
    const std::string disk = t.MakeFolder("disk");
    if (::geteuid() != 0 || ::mount("plexon-test", disk.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "mounting a small tmpfs needs the superuser";
    const std::string strip = disk + "/Open.bmp";
    Replace(strip, "old");
    try {
        Replace(strip, std::string(256 * 1024, 'x'));
        ADD_FAILURE() << "the write went through";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.FileReason(), "cannot write: No space left on device");
    }
    EXPECT_EQ(ReadPath(strip), "old");
    EXPECT_EQ(EntryCount(disk), 1u);
    ::umount(disk.c_str());
}

TEST(ReplacingFile, LeftoversOfExactlyThePatternAreRemoved) {
    test::TempFolder t;
    const char* leftovers[] = {".plexon-aZ09xy.tmp", ".plexon-000000.tmp"};
    const char* others[] = {".plexon-aZ09x.tmp", ".plexon-aZ09xyz.tmp", ".plexon-aZ_9xy.tmp",
                            "plexon-aZ09xy.tmp", ".plexon-aZ09xy.bmp",  "Open.bmp"};
    for (const char* name : leftovers) {
        EXPECT_TRUE(IsReplacementName(name)) << name;
        t.WriteFile(name, "");
    }
    for (const char* name : others) {
        EXPECT_FALSE(IsReplacementName(name)) << name;
        t.WriteFile(name, "");
    }
    fs::create_directory(t / ".plexon-folder.tmp");
    EXPECT_EQ(RemoveLeftoverReplacements(t.Path()), 2);
    EXPECT_EQ(EntryCount(t.Path()), 7u);
}

TEST(FolderLock, HeldByAnotherProcessUntilItEnds) {
    test::TempFolder t;
    int ready[2], release[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(release), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        const std::optional<FolderLock> lock = FolderLock::TryTake(t.Path());
        char byte = lock ? 'y' : 'n';
        (void)!::write(ready[1], &byte, 1);
        (void)!::read(release[0], &byte, 1);
        ::_exit(0);
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    EXPECT_EQ(byte, 'y');
    EXPECT_FALSE(FolderLock::TryTake(t.Path()).has_value());
    (void)!::write(release[1], &byte, 1);
    ::waitpid(child, nullptr, 0);
    EXPECT_TRUE(FolderLock::TryTake(t.Path()).has_value());
    for (int fd : {ready[0], ready[1], release[0], release[1]}) ::close(fd);
}

}  // namespace
}  // namespace plexon
