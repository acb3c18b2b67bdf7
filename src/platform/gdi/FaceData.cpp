// Face files mapped once: every instance of a face (one per size and style) and every fallback face
// opened beside it reads the same pages instead of mapping the file again, so a CJK face of several
// megabytes is in memory once however many sizes use it.
#include "platform/gdi/FaceData.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>

namespace plexon::gdi::detail {

std::span<const unsigned char> FaceFileBytes(const std::string& path) {
    static std::map<std::string, std::span<const unsigned char>> mapped;
    if (const auto it = mapped.find(path); it != mapped.end()) return it->second;
    std::span<const unsigned char> bytes;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return bytes;  // not remembered: the file may appear later
    struct stat info {};
    if (::fstat(fd, &info) == 0 && info.st_size > 0) {
        void* at = ::mmap(nullptr, std::size_t(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
        if (at != MAP_FAILED) bytes = {static_cast<const unsigned char*>(at), std::size_t(info.st_size)};
    }
    ::close(fd);
    if (!bytes.empty()) mapped.emplace(path, bytes);
    return bytes;
}

}  // namespace plexon::gdi::detail
