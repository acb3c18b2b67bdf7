// Grouping the file list into strips, and the check that no strip lands on a source file.
#include "weld/StripPlan.h"

#include <map>
#include <unordered_set>

#include "platform/shell/FileAttributes.h"
#include "runtime/FolderHandles.h"
#include "runtime/PathText.h"
#include "weld/SourceNaming.h"

namespace plexon {

std::vector<PlannedStrip> PlanStrips(const std::vector<std::string>& files, const SuffixSettings& settings,
                                     const std::string& outputFolder, std::string_view extension) {
    std::vector<PlannedStrip> strips;
    // Room for a strip per file, so the names the set views never move.
    strips.reserve(files.size());
    std::unordered_set<std::string_view> seen;
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::string base = BaseNameOfStem(ExtractStem(files[i]), settings);
        if (!strips.empty() && strips.back().baseName == base) continue;
        std::string outputPath;
        outputPath.reserve(outputFolder.size() + base.size() + extension.size());
        outputPath.append(outputFolder).append(base).append(extension);
        strips.push_back({std::move(base), std::move(outputPath), i, false});
        strips.back().returns = !seen.insert(strips.back().baseName).second;
    }
    strips.shrink_to_fit();
    return strips;
}

std::vector<PlannedStrip> PlanStrips(const WeldRequest& request) {
    // The run writes inside the folder whether or not its name ends in "/".
    const std::string folder =
        request.OutputFolder.empty() ? std::string() : IncludeTrailingPathDelimiter(request.OutputFolder);
    return PlanStrips(request.FileList, request.Suffixes, folder, StripExtension(request.Format));
}

std::vector<const PlannedStrip*> FindExistingStrips(const std::vector<PlannedStrip>& strips) {
    // Listing the folders instead of looking up every path keeps this at a few system calls however
    // many strips there are; only existence is taken from the listing.
    std::vector<std::string> outputs;
    outputs.reserve(strips.size());
    for (const PlannedStrip& strip : strips) outputs.push_back(strip.outputPath);
    const std::vector<PathFacts> written = LookUpPaths(outputs);
    std::vector<const PlannedStrip*> existing;
    for (std::size_t i = 0; i < strips.size(); ++i)
        if (written[i].exists && !strips[i].returns) existing.push_back(&strips[i]);
    return existing;
}

std::optional<SourceOverwrite> FindSourceOverwrite(const std::vector<PlannedStrip>& strips,
                                                   const std::vector<std::string>& files) {
    // Only strips whose file exists already can destroy a source; in a fresh output folder there are
    // none, and the sources need not be looked at.
    const std::vector<const PlannedStrip*> existing = FindExistingStrips(strips);
    if (existing.empty()) return std::nullopt;
    const FolderHandleScope folders;
    std::map<FileIdentity, const PlannedStrip*> identities;
    for (const PlannedStrip* strip : existing)
        if (std::optional<FileIdentity> identity = IdentityOf(strip->outputPath))
            identities.emplace(*identity, strip);
    for (const std::string& file : files) {
        const std::optional<FileIdentity> identity = IdentityOf(file);
        if (!identity) continue;
        if (auto it = identities.find(*identity); it != identities.end())
            return SourceOverwrite{it->second->outputPath, file};
    }
    return std::nullopt;
}

const PlannedStrip* FindOverlongName(const std::vector<PlannedStrip>& strips,
                                     const std::string& outputFolder) {
    const long limit = NameLengthLimit(outputFolder);
    for (const PlannedStrip& strip : strips)
        if (long(strip.outputPath.size() - strip.outputPath.rfind('/') - 1) > limit) return &strip;
    return nullptr;
}

}  // namespace plexon
