// INI parsing and in-place editing behind TIniFile; the file is replaced through TReplacingFile.
#include "runtime/IniFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "runtime/Exceptions.h"
#include "runtime/PathText.h"
#include "runtime/ReplacingFile.h"
#include "runtime/ScopeExit.h"

namespace plexon {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text) {
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    }
    return true;
}

// One line of the file: its text is [begin, end), its line end [end, next) (empty on an unterminated
// last line).
struct Line {
    size_t begin;
    size_t end;
    size_t next;
};

std::vector<Line> SplitLines(const std::string& text) {
    std::vector<Line> lines;
    size_t begin = text.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
    while (begin < text.size()) {
        const size_t newline = text.find('\n', begin);
        if (newline == std::string::npos) {
            // A lone CR at the very end still ends the line, as it would with the LF after it; so
            // completing the line on a write does not change its value.
            const size_t end = text.back() == '\r' ? text.size() - 1 : text.size();
            lines.push_back({begin, end, text.size()});
            break;
        }
        const size_t end = newline > begin && text[newline - 1] == '\r' ? newline - 1 : newline;
        lines.push_back({begin, end, newline + 1});
        begin = newline + 1;
    }
    return lines;
}

enum class LineKind { Other, Section, Key };

struct ParsedLine {
    LineKind kind = LineKind::Other;
    std::string_view name;  // section or key name, trimmed
    size_t valueBegin = 0;  // for a key: offset in the file where the value starts (blanks skipped)
    std::string_view value;
};

ParsedLine Parse(const std::string& text, const Line& line) {
    const std::string_view raw(text.data() + line.begin, line.end - line.begin);
    const std::string_view trimmed = Trim(raw);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#') return {};
    if (trimmed.front() == '[') {
        const std::string_view inner = trimmed.substr(1);
        return {LineKind::Section, Trim(inner.substr(0, inner.find(']'))), 0, {}};
    }
    const size_t equals = raw.find('=');
    if (equals == std::string_view::npos) return {};
    size_t valueOffset = equals + 1;
    while (valueOffset < raw.size() && kBlanks.find(raw[valueOffset]) != std::string_view::npos)
        ++valueOffset;
    return {LineKind::Key, Trim(raw.substr(0, equals)), line.begin + valueOffset,
            Trim(raw.substr(equals + 1))};
}

// Where a section sits in the file: its header line and the lines up to the next header.
struct SectionSpan {
    size_t header;
    size_t endLine;  // one past the section's last line
};

// The first section of that name; later sections of the same name are ignored for reading and writing.
std::optional<SectionSpan> FindSection(const std::string& text, const std::vector<Line>& lines,
                                       std::string_view section) {
    for (size_t i = 0; i < lines.size(); ++i) {
        const ParsedLine parsed = Parse(text, lines[i]);
        if (parsed.kind != LineKind::Section || !SameName(parsed.name, section)) continue;
        size_t end = i + 1;
        while (end < lines.size() && Parse(text, lines[end]).kind != LineKind::Section) ++end;
        return SectionSpan{i, end};
    }
    return std::nullopt;
}

// What one read of a file gave: its bytes, or why it was refused. A missing file is neither.
struct FileText {
    bool missing = false;
    std::string text;
    std::string refusal;
};

bool IsNullDevice(const struct stat& info) {
    struct stat null {};
    return S_ISCHR(info.st_mode) && stat("/dev/null", &null) == 0 && info.st_rdev == null.st_rdev;
}

FileText ReadWholeFile(const std::string& path) {
    FileText result;
    const auto refuse = [&result](std::string reason) {
        result.refusal = std::move(reason);
        return result;
    };
    // Non-blocking, so that the open of a FIFO without a writer returns at once to be refused.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT) result.missing = true;
        return errno == ENOENT ? result : refuse(FileReason("cannot open", errno));
    }
    const ScopeExit closeFile([fd] { close(fd); });
    struct stat info {};
    if (fstat(fd, &info) != 0) return refuse(FileReason("cannot open", errno));
    if (!S_ISREG(info.st_mode))
        return IsNullDevice(info) ? result : refuse(std::string(msg::kNotRegularFile));
    if (std::uint64_t(info.st_size) > TIniFile::kMaxFileSize) return refuse(std::string(msg::kIniTooLarge));
    // The size is checked again while reading: the file may grow after the check.
    char buffer[65536];
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return refuse(FileReason("cannot read", errno));
        if (got == 0) break;
        if (result.text.size() + size_t(got) > TIniFile::kMaxFileSize)
            return refuse(std::string(msg::kIniTooLarge));
        result.text.append(buffer, static_cast<size_t>(got));
    }
    return result;
}

std::string ValueIn(const std::string& text, std::string_view section, std::string_view key,
                    std::string_view defaultValue) {
    std::string result(defaultValue);
    const std::vector<Line> lines = SplitLines(text);
    if (const std::optional<SectionSpan> span = FindSection(text, lines, Trim(section))) {
        for (size_t i = span->header + 1; i < span->endLine; ++i) {
            const ParsedLine parsed = Parse(text, lines[i]);
            if (parsed.kind == LineKind::Key && SameName(parsed.name, Trim(key))) {
                result = parsed.value;
                break;
            }
        }
    }
    if (result.size() >= TIniFile::kReadBufferSize) result.resize(TIniFile::kReadBufferSize - 1);
    return result;
}

std::string_view LineEndOf(const std::string& text) {
    const size_t newline = text.find('\n');
    return newline != std::string::npos && newline > 0 && text[newline - 1] == '\r' ? "\r\n" : "\n";
}

