// The folder lock: one holder at a time, also in a folder its holder may write but not read, where a
// lock file stands in and a run that can read the folder respects it.
#include "runtime/FolderLock.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/TempFolder.h"

namespace plexon {
namespace {

TEST(FolderLock, OneHolderEvenWhereTheFolderCannotBeRead) {
    test::TempFolder t;
    const std::string folder = t.MakeFolder("drop");
    if (::geteuid() != 0) GTEST_SKIP() << "a second user is needed, and only the superuser can be one";
    ASSERT_EQ(::chmod(t.PathWithoutDelimiter().c_str(), 0711), 0);
    ASSERT_EQ(::chown(folder.c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chmod(folder.c_str(), 0333), 0);
    int ready[2], release[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(release), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        // Another user, for whom the folder is write-only.
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(3);
        try {
            std::optional<FolderLock> lock = FolderLock::TryTake(folder);
            if (!lock) ::_exit(1);
            if (FolderLock::TryTake(folder)) ::_exit(2);
            char byte = 'y';
            (void)!::write(ready[1], &byte, 1);
            (void)!::read(release[0], &byte, 1);
        } catch (...) {
            ::_exit(4);
        }
        ::_exit(0);
    }
    ::close(ready[1]);  // a child that ends early ends the wait below
    char byte = 0;
    const bool childReady = ::read(ready[0], &byte, 1) == 1;
    const bool heldOff = !FolderLock::TryTake(folder);  // this process can read the folder
    (void)!::write(release[1], &byte, 1);
    int status = -1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    for (int fd : {ready[0], release[0], release[1]}) ::close(fd);
    EXPECT_TRUE(childReady);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_TRUE(heldOff);
    EXPECT_TRUE(FolderLock::TryTake(folder));
}

}  // namespace
}  // namespace plexon
