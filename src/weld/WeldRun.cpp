// The weld run: grouping of the source files, loading of the used states, composing and saving strips.
#include "weld/WeldRun.h"

#include <limits>

#include "graphics/Bitmap.h"
#include "platform/shell/TickCount.h"
#include "runtime/Exceptions.h"
#include "runtime/PathText.h"
#include "weld/Rounding.h"
#include "weld/SourceNaming.h"
#include "weld/StripPlan.h"

namespace plexon {

WeldRun::WeldRun(WeldRequest request, TickSource ticks)
    : request_(std::move(request)), ticks_(ticks ? std::move(ticks) : TickSource(&GetTickCount)) {
    if (!IsValidStateCount(request_.StateCount))
        throw EInvalidOperation(Format(msg::kWeldStateCount, {std::to_string(request_.StateCount)}));
    // The strip's width must stay a 32-bit value.
    if (request_.ImageSize < 0 ||
        request_.ImageSize > std::numeric_limits<int32_t>::max() / request_.StateCount)
        throw EInvalidOperation(Format(msg::kWeldImageSize, {std::to_string(request_.ImageSize)}));
    if (!request_.OutputFolder.empty())
        request_.OutputFolder = IncludeTrailingPathDelimiter(std::move(request_.OutputFolder));

    const int32_t stripWidth = request_.ImageSize * request_.StateCount;
    for (auto& bitmap : working_) bitmap = std::make_unique<TBitmap>();
    strip_ = std::make_unique<TBitmap>();
    strip_->SetHeight(request_.ImageSize);
    strip_->SetWidth(stripWidth);
    startTime_ = ticks_();
    used_ = UsedStates(request_.StateCount, request_.Slots);
}

WeldRun::~WeldRun() = default;

uint32_t WeldRun::Execute(const ProgressCallback& progress) {
    assert(strip_ && "a weld run executes once");
    const std::vector<std::string>& files = request_.FileList;
    const SuffixSettings& suffixes = request_.Suffixes;
    // The strips come from the same plan the batch command checks before the run.
    const std::vector<PlannedStrip> strips = PlanStrips(request_);
    std::size_t next = 0;  // the next strip of the plan to begin
    for (size_t i = 0; i < files.size(); ++i) {
        // Before the group check, so every strip but the last is composed of full-size squares.
        FitWorkingBitmaps();
        if (next < strips.size() && strips[next].firstFile == i) {
            if (next > 0) Flush(strips[next - 1].outputPath);
            ++next;
        }
        // Files of unused states are never opened, yet they still took part in the grouping.
        const ImageState state = StateOfStem(ExtractStem(files[i]), suffixes);
        if (used_[static_cast<size_t>(IndexOf(state))]) Working(state).LoadFile(files[i]);
        if (files.size() > 1 && progress)
            progress(static_cast<int>(RoundHalfEven(static_cast<int64_t>(i) * 100, files.size() - 1)));
    }
    if (!strips.empty()) Flush(strips.back().outputPath);
    for (auto& bitmap : working_) bitmap.reset();
    strip_.reset();
    // Unsigned 32-bit subtraction stays right when the tick count wrapped during the run.
    return ticks_() - startTime_;
}

TBitmap& WeldRun::Working(ImageState state) {
    return *working_[static_cast<size_t>(IndexOf(state))];
}

void WeldRun::FitWorkingBitmaps() {
    for (auto& bitmap : working_) {
        bitmap->SetHeight(request_.ImageSize);
        bitmap->SetWidth(request_.ImageSize);
    }
}

void WeldRun::Flush(const std::string& outputPath) {
    // The strip is not cleared between groups: every slot is painted over, except where the last
    // file of the list is smaller than a slot.
    for (int slot = 0; slot < request_.StateCount; ++slot) {
        strip_->Canvas().DrawGraphic(slot * request_.ImageSize, 0,
                                     &Working(request_.Slots[static_cast<size_t>(slot)]));
    }
    strip_->SaveFile(outputPath);
    strip_->FreeDibCopy();
    for (auto& bitmap : working_) bitmap->FreeDibCopy();
}

}  // namespace plexon
