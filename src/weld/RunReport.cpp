// The replace question and the error report of a run.
#include "weld/RunReport.h"

#include "runtime/Exceptions.h"
#include "runtime/PathText.h"

namespace plexon {

namespace {
constexpr std::size_t kNamedStrips = 5;
}  // namespace

std::string ReplaceQuestion(const std::string& folder, const std::vector<const PlannedStrip*>& existing) {
    const std::size_t count = existing.size();
    std::string text =
        count == 1 ? "1 strip already exists in " + folder + " and will be replaced: "
                   : std::to_string(count) + " strips already exist in " + folder + " and will be replaced: ";
    for (std::size_t i = 0; i < count && i < kNamedStrips; ++i) {
        if (i > 0) text += ", ";
        text += ExtractFileName(existing[i]->outputPath);
    }
    if (count > kNamedStrips) text += " and " + std::to_string(count - kNamedStrips) + " more";
    text += count == 1 ? ". Replace it?" : ". Replace them?";
    return text;
}

std::string RunErrorText(const std::string& message, const std::string& path, const std::string& reason,
                         std::size_t stripsWritten) {
    std::string text = ErrorDisplayText(message);
    if (!path.empty()) text += "\n" + path + ": " + reason;
    text += stripsWritten == 1
                ? "\n1 strip was written before the error."
                : "\n" + std::to_string(stripsWritten) + " strips were written before the error.";
    return text;
}

}  // namespace plexon
