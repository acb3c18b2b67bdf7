// Parsing the "&" prefix rule.
#include "runtime/PrefixText.h"

#include "runtime/Utf8.h"

namespace plexon {

// Byte by byte: a UTF-8 character after "&" is copied whole, as its later bytes are never "&".
PrefixedText ParsePrefixes(std::string_view caption) {
    PrefixedText shown;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != '&') {
            shown.text += caption[i];
            continue;
        }
        if (++i == caption.size()) break;
        if (caption[i] != '&') shown.marks.push_back(int(shown.text.size()));
        shown.text += caption[i];
    }
    return shown;
}

std::string StripPrefixes(std::string_view caption) {
    return ParsePrefixes(caption).text;
}

std::optional<char32_t> AcceleratorOf(std::string_view caption) {
    const PrefixedText shown = ParsePrefixes(caption);
    if (shown.marks.empty()) return std::nullopt;
    return utf8::Decode(shown.text, std::size_t(shown.marks.front())).code;
}

}  // namespace plexon
