// Paths given to the main window on the command line.
#include "app/OpenPaths.h"

#include <array>
#include <string_view>

#include "weld/SourceList.h"
#include "platform/shell/FileAttributes.h"
#include "platform/shell/Folders.h"
#include "runtime/PathText.h"

namespace plexon {

namespace {

constexpr std::array<std::string_view, 4> kCommandWords = {"weld", "help", "screenshot", "demo"};

}  // namespace

bool IsOpenCommand(std::span<const std::string> args) {
    if (args.empty() || args[0].empty() || args[0].starts_with('-')) return false;
    for (std::string_view word : kCommandWords)
        if (args[0] == word) return false;
    // Anything the path reaches, through links, opens the window.
    return IdentityOf(args[0]).has_value();
}

std::vector<std::string> FilesToOpen(std::span<const std::string> paths, const SuffixSettings& settings) {
    std::vector<std::string> absolute;
    std::string cwd;
    for (const std::string& path : paths) {
        if (path.starts_with('/')) {
            absolute.push_back(path);
            continue;
        }
        if (cwd.empty()) cwd = IncludeTrailingPathDelimiter(WorkingFolder().value_or("/"));
        absolute.push_back(cwd + (path.starts_with("./") ? path.substr(2) : path));
    }
    return ExpandSources(absolute, settings, SourceFormats::All);
}

}  // namespace plexon
