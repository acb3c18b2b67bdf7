// Display texts of the image states.
#include "weld/ImageState.h"

#include "runtime/PathText.h"

namespace plexon {

namespace {

constexpr std::array<std::string_view, kImageStateCount> kTexts = {"Normal", "Hot", "Disabled", "Pressed"};

}  // namespace

std::string_view DisplayText(ImageState state) {
    return kTexts[static_cast<size_t>(IndexOf(state))];
}

std::optional<ImageState> StateNamed(std::string_view name) {
    for (const ImageState state : kImageStates)
        if (LowerCase(std::string(name)) == LowerCase(std::string(DisplayText(state)))) return state;
    return std::nullopt;
}

}  // namespace plexon
