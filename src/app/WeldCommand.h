// `plexon weld`: gathers a weld request from the batch options, makes the Start command's checks and
// a few more, runs the weld engine and reports on the console. It never writes the settings file.
#pragma once

#include "app/BatchOptions.h"
#include "app/CommandLine.h"

namespace plexon {

// kExitDone, or kExitFailed after a refusal or an error (its text on console.err).
int RunWeldCommand(BatchOptions options, Console& console);

}  // namespace plexon
