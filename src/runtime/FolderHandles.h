// Opening files through kept handles of their folders. A run over thousands of files in a few folders
// then has the kernel walk each folder's path once instead of once per file. Only while a scope is
// open on the thread, so that a folder replaced later is never reached through an old handle.
#pragma once

#include <sys/types.h>

#include <string>

namespace plexon {

// While it lives, OpenFile on this thread keeps handles of the last few folders it opened files in.
// Scopes do not nest: an inner one leaves the outer one in charge.
class FolderHandleScope {
  public:
    FolderHandleScope();
    ~FolderHandleScope();
    FolderHandleScope(const FolderHandleScope&) = delete;
    FolderHandleScope& operator=(const FolderHandleScope&) = delete;

  private:
    bool owner_ = false;
};

// open(2) of the path with the flags and mode; through a kept folder handle inside a scope. Errors
// are open's own (errno set, -1 returned).
int OpenFile(const std::string& path, int flags, mode_t mode = 0);

// A path as a handle of its folder and the name in it, for the *at calls that must name the same
// folder more than once (create, rename, remove). The folder's handle is a kept one inside a scope,
// else opened for this object alone; the working folder for a bare name.
class FolderEntry {
  public:
    // Folder() is -1 (errno set) when the folder cannot be opened; a path ending in "/" names no file
    // (EISDIR).
    explicit FolderEntry(const std::string& path);
    ~FolderEntry();
    FolderEntry(const FolderEntry&) = delete;
    FolderEntry& operator=(const FolderEntry&) = delete;

    int Folder() const { return folder_; }
    const char* Name() const { return name_; }

  private:
    int folder_ = -1;
    bool owned_ = false;
    const char* name_ = "";
};

}  // namespace plexon
