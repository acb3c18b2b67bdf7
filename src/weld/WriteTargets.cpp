// Targets checked by identity: existing ones by the file they reach, all of them by the folder that
// will hold them and their name there.
#include "weld/WriteTargets.h"

#include <map>
#include <optional>
#include <string_view>
#include <utility>

#include "platform/shell/FileAttributes.h"
#include "runtime/FolderHandles.h"
#include "runtime/PathText.h"
#include "runtime/ReplacingFile.h"

namespace plexon {

namespace {

// Where a file will be: the nearest existing folder on its path, by identity, and the rest of the path
// below it. Two targets with one place are one file, whatever spelling or link led to the folder.
struct Place {
    FileIdentity folder;
    std::string rest;
    auto operator<=>(const Place&) const = default;
};

// The folder part of a path ("" for a bare name) and its name.
std::pair<std::string_view, std::string_view> SplitPath(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string_view::npos) return {std::string_view(), path};
    return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

class Placer {
  public:
    Place Of(const std::string& path) {
        const auto [folder, name] = SplitPath(path);
        auto found = folders_.find(folder);
        if (found == folders_.end()) found = folders_.emplace(std::string(folder), PlaceOfFolder(folder)).first;
        Place place = found->second;
        place.rest.append(name);
        return place;
    }

  private:
    // The folder's place, its rest ending in "/" when not empty. Components that do not exist are
    // kept as written, less "." and empty ones.
    static Place PlaceOfFolder(std::string_view folder) {
        std::string rest;
        while (true) {
            const std::string existing = folder.empty() ? std::string(".") : std::string(folder);
            if (const std::optional<FileIdentity> identity = IdentityOf(IncludeTrailingPathDelimiter(existing)))
                return {*identity, rest};
            std::string_view trimmed = folder;
            while (!trimmed.empty() && trimmed.back() == '/') trimmed.remove_suffix(1);
            if (trimmed.empty()) return {FileIdentity{}, std::string(folder) + rest};  // not even "/"
            const auto [parent, last] = SplitPath(trimmed);
            if (last != "." && !last.empty()) rest.insert(0, std::string(last) + "/");
            folder = parent;
        }
    }

    std::map<std::string, Place, std::less<>> folders_;
};

}  // namespace

std::vector<TargetClash> FindTargetClashes(std::span<const std::string> targets,
                                           std::span<const std::string> inputs) {
    using Kind = TargetClash::Kind;
    const FolderHandleScope handles;
    std::vector<std::optional<TargetClash>> clashes(targets.size());
    // A listing tells which targets exist; those are looked at one by one, since a listing shows the
    // file a bind mount covers instead of the mount.
    const std::vector<PathFacts> listed = LookUpPaths(targets);
    std::map<FileIdentity, std::size_t> existing;
    std::map<std::string, bool, std::less<>> descriptorFolders;
    // /dev/stdout or /dev/fd/1 stands for whatever a descriptor is now, a regular file too.
    const auto descriptor = [&descriptorFolders](const std::string& path) {
        const std::string_view folder = SplitPath(path).first;
        auto found = descriptorFolders.find(folder);
        if (found == descriptorFolders.end())
            found = descriptorFolders.emplace(std::string(folder), IsDescriptorFolder(std::string(folder))).first;
        return found->second || IsDescriptorLink(path);
    };
    for (std::size_t i = 0; i < targets.size(); ++i) {
        if (!listed[i].exists) continue;
        const PathFacts facts = FactsOf(targets[i]);
        if (!facts.exists) continue;  // a link leading nowhere is replaced like a missing file
        if (!facts.regular || descriptor(targets[i]))
            clashes[i] = TargetClash{Kind::NotRegular, i, 0};
        else
            existing.emplace(facts.identity, i);
    }
    if (!existing.empty()) {
        for (std::size_t k = 0; k < inputs.size(); ++k) {
            const std::optional<FileIdentity> identity = IdentityOf(inputs[k]);
            if (!identity) continue;
            const auto hit = existing.find(*identity);
            if (hit != existing.end() && !clashes[hit->second])
                clashes[hit->second] = TargetClash{Kind::OnInput, hit->second, k};
        }
    }
    Placer placer;
    std::map<Place, std::size_t> places;
    for (std::size_t i = 0; i < targets.size(); ++i) {
        const auto [at, added] = places.emplace(placer.Of(targets[i]), i);
        if (!added && !clashes[i]) clashes[i] = TargetClash{Kind::OnTarget, i, at->second};
    }
    std::vector<TargetClash> found;
    for (const std::optional<TargetClash>& clash : clashes)
        if (clash) found.push_back(*clash);
    return found;
}

}  // namespace plexon
