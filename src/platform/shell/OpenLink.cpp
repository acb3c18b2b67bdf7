// The desktop's opener is xdg-open, started with an argument vector: the target is one argument
// and never reaches a shell, whatever characters it holds.
#include "platform/shell/OpenLink.h"

#include "platform/shell/ChildProcess.h"

namespace plexon {

namespace {

std::function<bool(const std::string&)>& Opener() {
    static std::function<bool(const std::string&)> opener;
    return opener;
}

}  // namespace

bool OpenLink(const std::string& target) {
    if (Opener()) return Opener()(target);
    // "--" would be taken as the target by xdg-open; a target starting with "-" is left unopened
    // instead of being read as an option.
    if (target.empty() || target[0] == '-') return true;
    const std::string opener = FindProgram("xdg-open");
    return !opener.empty() && StartChildProcess({opener, target});
}

void SetLinkOpener(std::function<bool(const std::string&)> opener) {
    Opener() = std::move(opener);
}

}  // namespace plexon
