// Grouping the file list into strips, and the check that no strip lands on a source file.
#include "app/StripPlan.h"

#include <sys/stat.h>

#include <map>
#include <set>
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
    // none, and the sources need not be looked at.
    std::map<FileIdentity, const PlannedStrip*> existing;
    for (const PlannedStrip& strip : strips)
        if (std::optional<FileIdentity> id = IdentityOf(strip.outputPath)) existing.emplace(*id, &strip);
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
