// Stems, states and base names of source file paths.
#include "weld/SourceNaming.h"

#include "runtime/PathText.h"
#include "runtime/Utf8.h"

namespace plexon {

std::string ExtractStem(std::string_view path) {
    const std::string fileName = ExtractFileName(path);
    const size_t mark = path.find_last_of("./");
    const std::string_view extension =
        mark != std::string_view::npos && path[mark] == '.' ? path.substr(mark) : std::string_view{};

    if (extension.empty()) return std::string(fileName);
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
    for (const SuffixedState& entry : kSuffixedStates)
        if (suffix == "_" + settings.*entry.setting) return entry.state;
    return ImageState::Normal;
}

std::string BaseNameOfStem(std::string_view stem, const SuffixSettings& settings) {
    // The suffix is taken off exactly when it names a state.
    if (StateOfStem(stem, settings) == ImageState::Normal) return std::string(stem);
    return std::string(stem.substr(0, LastTwoCharacters(stem)));
}

}  // namespace plexon
