// Reads the executable's path from the kernel's link for the running process.
#include "platform/shell/ExecutablePath.h"

#include <unistd.h>

#include <vector>

namespace plexon {

std::optional<std::string> ExecutablePath() {
    // readlink does not say whether it truncated, so grow the buffer until the result fits with room.
    std::vector<char> buffer(256);
    for (;;) {
        const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) return std::nullopt;
        if (static_cast<size_t>(length) < buffer.size()) return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace plexon
