// Replacing a file never writes in place: readers of the old file keep it, a failure keeps it, and
// no temporary file outlives its writer. Links, locks and errors in a run: the weld command's tests.
#include "runtime/ReplacingFile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "runtime/Exceptions.h"
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

TEST(ReplacingFile, ReplacesWholeOrNotAtAll) {
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

    try {
        TReplacingFile file(strip);
        file.Write("half", 4);
        throw EAbort("the writer failed half-way");
    } catch (const EAbort&) {
    }
    EXPECT_EQ(ReadPath(strip), "new strip, longer");
    EXPECT_EQ(EntryCount(t.Path()), 1u);  // no temporary file left

    const std::string missing = t / "missing/Open.bmp";
    try {
        Replace(missing, "x");
        ADD_FAILURE() << "created";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message(), "Cannot create file " + missing);
        EXPECT_EQ(e.FilePath(), missing);
        EXPECT_EQ(e.FileReason(), "cannot create: No such file or directory");
    }

    // What is not a regular file stays, in place or behind a link; a link to a file is replaced.
    ::mkfifo((t / "fifo").c_str(), 0600);
    fs::create_symlink(t / "fifo", t / "to-fifo");
    fs::create_symlink(strip, t / "to-strip");
    // A link to a descriptor stands for it (as /dev/stdout does), a regular file though it is now.
    const int held = ::open(strip.c_str(), O_RDONLY | O_CLOEXEC);
    fs::create_symlink("/proc/self/fd/" + std::to_string(held), t / "to-descriptor");
    for (const char* name : {"fifo", "to-fifo", "to-descriptor"}) {
        try {
            Replace(t / name, "x");
            ADD_FAILURE() << name << " replaced";
        } catch (const EFCreateError& e) {
            EXPECT_EQ(e.FileReason(), "cannot replace: not a regular file");
        }
    }
    Replace(t / "to-strip", "a file of its own");
    EXPECT_TRUE(fs::is_fifo(t / "fifo"));
    EXPECT_TRUE(fs::is_symlink(t / "to-fifo"));
    EXPECT_FALSE(fs::is_symlink(t / "to-strip"));
    ::close(held);
    EXPECT_TRUE(fs::is_symlink(t / "to-descriptor"));
    EXPECT_EQ(ReadPath(strip), "new strip, longer");
    EXPECT_EQ(EntryCount(t.Path()), 5u);
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
    for (const char* name : {".plexon-aZ09xy.tmp", ".plexon-000000.tmp", ".plexon-aZ09x.tmp",
                             ".plexon-aZ_9xy.tmp", "plexon-aZ09xy.tmp", ".plexon-aZ09xy.bmp"})
        t.WriteFile(name, "");
    fs::create_directory(t / ".plexon-folder.tmp");
    EXPECT_EQ(RemoveLeftoverReplacements(t.Path()), 2);
    EXPECT_EQ(EntryCount(t.Path()), 5u);
}

}  // namespace
}  // namespace plexon
