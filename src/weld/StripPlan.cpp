// Grouping the file list into strips by icon, and the checks on the strips' files.
#include "weld/StripPlan.h"

#include <unordered_map>
#include <utility>

#include "platform/shell/FileAttributes.h"
#include "runtime/PathText.h"
#include "weld/NaturalOrder.h"
#include "weld/SourceNaming.h"

namespace plexon {

std::vector<PlannedStrip> PlanStrips(const std::vector<std::string>& files, const SuffixSettings& settings,
                                     const std::string& outputFolder, std::string_view extension) {
    std::vector<PlannedStrip> strips;
    // Room for a strip per file, so the names the index views never move.
    strips.reserve(files.size());
    std::unordered_map<std::string_view, std::size_t> byName;
    byName.reserve(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string stem = ExtractStem(files[i]);
        const ImageState state = StateOfStem(stem, settings);
        std::string base = BaseNameOfStem(stem, settings);
        // Files of one icon mostly come together: the last strip is looked at first.
        std::size_t at = strips.empty() || strips.back().baseName != base ? kNoSource : strips.size() - 1;
        if (at == kNoSource) {
            if (const auto found = byName.find(base); found != byName.end()) at = found->second;
        }
        if (at == kNoSource) {
            std::string outputPath;
            outputPath.reserve(outputFolder.size() + base.size() + extension.size());
            outputPath.append(outputFolder).append(base).append(extension);
            at = strips.size();
            strips.push_back({std::move(base), std::move(outputPath), {}, {}, {}});
            strips.back().sources.fill(kNoSource);
            byName.emplace(strips.back().baseName, at);
        }
        PlannedStrip& strip = strips[at];
        std::size_t& source = strip.sources[std::size_t(IndexOf(state))];
        if (source != kNoSource && files[source] == files[i]) continue;  // the same file named again
        strip.files.push_back(i);
        if (source == kNoSource) {
            source = i;
        } else if (NaturalLess(files[source], files[i])) {
            strip.setAside.push_back(std::exchange(source, i));
        } else {
            strip.setAside.push_back(i);
        }
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

std::string SizeFolderName(std::int32_t size) {
    return std::to_string(size) + "x" + std::to_string(size);
}

std::vector<PlannedStrip> PlanAtSizes(const std::vector<PlannedStrip>& plan, const WeldRequest& request) {
    if (request.Sizes.empty()) return plan;
    const std::string folder =
        request.OutputFolder.empty() ? std::string() : IncludeTrailingPathDelimiter(request.OutputFolder);
    const std::string_view extension = StripExtension(request.Format);
    std::vector<PlannedStrip> sized;
    sized.reserve(plan.size() * request.Sizes.size());
    for (const std::int32_t size : request.Sizes) {
        const std::string sizeFolder = folder + SizeFolderName(size) + "/";
        for (const PlannedStrip& strip : plan) {
            sized.push_back(strip);
            sized.back().outputPath = sizeFolder + strip.baseName + std::string(extension);
        }
    }
    return sized;
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
        if (written[i].exists) existing.push_back(&strips[i]);
    return existing;
}

const PlannedStrip* FindOverlongName(const std::vector<PlannedStrip>& strips,
                                     const std::string& outputFolder) {
    const long limit = NameLengthLimit(outputFolder);
    for (const PlannedStrip& strip : strips)
        if (long(strip.outputPath.size() - strip.outputPath.rfind('/') - 1) > limit) return &strip;
    return nullptr;
}

}  // namespace plexon
