// File-attribute checks and folder listings on top of stat and readdir.
#include "platform/shell/FileAttributes.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <bit>
#include <climits>
#include <cstdint>
#include <functional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "runtime/FolderHandles.h"

namespace plexon {

namespace {

// The names of one folder's paths, each to the first path naming it: open addressing over path
// numbers, so that ten thousand names cost one allocation instead of one each.
class NameTable {
  public:
    static constexpr std::size_t kEmpty = SIZE_MAX;

    explicit NameTable(std::size_t count) : slots_(std::bit_ceil(2 * count + 1), kEmpty) {}

    // The slot holding the name, or the empty slot where it would go. `nameOf` gives the name of a
    // stored number.
    template <class NameOf>
    std::size_t& Find(std::string_view name, const NameOf& nameOf) {
        const std::size_t mask = slots_.size() - 1;
        const std::size_t home = std::hash<std::string_view>{}(name);
        for (std::size_t i = home & mask;; i = (i + 1) & mask)
            if (slots_[i] == kEmpty || nameOf(slots_[i]) == name) return slots_[i];
    }

  private:
    std::vector<std::size_t> slots_;
};

}  // namespace

bool DirectoryExists(const std::string& path) {
    struct stat info {};
    if (path.empty() || stat(path.c_str(), &info) != 0) return false;
    return S_ISDIR(info.st_mode);
}

bool PathExists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

bool IsWritableFolder(const std::string& folder) {
    return ::access(folder.c_str(), W_OK) == 0;
}

PathFacts FactsOf(const std::string& path) {
    struct stat info {};
    const FolderEntry entry(path);
    // A path ending in "/" has no entry to look at, yet may name a folder.
    const bool found = entry.Folder() >= 0 || entry.Folder() == AT_FDCWD
                           ? ::fstatat(entry.Folder(), entry.Name(), &info, 0) == 0
                           : ::stat(path.c_str(), &info) == 0;
    if (!found) return {};
    return {true, S_ISDIR(info.st_mode), S_ISREG(info.st_mode),
            FileIdentity{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)}};
}

std::optional<FileIdentity> IdentityOf(const std::string& path) {
    const PathFacts facts = FactsOf(path);
    if (!facts.exists) return std::nullopt;
    return facts.identity;
}

long NameLengthLimit(const std::string& folder) {
    const long limit = ::pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
    return limit > 0 ? limit : NAME_MAX;
}

std::optional<std::unordered_set<std::string>> NamesInFolder(const std::string& folder) {
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return std::nullopt;
    std::unordered_set<std::string> names;
    while (const dirent* entry = ::readdir(dir)) names.insert(entry->d_name);
    ::closedir(dir);
    return names;
}

std::vector<PathFacts> LookUpPaths(std::span<const std::string> paths, std::size_t listingFrom,
                                   std::size_t bytesPerPath) {
    std::vector<PathFacts> facts(paths.size());
    auto lookUp = [&](std::size_t i) {
        struct stat info {};
        if (paths[i].empty() || ::stat(paths[i].c_str(), &info) != 0) return;
        facts[i] = {true,
                    S_ISDIR(info.st_mode),
                    S_ISREG(info.st_mode),
                    {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)}};
    };
    // The paths by the folder that holds them; a path ending in "/" names no entry. The names view
    // the caller's strings, so grouping thousands of paths allocates little.
    std::unordered_map<std::string_view, std::vector<std::size_t>> byFolder;
    std::string_view lastFolder;
    std::vector<std::size_t>* lastIndexes = nullptr;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const std::string& path = paths[i];
        const std::size_t slash = path.rfind('/');
        if (path.empty() || slash + 1 == path.size()) {
            lookUp(i);
            continue;
        }
        const std::string_view folder =
            slash == std::string::npos ? std::string_view() : std::string_view(path).substr(0, slash + 1);
        // Paths of one folder usually come together.
        if (!lastIndexes || folder != lastFolder) lastIndexes = &byFolder[folder], lastFolder = folder;
        lastIndexes->push_back(i);
    }
    for (const auto& group : byFolder) {
        // Named, not bound: lambdas below capture them, which not every compiler allows of bindings.
        const std::string_view folder = group.first;
        const std::vector<std::size_t>& indexes = group.second;
        const std::size_t count = indexes.size();
        const std::string folderPath = folder.empty() ? std::string(".") : std::string(folder);
        struct stat folderInfo {};
        DIR* dir = nullptr;
        // A listing costs by the folder's size, a look-up by the path.
        if (count >= listingFrom && ::stat(folderPath.c_str(), &folderInfo) == 0 &&
            double(count) * double(bytesPerPath) >= double(folderInfo.st_size))
            dir = ::opendir(folderPath.c_str());
        if (!dir) {
            for (std::size_t i : indexes) lookUp(i);
            continue;
        }
        // Each name to the first path naming it; further paths with the same name follow in `next`.
        auto nameOf = [&, prefix = folder.size()](std::size_t k) {
            return std::string_view(paths[indexes[k]]).substr(prefix);
        };
        NameTable names(count);
        std::vector<std::size_t> next(count, count);
        for (std::size_t k = count; k-- > 0;) {
            std::size_t& first = names.Find(nameOf(k), nameOf);
            if (first != NameTable::kEmpty) next[k] = first;
            first = k;
        }
        while (const dirent* entry = ::readdir(dir)) {
            const std::size_t found = names.Find(entry->d_name, nameOf);
            if (found == NameTable::kEmpty) continue;
            for (std::size_t k = found; k < count; k = next[k]) {
                const std::size_t i = indexes[k];
                // Links and file systems that do not tell the kind are looked up one by one.
                if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
                    lookUp(i);
                } else {
                    facts[i] = {true,
                                entry->d_type == DT_DIR,
                                entry->d_type == DT_REG,
                                {static_cast<std::uint64_t>(folderInfo.st_dev),
                                 static_cast<std::uint64_t>(entry->d_ino)}};
                }
            }
        }
        ::closedir(dir);
    }
    return facts;
}

}  // namespace plexon
