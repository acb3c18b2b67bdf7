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

// A run refused for its request, after the inputs passed: the file it is about and the text to show.
struct RequestRefusal {
    std::string path;
    std::string text;
};

// The checks on the request itself, before anything is written: the first image must give a slot
// size above 0 (else every strip would be empty) whose icons fit the memory limit (IconMemory.h; the
// refusal names the first file), every strip's name must fit the output folder, and
// no strip may land on a source file, whatever
// folders the sources come from (by file identity, so links and other spellings count).
// The plan is the request's (PlanStrips), made once for the checks and the run.
std::optional<RequestRefusal> CheckRequest(const WeldRequest& request, const std::vector<PlannedStrip>& plan);

namespace msg {
inline constexpr std::string_view kEmptyFirstImage =
    "The first image %s has no pixels; it sets the slot size, so every strip would be empty.";
inline constexpr std::string_view kOverwritesSource = "The strip %s would overwrite the source file %s.";
inline constexpr std::string_view kStripNameTooLong = "The name of the strip %s is too long for its folder.";
}  // namespace msg

}  // namespace plexon
