// The text side of the markup: preparing a text for layout (entities, the literal tag, line breaks),
// colours, numbers and attribute values of tags, and the plain text for hints. No drawing here.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "graphics/Color.h"

namespace plexon {

// Entities replaced until none is left, the first "<#" made literal, CR turned into "<BR>" and LF
// dropped. Linear in the text: replacements are made in one sweep that re-reads what they produce.
std::string PrepareMarkupText(std::string_view text);

// "#RRGGBB" (no validation: a missing digit pair counts 0) or a colour name such as "clred";
// an unknown name gives black.
TColor ParseMarkupColour(std::string_view value);

// Tags stripped for hints: "<BR>" and "<HR>" become CR LF, hidden "<z>" text goes, entities stay.
std::string MarkupToPlainText(std::string_view text);
// The text a markup shows, for screen readers: entities replaced, tags stripped as for hints, runs
// as drawn, and the "&" rule the drawing applies ("&&" shows one "&").
std::string MarkupShownText(std::string_view text);

namespace markup {

// Case-insensitive search; npos when absent.
std::size_t FindNoCase(std::string_view text, std::string_view what, std::size_t from = 0);
bool StartsNoCase(std::string_view text, std::string_view prefix);
// A run as drawn: "&nbsp;", "&lt;" and "&gt;" (lower case only) replaced.
std::string RunText(std::string_view source);
std::string Upper(std::string_view text);

// Leading spaces, then decimal digits ("$" or "0x" for hexadecimal), up to the first other
// character; saturates instead of overflowing.
std::int32_t ReadNumber(std::string_view value);
// The whole value as a decimal or hexadecimal integer; false when anything else is in it.
bool ParseInteger(std::string_view value, std::int32_t& number);

// The value of an attribute: the name found without regard to case (first occurrence), then the
// text between the next two double quotes (to the end of the tag when the second is missing).
// found is false when the name or its opening quote is absent.
struct Attribute {
    bool found = false;
    std::string_view value;
};
Attribute FindAttribute(std::string_view tag, std::string_view name);

}  // namespace markup
}  // namespace plexon
