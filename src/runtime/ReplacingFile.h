// Writing a file by replacing it: the bytes go to a new temporary file beside the target, which is
// renamed over the target once complete, so a reader, a killed process or a full disk finds the old
// file or the new one, never a part of either. Every file the program writes goes through here.
// By default nothing is flushed to the disk: that guards against a killed process, not a power cut.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/FolderHandles.h"
#include "runtime/Stream.h"

namespace plexon {

enum class Durability {
    Process,  // the rename alone: whole after a killed process
    Disk      // the file and then its folder synced: whole after a power cut too (settings)
};

// A write-only stream whose file takes the target's place at Commit.
class TReplacingFile final : public TStream {
  public:
    // Creates the temporary file ".plexon-XXXXXX.tmp" in the target's folder (through a kept folder
    // handle inside a FolderHandleScope): exclusively, never through a link, close-on-exec. Errors are
    // EFCreateError "Cannot create file %s" naming the target, never the temporary file, with the system's
    // reason.
    explicit TReplacingFile(std::string path);
    // Removes the temporary file unless it was committed.
    ~TReplacingFile() override;
    TReplacingFile(const TReplacingFile&) = delete;
    TReplacingFile& operator=(const TReplacingFile&) = delete;

    // Nothing can be read back.
    std::int64_t Read(void* buffer, std::int64_t count) override;
    // Raise EFCreateError with the system's reason ("cannot write: No space left on device").
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    void WriteBuffers(const void* first, std::int64_t firstCount, const void* second,
                      std::int64_t secondCount) override;
    std::int64_t Seek(std::int64_t offset, SeekOrigin origin) override;
    std::int64_t Size() override { return size_; }

    // Renames the new file over the target, giving it the replaced file's permission bits; a link at
    // the target is replaced, not written through. A folder, FIFO, device or socket at the target, or
    // behind a link there, and a descriptor's path (IsDescriptorPath), are refused ("cannot replace:
    // not a regular file"). A target that is a regular file this process may
    // not write is refused, as a write in place would be. Raises EFCreateError naming the target.
    void Commit(Durability durability = Durability::Process);

    const std::string& Path() const { return path_; }

  private:
    [[noreturn]] void Fail(std::string_view action, int error) const;

    const std::string path_;
    FolderEntry entry_;
    char tempName_[sizeof ".plexon-XXXXXX.tmp"] = {};
    int fd_ = -1;
    std::int64_t position_ = 0;
    std::int64_t size_ = 0;
    bool committed_ = false;
};

// The whole content replaces the file at the path.
void ReplaceFileContent(const std::string& path, const void* bytes, std::size_t count,
                        Durability durability = Durability::Process);

// True when the path stands for a process's descriptor rather than a file: a link whose chain passes
// through /proc (/dev/stdout), or a name in a folder under /proc (/dev/fd/1). Whatever file the
// descriptor is now, such a path is never replaced.
bool IsDescriptorPath(const std::string& path);
// Its two halves: the link chain of the path, and a folder ("" the working folder) resolved.
bool IsDescriptorLink(const std::string& path);
bool IsDescriptorFolder(const std::string& folder);

// True for names of exactly the temporary files above: ".plexon-", six letters or digits, ".tmp".
bool IsReplacementName(std::string_view name);

// Removes temporary files of that pattern that a killed process left in the folder; the number
// removed. Only for the holder of the folder's lock (FolderLock), so no live writer loses its file.
int RemoveLeftoverReplacements(const std::string& folder);

}  // namespace plexon
