// Drawing a straight-alpha image scaled onto a cairo surface and reading it back.
#include "graphics/ScaleToSquare.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "graphics/CairoObjects.h"
#include "graphics/SvgLibrary.h"

namespace plexon {

namespace {

// Straight RGBA as cairo's premultiplied pixels, for a source surface.
std::vector<std::uint32_t> PremultipliedPixels(const RgbaImage& image) {
    std::vector<std::uint32_t> pixels(std::size_t(image.Width()) * std::size_t(image.Height()));
    std::uint32_t* out = pixels.data();
    for (std::int32_t y = 0; y < image.Height(); ++y) {
        const std::uint8_t* in = image.Row(y);
        for (std::int32_t x = 0; x < image.Width(); ++x, in += 4) {
            const std::uint32_t a = in[3];
            const auto pre = [a](std::uint32_t c) { return (c * a + 127) / 255; };
            *out++ = a << 24 | pre(in[0]) << 16 | pre(in[1]) << 8 | pre(in[2]);
        }
    }
    return pixels;
}

}  // namespace

RgbaImage ScaleToSquare(const RgbaImage& image, std::int32_t size, const std::string& path) {
    if (image.IsEmpty()) return RgbaImage(size, size, kTransparent);
    const SvgFunctions& svg = SvgLibrary(path);
    std::vector<std::uint32_t> pixels = PremultipliedPixels(image);
    const CairoSurface source(svg,
                              svg.cairo_image_surface_create_for_data(
                                  reinterpret_cast<unsigned char*>(pixels.data()), CAIRO_FORMAT_ARGB32,
                                  image.Width(), image.Height(), image.Width() * 4),
                              path);
    CairoSurface target(svg, svg.cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size), path);
    {
        // Whole-pixel edges: the scaled image covers a rectangle of whole pixels, centred (the left
        // and top margins take the smaller half).
        const double scale = std::min(double(size) / image.Width(), double(size) / image.Height());
        const auto fitted = [&](std::int32_t length) {
            return std::clamp<std::int32_t>(std::int32_t(std::lround(length * scale)), 1, size);
        };
        const std::int32_t width = fitted(image.Width()), height = fitted(image.Height());
        const std::int32_t left = (size - width) / 2, top = (size - height) / 2;
        const CairoDrawing cr(svg, target);
        svg.cairo_rectangle(cr, left, top, width, height);
        svg.cairo_clip(cr);
        svg.cairo_translate(cr, left, top);
        svg.cairo_scale(cr, double(width) / image.Width(), double(height) / image.Height());
        svg.cairo_set_source_surface(cr, source, 0, 0);
        // Padding keeps the edges as opaque as the image; the clip keeps it inside the rectangle.
        svg.cairo_pattern_set_extend(svg.cairo_get_source(cr), CAIRO_EXTEND_PAD);
        svg.cairo_pattern_set_filter(svg.cairo_get_source(cr), CAIRO_FILTER_GOOD);
        svg.cairo_paint(cr);
        cr.Finish(path);
    }
    const std::uint8_t* rows = target.Straighten();
    RgbaImage scaled(size, size, kTransparent);
    for (std::int32_t y = 0; y < size; ++y)
        std::memcpy(scaled.Row(y), rows + std::ptrdiff_t(y) * target.Stride(), scaled.RowBytes());
    return scaled;
}

}  // namespace plexon
