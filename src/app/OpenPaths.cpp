// Paths given to the main window on the command line.
#include "app/OpenPaths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <string_view>

#include "app/SourceList.h"

namespace plexon {

namespace {

constexpr std::array<std::string_view, 4> kCommandWords = {"weld", "help", "screenshot", "demo"};

std::string WorkingFolder() {
    std::string folder(4096, '\0');
    while (::getcwd(folder.data(), folder.size()) == nullptr) {
        if (errno != ERANGE) return "/";
        folder.resize(folder.size() * 2);
    }
    folder.resize(folder.find('\0'));
    return folder.ends_with('/') ? folder : folder + '/';
}

}  // namespace

bool IsOpenCommand(std::span<const std::string> args) {
    if (args.empty() || args[0].empty() || args[0].starts_with('-')) return false;
    for (std::string_view word : kCommandWords)
        if (args[0] == word) return false;
    struct stat info {};
    return ::stat(args[0].c_str(), &info) == 0;
}

std::vector<std::string> FilesToOpen(std::span<const std::string> paths, const SuffixSettings& settings) {
    std::vector<std::string> absolute;
    std::string cwd;
    for (const std::string& path : paths) {
        if (path.starts_with('/')) {
            absolute.push_back(path);
            continue;
        }
        if (cwd.empty()) cwd = WorkingFolder();
        absolute.push_back(cwd + (path.starts_with("./") ? path.substr(2) : path));
    }
    return ExpandSources(absolute, settings);
}

}  // namespace plexon
