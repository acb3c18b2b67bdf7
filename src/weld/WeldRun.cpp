// The weld run: grouping of the source files, loading of the used states, composing and saving strips.
#include "weld/WeldRun.h"

#include <limits>

#include "platform/shell/TickCount.h"
#include "runtime/Exceptions.h"
#include "runtime/FolderHandles.h"
#include "runtime/PathText.h"
#include "weld/Rounding.h"
#include "weld/SourceNaming.h"
#include "weld/StripComposer.h"
#include "weld/StripPlan.h"

namespace plexon {

WeldRun::WeldRun(WeldRequest request, TickSource ticks)
    : WeldRun(request, PlanStrips(request), std::move(ticks)) {}

WeldRun::WeldRun(WeldRequest request, std::vector<PlannedStrip> plan, TickSource ticks)
    : request_(std::move(request)),
      ticks_(ticks ? std::move(ticks) : TickSource(&GetTickCount)),
      strips_(std::move(plan)) {
    if (!IsValidStateCount(request_.StateCount))
        throw EInvalidOperation(Format(msg::kWeldStateCount, {std::to_string(request_.StateCount)}));
    // The strip's width must stay a 32-bit value; PNG has no empty images.
    if (request_.ImageSize < 0 ||
        request_.ImageSize > std::numeric_limits<int32_t>::max() / request_.StateCount ||
        (request_.ImageSize == 0 && request_.Format != StripFormat::Bmp))
        throw EInvalidOperation(Format(msg::kWeldImageSize, {std::to_string(request_.ImageSize)}));
    if (!request_.OutputFolder.empty())
        request_.OutputFolder = IncludeTrailingPathDelimiter(std::move(request_.OutputFolder));

    composer_ = MakeStripComposer(request_);
    startTime_ = ticks_();
    used_ = UsedStates(request_.StateCount, request_.Slots);
}

WeldRun::~WeldRun() = default;

uint32_t WeldRun::Execute(const ProgressCallback& progress) {
    assert(composer_ && "a weld run executes once");
    const std::vector<std::string>& files = request_.FileList;
    const SuffixSettings& suffixes = request_.Suffixes;
    const std::vector<PlannedStrip>& strips = strips_;
    // Sources and strips are opened through handles of their folders, kept for this run only.
    const FolderHandleScope folders;
    std::size_t next = 0;  // the next strip of the plan to begin
    for (size_t i = 0; i < files.size(); ++i) {
        // Before the group check, so every strip but the last is composed of full-size squares.
        composer_->FitWorkingImages();
        if (next < strips.size() && strips[next].firstFile == i) {
            if (next > 0) Flush(strips[next - 1].outputPath);
            ++next;
        }
        // Files of unused states are never opened, yet they still took part in the grouping.
        const ImageState state = StateOfStem(ExtractStem(files[i]), suffixes);
        if (used_[static_cast<size_t>(IndexOf(state))]) Load(state, files[i]);
        if (files.size() > 1 && progress)
            progress(static_cast<int>(RoundHalfEven(static_cast<int64_t>(i) * 100, files.size() - 1)));
    }
    if (!strips.empty()) Flush(strips.back().outputPath);
    composer_.reset();
    // Unsigned 32-bit subtraction stays right when the tick count wrapped during the run.
    return ticks_() - startTime_;
}

void WeldRun::Flush(const std::string& outputPath) {
    current_ = &outputPath;
    composer_->Flush(outputPath);
    ++written_;
}

void WeldRun::Load(ImageState state, const std::string& path) {
    current_ = &path;
    const ImageExtent size = composer_->Load(state, path);
    if (size.shortFile && shortNotice_) shortNotice_(path);
    if (sizeNotice_ && (size.width != request_.ImageSize || size.height != request_.ImageSize))
        sizeNotice_(path, size.width, size.height);
}

}  // namespace plexon