std::string WithValueSet(const std::string& text, std::string_view section, std::string_view key,
                         std::string_view value) {
    const std::vector<Line> lines = SplitLines(text);
    const std::string_view eol = LineEndOf(text);
    const std::string entry = std::string(key) + "=" + std::string(value);
    const auto spliced = [&](size_t from, size_t to, std::string_view insert) {
        return text.substr(0, from) + std::string(insert) + text.substr(to);
    };

    // What completes an unterminated last line before anything goes after it; after a lone CR, its LF.
    const std::string_view closing = text.empty() || text.back() == '\n' ? ""
                                     : text.back() == '\r'               ? "\n"
                                                                         : eol;

    const std::optional<SectionSpan> span = FindSection(text, lines, section);
    if (!span) {
        return text + std::string(closing) + "[" + std::string(section) + "]" + std::string(eol) + entry +
               std::string(eol);
    }
    size_t lastKey = span->header;
    for (size_t i = span->header + 1; i < span->endLine; ++i) {
        const ParsedLine parsed = Parse(text, lines[i]);
        if (parsed.kind != LineKind::Key) continue;
        if (SameName(parsed.name, key)) return spliced(parsed.valueBegin, lines[i].end, value);
        lastKey = i;
    }
    // A new key goes right after the section's last key, before any blank lines that separate it from
    // the next section.
    const Line& after = lines[lastKey];
    const std::string_view before = after.next == text.size() ? closing : "";
    return spliced(after.next, after.next, std::string(before) + entry + std::string(eol));
}

bool FitsOnOneLine(std::string_view text) {
    return text.find_first_of("\r\n") == std::string_view::npos;
}

bool CanBeReadBack(std::string_view section, std::string_view key, std::string_view value) {
    if (section.empty() || key.empty() || !FitsOnOneLine(section) || !FitsOnOneLine(key) ||
        !FitsOnOneLine(value))
        return false;
    if (section.find(']') != std::string_view::npos || key.find('=') != std::string_view::npos) return false;
    return key.front() != '[' && key.front() != ';' && key.front() != '#';
}

// Replaces the file's content in one rename, so readers see the old or the new file, never a part;
// synced with its folder, since losing the settings to a power cut is losing them all the same.
// Empty when done, else why not ("cannot create: Permission denied").
std::string ReplaceSettings(const fs::path& target, const std::string& bytes) {
    struct stat old {};
    if (stat(target.c_str(), &old) == 0 && !S_ISREG(old.st_mode)) return "not a regular file";
    try {
        ReplaceFileContent(target.string(), bytes.data(), bytes.size(), Durability::Disk);
        return {};
    } catch (const Exception& e) {
        return e.FileReason().empty() ? e.Message() : e.FileReason();
    }
}

// The file a write must replace: a link is followed so that the link itself stays in place.
std::optional<fs::path> WriteTarget(const std::string& fileName) {
    std::error_code error;
    fs::path target = fileName;
    if (fs::is_symlink(target, error)) {
        target = fs::weakly_canonical(target, error);
        if (error) return std::nullopt;
    }
    if (!target.has_filename()) return std::nullopt;
    return target;
}

}  // namespace

TIniFile::TIniFile(std::string fileName) : fileName_(std::move(fileName)) {
    std::error_code error;
    const fs::path full = fs::absolute(fileName_, error);
    fullPath_ = error ? fileName_ : full.lexically_normal().string();
}

TIniText TIniFile::Read() const {
    FileText file = ReadWholeFile(fileName_);
    TIniText result;
    result.text_ = std::move(file.text);
    result.refusal_ = std::move(file.refusal);
    return result;
}

std::string TIniText::ReadString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) const {
    // A refused file has no text, so every key gives its default.
    return ValueIn(text_, section, key, defaultValue);
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) const {
    return Read().ReadString(section, key, defaultValue);
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    const TIniValue one{key, value};
    WriteStrings(section, std::span(&one, 1));
}

void TIniFile::WriteStrings(std::string_view section, std::span<const TIniValue> values) {
    std::vector<TIniEntry> entries;
    for (const TIniValue& value : values) entries.push_back({section, value.key, value.value});
    WriteEntries(entries);
}

void TIniFile::WriteEntries(std::span<const TIniEntry> entries) {
    // The reason, when there is one, goes with the file's name: "Unable to write to FILE: Permission denied".
    const auto fail = [this](std::string reason = {}) {
        // File errors read "cannot create: REASON"; the reason alone follows the file's name.
        if (const std::size_t colon = reason.find(": "); colon != std::string::npos) reason.erase(0, colon + 2);
        throw EIniFileException(Format(msg::kIniWrite, {fullPath_}), fullPath_, std::move(reason));
    };
    for (const TIniEntry& entry : entries)
        if (!CanBeReadBack(Trim(entry.section), Trim(entry.key), Trim(entry.value))) fail();
    const std::optional<fs::path> target = WriteTarget(fileName_);
    if (!target) fail();

    // A file that exists but cannot be read must not be replaced by one holding only these keys.
    FileText file = ReadWholeFile(target->string());
    if (!file.refusal.empty()) fail(file.refusal);
    std::string text = std::move(file.text);
    for (const TIniEntry& entry : entries)
        text = WithValueSet(text, Trim(entry.section), Trim(entry.key), Trim(entry.value));
    if (std::string reason = ReplaceSettings(*target, text); !reason.empty()) fail(std::move(reason));
}

}  // namespace plexon
