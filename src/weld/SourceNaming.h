// How a source file's path names its icon and its state: the stem, the state suffix and the base name.
// Plain string logic; every comparison is exact and case-sensitive. Nothing here touches the disk.
#pragma once

#include <string>
#include <string_view>

#include "weld/ImageState.h"
#include "weld/SuffixSettings.h"

namespace plexon {

// The file name without its extension, every occurrence of the extension removed ("a.bmpb.bmp" gives
// "ab"). The folder delimiter is "/" only; ":" is an ordinary file-name character here. A "." inside
// a folder name is never an extension.
std::string ExtractStem(std::string_view path);

// Hot, Disabled or Pressed when the stem ends in "_" and that state's suffix letter (tried in that
// order), otherwise Normal. A letter is one UTF-8 character, which may take several bytes; a suffix
// setting that is empty or longer than one character never matches.
ImageState StateOfStem(std::string_view stem, const SuffixSettings& settings);

// The stem less its state suffix: the name shared by all files of one icon.
std::string BaseNameOfStem(std::string_view stem, const SuffixSettings& settings);

// The stem of the base name's file for the state: the base name itself for Normal, else followed by
// "_" and the state's suffix letter ("Open_h"), as StateOfStem reads it back.
std::string StemOfState(std::string_view baseName, ImageState state, const SuffixSettings& settings);

}  // namespace plexon
