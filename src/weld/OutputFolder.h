// Taking the output folder for one weld run: its lock, so that a second run into the same folder is
// refused before it writes anything, and the removal of temporary files a killed run left there.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "runtime/FolderLock.h"

namespace plexon {

// The lock of the folder, held from the plan to the last strip; none when another weld is writing
// there. Once the lock is held, leftover temporary strips of killed runs are removed. Raises
// EFOpenError naming the folder when it cannot be opened.
std::optional<FolderLock> TakeOutputFolder(const std::string& folder);
// Makes the folder and the parents it lacks; EFCreateError naming the folder and the system's reason
// when one cannot be made.
void MakeOutputFolder(const std::string& folder);

namespace msg {
// The window's refusal; the batch command says "plexon: OUT: another weld is writing into this folder".
inline constexpr std::string_view kFolderBusy = "Another weld is writing into %s.";
inline constexpr std::string_view kFolderBusyReason = "another weld is writing into this folder";
}  // namespace msg

}  // namespace plexon
