// File name extensions of the strip and source formats.
#include "weld/StripFormat.h"

namespace plexon {

std::string_view StripExtension(StripFormat format) {
    return format == StripFormat::Png ? ".png" : ".bmp";
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view lowerTail) {
    if (text.size() < lowerTail.size()) return false;
    const std::string_view tail = text.substr(text.size() - lowerTail.size());
    for (std::size_t i = 0; i < tail.size(); ++i) {
        const char c = tail[i] >= 'A' && tail[i] <= 'Z' ? char(tail[i] - 'A' + 'a') : tail[i];
        if (c != lowerTail[i]) return false;
    }
    return true;
}

}  // namespace plexon
