// What the window says around a run besides its completion text: the question before strips that
// exist are replaced, and the report of a run that ended in an error.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "weld/StripPlan.h"

namespace plexon {

// "N strips already exist in FOLDER and will be replaced: A.bmp, B.bmp and K more. Replace them?",
// naming at most five. `existing` is not empty.
std::string ReplaceQuestion(const std::string& folder, const std::vector<const PlannedStrip*>& existing);

// Line 1 the error's message as the error display shows it, line 2 "PATH: reason" when the error is
// about a file, line 3 how many strips were written before it.
std::string RunErrorText(const std::string& message, const std::string& path, const std::string& reason,
                         std::size_t stripsWritten);

}  // namespace plexon
