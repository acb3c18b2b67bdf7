// Which strips a weld run writes, worked out from the file list alone. The run walks this plan, and
// the batch command checks and warns from the same plan before anything is written. It reads names
// and file identities, no pixels.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "weld/SuffixSettings.h"
#include "weld/WeldRequest.h"

namespace plexon {

// One group of consecutive files sharing a base name, and the strip the run writes for it.
struct PlannedStrip {
    std::string baseName;
    std::string outputPath;  // the output folder, the base name and the format's extension
    std::size_t firstFile;   // index in the file list
    bool returns;            // an earlier group had the same base name: this strip overwrites its strip
};

// outputFolder ends in "/" (or is empty: the current folder); extension is ".bmp" or ".png".
std::vector<PlannedStrip> PlanStrips(const std::vector<std::string>& files, const SuffixSettings& settings,
                                     const std::string& outputFolder, std::string_view extension = ".bmp");
// The plan of a request's run, as the run itself walks it.
std::vector<PlannedStrip> PlanStrips(const WeldRequest& request);

struct SourceOverwrite {
    std::string outputPath;
    std::string sourcePath;
};

// The first strip whose output file already exists and is one of the source files (by file identity,
// so links and other spellings are caught), or none. Identities come from the files themselves on
// both sides, never from a folder listing, which shows what a mount covers instead of the mount.
std::optional<SourceOverwrite> FindSourceOverwrite(const std::vector<PlannedStrip>& strips,
                                                   const std::vector<std::string>& files);

// The strips of the plan whose files exist already (anything at the path, a link included), in plan
// order, each path once.
std::vector<const PlannedStrip*> FindExistingStrips(const std::vector<PlannedStrip>& strips);

// The first strip whose file name is longer than the output folder takes, or none.
const PlannedStrip* FindOverlongName(const std::vector<PlannedStrip>& strips,
                                     const std::string& outputFolder);

}  // namespace plexon
