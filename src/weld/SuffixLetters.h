// The rule for suffix letters a user chooses, in the Options dialog or with --suffix-*: each one
// character (h and H differ), a letter or a digit, and the three different, so that every file name
// means one state. Letters read from the settings file are taken as they are.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "weld/SuffixSettings.h"

namespace plexon {

// One character that is a letter of any script or a digit 0-9.
bool IsSuffixLetter(std::string_view letter);

// All three are suffix letters and no two are the same.
bool AreSuffixLetters(const SuffixSettings& letters);

// What letters read from the settings file lead to when they are not three different letters or
// digits, a line per key in the order Hot, Disabled, Pressed: "HotFile=hh is not one letter or digit;
// no file will count as Hot.", "DisabledFile is empty; ...", "PressedFile=h is HotFile's letter too;
// such files count as Hot." The letters are still used as read; this only says what follows.
struct SuffixNote {
    ImageState state;  // whose key the line is about
    std::string text;
};
std::vector<SuffixNote> SuffixLetterNotes(const SuffixSettings& letters);

namespace msg {
inline constexpr std::string_view kSuffixLetters =
    "The Hot, Disabled and Pressed letters must be three different letters or digits.";
}  // namespace msg

}  // namespace plexon
