// The one check of every file a command is about to write (strips of every size, split's files, the
// manifest) against what it reads and against each other, before the first is written. Files are
// compared by identity and folders by identity, so links, bind mounts and other spellings count.
// Wording a refusal is the caller's where its texts differ; the check is here only.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace plexon {

struct TargetClash {
    enum class Kind {
        NotRegular,  // a folder, FIFO, device or socket is there (a link is followed)
        OnInput,     // the target is one of the files read (same file)
        OnTarget     // the target lands where an earlier target does (same folder, same name)
    };
    Kind kind = Kind::NotRegular;
    std::size_t target = 0;  // index in the targets
    std::size_t other = 0;   // OnInput: index in the inputs; OnTarget: the earlier target's index
};

// The clashes of the targets, in target order, at most one a target (not regular before on an input
// before on a target). Targets may sit in folders that do not exist yet: they are placed under the
// nearest folder that does. Inputs are looked at only when a target exists already, so a fresh output
// folder costs one listing.
std::vector<TargetClash> FindTargetClashes(std::span<const std::string> targets,
                                           std::span<const std::string> inputs);

namespace msg {
inline constexpr std::string_view kNotRegularTarget = "not a regular file";
}  // namespace msg

}  // namespace plexon
