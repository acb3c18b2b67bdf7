// The slots of a strip: how many there are (the state count), which state each shows, and which
// states a run therefore needs to load.
#pragma once

#include <array>
#include <cassert>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "weld/ImageState.h"

namespace plexon {

inline constexpr int kMinStateCount = 2;
inline constexpr int kMaxStateCount = 4;

// The state-count chooser's items are "2 state images" to "4 state images"; the main window starts on
// index 1.
inline constexpr int kDefaultStateCountIndex = 1;

constexpr bool IsValidStateCount(int stateCount) {
    return stateCount >= kMinStateCount && stateCount <= kMaxStateCount;
}

// The state count of the state-count chooser's item index (0 to 2).
constexpr int StateCountOfIndex(int itemIndex) {
    assert(IsValidStateCount(itemIndex + kMinStateCount));
    return itemIndex + kMinStateCount;
}

// The state-count chooser's item text, "3 state images" for 3.
std::string StateCountText(int stateCount);

// The state chosen for each of slots 0 to 3, left to right; only the first state-count entries count.
// The same state may fill several slots.
using SlotStates = std::array<ImageState, kMaxStateCount>;

inline constexpr SlotStates kDefaultSlotStates = {ImageState::Normal, ImageState::Hot, ImageState::Disabled,
                                                  ImageState::Pressed};

// A slot order written as state names separated by commas ("normal,hot"), as the command line and
// the settings file give it: the states read, how many, and what stopped the reading if anything did.
struct NamedSlotStates {
    SlotStates states{};
    std::size_t count = 0;
    std::optional<std::string_view> unknown;  // the first name that is no state
    bool tooMany = false;                     // more names than slots
};
NamedSlotStates SlotStatesNamed(std::string_view list);

// One flag per state, indexed by its value.
using StateFlags = std::array<bool, kImageStateCount>;

// A state is used when one of the first state-count slots shows it.
StateFlags UsedStates(int stateCount, const SlotStates& slots);

}  // namespace plexon
