// Display texts of the image states.
#include "weld/ImageState.h"

namespace plexon {

std::string_view DisplayText(ImageState state) {
    static constexpr std::array<std::string_view, kImageStateCount> kTexts = {"Normal", "Hot", "Disabled",
                                                                              "Pressed"};
    return kTexts[static_cast<size_t>(IndexOf(state))];
}

}  // namespace plexon
