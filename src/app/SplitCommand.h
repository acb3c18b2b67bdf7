// `plexon split`: cuts strips back into the state files they were welded from, each in the strip's
// format, so that welding them again gives the strip back. It never writes the settings file.
#pragma once

#include "app/CommandLine.h"
#include "app/SplitOptions.h"

namespace plexon {

// kExitDone, kExitFailed after a refusal or an error (its text on console.err), kExitUsage when the
// letters given clash with the settings file's.
int RunSplitCommand(SplitOptions options, Console& console);

}  // namespace plexon
