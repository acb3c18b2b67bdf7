// The weld run: grouping of the source files, loading of the used states, composing and saving strips.
#include "weld/WeldRun.h"

#include <limits>

#include "graphics/Bitmap.h"
#include "platform/shell/TickCount.h"
#include "runtime/Exceptions.h"
#include "weld/Rounding.h"
#include "weld/SourceNaming.h"

namespace plexon {

WeldRun::WeldRun(WeldRequest request, TickSource ticks)
    : request_(std::move(request)), ticks_(ticks ? std::move(ticks) : TickSource(&GetTickCount)) {
    if (!IsValidStateCount(request_.StateCount))
        throw EInvalidOperation(Format(msg::kWeldStateCount, {std::to_string(request_.StateCount)}));
    // The strip's width must stay a 32-bit value.
    if (request_.ImageSize < 0 ||
        request_.ImageSize > std::numeric_limits<int32_t>::max() / request_.StateCount)
        throw EInvalidOperation(Format(msg::kWeldImageSize, {std::to_string(request_.ImageSize)}));
    if (!request_.OutputFolder.empty() && request_.OutputFolder.back() != '/') request_.OutputFolder += '/';

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
    if (!files.empty()) {
        std::string current = BaseNameOfStem(ExtractStem(files.front()), suffixes);
        for (size_t i = 0; i < files.size(); ++i) {
            // Before the group check, so every strip but the last is composed of full-size squares.
            FitWorkingBitmaps();
            const std::string stem = ExtractStem(files[i]);
            std::string baseName = BaseNameOfStem(stem, suffixes);
            if (baseName != current) {
                Flush(current);
                current = std::move(baseName);
            }
            // Files of unused states are never opened, yet they still took part in the grouping.
            const ImageState state = StateOfStem(stem, suffixes);
            if (used_[static_cast<size_t>(IndexOf(state))]) Working(state).LoadFile(files[i]);
            if (files.size() > 1 && progress)
                progress(static_cast<int>(RoundHalfEven(static_cast<int64_t>(i) * 100, files.size() - 1)));
        }
        Flush(current);
    }
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

void WeldRun::Flush(const std::string& baseName) {
    // The strip is not cleared between groups: every slot is painted over, except where the last
    // file of the list is smaller than a slot.
    for (int slot = 0; slot < request_.StateCount; ++slot) {
        strip_->Canvas().DrawGraphic(slot * request_.ImageSize, 0,
                                     &Working(request_.Slots[static_cast<size_t>(slot)]));
    }
    strip_->SaveFile(request_.OutputFolder + baseName + ".bmp");
    strip_->FreeDibCopy();
    for (auto& bitmap : working_) bitmap->FreeDibCopy();
}

}  // namespace plexon
