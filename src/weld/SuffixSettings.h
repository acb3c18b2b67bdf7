// The three suffix letters that mark Hot, Disabled and Pressed files, and their place in the settings
// file. Where the settings file lives is SettingsLocation's business.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "weld/ImageState.h"

namespace plexon {

// Each is normally one letter or digit, but values from the settings file are kept exactly as read,
// of any length and possibly empty (such a setting then never matches a file name).
struct SuffixSettings {
    std::string SuffixHot = "h";
    std::string SuffixDisabled = "d";
    std::string SuffixPressed = "p";

    bool operator==(const SuffixSettings&) const = default;
};

// The states that carry a suffix, in the order their suffixes are tried and written, with their
// setting and its key in the settings file. The Normal state has no suffix.
struct SuffixedState {
    ImageState state;
    std::string SuffixSettings::*setting;
    std::string_view key;
};

inline constexpr std::array<SuffixedState, 3> kSuffixedStates = {{
    {ImageState::Hot, &SuffixSettings::SuffixHot, "HotFile"},
    {ImageState::Disabled, &SuffixSettings::SuffixDisabled, "DisabledFile"},
    {ImageState::Pressed, &SuffixSettings::SuffixPressed, "PressedFile"},
}};

// The letters from one read of the settings file, and why the file was refused when it was (not a
// regular file, larger than 1 MB, unreadable: TIniText::Refusal); then the letters are the defaults,
// and the file must not be written, or the settings it holds would be lost.
struct SuffixSettingsRead {
    SuffixSettings settings;
    std::string refusal;
};
SuffixSettingsRead ReadSuffixSettings(const std::string& path);

// Each letter from the file, or its default when the file, the section or the key is missing. A
// refused file raises EIniFileException with the refusal as its message, naming the file.
SuffixSettings LoadSuffixSettings(const std::string& path);

// Writes all three keys, in the order Hot, Disabled, Pressed, in one replacement of the file,
// creating the file and its folder when missing. Raises EIniFileException "Unable to write to %s"
// (the file's full path) when the file cannot be written; then none of the keys is written.
void SaveSuffixSettings(const std::string& path, const SuffixSettings& settings);

}  // namespace plexon
