// One weld run: joins the state images of each icon into one strip bitmap and writes it to the output
// folder. Used by the main window and the batch command alike; knows nothing of windows.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "weld/StripPlan.h"
#include "weld/WeldRequest.h"

namespace plexon {

class Exception;
class SourceArt;
class StripComposer;

using TickSource = std::function<uint32_t()>;
// Called after each file with the position 0 to 100, the files taken icon by icon; never called when
// the list holds one file.
using ProgressCallback = std::function<void(int position)>;
// Called when a loaded source is not a slot-sized square, with its path and its size as loaded.
using SizeNotice = std::function<void(const std::string& path, std::int32_t width, std::int32_t height)>;
// Called in a run with sizes when a bitmap source had to be scaled up: its path, its size, the size.
using ScaleNotice =
    std::function<void(const std::string& path, std::int32_t width, std::int32_t height, std::int32_t size)>;

class WeldRun {
  public:
    // Begins the run: creates the working bitmaps and the white strip, takes the start time and works
    // out which states are used. Raises EInvalidOperation when the state count is not 2 to 4 or the
    // image size is negative, too large for a strip, or 0 for strips that keep alpha; EOutOfResources
    // when the strip cannot be made.
    explicit WeldRun(WeldRequest request, TickSource ticks = {});
    // The same with the request's plan (PlanStrips of the same request), made once for the checks.
    WeldRun(WeldRequest request, std::vector<PlannedStrip> plan, TickSource ticks = {});
    ~WeldRun();
    WeldRun(const WeldRun&) = delete;
    WeldRun& operator=(const WeldRun&) = delete;

    // Writes one strip per icon of the plan, in its order, frees the working images and gives the
    // elapsed milliseconds (correct across a wrap of the tick count). A run executes once. Loading and
    // saving errors propagate and end the run: strips already written stay, the icon under way is not
    // written, and no strip is ever left partly written (each replaces its file whole). An empty file
    // list writes nothing.
    uint32_t Execute(const ProgressCallback& progress);

    // Set before Execute to go on past sources that cannot be read: such a source's icon is not
    // written, and the notice gets its strip, the file and the error. Saving errors still end the run.
    using SkipNotice =
        std::function<void(const PlannedStrip& strip, const std::string& path, const Exception& error)>;
    void SetSkipNotice(SkipNotice notice) { skipNotice_ = std::move(notice); }
    std::size_t IconsSkipped() const { return skipped_; }

    // Set before Execute: asked before each strip whether to go on; when it says no, the run ends
    // there as a normal run does, with every strip written so far whole, and Stopped() is true.
    void SetGoOn(std::function<bool()> goOn) { goOn_ = std::move(goOn); }
    bool Stopped() const { return stopped_; }
    const WeldRequest& Request() const { return request_; }
    std::size_t StripCount() const { return strips_.size(); }
    // The strips the run writes: the plan's, or with sizes those of every size (PlanAtSizes).
    const std::vector<PlannedStrip>& WrittenStrips() const {
        return request_.Sizes.empty() ? strips_ : sizedStrips_;
    }

    // Set before Execute; without it, sizes are not reported.
    void SetSizeNotice(SizeNotice notice) { sizeNotice_ = std::move(notice); }
    void SetScaleNotice(ScaleNotice notice) { scaleNotice_ = std::move(notice); }
    // Set before Execute: called with the path of a source that loaded but held fewer pixels than its
    // header says (they loaded black).
    void SetShortNotice(std::function<void(const std::string& path)> notice) {
        shortNotice_ = std::move(notice);
    }

    // The file the run is loading or writing, or last loaded or wrote: after an error, the file it
    // concerns. Empty before the first.
    const std::string& CurrentPath() const { return current_ ? *current_ : kNoPath; }
    // The strips written so far; after an error, those written before it.
    std::size_t StripsWritten() const { return written_; }

  private:
    void Load(ImageState state, const std::string& path);
    // Reads the strip's sources into art and marks them loaded; false when one cannot be read and the
    // skip notice took the error (the icon is then not written).
    template <class Read>
    bool ReadSources(const PlannedStrip& strip, StateFlags& loaded, std::size_t& walked, std::size_t total,
                     const ProgressCallback& progress, const Read& read);
    void WriteSizes(const PlannedStrip& strip, std::size_t index, const StateFlags& loaded,
                    const std::array<std::unique_ptr<SourceArt>, kImageStateCount>& art);

    WeldRequest request_;
    TickSource ticks_;
    SizeNotice sizeNotice_;
    std::function<void(const std::string& path)> shortNotice_;
    std::vector<PlannedStrip> strips_;
    const std::string* current_ = nullptr;
    static inline const std::string kNoPath;
    std::unique_ptr<StripComposer> composer_;
    // A run with sizes: a request and a composer per size, and the strips of every size (PlanAtSizes).
    std::vector<WeldRequest> sizedRequests_;
    std::vector<std::unique_ptr<StripComposer>> sizedComposers_;
    std::vector<PlannedStrip> sizedStrips_;
    ScaleNotice scaleNotice_;
    uint32_t startTime_ = 0;
    std::size_t written_ = 0;
    std::size_t skipped_ = 0;
    std::function<bool()> goOn_;
    bool stopped_ = false;
    SkipNotice skipNotice_;
    StateFlags used_{};
};

}  // namespace plexon
