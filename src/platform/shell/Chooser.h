// The desktop's file and folder choosers as helper programs (zenity, else kdialog) and the scripted
// chooser that tests put in their place. Showing a chooser window of our own is the forms' job.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace plexon {

enum class ChooserKind { Files, Folder };
enum class Selection { Single, Multiple };

// A file filter's display text and its patterns ("*.bmp").
struct ChooserFilter {
    std::string name;
    std::vector<std::string> patterns;
    bool operator==(const ChooserFilter&) const = default;
};

struct ChooserRequest {
    ChooserKind kind = ChooserKind::Files;
    Selection selection = Selection::Single;
    std::string title{};  // empty: the chooser's own
    // Files: the filters the user may switch between, the one shown first at the front.
    std::vector<ChooserFilter> filters{};
    // The folder shown first (the home folder when empty or not absolute) and, for files, the name
    // proposed in it; either may be empty.
    std::string initialFolder{};
    std::string initialName{};
    // Asked every few milliseconds while a chooser program runs; false cancels it.
    std::function<bool()> keepWaiting{};
};

// The chosen paths, at least one; nothing when the user cancelled or the chooser failed.
using ChooserAnswer = std::optional<std::vector<std::string>>;

enum class ChooserProgramKind { Zenity, KDialog };
struct ChooserProgram {
    ChooserProgramKind kind;
    std::string path;
};

// zenity, else kdialog, found on PATH.
std::optional<ChooserProgram> FindDesktopChooser();
// The argument vector that asks the program for what the request describes.
std::vector<std::string> ChooserArguments(const ChooserProgram& program, const ChooserRequest& request);
// What the program printed, taken apart; anything that is not a well-formed answer is a cancel.
ChooserAnswer ParseChooserOutput(ChooserProgramKind program, const ChooserRequest& request,
                                 const std::string& output);
// Runs the program and parses its answer; a failed start, a non-zero exit, a cancel through
// keepWaiting or garbage all give nothing.
ChooserAnswer RunDesktopChooser(const ChooserProgram& program, const ChooserRequest& request);

// The scripted chooser: PLEXON_CHOOSER_SCRIPT names a file with one line per chooser run, in
// order: the chosen paths separated by tab characters, or nothing for a cancel. Empty when the
// variable is not set.
std::optional<std::string> ChooserScriptPath();
// The next line's answer (a missing file or line is a cancel). The count of runs is kept per
// script path for the life of the process.
ChooserAnswer NextScriptedAnswer(const std::string& scriptPath, const ChooserRequest& request);

// Whether the paths are a sound answer to the request: at least one, each absolute and free of
// zero bytes; one only for a single selection or a folder; files do not end in "/".
bool IsWellFormedAnswer(const ChooserRequest& request, const std::vector<std::string>& paths);

}  // namespace plexon
