// Parsing SVG files with librsvg and drawing them, and scaled bitmaps, on cairo image surfaces.
#include "graphics/SvgImage.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <utility>
#include <vector>

#include "graphics/SvgLibrary.h"
#include "runtime/Exceptions.h"
#include "runtime/PathText.h"
#include "runtime/Stream.h"

namespace plexon {

namespace {

[[noreturn]] void Refuse(const std::string& path, const std::string& reason) {
    throw EInvalidGraphic("Cannot render the SVG image " + path + ": " + reason, path,
                          "cannot render SVG: " + reason);
}

// Takes librsvg's error (freeing it) and raises it as the file's.
[[noreturn]] void RefuseWith(const SvgFunctions& svg, const std::string& path, GError* error) {
    std::string reason = error && error->message ? error->message : "librsvg refused it";
    if (error) svg.g_error_free(error);
    // The parser's messages end in a line break; ours are one line.
    while (!reason.empty() && std::isspace(static_cast<unsigned char>(reason.back()))) reason.pop_back();
    Refuse(path, reason);
}

// A cairo image surface of 32-bit premultiplied pixels, destroyed with its owner.
class Surface {
  public:
    Surface(const SvgFunctions& svg, cairo_surface_t* surface, const std::string& path)
        : svg_(svg), surface_(surface) {
        if (const cairo_status_t status = svg.cairo_surface_status(surface); status != CAIRO_STATUS_SUCCESS) {
            svg.cairo_surface_destroy(surface);
            Refuse(path, svg.cairo_status_to_string(status));
        }
    }
    ~Surface() { svg_.cairo_surface_destroy(surface_); }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    operator cairo_surface_t*() const { return surface_; }

  private:
    const SvgFunctions& svg_;
    cairo_surface_t* surface_;
};

// A drawing context on a surface; Finish reports what went wrong in it.
class Drawing {
  public:
    Drawing(const SvgFunctions& svg, cairo_surface_t* surface) : svg_(svg), cr_(svg.cairo_create(surface)) {}
    ~Drawing() { svg_.cairo_destroy(cr_); }
    Drawing(const Drawing&) = delete;
    Drawing& operator=(const Drawing&) = delete;
    operator cairo_t*() const { return cr_; }
    void Finish(const std::string& path) const {
        if (const cairo_status_t status = svg_.cairo_status(cr_); status != CAIRO_STATUS_SUCCESS)
            Refuse(path, svg_.cairo_status_to_string(status));
    }

