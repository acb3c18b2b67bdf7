// The rule for suffix letters a user chooses, in the Options dialog or with --suffix-*: each one
// character (h and H differ), a letter or a digit, and the three different, so that every file name
// means one state. Letters read from the settings file are taken as they are.
#pragma once

#include <string_view>

#include "weld/SuffixSettings.h"

namespace plexon {

// One character that is a letter of any script or a digit 0-9.
bool IsSuffixLetter(std::string_view letter);

// All three are suffix letters and no two are the same.
bool AreSuffixLetters(const SuffixSettings& letters);

namespace msg {
inline constexpr std::string_view kSuffixLetters =
    "The Hot, Disabled and Pressed letters must be three different letters or digits.";
}  // namespace msg

}  // namespace plexon
