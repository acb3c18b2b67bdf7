// Canonical paths through realpath; nothing is created or changed.
#include "platform/shell/CanonicalPath.h"

#include <cstdlib>
#include <memory>

#include "platform/shell/FileAttributes.h"

namespace plexon {

std::optional<std::string> CanonicalPath(const std::string& path) {
    if (path.empty()) return std::nullopt;
    const std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path.c_str(), nullptr), &std::free);
    if (!resolved) return std::nullopt;
    std::string result(resolved.get());
    if (result.back() != '/' && DirectoryExists(result)) result += '/';
    return result;
}

}  // namespace plexon
