// The Start command's checks: source files chosen, output folder present and not the source folder
// under any spelling; then a first image with pixels, a slot size within the memory limit and no strip
// landing on a source.
#include "weld/StartCheck.h"

#include "platform/shell/CanonicalPath.h"
#include "platform/shell/FileAttributes.h"
#include "runtime/Exceptions.h"
#include "weld/IconMemory.h"
#include "weld/StripPlan.h"

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

std::optional<RequestRefusal> CheckRequest(const WeldRequest& request,
                                           const std::vector<PlannedStrip>& plan) {
    if (request.FileList.empty()) return std::nullopt;
    if (request.ImageSize == 0) {
        const std::string& first = request.FileList.front();
        return RequestRefusal{first, Format(msg::kEmptyFirstImage, {first})};
    }
    // The slot size alone can put an icon past the memory limit, whatever the other sources hold.
    if (std::optional<std::string> text =
            IconMemoryRefusal(request.ImageSize, request.ImageSize, request.ImageSize, request.StateCount))
        return RequestRefusal{request.FileList.front(), std::move(*text)};
    if (const PlannedStrip* overlong = FindOverlongName(plan, request.OutputFolder))
        return RequestRefusal{overlong->outputPath, Format(msg::kStripNameTooLong, {overlong->outputPath})};
    if (std::optional<SourceOverwrite> clash = FindSourceOverwrite(plan, request.FileList))
        return RequestRefusal{clash->outputPath,
                              Format(msg::kOverwritesSource, {clash->outputPath, clash->sourcePath})};
    return std::nullopt;
}

}  // namespace plexon
