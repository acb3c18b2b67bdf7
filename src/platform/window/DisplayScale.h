// The integer factor by which native windows show our 1x frames on high-density screens, and the
// pixel replication and mouse mapping that go with it. Nothing here talks to a window system.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/window/Backend.h"

namespace plexon::window {

inline constexpr int kMaxDisplayScale = 8;

// What the choice depends on; each value is the variable's text, absent when it is not set.
struct ScaleSources {
    std::optional<std::string> plexonScale;  // PLEXON_SCALE: ours, wins over the desktop's
    std::optional<std::string> gdkScale;     // GDK_SCALE
    std::optional<std::string> xResources;   // the X server's resource text (Xft.dpi)
};

struct ScaleChoice {
    int scale = 1;
    std::string note;  // for standard error when the choice is not what was asked for; else empty
};

// PLEXON_SCALE when it is a number above 0 (a fraction rounded to the nearest whole number, at least
// 1, with a note), else GDK_SCALE when whole from 1 on, else Xft.dpi / 96 rounded down when the dots
// per inch are 192 or more; otherwise 1. Capped at kMaxDisplayScale.
ScaleChoice ChooseDisplayScale(const ScaleSources& sources);

// The largest scale up to `scale` (and at least 1) at which a window of that size fits the area.
int FittingScale(int scale, gdi::SIZE window, gdi::SIZE area);

// The Xft.dpi value in X resource text ("Xft.dpi:\t192"), if any.
std::optional<double> XftDpi(std::string_view resources);

// The environment and, when no variable decides and an X display is named, the display's resources.
ScaleSources CurrentScaleSources();

// Writes frame scaled by `scale` (each pixel a scale x scale block) to `target` with `targetStride`
// bytes a row; target holds at least frame.height * scale rows of frame.width * scale pixels.
void ReplicatePixels(const FrameView& frame, int scale, std::uint8_t* target, std::size_t targetStride);

// A native window coordinate as a coordinate of our frame (rounding toward minus infinity, so a
// captured mouse left of the window stays left of it).
constexpr int ToFrameCoordinate(int native, int scale) {
    return native >= 0 ? native / scale : -((-native + scale - 1) / scale);
}

}  // namespace plexon::window
