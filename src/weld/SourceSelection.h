// What the main window and the batch command both take from a selection of source files before a
// run: the source folder and the slot size. The selection itself (dialog, drop, command line) is
// theirs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "weld/StripFormat.h"

namespace plexon {

// The folder of the first file, ending in "/": "./" for a bare file name, "" for no files.
std::string SourceFolderOf(const std::vector<std::string>& files);

// The edge length of a slot: the width of the first file, loaded whatever its state (a PNG's width
// from its header when PNG sources are read). Loading errors propagate.
int32_t SlotSizeOf(const std::string& firstFile, SourceFormats sources = SourceFormats::BmpOnly);

// As SlotSizeOf, but an SVG that gives no size of its own has none: the window then takes the size
// Options chose, where the batch asks for --size.
std::optional<int32_t> OwnSlotSizeOf(const std::string& firstFile, SourceFormats sources);

}  // namespace plexon
