// Choosing the reader of a source file and bringing its pixels to the form a strip is composed in.
#include "weld/SourceImage.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "graphics/Bitmap.h"
#include "graphics/BitmapRgba.h"
#include "graphics/PictureLimits.h"
#include "graphics/PngFormat.h"
#include "graphics/SvgImage.h"
#include "runtime/Exceptions.h"
#include "runtime/PathText.h"
#include "runtime/Stream.h"
#include "weld/IconMemory.h"

namespace plexon {

namespace {

// BMP file header, header size, then width and height (16 bits each in a core header).
constexpr std::size_t kBmpSizeEnd = 14 + 4 + 8;
// PNG signature, header chunk length and type, then width and height.
constexpr std::size_t kPngSizeEnd = 8 + 8 + 8;

std::int32_t Le32(const std::uint8_t* p) {
    return std::int32_t(std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
                        std::uint32_t(p[3]) << 24);
}

// The size the header claims, or none when it is no header the reader would take (it then says so).
std::optional<ImageExtent> ClaimedSize(const std::uint8_t* bytes, std::size_t count, bool png) {
    if (png) {
        if (count < kPngSizeEnd) return std::nullopt;
        try {
            const PngSize size = ReadPngSize(std::span(bytes, count));
            return ImageExtent{size.width, size.height};
        } catch (const EInvalidGraphic&) {
            return std::nullopt;
        }
    }
    if (count < kBmpSizeEnd || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
    if (Le32(bytes + 14) == 12) return ImageExtent{bytes[18] | bytes[19] << 8, bytes[20] | bytes[21] << 8};
    return ImageExtent{Le32(bytes + 18), Le32(bytes + 22)};
}

// Opens the source and refuses it when its header claims more than the icon may take. The header
// comes from the stream's read-ahead, and the stream goes back to the start within it, so the check
// costs no system call.
void CheckClaimedSize(TFileStream& stream, const std::string& path, const WeldRequest& request) {
    const std::optional<ImageExtent> size = ClaimedImageSize(stream, ReadsAsPng(path, request.Sources));
    if (!size) return;
    if (std::optional<std::string> refusal =
            IconMemoryRefusal(size->width, size->height, request.ImageSize, request.StateCount))
        throw EOutOfResources(*refusal, path, *refusal);
}

// An SVG's length in whole pixels: rounded up, less the error of a length given in other units (12pt
// is 16 pixels, not a hair more).
std::int32_t WholePixels(double length) {
    return std::int32_t(std::min(std::ceil(length - 1e-6), double(std::numeric_limits<std::int32_t>::max())));
}

ImageExtent SvgExtent(const SvgImage& svg, const std::string& path) {
    const std::optional<SvgSize> size = svg.Size();
    if (!size)
        throw EInvalidGraphic(path + ": " + std::string(msg::kSvgNoSize), path, std::string(msg::kSvgNoSize));
    return {WholePixels(size->width), WholePixels(size->height)};
}

// An SVG source drawn into its slot. The helper's limits are the memory rule for SVG: what the
// document holds is bounded there, and the slot's own need is checked with the plan.
RgbaImage RenderSvgSource(const std::string& path, const WeldRequest& request) {
    return SvgImage(path).Render(request.ImageSize);
}

}  // namespace

std::optional<ImageExtent> ClaimedImageSize(TFileStream& stream, bool png) {
    std::uint8_t head[kPngSizeEnd > kBmpSizeEnd ? kPngSizeEnd : kBmpSizeEnd] = {};
    const std::int64_t got = stream.Read(head, sizeof head);
    stream.SetPosition(0);
    return ClaimedSize(head, std::size_t(got), png);
}

// A file the readers refuse is named, with the reason the batch command shows; the message stays the
// reader's, and other errors pass as they are.
void RethrowNamingSource(const std::string& path) {
    constexpr std::string_view kNotAnImage = "not a BMP or PNG image";
    try {
        throw;
    } catch (const EInvalidGraphic& e) {
        if (!e.FilePath().empty()) throw;
        // A reader that knows what is wrong ("truncated PNG") says so.
        throw EInvalidGraphic(e.Message(), path, e.FileReason().empty() ? std::string(kNotAnImage) : e.FileReason());
    } catch (const EReadError& e) {
        if (!e.FilePath().empty()) throw;
        throw EReadError(e.Message(), path, std::string(kNotAnImage));
    }
}

bool ReadsAsPng(const std::string& path, SourceFormats sources) {
    return sources != SourceFormats::BmpOnly && EndsWithIgnoringCase(path, ".png");
}

bool ReadsAsSvg(const std::string& path, SourceFormats sources) {
    return sources == SourceFormats::All && IsSvgFileName(path);
}

void LoadSourceBitmap(TBitmap& bitmap, const std::string& path, const WeldRequest& request) try {
    if (ReadsAsSvg(path, request.Sources)) {
        RgbaImage image = RenderSvgSource(path, request);
        image.Flatten(kOpaqueWhite);
        SetBitmapPixels(bitmap, image);
        return;
    }
    TFileStream stream(path, FileMode::OpenRead);
    CheckClaimedSize(stream, path, request);
    RgbaImage image;
    if (!ReadsAsPng(path, request.Sources)) {
        bitmap.LoadStream(stream);
        if (bitmap.AlphaMask() == 0) return;
        image = RgbaFromBitmap(bitmap);
    } else {
        image = DecodePng(stream);
    }
    image.Flatten(kOpaqueWhite);
    SetBitmapPixels(bitmap, image);
} catch (...) {
    RethrowNamingSource(path);
}

RgbaImage LoadSourceRgba(const std::string& path, const WeldRequest& request, bool* shortFile) try {
    if (ReadsAsSvg(path, request.Sources)) return RenderSvgSource(path, request);
    TFileStream stream(path, FileMode::OpenRead);
    CheckClaimedSize(stream, path, request);
    if (ReadsAsPng(path, request.Sources)) return DecodePng(stream);
    TBitmap bitmap;
    bitmap.LoadStream(stream);
    if (shortFile) *shortFile = bitmap.MissingPixelBytes() > 0;
    return RgbaFromBitmap(bitmap);
} catch (...) {
    RethrowNamingSource(path);
}

ImageExtent MeasureSource(const std::string& path, SourceFormats sources) try {
    if (ReadsAsSvg(path, sources)) return SvgExtent(SvgImage(path), path);
    if (ReadsAsPng(path, sources)) {
        // The header is all it takes; the rest of the file may be of any size.
        TFileStream stream(path, FileMode::OpenRead);
        std::uint8_t head[kPngSizeEnd] = {};
        const std::int64_t got = stream.Read(head, sizeof head);
        const PngSize size = ReadPngSize(std::span(head, std::size_t(got)));
        return {size.width, size.height};
    }
    // A header claiming more than an icon of its width may take is measured by the claim: the rule
    // then refuses it with its own text, where loading it would only fail for want of memory.
    TFileStream stream(path, FileMode::OpenRead);
    if (const std::optional<ImageExtent> claim = ClaimedImageSize(stream, false);
        claim && claim->width > 0 && IconMemoryRefusal(claim->width, claim->height, claim->width, kMinStateCount))
        return {claim->width, std::int32_t(SideLength(claim->height))};
    TBitmap bitmap;
    bitmap.LoadStream(stream);
    return {bitmap.Width(), bitmap.Height()};
} catch (...) {
    RethrowNamingSource(path);
}

}  // namespace plexon
