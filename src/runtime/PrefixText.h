// The "&" prefix rule of captions, read in one place for drawing, accelerators and plain copies:
// "&x" shows x underlined, "&&" shows "&", a lone "&" at the end shows nothing. Knows nothing of
// fonts or keys.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plexon {

// The characters a caption shows and the byte offsets of those the rule underlines (the first byte
// of a UTF-8 character).
struct PrefixedText {
    std::string text;
    std::vector<int> marks;
};

PrefixedText ParsePrefixes(std::string_view caption);

// The caption as it reads without underlines ("&&" gives "&").
std::string StripPrefixes(std::string_view caption);

// The caption's accelerator: its first underlined character, or none.
std::optional<char32_t> AcceleratorOf(std::string_view caption);

}  // namespace plexon
