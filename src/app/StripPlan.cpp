// Grouping the file list into strips, and the check that no strip lands on a source file.
#include "app/StripPlan.h"

#include <dirent.h>
#include <sys/stat.h>

#include <map>
#include <set>
#include <unordered_set>
#include <utility>

#include "weld/SourceNaming.h"

namespace plexon {

namespace {

using FileIdentity = std::pair<dev_t, ino_t>;

std::optional<FileIdentity> IdentityOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    return FileIdentity{info.st_dev, info.st_ino};
}

// The names in a folder, read in one pass; none when it cannot be listed.
std::optional<std::unordered_set<std::string>> NamesIn(const std::string& folder) {
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return std::nullopt;
    std::unordered_set<std::string> names;
    while (const dirent* entry = ::readdir(dir)) names.insert(entry->d_name);
    ::closedir(dir);
    return names;
}

}  // namespace

std::vector<PlannedStrip> PlanStrips(const std::vector<std::string>& files, const SuffixSettings& settings,
                                     const std::string& outputFolder) {
    std::vector<PlannedStrip> strips;
    std::set<std::string> seen;
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::string base = BaseNameOfStem(ExtractStem(files[i]), settings);
        if (!strips.empty() && strips.back().baseName == base) continue;
        bool returns = !seen.insert(base).second;
        strips.push_back({base, outputFolder + base + ".bmp", i, returns});
    }
    return strips;
}

std::optional<SourceOverwrite> FindSourceOverwrite(const std::vector<PlannedStrip>& strips,
                                                   const std::vector<std::string>& files) {
    // Only strips whose file exists already can destroy a source; in a fresh output folder there are
    // none, and the sources need not be looked at. One listing of the output folder spares a lookup
    // per strip.
    std::map<FileIdentity, const PlannedStrip*> existing;
    std::optional<std::unordered_set<std::string>> present;
    if (!strips.empty()) {
        const std::string& path = strips.front().outputPath;
        present = NamesIn(path.substr(0, path.find_last_of('/') + 1));
    }
    for (const PlannedStrip& strip : strips) {
        if (present && !present->contains(strip.outputPath.substr(strip.outputPath.find_last_of('/') + 1)))
            continue;
        if (std::optional<FileIdentity> id = IdentityOf(strip.outputPath)) existing.emplace(*id, &strip);
    }
    if (existing.empty()) return std::nullopt;
    for (const std::string& file : files) {
        std::optional<FileIdentity> id = IdentityOf(file);
        if (!id) continue;
        if (auto it = existing.find(*id); it != existing.end())
            return SourceOverwrite{it->second->outputPath, file};
    }
    return std::nullopt;
}

}  // namespace plexon
