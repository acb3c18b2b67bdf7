// `plexon weld --watch`: after the first weld the command stays, and re-welds an icon soon after one
// of its sources changes, printing one line per strip, until SIGINT or SIGTERM ends it (status 0).
// Folders given as sources are watched for every source file in them, new icons included; a file
// given by name is watched by name. The caller holds the output folder's lock for the whole session.
// When every watched folder has been removed or moved away, the session ends with status 1.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "weld/WeldRequest.h"

namespace plexon {

struct WatchInputs {
    std::vector<std::string> sources;  // as given on the command line: files and folders
    WeldRequest request;               // the first weld's request; its file list is made anew
    std::optional<std::string> manifest;
    std::vector<std::string> skipped;  // icons the first weld could not write
    bool quiet = false;
};

// Returns when a signal ends the session: kExitDone; kExitFailed when no watched folder is left. Raises
// for a folder that cannot be watched.
int WatchSources(const WatchInputs& inputs, Console& console);

}  // namespace plexon
