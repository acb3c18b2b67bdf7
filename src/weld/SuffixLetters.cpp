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

}  // namespace plexon
