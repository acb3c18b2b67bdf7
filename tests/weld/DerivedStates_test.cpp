// The derive rules on a gradient, each state with and without alpha, against a model that follows
// the rules pixel by pixel; and what the warnings and the window's report say of derived states.
#include "weld/DerivedStates.h"

#include <gtest/gtest.h>

#include <cstring>

#include "weld/RunReport.h"

namespace plexon {
namespace {

using enum ImageState;

TEST(DeriveState, FollowsItsRuleOnEveryPixelWithAndWithoutAlpha) {
    constexpr int kSize = 16;
    for (const ImageState state : {Hot, Disabled, Pressed})
        for (const bool alpha : {false, true}) {
            RgbaImage normal(kSize, kSize, kTransparent),
                model(kSize, kSize, alpha ? kTransparent : kOpaqueWhite);
            const int shift = state == Pressed ? 1 : 0;
            for (int y = 0; y < kSize; ++y)
                for (int x = 0; x < kSize; ++x) {
                    const Rgba p{std::uint8_t(x * 17), std::uint8_t(y * 17), std::uint8_t(255 - (x + y) * 8),
                                 alpha ? std::uint8_t(x * 16 + y) : std::uint8_t(255)};
                    std::memcpy(normal.Row(y) + 4 * x, &p, 4);
                    const auto g =
                        std::uint8_t((2126 * p.red + 7152 * p.green + 722 * p.blue + 5000) / 10000);
                    const auto c = [&](std::uint8_t v) {
                        return std::uint8_t(state == Hot ? v + (255 - v) * 15 / 100 : v * 85 / 100);
                    };
                    const auto light = std::uint8_t(g + (255 - g) / 2);
                    const Rgba made = state != Disabled ? Rgba{c(p.red), c(p.green), c(p.blue), p.alpha}
                                      : alpha           ? Rgba{g, g, g, std::uint8_t(p.alpha / 2)}
                                                        : Rgba{light, light, light, p.alpha};
                    if (x + shift < kSize && y + shift < kSize)
                        std::memcpy(model.Row(y + shift) + 4 * (x + shift), &made, 4);
                }
            EXPECT_EQ(DeriveState(state, normal, alpha).Bytes(), model.Bytes())
                << DisplayText(state) << alpha;
        }
}

// Open has Normal, so its missing states are made from it; Help has none to make them from.
TEST(DerivedStates, AreSaidToBeMadeInTheWarningAndTheWindowsReport) {
    WeldRequest request;
    request.FileList = {"i/Open.bmp", "i/Help_h.bmp"};
    request.StateCount = 2;
    request.Slots = {Hot, Disabled, Pressed, Normal};
    request.DeriveMissing = true;
    const std::vector<PlannedStrip> plan = PlanStrips(request);
    RunWarnings gathered;
    EXPECT_EQ(PlanWarnings(request, plan, &gathered),
              (std::vector<std::string>{
                  "Open has no Hot and no Disabled image; they were made from the Normal image",
                  "Help has no Disabled image; its slot is blank"}));
    EXPECT_EQ(
        CompletionReport(1000, gathered),
        "Your new images were created in 1 second.\n1 icon has missing states: Help (Disabled)\n1 icon has "
        "missing states made from its Normal image: Open (Hot and Disabled)");
}

}  // namespace
}  // namespace plexon
