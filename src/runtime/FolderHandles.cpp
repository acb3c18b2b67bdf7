// Folder handles kept per thread for the life of a scope, the most recently used first.
#include "runtime/FolderHandles.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <string_view>
#include <utility>

namespace plexon {

namespace {

struct KeptFolder {
    std::string path;  // as written in the file paths, without the last "/"
    int handle = -1;
};

// Reading from one folder and writing to another alternate; a few entries keep both.
using FolderCache = std::array<KeptFolder, 4>;

thread_local FolderCache* active = nullptr;

int FolderHandle(FolderCache& cache, std::string_view folder) {
    std::size_t i = 0;
    while (i < cache.size() && !(cache[i].handle >= 0 && cache[i].path == folder)) ++i;
    if (i == cache.size()) {
        // Not kept: the least recently used entry makes room.
        i = cache.size() - 1;
        if (cache[i].handle >= 0) ::close(cache[i].handle);
        cache[i].path.assign(folder);
        cache[i].handle = ::open(cache[i].path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    }
    std::rotate(cache.begin(), cache.begin() + std::ptrdiff_t(i), cache.begin() + std::ptrdiff_t(i) + 1);
    return cache[0].handle;
}

}  // namespace

FolderHandleScope::FolderHandleScope() {
    if (active) return;
    active = new FolderCache;
    owner_ = true;
}

FolderHandleScope::~FolderHandleScope() {
    if (!owner_) return;
    for (KeptFolder& kept : *active)
        if (kept.handle >= 0) ::close(kept.handle);
    delete std::exchange(active, nullptr);
}

int OpenFile(const std::string& path, int flags, mode_t mode) {
    const std::size_t slash = path.rfind('/');
    // A bare name, a file in "/" and a path ending in "/" are opened as they are.
    if (!active || slash == std::string::npos || slash == 0 || slash + 1 == path.size())
        return ::open(path.c_str(), flags, mode);
    const int folder = FolderHandle(*active, std::string_view(path).substr(0, slash));
    // A folder that cannot be kept gives open's own answer for the whole path.
    if (folder < 0) return ::open(path.c_str(), flags, mode);
    return ::openat(folder, path.c_str() + slash + 1, flags, mode);
}

FolderEntry::FolderEntry(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        folder_ = AT_FDCWD;
        name_ = path.c_str();
        return;
    }
    if (slash + 1 == path.size()) {
        errno = EISDIR;
        return;
    }
    name_ = path.c_str() + slash + 1;
    const std::string_view folder =
        slash == 0 ? std::string_view("/") : std::string_view(path).substr(0, slash);
    if (active && slash != 0) {
        folder_ = FolderHandle(*active, folder);
        if (folder_ >= 0) return;
    }
    folder_ = ::open(std::string(folder).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    owned_ = folder_ >= 0;
}

FolderEntry::~FolderEntry() {
    if (owned_) ::close(folder_);
}

}  // namespace plexon
