// The options of the batch weld command and the parsing of its command line. Parsing only: nothing
// here touches a file or reads the settings.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/Options.h"
#include "app/SplitOptions.h"
#include "graphics/SvgLimits.h"
#include "weld/Slots.h"
#include "weld/StripFormat.h"

namespace plexon {

enum class Verbosity { Normal, Quiet };
// What a source of another size than the slots brings: a warning, or a refusal of the whole run.
enum class SizeCheck { Warn, Strict };
// What a strip that exists already meets: replacement (scripts rely on it), or a refusal of the run.
enum class ExistingStrips { Replace, Refuse };

struct BatchOptions {
    std::string outputFolder;
    int stateCount = 3;
    SlotStates slotStates = kDefaultSlotStates;
    // Letters given on the command line; those not given come from the settings file.
    std::optional<std::string> suffixHot, suffixDisabled, suffixPressed;
    std::optional<std::string> configFile;
    Verbosity verbosity = Verbosity::Normal;
    std::optional<StripFormat> format;  // not given: the settings file's, else bmp
    SizeCheck sizeCheck = SizeCheck::Warn;
    ExistingStrips existingStrips = ExistingStrips::Replace;
    std::vector<std::int32_t> sizes;      // --size: one set of strips per size, in subfolders
    std::optional<std::string> manifest;  // --manifest FILE
    bool watch = false;                   // --watch: stay and re-weld icons whose sources change
    std::optional<bool> derive;  // --derive or --no-derive; not given: the settings file's DeriveMissing
    bool keepGoing = false;      // a source that cannot be read skips its icon instead of ending the run
    std::chrono::milliseconds svgTimeLimit = kDefaultSvgTimeLimit;  // CPU time of each SVG parse and render
    std::vector<std::string> sources;  // files and folders, in the order given
};

enum class CommandKind { Help, Version, Weld, Split };

struct Command {
    CommandKind kind = CommandKind::Help;
    BatchOptions weld;        // only for CommandKind::Weld
    SplitOptions split = {};  // only for CommandKind::Split
};

// The arguments after the program name. Throws UsageError for a missing or unknown command, an
// unknown option, a missing or bad value, or no output folder.
Command ParseCommandLine(std::span<const std::string> args);

std::string_view UsageText();

}  // namespace plexon
