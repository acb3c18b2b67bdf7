// Small rules for path and name texts shared by every layer. Nothing here touches the file system. The folder
// delimiter is "/" only: ":" and "\" are ordinary file-name characters here.
#pragma once

#include <string>
#include <string_view>

namespace plexon {

// Folder texts end in "/": adds it where it is missing (an empty text becomes "/").
inline std::string IncludeTrailingPathDelimiter(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

// The part after the last "/": the whole text when there is none, "" when the text ends in "/".
inline std::string ExtractFileName(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

// The folder part up to and including the last "/", or "" when there is none.
inline std::string ExtractFilePath(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? std::string_view{} : path.substr(0, slash + 1));
}

// ASCII letters to lower case, every other byte as it is: names here are compared byte-wise, not
// by a locale.
inline char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string LowerCase(std::string text) {
    for (char& c : text) c = LowerAscii(c);
    return text;
}

// True when text ends in tail, letters compared without case (tail in lower case, as ".png").
inline bool EndsWithIgnoringCase(std::string_view text, std::string_view lowerTail) {
    if (text.size() < lowerTail.size()) return false;
    const std::string_view tail = text.substr(text.size() - lowerTail.size());
    for (std::size_t i = 0; i < tail.size(); ++i)
        if (LowerAscii(tail[i]) != lowerTail[i]) return false;
    return true;
}

// True when the file name ends in ".bmp" in any letter case.
inline bool IsBmpFileName(std::string_view fileName) {
    return EndsWithIgnoringCase(fileName, ".bmp");
}

}  // namespace plexon
