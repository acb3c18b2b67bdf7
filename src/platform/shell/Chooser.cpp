// Chooser programs and the scripted chooser. File names may hold any byte but "/" and zero, so an
// answer is taken apart only where a name cannot go on: zenity separates names with "//", which a
// canonical absolute path never contains; kdialog puts one name on each line, and a line that does
// not start with "/" continues the name before it.
#include "platform/shell/Chooser.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string_view>

#include "platform/shell/ChildProcess.h"
#include "platform/shell/Folders.h"
#include "runtime/PathText.h"

namespace plexon {

namespace {

constexpr std::string_view kZenitySeparator = "//";

// Each letter of a pattern as a bracket of both cases ("*.[bB][mM][pP]"): on this file system "*.bmp"
// would miss "OPEN.BMP" and "Open.Bmp", which drops and our own chooser take.
std::string AnyCase(const std::string& pattern) {
    std::string out;
    for (const char c : pattern) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalpha(byte) && byte < 0x80)
            out += std::string("[") + char(std::tolower(byte)) + char(std::toupper(byte)) + "]";
        else
            out += c;
    }
    return out;
}

std::string PatternList(const std::vector<std::string>& patterns) {
    std::string list;
    for (const std::string& pattern : patterns) list += (list.empty() ? "" : " ") + AnyCase(pattern);
    return list;
}

// The folder asked for, else the home folder: zenity left to itself opens on its "Recent" view,
// which is no place to look for icons the first time.
std::string StartPath(const ChooserRequest& request) {
    if (!request.initialFolder.empty() && request.initialFolder[0] == '/')
        return IncludeTrailingPathDelimiter(request.initialFolder) + request.initialName;
    const std::optional<std::string> home = HomeFolder();
    return home && home->starts_with('/') ? IncludeTrailingPathDelimiter(*home) : "/";
}

std::vector<std::string> SplitZenity(const std::string& text, Selection selection) {
    if (selection == Selection::Single) return {text};
    std::vector<std::string> paths;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = text.find(kZenitySeparator, start);
        if (at == std::string::npos) {
            paths.push_back(text.substr(start));
            return paths;
        }
        paths.push_back(text.substr(start, at - start));
        start = at + kZenitySeparator.size();
    }
}

std::vector<std::string> SplitKDialog(const std::string& text) {
    std::vector<std::string> paths;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!paths.empty() && (line.empty() || line[0] != '/')) {
            paths.back() += "\n" + line;
        } else {
            paths.push_back(std::move(line));
        }
        if (end == std::string::npos) return paths;
        start = end + 1;
    }
}

}  // namespace

bool IsWellFormedAnswer(const ChooserRequest& request, const std::vector<std::string>& paths) {
    if (paths.empty()) return false;
    if (paths.size() > 1 && (request.kind == ChooserKind::Folder || request.selection == Selection::Single))
        return false;
    for (const std::string& path : paths) {
        if (path.empty() || path[0] != '/' || path.find('\0') != std::string::npos) return false;
        if (request.kind == ChooserKind::Files && path.back() == '/') return false;
    }
    return true;
}

std::optional<ChooserProgram> FindDesktopChooser() {
    if (std::string path = FindProgram("zenity"); !path.empty())
        return ChooserProgram{ChooserProgramKind::Zenity, path};
    if (std::string path = FindProgram("kdialog"); !path.empty())
        return ChooserProgram{ChooserProgramKind::KDialog, path};
    return std::nullopt;
}

std::vector<std::string> ChooserArguments(const ChooserProgram& program, const ChooserRequest& request) {
    const bool files = request.kind == ChooserKind::Files;
    const std::string start = StartPath(request);
    std::vector<std::string> argv{program.path};
    if (program.kind == ChooserProgramKind::Zenity) {
        argv.push_back("--file-selection");
        if (!request.title.empty()) argv.push_back("--title=" + request.title);
        if (files) {
            // zenity shows the first filter and offers the others.
            for (const ChooserFilter& filter : request.filters)
                argv.push_back("--file-filter=" + filter.name + " | " + PatternList(filter.patterns));
            if (request.selection == Selection::Multiple) {
                argv.push_back("--multiple");
                argv.push_back("--separator=" + std::string(kZenitySeparator));
            }
        } else {
            argv.push_back("--directory");
        }
        argv.push_back("--filename=" + start);
        return argv;
    }
    if (!request.title.empty()) {
        argv.push_back("--title");
        argv.push_back(request.title);
    }
    argv.push_back(files ? "--getopenfilename" : "--getexistingdirectory");
    argv.push_back(start);
    if (files) {
        // kdialog takes the filters as one argument, a line each, and shows the first.
        std::string filters;
        for (const ChooserFilter& filter : request.filters)
            filters += (filters.empty() ? "" : "\n") + PatternList(filter.patterns) + "|" + filter.name;
        if (!filters.empty()) argv.push_back(filters);
        if (request.selection == Selection::Multiple) {
            argv.push_back("--multiple");
            argv.push_back("--separate-output");
        }
    }
    return argv;
}

ChooserAnswer ParseChooserOutput(ChooserProgramKind program, const ChooserRequest& request,
                                 const std::string& output) {
    // Both programs end the answer with one line feed; a name may end in one of its own.
    if (output.empty() || output.back() != '\n') return std::nullopt;
    const std::string text = output.substr(0, output.size() - 1);
    if (text.empty()) return std::nullopt;
    std::vector<std::string> paths =
        program == ChooserProgramKind::Zenity
            ? SplitZenity(text, request.kind == ChooserKind::Files ? request.selection : Selection::Single)
            : SplitKDialog(text);
    if (!IsWellFormedAnswer(request, paths)) return std::nullopt;
    return paths;
}

ChooserAnswer RunDesktopChooser(const ChooserProgram& program, const ChooserRequest& request) {
    // A selection of 100,000 files is megabytes of names; only a program gone wild prints a gigabyte.
    const ChildResult result = RunChildProcess({.argv = ChooserArguments(program, request),
                                                .outputLimit = std::size_t(1) << 30,
                                                .keepWaiting = request.keepWaiting});
    if (result.outcome != ChildOutcome::Exited || result.exitCode != 0) return std::nullopt;
    return ParseChooserOutput(program.kind, request, result.output);
}

std::optional<std::string> ChooserScriptPath() {
    const char* path = std::getenv("PLEXON_CHOOSER_SCRIPT");
    if (!path || !*path) return std::nullopt;
    return std::string(path);
}

ChooserAnswer NextScriptedAnswer(const std::string& scriptPath, const ChooserRequest& request) {
    static std::map<std::string, int> runs;
    const int run = runs[scriptPath]++;
    std::ifstream file(scriptPath, std::ios::binary);
    std::string line;
    for (int i = 0; i <= run; ++i)
        if (!std::getline(file, line)) return std::nullopt;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) return std::nullopt;
    std::vector<std::string> paths;
    std::istringstream fields(line);
    for (std::string path; std::getline(fields, path, '\t');) paths.push_back(path);
    if (line.back() == '\t') paths.push_back({});  // a trailing tab leaves an empty path: not well formed
    if (!IsWellFormedAnswer(request, paths)) return std::nullopt;
    return paths;
}

}  // namespace plexon
