// What a run says besides its strips: the warnings of its plan and of its sources, line by line for
// the batch command and gathered into the window's completion report; the window's question before
// strips that exist are replaced, and the report of a run that ended in an error.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "weld/Slots.h"
#include "weld/StripPlan.h"
#include "weld/WeldRequest.h"

namespace plexon {

// The warnings of one run, gathered for the window's report: each entry names one icon or file.
struct RunWarnings {
    std::vector<std::string> missingStates;  // "Help (Hot, Pressed)"
    std::vector<std::string> derivedStates;  // the same, for states made from the Normal image
    std::vector<std::string> twoSources;     // "Open (Hot: Open_h.png)", the file used
    std::vector<std::string> otherSizes;     // "Big.bmp (24 x 24)"
    std::vector<std::string> shortFiles;     // "Cut.bmp"
    bool Empty() const;
};

// The batch command's warnings of the plan, one line each without the "plexon: warning: " before
// them ("Help has no Hot and no Pressed image; their slots are blank", or "...; they were made from
// the Normal image" when the request derives them, "Open has two Hot images, A and B; B is used"),
// and the same gathered for the window's report when `gathered` is given.
std::vector<std::string> PlanWarnings(const WeldRequest& request, const std::vector<PlannedStrip>& plan,
                                      RunWarnings* gathered = nullptr);

// The completion text, then for each kind of warning a line naming at most ten icons or files and how
// many more ("2 icons have missing states: Help (Pressed), Undo (Disabled)").
std::string CompletionReport(std::uint32_t elapsedMilliseconds, const RunWarnings& warnings);

// "N strips already exist in FOLDER and will be replaced: A.bmp, B.bmp and K more. Replace them?",
// naming at most five. `existing` is not empty.
std::string ReplaceQuestion(const std::string& folder, const std::vector<const PlannedStrip*>& existing);

// Line 1 the error's message as the error display shows it, line 2 "PATH: reason" when the error is
// about a file, line 3 how many strips were written before it.
std::string RunErrorText(const std::string& message, const std::string& path, const std::string& reason,
                         std::size_t stripsWritten);

}  // namespace plexon
