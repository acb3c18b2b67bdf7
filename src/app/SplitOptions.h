// The options of `plexon split` and the parsing of its command line. Parsing only: nothing here
// touches a file or reads the settings.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "weld/Slots.h"

namespace plexon {

struct SplitOptions {
    std::string outputFolder;
    std::optional<int> stateCount;  // not given: each strip's width / height
    SlotStates slotStates = kDefaultSlotStates;
    std::size_t orderCount = kMaxStateCount;  // states --order named, all different
    // Letters given on the command line; those not given come from the settings file.
    std::optional<std::string> suffixHot, suffixDisabled, suffixPressed;
    std::optional<std::string> configFile;
    bool quiet = false;
    std::vector<std::string> strips;  // in the order given
};

// The arguments after "split"; none when -h or --help is among them. Throws UsageError for an
// unknown option, a missing or bad value, no output folder, no strip, or --order naming a state
// twice or fewer states than -n.
std::optional<SplitOptions> ParseSplitOptions(std::span<const std::string> args);

}  // namespace plexon
