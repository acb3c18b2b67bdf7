// The inputs of one weld run, gathered by the main window or the batch command.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "weld/Slots.h"
#include "weld/StripFormat.h"
#include "weld/SuffixSettings.h"

namespace plexon {

struct WeldRequest {
    // Full paths of the source files in the order chosen; that order decides the grouping.
    std::vector<std::string> FileList;
    // Edge length of one slot in pixels: the width of the first source file.
    int32_t ImageSize = 0;
    // When not empty, one set of strips per size, each in the output folder's subfolder "16x16/" and
    // so on: SVG sources rendered at the size, bitmaps of another size scaled to it (ImageSize is
    // then the largest size).
    std::vector<int32_t> Sizes;
    // Number of slots, 2 to 4.
    int StateCount = StateCountOfIndex(kDefaultStateCountIndex);
    SlotStates Slots = kDefaultSlotStates;
    SuffixSettings Suffixes;
    // Where the strips go, ending in "/".
    std::string OutputFolder;
    StripFormat Format = StripFormat::Bmp;
    SourceFormats Sources = SourceFormats::BmpOnly;
    // The used states an icon has no file for are made from its Normal image (DerivedStates.h).
    bool DeriveMissing = false;
};

namespace msg {
inline constexpr std::string_view kWeldStateCount = "A strip holds 2, 3 or 4 state images, not %s";
inline constexpr std::string_view kWeldImageSize = "Images of size %s cannot be joined";
}  // namespace msg

}  // namespace plexon
