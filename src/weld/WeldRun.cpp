// The weld run: walks the plan icon by icon, loading the used states, composing and saving strips.
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
    // Sources and strips are opened through handles of their folders, kept for this run only.
    const FolderHandleScope folders;
    std::size_t total = 0;
    for (const PlannedStrip& strip : strips_) total += strip.files.size();
    std::size_t walked = 0;
    for (const PlannedStrip& strip : strips_) {
        if (goOn_ && !goOn_()) {
            stopped_ = true;
            break;
        }
        StateFlags loaded{};
        const std::size_t walkedBefore = walked;
        try {
            for (std::size_t file : strip.files) {
                // Files of unused states, and files another file of their state replaced, are never
                // opened, yet they count for the progress.
                for (std::size_t state = 0; state < kImageStateCount; ++state) {
                    if (strip.sources[state] != file || !used_[state]) continue;
                    Load(ImageState(int(state)), files[file]);
                    loaded[state] = true;
                }
                if (total > 1 && progress)
                    progress(static_cast<int>(RoundHalfEven(static_cast<int64_t>(walked) * 100, total - 1)));
                ++walked;
            }
        } catch (const Exception& error) {
            if (!skipNotice_) throw;
            // The icon's strip is not written; what a file of it held before stays.
            skipNotice_(strip, CurrentPath(), error);
            ++skipped_;
            walked = walkedBefore + strip.files.size();
            continue;
        }
        current_ = &strip.outputPath;
        composer_->Flush(strip.outputPath, loaded);
        ++written_;
    }
    composer_.reset();
    // Unsigned 32-bit subtraction stays right when the tick count wrapped during the run.
    return ticks_() - startTime_;
}

void WeldRun::Load(ImageState state, const std::string& path) {
    current_ = &path;
    const ImageExtent size = composer_->Load(state, path);
    if (size.shortFile && shortNotice_) shortNotice_(path);
    if (sizeNotice_ && (size.width != request_.ImageSize || size.height != request_.ImageSize))
        sizeNotice_(path, size.width, size.height);
}

}  // namespace plexon
