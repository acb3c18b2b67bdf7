// The source folder and the slot size of a selection.
#include "weld/SourceSelection.h"

#include "runtime/Exceptions.h"
#include "runtime/PathText.h"
#include "weld/SourceImage.h"

namespace plexon {

std::string SourceFolderOf(const std::vector<std::string>& files) {
    if (files.empty()) return {};
    const std::string folder = ExtractFilePath(files.front());
    return folder.empty() ? "./" : folder;
}

int32_t SlotSizeOf(const std::string& firstFile, SourceFormats sources) {
    return MeasureSource(firstFile, sources).width;
}

std::optional<int32_t> OwnSlotSizeOf(const std::string& firstFile, SourceFormats sources) {
    try {
        return SlotSizeOf(firstFile, sources);
    } catch (const EInvalidGraphic& e) {
        if (e.FileReason() != msg::kSvgNoSize) throw;
        return std::nullopt;
    }
}

}  // namespace plexon
