// The Start command's checks: source files chosen, output folder present and not the source folder
// under any spelling; then a first image with pixels, a slot size within the memory limit and no strip
// landing on a source.
#include "weld/StartCheck.h"

#include "platform/shell/CanonicalPath.h"
#include "platform/shell/FileAttributes.h"
#include "runtime/Exceptions.h"
#include "weld/IconMemory.h"
#include "weld/StripPlan.h"
#include "weld/WriteTargets.h"

namespace plexon {

namespace {

bool SameFolder(const std::string& a, const std::string& b) {
    if (a == b) return true;
    // Both exist by now; a folder that cannot be resolved cannot be proven the same.
    std::optional<std::string> ca = CanonicalPath(a), cb = CanonicalPath(b);
    return ca && cb && *ca == *cb;
}

}  // namespace

std::optional<StartRefusal> CheckStart(const StartInputs& inputs) {
    if (inputs.fileCount == 0 || !DirectoryExists(inputs.sourceFolder)) return StartRefusal::NoImages;
    if (!DirectoryExists(inputs.outputFolder)) return StartRefusal::NoOutputFolder;
    if (SameFolder(inputs.sourceFolder, inputs.outputFolder)) return StartRefusal::SameFolder;
    return std::nullopt;
}

std::string_view RefusalText(StartRefusal refusal) {
    switch (refusal) {
        case StartRefusal::NoImages:
            return "Please select some images to join.";
        case StartRefusal::NoOutputFolder:
            return "Please select a folder to save the images to to join.";
        case StartRefusal::SameFolder:
            return "You cannot create the images in the same folder as the source images.";
    }
    return {};
}

std::optional<RequestRefusal> CheckRequest(const WeldRequest& request, const std::vector<PlannedStrip>& plan,
                                           const std::optional<std::string>& manifest) {
    if (request.FileList.empty()) return std::nullopt;
    if (request.ImageSize == 0) {
        const std::string& first = request.FileList.front();
        return RequestRefusal{first, Format(msg::kEmptyFirstImage, {first}), {}};
    }
    // The slot size alone can put an icon past the memory limit, whatever the other sources hold.
    if (std::optional<std::string> text =
            IconMemoryRefusal(request.ImageSize, request.ImageSize, request.ImageSize, request.StateCount))
        return RequestRefusal{request.FileList.front(), std::move(*text), {}};
    if (const PlannedStrip* overlong = FindOverlongName(plan, request.OutputFolder))
        return RequestRefusal{overlong->outputPath, Format(msg::kStripNameTooLong, {overlong->outputPath}), {}};
    std::vector<TargetRefusal> refusals = FindTargetRefusals(request, plan, manifest, Refusals::First);
    if (refusals.empty()) return std::nullopt;
    return std::move(refusals.front().refusal);
}

std::vector<TargetRefusal> FindTargetRefusals(const WeldRequest& request, const std::vector<PlannedStrip>& plan,
                                              const std::optional<std::string>& manifest, Refusals which,
                                              const std::vector<std::string>* inputs) {
    std::vector<std::string> targets;
    targets.reserve(plan.size() + 1);
    for (const PlannedStrip& strip : plan) targets.push_back(strip.outputPath);
    if (manifest) targets.push_back(*manifest);
    const std::vector<std::string>& read = inputs ? *inputs : request.FileList;
    std::vector<TargetRefusal> refusals;
    for (const TargetClash& clash : FindTargetClashes(targets, read)) {
        const std::string& path = targets[clash.target];
        const std::string& other = clash.kind == TargetClash::Kind::OnInput ? read[clash.other] : targets[clash.other];
        RequestRefusal refusal;
        if (clash.kind == TargetClash::Kind::NotRegular) {
            refusal = {path, Format(msg::kStripNotRegular, {path}), std::string(msg::kNotRegularTarget)};
        } else if (clash.target == plan.size()) {
            const std::string reason = Format(msg::kManifestReplaces, {other});
            refusal = {path, reason, reason};
        } else if (clash.kind == TargetClash::Kind::OnInput) {
            refusal = {path, Format(msg::kOverwritesSource, {path, other}), {}};
        } else {
            refusal = {path, Format(msg::kStripsCoincide, {other, path}), {}};
        }
        refusals.push_back({clash.target, std::move(refusal)});
        if (which == Refusals::First) break;
    }
    return refusals;
}

}  // namespace plexon
