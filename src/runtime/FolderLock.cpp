// The folder lock as flock(2) on a handle of the folder; closing the handle releases it.
#include "runtime/FolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "runtime/Exceptions.h"

namespace plexon {

std::optional<FolderLock> FolderLock::TryTake(const std::string& folder) {
    const std::string path = folder.empty() ? std::string(".") : folder;
    const int handle = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0)
        throw EFOpenError(Format(msg::kFOpen, {folder}), folder, FileReason("cannot open", errno));
    while (::flock(handle, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        const int error = errno;
        ::close(handle);
        if (error == EWOULDBLOCK) return std::nullopt;
        throw EFOpenError(Format(msg::kFOpen, {folder}), folder, FileReason("cannot lock", error));
    }
    return FolderLock(handle);
}

FolderLock::FolderLock(FolderLock&& other) noexcept : handle_(std::exchange(other.handle_, -1)) {}

FolderLock& FolderLock::operator=(FolderLock&& other) noexcept {
    if (this != &other) {
        if (handle_ >= 0) ::close(handle_);
        handle_ = std::exchange(other.handle_, -1);
    }
    return *this;
}

FolderLock::~FolderLock() {
    if (handle_ >= 0) ::close(handle_);
}

}  // namespace plexon
