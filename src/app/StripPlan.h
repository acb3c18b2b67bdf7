// Which strips a weld run will write, worked out from the file list before anything is written, so
// the batch command can refuse or warn in advance. It reads names and file identities, no pixels.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "weld/SuffixSettings.h"

namespace plexon {

// One group of consecutive files sharing a base name, and the strip the run writes for it.
struct PlannedStrip {
    std::string baseName;
    std::string outputPath;  // the output folder, the base name and ".bmp"
    std::size_t firstFile;   // index in the file list
    bool returns;            // an earlier group had the same base name: this strip overwrites its strip
};

// outputFolder ends in "/".
std::vector<PlannedStrip> PlanStrips(const std::vector<std::string>& files, const SuffixSettings& settings,
                                     const std::string& outputFolder);

struct SourceOverwrite {
    std::string outputPath;
    std::string sourcePath;
};

// The first strip whose output file already exists and is one of the source files (by file identity,
// so links and other spellings are caught), or none.
std::optional<SourceOverwrite> FindSourceOverwrite(const std::vector<PlannedStrip>& strips,
                                                   const std::vector<std::string>& files);

}  // namespace plexon
