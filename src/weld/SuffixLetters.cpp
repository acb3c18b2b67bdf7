// Suffix letters: one character, a letter or digit, three different ones.
#include "weld/SuffixLetters.h"

#include "runtime/Utf8.h"

namespace plexon {

bool IsSuffixLetter(std::string_view letter) {
    if (letter.empty()) return false;
    const utf8::Character character = utf8::Decode(letter, 0);
    if (character.size != letter.size()) return false;
    return (character.code >= U'0' && character.code <= U'9') || utf8::IsLetter(character.code);
}

bool AreSuffixLetters(const SuffixSettings& letters) {
    return IsSuffixLetter(letters.SuffixHot) && IsSuffixLetter(letters.SuffixDisabled) &&
           IsSuffixLetter(letters.SuffixPressed) && letters.SuffixHot != letters.SuffixDisabled &&
           letters.SuffixHot != letters.SuffixPressed && letters.SuffixDisabled != letters.SuffixPressed;
}

std::vector<SuffixNote> SuffixLetterNotes(const SuffixSettings& letters) {
    std::vector<SuffixNote> notes;
    for (std::size_t i = 0; i < kSuffixedStates.size(); ++i) {
        const SuffixedState& entry = kSuffixedStates[i];
        const std::string& letter = letters.*entry.setting;
        const std::string key(entry.key), state(DisplayText(entry.state));
        const utf8::Character first = utf8::Decode(letter, 0);
        std::string text;
        if (letter.empty()) {
            text = key + " is empty; no file will count as " + state + ".";
        } else if (first.size != letter.size()) {
            // The suffix is compared with the last character of a name, so it never matches.
            text = key + "=" + letter + " is not one letter or digit; no file will count as " + state + ".";
        } else {
            for (std::size_t j = 0; j < i && text.empty(); ++j)
                if (letters.*kSuffixedStates[j].setting == letter)
                    text = key + "=" + letter + " is " + std::string(kSuffixedStates[j].key) +
                           "'s letter too; such files count as " + std::string(DisplayText(kSuffixedStates[j].state)) + ".";
            if (text.empty() && !IsSuffixLetter(letter))
                text = key + "=" + letter + " is not a letter or digit; files ending in _" + letter + " count as " +
                       state + ".";
        }
        if (!text.empty()) notes.push_back({entry.state, std::move(text)});
    }
    return notes;
}

}  // namespace plexon
