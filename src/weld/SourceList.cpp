// Folder expansion and icon ordering for the batch command.
#include "weld/SourceList.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>

#include "graphics/SvgImage.h"
#include "platform/shell/FileAttributes.h"
#include "runtime/Exceptions.h"
#include "runtime/PathText.h"
#include "weld/NaturalOrder.h"
#include "weld/SourceNaming.h"
#include "weld/StripFormat.h"

namespace plexon {

namespace {

namespace fs = std::filesystem;

struct IconKey {
    std::string baseName;
    ImageState state;
    std::string fileName;
};

IconKey KeyOf(const std::string& path, const SuffixSettings& settings) {
    std::string stem = ExtractStem(path);
    return {BaseNameOfStem(stem, settings), StateOfStem(stem, settings), ExtractFileName(path)};
}

bool IconLess(const IconKey& a, const IconKey& b) {
    if (int c = NaturalCompare(a.baseName, b.baseName); c != 0) return c < 0;
    if (a.state != b.state) return IndexOf(a.state) < IndexOf(b.state);
    return NaturalLess(a.fileName, b.fileName);
}

std::vector<std::string> SourceFilesIn(const std::string& folder, const SuffixSettings& settings,
                                       SourceFormats formats) {
    const std::string prefix = IncludeTrailingPathDelimiter(folder);
    std::vector<std::string> files;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        std::error_code typeError;
        if (IsSourceFileName(name, formats) && it->is_regular_file(typeError)) files.push_back(prefix + name);
    }
    if (error) throw EFOpenError(Format(msg::kFOpen, {folder}));
    SortByIcon(files, settings);
    return files;
}

}  // namespace

bool IsSourceFileName(std::string_view fileName, SourceFormats formats) {
    return EndsWithIgnoringCase(fileName, ".bmp") || EndsWithIgnoringCase(fileName, ".png") ||
           (formats == SourceFormats::All && IsSvgFileName(fileName));
}

void SortByIcon(std::vector<std::string>& paths, const SuffixSettings& settings) {
    std::vector<std::pair<IconKey, std::string>> keyed;
    keyed.reserve(paths.size());
    for (std::string& path : paths) keyed.emplace_back(KeyOf(path, settings), std::move(path));
    std::sort(keyed.begin(), keyed.end(),
              [](const auto& a, const auto& b) { return IconLess(a.first, b.first); });
    for (std::size_t i = 0; i < paths.size(); ++i) paths[i] = std::move(keyed[i].second);
}

std::vector<std::string> ExpandSources(std::span<const std::string> sources, const SuffixSettings& settings,
                                       SourceFormats formats) {
    std::vector<std::string> files;
    // One listing of the folder that holds many of the sources tells which are folders.
    const std::vector<PathFacts> facts = LookUpPaths(sources);
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const std::string& source = sources[i];
        if (facts[i].folder) {
            std::vector<std::string> listed = SourceFilesIn(source, settings, formats);
            files.insert(files.end(), std::make_move_iterator(listed.begin()),
                         std::make_move_iterator(listed.end()));
        } else {
            files.push_back(source);
        }
    }
    return files;
}

WindowSources SplitSources(std::span<const std::string> sources, const SuffixSettings& settings) {
    WindowSources split;
    // Folders give images only, so any other file left is one the user named.
    for (std::string& path : ExpandSources(sources, settings, SourceFormats::All))
        (IsSourceFileName(ExtractFileName(path), SourceFormats::All) ? split.images : split.leftOut)
            .push_back(std::move(path));
    return split;
}

std::string LeftOutText(std::span<const std::string> leftOut) {
    constexpr std::size_t kNamed = 10;
    std::string text = "These files are not BMP, PNG or SVG images and were left out: ";
    for (std::size_t i = 0; i < leftOut.size() && i < kNamed; ++i)
        text += (i ? ", " : "") + ExtractFileName(leftOut[i]);
    if (leftOut.size() > kNamed) text += " and " + std::to_string(leftOut.size() - kNamed) + " more";
    return text + ".";
}

std::string FolderCountText(const std::string& folder, std::size_t count) {
    std::string_view path = folder;
    while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
    return IncludeTrailingPathDelimiter(ExtractFileName(path)) + " (" + std::to_string(count) + " images)";
}

std::string NoImagesText(const std::string& folder) {
    return IncludeTrailingPathDelimiter(folder) + " holds no .bmp, .png or .svg images.";
}

}  // namespace plexon
