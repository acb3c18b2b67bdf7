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

// Each letter from the file, or its default when the file, the section or the key is missing.
SuffixSettings LoadSuffixSettings(const std::string& path);

// Writes all three keys, in the order Hot, Disabled, Pressed, creating the file and its folder when
// missing. Raises EIniFileException "Unable to write to %s" (the file's full path) at the first key
// that cannot be written; the remaining keys are not written.
void SaveSuffixSettings(const std::string& path, const SuffixSettings& settings);

}  // namespace plexon
