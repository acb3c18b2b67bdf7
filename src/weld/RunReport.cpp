// The replace question and the error report of a run.
#include "weld/RunReport.h"

#include "runtime/Exceptions.h"
#include "runtime/PathText.h"
#include "weld/CompletionText.h"
#include "weld/DerivedStates.h"
#include "weld/SourceNaming.h"

namespace plexon {

namespace {

constexpr std::size_t kNamedStrips = 5;
constexpr std::size_t kNamedInReport = 10;

// "A", "A and B", "A, B and C".
std::string Listed(const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i)
        text += (i == 0 ? "" : i + 1 == items.size() ? " and " : ", ") + items[i];
    return text;
}

// "2 icons have missing states: A, B and 3 more", naming at most ten.
std::string ReportLine(const std::vector<std::string>& items, std::string_view one, std::string_view many) {
    std::string text =
        items.size() == 1 ? "1 " + std::string(one) : std::to_string(items.size()) + " " + std::string(many);
    text += ": ";
    for (std::size_t i = 0; i < items.size() && i < kNamedInReport; ++i) text += (i ? ", " : "") + items[i];
    if (items.size() > kNamedInReport)
        text += " and " + std::to_string(items.size() - kNamedInReport) + " more";
    return text;
}

}  // namespace

bool RunWarnings::Empty() const {
    return missingStates.empty() && derivedStates.empty() && twoSources.empty() && otherSizes.empty() &&
           shortFiles.empty();
}

std::vector<std::string> PlanWarnings(const WeldRequest& request, const std::vector<PlannedStrip>& plan,
                                      RunWarnings* gathered) {
    const StateFlags used = UsedStates(request.StateCount, request.Slots);
    const std::vector<std::string>& files = request.FileList;
    std::vector<std::string> lines;
    for (const PlannedStrip& strip : plan) {
        std::vector<std::string> missing, names;
        for (ImageState state : kImageStates) {
            if (!used[std::size_t(IndexOf(state))] || strip.sources[std::size_t(IndexOf(state))] != kNoSource)
                continue;
            missing.push_back("no " + std::string(DisplayText(state)));
            names.emplace_back(DisplayText(state));
        }
        if (!missing.empty()) {
            // Either every missing state of a strip is made from its Normal image or none is.
            const bool made = DerivedStates(request, strip) != StateFlags{};
            const bool one = missing.size() == 1;
            const char* outcome =
                made ? (one ? "it was made from the Normal image" : "they were made from the Normal image")
                     : (one ? "its slot is blank" : "their slots are blank");
            lines.push_back(strip.baseName + " has " + Listed(missing) + " image; " + outcome);
            if (gathered)
                (made ? gathered->derivedStates : gathered->missingStates)
                    .push_back(strip.baseName + " (" + Listed(names) + ")");
        }
        for (std::size_t aside : strip.setAside) {
            const ImageState state = StateOfStem(ExtractStem(files[aside]), request.Suffixes);
            if (!used[std::size_t(IndexOf(state))]) continue;
            const std::string& chosen = files[strip.sources[std::size_t(IndexOf(state))]];
            lines.push_back(strip.baseName + " has two " + std::string(DisplayText(state)) + " images, " +
                            files[aside] + " and " + chosen + "; " + chosen + " is used");
            if (gathered)
                gathered->twoSources.push_back(strip.baseName + " (" + std::string(DisplayText(state)) +
                                               ": " + ExtractFileName(chosen) + ")");
        }
    }
    return lines;
}

std::string CompletionReport(std::uint32_t elapsedMilliseconds, const RunWarnings& warnings) {
    std::string text = CompletionText(elapsedMilliseconds);
    const auto add = [&text](const std::vector<std::string>& items, std::string_view one,
                             std::string_view many) {
        if (!items.empty()) text += "\n" + ReportLine(items, one, many);
    };
    add(warnings.missingStates, "icon has missing states", "icons have missing states");
    add(warnings.derivedStates, "icon has missing states made from its Normal image",
        "icons have missing states made from their Normal images");
    add(warnings.twoSources, "icon has two images for one state", "icons have two images for one state");
    add(warnings.otherSizes, "image is not of the slot size", "images are not of the slot size");
    add(warnings.shortFiles, "file is shorter than its header says",
        "files are shorter than their headers say");
    return text;
}

std::string ReplaceQuestion(const std::string& folder, const std::vector<const PlannedStrip*>& existing) {
    const std::size_t count = existing.size();
    std::string text =
        count == 1 ? "1 strip already exists in " + folder + " and will be replaced: "
                   : std::to_string(count) + " strips already exist in " + folder + " and will be replaced: ";
    for (std::size_t i = 0; i < count && i < kNamedStrips; ++i) {
        if (i > 0) text += ", ";
        text += ExtractFileName(existing[i]->outputPath);
    }
    if (count > kNamedStrips) text += " and " + std::to_string(count - kNamedStrips) + " more";
    text += count == 1 ? ". Replace it?" : ". Replace them?";
    return text;
}

std::string RunErrorText(const std::string& message, const std::string& path, const std::string& reason,
                         std::size_t stripsWritten) {
    std::string text = ErrorDisplayText(message);
    if (!path.empty()) text += "\n" + path + ": " + reason;
    text += stripsWritten == 1
                ? "\n1 strip was written before the error."
                : "\n" + std::to_string(stripsWritten) + " strips were written before the error.";
    return text;
}

}  // namespace plexon
