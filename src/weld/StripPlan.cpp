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
    // none, and the sources need not be looked at. Listing the folders instead of looking up every
    // path keeps the check at a few system calls however many files there are.
    std::vector<std::string> outputs;
    outputs.reserve(strips.size());
    for (const PlannedStrip& strip : strips) outputs.push_back(strip.outputPath);
    const std::vector<PathFacts> written = LookUpPaths(outputs);
    std::map<FileIdentity, const PlannedStrip*> existing;
    for (std::size_t i = 0; i < strips.size(); ++i)
        if (written[i].exists) existing.emplace(written[i].identity, &strips[i]);
    if (existing.empty()) return std::nullopt;
    const std::vector<PathFacts> sources = LookUpPaths(files);
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!sources[i].exists) continue;
        if (auto it = existing.find(sources[i].identity); it != existing.end())
            return SourceOverwrite{it->second->outputPath, files[i]};
    }
    return std::nullopt;
}

}  // namespace plexon
