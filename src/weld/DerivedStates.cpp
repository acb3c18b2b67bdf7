// The derive rules, in integer arithmetic on straight values so every platform writes the same bytes.
#include "weld/DerivedStates.h"

namespace plexon {

namespace {

// Luma weights of the common broadcast standard, scaled to whole numbers and rounded.
std::uint8_t Grey(const std::uint8_t* p) {
    return std::uint8_t((2126 * p[0] + 7152 * p[1] + 722 * p[2] + 5000) / 10000);
}

std::uint8_t Lighter(std::uint8_t c) {
    return std::uint8_t(c + (255 - c) * 15 / 100);
}

std::uint8_t Darker(std::uint8_t c) {
    return std::uint8_t(c * 85 / 100);
}

void SetColour(std::uint8_t* p, std::uint8_t value) {
    p[0] = p[1] = p[2] = value;
}

}  // namespace

StateFlags DerivedStates(const WeldRequest& request, const StateFlags& present) {
    StateFlags derived{};
    if (!request.DeriveMissing || !present[std::size_t(IndexOf(ImageState::Normal))]) return derived;
    const StateFlags used = UsedStates(request.StateCount, request.Slots);
    for (std::size_t state = 0; state < derived.size(); ++state)
        derived[state] = used[state] && !present[state];
    return derived;
}

StateFlags DerivedStates(const WeldRequest& request, const PlannedStrip& strip) {
    StateFlags present{};
    for (std::size_t state = 0; state < present.size(); ++state)
        present[state] = strip.sources[state] != kNoSource;
    return DerivedStates(request, present);
}

StateFlags StatesToLoad(const WeldRequest& request, const PlannedStrip& strip) {
    StateFlags load = UsedStates(request.StateCount, request.Slots);
    for (const bool derived : DerivedStates(request, strip))
        if (derived) load[std::size_t(IndexOf(ImageState::Normal))] = true;
    return load;
}

RgbaImage DeriveState(ImageState state, const RgbaImage& normal, bool keepsAlpha) {
    RgbaImage made = normal;
    const std::int32_t width = made.Width(), height = made.Height();
    if (state == ImageState::Pressed) {
        made = RgbaImage(width, height, keepsAlpha ? kTransparent : kOpaqueWhite);
        // One pixel right and down, as a pressed button's face moves; what moves out is dropped.
        for (std::int32_t y = 1; y < height; ++y) {
            const std::uint8_t* in = normal.Row(y - 1);
            std::uint8_t* out = made.Row(y) + 4;
            for (std::int32_t x = 1; x < width; ++x, in += 4, out += 4) {
                out[0] = Darker(in[0]);
                out[1] = Darker(in[1]);
                out[2] = Darker(in[2]);
                out[3] = in[3];
            }
        }
        return made;
    }
    for (std::int32_t y = 0; y < height; ++y) {
        std::uint8_t* p = made.Row(y);
        for (std::int32_t x = 0; x < width; ++x, p += 4) {
            if (state == ImageState::Hot) {
                p[0] = Lighter(p[0]);
                p[1] = Lighter(p[1]);
                p[2] = Lighter(p[2]);
            } else if (keepsAlpha) {  // Disabled over what lies behind: grey and half as opaque
                SetColour(p, Grey(p));
                p[3] = std::uint8_t(p[3] / 2);
            } else {  // Disabled on white: grey, halfway to white
                const std::uint8_t g = Grey(p);
                SetColour(p, std::uint8_t(g + (255 - g) / 2));
            }
        }
    }
    return made;
}

}  // namespace plexon
