// The checks the Start command makes before a weld run, and their refusal texts. Shared by the main
// window and the batch command; showing the text is the caller's business.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "weld/StripPlan.h"
#include "weld/WeldRequest.h"

namespace plexon {

enum class StartRefusal { NoImages, NoOutputFolder, SameFolder };

struct StartInputs {
    std::string sourceFolder;  // the folder of the first selected file
    std::size_t fileCount = 0;
    std::string outputFolder;
};

// The first refusal in the documented order, or none when the run may start. The folders are
// compared as written and then by their canonical paths, so another spelling of the source folder
// (through "..", a link) is refused too.
std::optional<StartRefusal> CheckStart(const StartInputs& inputs);

std::string_view RefusalText(StartRefusal refusal);

// A run refused for its request, after the inputs passed: the file it is about, the text the window
// shows, and the batch command's shorter reason where it has one (it prints "PATH: REASON").
struct RequestRefusal {
    std::string path;
    std::string text;
    std::string reason;
    // The reason, or the text without its closing full stop, to follow "PATH: " in a longer line.
    std::string BatchReason() const {
        if (!reason.empty()) return reason;
        return text.ends_with('.') ? text.substr(0, text.size() - 1) : text;
    }
};

// The checks on the request itself, before anything is written: the first image must give a slot
// size above 0 (else every strip would be empty) whose icons fit the memory limit (IconMemory.h; the
// refusal names the first file), every strip's name must fit the output folder, and every file the
// run writes (the strips, and the manifest when there is one) must pass the one target check
// (WriteTargets.h): a regular file or nothing, no source, no other file of the run.
// The plan is the request's (PlanStrips, or PlanAtSizes with sizes), made once for the checks and the run.
std::optional<RequestRefusal> CheckRequest(const WeldRequest& request, const std::vector<PlannedStrip>& plan,
                                           const std::optional<std::string>& manifest = std::nullopt);

// A refusal of one file the run writes: the index of its strip in the plan (plan.size() for the
// manifest).
struct TargetRefusal {
    std::size_t target = 0;
    RequestRefusal refusal;
};
enum class Refusals { First, All };

// The target check of CheckRequest, worded: the first refusal or all of them, in plan order. The files
// read are the request's file list unless `inputs` gives others (a watch's whole source list while it
// welds a few icons again).
std::vector<TargetRefusal> FindTargetRefusals(const WeldRequest& request, const std::vector<PlannedStrip>& plan,
                                              const std::optional<std::string>& manifest, Refusals which,
                                              const std::vector<std::string>* inputs = nullptr);

namespace msg {
inline constexpr std::string_view kEmptyFirstImage =
    "The first image %s has no pixels; it sets the slot size, so every strip would be empty.";
inline constexpr std::string_view kOverwritesSource = "The strip %s would overwrite the source file %s.";
inline constexpr std::string_view kStripNotRegular =
    "The strip %s cannot be written: a folder or a special file is in its place.";
inline constexpr std::string_view kStripsCoincide = "The strips %s and %s would be one file.";
inline constexpr std::string_view kManifestReplaces = "the manifest would replace %s";
inline constexpr std::string_view kStripNameTooLong = "The name of the strip %s is too long for its folder.";
}  // namespace msg

}  // namespace plexon
