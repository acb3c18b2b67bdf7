// The four image states of an icon, their fixed numbering and the texts the slot choosers show.
#pragma once

#include <array>
#include <cassert>
#include <cstdint>
#include <optional>
#include <string_view>

namespace plexon {

// The value is also the item index of every slot chooser.
enum class ImageState : uint8_t { Normal = 0, Hot = 1, Disabled = 2, Pressed = 3 };

inline constexpr int kImageStateCount = 4;

inline constexpr std::array<ImageState, kImageStateCount> kImageStates = {
    ImageState::Normal, ImageState::Hot, ImageState::Disabled, ImageState::Pressed};

constexpr int IndexOf(ImageState state) {
    return static_cast<int>(state);
}

// The state of a slot chooser's item; the index must be 0 to 3.
constexpr ImageState ImageStateOfIndex(int itemIndex) {
    assert(itemIndex >= 0 && itemIndex < kImageStateCount);
    return kImageStates[static_cast<size_t>(itemIndex)];
}

// "Normal", "Hot", "Disabled" or "Pressed".
std::string_view DisplayText(ImageState state);

// The state whose display text this is, in any letter case: "hot" and "HOT" are Hot.
std::optional<ImageState> StateNamed(std::string_view name);

}  // namespace plexon
