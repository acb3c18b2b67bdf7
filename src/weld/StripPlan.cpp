// Grouping the file list into strips, and the check that no strip lands on a source file.
#include "weld/StripPlan.h"

#include <map>
#include <set>

#include "platform/shell/FileAttributes.h"
#include "runtime/PathText.h"
#include "weld/SourceNaming.h"

namespace plexon {

std::vector<PlannedStrip> PlanStrips(const std::vector<std::string>& files, const SuffixSettings& settings,
                                     const std::string& outputFolder, std::string_view extension) {
    std::vector<PlannedStrip> strips;
    std::set<std::string> seen;
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::string base = BaseNameOfStem(ExtractStem(files[i]), settings);
        if (!strips.empty() && strips.back().baseName == base) continue;
        bool returns = !seen.insert(base).second;
        strips.push_back({base, outputFolder + base + std::string(extension), i, returns});
    }
    return strips;
}

std::vector<PlannedStrip> PlanStrips(const WeldRequest& request) {
    return PlanStrips(request.FileList, request.Suffixes, request.OutputFolder,
                      StripExtension(request.Format));
}

std::optional<SourceOverwrite> FindSourceOverwrite(const std::vector<PlannedStrip>& strips,
                                                   const std::vector<std::string>& files) {
    // Only strips whose file exists already can destroy a source; in a fresh output folder there are
    // none, and the sources need not be looked at. One listing of the output folder spares a lookup
    // per strip.
    std::map<FileIdentity, const PlannedStrip*> existing;
    std::optional<std::unordered_set<std::string>> present;
    if (!strips.empty()) present = NamesInFolder(ExtractFilePath(strips.front().outputPath));
    for (const PlannedStrip& strip : strips) {
        if (present && !present->contains(ExtractFileName(strip.outputPath))) continue;
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
