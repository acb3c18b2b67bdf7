// Our 8-bit strings hold UTF-8, as Linux file names do. This reads them character by character: a
// byte that does not belong to a well-formed sequence is a character of its own, read as U+FFFD and
// left as it is in the data. Nothing here converts or repairs a stored string.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace plexon::utf8 {

constexpr char32_t kReplacement = 0xFFFD;

struct Character {
    char32_t code;     // U+FFFD for a bad byte
    std::size_t size;  // bytes it takes, 1 to 4
};

// The character that starts at byte `at` (at < text.size()).
Character Decode(std::string_view text, std::size_t at);
// The byte offset of the character boundary after / before `at` (itself a boundary).
inline std::size_t Next(std::string_view text, std::size_t at) {
    return at + Decode(text, at).size;
}
std::size_t Previous(std::string_view text, std::size_t at);
// The byte offset of the index-th character (text.size() when there are fewer).
std::size_t OffsetOf(std::string_view text, std::size_t index);
std::size_t Count(std::string_view text);

// The code points of text, U+FFFD for each bad byte.
std::u32string Decoded(std::string_view text);
std::string Encode(char32_t code);
// The text with every bad byte turned into U+FFFD, for places outside the program that take only
// well-formed UTF-8 (window titles, the system clipboard).
std::string WellFormed(std::string_view text);

// Letters of any script, and upper case, by the Unicode character tables.
bool IsLetter(char32_t code);
char32_t UpperCase(char32_t code);

}  // namespace plexon::utf8
