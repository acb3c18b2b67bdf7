// The derive rules on a gradient, each state in strips with and without alpha, against a model that
// follows the rules pixel by pixel.
#include "weld/DerivedStates.h"

#include <gtest/gtest.h>

#include <functional>

#include "weld/RunReport.h"

namespace plexon {
namespace {

constexpr std::int32_t kSize = 16;

// Every channel runs through its range; with alpha the opacity does too, without it all is opaque.
Rgba Gradient(std::int32_t x, std::int32_t y, bool alpha) {
    return {std::uint8_t(x * 17), std::uint8_t(y * 17), std::uint8_t(255 - (x + y) * 8),
            alpha ? std::uint8_t(x * 16 + y) : std::uint8_t(255)};
}

RgbaImage Picture(const std::function<Rgba(std::int32_t, std::int32_t)>& pixel) {
    RgbaImage image(kSize, kSize, kTransparent);
    for (std::int32_t y = 0; y < kSize; ++y)
        for (std::int32_t x = 0; x < kSize; ++x) {
            const Rgba p = pixel(x, y);
            std::uint8_t* d = image.Row(y) + 4 * x;
            d[0] = p.red, d[1] = p.green, d[2] = p.blue, d[3] = p.alpha;
        }
    return image;
}

TEST(DeriveState, FollowsItsRuleOnEveryPixelWithAndWithoutAlpha) {
    using Model = std::function<Rgba(Rgba)>;
    const auto each = [](int (*f)(int)) {
        return [f](Rgba p) {
            return Rgba{std::uint8_t(f(p.red)), std::uint8_t(f(p.green)), std::uint8_t(f(p.blue)), p.alpha};
        };
    };
    const auto grey = [](Rgba p) { return (2126 * p.red + 7152 * p.green + 722 * p.blue + 5000) / 10000; };
    const struct {
        ImageState state;
        bool alpha;
        Model model;
    } cases[] = {
        {ImageState::Hot, false, each([](int c) { return c + (255 - c) * 15 / 100; })},
        {ImageState::Hot, true, each([](int c) { return c + (255 - c) * 15 / 100; })},
        {ImageState::Pressed, false, each([](int c) { return c * 85 / 100; })},
        {ImageState::Pressed, true, each([](int c) { return c * 85 / 100; })},
        {ImageState::Disabled, false,
         [&](Rgba p) {
             const auto g = std::uint8_t(grey(p) + (255 - grey(p)) / 2);
             return Rgba{g, g, g, p.alpha};
         }},
        {ImageState::Disabled, true,
         [&](Rgba p) {
             const auto g = std::uint8_t(grey(p));
             return Rgba{g, g, g, std::uint8_t(p.alpha / 2)};
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(DisplayText(c.state)) + (c.alpha ? " with alpha" : " without alpha"));
        const RgbaImage normal =
            Picture([&](std::int32_t x, std::int32_t y) { return Gradient(x, y, c.alpha); });
        const int shift = c.state == ImageState::Pressed ? 1 : 0;
        const RgbaImage model = Picture([&](std::int32_t x, std::int32_t y) {
            if (x < shift || y < shift) return c.alpha ? kTransparent : kOpaqueWhite;
            return c.model(Gradient(x - shift, y - shift, c.alpha));
        });
        EXPECT_EQ(DeriveState(c.state, normal, c.alpha).Bytes(), model.Bytes());
    }
    // One pixel worked by hand: pure red greys to 54, halfway to white 154.
    RgbaImage red(1, 1, Rgba{255, 0, 0, 255});
    EXPECT_EQ(DeriveState(ImageState::Disabled, red, false).Pixel(0, 0), (Rgba{154, 154, 154, 255}));
}

// Open has Normal, so its missing states are made from it, loaded though no slot shows it; Help has
// none to make them from.
TEST(DerivedStates, AreSaidToBeMadeInTheWarningAndTheWindowsReport) {
    WeldRequest request;
    request.FileList = {"i/Open.bmp", "i/Help_h.bmp"};
    request.StateCount = 3;
    request.Slots = {ImageState::Hot, ImageState::Disabled, ImageState::Pressed, ImageState::Normal};
    request.DeriveMissing = true;
    const std::vector<PlannedStrip> plan = PlanStrips(request);
    EXPECT_EQ(DerivedStates(request, plan[0]), (StateFlags{false, true, true, true}));
    EXPECT_EQ(StatesToLoad(request, plan[0]), (StateFlags{true, true, true, true}));
    EXPECT_EQ(StatesToLoad(request, plan[1]), (StateFlags{false, true, true, true}));
    RunWarnings gathered;
    EXPECT_EQ(PlanWarnings(request, plan, &gathered),
              (std::vector<std::string>{
                  "Open has no Hot, no Disabled and no Pressed image; they were made from the Normal image",
                  "Help has no Disabled and no Pressed image; their slots are blank"}));
    EXPECT_EQ(
        CompletionReport(1000, gathered),
        "Your new images were created in 1 second.\n1 icon has missing states: Help (Disabled and "
        "Pressed)\n1 icon has missing states made from its Normal image: Open (Hot, Disabled and Pressed)");
}

}  // namespace
}  // namespace plexon
