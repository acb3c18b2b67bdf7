// Canonical paths through realpath; nothing is created or changed.
#include "platform/shell/CanonicalPath.h"

#include <sys/stat.h>

#include <cstdlib>
#include <memory>

namespace plexon {

std::optional<std::string> CanonicalPath(const std::string& path) {
    if (path.empty()) return std::nullopt;
    const std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path.c_str(), nullptr), &std::free);
    if (!resolved) return std::nullopt;
    std::string result(resolved.get());
    struct stat info {};
    if (stat(result.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && result.back() != '/') result += '/';
    return result;
}

}  // namespace plexon
