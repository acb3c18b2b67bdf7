// State-count texts and the used-state flags.
#include "weld/Slots.h"

namespace plexon {

std::string StateCountText(int stateCount) {
    assert(IsValidStateCount(stateCount));
    return std::to_string(stateCount) + " state images";
}

StateFlags UsedStates(int stateCount, const SlotStates& slots) {
    assert(IsValidStateCount(stateCount));
    StateFlags used{};
    for (int slot = 0; slot < stateCount; ++slot) used[static_cast<size_t>(IndexOf(slots[slot]))] = true;
    return used;
}

}  // namespace plexon
