// The temporary file beside the target, its writes, the rename, and the clean-up of leftovers.
#include "runtime/ReplacingFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <utility>

#include "runtime/Exceptions.h"

namespace plexon {

namespace {

constexpr std::string_view kPrefix = ".plexon-", kSuffix = ".tmp";
constexpr std::size_t kRandomLetters = 6;
constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

bool IsLetterOrDigit(char c) {
    return kLetters.find(c) != std::string_view::npos;
}

// Names need only be unlikely to meet, not secret: a generator seeded once per thread.
std::uint64_t NextRandom() {
    thread_local std::uint64_t state = [] {
        std::uint64_t seed = 0;
        if (::getrandom(&seed, sizeof seed, GRND_NONBLOCK) != sizeof seed)
            seed = std::uint64_t(::getpid()) << 32 ^ std::uint64_t(reinterpret_cast<std::uintptr_t>(&seed));
        return seed | 1;
    }();
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return state;
}

void FillTempName(char* name) {
    std::memcpy(name, kPrefix.data(), kPrefix.size());
    std::uint64_t bits = NextRandom();
    for (std::size_t i = 0; i < kRandomLetters; ++i, bits /= kLetters.size())
        name[kPrefix.size() + i] = kLetters[bits % kLetters.size()];
    std::memcpy(name + kPrefix.size() + kRandomLetters, kSuffix.data(), kSuffix.size() + 1);
}

}  // namespace

TReplacingFile::TReplacingFile(std::string path) : path_(std::move(path)), entry_(path_) {
    if (entry_.Folder() < 0 && entry_.Folder() != AT_FDCWD) Fail("cannot create", errno);
    for (int attempt = 0; fd_ < 0; ++attempt) {
        FillTempName(tempName_);
        fd_ =
            ::openat(entry_.Folder(), tempName_, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd_ < 0 && (errno != EEXIST || attempt == 100)) Fail("cannot create", errno);
    }
}

TReplacingFile::~TReplacingFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_) ::unlinkat(entry_.Folder(), tempName_, 0);
}

void TReplacingFile::Fail(std::string_view action, int error) const {
    throw EFCreateError(Format(msg::kFCreate, {path_}), path_, FileReason(action, error));
}

std::int64_t TReplacingFile::Read(void*, std::int64_t) {
    return 0;
}

std::int64_t TReplacingFile::Write(const void* buffer, std::int64_t count) {
    WriteBuffers(buffer, count, nullptr, 0);
    return std::max<std::int64_t>(count, 0);
}

void TReplacingFile::WriteBuffers(const void* first, std::int64_t firstCount, const void* second,
                                  std::int64_t secondCount) {
    const std::int64_t done = WriteGathered(fd_, position_, first, firstCount, second, secondCount);
    position_ += done;
    size_ = std::max(size_, position_);
    if (done < std::max<std::int64_t>(firstCount, 0) + std::max<std::int64_t>(secondCount, 0))
        Fail("cannot write", errno);
}

std::int64_t TReplacingFile::Seek(std::int64_t offset, SeekOrigin origin) {
    const std::int64_t base = origin == SeekOrigin::Begin     ? 0
                              : origin == SeekOrigin::Current ? position_
                                                              : size_;
    position_ = std::max<std::int64_t>(base + offset, 0);
    return position_;
}

