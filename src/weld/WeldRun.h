// One weld run: joins the state images of each icon into one strip bitmap and writes it to the output
// folder. Used by the main window and the batch command alike; knows nothing of windows.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "weld/WeldRequest.h"

namespace plexon {

class TBitmap;

using TickSource = std::function<uint32_t()>;
// Called after each file with the position 0 to 100; never called when the list holds one file.
using ProgressCallback = std::function<void(int position)>;

class WeldRun {
  public:
    // Begins the run: creates the working bitmaps and the white strip, takes the start time and works
    // out which states are used. Raises EInvalidOperation when the state count is not 2 to 4 or the
    // image size is negative or too large for a strip; EOutOfResources when the strip cannot be made.
    explicit WeldRun(WeldRequest request, TickSource ticks = {});
    ~WeldRun();
    WeldRun(const WeldRun&) = delete;
    WeldRun& operator=(const WeldRun&) = delete;

    // Walks the files, writes one strip per run of files with one base name, frees the working bitmaps
    // and gives the elapsed milliseconds (correct across a wrap of the tick count). A run executes
    // once. Loading and saving errors propagate and end the run: strips already written stay, the
    // group under way is not written. An empty file list writes nothing.
    uint32_t Execute(const ProgressCallback& progress);

  private:
    TBitmap& Working(ImageState state);
    void FitWorkingBitmaps();
    void Flush(const std::string& outputPath);

    WeldRequest request_;
    TickSource ticks_;
    std::array<std::unique_ptr<TBitmap>, kImageStateCount> working_;
    std::unique_ptr<TBitmap> strip_;
    uint32_t startTime_ = 0;
    StateFlags used_{};
};

}  // namespace plexon
