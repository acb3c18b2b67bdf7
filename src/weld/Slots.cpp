// State-count texts, slot orders by name and the used-state flags.
#include "weld/Slots.h"

namespace plexon {

std::string StateCountText(int stateCount) {
    assert(IsValidStateCount(stateCount));
    return std::to_string(stateCount) + " state images";
}

NamedSlotStates SlotStatesNamed(std::string_view list) {
    NamedSlotStates named;
    for (std::size_t start = 0;;) {
        const std::size_t comma = list.find(',', start);
        const std::string_view name =
            list.substr(start, comma == std::string_view::npos ? list.npos : comma - start);
        const std::optional<ImageState> state = StateNamed(name);
        if (!state) {
            named.unknown = name;
            break;
        }
        if (named.count == named.states.size()) {
            named.tooMany = true;
            break;
        }
        named.states[named.count++] = *state;
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return named;
}

StateFlags UsedStates(int stateCount, const SlotStates& slots) {
    assert(IsValidStateCount(stateCount));
    StateFlags used{};
    for (int slot = 0; slot < stateCount; ++slot) used[static_cast<size_t>(IndexOf(slots[slot]))] = true;
    return used;
}

}  // namespace plexon
