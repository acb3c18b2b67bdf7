// Which strips a weld run writes and from which files, worked out from the file list alone: the files
// of one icon form one strip whatever their order. The run walks this plan, and the checks and
// warnings read the same plan before anything is written. It reads names and file identities, no
// pixels.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "weld/ImageState.h"
#include "weld/SuffixSettings.h"
#include "weld/WeldRequest.h"

namespace plexon {

inline constexpr std::size_t kNoSource = SIZE_MAX;

// The files of one icon, wherever they stand in the list, and the strip the run writes for it.
struct PlannedStrip {
    std::string baseName;
    std::string outputPath;          // the output folder, the base name and the format's extension
    std::vector<std::size_t> files;  // indexes in the file list, in list order
    // The file of each state (by ImageState index), kNoSource when the icon has none. Of two files for
    // one state the later by full path in natural order is the source.
    std::array<std::size_t, kImageStateCount> sources;
    std::vector<std::size_t> setAside;  // files that lost to another file of their state
};

// outputFolder ends in "/" (or is empty: the current folder); extension is ".bmp" or ".png". Strips
// come in the order in which their icon first appears in the list. The same path named twice is
// one file.
std::vector<PlannedStrip> PlanStrips(const std::vector<std::string>& files, const SuffixSettings& settings,
                                     const std::string& outputFolder, std::string_view extension = ".bmp");
// The plan of a request's run, as the run itself walks it.
std::vector<PlannedStrip> PlanStrips(const WeldRequest& request);

// "16x16": the subfolder of the output folder that takes the strips of one size.
std::string SizeFolderName(std::int32_t size);
// The strips a run with sizes writes: the plan's strips once per size, size by size, each in its
// size's subfolder. Without sizes, the plan itself.
std::vector<PlannedStrip> PlanAtSizes(const std::vector<PlannedStrip>& plan, const WeldRequest& request);

// The strips of the plan whose files exist already (anything at the path, a link included), in plan
// order, each path once.
std::vector<const PlannedStrip*> FindExistingStrips(const std::vector<PlannedStrip>& strips);

// The first strip whose file name is longer than the output folder takes, or none.
const PlannedStrip* FindOverlongName(const std::vector<PlannedStrip>& strips,
                                     const std::string& outputFolder);

}  // namespace plexon
