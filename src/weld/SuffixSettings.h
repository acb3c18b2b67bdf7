// The three suffix letters that mark Hot, Disabled and Pressed files, and their keys in the settings
// file (read and written by Settings.h).
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

}  // namespace plexon
