// librsvg's handle fed from a file descriptor, and its renders on cairo image surfaces.
#include "graphics/SvgDocument.h"

#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <optional>
#include <span>
#include <vector>

#include "graphics/GzipInflater.h"
#include "graphics/SvgLimits.h"
#include "runtime/Exceptions.h"

namespace plexon {

namespace {

// Takes librsvg's error (freeing it) and raises it as the file's.
[[noreturn]] void RefuseWith(const SvgFunctions& svg, const std::string& path, GError* error) {
    std::string reason = error && error->message ? error->message : "librsvg refused it";
    if (error) svg.g_error_free(error);
    // The parser's messages end in a line break; ours are one line.
    while (!reason.empty() && std::isspace(static_cast<unsigned char>(reason.back()))) reason.pop_back();
    RefuseSvg(path, reason);
}

}  // namespace

SvgDocument::SvgDocument(const std::string& path, int fd)
    : path_(path), svg_(SvgLibrary(path)), handle_(svg_.rsvg_handle_new_with_flags(RSVG_HANDLE_FLAGS_NONE)) {
    try {
        // References resolve against the file itself, and librsvg then loads only files beside it or
        // below; the "unlimited" flag is never set, so its limits on huge documents hold.
        GFile* base = svg_.g_file_new_for_path(path.c_str());
        svg_.rsvg_handle_set_base_gfile(handle_, base);
        svg_.g_object_unref(base);
        svg_.rsvg_handle_set_dpi(handle_, 96.0);
        GError* error = nullptr;
        std::vector<std::uint8_t> buffer(64 << 10);
        std::int64_t total = 0;
        const auto write = [&](std::span<const std::uint8_t> bytes) {
            if (!svg_.rsvg_handle_write(handle_, bytes.data(), gsize(bytes.size()), &error))
                RefuseWith(svg_, path, error);
        };
        // A compressed document (.svgz) is unpacked here under the same 64 MB as a plain one; left
        // to the parser it would unpack without a bound short of the helper's memory.
        std::optional<GzipInflater> gzip;
        const auto check = [&](const std::string& reason) {
            if (!reason.empty()) RefuseSvg(path, reason);
        };
        for (;;) {
            const ssize_t got = ::pread(fd, buffer.data(), buffer.size(), off_t(total));
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) throw EReadError(std::string(msg::kReadError), path, FileReason("cannot read", errno));
            if (got == 0) break;
            const std::span<const std::uint8_t> piece(buffer.data(), std::size_t(got));
            if (total == 0 && IsGzipStart(piece)) gzip.emplace(kMaxSvgFileBytes, write);
            if ((total += got) > kMaxSvgFileBytes) RefuseSvg(path, "the file is larger than 64 MB");
            if (gzip)
                check(gzip->Feed(piece));
            else
                write(piece);
        }
        if (gzip) check(gzip->Finish());
        if (!svg_.rsvg_handle_close(handle_, &error)) RefuseWith(svg_, path, error);
    } catch (...) {
        svg_.g_object_unref(handle_);
        throw;
    }
}

SvgDocument::~SvgDocument() {
    svg_.g_object_unref(handle_);
}

std::optional<SvgSize> SvgDocument::Size() const {
    SvgSize size;
    if (!svg_.rsvg_handle_get_intrinsic_size_in_pixels(handle_, &size.width, &size.height) ||
        !(size.width > 0) || !(size.height > 0))
        return std::nullopt;
    return size;
}

std::unique_ptr<CairoSurface> SvgDocument::Render(std::int32_t size) const {
    auto surface = std::make_unique<CairoSurface>(
        svg_, svg_.cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size), path_);
    const CairoDrawing cr(svg_, *surface);
    // The viewport is the square: librsvg fits the document into it, aspect kept, centred.
    const RsvgRectangle viewport{0, 0, double(size), double(size)};
    GError* error = nullptr;
    if (!svg_.rsvg_handle_render_document(handle_, cr, &viewport, &error)) RefuseWith(svg_, path_, error);
    cr.Finish(path_);
    return surface;
}

}  // namespace plexon
