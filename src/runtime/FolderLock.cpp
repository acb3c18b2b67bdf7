// The folder lock as flock(2) on a handle of the folder, or of a lock file in it where the folder
// cannot be read; closing the handles releases it.
#include "runtime/FolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "runtime/Exceptions.h"

namespace plexon {

namespace {

constexpr const char* kLockFileName = ".plexon-lock";

// flock without waiting: true when taken, false when another holder has it; errno otherwise.
int TryLock(int handle) {
    while (::flock(handle, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        return errno == EWOULDBLOCK ? 0 : -1;
    }
    return 1;
}

}  // namespace

std::optional<FolderLock> FolderLock::TryTake(const std::string& folder) {
    const std::string path = folder.empty() ? std::string(".") : folder;
    const auto fail = [&folder](std::string_view action, int error) {
        return EFOpenError(Format(msg::kFOpen, {folder}), folder, FileReason(action, error));
    };
    FolderLock lock(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    // A folder that may be written but not read (mode 0333) is locked through a file in it instead;
    // a run that can read the folder takes that file's lock too when it is there, so both kinds of
    // run keep each other out.
    const bool readable = lock.handle_ >= 0;
    if (!readable && errno != EACCES) throw fail("cannot open", errno);
    const int folderHandle =
        readable ? lock.handle_ : ::open(path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (folderHandle < 0) throw fail("cannot open", errno);
    const int fileFlags = O_WRONLY | O_NOFOLLOW | O_CLOEXEC | (readable ? 0 : O_CREAT);
    lock.fileHandle_ = ::openat(folderHandle, kLockFileName, fileFlags, 0666);
    const int openError = errno;
    if (!readable) ::close(folderHandle);
    // Where the folder's own lock is held, a lock file that cannot be opened is no other run's.
    if (lock.fileHandle_ < 0 && !readable) throw fail("cannot lock", openError);
    for (const int handle : {lock.handle_, lock.fileHandle_}) {
        if (handle < 0) continue;
        const int taken = TryLock(handle);
        if (taken == 0) return std::nullopt;
        if (taken < 0) throw fail("cannot lock", errno);
    }
    return lock;
}

FolderLock::FolderLock(FolderLock&& other) noexcept
    : handle_(std::exchange(other.handle_, -1)), fileHandle_(std::exchange(other.fileHandle_, -1)) {}

FolderLock& FolderLock::operator=(FolderLock&& other) noexcept {
    if (this != &other) {
        Release();
        handle_ = std::exchange(other.handle_, -1);
        fileHandle_ = std::exchange(other.fileHandle_, -1);
    }
    return *this;
}

FolderLock::~FolderLock() {
    Release();
}

void FolderLock::Release() {
    if (handle_ >= 0) ::close(handle_);
    if (fileHandle_ >= 0) ::close(fileHandle_);
    handle_ = fileHandle_ = -1;
}

}  // namespace plexon
