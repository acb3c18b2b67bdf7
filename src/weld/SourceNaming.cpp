// Stems, states and base names of source file paths.
#include "weld/SourceNaming.h"

#include "runtime/Utf8.h"

namespace plexon {

std::string ExtractStem(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    const std::string_view fileName = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const size_t mark = fileName.rfind('.');
    if (mark == std::string_view::npos) return std::string(fileName);
    const std::string_view extension = fileName.substr(mark);
    // The usual name holds its extension once, at the end.
    if (fileName.find(extension) == mark) return std::string(fileName.substr(0, mark));
    std::string stem;
    size_t from = 0;
    for (size_t match = fileName.find(extension); match != std::string_view::npos;
         match = fileName.find(extension, from)) {
        stem += fileName.substr(from, match - from);
        from = match + extension.size();
    }
    stem += fileName.substr(from);
    return stem;
}

namespace {

// Where the stem's last two characters begin (a letter may take several bytes), or npos when it
// has fewer than two.
std::size_t LastTwoCharacters(std::string_view stem) {
    if (stem.empty()) return std::string_view::npos;
    const std::size_t last = utf8::Previous(stem, stem.size());
    return last == 0 ? std::string_view::npos : utf8::Previous(stem, last);
}

}  // namespace

ImageState StateOfStem(std::string_view stem, const SuffixSettings& settings) {
    const std::size_t start = LastTwoCharacters(stem);
    if (start == std::string_view::npos) return ImageState::Normal;
    const std::string_view suffix = stem.substr(start);
    if (suffix.front() != '_') return ImageState::Normal;
    for (const SuffixedState& entry : kSuffixedStates)
        if (suffix.substr(1) == settings.*entry.setting) return entry.state;
    return ImageState::Normal;
}

std::string BaseNameOfStem(std::string_view stem, const SuffixSettings& settings) {
    // The suffix is taken off exactly when it names a state.
    if (StateOfStem(stem, settings) == ImageState::Normal) return std::string(stem);
    return std::string(stem.substr(0, LastTwoCharacters(stem)));
}

std::string StemOfState(std::string_view baseName, ImageState state, const SuffixSettings& settings) {
    std::string stem(baseName);
    for (const SuffixedState& entry : kSuffixedStates)
        if (entry.state == state) stem += "_" + settings.*entry.setting;
    return stem;
}

}  // namespace plexon
