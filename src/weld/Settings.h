// The settings file as a whole: the suffix letters ([FileSuffix]), the folders the main window last
// used ([Window]) and its last weld choices ([Weld]). Where the file lives is SettingsLocation's
// business; the batch command takes only the strip format and DeriveMissing from [Weld].
#pragma once

#include <array>
#include <string>

#include "weld/Slots.h"
#include "weld/StripFormat.h"
#include "weld/SuffixSettings.h"

namespace plexon {

// The sizes the window offers for SVG images that give none of their own ([Weld] SvgSize).
inline constexpr std::array<int, 6> kSvgSizes = {16, 20, 24, 32, 48, 64};
inline constexpr int kDefaultSvgSize = 32;

// What the main window remembers between sessions besides the letters.
struct WindowChoices {
    std::string sourceFolder;  // empty: none remembered
    std::string outputFolder;
    int stateCount = StateCountOfIndex(kDefaultStateCountIndex);
    SlotStates order = kDefaultSlotStates;
    StripFormat format = StripFormat::Bmp;
    bool deriveMissing = false;  // [Weld] DeriveMissing=1
    int svgSize = kDefaultSvgSize;  // one of kSvgSizes; the batch asks for --size instead

    bool operator==(const WindowChoices&) const = default;
};

// One read of the settings file. A value that names nothing sensible gives its default: a state
// count other than 2 to 4, an order that is not four state names (any case, separated by commas);
// a StripFormat that names no format reads as bmp and is kept in unknownFormat for a warning;
// DeriveMissing is on for "1" alone; an SvgSize not in kSvgSizes reads as 32. A
// refused file (TIniText::Refusal) gives every default and must never be written, or the settings it
// holds would be lost.
struct SettingsRead {
    SuffixSettings suffixes;
    WindowChoices choices;
    std::string unknownFormat;
    std::string refusal;
};
SettingsRead ReadSettings(const std::string& path);

// As ReadSettings, but a refused file raises EIniFileException with the refusal, naming the file.
SettingsRead LoadSettings(const std::string& path);

// Writes every key, each section's keys in a fixed order, in one replacement of the file, creating
// the file and its folder when missing; other keys and sections stay as they were. Raises
// EIniFileException "Unable to write to %s" (the file's full path) when the file cannot be written;
// then nothing is written.
void SaveSettings(const std::string& path, const SuffixSettings& suffixes, const WindowChoices& choices);

}  // namespace plexon
