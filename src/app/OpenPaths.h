// `plexon PATH...`: paths without a command word open the main window with them selected, as the
// desktop's "Open with" passes them. Works out the file list only; the window does the rest.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "weld/SuffixSettings.h"

namespace plexon {

// True when the arguments are paths to open: the first is no command word, no option, and names
// something that exists (so a mistyped command stays a usage error).
bool IsOpenCommand(std::span<const std::string> args);

// The files to select: each path made absolute against the working folder, a folder replaced by its
// BMP, PNG and SVG files grouped by icon in natural order. Raises EFOpenError for a folder that cannot be
// listed.
std::vector<std::string> FilesToOpen(std::span<const std::string> paths, const SuffixSettings& settings);

}  // namespace plexon
