// Turns the sources named on the command line into the ordered file list of a weld run: files stay
// where they are given, a folder becomes its BMP and PNG files grouped by icon. It opens no image.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "weld/StripFormat.h"
#include "weld/SuffixSettings.h"

namespace plexon {

// True when the file name ends in ".bmp" or ".png" in any letter case, or ".svg" for All.
bool IsSourceFileName(std::string_view fileName, SourceFormats formats = SourceFormats::BmpAndPng);

// Orders paths so that each icon's files stand together: by base name in natural order, then
// Normal, Hot, Disabled, Pressed, then by file name, so the order never depends on the listing.
void SortByIcon(std::vector<std::string>& paths, const SuffixSettings& settings);

// Each source in order: a folder (or a link to one) gives its BMP and PNG files sorted by icon, without
// descending into subfolders; anything else is taken as a file as it is written. Raises EFOpenError
// "Cannot open file %s" for a folder that cannot be listed.
// With SourceFormats::All a folder gives its SVG files too.
std::vector<std::string> ExpandSources(std::span<const std::string> sources, const SuffixSettings& settings,
                                       SourceFormats formats = SourceFormats::BmpAndPng);

// What the window takes from dropped or given paths: folders expanded as ExpandSources does, files
// that IsSourceFileName takes (SVG too, as the batch reads them); the other files, in the order
// given, are left out and said so.
struct WindowSources {
    std::vector<std::string> images;
    std::vector<std::string> leftOut;
};
WindowSources SplitSources(std::span<const std::string> sources, const SuffixSettings& settings);

// "These files are not BMP, PNG or SVG images and were left out: a.gif, b.jpg." by file name, at
// most ten, then "and N more".
std::string LeftOutText(std::span<const std::string> leftOut);

// A folder chosen as the source: "Icons/ (124 images)" for its selection, and
// "/home/me/Icons/ holds no .bmp, .png or .svg images." when it has none.
std::string FolderCountText(const std::string& folder, std::size_t count);
std::string NoImagesText(const std::string& folder);

}  // namespace plexon
