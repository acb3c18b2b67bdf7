// Where a weld run keeps its working images and its strip, and how it writes a strip: bitmaps for BMP
// strips, RGBA for strips that keep alpha. Which files go into a strip is the run's; this is the
// storage and the drawing.
#pragma once

#include <memory>
#include <string>

#include "weld/ImageState.h"
#include "weld/Slots.h"
#include "weld/SourceImage.h"
#include "weld/WeldRequest.h"

namespace plexon {

class StripComposer {
  public:
    virtual ~StripComposer() = default;
    // Loads the file into the state's working image and gives its size as loaded.
    virtual ImageExtent Load(ImageState state, const std::string& path) = 0;
    // Makes the image, drawn for this slot size already, the state's working image.
    virtual void Place(ImageState state, RgbaImage image) = 0;
    // Draws the working image of each slot's state into the strip and writes it to the path. A state
    // not in `loaded` shows blank (white in BMP strips, transparent in the others), never what an
    // earlier strip held, unless the request derives it from a loaded Normal (DerivedStates.h); an
    // image is cut to its slot, and around a smaller one the slot is blank.
    virtual void Flush(const std::string& outputPath, StateFlags loaded) = 0;
};

// The composer for the request's strip format. The request must outlive it.
std::unique_ptr<StripComposer> MakeStripComposer(const WeldRequest& request);
std::unique_ptr<StripComposer> MakeBitmapComposer(const WeldRequest& request);
std::unique_ptr<StripComposer> MakeRgbaComposer(const WeldRequest& request);

}  // namespace plexon
