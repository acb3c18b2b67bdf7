// The shell's icons for markup "SSYS:" and "LSYS:" pictures: a small set drawn in code (document,
// folder, picture) at 16 and 32 pixels, chosen by the named file's kind. No icon files are read.
#pragma once

#include <string>

#include "controls/ImageList.h"

namespace plexon {

enum class TShellIconSize { Small, Large };

// The list of shell icons of one size (16 or 32 pixels), made on first use and kept.
TImageList& ShellIcons(TShellIconSize size);
// The icon index for a path: the path itself when it is a number, else by what the path names
// (an existing folder, a picture file by its extension, any other file).
int ShellIconIndex(const std::string& path);

}  // namespace plexon
