// The checks the Start command makes before a weld run, and their refusal texts. Shared by the main
// window and the batch command; showing the text is the caller's business.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

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

}  // namespace plexon