void TReplacingFile::Commit(Durability durability) {
    if (durability == Durability::Disk && ::fsync(fd_) != 0) Fail("cannot write", errno);
    // Some file systems report a failed write-back only at close.
    const int closed = ::close(std::exchange(fd_, -1));
    if (closed != 0 && errno != EINTR) Fail("cannot write", errno);
    // Most strips are new: taking the name only while it is free spares a look at the target.
    if (::renameat2(entry_.Folder(), tempName_, entry_.Folder(), entry_.Name(), RENAME_NOREPLACE) != 0) {
        // Not every file system can refuse to replace; those give EINVAL.
        if (errno != EEXIST && errno != EINVAL) Fail("cannot replace", errno);
        struct stat old {}, reached {};
        const bool there = ::fstatat(entry_.Folder(), entry_.Name(), &old, AT_SYMLINK_NOFOLLOW) == 0;
        // A link is replaced, not written through; but a device, FIFO, socket or folder, in place or
        // behind a link (/dev/stdout), is never replaced by a file: other programs rely on it.
        if (there && ((!S_ISREG(old.st_mode) &&
                       (!S_ISLNK(old.st_mode) ||
                        (::fstatat(entry_.Folder(), entry_.Name(), &reached, 0) == 0 && !S_ISREG(reached.st_mode)))) ||
                      IsDescriptorPath(path_)))
            throw EFCreateError(Format(msg::kFCreate, {path_}), path_, "cannot replace: not a regular file");
        if (there && S_ISREG(old.st_mode)) {
            // A rename would go through a file marked read-only; a write in place would not.
            if (::faccessat(entry_.Folder(), entry_.Name(), W_OK, AT_EACCESS) != 0)
                Fail("cannot open", errno);
            if (::fchmodat(entry_.Folder(), tempName_, old.st_mode & 07777, 0) != 0)
                Fail("cannot write", errno);
        }
        if (::renameat(entry_.Folder(), tempName_, entry_.Folder(), entry_.Name()) != 0)
            Fail("cannot replace", errno);
    }
    committed_ = true;
    if (durability == Durability::Disk) {
        // The rename itself lasts only once the folder is on the disk; the file is in place already.
        const int folder = ::openat(entry_.Folder(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder >= 0) {
            ::fsync(folder);
            ::close(folder);
        }
    }
}

void ReplaceFileContent(const std::string& path, const void* bytes, std::size_t count,
                        Durability durability) {
    TReplacingFile file(path);
    file.WriteBuffers(bytes, std::int64_t(count), nullptr, 0);
    file.Commit(durability);
}

namespace {

bool InProc(std::string_view text) {
    return text == "/proc" || text.starts_with("/proc/");
}

}  // namespace

bool IsDescriptorFolder(const std::string& folder) {
    // Resolved: /dev/fd is /proc/self/fd.
    char* resolved = ::realpath(folder.empty() ? "." : folder.c_str(), nullptr);
    const bool proc = resolved && InProc(resolved);
    std::free(resolved);
    return proc;
}

bool IsDescriptorLink(const std::string& path) {
    // Hop by hop: the last hop of /proc/self/fd/1 already names the file it leads to.
    std::string at = path;
    for (int hop = 0; hop < 40; ++hop) {
        char text[PATH_MAX];
        const ssize_t length = ::readlink(at.c_str(), text, sizeof text - 1);
        if (length < 0) return false;
        std::string next(text, std::size_t(length));
        if (!next.starts_with('/')) next = at.substr(0, at.rfind('/') + 1) + next;
        if (InProc(next)) return true;
        at = std::move(next);
    }
    return false;
}

bool IsDescriptorPath(const std::string& path) {
    return IsDescriptorLink(path) || IsDescriptorFolder(path.substr(0, path.rfind('/') + 1));
}

bool IsReplacementName(std::string_view name) {
    if (name.size() != kPrefix.size() + kRandomLetters + kSuffix.size() || !name.starts_with(kPrefix) ||
        !name.ends_with(kSuffix))
        return false;
    for (char c : name.substr(kPrefix.size(), kRandomLetters))
        if (!IsLetterOrDigit(c)) return false;
    return true;
}

int RemoveLeftoverReplacements(const std::string& folder) {
    const int handle = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0) return 0;
    DIR* listing = ::fdopendir(handle);
    if (listing == nullptr) {
        ::close(handle);
        return 0;
    }
    int removed = 0;
    while (const dirent* entry = ::readdir(listing)) {
        // Only regular files: a folder or link of that name is not ours.
        if (entry->d_type != DT_REG && entry->d_type != DT_UNKNOWN) continue;
        if (!IsReplacementName(entry->d_name)) continue;
        struct stat info {};
        if (::fstatat(handle, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode) &&
            ::unlinkat(handle, entry->d_name, 0) == 0)
            ++removed;
    }
    ::closedir(listing);
    return removed;
}

}  // namespace plexon
