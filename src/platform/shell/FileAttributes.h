// Questions about a path in the file system, asked without opening any file.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <unordered_set>
#include <vector>

namespace plexon {

// True when the path exists and is a folder (a link to a folder counts); "/" at the end is allowed.
bool DirectoryExists(const std::string& path);

// True when anything is at the path, a link that leads nowhere included.
bool PathExists(const std::string& path);

// True when this process may create files in the folder.
bool IsWritableFolder(const std::string& folder);

// What makes two paths the same file, whatever their spelling or the links between them.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t node = 0;
    auto operator<=>(const FileIdentity&) const = default;
};

// The identity of the file a path reaches (through links), or none when nothing is there. Through a
// kept folder handle inside a FolderHandleScope.
std::optional<FileIdentity> IdentityOf(const std::string& path);

// What a look-up tells of a path (through links).
struct PathFacts {
    bool exists = false;
    bool folder = false;
    bool regular = false;  // a regular file: not a folder, FIFO, device or socket
    FileIdentity identity{};
};

// The facts of one path, from the file itself (never a listing); as IdentityOf.
PathFacts FactsOf(const std::string& path);

// The facts of many paths at once. Where listingFrom or more of them share a folder and they are a good
// part of it (bytesPerPath times their count reaches the folder's size), one listing of that folder
// answers for them, sparing a look-up per path; entries that are links, and paths ending in "/", are
// still looked up one by one.
std::vector<PathFacts> LookUpPaths(std::span<const std::string> paths, std::size_t listingFrom = 32,
                                   std::size_t bytesPerPath = 64);

// The longest file name the folder takes, in bytes.
long NameLengthLimit(const std::string& folder);

// The names in a folder ("" is the current folder), read in one pass; none when it cannot be listed.
std::optional<std::unordered_set<std::string>> NamesInFolder(const std::string& folder);

}  // namespace plexon
