// The weld run: walks the plan icon by icon, loading the used states, composing and saving strips.
#include "weld/WeldRun.h"

#include <limits>

#include "platform/shell/TickCount.h"
#include "runtime/Exceptions.h"
#include "runtime/FolderHandles.h"
#include "runtime/PathText.h"
#include "weld/DerivedStates.h"
#include "weld/Rounding.h"
#include "weld/SourceArt.h"
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
    const auto checkSize = [this](int32_t size, bool sized) {
        if (size < 0 || size > std::numeric_limits<int32_t>::max() / request_.StateCount ||
            (size == 0 && (sized || request_.Format != StripFormat::Bmp)))
            throw EInvalidOperation(Format(msg::kWeldImageSize, {std::to_string(size)}));
    };
    checkSize(request_.ImageSize, false);
    for (const int32_t size : request_.Sizes) checkSize(size, true);
    if (!request_.OutputFolder.empty())
        request_.OutputFolder = IncludeTrailingPathDelimiter(std::move(request_.OutputFolder));

    if (request_.Sizes.empty()) {
        composer_ = MakeStripComposer(request_);
    } else {
        // The composers keep a reference to their request: all are made before the first composer.
        sizedRequests_.reserve(request_.Sizes.size());
        for (const int32_t size : request_.Sizes) {
            WeldRequest& sized = sizedRequests_.emplace_back();
            sized.ImageSize = size;
            sized.StateCount = request_.StateCount;
            sized.Slots = request_.Slots;
            sized.Suffixes = request_.Suffixes;
            sized.Format = request_.Format;
            sized.Sources = request_.Sources;
            sized.DeriveMissing = request_.DeriveMissing;
        }
        for (const WeldRequest& sized : sizedRequests_) sizedComposers_.push_back(MakeStripComposer(sized));
        sizedStrips_ = PlanAtSizes(strips_, request_);
    }
    startTime_ = ticks_();
    used_ = UsedStates(request_.StateCount, request_.Slots);
}

WeldRun::~WeldRun() = default;

uint32_t WeldRun::Execute(const ProgressCallback& progress) {
    assert((composer_ || !sizedComposers_.empty()) && "a weld run executes once");
    // Sources and strips are opened through handles of their folders, kept for this run only.
    const FolderHandleScope folders;
    std::size_t total = 0;
    for (const PlannedStrip& strip : strips_) total += strip.files.size();
    std::size_t walked = 0;
    for (std::size_t index = 0; index < strips_.size(); ++index) {
        const PlannedStrip& strip = strips_[index];
        if (goOn_ && !goOn_()) {
            stopped_ = true;
            break;
        }
        StateFlags loaded{};
        if (composer_) {
            if (!ReadSources(strip, loaded, walked, total, progress,
                             [this](ImageState state, const std::string& path) { Load(state, path); }))
                continue;
            current_ = &strip.outputPath;
            composer_->Flush(strip.outputPath, loaded);
            ++written_;
            continue;
        }
        std::array<std::unique_ptr<SourceArt>, kImageStateCount> art;
        if (!ReadSources(strip, loaded, walked, total, progress,
                         [&](ImageState state, const std::string& path) {
                             current_ = &path;
                             art[std::size_t(IndexOf(state))] = std::make_unique<SourceArt>(path, request_);
                         }))
            continue;
        WriteSizes(strip, index, loaded, art);
    }
    composer_.reset();
    sizedComposers_.clear();
    // Unsigned 32-bit subtraction stays right when the tick count wrapped during the run.
    return ticks_() - startTime_;
}

template <class Read>
bool WeldRun::ReadSources(const PlannedStrip& strip, StateFlags& loaded, std::size_t& walked,
                          std::size_t total, const ProgressCallback& progress, const Read& read) {
    const std::vector<std::string>& files = request_.FileList;
    const std::size_t walkedBefore = walked;
    const StateFlags load = request_.DeriveMissing ? StatesToLoad(request_, strip) : used_;
    try {
        for (std::size_t file : strip.files) {
            // Files of states neither shown nor derived from, and files another file of their state
            // replaced, are never opened, yet they count for the progress.
            for (std::size_t state = 0; state < kImageStateCount; ++state) {
                if (strip.sources[state] != file || !load[state]) continue;
                read(ImageState(int(state)), files[file]);
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
        return false;
    }
    return true;
}

void WeldRun::WriteSizes(const PlannedStrip& strip, std::size_t index, const StateFlags& loaded,
                         const std::array<std::unique_ptr<SourceArt>, kImageStateCount>& art) {
    for (std::size_t k = 0; k < sizedComposers_.size(); ++k) {
        const int32_t size = request_.Sizes[k];
        StripComposer& composer = *sizedComposers_[k];
        for (std::size_t state = 0; state < kImageStateCount; ++state) {
            if (!loaded[state]) continue;
            const std::string& path = request_.FileList[strip.sources[state]];
            current_ = &path;
            bool scaledUp = false;
            RgbaImage image;
            try {
                image = art[state]->At(size, scaledUp);
            } catch (const Exception& error) {
                // An SVG may go over its limits at one size only: the icon is skipped from this size
                // on, as a source that cannot be read skips it; its strips of the sizes before stay.
                if (!skipNotice_) throw;
                skipNotice_(strip, path, error);
                ++skipped_;
                return;
            }
            composer.Place(ImageState(int(state)), std::move(image));
            if (scaledUp && scaleNotice_) {
                const auto [width, height] = *art[state]->BitmapSize();
                scaleNotice_(path, width, height, size);
            }
        }
        const PlannedStrip& sized = sizedStrips_[k * strips_.size() + index];
        current_ = &sized.outputPath;
        composer.Flush(sized.outputPath, loaded);
        ++written_;
    }
}

void WeldRun::Load(ImageState state, const std::string& path) {
    current_ = &path;
    const ImageExtent size = composer_->Load(state, path);
    if (size.shortFile && shortNotice_) shortNotice_(path);
    if (sizeNotice_ && (size.width != request_.ImageSize || size.height != request_.ImageSize))
        sizeNotice_(path, size.width, size.height);
}

}  // namespace plexon
