// Display scale choice, X resource parsing and pixel replication.
#include "platform/window/DisplayScale.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#ifdef PLEXON_HAVE_X11
#include <X11/Xlib.h>

#include "runtime/SharedLibrary.h"
#endif

namespace plexon::window {

namespace {

std::optional<int> WholeScale(const std::optional<std::string>& text) {
    if (!text) return std::nullopt;
    int value = 0;
    const char* end = text->data() + text->size();
    auto [rest, error] = std::from_chars(text->data(), end, value);
    if (error != std::errc() || rest != end || value < 1) return std::nullopt;
    return std::min(value, kMaxDisplayScale);
}

// PLEXON_SCALE as a number above 0, fractions allowed ("2.5").
std::optional<double> AnyScale(const std::optional<std::string>& text) {
    if (!text || text->empty()) return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(text->c_str(), &end);
    if (*end != '\0' || !(value > 0) || value > 1e6) return std::nullopt;
    return value;
}

std::optional<std::string> Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

#ifdef PLEXON_HAVE_X11
// The X server's resource string, through Xlib loaded only now: programs that never open a window
// do not load it. No Xlib or no server means no resources.
std::optional<std::string> XResources() {
    std::string reason;
    void* xlib = OpenLibrary("libX11.so.6", reason);
    if (!xlib) return std::nullopt;
    auto openDisplay = LibraryFunctionAs<decltype(&::XOpenDisplay)>(xlib, "XOpenDisplay", reason);
    auto resourceString =
        LibraryFunctionAs<decltype(&::XResourceManagerString)>(xlib, "XResourceManagerString", reason);
    auto closeDisplay = LibraryFunctionAs<decltype(&::XCloseDisplay)>(xlib, "XCloseDisplay", reason);
    if (!openDisplay || !resourceString || !closeDisplay) return std::nullopt;
    std::optional<std::string> text;
    if (Display* connection = openDisplay(nullptr)) {
        if (const char* found = resourceString(connection)) text = found;
        closeDisplay(connection);
    }
    return text;
}
#endif

}  // namespace

std::optional<double> XftDpi(std::string_view resources) {
    while (!resources.empty()) {
        const std::size_t end = resources.find('\n');
        std::string_view line = resources.substr(0, end);
        resources = end == std::string_view::npos ? std::string_view() : resources.substr(end + 1);
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos || Trim(line.substr(0, colon)) != "Xft.dpi") continue;
        const std::string value(Trim(line.substr(colon + 1)));
        char* parsed = nullptr;
        const double dpi = std::strtod(value.c_str(), &parsed);
        if (parsed != value.c_str() && *parsed == '\0' && dpi > 0) return dpi;
    }
    return std::nullopt;
}

ScaleChoice ChooseDisplayScale(const ScaleSources& sources) {
    if (auto scale = WholeScale(sources.plexonScale)) return {*scale, ""};
    // Our frames grow by whole pixels only; a fraction asked for gets the nearest whole scale.
    if (auto asked = AnyScale(sources.plexonScale)) {
        const int scale = std::clamp(int(std::lround(*asked)), 1, kMaxDisplayScale);
        return {scale, "PLEXON_SCALE=" + *sources.plexonScale + " is not a whole number; taken as " +
                           std::to_string(scale)};
    }
    if (auto scale = WholeScale(sources.gdkScale)) return {*scale, ""};
    if (sources.xResources)
        if (auto dpi = XftDpi(*sources.xResources); dpi && *dpi >= 192)
            return {std::clamp(int(*dpi / 96), 1, kMaxDisplayScale), ""};
    return {};
}

int FittingScale(int scale, gdi::SIZE window, gdi::SIZE area) {
    while (scale > 1 && (window.cx * scale > area.cx || window.cy * scale > area.cy)) --scale;
    return std::max(scale, 1);
}

ScaleSources CurrentScaleSources() {
    ScaleSources sources{Variable("PLEXON_SCALE"), Variable("GDK_SCALE"), std::nullopt};
    if (AnyScale(sources.plexonScale) || WholeScale(sources.gdkScale)) return sources;
#ifdef PLEXON_HAVE_X11
    const char* display = std::getenv("DISPLAY");
    if (display && *display) sources.xResources = XResources();
#endif
    return sources;
}

void ReplicatePixels(const FrameView& frame, int scale, std::uint8_t* target, std::size_t targetStride) {
    const std::size_t rowBytes = std::size_t(frame.width) * std::size_t(scale) * 4;
    for (int y = 0; y < frame.height; ++y) {
        const std::uint8_t* source = frame.pixels + std::size_t(y) * frame.stride;
        std::uint8_t* first = target + std::size_t(y) * std::size_t(scale) * targetStride;
        std::uint8_t* out = first;
        for (int x = 0; x < frame.width; ++x, source += 4)
            for (int k = 0; k < scale; ++k, out += 4) std::memcpy(out, source, 4);
        for (int k = 1; k < scale; ++k) std::memcpy(first + std::size_t(k) * targetStride, first, rowBytes);
    }
}

}  // namespace plexon::window
