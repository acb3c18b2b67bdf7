// Where a weld run keeps its working images and its strip, and how it writes a strip: bitmaps for BMP
// strips, RGBA for strips that keep alpha. The order of the steps is the run's; this is the storage.
#pragma once

#include <memory>
#include <string>

#include "weld/ImageState.h"
#include "weld/SourceImage.h"
#include "weld/WeldRequest.h"

namespace plexon {

class StripComposer {
  public:
    virtual ~StripComposer() = default;
    // Every working image becomes a slot-sized square: cut at the right and bottom, or extended with
    // the format's empty colour (white for BMP strips, transparent for the others).
    virtual void FitWorkingImages() = 0;
    // Loads the file into the state's working image and gives its size as loaded.
    virtual ImageExtent Load(ImageState state, const std::string& path) = 0;
    // Draws the working image of each slot's state into the strip and writes it to the path.
    virtual void Flush(const std::string& outputPath) = 0;
};

// The composer for the request's strip format. The request must outlive it.
std::unique_ptr<StripComposer> MakeStripComposer(const WeldRequest& request);
std::unique_ptr<StripComposer> MakeBitmapComposer(const WeldRequest& request);
std::unique_ptr<StripComposer> MakeRgbaComposer(const WeldRequest& request);

}  // namespace plexon
