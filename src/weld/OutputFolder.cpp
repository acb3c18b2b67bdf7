// The output folder's lock and the clean-up that only its holder may do.
#include "weld/OutputFolder.h"

#include <filesystem>
#include <system_error>

#include "runtime/Exceptions.h"
#include "runtime/ReplacingFile.h"

namespace plexon {

std::optional<FolderLock> TakeOutputFolder(const std::string& folder) {
    std::optional<FolderLock> lock = FolderLock::TryTake(folder);
    // A temporary file is a live run's only while that run holds the lock, so now none is.
    if (lock) RemoveLeftoverReplacements(folder);
    return lock;
}

void MakeOutputFolder(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        throw EFCreateError(Format(msg::kFCreate, {folder}), folder,
                            FileReason("cannot create", error.value()));
}

}  // namespace plexon