  private:
    const SvgFunctions& svg_;
    cairo_t* cr_;
};

// Cairo's pixels (native-endian 0xAARRGGBB, premultiplied) as straight RGBA.
RgbaImage StraightFromSurface(const SvgFunctions& svg, cairo_surface_t* surface, std::int32_t size) {
    svg.cairo_surface_flush(surface);
    const unsigned char* data = svg.cairo_image_surface_get_data(surface);
    const int stride = svg.cairo_image_surface_get_stride(surface);
    RgbaImage image(size, size, kTransparent);
    for (std::int32_t y = 0; y < size; ++y) {
        const auto* in = reinterpret_cast<const std::uint32_t*>(data + std::ptrdiff_t(y) * stride);
        std::uint8_t* out = image.Row(y);
        for (std::int32_t x = 0; x < size; ++x, out += 4) {
            const std::uint32_t pixel = in[x];
            const std::uint32_t a = pixel >> 24;
            if (a == 0) continue;
            const auto straight = [a](std::uint32_t c) { return std::uint8_t((c * 255 + a / 2) / a); };
            out[0] = straight(pixel >> 16 & 0xff);
            out[1] = straight(pixel >> 8 & 0xff);
            out[2] = straight(pixel & 0xff);
            out[3] = std::uint8_t(a);
        }
    }
    return image;
}

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

bool IsSvgFileName(std::string_view name) {
    return EndsWithIgnoringCase(name, ".svg");
}

SvgImage::SvgImage(const std::string& path) : path_(path) {
    const SvgFunctions& svg = SvgLibrary(path);
    TFileStream stream(path, FileMode::OpenRead);
    if (stream.Size() > kMaxSvgFileBytes) Refuse(path, "the file is larger than 64 MB");
    handle_ = svg.rsvg_handle_new_with_flags(RSVG_HANDLE_FLAGS_NONE);
    RsvgHandle* handle = static_cast<RsvgHandle*>(handle_);
    // References resolve against the file itself, and librsvg then loads only files beside it or
    // below; the "unlimited" flag is never set, so its limits on huge documents hold.
    GFile* base = svg.g_file_new_for_path(path.c_str());
    svg.rsvg_handle_set_base_gfile(handle, base);
    svg.g_object_unref(base);
    svg.rsvg_handle_set_dpi(handle, 96.0);
    GError* error = nullptr;
    std::vector<std::uint8_t> buffer(64 << 10);
    std::int64_t total = 0;
    for (std::int64_t got; (got = stream.Read(buffer.data(), std::int64_t(buffer.size()))) > 0;) {
        if ((total += got) > kMaxSvgFileBytes) Refuse(path, "the file is larger than 64 MB");
        if (!svg.rsvg_handle_write(handle, buffer.data(), gsize(got), &error)) RefuseWith(svg, path, error);
    }
    if (!svg.rsvg_handle_close(handle, &error)) RefuseWith(svg, path, error);
}

SvgImage::~SvgImage() {
    if (handle_) SvgLibrary(path_).g_object_unref(handle_);
}

SvgImage::SvgImage(SvgImage&& other) noexcept
    : path_(std::move(other.path_)), handle_(std::exchange(other.handle_, nullptr)) {}

SvgImage& SvgImage::operator=(SvgImage&& other) noexcept {
    std::swap(path_, other.path_);
    std::swap(handle_, other.handle_);
    return *this;
}

std::optional<SvgSize> SvgImage::Size() const {
    SvgSize size;
    if (!SvgLibrary(path_).rsvg_handle_get_intrinsic_size_in_pixels(static_cast<RsvgHandle*>(handle_),
                                                                    &size.width, &size.height) ||
        !(size.width > 0) || !(size.height > 0))
        return std::nullopt;
    return size;
}

RgbaImage SvgImage::Render(std::int32_t size) const {
    const SvgFunctions& svg = SvgLibrary(path_);
    const Surface surface(svg, svg.cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size), path_);
    {
        const Drawing cr(svg, surface);
        // The viewport is the square: librsvg fits the document into it, aspect kept, centred.
        const RsvgRectangle viewport{0, 0, double(size), double(size)};
        GError* error = nullptr;
        if (!svg.rsvg_handle_render_document(static_cast<RsvgHandle*>(handle_), cr, &viewport, &error))
            RefuseWith(svg, path_, error);
        cr.Finish(path_);
    }
    return StraightFromSurface(svg, surface, size);
}

RgbaImage ScaleToSquare(const RgbaImage& image, std::int32_t size, const std::string& path) {
    if (image.IsEmpty()) return RgbaImage(size, size, kTransparent);
    const SvgFunctions& svg = SvgLibrary(path);
    std::vector<std::uint32_t> pixels = PremultipliedPixels(image);
    const Surface source(svg,
                         svg.cairo_image_surface_create_for_data(
                             reinterpret_cast<unsigned char*>(pixels.data()), CAIRO_FORMAT_ARGB32,
                             image.Width(), image.Height(), image.Width() * 4),
                         path);
    const Surface target(svg, svg.cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size), path);
    {
        // Whole-pixel edges: the scaled image covers a rectangle of whole pixels, centred (the left
        // and top margins take the smaller half).
        const double scale = std::min(double(size) / image.Width(), double(size) / image.Height());
        const auto fitted = [&](std::int32_t length) {
            return std::clamp<std::int32_t>(std::int32_t(std::lround(length * scale)), 1, size);
        };
        const std::int32_t width = fitted(image.Width()), height = fitted(image.Height());
        const std::int32_t left = (size - width) / 2, top = (size - height) / 2;
        const Drawing cr(svg, target);
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
    return StraightFromSurface(svg, target, size);
}

}  // namespace plexon
