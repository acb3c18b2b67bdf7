// Cairo's error states as our errors, and premultiplied pixels made straight in place.
#include "graphics/CairoObjects.h"

#include <cstring>

#include "graphics/SvgLimits.h"
#include "runtime/Exceptions.h"

namespace plexon {

namespace {

[[noreturn]] void RefuseStatus(const SvgFunctions& svg, cairo_status_t status, const std::string& path) {
    if (status == CAIRO_STATUS_NO_MEMORY) RefuseSvgOverLimit(path, std::string(msg::kSvgTooLarge));
    RefuseSvg(path, svg.cairo_status_to_string(status));
}

}  // namespace

CairoSurface::CairoSurface(const SvgFunctions& svg, cairo_surface_t* surface, const std::string& path)
    : svg_(svg), surface_(surface) {
    if (const cairo_status_t status = svg.cairo_surface_status(surface); status != CAIRO_STATUS_SUCCESS) {
        svg.cairo_surface_destroy(surface);
        RefuseStatus(svg, status, path);
    }
}

std::uint8_t* CairoSurface::Straighten() {
    svg_.cairo_surface_flush(surface_);
    std::uint8_t* const data = svg_.cairo_image_surface_get_data(surface_);
    const int width = svg_.cairo_image_surface_get_width(surface_);
    const int height = svg_.cairo_image_surface_get_height(surface_);
    const int stride = Stride();
    for (int y = 0; y < height; ++y) {
        std::uint8_t* out = data + std::ptrdiff_t(y) * stride;
        for (int x = 0; x < width; ++x, out += 4) {
            std::uint32_t pixel;
            std::memcpy(&pixel, out, 4);
            const std::uint32_t a = pixel >> 24;
            if (a == 0) {
                std::memset(out, 0, 4);
                continue;
            }
            const auto straight = [a](std::uint32_t c) { return std::uint8_t((c * 255 + a / 2) / a); };
            out[0] = straight(pixel >> 16 & 0xff);
            out[1] = straight(pixel >> 8 & 0xff);
            out[2] = straight(pixel & 0xff);
            out[3] = std::uint8_t(a);
        }
    }
    return data;
}

void CairoDrawing::Finish(const std::string& path) const {
    if (const cairo_status_t status = svg_.cairo_status(cr_); status != CAIRO_STATUS_SUCCESS)
        RefuseStatus(svg_, status, path);
}

}  // namespace plexon
