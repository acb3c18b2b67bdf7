// Reads and writes single string values of an INI file by section and key, leaving every other byte
// of the file as it was. No caching: each read looks at the file anew, each write replaces it whole.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace plexon {

namespace msg {
inline constexpr std::string_view kIniTooLarge = "cannot read: larger than 1 MB";
}  // namespace msg

// Section and key names match ignoring ASCII letter case, and blanks (spaces, tabs) around names and
// values are not part of them: hand-edited files with "HotFile = h" or "[filesuffix]" still work.
// Lines starting with ";" or "#" are comments. Both CRLF and LF line ends are read; lines that a write
// adds use the line end the file already uses (LF for a new file).
//
// Only a regular file of at most kMaxFileSize bytes is read (and "/dev/null", as an empty file): a
// FIFO, socket, device or folder is refused at once instead of waiting or reading without end.
class TIniFile;

// The file as one read found it, so that several keys come from the same bytes.
class TIniText {
  public:
    // As TIniFile::ReadString.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    // Why the file could not be read ("cannot open: not a regular file"); empty when it was read or
    // is missing, which reads as a file without keys.
    const std::string& Refusal() const noexcept { return refusal_; }

  private:
    friend class TIniFile;
    std::string text_;
    std::string refusal_;
};

struct TIniValue {
    std::string_view key;
    std::string_view value;
};

struct TIniEntry {
    std::string_view section;
    std::string_view key;
    std::string_view value;
};

class TIniFile {
  public:
    // Values are read through a buffer of this many bytes, so at most one byte less comes back.
    static constexpr std::size_t kReadBufferSize = 2048;
    // A larger file is no settings file; reading it whole could take any amount of memory.
    static constexpr std::size_t kMaxFileSize = std::size_t(1) << 20;

    explicit TIniFile(std::string fileName);

    const std::string& FileName() const noexcept { return fileName_; }

    // One read of the file.
    TIniText Read() const;

    // The value of the key in the section, or the default when the file, the section or the key is
    // missing or the file cannot be read. A key present with an empty value gives the empty string.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;

    // Sets the key's value, adding the file, the section or the key when missing. The file is replaced
    // atomically (a temporary file in the same folder, then a rename) and keeps its permissions, so a
    // failure never leaves it truncated. Raises EIniFileException "Unable to write to %s" with the
    // file's full path when the file cannot be written, or when a name or value would not survive
    // being read back (a line break, "=" in a key, "]" in a section, an empty name).
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    // WriteString of every key of the section, in order, in one replacement of the file: all of them
    // are written or none.
    void WriteStrings(std::string_view section, std::span<const TIniValue> values);
    // The same for keys of several sections: a section missing from the file is added once, at its
    // end, and later keys of it go there.
    void WriteEntries(std::span<const TIniEntry> entries);

  private:
    std::string fileName_;
    std::string fullPath_;
};

}  // namespace plexon
