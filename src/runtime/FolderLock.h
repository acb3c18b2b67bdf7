// One writer per folder: an advisory lock on the folder that every weld run takes on its output
// folder, so that two runs never write strips into one folder at once. It binds only programs that
// take it, which is all a second run of this one needs.
#pragma once

#include <optional>
#include <string>

namespace plexon {

class FolderLock {
  public:
    // Takes the folder's lock without waiting: none when another holder has it. It needs only write
    // and search permission on the folder: one that cannot be read is locked through the file
    // ".plexon-lock" made in it. Handles are close-on-exec, so choosers and link openers started
    // meanwhile never inherit the lock. Raises EFOpenError "Cannot open file %s" with the system's
    // reason when the folder cannot be opened.
    static std::optional<FolderLock> TryTake(const std::string& folder);

    FolderLock(FolderLock&& other) noexcept;
    FolderLock& operator=(FolderLock&& other) noexcept;
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    ~FolderLock();

  private:
    explicit FolderLock(int handle) : handle_(handle) {}
    void Release();
    int handle_ = -1;      // the folder, when it can be read
    int fileHandle_ = -1;  // its lock file, when there is one
};

}  // namespace plexon
